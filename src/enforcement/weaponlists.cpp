#include "enforcement/weaponlists.h"

#include "core/settings.h"

namespace corvane {

bool WeaponLists::selected(int flag) const {
    return flag >= 0 && flag < kWeaponFlagCount && m_selected[static_cast<std::size_t>(flag)];
}

void WeaponLists::FillWeapons() {
    for (int flag = 0; flag < kWeaponFlagCount; ++flag)
        m_selected[static_cast<std::size_t>(flag)] =
            CheckMasterList(m_settings.mod.WeaponFlags, flag);
    CheckAllW();
}

void WeaponLists::SaveWeapons() {
    std::vector<std::string> flags;
    flags.reserve(kWeaponFlagCount);
    for (const bool on : m_selected)
        flags.emplace_back(on ? "1" : "0");
    m_settings.mod.WeaponFlags = std::move(flags);
    m_settings.SaveModFile();
}

void WeaponLists::CheckAllW() {
    const auto categories = weaponCategories();
    for (std::size_t c = 0; c < categories.size() && c < kCategoryCount; ++c) {
        bool all = true;
        for (int flag = categories[c].firstFlag; flag <= categories[c].lastFlag; ++flag)
            all = all && m_selected[static_cast<std::size_t>(flag)];
        m_allSelected[c] = all;
    }
    changed.notify();
}

void WeaponLists::entryClicked(int flag, bool isSelected) {
    if (flag < 0 || flag >= kWeaponFlagCount) return;
    m_selected[static_cast<std::size_t>(flag)] = isSelected;
    SaveWeapons();
    CheckAllW();
}

void WeaponLists::selectAllClicked(std::size_t category, bool ticked) {
    const auto categories = weaponCategories();
    if (category >= categories.size()) return;
    for (int flag = categories[category].firstFlag; flag <= categories[category].lastFlag; ++flag)
        m_selected[static_cast<std::size_t>(flag)] = ticked;
    m_allSelected[category] = ticked;
    SaveWeapons();
    changed.notify();
}

} // namespace corvane
