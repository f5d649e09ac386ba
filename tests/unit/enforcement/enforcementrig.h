#pragma once
// The enforcement on its own, with a real queue, slot table and activity log
// on virtual time, and helpers to build the log lines it reads.

#include "core/textfile.h"
#include "enforcement/enforcement.h"
#include "queuedlines.h"
#include "rcon/rconqueue.h"
#include "rcon/slottable.h"
#include "settingsrig.h"

#include <string>
#include <vector>

namespace corvane::testing {

using Lines = std::vector<std::string>;

// "K;victimGuid;victimSlot;team;victim;attackerGuid;attackerSlot;team;attacker;weapon;damage;mod;loc"
inline std::string combatLine(char type, const std::string& at, int victimSlot,
                              const std::string& victim, int attackerSlot,
                              const std::string& attacker, const std::string& weapon,
                              const std::string& damage = "100",
                              const std::string& mod = "MOD_RIFLE_BULLET") {
    const std::string stamp = std::string(at.size() < 6 ? 6 - at.size() : 0, ' ') + at;
    return stamp + " " + type + ";gv" + std::to_string(victimSlot) + ";" +
           std::to_string(victimSlot) + ";allies;" + victim + ";ga" + std::to_string(attackerSlot) +
           ";" + std::to_string(attackerSlot) + ";axis;" + attacker + ";" + weapon + ";" + damage +
           ";" + mod + ";torso_upper";
}

struct EnforcementRig : SettingsRig {
    RconQueue queue;
    SlotTable slots;
    struct Progress : LogProgress {
        bool done = true;
        bool FirstBatchDone() const override { return done; }
    } progress;
    bool& firstBatchDone = progress.done;
    Enforcement e{paths, settings, log, queue, slots, fake.loop, progress};
    ModSettings& mod = settings.mod;

    EnforcementRig() {
        settings.setViewsReady(true);
        mod.LanguageFilterEnabled = 1;
        mod.MaxWarns = 2;
        mod.WeaponFlags.assign(kWeaponFlagCount, "0");
    }

    void restrict(std::initializer_list<int> flags) {
        for (int f : flags)
            mod.WeaponFlags.at(static_cast<std::size_t>(f)) = "1";
    }
    void online(int slot, const std::string& name, const std::string& guid) {
        slots[slot].SlotName = name;
        slots[slot].SlotGUID = guid;
    }
    void wordFile(const std::string& text) {
        dir.write("Data/LF.txt", text);
        e.language.LoadBadWords();
    }
    void say(int slot, const std::string& name, const std::string& text) {
        e.language.BadWordFilter(name, "g" + std::to_string(slot), text, std::to_string(slot),
                                 !text.empty() && text.front() == '!');
    }
    void batch() { e.newBatch(); }

    std::vector<std::string> queued() const { return queuedLines(queue); }
    std::vector<std::string> logged() const {
        std::vector<std::string> out;
        for (const std::string& line : splitLines(dir.read("Logs/Server.txt")))
            out.push_back(line.substr(line.find("] ") + 2));
        return out;
    }
    void clear() {
        queue.clear();
        dir.write("Logs/Server.txt", "");
    }
};

} // namespace corvane::testing
