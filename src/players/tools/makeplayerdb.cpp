// Writes an empty player database (the table and its GUID index) to each file
// named on the command line, replacing what was there. The build uses it for
// Data/new.mdb and Data/playerdb.mdb of the ready-to-run folder.

#include "players/playerstore.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: " << argv[0] << " FILE...\n";
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path file = argv[i];
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
    return 0;
}
