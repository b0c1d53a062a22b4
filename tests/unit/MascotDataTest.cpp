#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/ContainerWriter.h"
#include "data/Crc16Bits.h"
#include "data/MascotData.h"
#include "data/StringChains.h"
#include "support/DataFixtures.h"

namespace mascot {
namespace {

using test::SampleContainer;

// The sample's blocks lie where the character builds put them: header, directory at 36, the
// images back to back from 8 + 4 x count, six prefix bytes, the table, the patterns. The
// numbers are worked out by hand from the image sizes (58 header bytes + colour table + bits).
TEST(MascotDataTest, WriterLaysOutBlocksAsCharacterData) {
    const BuiltContainer c = SampleContainer();
    const MascotData data(c.Span());
    ASSERT_TRUE(data.IsUsable());
    EXPECT_TRUE(data.HasMagic());
    EXPECT_EQ(data.Version(), 302);
    EXPECT_EQ(data.DirectoryOffset(), 36u);
    EXPECT_EQ(c.imageStarts, (std::vector<uint32_t>{60, 60 + 1466, 1526 + 74, 1600 + 162}));
    EXPECT_EQ(data.TableOffset(), 1762u + 68 + 6);
    EXPECT_EQ(c.patternStarts, (std::vector<uint32_t>{1836 + 112, 1948 + 10}));
    EXPECT_EQ(data.TotalLength(), 1965u);
    EXPECT_EQ(data.Size(), 1965u);
    EXPECT_EQ(data.Directory()->ImageOffset(0), 24u);
    EXPECT_EQ(data.Table()->PatternOffset(1), 112u + 10);
}

TEST(MascotDataTest, StoredChecksumsAreTheBitCountChecksums) {
    const BuiltContainer c = SampleContainer();
    const MascotData data(c.Span());
    const uint8_t headerStart[] = {'K', 'Q', 302 & 0xFF, 302 >> 8, 36};
    EXPECT_EQ(data.StoredHeaderChecksum(), Crc16Bits(headerStart, 34));
    EXPECT_EQ(data.ComputedHeaderChecksum(), data.StoredHeaderChecksum());
    // Two patterns: 4 x 2 + 104 = 112 bits, 14 bytes of the title field.
    EXPECT_EQ(data.StoredTableChecksum(), Crc16Bits(c.Span().subspan(1836, 14), 112));
    EXPECT_EQ(data.ComputedTableChecksum(), data.StoredTableChecksum());
    EXPECT_EQ(c.bytes[1836 - 2] | c.bytes[1836 - 1] << 8, *data.StoredTableChecksum());
}

TEST(MascotDataTest, FrameSizeAndImages) {
    const BuiltContainer c = SampleContainer();
    const MascotData data(c.Span());
    EXPECT_EQ(data.FrameWidth(), test::kSampleWidth);
    EXPECT_EQ(data.FrameHeight(), test::kSampleHeight);
    EXPECT_EQ(data.ImageCount(), 4);

    const auto frame = data.Image(0);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->Offset(), 60u);
    EXPECT_EQ(frame->HeaderSize(), 40u);
    EXPECT_EQ(frame->Width(), 16);
    EXPECT_EQ(frame->Height(), 24);
    EXPECT_EQ(frame->Planes(), 1);
    EXPECT_EQ(frame->BitCount(), 8);
    EXPECT_EQ(frame->Compression(), 0u);
    EXPECT_EQ(frame->ColoursUsed(), 0u);
    EXPECT_EQ(frame->ColourTableEntries(), 256u);
    ASSERT_EQ(frame->ColourTable()->size(), 1024u);
    EXPECT_EQ((*frame->ColourTable())[4 * 3 + 2], 3);  // entry 3 is grey 0x030303: blue, green, red, 0
    EXPECT_EQ(frame->DibHeader().data(), c.bytes.data() + 60 + 18);
    // Bits run to the end of the container; the bottom row is stored first.
    EXPECT_EQ(frame->Bits()->data(), c.bytes.data() + 60 + 58 + 1024);
    EXPECT_EQ(frame->Bits()->size(), c.bytes.size() - (60 + 58 + 1024));
    EXPECT_EQ(frame->PlainBitsSize(), 16u * 24);
    const std::vector<uint8_t> pixels = test::IndexPixels(16, 24, 256);
    EXPECT_EQ((*frame->Bits())[0], pixels[23 * 16]);
    EXPECT_EQ((*frame->Bits())[16 * 23 + 5], pixels[5]);

