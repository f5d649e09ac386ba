#include "core/modsettings.h"

#include "core/fieldreader.h"
#include "core/gametext.h"
#include "core/linewriter.h"
#include "core/numbers.h"

namespace corvane {
namespace {

std::string join(const std::vector<std::string>& pieces, char separator) {
    std::string out;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i) out += separator;
        out += pieces[i];
    }
    return out;
}

std::string trimBlanksAndTabs(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// "name=value" -> the text between the first "=" and the next "=" or the end.
std::string valueOf(const std::string& line) {
    const std::string trimmed = trimBlanksAndTabs(line);
    const std::size_t eq = trimmed.find('=');
    if (eq == std::string::npos) throw FieldReadError("no \"=\" in \"" + trimmed + "\"");
    const std::size_t next = trimmed.find('=', eq + 1);
    return trimmed.substr(eq + 1, next == std::string::npos ? std::string::npos : next - eq - 1);
}

template <typename Int>
Int convert(const std::string& value, std::optional<Int> (*conv)(std::string_view)) {
    const auto number = conv(value);
    if (!number) throw FieldReadError("cannot read \"" + value + "\" as a number");
    return *number;
}

// "UpdateURL=..." and "WebsiteURL=...", in any order and letter case. An
// address keeps every "=" after the first (a query string may hold some).
void readNamedAddresses(FieldReader& in, AdvancedVars& vars) {
    while (!in.atEnd()) {
        const std::string line = trimBlanksAndTabs(in.readLine());
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string name = trimBlanksAndTabs(line.substr(0, eq));
        const std::string value = trimBlanksAndTabs(line.substr(eq + 1));
        if (equalsIgnoringCase(name, "UpdateURL"))
            vars.UpdateURL = value;
        else if (equalsIgnoringCase(name, "WebsiteURL"))
            vars.WebsiteURL = value;
    }
}

} // namespace

void readModFile(const std::string& text, ModSettings& s) {
    FieldReader in(text);
    s.LastUpdateCheck = in.readText();
    s.VersionRead = in.readText();
    s.AutoUpdateCheck = in.readBool();
    s.WelcomeTemplate = in.readText();
    for (std::int16_t* box :
         {&s.AutoRefreshPlayers, &s.KickUnknownSoldiers, &s.WelcomeEnabled, &s.TimedMessagesEnabled,
          &s.RulesEnabled, &s.LanguageFilterEnabled, &s.AutoScroll, &s.KickXboxNames})
        *box = in.readInt16();
    s.MaxWarns = in.readInt16();
    for (float& width : s.PlayerLogColumnWidths)
        width = in.readSingle();
    const std::vector<std::string> modes = splitAt(in.readText(), ";");
    for (std::size_t k = 0; k < modes.size() && k < s.AnnounceMode.size(); ++k)
        s.AnnounceMode[k] = convert<std::int16_t>(modes[k], &toInt16);
    s.WeaponFlags = splitAt(in.readText(), ";");
    for (float& width : s.OnlineColumnWidths)
        width = in.readSingle();
}

std::string writeModFile(const ModSettings& s) {
    LineWriter out;
    out.field(s.LastUpdateCheck).text(kBuildVersion).boolean(s.AutoUpdateCheck);
    out.field(s.WelcomeTemplate);
    for (std::int16_t box :
         {s.AutoRefreshPlayers, s.KickUnknownSoldiers, s.WelcomeEnabled, s.TimedMessagesEnabled,
          s.RulesEnabled, s.LanguageFilterEnabled, s.AutoScroll, s.KickXboxNames})
        out.number(box);
    out.number(s.MaxWarns);
    for (float width : s.PlayerLogColumnWidths)
        out.single(width);
    std::vector<std::string> modes;
    for (std::int16_t mode : s.AnnounceMode)
        modes.push_back(decimal(mode));
    out.text(join(modes, ';'));
    out.field(join(s.WeaponFlags, ';'));
    for (float width : s.OnlineColumnWidths)
        out.single(width);
    return out.contents();
}

void readAdvancedFile(const std::string& text, AdvancedVars& vars) {
    FieldReader in(text);
    for (int header = 0; header < 12; ++header)
        in.readText();
    vars.RconQueueInterval = convert<std::int32_t>(valueOf(in.readLine()), &toInt32);
    vars.StatusPollPeriod = convert<std::int16_t>(valueOf(in.readLine()), &toInt16);
    vars.Reserved3 = convert<std::int32_t>(valueOf(in.readLine()), &toInt32);
    vars.LogTrimPeriod = convert<std::int32_t>(valueOf(in.readLine()), &toInt32);
    vars.AnnounceProgram = convert<std::int32_t>(valueOf(in.readLine()), &toInt32);
    vars.Reserved6 = convert<std::int32_t>(valueOf(in.readLine()), &toInt32);
    vars.RefreshDelay = convert<std::int32_t>(valueOf(in.readLine()), &toInt32);
    vars.PlayerDbPath = valueOf(in.readLine());
    // The lines after the eighth are optional: files written before they
    // existed still load.
    vars.LogHost.clear();
    vars.UpdateURL.clear();
    vars.WebsiteURL.clear();
    if (!in.atEnd()) {
        const std::string line = in.readLine();
        if (line.find('=') != std::string::npos) vars.LogHost = trimBlanksAndTabs(valueOf(line));
    }
    readNamedAddresses(in, vars);
}

void applyAdvancedDefaults(AdvancedVars& vars, const std::string& defaultPlayerDbPath) {
    // The status poll period and the sixth value keep what they had.
    const AdvancedVars defaults;
    vars.RconQueueInterval = defaults.RconQueueInterval;
    vars.Reserved3 = defaults.Reserved3;
    vars.LogTrimPeriod = defaults.LogTrimPeriod;
    vars.AnnounceProgram = defaults.AnnounceProgram;
    vars.RefreshDelay = defaults.RefreshDelay;
    vars.PlayerDbPath = defaultPlayerDbPath;
}

} // namespace corvane
