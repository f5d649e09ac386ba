#pragma once
// The fixed table of maps: the names players type and see, paired by index
// with the server's map names. Index 0, "Random", is not a map: it stands for
// the server's own rotation.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct MapEntry {
    std::string_view english; // what players type and see
    std::string_view mp;      // the server's map name
};

inline constexpr int kMapCount = 15;
inline constexpr std::string_view kRandomMap = "Random";

// In this order; the server names are not in the order of the display names.
inline constexpr std::array<MapEntry, kMapCount> kMapTable{{
    {"Random", "Random"},
    {"Array", "mp_array"},
    {"Cracked", "mp_cracked"},
    {"Crisis", "mp_crisis"},
    {"Firing Range", "mp_firingrange"},
    {"Grid", "mp_duga"},
    {"Hanoi", "mp_hanoi"},
    {"Havana", "mp_cairo"},
    {"Jungle", "mp_havoc"},
    {"Launch", "mp_cosmodrome"},
    {"Nuke Town", "mp_nuked"},
    {"Radiation", "mp_radiation"},
    {"Summit", "mp_mountain"},
    {"Villa", "mp_villa"},
    {"WMD", "mp_russianbase"},
}};

// The server names of the table's maps, without "Random".
std::vector<std::string> rotationMapNames();

// Server map name to display name; a name outside the table comes back as it is.
std::string EnglishMap(std::string_view mpName);

// The index of a display name: "Random" exactly, or the first entry equal to
// it ignoring case. Nothing when no entry matches.
std::optional<int> mapIndexOf(std::string_view displayName);

// The console line that sets the server's exclusion list.
std::string exclusionLine(std::string_view list);
bool isExclusionLine(std::string_view line);

// The exclusion list that leaves only the map at index: the 13 other maps,
// in descending index order.
std::string forcedExclusionList(int index);

} // namespace corvane
