#include "core/rtf.h"

#include "core/ascii.h"
#include "core/cp1252.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstdint>

namespace corvane {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void appendHexByte(std::string& out, unsigned char c) {
    out += "\\'";
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
}

void appendEscaped(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\\par\r\n";
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x80) {
            appendHexByte(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
}

Colour colourOf(int red, int green, int blue) {
    return static_cast<Colour>(red & 0xFF) | static_cast<Colour>(green & 0xFF) << 8 |
           static_cast<Colour>(blue & 0xFF) << 16;
}

} // namespace

std::string toRtf(const std::vector<TextRun>& runs) {
    std::vector<Colour> colours{kBlack};
    for (const TextRun& run : runs)
        if (std::find(colours.begin(), colours.end(), run.colour) == colours.end())
            colours.push_back(run.colour);

    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 "
                      "Arial;}}\r\n{\\colortbl ;";
    for (Colour c : colours)
        out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) +
               "\\blue" + std::to_string((c >> 16) & 0xFF) + ";";
    out += "}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20";
    for (const TextRun& run : runs) {
        const auto index = std::find(colours.begin(), colours.end(), run.colour) - colours.begin();
        // Colour 0 of the table is the reader's default; ours start at 1.
        out += "\\cf" + std::to_string(index + 1) + (run.bold ? "\\b " : "\\b0 ");
        appendEscaped(out, run.text);
    }
    // A reader drops the paragraph end after the last line; a text that ends
    // in a line break keeps it with one more.
    const auto last = std::find_if(runs.rbegin(), runs.rend(),
                                   [](const TextRun& run) { return !run.text.empty(); });
    if (last != runs.rend() && (last->text.back() == '\r' || last->text.back() == '\n'))
        out += "\\par\r\n";
    out += "}\r\n";
    return out;
}

namespace {

class RtfReader {
public:
    explicit RtfReader(std::string_view doc) : m_doc(doc) {}

    std::optional<std::vector<TextRun>> read() {
        if (!m_doc.starts_with("{\\rtf")) return std::nullopt;
        while (m_pos < m_doc.size() && !m_done) {
            const char c = m_doc[m_pos++];
            if (c == '{') {
                if (m_stack.size() >= kMaxDepth) return std::nullopt;
                m_stack.push_back(m_state);
                m_state.destinationStart = true;
            } else if (c == '}') {
                closeGroup();
            } else if (c == '\\') {
                controlSymbol();
            } else if (c != '\r' && c != '\n') {
                text(c);
            }
        }
        // A word processor ends the last line with a paragraph mark.
        if (!m_runs.empty() && m_runs.back().text.ends_with("\r\n")) {
            m_runs.back().text.resize(m_runs.back().text.size() - 2);
            if (m_runs.back().text.empty()) m_runs.pop_back();
        }
        return m_runs;
    }

private:
    static constexpr std::size_t kMaxDepth = 200;

    enum class Skip { None, Destination, ColourTable };
    struct State {
        bool bold = false;
        int colourIndex = 0;
        int unicodeSkip = 1;
        Skip skip = Skip::None;
        bool destinationStart = true; // no text or word yet in this group
    };

    void closeGroup() {
        if (m_stack.empty()) {
            m_done = true;
            return;
        }
        m_state = m_stack.back();
        m_stack.pop_back();
    }

    void controlSymbol() {
        if (m_pos >= m_doc.size()) return;
        const char c = m_doc[m_pos];
        if (isAsciiLetter(c)) return controlWord();
        ++m_pos;
        switch (c) {
        case '\'':
            hexByte();
            break;
        case '*':
            m_state.skip = m_state.skip == Skip::None ? Skip::Destination : m_state.skip;
            break;
        case '~':
            text('\xA0');
            break;
        case '_':
            text('-');
            break;
        case '\r':
        case '\n':
            text('\r');
            text('\n');
            break;
        case '-':
            break; // optional hyphen
        default:
            text(c); // "\\", "\{", "\}" and unknown symbols stand for themselves
        }
    }

    void controlWord() {
        const std::size_t start = m_pos;
        while (m_pos < m_doc.size() && isAsciiLetter(m_doc[m_pos]))
            ++m_pos;
        const std::string_view word = m_doc.substr(start, m_pos - start);
        std::optional<std::int64_t> param;
        const std::size_t numberStart = m_pos;
        if (m_pos < m_doc.size() && m_doc[m_pos] == '-') ++m_pos;
        while (m_pos < m_doc.size() && m_pos - numberStart < 10 && isAsciiDigit(m_doc[m_pos]))
            ++m_pos;
        std::int64_t value = 0;
        if (m_pos > numberStart && isAsciiDigit(m_doc[m_pos - 1]) &&
            std::from_chars(m_doc.data() + numberStart, m_doc.data() + m_pos, value).ec ==
                std::errc())
            param = value;
        else
            m_pos = numberStart;
        if (m_pos < m_doc.size() && m_doc[m_pos] == ' ') ++m_pos;
        apply(word, param);
    }