    const auto overlay = data.Image(1);
    ASSERT_TRUE(overlay);
    EXPECT_EQ(overlay->X(), 8);
    EXPECT_EQ(overlay->Y(), 8);
    EXPECT_EQ(overlay->BitCount(), 24);
    EXPECT_EQ(overlay->ColourTable()->size(), 0u);
    EXPECT_EQ(overlay->RowStride(), 8u);

    const auto packed = data.Image(3);
    ASSERT_TRUE(packed);
    EXPECT_TRUE(packed->IsPackedMask());
    EXPECT_FALSE(data.Image(2)->IsPackedMask());
    EXPECT_EQ((*packed->Bits())[0], 0xCC);  // 96 bytes of 0x00 as one run
    EXPECT_EQ((*packed->Bits())[1], 96);

    // The image count is honoured: index 4 would read image bytes as an offset.
    EXPECT_FALSE(data.Image(4));
    EXPECT_FALSE(data.Image(65535));
}

TEST(MascotDataTest, TableFieldsAndPatterns) {
    const BuiltContainer c = SampleContainer();
    const MascotData data(c.Span());
    EXPECT_EQ(test::SjisToUtf8(std::string(*data.Title())), "テスト");
    EXPECT_EQ(test::SjisToUtf8(std::string(*data.AboutText())), "テストの\nキャラクター");
    EXPECT_EQ(data.PatternCount(), 2);
    EXPECT_EQ(data.DefaultPattern(), 1);
    EXPECT_EQ(data.DefaultPosition(), 90);
    EXPECT_EQ(data.MenuColumnLength(), 0);

    const auto code = data.PatternCode(1);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->data(), c.bytes.data() + c.patternStarts[1]);
    EXPECT_EQ(code->size(), c.bytes.size() - c.patternStarts[1]);  // no length of its own
    EXPECT_EQ((*code)[0], 16);
    EXPECT_EQ(test::SjisToUtf8(*data.PatternName(0)), "歩く");
    EXPECT_EQ(data.PatternName(1), "sit");
    EXPECT_FALSE(data.PatternCode(2));
    EXPECT_FALSE(data.PatternName(2));
}

// Names are chained from version 301 on and plain below; either way they read back.
TEST(MascotDataTest, PatternNamesPlainAndScrambled) {
    for (uint16_t version : {0, 300, 301, 302, 303, 304}) {
        SCOPED_TRACE(version);
        const BuiltContainer c = SampleContainer(version);
        const MascotData data(c.Span());
        EXPECT_EQ(data.PatternName(1), "sit");
        const auto stored = data.PatternAt(1)->StoredName();
        ASSERT_TRUE(stored);
        const std::string raw(stored->begin(), stored->end());
        EXPECT_EQ(raw == "sit", version < 301);
    }
}

