// JSON text for the tools' machine-readable output: one object a line, built field by field.
// Texts of the mascot are Shift-JIS bytes; JSON strings are UTF-8, so they are converted here,
// and a byte that is no part of a valid Shift-JIS character becomes a \u escape of its value
// (\u0081 for a lone 0x81), so that nothing is lost and the line stays valid UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mascot {

// `sjis` as a JSON string literal, quotes included.
std::string JsonSjisString(std::string_view sjis);
// `utf8` (ASCII or valid UTF-8) as a JSON string literal, quotes included.
std::string JsonUtf8String(std::string_view utf8);
// The elements, each already JSON text, as an array.
std::string JsonArray(const std::vector<std::string>& elements);

// An object whose keys keep the order in which they were added.
class JsonObject {
public:
    JsonObject& Int(std::string_view key, int64_t value);
    // A Shift-JIS text.
    JsonObject& Sjis(std::string_view key, std::string_view sjis);
    // A UTF-8 (or ASCII) text.
    JsonObject& Utf8(std::string_view key, std::string_view utf8);
    JsonObject& Bool(std::string_view key, bool value);
    // A value that is JSON text already (an array, an object).
    JsonObject& Raw(std::string_view key, std::string_view json);

    std::string Text() const { return "{" + m_body + "}"; }

private:
    void Key(std::string_view key);

    std::string m_body;
};

}  // namespace mascot
