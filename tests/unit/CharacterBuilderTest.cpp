// The character manifest, the picture conversions and packing a character from files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/ContainerCheck.h"
#include "data/DibWriter.h"
#include "data/MascotData.h"
#include "script/ContainerCodeCheck.h"
#include "support/Sjis.h"
#include "support/TempDir.h"
#include "tools/common/Bmp.h"
#include "tools/common/CharacterBuilder.h"
#include "tools/common/CharacterManifest.h"

namespace mascot {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::vector<std::string> Messages(const std::vector<ManifestError>& errors) {
    std::vector<std::string> out;
    for (const ManifestError& error : errors)
        out.push_back(error.ToString());
    return out;
}

TEST(CharacterManifestTest, ReadsEveryKey) {
    const std::string text =
        "# comment\n"
        "title = デモ\n"
        "about =  two\\nlines \\\\ \\q  \r\n"
        "version = 300\n"
        "frame = 112 x 160\n"
        "defaults = 2 50\n"
        "menu = 3 5\n"
        "\n"
        "image = a.png 0 0 colour8\n"
        "image = b.bmp 32 72 color24\n"
        "image = m.png 0 0 mask\n"
        "image = p.png 1 2 packed-mask\n"
        "pattern = one.kqs\n"
        "pattern = two.kqs\n";
    std::vector<ManifestError> errors;
    const CharacterManifest m = ParseManifest(text, "c.txt", errors);
    EXPECT_THAT(Messages(errors), IsEmpty());
    EXPECT_EQ(m.title, "デモ");
    EXPECT_EQ(m.about, "two\nlines \\ \\q");
    EXPECT_EQ(m.version, 300);
    EXPECT_EQ(m.frameWidth, 112);
    EXPECT_EQ(m.frameHeight, 160);
    EXPECT_EQ(m.defaultPattern, 2);
    EXPECT_EQ(m.defaultPosition, 50);
    EXPECT_EQ(m.menuColumnLength, 3);
    EXPECT_EQ(m.columnGate, 5);
    ASSERT_EQ(m.images.size(), 4u);
    EXPECT_EQ(m.images[1].file, "b.bmp");
    EXPECT_EQ(m.images[1].x, 32);
    EXPECT_EQ(m.images[1].y, 72);
    EXPECT_EQ(m.images[1].kind, ImageKind::Colour24);
    EXPECT_EQ(m.images[3].kind, ImageKind::PackedMask);
    EXPECT_EQ(m.images[3].line, 12);
    ASSERT_EQ(m.patterns.size(), 2u);
    EXPECT_EQ(m.patterns[1].file, "two.kqs");
}

TEST(CharacterManifestTest, ErrorsNameFileAndLine) {
    const std::string base = "frame = 8 x 8\nimage = a.png 0 0 colour8\npattern = p.kqs\n";
    struct Case {
        const char* text;
        std::vector<std::string> errors;
    };
    const Case cases[] = {
        {"colour = red\n", {"c.txt:1: unknown key 'colour'"}},
        {"just words\n", {"c.txt:1: expected KEY = VALUE"}},
        {"image = a.png 0 0 colour16\n",
         {"c.txt:1: image takes FILE X Y KIND, KIND one of colour8, colour24, mask, packed-mask"}},
        {"image = a.png -1 0 mask\n",
         {"c.txt:1: image takes FILE X Y KIND, KIND one of colour8, colour24, mask, packed-mask"}},
        {"version = 304\n", {"c.txt:1: version takes 1 number(s) from 0 to 303"}},
        {"frame = 0 x 8\n", {"c.txt:1: frame takes WIDTH x HEIGHT, both above 0"}},
        {"defaults = 2 90\n", {"c.txt: default pattern 2 does not exist"}},
        {"defaults = 1 101\n", {"c.txt: default position 101 is above 100"}},
        {"pattern = a b\n", {"c.txt:1: pattern takes one FILE"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<ManifestError> errors;
        // The case's line comes first, so that it is line 1.
        ParseManifest(std::string(c.text) + base, "c.txt", errors);
        EXPECT_EQ(Messages(errors), c.errors);
    }
    std::vector<ManifestError> errors;
    ParseManifest("", "empty.txt", errors);
    EXPECT_THAT(Messages(errors),
                ElementsAre("empty.txt: no frame size (frame = WIDTH x HEIGHT)",
                            "empty.txt: no image: the palette comes from image 0", "empty.txt: no pattern"));
    std::string many = base;
    for (int i = 0; i < 16; ++i)
        many += "pattern = p.kqs\n";
    errors.clear();
    ParseManifest(many, "c.txt", errors);
    EXPECT_THAT(Messages(errors),
                ElementsAre("c.txt:19: more than 16 patterns: the menu has commands for 16"));
}

TEST(CharacterBuilderTest, MaskPixelsFollowTransparencyOrDarkness) {
    // Black on white: dark is inside.
    const Picture plain{
        4, 1, {kOpaque | 0x000000, kOpaque | 0xFFFFFF, kOpaque | 0x7F7F7F, kOpaque | 0x808080}};
    EXPECT_THAT(MaskPixels(plain), ElementsAre(0, 1, 0, 1));
    // Cut out on transparency: opaque is inside, whatever its colour.
    const Picture cutOut{4, 1, {kOpaque | 0xFFFFFF, 0x00000000, 0x7F000000, 0x80FFFFFF}};
    EXPECT_THAT(MaskPixels(cutOut), ElementsAre(0, 1, 1, 0));
}

TEST(CharacterBuilderTest, SharedColourTableInOrderOfAppearanceUpTo256) {
    const Picture a{2, 1, {kOpaque | 0x112233, 0x00445566}};  // alpha does not count
    const Picture b{2, 1, {kOpaque | 0x445566, kOpaque | 0x778899}};
    const Picture* both[] = {&a, &b};
    EXPECT_THAT(SharedColourTable(both), ::testing::Optional(ElementsAre(0x112233, 0x445566, 0x778899)));

    Picture many{257, 1, {}};
    for (uint32_t i = 0; i < 257; ++i)
        many.pixels.push_back(kOpaque | i);
    const Picture* tooMany[] = {&many};
    EXPECT_FALSE(SharedColourTable(tooMany));
    many.pixels.back() = kOpaque;  // 256 colours fit
    EXPECT_TRUE(SharedColourTable(tooMany));
}

// A BMP file: the 14-byte file header in front of a DIB from the DIB writer.
std::string BmpFile(const std::vector<uint8_t>& dib) {
    const uint32_t size = static_cast<uint32_t>(14 + dib.size());
    std::string file = "BM";
    for (const uint32_t word : {size, 0u, 0u})
        for (int shift = 0; shift < 32; shift += 8)
            file += static_cast<char>(word >> shift);
    file.replace(10, 4, std::string("\x36\x04\0\0", 4));  // bits offset; not read
    return file + std::string(dib.begin(), dib.end());
}

TEST(CharacterBuilderTest, BmpFilesOfEveryDepthDecode) {
    const std::vector<uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    const std::vector<uint8_t> indices = {0, 1, 2, 3, 1, 0, 3, 2, 2, 3};  // 5 x 2
    const std::vector<uint32_t> rgb = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x00FF00,
                                       0xFF0000, 0xFFFFFF, 0x0000FF, 0x0000FF, 0xFFFFFF};
    for (const uint16_t depth : {4, 8, 24}) {
        SCOPED_TRACE(depth);
        const auto dib = depth == 24 ? MakeRgbDib(5, 2, rgb) : MakeIndexedDib(5, 2, depth, palette, indices);
        const std::string file = BmpFile(dib);
        const auto picture = DecodeBmp(std::span(reinterpret_cast<const uint8_t*>(file.data()), file.size()));
        ASSERT_TRUE(picture);
        ASSERT_EQ(picture->width, 5);
        ASSERT_EQ(picture->height, 2);
        for (size_t i = 0; i < rgb.size(); ++i)
            EXPECT_EQ(picture->pixels[i], kOpaque | rgb[i]) << i;
    }
    const std::vector<uint8_t> mask = {0, 1, 1, 0, 0, 1, 0, 1, 1, 1};
    const std::string maskFile = BmpFile(MakeMaskDib(5, 2, mask));
    const auto maskPicture =
        DecodeBmp(std::span(reinterpret_cast<const uint8_t*>(maskFile.data()), maskFile.size()));
    ASSERT_TRUE(maskPicture);
    EXPECT_EQ(MaskPixels(*maskPicture), mask);

    // Cut short, packed, foreign.
    std::string error;
    const std::string shortFile = BmpFile(MakeRgbDib(5, 2, rgb)).substr(0, 70);
    EXPECT_FALSE(
        DecodeBmp(std::span(reinterpret_cast<const uint8_t*>(shortFile.data()), shortFile.size()), &error));
    EXPECT_THAT(error, HasSubstr("run past the end"));
    const std::string packed = BmpFile(MakePackedMaskDib(5, 2, mask));
    EXPECT_FALSE(
        DecodeBmp(std::span(reinterpret_cast<const uint8_t*>(packed.data()), packed.size()), &error));
    EXPECT_THAT(error, HasSubstr("compression 255"));
    const std::string png = "\x89PNG\r\n\x1a\n";
    EXPECT_FALSE(DecodeBmp(std::span(reinterpret_cast<const uint8_t*>(png.data()), png.size()), &error));
}

class BuildCharacterTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A 4 x 2 picture of three colours, a 2 x 1 overlay sharing one of them and adding one,
        // a mask cut out on transparency.
        ASSERT_TRUE(WritePng(m_dir.File("body.png"),
                             Picture{4,
                                     2,
                                     {kOpaque | 0xFF0000, kOpaque | 0xFF0000, kOpaque | 0x00FF00, kOpaque,
                                      kOpaque, kOpaque, kOpaque | 0x00FF00, kOpaque | 0xFF0000}}));
        m_dir.Write("eye.bmp", BmpFile(MakeRgbDib(2, 1, std::vector<uint32_t>{0x00FF00, 0x0000FF})));
        ASSERT_TRUE(WritePng(m_dir.File("mask.png"),
                             Picture{4, 2, {0, kOpaque, kOpaque, 0, 0, kOpaque, kOpaque, kOpaque}}));
        m_dir.Write("p.kqs",
                    "Name \"歩く\"\n MakeShape 'b', 2\n SetShape v0\nloop: Draw 0\n Draw 1\n"
                    " WaitRandom 4000, 5000\n Goto loop\n");
    }

