#pragma once
// One journal record: a JSON object written as one line.

#include "gamesim/core/text.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace gamesim {

class JsonLine {
public:
    JsonLine& text(std::string_view key, std::string_view value) {
        return raw(key, jsonQuote(value));
    }
    JsonLine& number(std::string_view key, std::int64_t value) {
        return raw(key, std::to_string(value));
    }
    JsonLine& flag(std::string_view key, bool value) { return raw(key, value ? "true" : "false"); }
    // A value that is already JSON (an object or an array).
    JsonLine& raw(std::string_view key, std::string_view json) {
        if (!m_body.empty()) m_body += ',';
        m_body += jsonQuote(key);
        m_body += ':';
        m_body += json;
        return *this;
    }
    std::string str() const { return "{" + m_body + "}"; }

private:
    std::string m_body;
};

} // namespace gamesim
