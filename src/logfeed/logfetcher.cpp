#include "logfeed/logfetcher.h"

#include "core/activitylog.h"
#include "core/clock.h"
#include "core/eventloop.h"
#include "core/gametext.h"
#include "core/modsettings.h"
#include "core/net.h"
#include "core/numbers.h"
#include "core/settings.h"
#include "logfeed/logparser.h"
#include "logfeed/logtail.h"
#include "rcon/rconqueue.h"
#include "rcon/uptime.h"

#include <algorithm>
#include <exception>

namespace corvane {
namespace {

// Text taken from a reply into the activity log is kept to one short line.
constexpr std::size_t kMaxQuotedReply = 200;

std::string shortened(std::string_view replyText) {
    std::string text(replyText.substr(0, kMaxQuotedReply));
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    return text;
}

std::size_t countWords(const std::string& text) {
    // Split at single blanks, as a run of blanks gives empty words between them.
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), ' ')) + 1;
}

constexpr std::string_view kBadRequestHead = "<head><title>400 Bad Request</title></head>";

} // namespace

LogFetcher::LogFetcher(EventLoop& loop, NetworkFactory& net, const Clock& clock, Settings& settings,
                       ActivityLog& log, RconQueue& queue, LogParser& parser)
    : m_clock(clock), m_settings(settings), m_log(log), m_queue(queue), m_parser(parser) {
    m_stream = net.createTcp("log");
    m_stream->setEvents({
        .connected = [this] { onConnected(); },
        .data = [this](const std::string& piece) { onData(piece); },
        .closed = [this] { onClosed(); },
        .error = [this](const NetError& e) { onError(e); },
    });
    m_connectTimeout = loop.createTimer(kConnectTimeoutMs, true, [this] { onConnectTimeout(); });
    m_replyTimeout = loop.createTimer(kReplyTimeoutMs, true, [this] { onReplyTimeout(); });
    // Started when a reply did not reach the anchor; fires once that fetch is over.
    m_catchUp = loop.createTimer(0, true, [this] { Command1_Click(); });
}

LogFetcher::~LogFetcher() {
    m_stream->setEvents({});
    m_stream->close();
}

void LogFetcher::Command1_Click() {
    if (m_fetchPending) return;
    m_connectTimeout->start();
    if (m_logConnected) {
        m_logConnected = false;
        m_stream->close();
    }
    if (m_settings.config.LogURL.empty()) m_settings.InputConfig();
    const std::string& url = m_settings.config.LogURL;

    m_warned = false;
    m_replyHandled = false;
    m_decoder.reset();
    m_stream->close();
    const auto address = resolveLogHost(m_settings.advanced.LogHost, url);
    if (!address) {
        m_connectTimeout->stop();
        warn("Log URL problem - " + shortened(url));
        return;
    }
    m_address = *address;
    m_path = replaceAll(url, m_address.prefix, "");
    if (m_path.empty()) m_path = "/";
    m_fetchPending = true;
    m_stream->connectTo(m_address.host, m_address.port);
}

void LogFetcher::onConnected() {
    if (m_logLost) {
        m_logLost = false;
        m_log.SMS("Connection to GameServers re-established");
    }
    m_logConnected = true;
    m_connectTimeout->stop();
    m_request = "GET " + m_path + " HTTP/1.1\r\n" + "Host: " + m_address.hostHeader() + "\r\n" +
                "Range: bytes=-" + std::to_string(m_tailAsked) + " \r\n" +
                "User-Agent: Corvane Mod " + kBuildVersion + "\r\n\r\n";
    m_decoder.reset();
    // Counted from the request to the end of its reply, so that neither a
    // silent host nor one that stops half-way stops the feed unnoticed.
    m_replyTimeout->start();
    m_stream->send(m_request);
}

void LogFetcher::onData(const std::string& piece) {
    m_stalled = false;
    m_decoder.feed(piece);
    judgeReply();
    if (m_decoder.complete()) {
        endFetch();
    } else if (m_decoder.failed()) {
        m_logConnected = false;
        m_stream->close();
        endFetch();
    }
}

void LogFetcher::onClosed() {
    m_decoder.finish();
    m_logConnected = false;
    m_stream->close();
    judgeReply();
    endFetch();
}

void LogFetcher::onError(const NetError& error) {
    m_log.SMS(error.description, kRed);
    m_logConnected = false;
    m_stream->close();
    endFetch();
}

