// Turns a pattern's bytes back into the text form the assembler reads. Assembling the text gives
// the same bytes again: whatever has no exact text form (bytes the run skips, a truncated last
// instruction, a string whose length comes from a variable, an empty scrambled string whose
// stored byte is not 0, a string over 255 bytes) is written as .byte lines with a comment.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "script/Assembler.h"

namespace mascot {

// Turns stored string bytes (Shift-JIS) into text for people (UTF-8); nothing when they are no
// valid text. Without one, bytes outside printable ASCII are written as escapes.
using TextDecoder = std::function<std::optional<std::string>(std::string_view bytes)>;

struct DisasmOptions {
    uint16_t version = kDefaultVersion;
    TextDecoder decode;
    // The assembler's encoder: text is written only when encoding it gives the stored bytes back.
    TextEncoder encode;
};

std::string Disassemble(std::span<const uint8_t> code, const DisasmOptions& options = {});

}  // namespace mascot
