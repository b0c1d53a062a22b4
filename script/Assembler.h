// The text form of a pattern (a ".kqs" file) and its assembler.
//
//     ; a comment runs to the end of the line
//     Name "Sleepy"              ; every pattern begins with its name
//     start:                     ; a label marks the next instruction's offset
//         MakeShape 'b', 5       ; byte: a number or one character in single quotes
//         Let v1, 0              ; dest: v0 to v99, or raw(0x8001) for any stored word
//     loop:
//         Add v1, random100      ; op: 0 to 32767, v0 to v99, a special operand, or raw(...)
//         If v1, <, 300, loop    ; If's code: ! < = > or a byte number; target: label or offset
//         Text 10, 20, "こんにちは\x81\x40"  ; strings are UTF-8, stored as Shift-JIS; escapes
//                                ; \xNN \n \r \t \\ \" give bytes as they are
//         WaitRandom 4000, 5000
//         Goto start
//         .byte 0, 200           ; bytes stored as they are (the run skips these two)
//
// Mnemonics are the instruction names, in any letter case. The special operands are time.ms
// (reads the clock), time.year, time.month, time.day, time.hour, time.minute, time.second,
// random100, position, cursor.x and cursor.y. Strings are stored with the container version's
// chain: the name chain for Name, the script chain for every other string.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mascot {

inline constexpr uint16_t kDefaultVersion = 302;

// Turns the text of a string literal (UTF-8) into the bytes to store (Shift-JIS); nothing when a
// character has no stored form. The tools pass a converter; without one, text is stored as
// written.
using TextEncoder = std::function<std::optional<std::string>(std::string_view text)>;

struct AsmOptions {
    uint16_t version = kDefaultVersion;
    std::string fileName = "<input>";  // for messages
    TextEncoder encode;
};

struct AsmError {
    std::string file;
    int line = 0;    // 1-based
    int column = 0;  // 1-based
    std::string message;
    // "file:line:column: message"
    std::string ToString() const;
};

struct AsmLabel {
    std::string name;
    uint32_t offset = 0;
};

// Where each line's statement begins in the code, for messages about the bytes.
struct AsmLine {
    uint32_t offset = 0;
    int line = 0;
};

struct AsmOutput {
    std::vector<uint8_t> code;
    std::vector<AsmError> errors;  // empty when the text assembled
    std::vector<AsmLabel> labels;
    std::vector<AsmLine> lines;

    bool Ok() const { return errors.empty(); }
    // The label's offset; nothing for an unknown label.
    std::optional<uint32_t> LabelOffset(std::string_view name) const;
    // The line of the statement that covers `offset`; 0 when none.
    int LineOf(uint32_t offset) const;
};

// Assembles one pattern. Every error in the text is reported; the code is complete only when
// there is none.
AsmOutput Assemble(std::string_view source, const AsmOptions& options = {});

}  // namespace mascot
