#pragma once
// The connection settings of the one game server (Data/Config.txt): eight
// fields, one per line.

#include <cstdint>
#include <string>

namespace corvane {

struct ServerConfig {
    std::string ServerName; // the operator's name; "FIRST" marks a first run
    std::string Port;       // RCON UDP port, decimal text
    std::string IP;         // RCON host
    std::string RconPassword;
    std::string LogURL; // http://log-host/path of the server log
    std::int16_t MaxClients = 0;
    std::string HostName;    // the server's own sv_hostname
    std::string ExcludedMap; // default excluded map
};

inline constexpr const char* kFirstRunMarker = "FIRST";

// Reads the eight fields in order straight into config: when a field fails
// (FieldReadError), the fields before it keep their new values and the rest
// their old ones.
void readServerConfig(const std::string& text, ServerConfig& config);

// The whole file. The main window writes the excluded map in double quotes;
// the setup wizard writes it bare.
enum class ExcludedMapStyle { Quoted, Bare };
std::string writeServerConfig(const ServerConfig& config, ExcludedMapStyle style);

} // namespace corvane
