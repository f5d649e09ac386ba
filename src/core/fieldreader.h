#pragma once
// The comma- and quote-aware field reader used by every settings file:
//  - blanks and tabs before a field are skipped;
//  - a field that starts with a double quote runs to the next double quote
//    (commas and blanks inside belong to it); the reader then skips to after
//    the next comma or the end of the line;
//  - any other field runs to the next comma or the end of the line, trailing
//    blanks dropped; so a bare value holding a comma yields two fields;
//  - reading past the end of the text, or a value that does not convert, is a
//    FieldReadError.
// Line ends may be CR LF, LF or a lone CR.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class FieldReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The items of a list file (rules, reasons): items end at a comma or a line
// end, blanks around them are dropped, a double-quoted item keeps its commas
// but never runs past its line. Reading stops at the first empty item or
// after max items; cut tells whether more were left.
struct ItemList {
    std::vector<std::string> items;
    bool cut = false;
};
ItemList readItemList(const std::string& text, std::size_t max);

// The whole text of a settings file; a file that cannot be opened fails like
// a missing field, with a FieldReadError.
std::string readFieldFile(const std::filesystem::path& file);

class FieldReader {
public:
    explicit FieldReader(std::string text) : m_text(std::move(text)) {}

    // True when no field is left to read.
    bool atEnd() const { return m_pos >= m_text.size(); }

    std::string readText();
    std::int16_t readInt16();
    std::int32_t readInt32();
    float readSingle();
    // "True"/"False" in any letter case, or a whole number (non-zero is true).
    bool readBool();
    // The rest of the current line, as it stands (nothing skipped or cut), and
    // moves to the next line.
    std::string readLine();

private:
    void skipBlanks();
    void skipLineEnd();

    std::string m_text;
    std::size_t m_pos = 0;
};

} // namespace corvane
