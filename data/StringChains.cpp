#include "data/StringChains.h"

namespace mascot {

std::vector<uint8_t> DecodePatternNameChain(std::span<const uint8_t> stored) {
    std::vector<uint8_t> plain(stored.size());
    DecodeNameChain(stored, static_cast<uint8_t>(stored.size() & 0xFF), plain);
    return plain;
}

std::vector<uint8_t> EncodePatternNameChain(std::span<const uint8_t> plain) {
    std::vector<uint8_t> stored(plain.size());
    EncodeNameChain(plain, static_cast<uint8_t>(plain.size() & 0xFF), stored);
    return stored;
}

std::vector<uint8_t> DecodeScriptStringChain(std::span<const uint8_t> stored, uint16_t length) {
    if (stored.size() < StoredStringSize(length, true))
        return {};
    std::vector<uint8_t> plain(length);
    DecodeScriptChain(stored.first(length), static_cast<uint8_t>(length & 0xFF), plain);
    return plain;
}

std::vector<uint8_t> EncodeScriptStringChain(std::span<const uint8_t> plain) {
    if (plain.empty())
        return {0};
    std::vector<uint8_t> stored(plain.size());
    EncodeScriptChain(plain, static_cast<uint8_t>(plain.size() & 0xFF), stored);
    return stored;
}

}  // namespace mascot
