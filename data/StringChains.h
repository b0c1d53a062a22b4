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
