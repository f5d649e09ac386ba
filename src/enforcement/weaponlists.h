#pragma once
// The weapons tab's ten category lists as data: which entries are selected
// (restricted) and whether each list's select-all box is ticked. The flags
// themselves live in the mod settings; the lists show them and write them back.

#include "core/signal.h"
#include "enforcement/weapontable.h"

#include <array>
#include <cstddef>

namespace corvane {

class Settings;

class WeaponLists {
public:
    static constexpr std::size_t kCategoryCount = 10;

    explicit WeaponLists(Settings& settings) : m_settings(settings) {}

    // After the mod settings are loaded: select exactly the entries whose flag
    // is "1", then set the select-all boxes.
    void FillWeapons();
    // The flags again from the lists, 86 of them, and the mod settings saved.
    void SaveWeapons();
    // Ticks each select-all box whose list is wholly selected, clears the others.
    void CheckAllW();

    // The operator clicks an entry / a select-all box.
    void entryClicked(int flag, bool selected);
    void selectAllClicked(std::size_t category, bool ticked);

    bool selected(int flag) const;
    bool allSelected(std::size_t category) const { return m_allSelected.at(category); }

    // Entries or select-all boxes changed.
    Signal<> changed;

private:
    Settings& m_settings;
    std::array<bool, kWeaponFlagCount> m_selected{};
    std::array<bool, kCategoryCount> m_allSelected{};
};

} // namespace corvane
