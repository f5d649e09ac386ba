#pragma once
// The connection settings of the one game server (Data/Config.txt): eight
// fields, one per line.

#include <cstdint>
#include <string>
#include <string_view>

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
// the setup wizard writes it bare. Either way a value that the field reader
// would not give back as it stands (one holding a comma, or with blanks at
// either end) is written in double quotes, so no value shifts the fields
// after it.
enum class ExcludedMapStyle { Quoted, Bare };
std::string writeServerConfig(const ServerConfig& config, ExcludedMapStyle style);

// A value the file can carry at all: the reader has no escape for a double
// quote, and a line break would end the field.
bool isStorableConfigValue(std::string_view value);

} // namespace corvane