void LogFetcher::onConnectTimeout() {
    m_log.SMS("Connection timeout while connecting to " + m_address.host, kRed);
    m_stream->close();
    m_logLost = true;
    endFetch();
}

void LogFetcher::onReplyTimeout() {
    // Said once while the host stays silent, not at every fetch.
    if (!m_stalled)
        m_log.SMS("Error retrieving the log file, check the LOG URL is correct or it may be "
                  "GameServers problem...",
                  kRed);
    m_stalled = true;
    m_logConnected = false;
    m_stream->close();
    endFetch();
}

void LogFetcher::endFetch() {
    m_fetchPending = false;
    m_connectTimeout->stop();
    m_replyTimeout->stop();
}

void LogFetcher::warn(const std::string& text) {
    if (m_warned) return;
    m_warned = true;
    m_log.SMS(text, kRed);
}

void LogFetcher::judgeReply() {
    if (m_decoder.headerless()) return judgeHeaderless();
    // A reply that the connection's end cut short is dropped quietly; the next
    // fetch asks again. One that cannot be read is worth a warning.
    const bool unreadable = m_decoder.failed() && !m_decoder.finished();
    if (!m_decoder.statusKnown()) {
        if (unreadable) warn("Log URL problem - " + m_decoder.failure());
        return;
    }
    const int code = m_decoder.statusCode();
    const std::string& status = m_decoder.statusLine();
    if (code == 200 || code == 206) {
        if (unreadable)
            warn("Log URL problem - " + shortened(status) + " - " + m_decoder.failure());
        if (m_decoder.complete() && !m_replyHandled) {
            m_replyHandled = true;
            Command2_Click();
        }
    } else if (code == 403) {
        // The provider asks for a pause; its page says how long.
        if (m_decoder.complete() || m_decoder.finished()) applyWaitAnswer();
    } else if (code == 404 || status.ends_with("Not Found")) {
        warn("Invalid GameServer URL - please fix!");
    } else {
        warn("Log URL problem - " + shortened(status));
    }
}

void LogFetcher::applyWaitAnswer() {
    if (m_replyHandled) return;
    m_replyHandled = true;
    const std::string text = m_decoder.head() + m_decoder.body();
    const std::size_t p = findIgnoringCase(text, "wait");
    if (p == std::string::npos || p == 0) {
        warn("Log URL problem - " + shortened(m_decoder.statusLine()));
        return;
    }
    // The two characters after the word: "wait 9" gives " 9", "wait 15" gives " 1".
    const std::string seconds = text.substr(p + 4, 2);
    if (const auto value = toInt16(seconds)) setRefreshTarget(*value);
}

void LogFetcher::judgeHeaderless() {
    const std::string& text = m_decoder.body();
    // A reply without a header ends only with its connection.
    const bool ended = m_decoder.finished();
    const std::size_t end1 = text.find_first_of("\r\n");
    if (end1 == std::string::npos) {
        if (ended) warn("Log URL problem - " + shortened(text));
        return;
    }
    std::size_t start2 = end1 + 1;
    if (text[end1] == '\r' && start2 < text.size() && text[start2] == '\n') ++start2;
    const std::size_t end2 = text.find_first_of("\r\n", start2);
    if (end2 == std::string::npos && !ended) return;
    const std::string_view second = std::string_view(text).substr(start2, end2 - start2);
    if (second == kBadRequestHead)
        warn("Invalid GameServer URL - Error 400 (Bad Request)");
    else
        warn("Log URL problem - " + shortened(std::string_view(text).substr(0, end1)));
}

void LogFetcher::Command2_Click() {
    if (getNEWDATA()) detectRestart();
}

bool LogFetcher::getNEWDATA() {
    const bool fragment =
        bodyStartsMidLine(m_decoder.header("Content-Range"), m_decoder.body().size(),
                          m_decoder.bodyBytesDropped(), m_tailAsked);
    NewLogLines fresh = takeNewLines(completeLines(m_decoder.body(), fragment), m_logAnchor);
    const bool priming = m_logAnchor.empty();
    if (!priming && !fresh.anchorFound && !fresh.lines.empty() && fragment) {
        // The last line seen has left the tail: a burst came since.
        if (widenTail()) return false;
        reportGap(fresh);
    }
    if (m_repliesSinceCatchUp >= 0) ++m_repliesSinceCatchUp;
    if (m_catchUpRequests > 0) noteCatchUp(fresh.lines.size());
    m_tailAsked = kLogTailBytes;
    m_catchUpRequests = 0;
    m_logAnchor = std::move(fresh.anchor);
    handOver(std::move(fresh.lines), priming);
    return true;
}

