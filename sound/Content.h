// Content files: files that scripts ask for by name (the wave files of the sound instructions),
// read whole from the program directory or from the resource archive, plain or scrambled.
//
// A scrambled file starts with the byte 1, then a seed byte; every later byte is XORed with a
// keystream drawn from the seed. The useful bytes of such a file are the ones after the seed, so
// a loaded scrambled file hands out its bytes from the third on: a scrambled wave then starts
// with its RIFF header, as the wave output expects. The buffer that was allocated and read stays
// whole inside the Content and is released with it.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace mascot {

class Clock;
class FileSystem;

// The ports the loader reads through. The embedded archive comes from g_hInstance; the program
// directory and the archive mode from their program-wide values.
struct ContentPorts {
    FileSystem& files;
    Clock& clock;  // its tick count reseeds the random generator after a scrambled file
};

inline constexpr uint8_t kScrambledMarker = 1;
// Bytes before the scrambled part: the marker and the seed.
inline constexpr size_t kScrambledHeaderSize = 2;

// XORs `bytes` with the keystream of `seed`: a 32-bit state starts at the seed; before each byte
// it becomes state * 214013 + 2531011 (mod 2^32), and the byte is XORed with bits 16 to 23 of
// it. Applying it twice gives the bytes back.
void ApplyKeystream(std::span<uint8_t> bytes, uint8_t seed);

// A loaded content file.
class Content {
public:
    // Takes the bytes as read; descrambles them in place when the first byte is the marker.
    explicit Content(std::vector<uint8_t> buffer);

    // The content as handed to its users: the whole file when plain; the descrambled bytes after
    // the marker and the seed when scrambled (empty when the file holds no more than those).
    std::span<const uint8_t> Bytes() const;
    // Everything that was read, marker and seed included.
    std::span<const uint8_t> Buffer() const { return m_buffer; }
    bool Scrambled() const { return m_bScrambled != 0; }

private:
    std::vector<uint8_t> m_buffer;
    int32_t m_bScrambled = 0;
};

// Loads the content file `name` (without directory):
// - archive mode 2: the archive entry of that name from the embedded archive; files beside the
//   program are never consulted;
// - other modes: the file g_programDir + name; when it cannot be opened and an archive index is
//   loaded, the archive entry of that name from "archive.dat" beside the program.
// Returns null when nothing is found or the content is empty. A read that comes back shorter
// than asked gives a content of the bytes read. After a scrambled file (first byte 1, whatever
// its length) the random generator is seeded with the clock's tick count.
std::unique_ptr<Content> LoadContent(const ContentPorts& ports, std::string_view name);

}  // namespace mascot
