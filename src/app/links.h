#pragma once
// The small interfaces through which the App lets one subsystem ask another
// that it may not know (a sibling, or one above it). Each is a thin adapter
// the App owns; the answers come from the subsystem named, which may be built
// after the one asking (it is asked only once everything exists).

#include "commands/commands.h"
#include "enforcement/enforcement.h"
#include "logfeed/logparser.h"
#include "maps/maps.h"
#include "players/playerdatabase.h"
#include "rcon/playerevents.h"
#include "rcon/rconlink.h"
#include "rcon/rconqueue.h"

namespace corvane {

// Greeting and second chance begin once the log parser has handled its first
// batch.
class ParserProgress final : public GreetingGate, public LogProgress {
public:
    explicit ParserProgress(const LogParser& parser) : m_parser(parser) {}
    bool FirstBatchDone() const override { return m_parser.FirstBatchDone(); }

private:
    const LogParser& m_parser;
};

// "MSG<n>" stands for the commands' numbered reasons; the rules' count comes
// from the maps' message lists.
class ReasonsAndRules final : public ReasonTexts, public RuleCount {
public:
    ReasonsAndRules(const Commands& commands, const Maps& maps)
        : m_commands(commands), m_maps(maps) {}
    std::string reason(int number) const override { return m_commands.reasons.forConsole(number); }
    int rulesLoaded() const override { return m_maps.messages.rulesLoaded(); }

private:
    const Commands& m_commands;
    const Maps& m_maps;
};

// The enforcement's name rules check every newly seen player.
class EnforcedNames final : public NameChecks {
public:
    explicit EnforcedNames(Enforcement& enforcement) : m_enforcement(enforcement) {}
    bool CheckBadNames(const std::string& name, const std::string& slot,
                       const std::string& guid) override {
        return m_enforcement.names.CheckBadNames(name, slot, guid);
    }
    bool CheckBadxBox(const std::string& name, const std::string& slot,
                      const std::string& guid) override {
        return m_enforcement.names.CheckBadxBox(name, slot, guid);
    }

private:
    Enforcement& m_enforcement;
};

} // namespace corvane
