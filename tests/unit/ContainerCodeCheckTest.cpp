// The byte-code checks of a whole container, on containers made by the writer from pattern text.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/ContainerCheck.h"
#include "data/ContainerWriter.h"
#include "data/DibWriter.h"
#include "data/MascotData.h"
#include "script/ContainerCodeCheck.h"
#include "support/ScriptAsm.h"

namespace mascot {
namespace {

using ::testing::IsEmpty;

// Three images (a picture, an overlay, a mask) and the given patterns, as text.
BuiltContainer Container(const std::vector<std::string>& patterns, uint16_t version = 302) {
    ContainerWriter writer;
    writer.SetVersion(version).SetFrameSize(8, 8);
    writer.AddImage(0, 0, MakeRgbDib(8, 8, std::vector<uint32_t>(64, 0x123456)));
    writer.AddImage(2, 2, MakeRgbDib(2, 2, std::vector<uint32_t>(4, 0xFF0000)));
    writer.AddImage(0, 0, MakeMaskDib(8, 8, std::vector<uint8_t>(64, 0)));
    for (const std::string& text : patterns)
        writer.AddPattern(test::Asm(text, version));
    return writer.Build();
}

std::vector<std::string> Lines(const Findings& findings) {
    std::vector<std::string> lines;
    for (const Finding& finding : findings)
        lines.push_back(finding.ToString());
    return lines;
}

const char kIdle[] =
    "Name \"idle\"\n MakeShape 'b', 2\n Let v1, v0\n SetShape v1\nloop: Draw 0\n"
    " WaitRandom 4000, 5000\n Draw 1\n Wait 50\n Goto loop\n";

TEST(ContainerCodeCheckTest, CleanPatternsHaveNoFindings) {
    for (const uint16_t version : {300, 302}) {
        SCOPED_TRACE(version);
        const BuiltContainer c = Container(
            {kIdle, "Name \"other\"\n OnClick hop\n SetPosition 50\nhop: Draw 1\n ChangePattern 1\n"},
            version);
        Findings findings;
        CheckContainerCode(MascotData(c.Span()), findings);
        EXPECT_THAT(Lines(findings), IsEmpty());
    }
}

// Each finding names the pattern, its offset in the container and the offset in the pattern.
TEST(ContainerCodeCheckTest, FindingsNamePatternAndOffsets) {
    const BuiltContainer c = Container({
        kIdle,
        "Name \"b\"\n Wait 1\nspin: Add v1, 1\n Goto spin\n",
        "Name \"c\"\n Draw 3\n PlaySound 5\n ChangePattern 5\n",
        "Name \"d\"\n Let raw(0x8064), 1\n Goto 4000\n",
    });
    const uint32_t b = c.patternStarts[1];
    const uint32_t cc = c.patternStarts[2];
    const uint32_t d = c.patternStarts[3];
    Findings findings;
    CheckContainerCode(MascotData(c.Span()), findings);
    // Name "x" takes 4 bytes in version 302; Wait 3, Add 5, Draw 3, PlaySound 3, Let 5.
    const std::vector<std::string> expected = {
        "pattern 1 at offset " + std::to_string(b + 12) +
            ": code offset 12: loop back to offset 7 passes no Wait, WaitRandom, SetPosition or "
            "ChangePattern",
        "pattern 2 at offset " + std::to_string(cc + 4) +
            ": code offset 4: Draw: image 3 does not exist (3 images)",
        "pattern 2 at offset " + std::to_string(cc + 7) +
            ": code offset 7: PlaySound: sound 5 does not exist (0 to 4)",
        "pattern 2 at offset " + std::to_string(cc + 10) +
            ": code offset 10: ChangePattern: pattern 5 does not exist (4 patterns)",
        "pattern 3 at offset " + std::to_string(d + 4) + ": code offset 4: Let operand 1: invalid variable",
        "pattern 3 at offset " + std::to_string(d + 9) +
            ": code offset 9: Goto: target 4000 lies outside the pattern",
    };
    EXPECT_EQ(Lines(findings), expected);
}

// A pattern's bytes end where the next pattern begins, though the interpreter would run on.
TEST(ContainerCodeCheckTest, APatternEndsWhereTheNextBegins) {
    const BuiltContainer c = Container({"Name \"a\"\n Draw 0\n", "Name \"b\"\n SetPosition 0\n"});
    const MascotData data(c.Span());
    ASSERT_TRUE(PatternExtent(data, 0) && PatternExtent(data, 1));
    EXPECT_EQ(PatternExtent(data, 0)->size(), c.patternStarts[1] - c.patternStarts[0]);
    EXPECT_EQ(PatternExtent(data, 1)->size(), c.bytes.size() - c.patternStarts[1]);
    EXPECT_FALSE(PatternExtent(data, 2));
    const auto all = PatternExtents(data);
    ASSERT_EQ(all.size(), 2u);
    for (uint16_t i = 0; i < 2; ++i) {
        EXPECT_EQ(all[i]->data(), PatternExtent(data, i)->data());
        EXPECT_EQ(all[i]->size(), PatternExtent(data, i)->size());
    }

    Findings findings;
    CheckContainerCode(data, findings);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].item, "pattern 0");
    EXPECT_THAT(findings[0].problem, ::testing::HasSubstr("execution continues past the end of the pattern"));

