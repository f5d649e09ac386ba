#pragma once
// Data/Levels.txt and Data/Commands.txt.
//
// Levels.txt: line 1 the default group's level; then per group a line
// "[name]", one line per command word and an empty line. Both files are read
// item by item with the settings field reader (an item ends at a comma or a
// line end, blanks around it dropped, quotes taken off), so names and words
// cannot hold commas.

#include "players/grouptable.h"

#include <cstdint>
#include <string>

namespace corvane {

// Line 1 of Levels.txt. Throws FieldReadError.
std::int16_t readDefaultRank(const std::string& levelsText);

// Reads straight into table (DefaultRank, GroupName from level 1, and
// GroupCommands); on a FieldReadError what was read before stays.
void readLevelsFile(const std::string& text, GroupTable& table);
// The whole file, CR LF line ends, groups up to the first empty name.
std::string writeLevelsFile(const GroupTable& table);

// Fills CommandList from index 1, at most 100 words.
void readCommandsFile(const std::string& text, GroupTable& table);
// A group name must survive the trip through Levels.txt: not empty, no comma
// or line break, no blanks at its ends.
bool isStorableGroupName(const std::string& name);

} // namespace corvane
