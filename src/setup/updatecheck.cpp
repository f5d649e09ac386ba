#include "setup/updatecheck.h"

#include "core/ascii.h"
#include "core/clock.h"
#include "core/datafiles.h"
#include "core/eventloop.h"
#include "core/fieldreader.h"
#include "core/modsettings.h"
#include "core/prompts.h"
#include "core/settings.h"
#include "core/shell.h"

#include <filesystem>

namespace corvane {
namespace {

bool isDigits(std::string_view text) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (!isAsciiDigit(c)) return false;
    return true;
}

// The first comma-separated item of the downloaded file.
std::string firstItem(const std::filesystem::path& file) {
    try {
        return FieldReader(readFieldFile(file)).readText();
    } catch (const FieldReadError&) {
        return {};
    }
}

} // namespace

UpdateCheck::UpdateCheck(Ports ports, const AppPaths& paths, Settings& settings)
    : m_ports(ports), m_paths(paths), m_settings(settings),
      m_self(std::make_shared<UpdateCheck*>(this)) {
    m_timer17 = ports.loop.createTimer(kAutoCheckDelayMs, true, [this] { DoAUtoCheck(); });
}

UpdateCheck::~UpdateCheck() {
    *m_self = nullptr;
}

bool UpdateCheck::isVersionText(std::string_view text) {
    const std::size_t first = text.find('.');
    if (first == std::string_view::npos) return false;
    const std::size_t second = text.find('.', first + 1);
    if (second == std::string_view::npos) return false;
    return isDigits(text.substr(0, first)) &&
           isDigits(text.substr(first + 1, second - first - 1)) &&
           isDigits(text.substr(second + 1));
}

void UpdateCheck::scheduleAutoCheck() {
    m_timer17->start();
}

void UpdateCheck::DoAUtoCheck() {
    ModSettings& mod = m_settings.mod;
    const std::string today = formatDate(m_ports.clock.now());
    if (!mod.AutoUpdateCheck || today == mod.LastUpdateCheck) return;
    // Without an update address there is nothing to check, and nothing to say.
    if (m_settings.advanced.UpdateURL.empty()) return;
    DoUpdateC(false);
    mod.LastUpdateCheck = today;
    m_settings.SaveModFile();
}

void UpdateCheck::DoUpdateC(bool showResult) {
    const std::string& url = m_settings.advanced.UpdateURL;
    if (url.empty()) {
        if (showResult)
            m_ports.prompts.messageBox("Update",
                                       "No update address is set. Add the line UpdateURL= with the "
                                       "address of the version file to Data/Advanced.txt.",
                                       MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    // One download at a time: the file is shared.
    if (m_checking) {
        if (showResult)
            m_ports.prompts.messageBox("Update",
                                       "The update check is still waiting for the "
                                       "version file.",
                                       MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    const std::filesystem::path file = m_paths.file(kVersionFile);
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    m_settings.mod.LastUpdateCheck = formatDate(m_ports.clock.now());
    m_checking = true;
    m_ports.downloader.download(
        url, file, [self = std::weak_ptr(m_self), showResult](bool ok, const std::string&) {
            const auto owner = self.lock();
            if (!owner || !*owner) return;
            (*owner)->m_checking = false;
            (*owner)->judge(ok, showResult);
        });
}

void UpdateCheck::judge(bool downloaded, bool showResult) {
    const std::string latest = downloaded ? firstItem(m_paths.file(kVersionFile)) : std::string();
    if (isVersionText(latest)) {
        if (latest != kBuildVersion)
            offerUpdate(latest);
        else if (showResult)
            m_ports.prompts.messageBox(
                "Update", std::string("You have the latest version! Version: ") + kBuildVersion,
                MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    if (!showResult) return;
    const std::string& site = m_settings.advanced.WebsiteURL;
    m_ports.prompts.messageBox("Error!",
                               site.empty() ? "Unknown error - the version file could not be read!"
                                            : "Unknown error - please go to " + site + "!",
                               MessageButtons::Ok, MessageIcon::Critical);
}

void UpdateCheck::offerUpdate(const std::string& latest) {
    const std::string& site = m_settings.advanced.WebsiteURL;
    if (site.empty()) {
        m_ports.prompts.messageBox("Update", "A new update is available! Version: " + latest,
                                   MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    const MessageResult answer =
        m_ports.prompts.messageBox("Update", "A new update is available! Download it now?",
                                   MessageButtons::YesNo, MessageIcon::Question);
    if (answer == MessageResult::Yes) m_ports.shell.openUrl(site);
}

} // namespace corvane
