#include "setup/setupreplies.h"

#include "core/gametext.h"
#include "core/numbers.h"

#include <algorithm>

namespace corvane {
namespace {

constexpr std::string_view kExclusionName = "\"playlist_excludeMap\"";
constexpr std::string_view kBadRequestHead = "<head><title>400 Bad Request</title></head>";
// Text of the log host's answer quoted in a status line stays one short line.
constexpr std::size_t kMaxQuoted = 200;

std::string_view partAt(const std::vector<std::string_view>& parts, std::size_t i) {
    return i < parts.size() ? parts[i] : std::string_view();
}

// At most max pieces; the last one holds the rest.
std::vector<std::string_view> splitAtMost(std::string_view text, std::string_view separator,
                                          std::size_t max) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (parts.size() + 1 < max) {
        const std::size_t next = text.find(separator, start);
        if (next == std::string_view::npos) break;
        parts.push_back(text.substr(start, next - start));
        start = next + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string quoted(std::string_view text) {
    std::string out(text.substr(0, kMaxQuoted));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return out;
}

} // namespace

std::string setupReplyText(std::string_view datagram) {
    std::string text = removeColorCodes(std::string(datagram.substr(0, kMaxSetupReply)), '9');
    text = replaceAll(std::move(text), "\xFF\xFF\xFF\xFF", "");
    std::erase(text, '\x01');
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += ';';
        } else {
            out += text[i];
        }
    }
    return out;
}

SetupReplyKind classifySetupReply(std::string_view text) {
    if (text.size() >= 20 && text.substr(6, 14) == "Invalid passwo")
        return SetupReplyKind::WrongPassword;
    if (findIgnoringCase(text, kExclusionName) != std::string_view::npos)
        return SetupReplyKind::Exclusion;
    if (findIgnoringCase(text, ";sv_maxclients ") != std::string_view::npos)
        return SetupReplyKind::ServerInfo;
    return SetupReplyKind::Other;
}

ServerFacts readServerInfo(std::string_view text) {
    const std::vector<std::string> parts = splitAt(text, ";");
    const auto part = [&](std::size_t i) { return i < parts.size() ? parts[i] : std::string(); };
    ServerFacts facts;
    const std::string slots = part(2);
    facts.maxClientsText = trimBlanks(slots.size() > 2 ? slots.substr(slots.size() - 2) : slots);
    facts.maxClients = toInt16(facts.maxClientsText);
    // The host name goes into the configuration file (which has no escape for
    // a double quote) and later into console lines.
    facts.hostName = neutralize(trimBlanks(replaceAll(part(13), "sv_hostname ", "")));
    facts.ranked = trimBlanks(replaceAll(part(19), "sv_ranked ", ""));
    return facts;
}

std::string exclusionValue(std::string_view text) {
    const std::size_t name = findIgnoringCase(text, kExclusionName);
    const std::size_t from = name == std::string_view::npos ? 0 : name + kExclusionName.size();
    const std::size_t is = findIgnoringCase(text, "is:", from);
    if (is == std::string_view::npos) return {};
    const std::size_t open = text.find('"', is);
    if (open == std::string_view::npos) return {};
    const std::size_t close = text.find('"', open + 1);
    return trimBlanks(text.substr(open + 1, close == std::string_view::npos ? std::string_view::npos
                                                                            : close - open - 1));
}

std::string learnedExclusion(std::string_view value) {
    // The list is sent back to the server inside a console line.
    return value.starts_with("mp") ? neutralize(value) : std::string();
}

bool isForcedList(std::string_view list, const std::vector<std::string>& tableMaps) {
    if (tableMaps.size() < 2) return false;
    const std::vector<std::string> words = splitAt(list, " ");
    const auto named = std::count_if(tableMaps.begin(), tableMaps.end(), [&](const auto& map) {
        return std::find(words.begin(), words.end(), map) != words.end();
    });
    return static_cast<std::size_t>(named) + 1 == tableMaps.size();
}

void CrLfNormaliser::append(std::string& out, std::string_view piece) {
    for (char c : piece) {
        if (m_pendingCr) {
            out += "\r\n";
            m_pendingCr = false;
            if (c == '\n') continue;
        }
        if (c == '\r')
            m_pendingCr = true;
        else if (c == '\n')
            out += "\r\n";
        else
            out += c;
    }
}

void CrLfNormaliser::finish(std::string& out) {
    if (m_pendingCr) out += "\r\n";
    m_pendingCr = false;
}

LogTestVerdict judgeLogExchange(std::string_view exchange, int statusCode, bool ended) {
    const std::vector<std::string_view> parts = splitAtMost(exchange, "\r\n", 10);
    const std::string_view status = partAt(parts, 5);
    const bool statusWhole = parts.size() > 6;
    if (statusWhole && (status.ends_with("OK") || statusCode == 206))
        return {LogTestOutcome::Passed, {}};
    const std::string_view tenth = partAt(parts, 9);
    if (parts.size() == 10 && tenth.size() >= 69 && tenth.substr(58, 11) == "Please wait")
        return {LogTestOutcome::Passed, {}};

    const bool plain = ended || (statusWhole && statusCode != 0 && statusCode != 403) ||
                       (statusWhole && statusCode == 0 && parts.size() > 7);
    if (!plain) return {};
    if (status.ends_with("Not Found"))
        return {LogTestOutcome::Failed, "Invalid GameServer URL - please fix!"};
    if (partAt(parts, 6) == kBadRequestHead)
        return {LogTestOutcome::Failed, "Invalid GameServer URL - Error 400 (Bad Request)"};
    return {LogTestOutcome::Failed, "Log URL problem - " + quoted(status)};
}

} // namespace corvane
