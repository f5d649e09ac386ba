#pragma once
// The names of the program's files, relative to its folder: the settings and
// lists in Data/ and the logs in Logs/. AppPaths::file turns them into paths.

#include <string_view>

namespace corvane {

inline constexpr std::string_view kDataDir = "Data";
inline constexpr std::string_view kLogsDir = "Logs";

// Data/: the server connection, the program's own settings, the lists.
inline constexpr std::string_view kConfigFile = "Data/Config.txt";
inline constexpr std::string_view kModFile = "Data/MOD.txt"; // also the version check
inline constexpr std::string_view kAdvancedFile = "Data/Advanced.txt";
inline constexpr std::string_view kLevelsFile = "Data/Levels.txt";
inline constexpr std::string_view kCommandsFile = "Data/Commands.txt";
inline constexpr std::string_view kWordFile = "Data/LF.txt";
inline constexpr std::string_view kTimedMessagesFile = "Data/MR.txt";
inline constexpr std::string_view kRulesFile = "Data/Rules.txt";
inline constexpr std::string_view kReasonsFile = "Data/Reasons.txt";
inline constexpr std::string_view kVersionFile = "Data/Version.txt";
inline constexpr std::string_view kPlayerDbTemplateFile = "Data/new.mdb";
inline constexpr std::string_view kPlayerDbFile = "Data/playerdb.mdb";

// Logs/: the activity log, the console, the chat view and its archive.
inline constexpr std::string_view kActivityLogFile = "Logs/Server.txt";
inline constexpr std::string_view kConsoleLogFile = "Logs/Console.txt";
inline constexpr std::string_view kChatViewFile = "Logs/Chat.rtf";
inline constexpr std::string_view kChatArchiveFile = "Logs/ChatArchive.txt";

// The name without its folder, as messages show it: "Data/MR.txt" -> "MR.txt".
constexpr std::string_view baseName(std::string_view file) {
    return file.substr(file.rfind('/') + 1);
}

} // namespace corvane
