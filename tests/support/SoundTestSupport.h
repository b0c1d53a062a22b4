// Helpers for the content, archive and sound tests: byte files in a temporary directory, wave
// images, and the program-wide values those tests change.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "sound/Archive.h"
#include "sound/Content.h"
#include "support/TempDir.h"

namespace mascot::test {

using Bytes = std::vector<uint8_t>;

// Files of test bytes in a temporary directory.
inline void WriteBytes(const TempDir& dir, const std::string& name, const Bytes& bytes) {
    std::ofstream out(dir.File(name), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << dir.File(name);
}

inline Bytes ReadBytes(const TempDir& dir, const std::string& name) {
    const std::string text = dir.Read(name);
    return Bytes(text.begin(), text.end());
}

// Sets the program-wide values content loading reads, and puts back what was there (freeing any
// archive index the test loaded).
class ProgramScope {
public:
    ProgramScope(const std::optional<std::string>& dir, int archiveMode, Resources* resources = nullptr)
        : m_dir(g_programDir), m_mode(g_archiveMode), m_resources(g_hInstance), m_muted(g_soundMuted) {
        g_programDir = dir;
        g_archiveMode = archiveMode;
        g_hInstance = resources;
        g_soundMuted = 0;
    }
    ProgramScope(const ProgramScope&) = delete;
    ProgramScope& operator=(const ProgramScope&) = delete;
    ~ProgramScope() {
        FreeArchiveIndex();
        g_programDir = m_dir;
        g_archiveMode = m_mode;
        g_hInstance = m_resources;
        g_soundMuted = m_muted;
    }

private:
    std::optional<std::string> m_dir;
    int m_mode;
    Resources* m_resources;
    int32_t m_muted;
};

inline void AppendU16(Bytes& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void AppendU32(Bytes& out, uint32_t value) {
    AppendU16(out, value & 0xFFFF);
    AppendU16(out, value >> 16);
}

inline void AppendTag(Bytes& out, const char (&tag)[5]) {
    out.insert(out.end(), tag, tag + 4);
}

// A PCM RIFF WAVE image of `dataSize` sample bytes (a ramp from `first`) at `byteRate` bytes a
// second, mono 8-bit.
inline Bytes MakeWave(uint32_t dataSize, uint32_t byteRate = 8000, uint8_t first = 0) {
    Bytes wave;
    AppendTag(wave, "RIFF");
    AppendU32(wave, 36 + dataSize);
    AppendTag(wave, "WAVE");
    AppendTag(wave, "fmt ");
    AppendU32(wave, 16);
    AppendU16(wave, 1);         // PCM
    AppendU16(wave, 1);         // channels
    AppendU32(wave, byteRate);  // samples a second
    AppendU32(wave, byteRate);  // bytes a second
    AppendU16(wave, 1);         // block align
    AppendU16(wave, 8);         // bits a sample
    AppendTag(wave, "data");
    AppendU32(wave, dataSize);
    for (uint32_t i = 0; i < dataSize; ++i)
        wave.push_back(static_cast<uint8_t>(first + i));
    return wave;
}

// The scrambled form of `plain` with `seed`, made by hand from the keystream's definition.
inline Bytes Scramble(const Bytes& plain, uint8_t seed) {
    Bytes out{1, seed};
    uint32_t state = seed;
    for (uint8_t byte : plain) {
        state = state * 214013u + 2531011u;
        out.push_back(static_cast<uint8_t>(byte ^ ((state >> 16) & 0xFF)));
    }
    return out;
}

inline Bytes ToBytes(std::span<const uint8_t> bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

}  // namespace mascot::test
