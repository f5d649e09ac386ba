// Writes an empty player database (the table and its GUID index) to each file
// named on the command line. The build uses it for Data/new.mdb and
// Data/playerdb.mdb of the ready-to-run folder; with --keep, a file that
// already exists is left as it is, so rebuilding never empties a database
// that has been used.

#include "players/playerstore.h"

#include <filesystem>
#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    bool keep = false;
    int made = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--keep") {
            keep = true;
            continue;
        }
        const std::filesystem::path file = argv[i];
        ++made;
        if (keep && std::filesystem::exists(file)) continue;
        const std::filesystem::path staged = file.string() + ".making";
        try {
            std::filesystem::remove(staged);
            corvane::PlayerStore::createEmpty(staged);
            std::filesystem::rename(staged, file);
        } catch (const std::exception& e) {
            std::cerr << file.string() << ": " << e.what() << '\n';
            return 1;
        }
    }
    if (made == 0) {
        std::cerr << "usage: " << argv[0] << " [--keep] FILE...\n";
        return 2;
    }
    return 0;
}
