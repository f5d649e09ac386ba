#include "headless/terminaltext.h"

#include "core/cp1252.h"

namespace corvane {
namespace {

// The five bytes Windows-1252 leaves undefined stand for C1 controls.
bool isControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F ||
           byte == 0x90 || byte == 0x9D;
}

// The nearest of the terminal's eight colours: each strong channel counts;
// with none, the strongest (colours are stored blue-green-red).
int ansiColour(Colour colour) {
    const unsigned red = colour & 0xFFu;
    const unsigned green = (colour >> 8) & 0xFFu;
    const unsigned blue = (colour >> 16) & 0xFFu;
    const int code = (red >= 0x80 ? 1 : 0) + (green >= 0x80 ? 2 : 0) + (blue >= 0x80 ? 4 : 0);
    if (code != 0) return 30 + code;
    if (red >= green && red >= blue) return 31;
    return green >= blue ? 32 : 34;
}

} // namespace

std::string terminalText(std::string_view gameText) {
    std::string safe(gameText);
    for (char& c : safe) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\t')
            c = ' ';
        else if (isControl(byte))
            c = '?';
    }
    return cp1252ToUtf8(safe);
}

std::string paint(std::string_view text, Colour colour, bool bold, bool colourOn) {
    if (!colourOn || (colour == kBlack && !bold) || text.empty()) return std::string(text);
    std::string codes = bold ? "1" : "";
    if (colour != kBlack) codes += (bold ? ";" : "") + std::to_string(ansiColour(colour));
    return "\x1b[" + codes + "m" + std::string(text) + "\x1b[0m";
}

} // namespace corvane
