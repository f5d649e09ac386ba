#include "headless/terminal.h"

#include <iostream>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace corvane {

bool readsOperatorLines(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return false;
    return ::isatty(fd) == 1 || S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode);
}

bool colourWanted(int fd, const char* noColor) {
    return ::isatty(fd) == 1 && !(noColor && *noColor);
}

std::optional<std::string> askOnTerminal(const std::string& prompt, bool secret) {
    std::cerr << prompt << std::flush;
    termios saved{};
    // Only a terminal has attributes; a pipe or a file fails here.
    const bool hide = secret && ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (hide) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string line;
    const bool read = static_cast<bool>(std::getline(std::cin, line));
    if (hide) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        std::cerr << std::endl;
    }
    if (!read) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

} // namespace corvane
