#include "core/serverconfig.h"

#include "core/fieldreader.h"
#include "core/linewriter.h"

namespace corvane {
namespace {

bool isBlankOrTab(char c) {
    return c == ' ' || c == '\t';
}

// A bare value loses blanks at its ends and ends at a comma.
bool needsQuotes(std::string_view value) {
    return value.find(',') != std::string_view::npos ||
           (!value.empty() && (isBlankOrTab(value.front()) || isBlankOrTab(value.back())));
}

void writeField(LineWriter& out, std::string_view value) {
    if (needsQuotes(value))
        out.quoted(value);
    else
        out.text(value);
}

} // namespace

bool isStorableConfigValue(std::string_view value) {
    return value.find_first_of("\"\r\n") == std::string_view::npos;
}

void readServerConfig(const std::string& text, ServerConfig& config) {
    FieldReader in(text);
    config.ServerName = in.readText();
    config.Port = in.readText();
    config.IP = in.readText();
    config.RconPassword = in.readText();
    config.LogURL = in.readText();
    config.MaxClients = in.readInt16();
    config.HostName = in.readText();
    config.ExcludedMap = in.readText();
}

std::string writeServerConfig(const ServerConfig& config, ExcludedMapStyle style) {
    LineWriter out;
    for (const std::string* value :
         {&config.ServerName, &config.Port, &config.IP, &config.RconPassword, &config.LogURL})
        writeField(out, *value);
    out.number(config.MaxClients);
    writeField(out, config.HostName);
    if (style == ExcludedMapStyle::Quoted)
        out.quoted(config.ExcludedMap);
    else
        writeField(out, config.ExcludedMap);
    return out.contents();
}

} // namespace corvane
