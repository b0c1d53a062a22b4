#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/ContainerCheck.h"
#include "data/ContainerValidation.h"
#include "data/DibWriter.h"
#include "support/DataFixtures.h"

namespace mascot {
namespace {

std::vector<std::string> Lines(const BuiltContainer& c) {
    Findings findings;
    CheckContainerStructure(MascotData(c.Span()), findings);
    std::vector<std::string> lines;
    for (const Finding& f : findings)
        lines.push_back(f.ToString());
    return lines;
}

TEST(ContainerCheckTest, WriterOutputHasNoFindings) {
    for (uint16_t version : {0, 300, 301, 302, 303}) {
        SCOPED_TRACE(version);
        const BuiltContainer c = test::SampleContainer(version);
        EXPECT_TRUE(Lines(c).empty());
        EXPECT_EQ(ValidateDataFile(c.Span()).verdict, FileVerdict::Ok);
    }
}

// One broken item each; the finding names it and where it lies.
TEST(ContainerCheckTest, StructuralProblemsNameItemAndOffset) {
    using Edit = void (*)(BuiltContainer&);
    struct Case {
        const char* what;
        Edit edit;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"image offset past the end",
         [](BuiltContainer& c) { c.PutU32(c.ImageOffsetField(1), 0xFFFFFFFF); },
         {"image 1 at offset 4294967331: starts too close to or past the end of the container for its "
          "headers"}},
        {"DIB header size 12",
         [](BuiltContainer& c) { c.PutU32(c.imageStarts[1] + 18, 12); },
         {"image 1 at offset 1526: DIB header size 12 is not supported (only 40)"}},
        {"top-down image",
         [](BuiltContainer& c) { c.PutU32(c.imageStarts[0] + 26, static_cast<uint32_t>(-24)); },
         {"image 0 at offset 60: width 16 and height -24 must be positive (top-down images are not "
          "supported)"}},
        {"16 bits per pixel",
         [](BuiltContainer& c) { c.PutU16(c.imageStarts[1] + 32, 16); },
         {"image 1 at offset 1526: 16 bits per pixel are not supported (1, 4, 8 or 24)"}},
        {"compressed colour frame",
         [](BuiltContainer& c) { c.PutU32(c.imageStarts[0] + 34, 1); },
         {"image 0 at offset 60: compression 1 is not supported on a colour image"}},
        {"colours used",
         [](BuiltContainer& c) { c.PutU32(c.imageStarts[0] + 50, 16); },
         {"image 0 at offset 60: colours-used 16 is not supported (only 0)"}},
        {"bits past the end",
         [](BuiltContainer& c) { c.PutU32(c.imageStarts[1] + 26, 9000); },
         {"image 1 at offset 1584: pixel bits need 72000 bytes, only 381 remain in the container"}},
        // The stream has no length: it runs on into whatever follows, up to the container's end.
        {"packed mask too short",
         [](BuiltContainer& c) { c.PutU32(c.imageStarts[3] + 26, 2400); },
         {"image 3 at offset 1828: packed mask yields 239 of its 9600 bytes before the container ends"}},
        {"no images",
         [](BuiltContainer& c) { c.PutU16(36, 0); },
         {"image directory at offset 36: holds no images (the palette comes from image 0)"}},
        {"pattern count 0",
         [](BuiltContainer& c) { c.PutU16(c.tableOffset + 96, 0); },
         {"pattern table at offset 1932: pattern count is 0: no pattern can run"}},
        {"pattern count 17",
         [](BuiltContainer& c) { c.PutU16(c.tableOffset + 96, 17); },
         {"pattern table at offset 1932: pattern count 17 is above 16, more than the menu has commands for",
          "pattern table at offset 1964: offsets of patterns 6 to 16 run past the end of the container",
          // Entries 2 to 5 are the first patterns' bytes, read as offsets.
          "pattern 2 at offset 2432699196: starts at or past the end of the container",
          "pattern 3 at offset 23001757: starts at or past the end of the container",
          "pattern 4 at offset 51382830: starts at or past the end of the container",
          "pattern 5 at offset 1830385452: starts at or past the end of the container"}},
        {"pattern offset past the end",
         [](BuiltContainer& c) { c.PutU32(c.PatternOffsetField(0), 0xFFFFFFFF); },
         {"pattern 0 at offset 4294969131: starts at or past the end of the container"}},
        {"pattern without Name",
         [](BuiltContainer& c) { c.PutU8(c.patternStarts[0], 17); },
         {"pattern 0 at offset 1948: does not start with Name (opcode 16), where the menu reads its name"}},
        {"name of 256 bytes",
         [](BuiltContainer& c) { c.PutU16(c.patternStarts[0] + 1, 256); },
         {"pattern 0 at offset 1949: name of 256 bytes is longer than 255"}},
        {"name past the end",
         [](BuiltContainer& c) { c.PutU16(c.patternStarts[1] + 1, 5); },
         {"pattern 1 at offset 1961: name bytes run past the end of the container"}},
        {"title without NUL",
         [](BuiltContainer& c) { c.PutBytes(c.tableOffset, std::vector<uint8_t>(32, 'x')); },
         {"title at offset 1836: has no NUL within its 32 bytes"}},
        {"about text without NUL",
         [](BuiltContainer& c) { c.PutBytes(c.tableOffset + 32, std::vector<uint8_t>(64, 'x')); },
         {"about text at offset 1868: has no NUL within its 64 bytes"}},
        {"directory past the end",
         [](BuiltContainer& c) { c.PutU32(4, 1960); },
         {"image directory at offset 1960: its 8-byte fixed part runs past the end of the container (1965 "
          "bytes)"}},
        {"table past the end",
         [](BuiltContainer& c) { c.PutU32(8, 1900); },
         {"pattern table at offset 1900: its 104-byte fixed part runs past the end of the container (1965 "
          "bytes)"}},
        {"shorter than a header",
         [](BuiltContainer& c) { c.Truncate(20); },
         {"header at offset 0: the container has 20 bytes, fewer than the 36 of a header"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BuiltContainer built = test::SampleContainer();
        c.edit(built);
        EXPECT_EQ(Lines(built), c.lines);
    }
}

TEST(ContainerCheckTest, CountsOf65535ReportTheMissingRangeOnce) {
    BuiltContainer c = test::SampleContainer();
    c.PutU16(36, 65535).PutU16(c.tableOffset + 96, 65535);
    const std::vector<std::string> lines = Lines(c);
    EXPECT_LT(lines.size(), 1000u);
    EXPECT_NE(
        std::find(lines.begin(), lines.end(),
                  "pattern table at offset 1932: pattern count 65535 is above 16, more than the menu has "
                  "commands for"),
        lines.end());
}

TEST(ContainerCheckTest, VerdictLines) {
    struct Case {
        std::optional<FileValidation> validation;
        const char* line;
    };
    const Case cases[] = {
        {std::nullopt, "verdict: M1"},
        {FileValidation{FileVerdict::Ok}, "verdict: ok"},
        {FileValidation{FileVerdict::Empty}, "verdict: M2"},
        {FileValidation{FileVerdict::Unusable}, "verdict: M2"},
        {FileValidation{FileVerdict::NotContainer}, "verdict: M3"},
        {FileValidation{FileVerdict::TooNew}, "verdict: M4"},
        {FileValidation{FileVerdict::Doubtful, false, false, false},
         "verdict: Q (failed: length, header-crc, table-crc)"},
        {FileValidation{FileVerdict::Doubtful, true, false, true}, "verdict: Q (failed: header-crc)"},
        {FileValidation{FileVerdict::Doubtful, false, true, false}, "verdict: Q (failed: length, table-crc)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(VerdictLine(c.validation), c.line);
    }
}

// The tests a data file goes through, in their order: each verdict wins over the later ones.
TEST(ContainerCheckTest, ValidationOrder) {
    BuiltContainer tooNewAndUnusable = test::SampleContainer(304);
    tooNewAndUnusable.PutU32(8, 0xFFFFFFFF);
    BuiltContainer unusableAndDoubtful = test::SampleContainer(302);
    unusableAndDoubtful.PutU32(4, 0xFFFFFFFF).BreakTableChecksum();
    BuiltContainer tableCountHuge = test::SampleContainer(302);
    tableCountHuge.PutU16(tableCountHuge.tableOffset + 96, 65535).RewriteChecksums();
    BuiltContainer noPrefix = test::SampleContainer(302);
    noPrefix.PutU32(8, 0).RewriteChecksums();
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        FileVerdict verdict;
        bool length, header, table;
    };
    const Case cases[] = {
        {"version 304 beats unusable", tooNewAndUnusable.bytes, FileVerdict::TooNew, true, true, true},
        {"unusable beats the question", unusableAndDoubtful.bytes, FileVerdict::Unusable, true, true, true},
        // 65535 patterns: the checksum covers 65508 bits, more bytes than the table has... yet
        // the byte position wraps at 256, and 256 bytes are there.
        {"huge count", tableCountHuge.bytes, FileVerdict::Ok, true, true, true},
        // A table at 0 has no prefix, so no stored checksum to match.
        {"no prefix", noPrefix.bytes, FileVerdict::Doubtful, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FileValidation v = ValidateDataFile(c.bytes);
        EXPECT_EQ(v.verdict, c.verdict);
        EXPECT_EQ(v.lengthOk, c.length);
        EXPECT_EQ(v.headerChecksumOk, c.header);
        EXPECT_EQ(v.tableChecksumOk, c.table);
    }
}

}  // namespace
}  // namespace mascot
