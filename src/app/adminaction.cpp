#include "app/adminaction.h"

#include "core/activitylog.h"
#include "core/apppaths.h"
#include "core/datafiles.h"
#include "core/fieldreader.h"
#include "core/gametext.h"
#include "core/numbers.h"
#include "core/textfile.h"
#include "rcon/rconqueue.h"

namespace corvane {
namespace {

// More than anybody scrolls through in a drop-down list.
constexpr std::size_t kMaxDialogReasons = 500;

struct KindTexts {
    const char* title;
    const char* prompt;
    const char* verb;    // in "Player: <name> was <verb>"
    const char* command; // the console word; the warning is a private tell
};

KindTexts textsOf(AdminActionKind kind) {
    switch (kind) {
    case AdminActionKind::Warn:
        return {"Warn Player: ", "Select or enter an optional reason for warning player: ",
                "warned", "tell"};
    case AdminActionKind::Kick:
        return {"Kick Player: ", "Select or enter an optional reason for kicking player: ",
                "kicked", "clientkick"};
    case AdminActionKind::TempBan:
        return {"Tempban Player: ", "Select or enter an optional reason for tempbanning player: ",
                "tempbanned", "tempbanclient"};
    case AdminActionKind::Ban:
        break;
    }
    return {"Ban Player: ", "Are you sure you want to ban this player?", "banned", "banclient"};
}

} // namespace

AdminAction::AdminAction(AdminActionKind kind, std::int16_t slot, std::string name,
                         std::string guid, RconQueue& queue, ActivityLog& log)
    : m_kind(kind), m_slot(slot), m_name(std::move(name)), m_guid(std::move(guid)), m_queue(queue),
      m_log(log) {}

std::string AdminAction::title() const {
    return textsOf(m_kind).title + m_name;
}

std::string AdminAction::prompt() const {
    const std::string question = textsOf(m_kind).prompt;
    return m_kind == AdminActionKind::Ban ? question : question + m_name;
}

std::string AdminAction::okCaption() const {
    return m_kind == AdminActionKind::Ban ? "Yes" : "OK";
}

std::string AdminAction::cancelCaption() const {
    return m_kind == AdminActionKind::Ban ? "No" : "Cancel";
}

void AdminAction::ok(const std::string& reason) {
    // Blanks alone are no reason either.
    confirm(m_kind == AdminActionKind::Ban ? std::string() : trimBlanks(reason));
}

void AdminAction::noReason() {
    confirm({});
}

// The reason goes into a console line, so nothing typed can end it or start
// another command; a reason code ("MSG" and a number) is still expanded when
// the line is sent.
void AdminAction::confirm(const std::string& typed) {
    const KindTexts texts = textsOf(m_kind);
    const std::string reason = neutralize(typed);
    const std::string slot = decimal(m_slot);
    std::string line;
    if (m_kind == AdminActionKind::Warn)
        line = "tell " + slot + " ^1PM: You have been warned by an admin" +
               (reason.empty() ? "!" : " for: ^2" + reason);
    else if (m_kind == AdminActionKind::Ban || reason.empty())
        line = std::string(texts.command) + " " + slot;
    else
        line = std::string(texts.command) + " " + slot + " " + reason + "\"";
    m_queue.List3A(line, m_slot, m_guid);
    const bool logsReason = m_kind != AdminActionKind::Ban && !reason.empty();
    m_log.SMS("Player: " + m_name + " was " + texts.verb + (logsReason ? " for " + reason : ""));
}

std::vector<std::string> dialogReasons(const AppPaths& paths) {
    std::vector<std::string> reasons;
    const auto text = readFile(paths.file(kReasonsFile));
    if (!text) return reasons;
    FieldReader reader(*text);
    try {
        while (!reader.atEnd() && reasons.size() < kMaxDialogReasons) {
            std::string item = reader.readText();
            if (!item.empty()) reasons.push_back(std::move(item));
        }
    } catch (const FieldReadError&) {
        // Blanks after the last line: nothing more to offer.
    }
    return reasons;
}

} // namespace corvane
