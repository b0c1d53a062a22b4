// What each fuzz target does with one input, shared by the libFuzzer entry points (fuzz/*.cpp)
// and the unit test that replays the regression inputs under tests/data/fuzz. Each function
// returns the first broken invariant it saw, or an empty string; the sanitizers catch the rest.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/ProfileText.h"
#include "app/Random.h"
#include "data/ContainerCheck.h"
#include "data/ContainerValidation.h"
#include "data/MascotData.h"
#include "render/Dib.h"
#include "render/DrawDib.h"
#include "render/MaskRegion.h"
#include "render/Palette.h"
#include "script/ContainerCodeCheck.h"
#include "script/Interpreter.h"
#include "script/ScriptHost.h"
#include "sound/Archive.h"
#include "sound/Content.h"

namespace mascot::fuzz {

using Bytes = std::span<const uint8_t>;

inline bool Inside(Bytes part, Bytes whole) {
    return part.empty() ||
           (part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size());
}

inline bool Inside(std::string_view part, Bytes whole) {
    return Inside(Bytes(reinterpret_cast<const uint8_t*>(part.data()), part.size()), whole);
}

// --- The container: every view, the file checks, the structure and byte-code checks, and the
// drawing and shape code on every image.

inline std::string ContainerImage(const FrameImage& image, Bytes bytes) {
    const auto table = image.ColourTable();
    const auto bits = image.Bits();
    if ((table && !Inside(*table, bytes)) || (bits && !Inside(*bits, bytes)) || !Inside(image.Dib(), bytes))
        return "an image's bytes lie outside the container";
    const auto dib = ParseDib(image.Dib());
    if (!dib)
        return {};
    CMaskRgn mask;
    mask.BuildFromMask(*dib);
    (void)PaletteFromDib(*dib);
    // Drawing into a small frame is enough to reach every clipping path.
    Surface surface(64, 64);
    DrawDibAt(surface, image.X(), image.Y(), *dib);
    return {};
}

inline std::string Container(Bytes bytes) {
    const MascotData data(bytes);
    (void)ValidateDataFile(bytes);
    (void)data.ComputedHeaderChecksum();
    (void)data.ComputedTableChecksum();
    (void)data.MenuColumnLength();
    if (const auto& directory = data.Directory()) {
        // Images that share their bytes are drawn and shaped once; a few dozen reach every path.
        std::set<uint64_t> seen;
        for (uint16_t n = 0; n < directory->ImageCount() && seen.size() < 32; ++n) {
            if (!directory->ImageOffset(n))
                break;
            const auto image = directory->Image(n);
            if (!image || !seen.insert(image->Offset()).second)
                continue;
            if (std::string broken = ContainerImage(*image, bytes); !broken.empty())
                return broken;
        }
    }
    if (const auto& table = data.Table()) {
        if (const auto title = table->Title(); title && !Inside(*title, bytes))
            return "the title lies outside the container";
        const auto extents = PatternExtents(data);
        for (uint16_t i = 0; i < extents.size(); ++i) {
            if (extents[i] && !Inside(*extents[i], bytes))
                return "a pattern's bytes lie outside the container";
            const auto one = i < 16 ? PatternExtent(data, i) : extents[i];
            if (one.has_value() != extents[i].has_value() ||
                (one && (one->data() != extents[i]->data() || one->size() != extents[i]->size())))
                return "the extents of all patterns differ from one pattern's";
            (void)table->PatternName(i);
        }
    }
    Findings findings;
    CheckContainerStructure(data, findings);
    CheckContainerCode(data, findings);
    return {};
}

// --- The interpreter: patterns of random bytes run against a host that does nothing, a few
// runs in a row, with clicks and pattern choices in between.

class QuietFont final : public Font {};

class QuietHost final : public ScriptHost {
public:
    QuietHost(Bytes bytes, uint16_t version, std::vector<size_t> starts)
        : m_bytes(bytes), m_version(version), m_starts(std::move(starts)) {}

    uint16_t Version() const override { return m_version; }
    uint16_t PatternCount() const override { return static_cast<uint16_t>(m_starts.size()); }
    std::optional<std::span<const uint8_t>> PatternCode(uint16_t index) const override {
        if (index >= m_starts.size())
            return std::nullopt;
        return m_bytes.subspan(m_starts[index]);
    }
    Point CursorInClient() override { return Point{-5, 7}; }
    LocalTime LocalNow() override { return LocalTime{2026, 1, 4, 1, 9, 30, 15, 250}; }
    bool AutoAnimation() const override { return m_bytes.size() % 2 == 0; }
    int32_t Position() const override { return 90; }
    void SetTimer(uint32_t, uint32_t) override {}
    void KillTimer(uint32_t) override {}
    void FreeRegionSlots() override { m_slot = 0; }
    uint16_t MakeShape(uint8_t, uint16_t) override { return m_slot < 16 ? m_slot++ : 0xFFFF; }
    void SetShape(uint16_t) override {}
    void Draw(uint16_t) override {}
    void PlayFile(std::string_view name) override { m_outside |= name.size() > 255; }
    void PlaySound(uint16_t) override {}
    void SetPosition(uint16_t) override {}
    void SetHeight(uint16_t) override {}
    void Launch(std::string_view text) override { m_outside |= text.size() > 255; }
    void Text(uint16_t, uint16_t, std::string_view text) override { m_outside |= text.size() > 255; }
    std::unique_ptr<Font> CreateScriptFont(uint16_t, std::string_view face) override {
        m_outside |= face.size() > 255;
        return std::make_unique<QuietFont>();
    }
    uint16_t ReadSetting(std::string_view key, uint16_t fallback) override {
        m_outside |= key.size() > 255;
        return fallback;
    }
    void WriteProfile(std::string_view key, uint16_t) override { m_outside |= key.size() > 255; }
    void Palette(uint8_t, uint16_t) override {}

