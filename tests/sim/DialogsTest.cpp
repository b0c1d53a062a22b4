#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Texts.h"
#include "placement/AboutDlg.h"
#include "placement/SettingsDlg.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimUi.h"
#include "res/DialogTemplates.h"

namespace mascot {
namespace {

using A = DialogAction;

// Trackbar scroll codes, as the keys send them.
constexpr int kLineUp = 0;    // Left
constexpr int kLineDown = 1;  // Right
constexpr int kPageUp = 2;    // Page Up
constexpr int kPageDown = 3;  // Page Down
constexpr int kTop = 6;       // Home
constexpr int kBottom = 7;    // End

constexpr const char* kCaption = "Desktop Mascot";

// The settings dialog run on the simulated desktop, with an editor window below it.
class SettingsDialogTest : public ::testing::Test {
protected:
    // Runs a fresh dialog starting from `pos` with the user's actions; the dialog is kept for
    // checking its fields.
    int Run(int32_t pos, std::vector<DialogAction> actions) {
        dlg.m_nPos = pos;
        ui.ScriptDialog(std::move(actions));
        return dlg.DoModal();
    }
    const SimDialogState& Shown() const { return ui.Dialogs().back(); }
    std::string Edit() const { return Shown().texts.at(kIdcPositionEdit); }
    int Thumb() const { return Shown().trackbarPos.at(kIdcPositionSlider); }
    size_t Refusals() const { return ui.MessageBoxes().size(); }
    std::vector<SimEvent> Raised() { return desktop.Log().Of(SimEvent::Kind::BringToTop); }

