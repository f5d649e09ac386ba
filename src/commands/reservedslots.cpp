#include "commands/reservedslots.h"

#include "commands/replies.h"
#include "core/activitylog.h"
#include "core/eventloop.h"
#include "core/numbers.h"
#include "core/settings.h"
#include "players/grouptable.h"
#include "rcon/slottable.h"

#include <algorithm>
#include <stdexcept>

namespace corvane {
namespace {

// More requests than the server has slots can never be served.
constexpr std::size_t kMaxPending = SlotTable::kSlots - 1;

} // namespace

ReservedSlots::ReservedSlots(EventLoop& loop, SlotTable& slots, const Settings& settings,
                             const GroupTable& groups, RconQueue& queue, ActivityLog& log,
                             std::function<void()> requestStatus)
    : m_slots(slots), m_settings(settings), m_groups(groups), m_queue(queue), m_log(log),
      m_requestStatus(std::move(requestStatus)) {
    if (!m_requestStatus) throw std::invalid_argument("reserved slots need the status poll");
    m_statusTimer = loop.createTimer(kDelayMs, true, [this] { m_requestStatus(); });
    m_reserveTimer = loop.createTimer(kDelayMs, true, [this] { JoinReserve(); });
}

ReservedSlots::~ReservedSlots() = default;

bool ReservedSlots::ReservedByOperator() const {
    return std::any_of(m_pending.begin(), m_pending.end(),
                       [](const Request& r) { return r.byOperator; });
}

bool ReservedSlots::add(Request request) {
    if (m_pending.size() < kMaxPending) {
        m_pending.push_back(std::move(request));
        return true;
    }
    refuse({request});
    return false;
}

void ReservedSlots::requestInGame(const CommandIssuer& asker) {
    if (add(Request{false, asker})) m_statusTimer->start();
}

// The operator's request joins those the players made; it never drops them.
void ReservedSlots::requestByOperator() {
    if (add(Request{true, {}})) m_requestStatus();
}

void ReservedSlots::statusParsed() {
    if (!m_pending.empty()) m_reserveTimer->start();
}

void ReservedSlots::JoinReserve() {
    m_reserveTimer->stop();
    const std::vector<Request> requests = std::move(m_pending);
    m_pending.clear();
    std::vector<int> chosen;
    for (std::size_t i = 0; i < requests.size(); ++i) {
        const int victim = chooseVictim(chosen);
        if (victim == 0) {
            m_slots.DetectNumofPlayers(m_settings.config.MaxClients, m_groups.DefaultGroupName);
            refuse({requests.begin() + static_cast<std::ptrdiff_t>(i), requests.end()});
            return;
        }
        chosen.push_back(victim);
        open(requests[i], victim);
    }
}

// The default-group player with the lowest score; among equal scores the one
// in the highest slot. Nobody of another group, and nobody twice in one run.
int ReservedSlots::chooseVictim(const std::vector<int>& chosen) const {
    const std::string& defaultGroup = m_groups.DefaultGroupName;
    std::int32_t best = 9999999;
    int victim = 0;
    for (int slot = 1; slot < SlotTable::kSlots; ++slot) {
        const SlotEntry& e = m_slots[slot];
        if (e.SlotName.empty() || e.SlotGUID.empty() || e.SlotGroup.empty() ||
            e.SlotGroup != defaultGroup)
            continue;
        if (std::find(chosen.begin(), chosen.end(), slot) != chosen.end()) continue;
        // A score that is not a number cannot be compared: that player stays.
        const auto score = toInt32(e.SlotScore);
        if (!score || *score > best) continue;
        best = *score;
        victim = slot;
    }
    return victim;
}

void ReservedSlots::open(const Request& request, int slot) {
    const SlotEntry& e = m_slots[slot];
    const std::string where = e.SlotName + " [Slot " + std::to_string(slot) + "]";
    m_log.SMS(request.byOperator ? "Opening a reserved slot - kicking " + where + " "
                                 : "Admin opened a reserved slot and kicked " + where);
    m_queue.pushBack("say ^2Kicking Player for a reserved slot");
    m_queue.List3A("clientkick " + std::to_string(slot) + " Reserved Slot\"",
                   static_cast<std::int16_t>(slot), e.SlotGUID);
}

// Everybody whose request cannot be served is told once: the operator in the
// activity log, each player privately.
void ReservedSlots::refuse(const std::vector<Request>& unserved) {
    bool operatorTold = false;
    std::vector<CommandIssuer> told;
    for (const Request& r : unserved) {
        if (r.byOperator) {
            if (!operatorTold) m_log.SMS(kNoSlots);
            operatorTold = true;
            continue;
        }
        const bool already = std::any_of(told.begin(), told.end(), [&](const CommandIssuer& t) {
            return t.CurrentSlot == r.asker.CurrentSlot && t.CurrentGUID == r.asker.CurrentGUID;
        });
        if (already) continue;
        told.push_back(r.asker);
        sendPrivate(m_queue, r.asker, kNoSlots);
    }
}

} // namespace corvane
