#pragma once
// The maps subsystem's view of the server: the current map from the status
// poll, the players from the slot table, groups from the player database.

#include "maps/serverview.h"

namespace corvane {

struct LinkState;
class Players;
class ServerAddress;
class SlotTable;

class AppMapsServerView : public MapsServerView {
public:
    AppMapsServerView(const LinkState& link, const SlotTable& slots, Players& players,
                      const ServerAddress& address)
        : m_link(link), m_slots(slots), m_players(players), m_address(address) {}

    std::string currentMap() const override;
    int playersOnline() const override;
    std::optional<OnlinePlayer> firstPlayer() const override;
    std::string groupName(const std::string& guid) const override;
    std::optional<std::string> address() const override;

private:
    const LinkState& m_link;
    const SlotTable& m_slots;
    Players& m_players;
    const ServerAddress& m_address;
};

} // namespace corvane
