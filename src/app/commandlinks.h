#pragma once
// What the in-game commands ask of the rest of the program: the map, vote and
// rules commands go to the maps subsystem, the shutdown and the server's
// uptime to the App.

#include "commands/commandports.h"

namespace corvane {

class App;

class CommandLinks : public MapCommands, public CommandHost {
public:
    explicit CommandLinks(App& app) : m_app(app) {}

    void DisplayNextMap() override;
    void Amap(const CommandIssuer& issuer, const std::string& name) override;
    void startDefaultRotation() override;
    void skip(const CommandIssuer& voter) override;
    void SendRules(const CommandIssuer& issuer) override;

    std::int32_t serverUptimeMinutes() const override;
    void ENDALL() override;

private:
    App& m_app;
};

} // namespace corvane