    SimClock clock;
    SimDesktop desktop{clock};
    SimUi ui{desktop};
    WindowId editor = desktop.AddWindow({100, 100, 500, 400}, "Editor", "EditWnd");
    CSettingsDlg dlg{ui, desktop, kCaption};
};

TEST_F(SettingsDialogTest, OpeningWritesTheFieldsAndSetsUpTheSlider) {
    dlg.m_bAutoAnim = 1;
    dlg.m_bFront = 1;
    dlg.m_nFollow = 2;
    dlg.m_bRandomStart = 0;
    dlg.m_bSound = 1;
    EXPECT_EQ(Run(37, {}), kIdCancel);
    const SimDialogState& shown = Shown();
    EXPECT_EQ(shown.templateId, kIddSettings);
    EXPECT_EQ(Edit(), "37");
    EXPECT_EQ(
        shown.checks,
        (std::map<int, int>{{1003, 1}, {1006, 1}, {1007, 0}, {1008, 0}, {1009, 1}, {1010, 0}, {1011, 1}}));
    EXPECT_EQ(shown.trackbarRange.at(kIdcPositionSlider), std::make_pair(0, 100));
    EXPECT_EQ(shown.trackbarTicFreq.at(kIdcPositionSlider), 10);
    EXPECT_EQ(shown.trackbarPageSize.at(kIdcPositionSlider), 10);
    EXPECT_EQ(shown.trackbarLineSize.at(kIdcPositionSlider), 1);
    EXPECT_EQ(Thumb(), 37);
    EXPECT_EQ(Refusals(), 0u);
}

// Each key moves from the number in the edit; the result is clamped to the slider's range and
// shown in the edit.
TEST_F(SettingsDialogTest, TrackbarKeysStepFromTheEditedNumber) {
    struct Case {
        const char* name;
        int32_t start;
        std::vector<DialogAction> actions;
        int32_t pos;
        const char* edit;
    };
    const Case cases[] = {
        {"Right from 37", 37, {A::Key(1001, kLineDown)}, 38, "38"},
        {"Left from 37", 37, {A::Key(1001, kLineUp)}, 36, "36"},
        {"Page Down from 37", 37, {A::Key(1001, kPageDown)}, 47, "47"},
        {"Page Up from 37", 37, {A::Key(1001, kPageUp)}, 27, "27"},
        {"Home from 37", 37, {A::Key(1001, kTop)}, 0, "0"},
        {"End from 37", 37, {A::Key(1001, kBottom)}, 100, "100"},
        {"Page Down from 95", 95, {A::Key(1001, kPageDown)}, 100, "100"},
        {"Page Up from 3", 3, {A::Key(1001, kPageUp)}, 0, "0"},
        {"Right from 100", 100, {A::Key(1001, kLineDown)}, 100, "100"},
        // The thumb sits at 100 for 250, at 0 for -12: the step starts from the edit all the same.
        {"Left after typing 250", 37, {A::Type(1002, "250"), A::Key(1001, kLineUp)}, 100, "100"},
        {"Right after typing -12", 37, {A::Type(1002, "-12"), A::Key(1001, kLineDown)}, 0, "0"},
        // The step does not wrap round at the edge of the 32-bit range.
        {"Page Up after typing the lowest integer",
         37,
         {A::Type(1002, "-2147483648"), A::Key(1001, kPageUp)},
         0,
         "0"},
        {"Right after typing 50", 37, {A::Type(1002, "50"), A::Key(1001, kLineDown)}, 51, "51"},
        {"Dragging the thumb", 37, {A::Drag(1001, 63)}, 63, "63"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<DialogAction> actions = c.actions;
        actions.push_back(A::Click(kIdOk));
        EXPECT_EQ(Run(c.start, actions), kIdOk);
        EXPECT_EQ(dlg.m_nPos, c.pos);
        EXPECT_EQ(Edit(), c.edit);
        EXPECT_EQ(Thumb(), c.pos);
    }
    EXPECT_EQ(Refusals(), 0u);
}

TEST_F(SettingsDialogTest, TypedNumbersMoveTheThumbAndAreAcceptedUnclamped) {
    struct Case {
        const char* typed;
        int32_t pos;
        int thumb;
    };
    const Case cases[] = {
        {"250", 250, 100}, {" -12 ", -12, 0}, {"+5", 5, 5}, {"\t64", 64, 64}, {"100", 100, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_EQ(Run(37, {A::Type(1002, c.typed), A::Click(kIdOk)}), kIdOk);
        EXPECT_EQ(dlg.m_nPos, c.pos);
        EXPECT_EQ(Thumb(), c.thumb);
        EXPECT_EQ(Edit(), c.typed);  // the edit keeps what was typed
    }
    EXPECT_EQ(Refusals(), 0u);
}

// Anything but an integer is refused at once: the message, the edit's text selected, the last
// good number kept for the field and the thumb.
TEST_F(SettingsDialogTest, ATextThatIsNoIntegerIsRefusedAsItIsTyped) {
    for (const char* typed : {"", "abc", "1 2", "-", "12a", "2147483648"}) {
        SCOPED_TRACE(std::string("\"") + typed + "\"");
        const size_t before = Refusals();
        EXPECT_EQ(Run(37, {A::Type(1002, "42"), A::Type(1002, typed)}), kIdCancel);
        ASSERT_EQ(Refusals(), before + 1);
        const SimMessageBox& box = ui.MessageBoxes().back();
        EXPECT_EQ(box.text, texts::kMsgEnterInteger);
        EXPECT_EQ(box.caption, kCaption);
        EXPECT_EQ(box.buttons, MessageBoxButtons::Ok);
        EXPECT_EQ(box.icon, MessageBoxIcon::Exclamation);
        EXPECT_EQ(Shown().selections, (std::vector<int>{kIdcPositionEdit}));
        EXPECT_EQ(dlg.m_nPos, 42);
        EXPECT_EQ(Thumb(), 42);
        EXPECT_EQ(Edit(), typed);
    }
}

// A refused number stops the read: the controls after the edit are not read into their fields.
TEST_F(SettingsDialogTest, ARefusedNumberLeavesTheLaterFieldsUnread) {
    EXPECT_EQ(Run(37, {A::Click(1006), A::Type(1002, "x")}), kIdCancel);
    EXPECT_EQ(Shown().checks.at(kIdcFront), 1);
    EXPECT_EQ(dlg.m_bFront, 0);
    EXPECT_EQ(Run(37, {A::Click(1006), A::Type(1002, "5")}), kIdCancel);
    EXPECT_EQ(dlg.m_bFront, 1);
}

TEST_F(SettingsDialogTest, OkWithARefusedNumberKeepsTheDialogOpen) {
    EXPECT_EQ(Run(37, {A::Type(1002, "abc"), A::Click(kIdOk), A::Escape()}), kIdCancel);
    EXPECT_EQ(Refusals(), 2u);
    EXPECT_EQ(Shown().selections, (std::vector<int>{kIdcPositionEdit, kIdcPositionEdit}));
    EXPECT_EQ(dlg.m_nPos, 37);
    // OK raised the editor before the check, and Esc raised it again.
    EXPECT_EQ(Raised().size(), 2u);

    // The user corrects the number and confirms.
    EXPECT_EQ(Run(37, {A::Type(1002, ""), A::Click(kIdOk), A::Type(1002, "12"), A::Click(kIdOk)}), kIdOk);
    EXPECT_EQ(dlg.m_nPos, 12);
    EXPECT_EQ(Refusals(), 4u);
}

// A scroll after a refused number steps from the last good one and replaces the refused text.
TEST_F(SettingsDialogTest, AScrollAfterARefusedNumberReplacesIt) {
    EXPECT_EQ(Run(37, {A::Type(1002, ""), A::Key(1001, kLineDown), A::Click(kIdOk)}), kIdOk);
    EXPECT_EQ(Refusals(), 2u);  // the emptied edit, then the scroll's read
    EXPECT_EQ(dlg.m_nPos, 38);
    EXPECT_EQ(Edit(), "38");
    EXPECT_EQ(Thumb(), 38);
}

TEST_F(SettingsDialogTest, TrackingModeRadioGroup) {
    struct Case {
        int32_t follow;
        std::vector<DialogAction> clicks;
        std::vector<int> shownChecks;  // 1007, 1008, 1009 when the dialog closed
        int32_t result;
    };
    const Case cases[] = {
        {0, {}, {1, 0, 0}, 0},
        {1, {}, {0, 1, 0}, 1},
        {2, {}, {0, 0, 1}, 2},
        {-1, {}, {0, 0, 0}, -1},
        {3, {}, {0, 0, 0}, -1},
        {-7, {}, {0, 0, 0}, -1},
        {1, {A::Click(1009)}, {0, 0, 1}, 2},
        {-1, {A::Click(1007)}, {1, 0, 0}, 0},
        {5, {A::Click(1008)}, {0, 1, 0}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "follow " << c.follow << ", clicks " << c.clicks.size());
        dlg.m_nFollow = c.follow;
        std::vector<DialogAction> actions = c.clicks;
        actions.push_back(A::Click(kIdOk));
        ASSERT_EQ(Run(50, actions), kIdOk);
        const std::map<int, int>& checks = Shown().checks;
        EXPECT_EQ((std::vector<int>{checks.at(1007), checks.at(1008), checks.at(1009)}), c.shownChecks);
        EXPECT_EQ(dlg.m_nFollow, c.result);
    }
}

// The user cannot reach the hidden boxes; what they were given comes back on OK.
TEST_F(SettingsDialogTest, HiddenCheckBoxesCarryTheirValuesThrough) {
    struct Case {
        int32_t autoAnim, randomStart, sound;
        int32_t autoAnimBack, randomStartBack, soundBack;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0, 0},
        {1, 1, 1, 1, 1, 1},
        {1, 0, 1, 1, 0, 1},
        {0, 1, 0, 0, 1, 0},
        // A flag stored as another number keeps its meaning: on stays on.
        {7, 0, -1, 1, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.autoAnim << " " << c.randomStart << " " << c.sound);
        dlg.m_bAutoAnim = c.autoAnim;
        dlg.m_bRandomStart = c.randomStart;
        dlg.m_bSound = c.sound;
        ASSERT_EQ(Run(50, {A::Click(1003), A::Click(1010), A::Click(1011), A::Click(kIdOk)}), kIdOk);
        EXPECT_EQ(dlg.m_bAutoAnim, c.autoAnimBack);
        EXPECT_EQ(dlg.m_bRandomStart, c.randomStartBack);
        EXPECT_EQ(dlg.m_bSound, c.soundBack);
    }
}

TEST_F(SettingsDialogTest, TheVisibleCheckBoxTogglesTheFrontFlag) {
    EXPECT_EQ(Run(50, {A::Click(1006), A::Click(kIdOk)}), kIdOk);
    EXPECT_EQ(dlg.m_bFront, 1);
    EXPECT_EQ(Run(50, {A::Click(1006), A::Click(kIdOk)}), kIdOk);
    EXPECT_EQ(dlg.m_bFront, 0);
}

// OK and Cancel both raise the first visible window below the dialog, skipping hidden ones.
TEST_F(SettingsDialogTest, ClosingRaisesTheNextVisibleWindowBelow) {
    const WindowId hidden = desktop.AddWindow({0, 0, 50, 50}, "Hidden", "H", false);
    const WindowId other = desktop.AddWindow({0, 0, 50, 50}, "Other", "O", false);
    for (const DialogAction& close : {A::Click(kIdCancel), A::Escape(), A::Click(kIdOk)}) {
        SCOPED_TRACE(close.kind == DialogAction::Kind::Escape ? "Esc" : std::to_string(close.id));
        desktop.BringToTop(hidden);
        desktop.BringToTop(other);
        desktop.Log().Clear();
        Run(37, {close});
        const std::vector<SimEvent> raised = Raised();
        ASSERT_EQ(raised.size(), 1u);
        EXPECT_EQ(raised[0].window, editor);
        EXPECT_EQ(desktop.ZOrder().front(), editor);
    }
    // With nothing visible below, nothing is raised.
    desktop.SetWindowVisible(editor, false);
    desktop.Log().Clear();
    EXPECT_EQ(Run(37, {A::Escape()}), kIdCancel);
    EXPECT_TRUE(Raised().empty());
}

// The About box shows the about text; OK raises the window below it, Esc does not.
class AboutDialogTest : public ::testing::Test {
protected:
    SimClock clock;
    SimDesktop desktop{clock};
    SimUi ui{desktop};
    WindowId editor = desktop.AddWindow({100, 100, 500, 400}, "Editor", "EditWnd");
    CAboutDlg dlg{ui, desktop};
};

TEST_F(AboutDialogTest, ShowsTheAboutTextAndOnlyOkRaisesTheWindowBelow) {
    EXPECT_TRUE(dlg.m_strText.empty());
    const std::string about = "\x83o\x81[\x83W\x83\x87\x83\x93 2\nline two";
    dlg.m_strText = about;
    struct Case {
        const char* name;
        std::vector<DialogAction> actions;
        int result;
        size_t raised;
    };
    const Case cases[] = {
        {"OK", {A::Click(kIdOk)}, kIdOk, 1},
        {"Esc", {A::Escape()}, kIdCancel, 0},
        {"no Cancel button: the script runs out", {A::Click(kIdCancel)}, kIdCancel, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        desktop.Log().Clear();
        ui.ScriptDialog(c.actions);
        EXPECT_EQ(dlg.DoModal(), c.result);
        const SimDialogState& shown = ui.Dialogs().back();
        EXPECT_EQ(shown.templateId, kIddAbout);
        EXPECT_EQ(shown.texts.at(kIdcAboutText), about);
        EXPECT_EQ(dlg.m_strText, about);
        const std::vector<SimEvent> raised = desktop.Log().Of(SimEvent::Kind::BringToTop);
        ASSERT_EQ(raised.size(), c.raised);
        if (c.raised) {
            EXPECT_EQ(raised[0].window, editor);
        }
    }
}

}  // namespace
}  // namespace mascot
