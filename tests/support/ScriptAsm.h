// Byte code for tests, written as pattern text.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "script/Assembler.h"
#include "tools/common/Sjis.h"

namespace mascot::test {

inline AsmOptions TestAsmOptions(uint16_t version = kDefaultVersion) {
    AsmOptions options;
    options.version = version;
    options.fileName = "test.kqs";
    options.encode = [](std::string_view text) { return TryUtf8ToSjis(std::string(text)); };
    return options;
}

// Assembles `text`; a text that does not assemble fails the test with the assembler's messages.
inline std::vector<uint8_t> Asm(std::string_view text, uint16_t version = kDefaultVersion) {
    const AsmOutput out = Assemble(text, TestAsmOptions(version));
    for (const AsmError& error : out.errors)
        ADD_FAILURE() << error.ToString();
    return out.code;
}

}  // namespace mascot::test
