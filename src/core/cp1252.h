#pragma once
// Game text is Windows-1252 bytes. The window works in Unicode; these convert
// at its edge.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

std::string cp1252ToUtf8(std::string_view bytes);
// Characters outside Windows-1252 become '?'.
char toCp1252(std::uint32_t codePoint);
std::string utf8ToCp1252(std::string_view utf8);

} // namespace corvane
