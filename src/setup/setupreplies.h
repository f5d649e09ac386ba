#pragma once
// What the setup wizard reads from the server's answers: its view of an RCON
// reply, the facts in the serverinfo list, the exclusion list, and the verdict
// on the log host's answer. Pure: no sockets, no files.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Colour codes ^0 to ^9, the 0xFF header bytes and every byte 1 removed, and
// every line break turned into ";". Replies longer than kMaxSetupReply are cut.
inline constexpr std::size_t kMaxSetupReply = 16 * 1024;
std::string setupReplyText(std::string_view datagram);

// Which request a reply answers, as far as its text tells. The answers to
// setting g_logSync and g_logTimeStampInSeconds carry nothing of their own.
enum class SetupReplyKind { WrongPassword, ServerInfo, Exclusion, Other };
SetupReplyKind classifySetupReply(std::string_view text);

struct ServerFacts {
    std::string maxClientsText;             // the last two characters of the slot-count line
    std::optional<std::int16_t> maxClients; // when that is a whole number
    std::string hostName;                   // sv_hostname, storable in Data/Config.txt
    std::string ranked;                     // sv_ranked; empty when the line is missing
};
// The serverinfo list by its fixed positions: the slot count on line 2, the
// host name on line 13 and the ranked setting on line 19.
ServerFacts readServerInfo(std::string_view text);

// The value between the double quotes after "is:" in the answer to the
// playlist_excludeMap query; empty when there is none.
std::string exclusionValue(std::string_view text);
// The default excluded map learned from that value: kept (neutralised) when
// it begins with "mp", otherwise empty.
std::string learnedExclusion(std::string_view value);
// A list that excludes every map of the table but one forces that map: it is
// no default rotation.
bool isForcedList(std::string_view list, const std::vector<std::string>& tableMaps);

// Line ends of a reply arriving in pieces: every lone CR or LF becomes CR LF.
// A CR at the end of a piece waits for the next one (it may be half of CR LF).
class CrLfNormaliser {
public:
    void append(std::string& out, std::string_view piece);
    void finish(std::string& out);

private:
    bool m_pendingCr = false;
};

enum class LogTestOutcome { Waiting, Passed, Failed };
struct LogTestVerdict {
    LogTestOutcome outcome = LogTestOutcome::Waiting;
    std::string failure; // the red status line of a failure
};

// The log test's exchange is the request (four lines and an empty line) and
// the reply after it, split at CR LF: part 5 is the reply's status line. It
// passes on a status line ending in "OK" (or a 206 partial answer, which the
// log fetcher reads as well) or on the provider's wait page. Anything else
// fails once it is plain: the status line is whole and asks for no pause
// (403), a page without headers has shown its second line, or the reply
// ended. statusCode is 0 until the status line is known (and for a page
// without headers).
LogTestVerdict judgeLogExchange(std::string_view exchange, int statusCode, bool ended);

} // namespace corvane
