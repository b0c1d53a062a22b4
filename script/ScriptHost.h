// Everything the interpreter needs from the rest of the program: the container's patterns, a few
// readings of the world, the script timer and the effects of the instructions that act outside
// the script state. The mascot window implements it; the interpreter knows nothing of windows,
// sounds or files. Every number arrives as the 16-bit value the script decoded, unchecked.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "platform/TextRenderer.h"
#include "platform/Types.h"

namespace mascot {

class ScriptHost {
public:
    virtual ~ScriptHost() = default;

    // --- The container ---
    // The container's version word: strings are scrambled from 301 on.
    virtual uint16_t Version() const = 0;
    virtual uint16_t PatternCount() const = 0;
    // The bytes of pattern `index` (0-based), from its first byte to the end of the container;
    // nothing when the index or the pattern's offset lies outside the container.
    virtual std::optional<std::span<const uint8_t>> PatternCode(uint16_t index) const = 0;

    // --- The world ---
    // The cursor in the mascot window's client coordinates (negative left of or above it).
    virtual Point CursorInClient() = 0;
    virtual LocalTime LocalNow() = 0;
    // The "AutoAnimation" setting; IfAutoOff jumps when it is off.
    virtual bool AutoAnimation() const = 0;
    // The position percentage m_nPosition, 0 to 100.
    virtual int32_t Position() const = 0;

    // --- The script timer (id kTimerScript) ---
    // Arms timer `id` for `ms` milliseconds, replacing a pending one.
    virtual void SetTimer(uint32_t id, uint32_t ms) = 0;
    virtual void KillTimer(uint32_t id) = 0;

    // --- Selecting a pattern ---
    // Empties the 16 region slots; the window keeps the shape it has until another is applied.
    virtual void FreeRegionSlots() = 0;

    // --- Instruction effects, called with their decoded operands ---
    // 1: fills the first free region slot from mask image `image` (kind 'b'); returns the slot
    // number or 0xFFFF. The interpreter stores the result in variable 0.
    virtual uint16_t MakeShape(uint8_t kind, uint16_t image) = 0;
    // 2: the region of `slot` becomes the window's shape.
    virtual void SetShape(uint16_t slot) = 0;
    // 7: draws frame image `frame` at its stored offset into the back buffer.
    virtual void Draw(uint16_t frame) = 0;
    // 10: plays a wave file by name; `name` ends before its first zero byte, as do all strings.
    virtual void PlayFile(std::string_view name) = 0;
    // 11: plays numbered sound `index` (0 to 4 name files; others are the window's to judge).
    virtual void PlaySound(uint16_t index) = 0;
    // 14: sets the position percentage (above 100 counts as 100) and runs one tracking pass.
    // The run then ends without arming the timer.
    virtual void SetPosition(uint16_t percent) = 0;
    // 17: sets the script state's height and re-places the mascot; nothing when it is unchanged.
    virtual void SetHeight(uint16_t height) = 0;
    // 24: starts a program.
    virtual void Launch(std::string_view commandLine) = 0;
    // 25: draws text with the script state's font into the back buffer at (x, y).
    virtual void Text(uint16_t x, uint16_t y, std::string_view text) = 0;
    // 26: creates the script font: bold Shift-JIS `face` at `height` pixels. The interpreter
    // releases the previous font first and keeps the new one in the script state.
    virtual std::unique_ptr<Font> CreateScriptFont(uint16_t height, std::string_view face) = 0;
    // 29: the integer setting under `key`, or `fallback` when absent, cut to 16 bits. The
    // interpreter stores it in the destination variable.
    virtual uint16_t ReadSetting(std::string_view key, uint16_t fallback) = 0;
    // 30: writes `value` under `key` into the program's profile, in the title's section.
    virtual void WriteProfile(std::string_view key, uint16_t value) = 0;
    // 31: with kind 'b', replaces the palette by one built from frame image `image`.
    virtual void Palette(uint8_t kind, uint16_t image) = 0;

    // --- Notices ---
    // A pattern was made current, by the initial choice or by SelectPattern: its 0-based index
    // (kNoPattern when none could be) and the selection as stored. Called last, when the pattern
    // is ready to run (after SelectPattern has armed the timer).
    virtual void PatternSelected(int32_t /*index*/, int32_t /*choice*/) {}
};

}  // namespace mascot
