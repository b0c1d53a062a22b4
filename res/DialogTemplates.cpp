#include "res/DialogTemplates.h"

#include <string>

namespace mascot {
namespace {

// The Japanese texts are written out as Shift-JIS bytes, so that no build depends on a
// source-charset conversion; the readable text stands in the comment above each, and a unit
// test checks that both agree.

// clang-format off
// "設定" (settings)
constexpr std::string_view kSettingsTitle = "\x90\xDD\x92\xE8";
// "ｷｬﾝｾﾙ" (cancel)
constexpr std::string_view kCancel = "\xB7\xAC\xDD\xBE\xD9";
// "表示位置(&P)" (display position)
constexpr std::string_view kPositionGroup = "\x95\x5C\x8E\xA6\x88\xCA\x92u(&P)";
// "自動ｱﾆﾒｰｼｮﾝを許可(&A)" (allow automatic animation)
constexpr std::string_view kAutoAnimation = "\x8E\xA9\x93\xAE\xB1\xC6\xD2\xB0\xBC\xAE\xDD\x82\xF0\x8B\x96\x89\xC2(&A)";
// "強制的に手前に表示(&F)" (force to the front)
constexpr std::string_view kFront = "\x8B\xAD\x90\xA7\x93I\x82\xC9\x8E\xE8\x91O\x82\xC9\x95\x5C\x8E\xA6(&F)";
// "ﾗﾝﾀﾞﾑ起動(&R)" (random start)
constexpr std::string_view kRandomStart = "\xD7\xDD\xC0\xDE\xD1\x8BN\x93\xAE(&R)";
// "追尾ﾓｰﾄﾞ(&T)" (tracking mode)
constexpr std::string_view kFollowGroup = "\x92\xC7\x94\xF6\xD3\xB0\xC4\xDE(&T)";
// "全てのｳｲﾝﾄﾞｳ" (all windows)
constexpr std::string_view kFollowAll = "\x91S\x82\xC4\x82\xCC\xB3\xB2\xDD\xC4\xDE\xB3";
// "ﾀｽｸﾊﾞｰ上に常駐" (stay on the taskbar)
constexpr std::string_view kFollowTaskbar = "\xC0\xBD\xB8\xCA\xDE\xB0\x8F\xE3\x82\xC9\x8F\xED\x92\x93";
// "ﾀｽｸﾊﾞｰ以外に常駐" (stay off the taskbar)
constexpr std::string_view kFollowOthers = "\xC0\xBD\xB8\xCA\xDE\xB0\x88\xC8\x8AO\x82\xC9\x8F\xED\x92\x93";
// "左端" (left end)
constexpr std::string_view kLeftEnd = "\x8D\xB6\x92[";
// "右端" (right end)
constexpr std::string_view kRightEnd = "\x89" "E\x92[";
// "音声を使用(&S)" (use sound)
constexpr std::string_view kSound = "\x89\xB9\x90\xBA\x82\xF0\x8Eg\x97p(&S)";
// "バージョン情報" (version information)
constexpr std::string_view kAboutTitle = "\x83o\x81[\x83W\x83\x87\x83\x93\x8F\xEE\x95\xF1";
// "ＭＳ Ｐゴシック" (the dialogs' font)
constexpr std::string_view kFontFace = "\x82l\x82r \x82o\x83S\x83V\x83" "b\x83N";
// clang-format on
constexpr int kFontPoints = 9;

// A rectangle given as x, y, width and height in dialog units.
constexpr Rect Dlu(int32_t x, int32_t y, int32_t width, int32_t height) {
    return Rect{x, y, x + width, y + height};
}

std::vector<ControlTemplate> SettingsControls() {
    using K = ControlKind;
    const std::string none;
    return {
        {.id = kIdOk, .kind = K::DefPushButton, .text = "OK", .rect = Dlu(84, 112, 50, 14), .tabStop = true},
        {.id = kIdCancel,
         .kind = K::PushButton,
         .text = std::string(kCancel),
         .rect = Dlu(140, 112, 50, 14),
         .tabStop = true},
        {.kind = K::GroupBox, .text = std::string(kPositionGroup), .rect = Dlu(5, 5, 185, 40)},
        {.id = kIdcPositionSlider,
         .kind = K::Trackbar,
         .text = "Slider1",
         .rect = Dlu(30, 20, 100, 20),
         .tabStop = true,
         .autoTicks = true},
        {.id = kIdcPositionEdit,
         .kind = K::Edit,
         .text = none,
         .rect = Dlu(155, 20, 20, 14),
         .tabStop = true,
         .border = true,
         .autoHScroll = true},
        {.id = kIdcAutoAnimation,
         .kind = K::AutoCheckBox,
         .text = std::string(kAutoAnimation),
         .rect = Dlu(100, 60, 92, 10),
         .visible = false,
         .disabled = true,
         .tabStop = true},
        {.id = kIdcFront,
         .kind = K::AutoCheckBox,
         .text = std::string(kFront),
         .rect = Dlu(100, 92, 92, 10),
         .tabStop = true},
        {.id = kIdcRandomStart,
         .kind = K::AutoCheckBox,
         .text = std::string(kRandomStart),
         .rect = Dlu(100, 60, 57, 10),
         .visible = false,
         .disabled = true,
         .tabStop = true},
        {.kind = K::GroupBox, .text = std::string(kFollowGroup), .rect = Dlu(5, 50, 87, 55)},
        {.id = kIdcFollowAll,
         .kind = K::AutoRadioButton,
         .text = std::string(kFollowAll),
         .rect = Dlu(12, 60, 58, 10),
         .tabStop = true,
         .group = true},
        {.id = kIdcFollowTaskbar,
         .kind = K::AutoRadioButton,
         .text = std::string(kFollowTaskbar),
         .rect = Dlu(12, 75, 65, 10)},
        {.id = kIdcFollowOthers,
         .kind = K::AutoRadioButton,
         .text = std::string(kFollowOthers),
         .rect = Dlu(12, 90, 72, 10)},
        // The group flag of the static after the radio buttons is what closes their group.
        {.kind = K::Static, .text = std::string(kLeftEnd), .rect = Dlu(12, 24, 15, 8), .group = true},
        {.kind = K::Static, .text = std::string(kRightEnd), .rect = Dlu(132, 24, 15, 8), .group = true},
        {.kind = K::Static, .text = "%", .rect = Dlu(180, 24, 8, 8), .group = true},
        {.id = kIdcSound,
         .kind = K::AutoCheckBox,
         .text = std::string(kSound),
         .rect = Dlu(100, 75, 58, 10),
         .visible = false,
         .disabled = true,
         .tabStop = true},
    };
}

std::vector<ControlTemplate> AboutControls() {
    using K = ControlKind;
    return {
        {.kind = K::Icon, .text = std::to_string(kIdiApplication), .rect = Dlu(10, 25, 20, 20)},
        {.kind = K::Static,
         .text = std::string(kAboutTitleLine),
         .rect = Dlu(44, 12, 133, 10),
         .group = true,
         .align = TextAlign::Right,
         .noPrefix = true},
        {.kind = K::Static,
         .text = std::string(kAboutRightsLine),
         .rect = Dlu(10, 55, 165, 10),
         .group = true,
         .align = TextAlign::Right},
        {.id = kIdOk,
         .kind = K::DefPushButton,
         .text = "OK",
         .rect = Dlu(70, 70, 48, 14),
         .tabStop = true,
         .group = true},
        {.id = kIdcAboutText,
         .kind = K::Static,
         .text = std::string(),
         .rect = Dlu(40, 25, 135, 20),
         .group = true,
         .align = TextAlign::Center,
         .staticEdge = true},
        {.kind = K::GroupBox, .text = std::string(), .rect = Dlu(5, 0, 177, 90)},
    };
}

DialogTemplate MakeSettingsTemplate() {
    DialogTemplate dialog;
    dialog.id = kIddSettings;
    dialog.title = std::string(kSettingsTitle);
    dialog.width = 195;
    dialog.height = 131;
    dialog.fontFace = std::string(kFontFace);
    dialog.fontPoints = kFontPoints;
    dialog.controls = SettingsControls();
    return dialog;
}

DialogTemplate MakeAboutTemplate() {
    DialogTemplate dialog;
    dialog.id = kIddAbout;
    dialog.title = std::string(kAboutTitle);
    dialog.width = 187;
    dialog.height = 95;
    dialog.fontFace = std::string(kFontFace);
    dialog.fontPoints = kFontPoints;
    dialog.extended = true;
    dialog.controls = AboutControls();
    return dialog;
}

}  // namespace

const DialogTemplate& SettingsDialogTemplate() {
    static const DialogTemplate dialog = MakeSettingsTemplate();
    return dialog;
}

const DialogTemplate& AboutDialogTemplate() {
    static const DialogTemplate dialog = MakeAboutTemplate();
    return dialog;
}

}  // namespace mascot
