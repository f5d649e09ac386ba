#include "core/serverconfig.h"

#include "core/fieldreader.h"
#include "core/linewriter.h"

namespace corvane {

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
    out.text(config.ServerName)
        .text(config.Port)
        .text(config.IP)
        .text(config.RconPassword)
        .text(config.LogURL)
        .number(config.MaxClients)
        .text(config.HostName);
    if (style == ExcludedMapStyle::Quoted)
        out.quoted(config.ExcludedMap);
    else
        out.text(config.ExcludedMap);
    return out.contents();
}

} // namespace corvane
