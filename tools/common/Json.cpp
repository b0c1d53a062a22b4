#include "tools/common/Json.h"

#include <cstdio>

#include "tools/common/Sjis.h"

namespace mascot {
namespace {

void AppendEscape(std::string& out, unsigned char byte) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
    out += escaped;
}

// Escapes what JSON does not allow inside a string; other bytes pass as they are.
void AppendUtf8(std::string& out, std::string_view utf8) {
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20)
                    AppendEscape(out, byte);
                else
                    out += c;
        }
    }
}

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Character by character: a lead byte with the byte after it, or a single byte; whatever the
// converter refuses is escaped one byte at a time.
void AppendSjisPieces(std::string& out, std::string_view sjis) {
    for (size_t i = 0; i < sjis.size();) {
        const auto byte = static_cast<unsigned char>(sjis[i]);
        if (byte < 0x80) {
            AppendUtf8(out, sjis.substr(i, 1));
            ++i;
            continue;
        }
        if (IsLeadByte(byte) && i + 1 < sjis.size()) {
            if (const auto pair = TrySjisToUtf8(std::string(sjis.substr(i, 2)))) {
                out += *pair;
                i += 2;
                continue;
            }
        }
        if (const auto single = TrySjisToUtf8(std::string(sjis.substr(i, 1))))
            out += *single;
        else
            AppendEscape(out, byte);
        ++i;
    }
}

}  // namespace

std::string JsonSjisString(std::string_view sjis) {
    std::string out = "\"";
    if (const auto whole = TrySjisToUtf8(std::string(sjis)))
        AppendUtf8(out, *whole);
    else
        AppendSjisPieces(out, sjis);
    out += '"';
    return out;
}

std::string JsonUtf8String(std::string_view utf8) {
    std::string out = "\"";
    AppendUtf8(out, utf8);
    out += '"';
    return out;
}

std::string JsonArray(const std::vector<std::string>& elements) {
    std::string out = "[";
    for (size_t i = 0; i < elements.size(); ++i) {
        if (i > 0)
            out += ',';
        out += elements[i];
    }
    out += ']';
    return out;
}

void JsonObject::Key(std::string_view key) {
    if (!m_body.empty())
        m_body += ',';
    m_body += JsonUtf8String(key);
    m_body += ':';
}

JsonObject& JsonObject::Int(std::string_view key, int64_t value) {
    Key(key);
    m_body += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::Sjis(std::string_view key, std::string_view sjis) {
    Key(key);
    m_body += JsonSjisString(sjis);
    return *this;
}

JsonObject& JsonObject::Utf8(std::string_view key, std::string_view utf8) {
    Key(key);
    m_body += JsonUtf8String(utf8);
    return *this;
}

JsonObject& JsonObject::Bool(std::string_view key, bool value) {
    Key(key);
    m_body += value ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::Raw(std::string_view key, std::string_view json) {
    Key(key);
    m_body += json;
    return *this;
}

}  // namespace mascot
