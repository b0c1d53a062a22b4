// What a data file must pass before the program runs on it, in the order the tests are made.
// The loader shows the message that belongs to the verdict; `kqtool check` prints the verdict.
// Embedded data is not put through these tests; it only has to be usable (MascotData.h).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace mascot {

enum class FileVerdict : uint8_t {
    Ok,            // loads without a question
    Empty,         // no bytes at all (message M2)
    NotContainer,  // the first two bytes are not "KQ": a foreign file or an old format (M3)
    TooNew,        // a version above 303 (M4)
    Unusable,      // too short for its header or the fixed parts of its two blocks (M2)
    Doubtful,      // version 301 to 303 and a length or checksum test failed (question Q)
};

struct FileValidation {
    FileVerdict verdict = FileVerdict::Ok;
    // The three tests of versions 301 to 303; all true when they were not made.
    bool lengthOk = true;
    bool headerChecksumOk = true;
    bool tableChecksumOk = true;
};

// The verdict on the bytes of a data file:
// 1. empty: Empty; 2. no "KQ" at the start: NotContainer; 3. no version word: Unusable;
// 4. version above 303: TooNew; 5. the header, the directory's fixed part or the table's fixed
// part outside the bytes: Unusable (checked before the question, which could not help);
// 6. version 301 to 303: the total length must equal the size, and both checksums must match,
// all three tested; any failure: Doubtful.
FileValidation ValidateDataFile(std::span<const uint8_t> bytes);

// The loader's message for a verdict: "M2", "M3", "M4", "Q", or "ok".
std::string_view VerdictMessageId(FileVerdict verdict);

}  // namespace mascot
