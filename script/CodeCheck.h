// Checks one pattern's byte code for what the interpreter would stumble over, naming the offset
// of each finding. Used by kqtool; the program itself runs whatever it is given, safely.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "script/Assembler.h"

namespace mascot {

enum class CodeProblem : uint8_t {
    MissingName,      // the pattern does not begin with Name and a literal length
    Truncated,        // an instruction runs past the end of the pattern
    VariableLength,   // a string length from a variable: the rest cannot be decoded without running
    UnknownTarget,    // a jump or click target inside the pattern but not at an instruction
    TargetOutside,    // a jump or click target outside the pattern
    InvalidVariable,  // a variable number of 100 or more, or the operand word 0xFFFB
    SoundIndex,       // PlaySound with a literal above 4
    MissingImage,     // Draw, MakeShape or Palette with a literal image number past the last image
    MissingSlot,      // SetShape with a literal slot number past the 16 slots
    MissingPattern,   // ChangePattern with a literal pattern number above the pattern count
    LongString,       // a string or name over 255 bytes
    RunsOffTheEnd,    // execution can continue past the last byte of the pattern
    EndlessLoop,      // a loop that can go round without Wait, WaitRandom, SetPosition or ChangePattern
};

struct CodeFinding {
    uint32_t offset = 0;  // of the instruction concerned
    CodeProblem problem = CodeProblem::MissingName;
    std::string message;
};

struct CodeCheckOptions {
    uint16_t version = kDefaultVersion;
    // The container's frame image count; without it image numbers are not checked.
    std::optional<uint16_t> imageCount;
    // The container's pattern count; without it pattern numbers are not checked.
    std::optional<uint16_t> patternCount;
};

// Decodes the pattern from its first byte and reports every finding, ordered by offset.
std::vector<CodeFinding> CheckPattern(std::span<const uint8_t> code, const CodeCheckOptions& options = {});

const char* CodeProblemName(CodeProblem problem);

}  // namespace mascot
