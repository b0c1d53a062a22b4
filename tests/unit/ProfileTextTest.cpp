#include <gtest/gtest.h>

#include "app/ProfileText.h"

namespace mascot {
namespace {

TEST(ProfileTextTest, LookupMatchesSectionsAndKeysWithoutCase) {
    const std::string text =
        "; settings\r\n"
        "[Other]\r\n"
        "Position=5\r\n"
        "[mascot-abc]\r\n"
        "  position = 42  \r\n"
        "Quoted=\"7\"\r\n"
        "Empty=\r\n"
        "NoEquals\r\n"
        ";Pattern=3\r\n"
        "[Mascot-ABC]\r\n"
        "Pattern=9\r\n";
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"Mascot-ABC", "Position", "42"},
        {"MASCOT-ABC", "POSITION", "42"},
        {"Other", "position", "5"},
        {"Mascot-ABC", "Quoted", "7"},
        {"Mascot-ABC", "Empty", ""},
        {"Mascot-ABC", "NoEquals", std::nullopt},
        {"Mascot-ABC", "Pattern", std::nullopt},  // a comment, and the second section never counts
        {"Mascot-XYZ", "Position", std::nullopt},
        {"Mascot-ABC", "Missing", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ProfileLookup(text, c.section, c.key), c.value);
    }
}

TEST(ProfileTextTest, WriteChangesOneLineAndKeepsEverythingElse) {
    struct Case {
        const char* name;
        std::optional<std::string> before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    };
    const Case cases[] = {
        {"no file", std::nullopt, "Mascot-A", "TopMost", "0", "[Mascot-A]\r\nTopMost=0\r\n"},
        {"empty file", std::string(), "Mascot-A", "TopMost", "1", "[Mascot-A]\r\nTopMost=1\r\n"},
        {"replace keeps spelling and neighbours", "; c\n[mascot-a]\nposition=1\nX=2\n\n[B]\nY=3\n",
         "Mascot-A", "Position", "-17", "; c\n[mascot-a]\nposition=-17\nX=2\n\n[B]\nY=3\n"},
        {"new key after the last entry, before blank lines", "[A]\r\nX=1\r\n\r\n[B]\r\nY=2\r\n", "A", "Z",
         "5", "[A]\r\nX=1\r\nZ=5\r\n\r\n[B]\r\nY=2\r\n"},
        {"new key in an empty section", "[A]\n[B]\nY=2\n", "A", "Z", "5", "[A]\nZ=5\n[B]\nY=2\n"},
        {"new section after a last line without ending", "[B]\nY=2", "A", "Z", "5", "[B]\nY=2\n[A]\nZ=5\n"},
        {"new key after a last line without ending", "[A]\nX=1", "A", "Z", "5", "[A]\nX=1\nZ=5\n"},
        // A lone CR is no line ending: without one the new key would join the last line.
        {"new key after a last line ending in a lone CR", "[A]\nX=1\r", "A", "Z", "5", "[A]\nX=1\r\nZ=5\n"},
        {"comments and other sections untouched", "[A]\n;note\nX=1\n[a]\nX=9\n", "A", "X", "2",
         "[A]\n;note\nX=2\n[a]\nX=9\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ProfileWrite(c.before, c.section, c.key, c.value), c.after);
    }
}

TEST(ProfileTextTest, ParsesIntegersAsTheProfileReaderDoes) {
    struct Case {
        const char* text;
        int32_t value;
    };
    const Case cases[] = {
        {"90", 90},       {"  \t12", 12},   {"-3", -3},     {"+8", 8},
        {"12abc", 12},    {"abc", 0},       {"-", 0},       {"1 2", 1},
        {"007", 7},       {"2147483647", 2147483647},       {"-2147483648", INT32_MIN},
        {"4294967295", -1},                  // wraps modulo 2^32
        {"4294967296", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ProfileParseInt(c.text), c.value);
    }
}

}  // namespace
}  // namespace mascot