TEST(MascotDataTest, NameLengthEdges) {
    struct Case {
        std::string name;
        uint16_t version;
        std::optional<std::string> shown;
    };
    const Case cases[] = {
        {"", 302, ""},
        {"", 300, ""},
        {std::string(255, 'x'), 302, std::string(255, 'x')},
        {std::string(256, 'x'), 302, std::nullopt},  // the menu's buffer holds 255 bytes
        {std::string("ab\0cd", 5), 302, "ab"},       // shown up to its first zero
        {std::string("ab\0cd", 5), 300, "ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name.size() << " bytes, version " << c.version);
        const BuiltContainer built =
            ContainerWriter().SetVersion(c.version).AddNamedPattern(c.name, {}).Build();
        EXPECT_EQ(MascotData(built.Span()).PatternName(0), c.shown);
    }
    // An empty scrambled name still stores the one byte the interpreter's string reader takes.
    EXPECT_EQ(ContainerWriter::NameInstruction("", 302), (std::vector<uint8_t>{16, 0, 0, 0}));
    EXPECT_EQ(ContainerWriter::NameInstruction("", 300), (std::vector<uint8_t>{16, 0, 0}));
    EXPECT_EQ(ContainerWriter::NameInstruction("ab", 301),
              (std::vector<uint8_t>{16, 2, 0, 'a' ^ 2, 'b' ^ 'a' ^ 2}));
}

// The column length counts only when the gate, taken unsigned, is above 4.
TEST(MascotDataTest, ColumnGate) {
    struct Case {
        uint16_t length;
        uint16_t gate;
        uint16_t columns;
    };
    const Case cases[] = {
        {3, 0, 0}, {3, 1, 0},      {3, 2, 0},      {3, 3, 0}, {3, 4, 0},
        {3, 5, 3}, {7, 0xFFFF, 7}, {2, 0x8000, 2}, {0, 9, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "length " << c.length << ", gate " << c.gate);
        const BuiltContainer built = test::SampleWriter().SetMenuColumns(c.length, c.gate).Build();
        const MascotData data(built.Span());
        EXPECT_EQ(data.MenuColumnLength(), c.columns);
        EXPECT_EQ(data.Table()->ColumnGate(), c.gate);
        EXPECT_EQ(data.Table()->StoredMenuColumnLength(), c.length);
    }
}

// Title and about text end at their NUL, which must lie inside their field.
TEST(MascotDataTest, TitleAndAboutNeedTheirNul) {
    struct Case {
        size_t titleLength;
        size_t aboutLength;
        bool titlePresent;
        bool aboutPresent;
    };
    const Case cases[] = {
        {0, 0, true, true}, {31, 63, true, true}, {32, 64, false, false}, {40, 10, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.titleLength << "/" << c.aboutLength);
        const BuiltContainer built = ContainerWriter()
                                         .SetTitle(std::string(c.titleLength, 'T'))
                                         .SetAboutText(std::string(c.aboutLength, 'A'))
                                         .Build();
        const MascotData data(built.Span());
        EXPECT_EQ(data.Title().has_value(), c.titlePresent);
        EXPECT_EQ(data.AboutText().has_value(), c.aboutPresent);
        if (c.titlePresent) {
            EXPECT_EQ(*data.Title(), std::string(c.titleLength, 'T'));
        }
        if (c.aboutPresent) {
            EXPECT_EQ(data.AboutText()->size(), c.aboutLength);
        }
    }
}

// With 16 patterns or fewer the table checksum sees only part of the title; the header
// checksum sees nothing past byte 4.
TEST(MascotDataTest, ChecksumsCoverOnlyTheirBits) {
    const BuiltContainer base = SampleContainer();
    const uint32_t table = base.tableOffset;
    struct Case {
        const char* what;
        uint32_t at;
        bool tableChanges;
    };
    const Case cases[] = {
        {"about text", table + 32, false},        {"pattern offset", base.PatternOffsetField(1), false},
        {"default position", table + 100, false}, {"default pattern", table + 98, false},
        {"title byte 14", table + 14, false},  // 112 bits are the title's bytes 0 to 13
        {"title byte 13", table + 13, true},      {"first title byte", table, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BuiltContainer changed = SampleContainer();
        changed.bytes[c.at] ^= 0x40;
        const MascotData data(changed.Span());
        EXPECT_EQ(data.ComputedHeaderChecksum(), data.StoredHeaderChecksum());
        EXPECT_EQ(data.ComputedTableChecksum() != data.StoredTableChecksum(), c.tableChanges);
    }
    // Same version and directory offset: same header checksum, whatever else differs.
    const BuiltContainer other = ContainerWriter().SetTitle("other").Build();
    EXPECT_EQ(MascotData(other.Span()).StoredHeaderChecksum(),
              MascotData(base.Span()).StoredHeaderChecksum());
    EXPECT_NE(MascotData(ContainerWriter().SetVersion(301).Build().Span()).StoredHeaderChecksum(),
              MascotData(base.Span()).StoredHeaderChecksum());
}

// Whatever points outside comes back as nothing, and the rest stays readable.
TEST(MascotDataTest, OffsetsOutsideGiveNothing) {
    const BuiltContainer base = SampleContainer();
    const uint32_t size = static_cast<uint32_t>(base.bytes.size());

    BuiltContainer c = SampleContainer();
    c.PutU32(c.ImageOffsetField(1), 0xFFFFFFFF).PutU32(c.ImageOffsetField(2), size - 36 - 57);
    c.PutU32(c.PatternOffsetField(0), 0xFFFFFFFF).PutU32(c.PatternOffsetField(1), size - c.tableOffset - 1);
    MascotData data(c.Span());
    EXPECT_TRUE(data.Image(0));
    EXPECT_FALSE(data.Image(1));
    EXPECT_FALSE(data.Image(2));  // 57 of its 58 header bytes fit
    EXPECT_FALSE(data.PatternCode(0));
    ASSERT_TRUE(data.PatternCode(1));
    EXPECT_EQ(data.PatternCode(1)->size(), 1u);  // its last byte
    EXPECT_FALSE(data.PatternAt(1)->NameLength());
    EXPECT_FALSE(data.PatternName(1));

    // Headers inside, colour table not: the image exists, its table and bits do not.
    BuiltContainer shortTable = SampleContainer();
    shortTable.Truncate(60 + 58 + 1000);
    const auto image = MascotData(shortTable.Span()).Directory()->Image(0);
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->ColourTable());
    EXPECT_FALSE(image->Bits());

    // A name length that runs past the end.
    BuiltContainer longName = SampleContainer();
    longName.PutU16(longName.patternStarts[1] + 1, 200);
    EXPECT_FALSE(MascotData(longName.Span()).PatternName(1));
    EXPECT_EQ(MascotData(longName.Span()).PatternAt(1)->NameLength(), 200);
}

TEST(MascotDataTest, UsableNeedsHeaderDirectoryAndTableFixedParts) {
    const BuiltContainer base = SampleContainer();
    struct Case {
        const char* what;
        uint32_t field;
        uint32_t value;
        bool usable;
    };
    const uint32_t size = static_cast<uint32_t>(base.bytes.size());
    const Case cases[] = {
        {"intact", 12, 0, true},
        {"directory offset past the end", 4, 0xFFFFFFFF, false},
        {"directory's fixed part cut", 4, size - 7, false},
        {"directory's fixed part at the very end", 4, size - 8, true},
        {"table offset past the end", 8, size, false},
        {"table's fixed part cut", 8, size - 103, false},
        {"table at 0, no prefix", 8, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BuiltContainer built = SampleContainer();
        built.PutU32(c.field, c.value);
        const MascotData data(built.Span());
        EXPECT_EQ(data.IsUsable(), c.usable);
        EXPECT_EQ(ContainerIsUsable(built.Span()), c.usable);
    }
    BuiltContainer noPrefix = SampleContainer();
    noPrefix.PutU32(8, 0);
    const MascotData data(noPrefix.Span());
    EXPECT_FALSE(data.StoredTableChecksum());
    EXPECT_EQ(data.MenuColumnLength(), 0);

    EXPECT_FALSE(MascotData(base.Span().first(35)).IsUsable());
    EXPECT_FALSE(MascotData(base.Span().first(35)).Version());
    const MascotData empty;
    EXPECT_FALSE(empty.IsUsable());
    EXPECT_FALSE(empty.Image(0));
    EXPECT_FALSE(empty.Title());
    EXPECT_EQ(empty.MenuColumnLength(), 0);
    EXPECT_FALSE(empty.StringsScrambled());
}

}  // namespace
}  // namespace mascot
