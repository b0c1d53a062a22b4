#include <gtest/gtest.h>

#include "app/Texts.h"
#include "support/Sjis.h"

namespace mascot {
namespace {

// The fixed texts are kept as Shift-JIS bytes; their UTF-8 reading must be exactly the system's.
TEST(TextsTest, ShiftJisBytesReadAsTheSystemTexts) {
    struct Case {
        std::string_view sjis;
        const char* utf8;
    };
    const Case cases[] = {
        {texts::kMsgCannotRead, "データファイルが読み込めません。"},
        {texts::kMsgCorrupted, "データが破損しています。"},
        {texts::kMsgOldVersion, "旧バージョンのデータです。ROZIVAで変換して下さい。"},
        {texts::kMsgProgramTooOld, "プログラムのバージョンが低いため、実行できません。"},
        {texts::kMsgMayBeCorrupted, "データが破損している可能性があります。\n続けますか？"},
        {texts::kMsgEnterInteger, "整数を入力してください。"},
        {texts::kFileDialogTitle, "データファイルの変更"},
        {texts::kFileDialogFilter, "KQ Files (*.kq) | *.kq ||"},
        {texts::kFileDialogInitialName, "*.kq"},
        {texts::kFileDialogDefaultExt, "kq"},
        {texts::kMenuRandom, "ランダム選択"},
        {texts::kMenuSettings, "設定(&S)..."},
        {texts::kMenuPatterns, "パターン選択"},
        {texts::kMenuAbout, "このソフトについて(&A)..."},
        {texts::kMenuExit, "終了(&X)\tAlt+F4"},
        {texts::kMenuColumnBreak, "－－－－－"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(test::SjisToUtf8(std::string(c.sjis)), c.utf8);
    }
}

}  // namespace
}  // namespace mascot
