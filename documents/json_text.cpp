#include "documents/json_text.h"

#include <cmath>

#include "solver/report_buffer.h"

namespace kargolo {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    out += Format("\\u%04x", static_cast<unsigned>(c));
                } else {
                    out += c;
                }
        }
    }
    return out + '"';
}

std::string& JsonObject::Member(std::string_view name) {
    if (m_text.size() > 1) m_text += ", ";
    m_text += JsonString(name);
    m_text += ": ";
    return m_text;
}

JsonObject& JsonObject::Add(std::string_view name, std::string_view text) {
    Member(name) += JsonString(text);
    return *this;
}

JsonObject& JsonObject::Add(std::string_view name, bool value) {
    Member(name) += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::Add(std::string_view name, std::int64_t value) {
    Member(name) += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::Add(std::string_view name, double value) {
    Member(name) += std::isfinite(value) ? Format("%.3f", value) : std::string("null");
    return *this;
}

JsonObject& JsonObject::Add(std::string_view name, const std::vector<std::string>& texts) {
    std::vector<std::string> quoted;
    quoted.reserve(texts.size());
    for (const std::string& text : texts) quoted.push_back(JsonString(text));
    Member(name) += JsonArray(quoted);
    return *this;
}

JsonObject& JsonObject::AddRaw(std::string_view name, std::string_view json) {
    Member(name) += json;
    return *this;
}

std::string JsonArray(const std::vector<std::string>& values) {
    std::string out = "[";
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (k > 0) out += ", ";
        out += values[k];
    }
    return out + ']';
}

}  // namespace kargolo