bool LogFetcher::widenTail() {
    // A longer tail cannot help when the host sent more than asked and the
    // front was dropped, nor once the longest was asked.
    const std::size_t next = nextCatchUpBytes(m_tailAsked);
    if (next == 0 || m_decoder.bodyBytesDropped() > 0) return false;
    m_tailAsked = next;
    ++m_catchUpRequests;
    m_catchUp->start();
    return true;
}

void LogFetcher::reportGap(const NewLogLines& fresh) {
    m_log.SMS("Log lines were missed between " + quotedStamp(m_logAnchor) + " and " +
                  quotedStamp(fresh.lines.front()) +
                  ": more log was written between two fetches than the log host serves",
              kRed);
}

void LogFetcher::noteCatchUp(std::size_t lines) {
    std::string note = "Caught up after a burst of log lines: " + std::to_string(lines) +
                       " new lines, " + std::to_string(m_catchUpRequests) + " extra request" +
                       (m_catchUpRequests == 1 ? "" : "s");
    if (m_repliesSinceCatchUp >= 0 && m_repliesSinceCatchUp <= kCatchUpRepeatReplies)
        note += " - bursts come often, a shorter refresh delay (Advanced settings) avoids them";
    m_log.SMS(note);
    m_repliesSinceCatchUp = 0;
}

void LogFetcher::handOver(std::vector<std::string> lines, bool priming) {
    if (priming) {
        // The first reply only primes the parser: one batch, nothing of it is run.
        if (lines.size() > kMaxNewLines) lines.resize(kMaxNewLines);
        m_newLines = std::move(lines);
        m_parser.ParseChat(m_newLines);
        return;
    }
    if (lines.empty()) {
        // The end-of-batch steps run after every reply, new lines or not.
        m_newLines.clear();
        m_parser.ParseChat(m_newLines);
        return;
    }
    for (std::vector<std::string>& batch : inBatches(std::move(lines))) {
        m_newLines = std::move(batch);
        m_parser.ParseChat(m_newLines);
    }
}

void LogFetcher::reparse() {
    m_parser.ParseChat(m_newLines);
}

void LogFetcher::detectRestart() {
    if (m_logAnchor.size() < 6) return;
    m_logAnchor = trimBlanks(m_logAnchor);
    const auto minutes = stampMinutes(m_logAnchor);
    if (!minutes) return;
    if (*minutes < m_logMinutes && *minutes < 5) {
        if (const auto seconds = toInt32(m_logStamp); seconds && !m_logStamp.empty())
            m_log.SMS("Server crash/restart detected - Total Uptime: " +
                          SetTimeFormat(*seconds / 60, true),
                      kRed);
        else
            m_log.SMS("Server crash/restart detected - " + formatDateTime(m_clock.now()), kRed);
        m_logStamp.clear();
        m_queue.pushFront("Playlist");
        restartDetected.notify();
    }
    m_logMinutes = *minutes;
    if (countWords(m_logAnchor) > 4) m_logStamp = m_logAnchor.substr(0, m_logAnchor.find(' '));
}

void LogFetcher::closeConnection() {
    m_catchUp->stop();
    endFetch();
    m_logConnected = false;
    m_stream->close();
}

int LogFetcher::refreshTick() {
    ++m_refreshTicks;
    if (m_refreshTicks == m_refreshTarget) {
        m_refreshTicks = 0;
        setRefreshTarget(m_settings.advanced.RefreshDelay);
        // A failing save must not stop the fetch.
        fetchDue.notifyEach([this](const std::exception& e) {
            m_log.SMS(std::string("Log feed error: ") + e.what(), kRed);
        });
        Command1_Click();
    }
    // A "wait" answer may have lowered the target below the seconds counted.
    if (m_refreshTarget < m_refreshTicks) m_refreshTicks = 0;
    return m_refreshTarget - m_refreshTicks;
}

std::string LogFetcher::refreshCountdownText(int remaining) {
    return std::to_string(remaining) + " second" + (remaining == 1 ? "" : "s") +
           " until next refresh";
}

void LogFetcher::setRefreshTarget(std::int32_t seconds) {
    m_refreshTarget = static_cast<std::int16_t>(std::clamp<std::int32_t>(seconds, 1, 32767));
}

} // namespace corvane
