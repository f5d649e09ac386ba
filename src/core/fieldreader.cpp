#include "core/fieldreader.h"

#include "core/gametext.h"
#include "core/numbers.h"
#include "core/textfile.h"

namespace corvane {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

std::string conversionError(const std::string& value, const char* type) {
    return "cannot read \"" + value + "\" as " + type;
}

} // namespace

std::string readFieldFile(const std::filesystem::path& file) {
    auto text = readFile(file);
    if (!text) throw FieldReadError("cannot open " + file.string());
    return std::move(*text);
}

void FieldReader::skipBlanks() {
    while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
        ++m_pos;
}

void FieldReader::skipLineEnd() {
    if (m_pos < m_text.size() && m_text[m_pos] == '\r') ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == '\n') ++m_pos;
}

std::string FieldReader::readText() {
    skipBlanks();
    if (atEnd()) throw FieldReadError("input past end of file");

    std::string value;
    if (m_text[m_pos] == '"') {
        const std::size_t close = m_text.find('"', m_pos + 1);
        const std::size_t stop = close == std::string::npos ? m_text.size() : close;
        value = m_text.substr(m_pos + 1, stop - m_pos - 1);
        m_pos = stop == m_text.size() ? stop : stop + 1;
        while (m_pos < m_text.size() && m_text[m_pos] != ',' && !isLineEnd(m_text[m_pos]))
            ++m_pos;
    } else {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != ',' && !isLineEnd(m_text[m_pos]))
            ++m_pos;
        std::size_t end = m_pos;
        while (end > start && isBlank(m_text[end - 1]))
            --end;
        value = m_text.substr(start, end - start);
    }

    if (m_pos < m_text.size()) {
        if (m_text[m_pos] == ',')
            ++m_pos;
        else
            skipLineEnd();
    }
    return value;
}

std::int16_t FieldReader::readInt16() {
    const std::string value = readText();
    const auto number = toInt16(value);
    if (!number) throw FieldReadError(conversionError(value, "a 16-bit integer"));
    return *number;
}

std::int32_t FieldReader::readInt32() {
    const std::string value = readText();
    const auto number = toInt32(value);
    if (!number) throw FieldReadError(conversionError(value, "a 32-bit integer"));
    return *number;
}

float FieldReader::readSingle() {
    const std::string value = readText();
    const auto number = toSingle(value);
    if (!number) throw FieldReadError(conversionError(value, "a number"));
    return *number;
}

bool FieldReader::readBool() {
    const std::string value = readText();
    if (equalsIgnoringCase(value, "true") || equalsIgnoringCase(value, "#true#")) return true;
    if (equalsIgnoringCase(value, "false") || equalsIgnoringCase(value, "#false#")) return false;
    if (const auto number = toInt32(value)) return *number != 0;
    throw FieldReadError(conversionError(value, "True or False"));
}

std::string FieldReader::readLine() {
    if (atEnd()) throw FieldReadError("input past end of file");
    const std::size_t start = m_pos;
    while (m_pos < m_text.size() && !isLineEnd(m_text[m_pos]))
        ++m_pos;
    std::string line = m_text.substr(start, m_pos - start);
    skipLineEnd();
    return line;
}

ItemList readItemList(const std::string& text, std::size_t max) {
    ItemList list;
    FieldReader in(text);
    while (!in.atEnd()) {
        std::string item;
        try {
            item = in.readText();
        } catch (const FieldReadError&) {
            break; // only blanks were left
        }
        // An unclosed quote must not carry the following lines into one item.
        item = item.substr(0, item.find_first_of("\r\n"));
        if (item.empty()) break;
        if (list.items.size() == max) {
            list.cut = true;
            break;
        }
        list.items.push_back(std::move(item));
    }
    return list;
}

} // namespace corvane
