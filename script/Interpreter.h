// The script interpreter: runs the current pattern until an instruction ends the run, and makes
// patterns current.
//
// Pattern bytes come from the mascot data and are not trusted. Nothing outside the script state
// and the current pattern's bytes is ever read or written, and every run ends. One reaction per
// kind of fault:
//  - A run that executes kRunBudget opcode bytes (skipped ones included) without ending halts the
//    pattern: the run ends with no timer armed, as after SetPosition, so a click handler or a
//    pattern choice can still restart it. A loop that never waits would otherwise hang the
//    program's only thread.
//  - A program counter outside the pattern's bytes, an instruction or string whose bytes run past
//    them, and a jump that is taken to a target outside them halt the pattern the same way, before
//    the instruction has any effect. m_pc is left at the start of that instruction.
//  - A variable number of 100 or more (the operand word 0xFFFB included) reads as 0; a write to
//    one is dropped.
//  - Mod by 0 leaves the variable as it is.
//  - WaitRandom with b = 0 waits a milliseconds and draws no random number.
//  - A string longer than 255 bytes is consumed whole and cut to its first 255 bytes.
//  - A pattern number above the pattern count counts as the last pattern, a negative one as 0
//    (random), as the initial choice does; with no pattern at all nothing is current and runs
//    end at once.
#pragma once

#include <cstdint>

#include "script/ScriptHost.h"
#include "script/ScriptState.h"

namespace mascot {

// Far above what any sane pattern executes between two waits.
inline constexpr uint32_t kRunBudget = 100000;
// Menu command numbers from this one on select pattern (n - 32780): 0 random, then 1 to 16.
inline constexpr int32_t kPatternCommandBase = 32780;
// SelectPattern starts the new pattern after this many milliseconds.
inline constexpr uint32_t kPatternStartDelay = 10;

// How a run ended.
enum class RunEnd : uint8_t {
    Wait,           // Wait or WaitRandom armed the script timer
    SetPosition,    // the pattern halts after SetPosition
    ChangePattern,  // another pattern is current and starts after kPatternStartDelay
    // Faults: the pattern halts with no timer armed.
    NoPattern,     // no pattern is current
    OutOfPattern,  // the program counter, an operand or a string left the pattern's bytes
    BadJump,       // a jump was taken to a target outside the pattern
    Budget,        // kRunBudget opcode bytes ran without the run ending
};

constexpr bool IsFault(RunEnd end) {
    return end >= RunEnd::NoPattern;
}
const char* RunEndName(RunEnd end);

// Runs the current pattern from m_pc until an instruction ends the run or a fault halts it.
// `budget` is the number of opcode bytes the run may fetch.
RunEnd RunScript(ScriptState& state, ScriptHost& host, uint32_t budget = kRunBudget);

// Makes a pattern current: n is 0 (random), 1 to the pattern count, or a menu command number
// from kPatternCommandBase on, which counts as n - kPatternCommandBase. Frees the region slots
// and the script font and starts the pattern from its beginning after kPatternStartDelay.
// Variables, the click handler and the height stay as they are.
void SelectPattern(ScriptState& state, ScriptHost& host, int32_t n);

// The choice at window creation from the "Pattern" setting: negative counts as 0 (random),
// above the pattern count as the count. Makes that pattern current at its beginning; frees and
// arms nothing.
void SelectInitialPattern(ScriptState& state, ScriptHost& host, int32_t setting);

}  // namespace mascot
