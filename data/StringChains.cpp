#include "data/StringChains.h"

namespace mascot {

std::vector<uint8_t> DecodePatternNameChain(std::span<const uint8_t> stored) {
    std::vector<uint8_t> plain(stored.size());
    uint8_t previous = static_cast<uint8_t>(stored.size() & 0xFF);
    for (size_t k = 0; k < stored.size(); ++k) {
        plain[k] = stored[k] ^ previous;
        previous = stored[k];
    }
    return plain;
}

std::vector<uint8_t> EncodePatternNameChain(std::span<const uint8_t> plain) {
    std::vector<uint8_t> stored(plain.size());
    uint8_t previous = static_cast<uint8_t>(plain.size() & 0xFF);
    for (size_t k = 0; k < plain.size(); ++k) {
        stored[k] = plain[k] ^ previous;
        previous = stored[k];
    }
    return stored;
}

std::vector<uint8_t> DecodeScriptStringChain(std::span<const uint8_t> stored, uint16_t length) {
    if (stored.size() < StoredStringSize(length, true))
        return {};
    std::vector<uint8_t> plain(length);
    uint8_t previous = static_cast<uint8_t>(length & 0xFF);
    for (size_t i = 0; i < length; ++i) {
        plain[i] = stored[i] ^ previous;
        previous = plain[i];
    }
    return plain;
}

std::vector<uint8_t> EncodeScriptStringChain(std::span<const uint8_t> plain) {
    if (plain.empty())
        return {0};
    std::vector<uint8_t> stored(plain.size());
    uint8_t previous = static_cast<uint8_t>(plain.size() & 0xFF);
    for (size_t i = 0; i < plain.size(); ++i) {
        stored[i] = plain[i] ^ previous;
        previous = plain[i];
    }
    return stored;
}

}  // namespace mascot
