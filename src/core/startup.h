#pragma once
// The checks the program makes before any window exists.

#include "core/apppaths.h"

namespace corvane {

class Prompts;

// Compares the version field of Data/Mod.txt with this build. On a mismatch or
// an unreadable file it shows the critical box and returns false: the program
// must end.
bool CheckModVersion(const AppPaths& paths, Prompts& prompts);

enum class StartMode { MainWindow, FirstRun, End };

// The whole start decision: the version check, then the first field of
// Data/Config.txt ("FIRST", exactly, means the setup has never been done).
StartMode decideStartMode(const AppPaths& paths, Prompts& prompts);

} // namespace corvane