    std::optional<BuiltContainer> Build(const std::string& manifest, std::vector<std::string>& errors) {
        std::vector<ManifestError> manifestErrors;
        const CharacterManifest m = ParseManifest(manifest, m_dir.File("c.txt"), manifestErrors);
        EXPECT_THAT(Messages(manifestErrors), IsEmpty());
        return BuildCharacter(m, m_dir.Path().string(), errors);
    }

    test::TempDir m_dir;
};

constexpr char kManifest[] =
    "title = テスト\nabout = a\\nb\nframe = 4 x 2\ndefaults = 1 80\n"
    "image = body.png 0 0 colour8\nimage = eye.bmp 1 1 colour8\n"
    "image = mask.png 0 0 packed-mask\npattern = p.kqs\n";

TEST_F(BuildCharacterTest, PacksPicturesTextsAndPatterns) {
    std::vector<std::string> errors;
    const auto built = Build(kManifest, errors);
    ASSERT_TRUE(built) << ::testing::PrintToString(errors);
    const MascotData data(built->Span());
    Findings findings;
    CheckContainerStructure(data, findings);
    CheckContainerCode(data, findings);
    EXPECT_TRUE(findings.empty()) << findings[0].ToString();
    EXPECT_EQ(data.Version(), 302);
    EXPECT_EQ(test::SjisToUtf8(std::string(*data.Title())), "テスト");
    EXPECT_EQ(*data.AboutText(), "a\nb");
    EXPECT_EQ(data.DefaultPosition(), 80);
    EXPECT_EQ(test::SjisToUtf8(*data.PatternName(0)), "歩く");
    ASSERT_EQ(data.ImageCount(), 3);

    // Both colour8 images index one table: red, green, black, blue in order of appearance.
    const auto body = data.Image(0);
    const auto eye = data.Image(1);
    ASSERT_TRUE(body && eye);
    EXPECT_EQ(body->BitCount(), 8);
    EXPECT_EQ(eye->X(), 1);
    EXPECT_EQ(eye->Y(), 1);
    const std::vector<uint8_t> bodyDib(built->bytes.begin() + body->Offset() + 18, built->bytes.end());
    const std::vector<uint8_t> eyeDib(built->bytes.begin() + eye->Offset() + 18, built->bytes.end());
    const std::vector<uint32_t> table = {0xFF0000, 0x00FF00, 0x000000, 0x0000FF};
    const auto expectedBody = MakeIndexedDib(4, 2, 8, table, std::vector<uint8_t>{0, 0, 1, 2, 2, 2, 1, 0});
    const auto expectedEye = MakeIndexedDib(2, 1, 8, table, std::vector<uint8_t>{1, 3});
    EXPECT_TRUE(std::equal(expectedBody.begin(), expectedBody.end(), bodyDib.begin()));
    EXPECT_TRUE(std::equal(expectedEye.begin(), expectedEye.end(), eyeDib.begin()));

    const auto mask = data.Image(2);
    ASSERT_TRUE(mask);
    EXPECT_TRUE(mask->IsPackedMask());
    const auto expectedMask = MakePackedMaskDib(4, 2, std::vector<uint8_t>{1, 0, 0, 1, 1, 0, 0, 0});
    EXPECT_TRUE(
        std::equal(expectedMask.begin(), expectedMask.end(), built->bytes.begin() + mask->Offset() + 18));
}

