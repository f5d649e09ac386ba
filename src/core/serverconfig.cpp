#include "core/serverconfig.h"

#include "core/fieldreader.h"
#include "core/linewriter.h"

namespace corvane {
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
        out.field(*value);
    out.number(config.MaxClients);
    out.field(config.HostName);
    // A map name holding a double quote could not be read back quoted.
    if (style == ExcludedMapStyle::Quoted && config.ExcludedMap.find('"') == std::string::npos)
        out.quoted(config.ExcludedMap);
    else
        out.field(config.ExcludedMap);
    return out.contents();
}

} // namespace corvane
