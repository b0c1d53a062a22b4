// A script host for tests: patterns laid out back to back as in a container, a fixed world that
// the test sets, and every effect recorded as one readable line.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "script/ScriptHost.h"

namespace mascot::test {

class RecordingFont final : public Font {
public:
    RecordingFont(uint16_t height, std::string face) : height(height), face(std::move(face)) {}
    uint16_t height;
    std::string face;
};

class RecordingScriptHost final : public ScriptHost {
public:
    // The patterns, stored one after another; pattern i's code runs to the end of all of them.
    void SetPatterns(const std::vector<std::vector<uint8_t>>& patterns) {
        m_bytes.clear();
        m_starts.clear();
        for (const std::vector<uint8_t>& pattern : patterns) {
            m_starts.push_back(m_bytes.size());
            m_bytes.insert(m_bytes.end(), pattern.begin(), pattern.end());
        }
    }

    uint16_t version = 302;
    Point cursor{};
    // Each clock reading takes the next time; the last one stays.
    std::deque<LocalTime> times{LocalTime{2026, 1, 4, 1, 9, 30, 15, 250}};
    bool autoAnimation = true;
    int32_t position = 90;
    uint16_t nextSlot = 0;
    uint16_t settingValue = 0;
    bool hasSetting = false;
    std::vector<std::string> events;
    // (index, choice) of every pattern made current.
    std::vector<std::pair<int32_t, int32_t>> selected;

    uint16_t Version() const override { return version; }
    uint16_t PatternCount() const override { return static_cast<uint16_t>(m_starts.size()); }
    std::optional<std::span<const uint8_t>> PatternCode(uint16_t index) const override {
        if (index >= m_starts.size())
            return std::nullopt;
        return std::span<const uint8_t>(m_bytes).subspan(m_starts[index]);
    }

    Point CursorInClient() override { return cursor; }
    LocalTime LocalNow() override {
        const LocalTime now = times.front();
        if (times.size() > 1)
            times.pop_front();
        return now;
    }
    bool AutoAnimation() const override { return autoAnimation; }
    int32_t Position() const override { return position; }

    void SetTimer(uint32_t id, uint32_t ms) override { Record("SetTimer " + N(id) + " " + N(ms)); }
    void KillTimer(uint32_t id) override { Record("KillTimer " + N(id)); }
    void FreeRegionSlots() override { Record("FreeRegionSlots"); }

    uint16_t MakeShape(uint8_t kind, uint16_t image) override {
        Record("MakeShape " + N(kind) + " " + N(image));
        return nextSlot++;
    }
    void SetShape(uint16_t slot) override { Record("SetShape " + N(slot)); }
    void Draw(uint16_t frame) override { Record("Draw " + N(frame)); }
    void PlayFile(std::string_view name) override { Record("PlayFile " + std::string(name)); }
    void PlaySound(uint16_t index) override { Record("PlaySound " + N(index)); }
    void SetPosition(uint16_t percent) override { Record("SetPosition " + N(percent)); }
    void SetHeight(uint16_t height) override { Record("SetHeight " + N(height)); }
    void Launch(std::string_view commandLine) override { Record("Launch " + std::string(commandLine)); }
    void Text(uint16_t x, uint16_t y, std::string_view text) override {
        Record("Text " + N(x) + " " + N(y) + " " + std::string(text));
    }
    std::unique_ptr<Font> CreateScriptFont(uint16_t height, std::string_view face) override {
        Record("Font " + N(height) + " " + std::string(face));
        return std::make_unique<RecordingFont>(height, std::string(face));
    }
    uint16_t ReadSetting(std::string_view key, uint16_t fallback) override {
        Record("ReadSetting " + std::string(key) + " " + N(fallback));
        return hasSetting ? settingValue : fallback;
    }
    void WriteProfile(std::string_view key, uint16_t value) override {
        Record("WriteProfile " + std::string(key) + " " + N(value));
    }
    void Palette(uint8_t kind, uint16_t image) override { Record("Palette " + N(kind) + " " + N(image)); }
    // Kept apart from `events`: every pattern choice reports one.
    void PatternSelected(int32_t index, int32_t choice) override { selected.emplace_back(index, choice); }

private:
    static std::string N(uint32_t value) { return std::to_string(value); }
    void Record(std::string event) { events.push_back(std::move(event)); }

    std::vector<uint8_t> m_bytes;
    std::vector<size_t> m_starts;
};

}  // namespace mascot::test
