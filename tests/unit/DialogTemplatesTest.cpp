#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "placement/DialogFramework.h"
#include "res/DialogTemplates.h"
#include "support/Sjis.h"

namespace mascot {
namespace {

// One control as the layout describes it: texts in UTF-8, the rectangle as x, y, width, height.
struct ControlCase {
    int id;
    ControlKind kind;
    const char* utf8;
    int x, y, width, height;
    bool visible = true;
    bool disabled = false;
    bool tabStop = false;
    bool group = false;
};

using K = ControlKind;

const std::vector<ControlCase> kSettingsControls = {
    {1, K::DefPushButton, "OK", 84, 112, 50, 14, true, false, true},
    {2, K::PushButton, "ｷｬﾝｾﾙ", 140, 112, 50, 14, true, false, true},
    {-1, K::GroupBox, "表示位置(&P)", 5, 5, 185, 40},
    {1001, K::Trackbar, "Slider1", 30, 20, 100, 20, true, false, true},
    {1002, K::Edit, "", 155, 20, 20, 14, true, false, true},
    {1003, K::AutoCheckBox, "自動ｱﾆﾒｰｼｮﾝを許可(&A)", 100, 60, 92, 10, false, true, true},
    {1006, K::AutoCheckBox, "強制的に手前に表示(&F)", 100, 92, 92, 10, true, false, true},
    {1010, K::AutoCheckBox, "ﾗﾝﾀﾞﾑ起動(&R)", 100, 60, 57, 10, false, true, true},
    {-1, K::GroupBox, "追尾ﾓｰﾄﾞ(&T)", 5, 50, 87, 55},
    {1007, K::AutoRadioButton, "全てのｳｲﾝﾄﾞｳ", 12, 60, 58, 10, true, false, true, true},
    {1008, K::AutoRadioButton, "ﾀｽｸﾊﾞｰ上に常駐", 12, 75, 65, 10},
    {1009, K::AutoRadioButton, "ﾀｽｸﾊﾞｰ以外に常駐", 12, 90, 72, 10},
    {-1, K::Static, "左端", 12, 24, 15, 8, true, false, false, true},
    {-1, K::Static, "右端", 132, 24, 15, 8, true, false, false, true},
    {-1, K::Static, "%", 180, 24, 8, 8, true, false, false, true},
    {1011, K::AutoCheckBox, "音声を使用(&S)", 100, 75, 58, 10, false, true, true},
};

const std::vector<ControlCase> kAboutControls = {
    {-1, K::Icon, "128", 10, 25, 20, 20},
    {-1, K::Static, "Desktop Mascot Version 1.0", 44, 12, 133, 10, true, false, false, true},
    {-1, K::Static, "Copyright (C) 2026 the Desktop Mascot authors", 10, 55, 165, 10, true, false, false,
     true},
    {1, K::DefPushButton, "OK", 70, 70, 48, 14, true, false, true, true},
    {1000, K::Static, "", 40, 25, 135, 20, true, false, false, true},
    {-1, K::GroupBox, "", 5, 0, 177, 90},
};

void ExpectControls(const DialogTemplate& dialog, const std::vector<ControlCase>& expected) {
    ASSERT_EQ(dialog.controls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const ControlCase& want = expected[i];
        const ControlTemplate& got = dialog.controls[i];
        SCOPED_TRACE("control " + std::to_string(i) + " (" + want.utf8 + ")");
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.kind, want.kind);
        EXPECT_EQ(test::SjisToUtf8(got.text), want.utf8);
        EXPECT_EQ(got.rect, (Rect{want.x, want.y, want.x + want.width, want.y + want.height}));
        EXPECT_EQ(got.visible, want.visible);
        EXPECT_EQ(got.disabled, want.disabled);
        EXPECT_EQ(got.tabStop, want.tabStop);
        EXPECT_EQ(got.group, want.group);
        // Every control lies inside the dialog.
        EXPECT_GE(got.rect.left, 0);
        EXPECT_GE(got.rect.top, 0);
        EXPECT_LE(got.rect.right, dialog.width);
        EXPECT_LE(got.rect.bottom, dialog.height);
    }
}

TEST(DialogTemplatesTest, SettingsLayoutInTemplateOrder) {
    const DialogTemplate& dialog = SettingsDialogTemplate();
    EXPECT_EQ(dialog.id, 131);
    EXPECT_EQ(test::SjisToUtf8(dialog.title), "設定");
    EXPECT_EQ(test::SjisToUtf8(dialog.fontFace), "ＭＳ Ｐゴシック");
    EXPECT_EQ(dialog.fontPoints, 9);
    EXPECT_EQ(dialog.width, 195);
    EXPECT_EQ(dialog.height, 131);
    EXPECT_TRUE(dialog.modalFrame);
    EXPECT_TRUE(dialog.sysMenu);
    EXPECT_FALSE(dialog.extended);
    ExpectControls(dialog, kSettingsControls);

    const ControlTemplate& slider = dialog.controls[3];
    const ControlTemplate& edit = dialog.controls[4];
    EXPECT_TRUE(slider.autoTicks);
    EXPECT_TRUE(edit.border);
    EXPECT_TRUE(edit.autoHScroll);
}

TEST(DialogTemplatesTest, AboutLayoutInTemplateOrder) {
    const DialogTemplate& dialog = AboutDialogTemplate();
    EXPECT_EQ(dialog.id, 100);
    EXPECT_EQ(test::SjisToUtf8(dialog.title), "バージョン情報");
    EXPECT_EQ(test::SjisToUtf8(dialog.fontFace), "ＭＳ Ｐゴシック");
    EXPECT_EQ(dialog.fontPoints, 9);
    EXPECT_EQ(dialog.width, 187);
    EXPECT_EQ(dialog.height, 95);
    EXPECT_TRUE(dialog.extended);
    ExpectControls(dialog, kAboutControls);

    EXPECT_EQ(dialog.controls[1].align, TextAlign::Right);
    EXPECT_TRUE(dialog.controls[1].noPrefix);
    EXPECT_EQ(dialog.controls[2].align, TextAlign::Right);
    EXPECT_FALSE(dialog.controls[2].noPrefix);
    EXPECT_EQ(dialog.controls[4].align, TextAlign::Center);
    EXPECT_TRUE(dialog.controls[4].staticEdge);
}

// The models find their controls by id: each id other than the statics' occurs once.
TEST(DialogTemplatesTest, ControlIdsAreUnique) {
    for (const DialogTemplate* dialog : {&SettingsDialogTemplate(), &AboutDialogTemplate()}) {
        SCOPED_TRACE(dialog->id);
        std::set<int> seen;
        for (const ControlTemplate& control : dialog->controls) {
            if (control.id != kIdStatic) {
                EXPECT_TRUE(seen.insert(control.id).second) << control.id;
            }
        }
    }
}

TEST(DialogTemplatesTest, TheStaticAfterTheRadioButtonsClosesTheirGroup) {
    const DialogTemplate& dialog = SettingsDialogTemplate();
    EXPECT_EQ(RadioGroupIds(dialog, kIdcFollowAll), (std::vector<int>{1007, 1008, 1009}));
    EXPECT_TRUE(RadioGroupIds(dialog, 4242).empty());
    EXPECT_TRUE(RadioGroupIds(dialog, kIdStatic).empty());

    // Without the closing group flag the group would run on to the end of the template.
    DialogTemplate open = dialog;
    for (ControlTemplate& control : open.controls)
        if (control.kind == ControlKind::Static)
            control.group = false;
    open.controls.push_back({.id = 2000, .kind = ControlKind::AutoRadioButton, .text = "", .rect = {}});
    EXPECT_EQ(RadioGroupIds(open, kIdcFollowAll), (std::vector<int>{1007, 1008, 1009, 2000}));
}

}  // namespace
}  // namespace mascot
