#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "placement/DialogFramework.h"
#include "placement/SettingsDlg.h"
#include "platform/Desktop.h"
#include "platform/Window.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimUi.h"
#include "res/DialogTemplates.h"

namespace mascot {
namespace {

TEST(DialogFrameworkTest, IntegerEditAcceptsASignedNumberWithBlanksAround) {
    struct Case {
        const char* text;
        std::optional<int32_t> value;
    };
    const Case cases[] = {
        {"37", 37},
        {" -12 ", -12},
        {"+5", 5},
        {"\t7\t", 7},
        {"007", 7},
        {"-0", 0},
        {"2147483647", std::numeric_limits<int32_t>::max()},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"000000000000000000000042", 42},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"1 2", std::nullopt},
        {"abc", std::nullopt},
        {"12a", std::nullopt},
        {"- 5", std::nullopt},
        {"+-5", std::nullopt},
        {"--5", std::nullopt},
        {"0x10", std::nullopt},
        {"1.5", std::nullopt},
        {"5\n", std::nullopt},
        {"\x82\x50", std::nullopt},  // a full-width digit in Shift-JIS
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(ParseDialogInt(c.text), c.value);
    }
    // The edit's bytes need not end at a terminator: only the given bytes are read.
    EXPECT_EQ(ParseDialogInt(std::string_view("123", 2)), 12);
}

class RaiseNextVisibleWindowTest : public ::testing::Test {
protected:
    SimClock clock;
    SimDesktop desktop{clock};
};

TEST_F(RaiseNextVisibleWindowTest, SkipsHiddenWindowsAndRaisesTheFirstVisibleOne) {
    const WindowId bottom = desktop.AddWindow({0, 0, 100, 100}, "Bottom", "B");
    const WindowId editor = desktop.AddWindow({0, 0, 100, 100}, "Editor", "E");
    const WindowId hidden = desktop.AddWindow({0, 0, 100, 100}, "Hidden", "H", false);
    const WindowId top = desktop.AddWindow({0, 0, 100, 100}, "Top", "T");
    RaiseNextVisibleWindow(desktop, top);
    const auto raised = desktop.Log().Of(SimEvent::Kind::BringToTop);
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_EQ(raised[0].window, editor);
    EXPECT_EQ(desktop.ZOrder(), (std::vector<WindowId>{editor, top, hidden, bottom}));
}

TEST_F(RaiseNextVisibleWindowTest, NothingWhenNoVisibleWindowLiesBelow) {
    desktop.AddWindow({0, 0, 100, 100}, "Hidden", "H", false);
    const WindowId top = desktop.AddWindow({0, 0, 100, 100}, "Top", "T");
    RaiseNextVisibleWindow(desktop, top);
    RaiseNextVisibleWindow(desktop, WindowId());
    RaiseNextVisibleWindow(desktop, WindowId(0xDEAD));
    EXPECT_EQ(desktop.Log().Count(SimEvent::Kind::BringToTop), 0u);
}

// A desktop whose z-order below window 1 runs round 2, 3, 2, 3, ... and never shows a visible
// window, as a platform's answers could while windows are restacked under the walk.
class CyclingDesktop final : public Desktop {
public:
    int queries = 0;
    std::unique_ptr<Window> CreateMascotWindow(const WindowParams&, WindowHandler&) override {
        return nullptr;
    }
    WindowId ForegroundWindow() override { return {}; }
    WindowId Taskbar() override { return {}; }
    std::optional<Rect> WindowRect(WindowId) override { return Rect{}; }
    std::string WindowTitle(WindowId) override { return {}; }
    std::string WindowClass(WindowId) override { return {}; }
    bool IsWindowVisible(WindowId) override { return false; }
    WindowId NextWindowBelow(WindowId window) override {
        ++queries;
        return WindowId(window.Value() == 2 ? 3 : 2);
    }
    void BringToTop(WindowId) override { ADD_FAILURE() << "nothing is visible"; }
    void PostClose(WindowId) override {}
    Point CursorPos() override { return {}; }
};

TEST(RaiseNextVisibleWindowWalkTest, ACyclingZOrderEndsTheWalk) {
    CyclingDesktop desktop;
    RaiseNextVisibleWindow(desktop, WindowId(1));
    EXPECT_GT(desktop.queries, 2);
    EXPECT_LE(desktop.queries, 65536);
}

// Controls that raise an edit-change notice for every text written into the position edit, as a
// native edit control does for a text set by program.
class EchoingControls final : public DialogControls {
public:
    DialogModel* model = nullptr;
    std::map<int, std::string> texts;
    std::map<int, int> checks;
    int sliderPos = -1;
    int echoes = 0;

    std::string GetText(int id) override { return texts[id]; }
    void SetText(int id, const std::string& text) override {
        texts[id] = text;
        if (id == kIdcPositionEdit && model) {
            ++echoes;
            model->OnCommand(*this, id, kEnChange);
        }
    }
    int GetCheck(int id) override { return checks[id]; }
    void SetCheck(int id, int state) override { checks[id] = state; }
    void SelectText(int) override {}
    void TrackbarSetRange(int, int, int, bool) override {}
    void TrackbarSetTicFreq(int, int) override {}
    void TrackbarSetPageSize(int, int) override {}
    void TrackbarSetLineSize(int, int) override {}
    void TrackbarSetPos(int, int pos, bool) override { sliderPos = pos; }
    int TrackbarGetPos(int) override { return sliderPos; }
    WindowId DialogWindow() override { return {}; }
    void EndDialog(int) override {}
};

// The edit is written first; were the notice of that write handled, it would read the check
// boxes and the radio group before their values were written, and write those stale values back.
TEST(SettingsDlgEchoTest, NoticesOfTheDialogsOwnWritesAreNotHandled) {
    SimClock clock;
    SimDesktop desktop(clock);
    SimUi ui(desktop);
    CSettingsDlg dlg(ui, desktop, "Desktop Mascot");
    dlg.m_nPos = 37;
    dlg.m_bAutoAnim = 1;
    dlg.m_bFront = 1;
    dlg.m_nFollow = 2;
    dlg.m_bSound = 1;
    EchoingControls controls;
    controls.model = &dlg;

    EXPECT_TRUE(dlg.OnInitDialog(controls));
    EXPECT_EQ(controls.echoes, 1);
    EXPECT_EQ(controls.texts[kIdcPositionEdit], "37");
    EXPECT_EQ(controls.checks[kIdcAutoAnimation], 1);
    EXPECT_EQ(controls.checks[kIdcFront], 1);
    EXPECT_EQ(controls.checks[kIdcFollowOthers], 1);
    EXPECT_EQ(controls.checks[kIdcSound], 1);
    EXPECT_EQ(controls.sliderPos, 37);

    dlg.OnHScroll(controls, 1, 0, kIdcPositionSlider);
    EXPECT_EQ(controls.texts[kIdcPositionEdit], "38");
    EXPECT_EQ(dlg.m_bFront, 1);
    EXPECT_EQ(dlg.m_nFollow, 2);
    EXPECT_TRUE(ui.MessageBoxes().empty());

    // The user's own change is handled: the slider follows the number.
    controls.texts[kIdcPositionEdit] = "64";
    dlg.OnCommand(controls, kIdcPositionEdit, kEnChange);
    EXPECT_EQ(controls.sliderPos, 64);
    EXPECT_EQ(dlg.m_nPos, 64);
}

}  // namespace
}  // namespace mascot
