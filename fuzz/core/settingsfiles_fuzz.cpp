// Any text through the readers of the settings files: no crash, no endless
// loop, and whatever Config.txt or MOD.txt held when it was read is written
// so that it reads back to the same values.

#include "core/fieldreader.h"
#include "core/modsettings.h"
#include "core/serverconfig.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace corvane;

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

bool sameServerConfig(const ServerConfig& a, const ServerConfig& b) {
    return a.ServerName == b.ServerName && a.Port == b.Port && a.IP == b.IP &&
           a.RconPassword == b.RconPassword && a.LogURL == b.LogURL &&
           a.MaxClients == b.MaxClients && a.HostName == b.HostName &&
           a.ExcludedMap == b.ExcludedMap;
}

bool sameModSettings(const ModSettings& a, const ModSettings& b) {
    return a.LastUpdateCheck == b.LastUpdateCheck && a.AutoUpdateCheck == b.AutoUpdateCheck &&
           a.WelcomeTemplate == b.WelcomeTemplate && a.AutoRefreshPlayers == b.AutoRefreshPlayers &&
           a.KickUnknownSoldiers == b.KickUnknownSoldiers && a.WelcomeEnabled == b.WelcomeEnabled &&
           a.TimedMessagesEnabled == b.TimedMessagesEnabled && a.RulesEnabled == b.RulesEnabled &&
           a.LanguageFilterEnabled == b.LanguageFilterEnabled && a.AutoScroll == b.AutoScroll &&
           a.KickXboxNames == b.KickXboxNames && a.MaxWarns == b.MaxWarns &&
           a.PlayerLogColumnWidths == b.PlayerLogColumnWidths && a.AnnounceMode == b.AnnounceMode &&
           a.WeaponFlags == b.WeaponFlags && a.OnlineColumnWidths == b.OnlineColumnWidths;
}

// False when the text is no such file (the reader threw).
template <typename Value>
bool reads(void (*read)(const std::string&, Value&), const std::string& text, Value& value) {
    try {
        read(text, value);
        return true;
    } catch (const FieldReadError&) {
        return false;
    }
}

// Every field of the text, read one after the other; each read moves on.
void readEveryField(const std::string& text) {
    FieldReader in(text);
    for (std::size_t reads = 0; !in.atEnd(); ++reads) {
        check(reads <= text.size());
        try {
            in.readText();
        } catch (const FieldReadError&) {
            break; // only blanks were left
        }
    }
    const ItemList list = readItemList(text, 20);
    check(list.items.size() <= 20);
    for (const std::string& item : list.items)
        check(!item.empty() && item.find_first_of("\r\n") == std::string::npos);
}

void serverConfigRoundTrip(const std::string& text) {
    ServerConfig read;
    if (!reads(readServerConfig, text, read)) return;
    for (ExcludedMapStyle style : {ExcludedMapStyle::Quoted, ExcludedMapStyle::Bare}) {
        ServerConfig again;
        readServerConfig(writeServerConfig(read, style), again); // throws: a fault
        check(sameServerConfig(read, again));
    }
}

void modFileRoundTrip(const std::string& text) {
    ModSettings read;
    if (!reads(readModFile, text, read)) return;
    ModSettings again;
    readModFile(writeModFile(read), again);
    check(sameModSettings(read, again));
    check(again.VersionRead == kBuildVersion);
}

void advancedFile(const std::string& text) {
    AdvancedVars vars;
    if (!reads(readAdvancedFile, text, vars)) return;
    for (const std::string* address : {&vars.LogHost, &vars.UpdateURL, &vars.WebsiteURL})
        check(address->find_first_of("\r\n") == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    readEveryField(text);
    serverConfigRoundTrip(text);
    modFileRoundTrip(text);
    advancedFile(text);
    return 0;
}
