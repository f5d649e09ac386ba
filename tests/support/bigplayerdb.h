#pragma once
// A player database with many players, for the benchmarks: varied names,
// groups, GUIDs and dates, written in one transaction.

#include <filesystem>
#include <string>

namespace corvane::testing {

// The GUID of the n-th player.
std::string benchGuid(int n);
// Adds players 1 to count to the (existing, empty) database file.
void fillPlayerDatabase(const std::filesystem::path& file, int count);

} // namespace corvane::testing
