#pragma once
// Deterministic stand-ins for the remaining ports, and one bundle of all of them.

#include "core/clock.h"
#include "core/ports.h"
#include "core/prompts.h"
#include "core/shell.h"
#include "fakenet.h"
#include "virtualeventloop.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace corvane::testing {

// Answers message boxes from a script (first in, first out); when the script
// is empty it answers the first button (Ok, Yes or Abort). Records every box.
class ScriptedPrompts : public Prompts {
public:
    struct Asked {
        std::string title;
        std::string text;
        MessageButtons buttons;
        MessageIcon icon;
    };

    MessageResult messageBox(const std::string& title, const std::string& text,
                             MessageButtons buttons, MessageIcon icon) override;
    std::string inputBox(const std::string& title, const std::string& prompt,
                         const std::string& initial) override;

    // Runs while a message box is up, as the real box's event loop would.
    std::function<void()> whileShown;
    std::deque<MessageResult> answers;
    std::deque<std::string> inputs;
    std::vector<Asked> asked;
    std::vector<std::string> inputPrompts;
};

// Local time that follows the virtual loop: base + virtual milliseconds.
class VirtualClock : public Clock {
public:
    VirtualClock(const VirtualEventLoop& loop, LocalDateTime base) : m_loop(loop), m_base(base) {}
    LocalDateTime now() const override;
    void setBase(LocalDateTime base) { m_base = base; }

private:
    const VirtualEventLoop& m_loop;
    LocalDateTime m_base;
};

class FakeShell : public Shell {
public:
    bool openUrl(const std::string& url) override {
        opened.push_back(url);
        return true;
    }
    bool openFile(const std::filesystem::path& file) override {
        opened.push_back(file.string());
        return true;
    }
    std::vector<std::string> opened;
};

class FakeDownloader : public Downloader {
public:
    void download(const std::string& url, const std::filesystem::path& destination,
                  Done done) override {
        requests.push_back({url, destination, std::move(done)});
    }
    struct Request {
        std::string url;
        std::filesystem::path destination;
        Done done;
    };
    std::vector<Request> requests;
};

struct FakePorts {
    VirtualEventLoop loop;
    FakeNetworkFactory net{loop};
    ScriptedPrompts prompts;
    VirtualClock clock{loop, LocalDateTime{2026, 12, 5, 9, 18, 28}};
    FakeShell shell;
    FakeDownloader downloader;

    Ports ports() { return Ports{loop, net, prompts, clock, shell, downloader}; }
};

} // namespace corvane::testing
