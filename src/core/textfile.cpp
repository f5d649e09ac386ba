#include "core/textfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace corvane {

std::optional<std::string> readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return contents;
}

bool appendLine(const std::filesystem::path& file, std::string_view text) {
    std::FILE* f = std::fopen(file.c_str(), "ab");
    if (!f) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fwrite("\r\n", 1, 2, f) == 2 && ok;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

bool atomicReplace(const std::filesystem::path& file, std::string_view contents,
                   std::string* error) {
    const std::filesystem::path temp = file.string() + ".saving";
    auto fail = [&](const std::string& what) {
        if (error) *error = what + ": " + std::strerror(errno);
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return false;
    };

    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return fail("cannot create " + temp.string());
    std::size_t written = 0;
    while (written < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + written, contents.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return fail("cannot write " + temp.string());
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        ::close(fd);
        return fail("cannot flush " + temp.string());
    }
    if (::close(fd) != 0) return fail("cannot close " + temp.string());
    if (std::rename(temp.c_str(), file.c_str()) != 0)
        return fail("cannot replace " + file.string());
    return true;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2U : 1U;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::optional<std::vector<std::string>> readLastLines(const std::filesystem::path& file,
                                                      std::size_t count) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return std::nullopt;

    constexpr std::streamoff kBlock = 8 * 1024;
    std::string tail;
    std::streamoff from = size;
    std::size_t breaks = 0;
    // Read backwards until the tail holds more line breaks than the lines wanted
    // (so its first, possibly partial, line can be dropped) or the file's start.
    while (from > 0 && breaks <= count) {
        const std::streamoff length = std::min(kBlock, from);
        from -= length;
        std::string block(static_cast<std::size_t>(length), '\0');
        in.seekg(from);
        if (!in.read(block.data(), length)) return std::nullopt;
        for (std::size_t j = 0; j < block.size(); ++j) {
            const char next = j + 1 < block.size() ? block[j + 1] : (tail.empty() ? '\0' : tail[0]);
            if (block[j] == '\n' || (block[j] == '\r' && next != '\n')) ++breaks;
        }
        tail.insert(0, block);
    }

    std::vector<std::string> lines = splitLines(tail);
    if (lines.size() > count) lines.erase(lines.begin(), lines.end() - static_cast<long>(count));
    return lines;
}

} // namespace corvane
