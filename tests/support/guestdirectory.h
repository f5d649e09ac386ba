#pragma once
// For benchmarks and fuzzing: everybody is in the default group "Guest" and
// every name passes the name checks.

#include "rcon/playerevents.h"

#include <string>

namespace corvane::testing {

struct GuestDirectory : PlayerDirectory, NameChecks {
    std::string CheckAdminGroup(const std::string&) override { return "Guest"; }
    std::string defaultGroupName() const override { return "Guest"; }
    bool inDefaultGroup(const std::string&) const override { return true; }
    bool CheckBadNames(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
    bool CheckBadxBox(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
};

} // namespace corvane::testing
