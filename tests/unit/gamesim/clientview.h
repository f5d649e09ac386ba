#pragma once
// How Corvane Mod reads the simulator's bytes: the reply clean-ups, the
// setup wizard's flattening and the teamstatus reader, written down
// independently of the simulator so that its layouts are checked against the
// reader and not against themselves.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace clientview {

inline void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos; pos += to.size())
        text.replace(pos, from.size(), to);
}

inline std::string removeColours(std::string text, char last) {
    for (char digit = '0'; digit <= last; ++digit)
        replaceAll(text, std::string{'^', digit}, "");
    return text;
}

inline std::string lfToCrLf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// The clean-up of the command socket (replacePrint) and of the status socket.
inline std::string cleanReply(std::string_view datagram, bool replacePrint) {
    std::string text = removeColours(std::string(datagram), '7');
    replaceAll(text, "\xFF\xFF\xFF\xFF", "");
    replaceAll(text, "\x01", "");
    if (replacePrint) replaceAll(text, "print", "Command Executed");
    return lfToCrLf(text);
}

// The setup wizard's view of a reply: lines joined by ';'.
inline std::string wizardText(std::string_view datagram) {
    std::string text = removeColours(std::string(datagram), '9');
    replaceAll(text, "\xFF\xFF\xFF\xFF", "");
    replaceAll(text, "\x01", "");
    text = lfToCrLf(text);
    replaceAll(text, "\r\n", ";");
    return text;
}

inline std::vector<std::string> split(std::string_view text, std::string_view separator) {
    std::vector<std::string> out;
    for (;;) {
        const std::size_t at = text.find(separator);
        out.emplace_back(text.substr(0, at));
        if (at == std::string_view::npos) return out;
        text.remove_prefix(at + separator.size());
    }
}

// 1-based, like the readers count.
inline std::string mid(std::string_view text, std::size_t position, std::size_t count) {
    if (position == 0 || position > text.size()) return {};
    return std::string(text.substr(position - 1, count));
}

inline std::vector<std::string> tokens(std::string_view line) {
    std::vector<std::string> out;
    for (const std::string& t : split(line, " "))
        if (!t.empty()) out.push_back(t);
    return out;
}

struct Row {
    int slot = -1;
    std::string score;
    std::string guid;
    std::string name;
};

struct Status {
    std::string map;
    std::vector<Row> rows;
};

inline bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The teamstatus reader: rows by token count, header and separator by their
// fifth token, the map from the "map:" token, and a row cut between two
// datagrams (its last token ends in "print") joined with the next line.
inline Status readTeamstatus(const std::string& cleanedText) {
    Status status;
    std::vector<int> seen; // a slot above 0 that is listed again is skipped
    const std::vector<std::string> lines = split(cleanedText, "\r\n");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i];
        std::vector<std::string> t = tokens(line);
        for (std::size_t k = 0; k < t.size(); ++k)
            if (k != 4 && t[k] == "map:" && t.size() > 1) status.map = t[1];
        if (t.size() < 5 || t[4] == "lastmsg" || t[4] == "-------") continue;
        if (endsWith(t.back(), "print") && i + 1 < lines.size()) {
            replaceAll(line, "print", "");
            line += lines[i + 1];
            t = tokens(line);
        }
        if (t[0].find_first_not_of("0123456789") != std::string::npos) continue;
        Row row;
        row.slot = std::stoi(t[0]);
        if (row.slot > 0 && std::find(seen.begin(), seen.end(), row.slot) != seen.end()) continue;
        seen.push_back(row.slot);
        row.score = t[1];
        row.guid = t[3];
        const std::size_t nameWords = t.size() >= 10 ? t.size() - 9 : 1;
        for (std::size_t k = 4; k < 4 + nameWords; ++k)
            row.name += (k > 4 ? " " : "") + t[k];
        status.rows.push_back(row);
    }
    return status;
}

} // namespace clientview
