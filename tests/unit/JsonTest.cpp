#include <gtest/gtest.h>

#include "tools/common/Json.h"

namespace mascot {
namespace {

TEST(JsonTest, ShiftJisTextBecomesUtf8AndWhatIsNoCharacterAnEscapeOfItsByte) {
    struct Case {
        const char* name;
        std::string sjis;
        const char* json;
    };
    const Case cases[] = {
        {"ascii", "Fegli", R"("Fegli")"},
        {"empty", "", R"("")"},
        {"double-byte", "\x82\xB1\x82\xF1", R"("こん")"},
        {"half-width katakana", "\xB1\xDD", R"("ｱﾝ")"},
        {"what JSON escapes", "a\"b\\c\n\t\r\x01\x1F", R"("a\"b\\c\n\t\r\u0001\u001F")"},
        {"no character at all", "\x80\xA0\xFD\xFE\xFF", R"("\u0080\u00A0\u00FD\u00FE\u00FF")"},
        {"lead byte at the end", "ok\x82", R"("ok\u0082")"},
        {"lead byte without a trail byte", "\x82\"x", R"("\u0082\"x")"},
        {"valid after invalid", "\xFF\x82\xA0", R"("\u00FFあ")"},
        {"zero byte", std::string("a\0b", 3), R"("a\u0000b")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JsonSjisString(c.sjis), c.json);
    }
}

TEST(JsonTest, ObjectsKeepTheOrderOfTheirKeys) {
    JsonObject object;
    object.Int("t", 12).Utf8("ev", "menu").Int("neg", -5).Bool("on", true).Sjis("s", "\x82\xA0");
    object.Raw("items", JsonArray({"1", JsonUtf8String("x"), JsonObject().Text()}));
    EXPECT_EQ(object.Text(), R"({"t":12,"ev":"menu","neg":-5,"on":true,"s":"あ","items":[1,"x",{}]})");
}

}  // namespace
}  // namespace mascot
