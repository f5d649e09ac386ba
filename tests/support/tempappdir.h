#pragma once
// A throw-away application directory: Data/ holding the shipped default files
// and empty player databases, and an empty Logs/. Removed again when the test ends.

#include <filesystem>
#include <string>

namespace corvane::testing {

class TempAppDir {
public:
    TempAppDir();
    ~TempAppDir();
    TempAppDir(const TempAppDir&) = delete;
    TempAppDir& operator=(const TempAppDir&) = delete;

    const std::filesystem::path& path() const { return m_dir; }
    std::filesystem::path file(const std::string& relative) const { return m_dir / relative; }

    void write(const std::string& relative, const std::string& contents) const;
    std::string read(const std::string& relative) const;
    // One line (0-based) of a CR LF text file, and the file with it replaced.
    std::string line(const std::string& relative, std::size_t index) const;
    void replaceLine(const std::string& relative, std::size_t index, const std::string& text) const;
    // Config.txt of a set-up server (not a first run).
    void writeConfiguredServer() const;

private:
    std::filesystem::path m_dir;
};

// Sets the value of a "name=" line of Data/Advanced.txt.
inline void setAdvanced(const TempAppDir& dir, const std::string& name, const std::string& value) {
    std::string text = dir.read("Data/Advanced.txt");
    const std::size_t at = text.find("\r\n" + name + "=") + 2;
    text.replace(at, text.find("\r\n", at) - at, name + "=" + value);
    dir.write("Data/Advanced.txt", text);
}

// The shipped default Data/ files, as the build prepares them.
std::filesystem::path defaultDataDir();

} // namespace corvane::testing
