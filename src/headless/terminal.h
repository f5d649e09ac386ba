#pragma once
// What the program's standard streams are, and questions on the terminal.

#include <optional>
#include <string>

namespace corvane {

// The operator can type on this descriptor: a terminal, a pipe or a socket.
// A service's /dev/null or a plain file is no operator.
bool readsOperatorLines(int fd);

// Colour escapes on this descriptor: only on a terminal, and never while the
// NO_COLOR variable holds a value.
bool colourWanted(int fd, const char* noColor);

// Writes the prompt to standard error and reads one line from standard input,
// without echo when secret and standard input is a terminal. None at the end
// of input.
std::optional<std::string> askOnTerminal(const std::string& prompt, bool secret);

} // namespace corvane
