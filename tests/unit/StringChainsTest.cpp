#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/StringChains.h"

namespace mascot {
namespace {

std::vector<uint8_t> V(std::string_view text) {
    return {text.begin(), text.end()};
}

// Hand-worked examples pin each chain's definition, so that a swap of the two shows at once.
TEST(StringChainsTest, PatternNameChainXorsWithThePreviousStoredByte) {
    // N = 3: s0 = 'a' ^ 3, s1 = 'b' ^ s0, s2 = 'c' ^ s1.
    const uint8_t s0 = 'a' ^ 3;
    const uint8_t s1 = 'b' ^ s0;
    const uint8_t s2 = 'c' ^ s1;
    EXPECT_EQ(EncodePatternNameChain(V("abc")), (std::vector<uint8_t>{s0, s1, s2}));
    EXPECT_EQ(DecodePatternNameChain(std::vector<uint8_t>{s0, s1, s2}), V("abc"));
    EXPECT_TRUE(EncodePatternNameChain({}).empty());
}

TEST(StringChainsTest, ScriptStringChainXorsWithThePreviousDecodedByte) {
    // L = 3: s0 = 'a' ^ 3, s1 = 'b' ^ 'a', s2 = 'c' ^ 'b'.
    const std::vector<uint8_t> stored = {'a' ^ 3, 'b' ^ 'a', 'c' ^ 'b'};
    EXPECT_EQ(EncodeScriptStringChain(V("abc")), stored);
    EXPECT_EQ(DecodeScriptStringChain(stored, 3), V("abc"));
    // Read with the wrong chain, everything after the first byte is garbled.
    EXPECT_NE(DecodePatternNameChain(stored), V("abc"));
}

// An empty string still occupies its first stored byte; lengths use only their low byte.
TEST(StringChainsTest, EmptyStringsAndLongLengths) {
    EXPECT_EQ(EncodeScriptStringChain({}), std::vector<uint8_t>{0});
    EXPECT_EQ(StoredStringSize(0, true), 1u);
    EXPECT_EQ(StoredStringSize(0, false), 0u);
    EXPECT_EQ(StoredStringSize(1, true), 1u);
    EXPECT_EQ(StoredStringSize(7, true), 7u);
    EXPECT_TRUE(DecodeScriptStringChain(std::vector<uint8_t>{0x55}, 0).empty());
    EXPECT_TRUE(DecodeScriptStringChain({}, 2).empty());  // too few stored bytes

    std::vector<uint8_t> plain(300);
    for (size_t i = 0; i < plain.size(); ++i)
        plain[i] = static_cast<uint8_t>(i * 7);
    const std::vector<uint8_t> stored = EncodeScriptStringChain(plain);
    EXPECT_EQ(stored[0], plain[0] ^ (300 & 0xFF));
    EXPECT_EQ(DecodeScriptStringChain(stored, 300), plain);
    const std::vector<uint8_t> name = EncodePatternNameChain(plain);
    EXPECT_EQ(name[0], plain[0] ^ (300 & 0xFF));
    EXPECT_EQ(DecodePatternNameChain(name), plain);
}

TEST(StringChainsTest, ScramblingStartsAtVersion301) {
    EXPECT_FALSE(StringsScrambled(0));
    EXPECT_FALSE(StringsScrambled(300));
    EXPECT_TRUE(StringsScrambled(301));
    EXPECT_TRUE(StringsScrambled(304));
}

}  // namespace
}  // namespace mascot
