#pragma once
// The server setup wizard without its window: the operator's boxes, and the
// test that proves them before Data/Config.txt is written - an RCON login
// with serverinfo, the exclusion query, the two log settings, then one fetch
// of the log over HTTP. The window (or a text front end) renders the state
// and forwards the operator's input; every wait is on the event loop.

#include "core/apppaths.h"
#include "core/loghost.h"
#include "core/ports.h"
#include "core/richtext.h"
#include "core/serverconfig.h"
#include "core/signal.h"
#include "logfeed/httpresponse.h"
#include "setup/setupreplies.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class TcpStream;
class Timer;
class UdpChannel;
struct NetError;

// The boxes, with the presets of an empty form.
struct SetupFields {
    std::string ServerName = "TDM";
    std::string IP;
    std::string Port = "3074";
    std::string RconPassword;
    std::string LogURL;
};

enum class SetupButton { Save, Cancel, Continue };

// What the wizard asks of whoever opened it.
class SetupOwner {
public:
    virtual ~SetupOwner() = default;
    // "Continue": the proven settings are loaded (on a first run the main
    // window's state is created first).
    virtual void applySettings(bool firstRun) = 0;
};

class ServerSetup {
public:
    static constexpr int kTimeoutMs = 15000; // Timer1: each wait for an answer
    static constexpr int kStepDelayMs = 600; // Timer3: the next RCON command
    static constexpr int kLogTailBytes = 15000;
    static constexpr std::size_t kMaxExchange = 64 * 1024;

    struct Options {
        bool firstRun = false;
        // The maps of the rotation's table: a learned exclusion list that names
        // all of them but one forces a map and never replaces the stored default.
        std::vector<std::string> tableMaps;
    };

    // The owner loads the proven settings on "Continue".
    ServerSetup(Ports ports, const AppPaths& paths, Options options, SetupOwner& owner);
    ~ServerSetup();
    ServerSetup(const ServerSetup&) = delete;
    ServerSetup& operator=(const ServerSetup&) = delete;

    // Prefills the boxes from Data/Config.txt (called when the window opens).
    void InputConfig();
    // First-run mode: its own caption; closing the window ends the program.
    void SetF();

    // The main button: "Save" starts the test, "Cancel" ends it, "Continue"
    // loads the saved settings and closes the wizard.
    void pressMainButton();
    // The help button beside the log address.
    void Help();
    // The window closes: the test stops. True when that ends the program.
    bool close();

    SetupFields fields;

    std::string caption() const;
    SetupButton mainButton() const { return m_button; }
    std::string mainButtonText() const;
    bool statusVisible() const { return m_statusVisible; }
    // The hourglass: a test is under way, or the settings are being loaded.
    bool busy() const { return m_button == SetupButton::Cancel || m_applying; }
    bool firstRun() const { return m_firstRun; }
    // Hidden while "Continue" loads the settings.
    bool hidden() const { return m_hidden; }

    // The status box: one line per step, in its colour.
    const RichText& statusBox() const { return m_status; }
    RichText& statusBox() { return m_status; }
    // The reply log (each server reply with its time) and the HTTP exchange.
    RichText& replyLog() { return m_replyLog; }
    const std::string& exchange() const { return m_exchange; }
    // What the test learned and SaveToFile wrote.
    const ServerConfig& learned() const { return m_learned; }

    // Caption, button, status box, pointer or visibility changed.
    Signal<> stateChanged;
    Signal<> exchangeChanged;
    // "Continue" is done; the argument tells whether it was the first run (the
    // main window is shown now).
    Signal<bool> continued;

private:
    enum class Step { Idle, Login, Exclusion, LogSync, Stamps, LogTest };

    void startTest();
    void stopTest();
    bool checkLogAddress();
    bool checkTypedValues();
    void lookUpServer();
    void sendLogin();
    void Continue();
    void ClearAll();
    void fail(const std::string& title, const std::string& text);
    void statusLine(const std::string& text, Colour colour = kBlack);
    void appendReply(const std::string& text);

    void onDatagram(const std::string& datagram);
    void takeServerInfo(const std::string& text);
    void takeExclusion(const std::string& text);
    void nextStep(Step step);
    void Timer3_Timer();
    void Timer1_Timer();

    void TestWeb();
    void onLogConnected();
    void onLogData(const std::string& piece);
    void onLogClosed();
    void onLogError(const NetError& error);
    void judgeLogReply(bool ended);
    void logTestPassed();
    bool SaveToFile();

    void setButton(SetupButton button);
    template <typename F> void guarded(F&& handler);

    Ports m_ports;
    AppPaths m_paths;
    Options m_options;
    SetupOwner& m_owner;
    std::unique_ptr<UdpChannel> m_rcon;
    std::unique_ptr<TcpStream> m_log;
    std::unique_ptr<Timer> m_timer1;
    std::unique_ptr<Timer> m_timer3;

    SetupFields m_tested; // the boxes as they were when the test started
    std::uint16_t m_port = 0;
    // The tested host's numeric address, looked up without blocking when the
    // test starts; an answer to an earlier test (or after this object is
    // gone) is ignored.
    std::string m_address;
    std::shared_ptr<unsigned> m_lookupGeneration = std::make_shared<unsigned>(0);
    bool m_firstRun = false;
    SetupButton m_button = SetupButton::Save;
    bool m_statusVisible = false;
    bool m_applying = false;
    bool m_hidden = false;
    Step m_step = Step::Idle;
    RichText m_status;
    RichText m_replyLog;

    std::string m_storedExclusion; // field 8 of the file as the wizard found it
    ServerConfig m_learned;
    LogHostAddress m_logHost;
    std::string m_exchange;
    CrLfNormaliser m_lineEnds;
    HttpResponseDecoder m_decoder;
    bool m_logReported = false; // the log test's outcome is known
};

} // namespace corvane