    void apply(std::string_view word, std::optional<std::int64_t> param) {
        const bool starts = m_state.destinationStart;
        m_state.destinationStart = false;
        if (word == "colortbl" && starts) {
            m_state.skip = Skip::ColourTable;
            m_colourTable.clear();
            m_pendingColour = {0, 0, 0};
            return;
        }
        if (m_state.skip == Skip::ColourTable) return colourWord(word, param);
        if (starts && isSkippedDestination(word)) m_state.skip = Skip::Destination;
        if (m_state.skip != Skip::None) return;
        if (word == "par" || word == "line") {
            text('\r');
            text('\n');
        } else if (word == "tab") {
            text('\t');
        } else if (word == "b") {
            m_state.bold = !param || *param != 0;
        } else if (word == "cf") {
            m_state.colourIndex =
                param ? static_cast<int>(std::clamp<std::int64_t>(*param, 0, INT_MAX)) : 0;
        } else if (word == "plain") {
            m_state.bold = false;
            m_state.colourIndex = 0;
        } else if (word == "uc") {
            m_state.unicodeSkip =
                param ? static_cast<int>(std::clamp<std::int64_t>(*param, 0, 10)) : 1;
        } else if (word == "u" && param) {
            unicodeChar(*param);
        }
    }

    void colourWord(std::string_view word, std::optional<std::int64_t> param) {
        const int value = param ? static_cast<int>(std::clamp<std::int64_t>(*param, 0, 255)) : 0;
        if (word == "red") m_pendingColour[0] = value;
        if (word == "green") m_pendingColour[1] = value;
        if (word == "blue") m_pendingColour[2] = value;
    }

    void hexByte() {
        if (m_pos + 2 > m_doc.size()) return;
        const int hi = hexDigitValue(m_doc[m_pos]), lo = hexDigitValue(m_doc[m_pos + 1]);
        if (hi < 0 || lo < 0) return;
        m_pos += 2;
        text(static_cast<char>(hi * 16 + lo));
    }

    void unicodeChar(std::int64_t code) {
        // -32768 to -1 stand for the code points above 32767: Windows-1252 has none
        // of those, nor of anything past 65535.
        emit(code >= 0 && code <= 0xFFFF ? toCp1252(static_cast<std::uint32_t>(code)) : '?');
        m_pendingSkip = m_state.unicodeSkip;
    }

    void text(char c) {
        if (m_state.skip == Skip::ColourTable) {
            // Each ";" ends one entry; entry 0 is the reader's default colour.
            if (c == ';') {
                m_colourTable.push_back(
                    colourOf(m_pendingColour[0], m_pendingColour[1], m_pendingColour[2]));
                m_pendingColour = {0, 0, 0};
            }
            return;
        }
        m_state.destinationStart = false;
        if (m_state.skip != Skip::None) return;
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        emit(c);
    }

    void emit(char c) {
        const int index = m_state.colourIndex;
        const Colour colour = index > 0 && static_cast<std::size_t>(index) < m_colourTable.size()
                                  ? m_colourTable[static_cast<std::size_t>(index)]
                                  : kBlack;
        if (m_runs.empty() || m_runs.back().colour != colour || m_runs.back().bold != m_state.bold)
            m_runs.push_back(TextRun{"", colour, m_state.bold});
        m_runs.back().text += c;
    }

    static bool isSkippedDestination(std::string_view word) {
        static constexpr std::string_view kSkipped[] = {
            "fonttbl",      "stylesheet", "info",      "pict",
            "header",       "footer",     "headerl",   "headerr",
            "footerl",      "footerr",    "listtable", "listoverridetable",
            "rsidtbl",      "generator",  "themedata", "colorschememapping",
            "latentstyles", "datastore",  "xmlnstbl",  "pgdsctbl",
            "object",       "filetbl",    "revtbl",    "fldinst",
            "template",     "nonshppict", "userprops", "mmathPr",
            "footnote",
        };
        return std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped);
    }

    std::string_view m_doc;
    std::size_t m_pos = 0;
    bool m_done = false;
    State m_state;
    std::vector<State> m_stack;
    std::vector<TextRun> m_runs;
    std::vector<Colour> m_colourTable{kBlack};
    std::array<int, 3> m_pendingColour{};
    int m_pendingSkip = 0; // fallback characters still to skip after a \u
};

} // namespace

std::optional<std::vector<TextRun>> fromRtf(std::string_view document) {
    return RtfReader(document).read();
}

} // namespace corvane
