#pragma once
// Builds a settings file line by line: each value followed by CR LF, nothing
// quoted or escaped. A non-negative number gets one leading blank (the sign
// position), a negative one its minus sign.

#include <string>
#include <string_view>

namespace corvane {

class LineWriter {
public:
    LineWriter& text(std::string_view value);
    LineWriter& quoted(std::string_view value); // "value"
    // A value the field reader gives back as it stands: bare, or in double
    // quotes when a comma, a line break, a blank at either end or a leading
    // double quote would change it. (A quoted value ends at its first double
    // quote: one that must be quoted and holds one cannot come back whole,
    // but it stays in its own field.)
    LineWriter& field(std::string_view value);
    LineWriter& number(long long value);
    LineWriter& single(float value);
    LineWriter& boolean(bool value); // True / False

    const std::string& contents() const { return m_out; }

private:
    std::string m_out;
};

// " 5", "-5"; " 12.5", " 1440".
std::string signedNumberText(long long value);
std::string signedSingleText(float value);

} // namespace corvane