    bool StringTooLong() const { return m_outside; }

private:
    Bytes m_bytes;
    uint16_t m_version;
    std::vector<size_t> m_starts;
    uint16_t m_slot = 0;
    bool m_outside = false;
};

// Byte 0 chooses the version (plain or scrambled strings) and how many patterns (1 to 4) the
// rest is cut into, at offsets taken from bytes 1 and 2.
inline std::string Script(Bytes input) {
    if (input.size() < 3)
        return {};
    const uint16_t version = (input[0] & 1) ? 302 : 300;
    const Bytes code = input.subspan(3);
    std::vector<size_t> starts{0};
    for (int i = 1; i <= ((input[0] >> 1) & 3) && !code.empty(); ++i)
        starts.push_back(input[i % 3] % code.size());
    if (code.empty())
        starts.clear();
    QuietHost host(code, version, starts);
    ScriptState state;
    Srand(input.size());
    SelectInitialPattern(state, host, input[0] >> 3);
    for (int run = 0; run < 8; ++run) {
        const RunEnd end = RunScript(state, host, 20000);
        if (!state.m_pCode.empty() && !Inside(state.m_pCode, code))
            return "the current pattern lies outside the code";
        if (end == RunEnd::ChangePattern || end == RunEnd::Wait)
            continue;
        // Halted: a click restarts the handler, or a pattern choice restarts a pattern.
        if (state.m_clickTarget != kNoClickHandler && run % 2 == 0)
            state.m_pc = state.m_clickTarget;
        else
            SelectPattern(state, host, run);
    }
    return host.StringTooLong() ? "a string longer than 255 bytes reached the host" : std::string();
}

// --- The archive index: every bucket, every entry of every bucket, lookups by name.

inline std::string ArchiveIndex(Bytes index) {
    // Lookups walk a whole bucket (up to 65535 entries); the names of a few entries are enough.
    std::vector<std::string> names = {"sa0014_.wav", "Sa0018_.wav", "", "a"};
    for (int bucket = 0; bucket < 256; ++bucket) {
        const auto found = ArchiveBucketIn(index, static_cast<uint8_t>(bucket));
        if (!found)
            continue;
        uint16_t position = static_cast<uint16_t>(found->offset + 2);
        for (uint16_t n = 0; n < found->count && n < 64; ++n) {
            const auto entry = ArchiveEntryIn(index, position);
            if (!entry)
                break;
            if (!Inside(entry->name, index))
                return "an entry's name lies outside the index";
            const auto data = ArchiveDataOf(*entry, index);
            if (data && !Inside(*data, index))
                return "an entry's data lies outside the data";
            if (names.size() < 8)
                names.emplace_back(entry->name.begin(), entry->name.end());
            position = static_cast<uint16_t>(position + entry->size);
        }
    }
    for (const std::string& name : names)
        (void)FindArchiveEntryIn(index, name);
    return {};
}

// --- Content files: the descrambler and what a loaded content hands out.

inline std::string ContentFile(Bytes input) {
    std::vector<uint8_t> copy(input.begin(), input.end());
    const uint8_t seed = input.empty() ? 0 : input[0];
    ApplyKeystream(copy, seed);
    ApplyKeystream(copy, seed);
    if (!std::equal(copy.begin(), copy.end(), input.begin(), input.end()))
        return "the keystream applied twice does not give the bytes back";
    const Content content(std::vector<uint8_t>(input.begin(), input.end()));
    const bool scrambled = !input.empty() && input[0] == kScrambledMarker;
    if (content.Scrambled() != scrambled || !Inside(content.Bytes(), content.Buffer()))
        return "a content hands out the wrong bytes";
    const size_t expected = scrambled ? (input.size() > 2 ? input.size() - 2 : 0) : input.size();
    return content.Bytes().size() == expected ? std::string()
                                              : "a content hands out the wrong number of bytes";
}

// --- The settings text: lookups, and a write that a lookup must read back. Byte 0 and 1 choose
// the section and key names (from a small alphabet, so that they can match), the rest is the file.

inline std::string ProfileName(uint8_t choice) {
    static const char* const kNames[] = {"Mascot-DEMO", "mascot-demo", "a", "Position",
                                         "position",    "x y",         "",  "="};
    return kNames[choice % 8];
}

inline std::string ProfileText(Bytes input) {
    if (input.size() < 2)
        return {};
    const std::string section = ProfileName(input[0]);
    const std::string key = ProfileName(input[1]);
    const std::string text(input.begin() + 2, input.end());
    (void)ProfileLookup(text, section, key);
    (void)ProfileParseInt(text);
    if (key.empty() || key == "=" || section.empty())
        return {};
    const std::string written = ProfileWrite(text, section, key, "123");
    const auto read = ProfileLookup(written, section, key);
    if (read != "123")
        return "a written value does not read back: [" + section + "] " + key + " = " +
               read.value_or("(none)");
    return {};
}

}  // namespace mascot::fuzz
