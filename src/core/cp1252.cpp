#include "core/cp1252.h"

#include <cstdint>

namespace corvane {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes Windows-1252 leaves
// undefined (they map to the C1 control of the same value).
constexpr std::uint16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::uint32_t codePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && kHigh[byte - 0x80] != 0) return kHigh[byte - 0x80];
    return byte;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else { // every Windows-1252 sign lies below U+10000
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

char toCp1252(std::uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    // From here on cp is 0x80 or above.
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
    // The five undefined bytes stand for themselves.
    if (cp <= 0x9F && kHigh[cp - 0x80] == 0) return static_cast<char>(cp);
    return '?';
}

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char b : bytes)
        appendUtf8(out, codePoint(static_cast<unsigned char>(b)));
    return out;
}

std::string utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int extra = lead < 0x80         ? 0
                    : (lead >> 5) == 6  ? 1
                    : (lead >> 4) == 14 ? 2
                    : (lead >> 3) == 30 ? 3
                                        : -1;
        if (extra < 0 ||
            i + static_cast<std::size_t>(extra) >= utf8.size() + (extra == 0 ? 1 : 0)) {
            out += '?';
            ++i;
            continue;
        }
        std::uint32_t cp = extra == 0 ? lead : (lead & (0x3FU >> extra));
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            const auto cont = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((cont & 0xC0) != 0x80) valid = false;
            cp = (cp << 6) | (cont & 0x3FU);
        }
        out += valid ? toCp1252(cp) : '?';
        i += valid ? static_cast<std::size_t>(extra) + 1 : 1;
    }
    return out;
}

} // namespace corvane