    // A jump into the next pattern's bytes leaves the pattern.
    const BuiltContainer jump =
        Container({"Name \"a\"\n Goto 12\n Wait 1\n", "Name \"b\"\n SetPosition 0\n"});
    findings.clear();
    CheckContainerCode(MascotData(jump.Span()), findings);
    ASSERT_FALSE(findings.empty());
    EXPECT_THAT(findings[0].problem, ::testing::HasSubstr("Goto: target 12 lies outside the pattern"));
}

TEST(ContainerCodeCheckTest, SharedAndBrokenPatternOffsets) {
    BuiltContainer c = Container(
        {"Name \"a\"\nx: Goto x\n", "Name \"b\"\n SetPosition 0\n", "Name \"c\"\n SetPosition 0\n"});
    // Pattern 1 shares pattern 0's bytes; pattern 2 points outside: structure's business. With
    // no pattern starting after it, pattern 0 now runs to the end.
    c.PutU32(c.PatternOffsetField(1), c.patternStarts[0] - c.tableOffset)
        .PutU32(c.PatternOffsetField(2), 0xFFFFFFFF);
    Findings findings;
    CheckContainerCode(MascotData(c.Span()), findings);
    ASSERT_EQ(findings.size(), 2u) << ::testing::PrintToString(Lines(findings));
    EXPECT_EQ(findings[0].item, "pattern 0");
    EXPECT_EQ(findings[1].item, "pattern 1");
    EXPECT_EQ(findings[0].problem, findings[1].problem);
    EXPECT_EQ(findings[0].offset, findings[1].offset);
}

// What the structural check says about a Name is said once.
TEST(ContainerCodeCheckTest, NameProblemsAreLeftToTheStructureCheck) {
    BuiltContainer c = Container({"Name \"a\"\n SetPosition 0\n", "Name \"b\"\n SetPosition 0\n"});
    c.PutU8(c.patternStarts[0], 0x07);  // Draw instead of Name
    c.PutU16(c.patternStarts[1] + 1, 300)
        .PutBytes(c.bytes.size(), std::vector<uint8_t>(300, 0));  // 300 bytes
    const MascotData data(c.Span());
    Findings structure;
    CheckContainerStructure(data, structure);
    Findings code;
    CheckContainerCode(data, code);
    EXPECT_EQ(structure.size(), 2u) << ::testing::PrintToString(Lines(structure));
    for (const Finding& finding : code) {
        EXPECT_THAT(finding.problem, ::testing::Not(::testing::HasSubstr("does not begin with Name")));
        EXPECT_THAT(finding.problem, ::testing::Not(::testing::HasSubstr("at most 255 fit")));
    }
}

}  // namespace
}  // namespace mascot
