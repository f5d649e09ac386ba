#pragma once
// What the in-game commands ask of the rest of the program. The shutdown and
// the server's uptime come from the App. The map, vote and rules commands
// belong to the maps subsystem; until it is wired here they do nothing.

#include "commands/commandports.h"

namespace corvane {

class App;

class CommandLinks : public MapCommands, public CommandHost {
public:
    explicit CommandLinks(App& app) : m_app(app) {}

    std::int32_t serverUptimeMinutes() const override;
    void ENDALL() override;

    void DisplayNextMap() override {}
    void Amap(const CommandIssuer&, const std::string&) override {}
    void startDefaultRotation() override {}
    bool CheckVoteGUID(const std::string&) const override { return false; }
    void addvote(const CommandIssuer&) override {}
    void SendRules(const CommandIssuer&) override {}

private:
    App& m_app;
};

} // namespace corvane
