// The two XOR chains that hide the texts of byte code from version 301 on. They differ, and
// mixing them up garbles every text after its first byte:
//
// - pattern names, as the pattern menu reads them: each stored byte is XORed with the stored
//   byte before it, the first with the name length (mod 256);
// - every string operand the interpreter reads: each stored byte is XORed with the decoded byte
//   before it, the first with the length (mod 256). The first stored byte is there even for
//   an empty string, so such a string takes max(L, 1) bytes.
//
// Pure functions over bytes; the callers own the bounds of what they pass in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace mascot {

// Container versions from which names and strings are stored chained rather than plain.
inline constexpr uint16_t kFirstScrambledVersion = 301;
inline bool StringsScrambled(uint16_t version) {
    return version >= kFirstScrambledVersion;
}

// The chains in place, without allocating, for the interpreter's hot path and the tools. `key`
// is the length mod 256; `out` has as many bytes as are decoded or encoded and may be the input
// itself.

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

// Pattern-name chain. The name length is the number of stored bytes.
std::vector<uint8_t> DecodePatternNameChain(std::span<const uint8_t> stored);
std::vector<uint8_t> EncodePatternNameChain(std::span<const uint8_t> plain);

// How many stored bytes a string operand of `length` occupies.
inline size_t StoredStringSize(uint16_t length, bool scrambled) {
    return scrambled && length == 0 ? 1 : length;
}
// Interpreter string chain. `stored` must hold StoredStringSize(length, true) bytes; the result
// has `length` bytes (none when it holds fewer).
std::vector<uint8_t> DecodeScriptStringChain(std::span<const uint8_t> stored, uint16_t length);
// The stored form of `plain`: max(size, 1) bytes; an empty string stores a single 0.
std::vector<uint8_t> EncodeScriptStringChain(std::span<const uint8_t> plain);

}  // namespace mascot
