#pragma once
// The operator's lines on standard input: a line beginning with "/" is a
// command line for the server (the command box, "/RULES" included), any
// other line is said in the game (the Say box). Lines are typed in UTF-8.

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace corvane {

class RconLink;

class OperatorInput {
public:
    // Longer lines are refused whole, with a word on the notices stream: the
    // server would not take them in one datagram anyway.
    static constexpr std::size_t kMaxLine = 1000;

    OperatorInput(RconLink& rcon, std::ostream& notices) : m_rcon(rcon), m_notices(notices) {}

    // Bytes as they arrive; every complete line is acted on.
    void feed(std::string_view bytes);
    // The end of input: a last line without a line end counts too.
    void finish();

private:
    void takeLine(std::string_view line);

    RconLink& m_rcon;
    std::ostream& m_notices;
    std::string m_line;
    bool m_tooLong = false;
};

} // namespace corvane
