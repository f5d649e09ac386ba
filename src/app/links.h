#pragma once
// The small interfaces through which the App lets one subsystem ask another
// that it may not know (a sibling, or one above it). Each is a thin adapter
// the App owns; the answers come from the subsystem named.

#include "logfeed/logparser.h"
#include "players/playerdatabase.h"
#include "rcon/playerevents.h"
#include "rcon/rconlink.h"
#include "rcon/rconqueue.h"

namespace corvane {

// Greeting begins once the log parser has handled its first batch.
class ParserGreetingGate final : public GreetingGate {
public:
    explicit ParserGreetingGate(const LogParser& parser) : m_parser(parser) {}
    bool FirstBatchDone() const override { return m_parser.FirstBatchDone(); }

private:
    const LogParser& m_parser;
};

// This build has no sanction reasons, rules or name checks yet: "MSG<n>"
// names no reason, no rule is paced and every name passes.
class NoReasonsRulesOrNameChecks final : public ReasonTexts, public RuleCount, public NameChecks {
public:
    std::string reason(int) const override { return {}; }
    int rulesLoaded() const override { return 0; }
    bool CheckBadNames(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
    bool CheckBadxBox(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
};

} // namespace corvane
