#pragma once

// Small JSON objects: the answers of the browser edition's core to the page, and the verdicts
// scripts read.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kargolo {

// text as a JSON string, quotes included.
std::string JsonString(std::string_view text);

// Members added one by one: {"a": 1, "b": "x"}.
class JsonObject {
public:
    JsonObject& Add(std::string_view name, std::string_view text);
    JsonObject& Add(std::string_view name, const char* text) { return Add(name, std::string_view(text)); }
    JsonObject& Add(std::string_view name, const std::string& text) { return Add(name, std::string_view(text)); }
    JsonObject& Add(std::string_view name, bool value);
    JsonObject& Add(std::string_view name, std::int64_t value);
    JsonObject& Add(std::string_view name, int value) { return Add(name, std::int64_t{value}); }
    JsonObject& Add(std::string_view name, unsigned value) { return Add(name, std::int64_t{value}); }
    JsonObject& Add(std::string_view name, double value);
    JsonObject& Add(std::string_view name, const std::vector<std::string>& texts);
    // A value that is JSON already (an object or an array).
    JsonObject& AddRaw(std::string_view name, std::string_view json);
    std::string Text() const { return m_text + '}'; }

private:
    std::string& Member(std::string_view name);
    std::string m_text = "{";
};

// JSON values joined into an array.
std::string JsonArray(const std::vector<std::string>& values);

}  // namespace kargolo
