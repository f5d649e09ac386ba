#include "gamesim/core/simulator.h"

#include "gamesim/core/console.h"
#include "gamesim/core/replies.h"

namespace gamesim {
namespace {

// Enough of a malformed datagram to recognise it in the journal.
constexpr std::size_t kJournalSampleBytes = 256;

} // namespace

Simulator::Simulator(SimulatorOptions options, Clock clock, JournalSink sink)
    : m_clock(std::move(clock)), m_sink(std::move(sink)), m_startMs(m_clock()),
      m_game(std::move(options.server), m_clock), m_password(std::move(options.password)),
      m_logPath(std::move(options.logPath)), m_replyChunk(options.replyChunk),
      m_faultRandom(options.seed), m_httpRandom(options.seed + 1), m_livelyRandom(options.seed + 2),
      m_lively(options.lively) {
    m_game.setLogListener([this](const std::string& line) {
        journal(JsonLine().text("event", "log").text("line", line));
        if (m_mirror) m_mirror(line);
    });
}

void Simulator::start() {
    journal(JsonLine().text("event", "start").text("map", m_game.currentMap()));
    m_game.boot();
}

void Simulator::journal(JsonLine record) {
    if (!m_sink) return;
    const std::string body = record.str();
    m_sink("{\"t\":" + std::to_string(elapsedMs()) + (body.size() > 2 ? "," : "") + body.substr(1));
}

std::vector<OutgoingDatagram> Simulator::onDatagram(std::string_view bytes, std::string_view from) {
    if (bytes.size() > kMaxRequestBytes) {
        journal(JsonLine()
                    .text("event", "rcon_ignored")
                    .text("from", from)
                    .text("reason", "too large")
                    .number("size", static_cast<std::int64_t>(bytes.size())));
        return {};
    }
    if (m_faultRandom.chance(m_faults.drop)) {
        journal(JsonLine().text("event", "rcon_dropped").text("from", from).text("bytes", bytes));
        return {};
    }
    const auto request = decodeRequest(bytes);
    if (!request) {
        journal(JsonLine()
                    .text("event", "rcon_ignored")
                    .text("from", from)
                    .text("reason", "malformed")
                    .text("bytes", bytes.substr(0, kJournalSampleBytes)));
        return {};
    }
    const bool passwordOk = !m_password.empty() && request->password == m_password;
    journal(JsonLine()
                .text("event", "rcon_request")
                .text("from", from)
                .flag("password_ok", passwordOk)
                .text("command", request->command));
    if (m_password.empty()) return reply(kNoPasswordSet, from);
    if (!passwordOk) return reply(kInvalidPassword, from);
    m_received.push_back(request->command);
    if (m_received.size() > kKeptCommands) m_received.pop_front();
    return reply(runConsoleLine(m_game, request->command), from);
}

std::vector<OutgoingDatagram> Simulator::reply(std::string_view text, std::string_view to) {
    const std::vector<std::string> datagrams = encodeReplies(text, m_replyChunk);
    std::vector<OutgoingDatagram> out;
    for (std::size_t i = 0; i < datagrams.size(); ++i) {
        JsonLine record;
        record.text("event", "rcon_reply")
            .text("to", to)
            .number("datagram", static_cast<std::int64_t>(i + 1))
            .number("of", static_cast<std::int64_t>(datagrams.size()))
            .number("size", static_cast<std::int64_t>(datagrams[i].size()))
            .text("text", datagrams[i].substr(kReplyPrefix.size()));
        if (m_faultRandom.chance(m_faults.drop)) {
            journal(record.text("fault", "dropped"));
            continue;
        }
        OutgoingDatagram d{datagrams[i], 0};
        if (m_faultRandom.chance(m_faults.delay)) {
            d.delayMs = m_faults.delayMs;
            record.number("delay_ms", d.delayMs);
        }
        const bool twice = m_faultRandom.chance(m_faults.duplicate);
        if (twice) record.text("fault", "duplicated");
        journal(record);
        out.push_back(d);
        if (twice) out.push_back(d);
    }
    return out;
}

HttpAnswer Simulator::onHttpRequest(const HttpRequest& request, std::string_view from) {
    JsonLine in;
    in.text("event", "http_request")
        .text("from", from)
        .text("method", request.method)
        .text("target", request.target);
    if (const auto range = request.header("Range")) in.text("range", *range);
    if (const auto host = request.header("Host")) in.text("host", *host);
    journal(in);
    const HttpAnswer answer = answerHttp(request, m_logPath, m_game.log(), m_http, m_httpRandom);
    journal(JsonLine()
                .text("event", "http_response")
                .text("to", from)
                .number("status", answer.status)
                .text("mode", httpModeName(m_http.mode))
                .number("body_bytes", static_cast<std::int64_t>(answer.bodyBytes))
                .flag("close", answer.close)
                .flag("stall", answer.stall));
    return answer;
}

HttpAnswer Simulator::onBadHttpRequest(std::string_view from) {
    journal(JsonLine().text("event", "http_request").text("from", from).flag("malformed", true));
    HttpAnswer answer = badRequestAnswer();
    journal(JsonLine()
                .text("event", "http_response")
                .text("to", from)
                .number("status", 400)
                .text("mode", "badrequest")
                .number("body_bytes", 0)
                .flag("close", true)
                .flag("stall", false));
    return answer;
}

std::string Simulator::onControl(std::string_view line, std::string_view source) {
    const std::string answer = runControlLine(*this, line);
    journal(JsonLine()
                .text("event", "control")
                .text("source", source)
                .text("command", line)
                .text("reply", answer));
    return answer;
}

void Simulator::livelyTick() {
    if (!m_lively) return;
    for (const std::string& command : m_director.tick(m_game, m_livelyRandom))
        onControl(command, "lively");
}

} // namespace gamesim
