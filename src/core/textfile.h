#pragma once
// Whole-file and line helpers. Settings files are replaced atomically; logs are
// appended one line per call, opened and closed each time so that other
// programs can read them at any moment.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

std::optional<std::string> readFile(const std::filesystem::path& file);

// Appends text + CR LF; false when the file cannot be opened or written.
bool appendLine(const std::filesystem::path& file, std::string_view text);

// Writes a temporary file beside the target and renames it over the target, so
// a crash or a full disk leaves either the old or the new file, never a
// truncated one. On failure the old file is untouched and error says why.
bool atomicReplace(const std::filesystem::path& file, std::string_view contents,
                   std::string* error = nullptr);

// Splits at CR LF, LF or a lone CR; a final line break does not add an empty line.
std::vector<std::string> splitLines(std::string_view text);

// The last count lines of a file (all of them when it has fewer), reading only
// as much of its end as needed. Empty optional when it cannot be read.
std::optional<std::vector<std::string>> readLastLines(const std::filesystem::path& file,
                                                      std::size_t count);

} // namespace corvane
