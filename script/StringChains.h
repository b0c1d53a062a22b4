// The two XOR chains that scramble texts in containers of version 301 and later. They differ, and
// a pattern needs both: its name is read by the pattern menu with the name chain, every other
// string by the interpreter with the script chain.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace mascot {

// Script strings: each stored byte is XORed with the previous decoded byte.
//   p[0] = s[0] ^ key, p[i] = s[i] ^ p[i-1], with key = length AND 0xFF.
// Decodes out.size() bytes from the first out.size() bytes of `stored`, which must hold as many.
// Only earlier bytes feed a decoded byte, so a prefix of a longer string decodes to the same bytes.
constexpr void DecodeScriptChain(std::span<const uint8_t> stored, uint8_t key, std::span<uint8_t> out) {
    uint8_t previous = key;
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<uint8_t>(stored[i] ^ previous);
        previous = out[i];
    }
}

// The writer's side: s[0] = p[0] ^ key, s[i] = p[i] ^ p[i-1]. `out` must hold plain.size() bytes.
constexpr void EncodeScriptChain(std::span<const uint8_t> plain, uint8_t key, std::span<uint8_t> out) {
    uint8_t previous = key;
    for (size_t i = 0; i < plain.size(); ++i) {
        const uint8_t p = plain[i];  // read first: out may be plain itself
        out[i] = static_cast<uint8_t>(p ^ previous);
        previous = p;
    }
}

// Pattern names: each stored byte is XORed with the previous stored byte.
//   p[0] = s[0] ^ key, p[k] = s[k] ^ s[k-1], with key = length AND 0xFF.
constexpr void DecodeNameChain(std::span<const uint8_t> stored, uint8_t key, std::span<uint8_t> out) {
    uint8_t previous = key;
    for (size_t k = 0; k < out.size(); ++k) {
        const uint8_t s = stored[k];  // read first: out may be stored itself
        out[k] = static_cast<uint8_t>(s ^ previous);
        previous = s;
    }
}

// The writer's side: s[0] = p[0] ^ key, s[k] = p[k] ^ s[k-1].
constexpr void EncodeNameChain(std::span<const uint8_t> plain, uint8_t key, std::span<uint8_t> out) {
    uint8_t previous = key;
    for (size_t k = 0; k < plain.size(); ++k) {
        out[k] = static_cast<uint8_t>(plain[k] ^ previous);
        previous = out[k];
    }
}

}  // namespace mascot