TEST_F(BuildCharacterTest, ErrorsNameTheirFiles) {
    m_dir.Write("bad.kqs", "Name \"n\"\n Wait v200\n");
    std::string manifest = kManifest;
    manifest += "image = missing.png 0 0 mask\npattern = bad.kqs\n";
    manifest.replace(manifest.find("テスト"), 9, "とてもながいなまえのキャラクターです");
    std::vector<std::string> errors;
    EXPECT_FALSE(Build(manifest, errors));
    EXPECT_THAT(errors, ::testing::Contains(HasSubstr("title is 36 bytes in Shift-JIS; 31 fit")));
    EXPECT_THAT(errors, ::testing::Contains(HasSubstr(m_dir.File("missing.png"))));
    EXPECT_THAT(errors,
                ::testing::Contains(HasSubstr(m_dir.File("bad.kqs") + ":2:7: variables are v0 to v99")));

    // More than 256 colours between the colour8 images.
    Picture rainbow{300, 1, {}};
    for (uint32_t i = 0; i < 300; ++i)
        rainbow.pixels.push_back(kOpaque | i);
    ASSERT_TRUE(WritePng(m_dir.File("rainbow.png"), rainbow));
    errors.clear();
    EXPECT_FALSE(Build(std::string(kManifest) + "image = rainbow.png 0 0 colour8\n", errors));
    EXPECT_THAT(errors, ElementsAre("the colour8 images hold more than 256 colours between them"));
    errors.clear();
    EXPECT_TRUE(Build(std::string(kManifest) + "image = rainbow.png 0 0 colour24\n", errors));
}

}  // namespace
}  // namespace mascot
