#pragma once
// Hand-offs to the desktop: open a web address or a file with its associated
// program, and download a file over HTTP.

#include <filesystem>
#include <functional>
#include <string>

namespace corvane {

class Shell {
public:
    virtual ~Shell() = default;
    virtual bool openUrl(const std::string& url) = 0;
    virtual bool openFile(const std::filesystem::path& file) = 0;
};

class Downloader {
public:
    using Done = std::function<void(bool ok, const std::string& error)>;
    virtual ~Downloader() = default;
    // Saves the body of url to destination; done runs on the event loop.
    virtual void download(const std::string& url, const std::filesystem::path& destination,
                          Done done) = 0;
};

} // namespace corvane
