#pragma once
// Clock, shell hand-off and HTTP download on Qt, plus the prompts of the
// program without windows.

#include "core/clock.h"
#include "core/prompts.h"
#include "core/shell.h"

#include <memory>
#include <ostream>

class QNetworkAccessManager;

namespace corvane::qt {

class QtClock : public Clock {
public:
    LocalDateTime now() const override;
};

// Opens addresses and files with the desktop's associated program (xdg-open).
class QtShell : public Shell {
public:
    bool openUrl(const std::string& url) override;
    bool openFile(const std::filesystem::path& file) override;
};

class QtDownloader : public Downloader {
public:
    QtDownloader();
    ~QtDownloader() override;
    void download(const std::string& url, const std::filesystem::path& destination,
                  Done done) override;

private:
    std::unique_ptr<QNetworkAccessManager> m_manager;
};

// Without a window nobody can answer: every box is written to the error stream
// and answered at once. OK boxes answer Ok, Yes/No boxes answer No (nothing is
// cleared or changed), Abort/Retry/Ignore boxes answer Abort (a critical error
// ends the program with a non-zero status). Input boxes answer empty (cancel).
class StreamPrompts : public Prompts {
public:
    explicit StreamPrompts(std::ostream& out) : m_out(out) {}
    MessageResult messageBox(const std::string& title, const std::string& text,
                             MessageButtons buttons, MessageIcon icon) override;
    std::string inputBox(const std::string& title, const std::string& prompt,
                         const std::string& initial) override;

private:
    std::ostream& m_out;
};

} // namespace corvane::qt
