#include "tempappdir.h"

#include "core/textfile.h"
#include "players/playerstore.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace corvane::testing {

namespace fs = std::filesystem;

fs::path defaultDataDir() {
    return CORVANE_DEFAULT_DATA_DIR;
}

TempAppDir::TempAppDir() {
    static std::atomic<int> counter{0};
    m_dir = fs::temp_directory_path() /
            ("corvane-app-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(m_dir);
    fs::create_directories(m_dir / "Data");
    fs::create_directories(m_dir / "Logs");
    for (const auto& entry : fs::directory_iterator(defaultDataDir()))
        if (entry.path().extension() == ".txt")
            fs::copy_file(entry.path(), m_dir / "Data" / entry.path().filename());
    // The empty player databases the build ships beside them.
    PlayerStore::createEmpty(m_dir / "Data/new.mdb");
    PlayerStore::createEmpty(m_dir / "Data/playerdb.mdb");
}

TempAppDir::~TempAppDir() {
    std::error_code ignored;
    fs::remove_all(m_dir, ignored);
}

void TempAppDir::write(const std::string& relative, const std::string& contents) const {
    std::ofstream(m_dir / relative, std::ios::binary | std::ios::trunc) << contents;
}

std::string TempAppDir::read(const std::string& relative) const {
    std::ifstream in(m_dir / relative, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string TempAppDir::line(const std::string& relative, std::size_t index) const {
    return splitLines(read(relative)).at(index);
}

void TempAppDir::replaceLine(const std::string& relative, std::size_t index,
                             const std::string& text) const {
    std::vector<std::string> lines = splitLines(read(relative));
    lines.at(index) = text;
    std::string file;
    for (const std::string& each : lines)
        file += each + "\r\n";
    write(relative, file);
}

void TempAppDir::writeConfiguredServer() const {
    write("Data/Config.txt", "Alpha\r\n28960\r\n127.0.0.1\r\nsecret\r\nhttp://logs.example.net/"
                             "alpha/games_mp.log\r\n 18\r\nAlpha Host\r\n\"mp_nuked\"\r\n");
}

} // namespace corvane::testing
