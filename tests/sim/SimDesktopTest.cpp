#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/WindowHandler.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimUi.h"
#include "platform/sim/SimWindow.h"
#include "render/Region.h"
#include "render/Surface.h"

namespace mascot {
namespace {

// A window handler that writes down what reached it, with the virtual time.
class RecordingHandler : public WindowHandler {
public:
    explicit RecordingHandler(SimDesktop& desktop) : m_desktop(desktop) {}

    std::vector<std::string> calls;
    Window* window = nullptr;
    std::function<void(uint32_t)> onTimer;
    std::function<void()> onRButton;

    void Note(const std::string& what) { calls.push_back(std::to_string(m_desktop.Now()) + " " + what); }

    void OnPaint() override { Note("paint"); }
    bool OnEraseBkgnd() override { return true; }
    void OnTimer(uint32_t id) override {
        Note("timer " + std::to_string(id));
        if (onTimer)
            onTimer(id);
    }
    void OnLButtonDown(uint32_t, Point p) override { Note("down " + std::to_string(p.x) + "," + std::to_string(p.y)); }
    void OnLButtonDblClk(uint32_t, Point) override { Note("dblclk"); }
    void OnMouseMove(uint32_t, Point) override { Note("move"); }
    void OnLButtonUp(uint32_t, Point) override { Note("up"); }
    void OnRButtonDown(uint32_t, Point) override {
        Note("rdown");
        if (onRButton)
            onRButton();
    }
    void OnCommand(uint32_t id) override { Note("command " + std::to_string(id)); }
    void OnClose() override {
        Note("close");
        window->Destroy();
    }
    bool OnQueryEndSession() override {
        Note("query");
        return true;
    }
    void OnEndSession(bool ending) override { Note(ending ? "end" : "end-cancelled"); }
    int32_t OnMascotTrack() override {
        Note("track");
        return 0;
    }
    void OnWindowPosChanging() override {}
    void OnWindowPosChanged() override {}
    void OnNcCalcSize() override {}

private:
    SimDesktop& m_desktop;
};

class SimDesktopTest : public ::testing::Test {
protected:
    SimClock clock;
    SimDesktop desktop{clock};
    RecordingHandler handler{desktop};
    std::unique_ptr<Window> window;

    void SetUp() override {
        window = desktop.CreateMascotWindow(WindowParams{"ZUPO_MASCOT", Rect{0, 0, 100, 120}, true}, handler);
        handler.window = window.get();
    }
};

TEST_F(SimDesktopTest, TimersExpireInVirtualTimeAndReArmingReplaces) {
    window->SetTimer(kTimerScript, 50);
    window->SetTimer(kTimerTrack, 100);
    desktop.RunUntil(40);
    window->SetTimer(kTimerScript, 50);  // replaces: now due at 90
    desktop.RunUntil(250);
    window->KillTimer(kTimerTrack);
    desktop.RunUntil(300);
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"90 timer 1", "100 timer 2", "140 timer 1", "190 timer 1",
                                                       "200 timer 2", "240 timer 1", "290 timer 1"}));
    EXPECT_EQ(desktop.Now(), 300u);
}

TEST_F(SimDesktopTest, PostedMessagesComeBeforeInputAndInputBeforeTimers) {
    window->SetTimer(kTimerScript, 10);
    desktop.ScheduleAt(10, [&] { desktop.LeftPress(window->Id(), {3, 4}); });
    desktop.ScheduleAt(10, [&] { desktop.PostCommand(window->Id(), 32801); });
    desktop.RunUntil(10);
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"10 down 3,4", "10 command 32801", "10 timer 1"}));
}

TEST_F(SimDesktopTest, TimersKeepFiringInsideNestedLoops) {
    handler.onRButton = [&] {
        MenuItem settings;
        settings.id = 32800;
        settings.text = "Settings";
        window->TrackPopupMenu(Menu{{settings}}, Point{5, 5});
        handler.Note("menu closed");
    };
    desktop.ScriptMenu({250, 32800});
    window->SetTimer(kTimerTrack, 100);
    desktop.ScheduleAt(20, [&] { desktop.RightPress(window->Id(), {1, 1}); });
    desktop.RunUntil(300);
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"20 rdown", "100 timer 2", "200 timer 2", "270 menu closed",
                                                       "270 command 32800", "300 timer 2"}));
    ASSERT_TRUE(static_cast<SimWindow*>(window.get())->LastMenu().has_value());
    EXPECT_EQ(desktop.Log().Count(SimEvent::Kind::Menu), 1u);
}

TEST_F(SimDesktopTest, AMenuChoiceThatIsDisabledOrMissingPostsNothing) {
    MenuItem disabled;
    disabled.id = 1;
    disabled.text = "----";
    disabled.disabled = true;
    for (uint32_t choice : {1u, 99u}) {
        desktop.ScriptMenu({0, choice});
        window->TrackPopupMenu(Menu{{disabled}}, Point{});
        desktop.RunFor(1);
    }
    EXPECT_TRUE(handler.calls.empty());
}

TEST_F(SimDesktopTest, MoveLoopLetsTimeAndCursorAndWindowTravel) {
    desktop.SetCursor({10, 10});
    window->SetTimer(kTimerScript, 30);
    desktop.ScriptMoveLoop({100, Point{40, -5}});
    window->RunMoveLoop(Point{10, 10});
    EXPECT_EQ(desktop.Now(), 100u);
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"30 timer 1", "60 timer 1", "90 timer 1"}));
    EXPECT_EQ(desktop.CursorPos(), (Point{50, 5}));
    EXPECT_EQ(window->ScreenRect(), (Rect{40, -5, 140, 115}));
}

TEST_F(SimDesktopTest, ASecondQuickPressNearTheFirstIsADoubleClick) {
    struct Step {
        uint64_t at;
        Point point;
    };
    const Step steps[] = {{0, {5, 5}}, {300, {6, 6}}, {400, {6, 6}}, {1000, {6, 6}}, {1200, {20, 20}}};
    for (const Step& step : steps)
        desktop.ScheduleAt(step.at, [this, step] { desktop.LeftPress(window->Id(), step.point); });
    desktop.RunUntil(2000);
    EXPECT_EQ(handler.calls,
              (std::vector<std::string>{"0 down 5,5", "300 dblclk", "400 down 6,6", "1000 down 6,6", "1200 down 20,20"}));
}

TEST_F(SimDesktopTest, PlacementKeepsMascotsInTheTopmostBandAndWalksTheZOrder) {
    const WindowId editor = desktop.AddWindow({100, 100, 500, 400}, "Editor", "EditWnd");
    const WindowId taskbar = desktop.AddTaskbar({0, 760, 1280, 800});
    const WindowId other = desktop.AddWindow({0, 0, 10, 10}, "Other", "X");
    window->PlaceTopMost({7, 8}, false);
    EXPECT_FALSE(window->IsVisible());
    EXPECT_EQ(window->ScreenRect(), (Rect{7, 8, 107, 128}));
    window->PlaceTopMost({7, 8}, true);
    EXPECT_TRUE(window->IsVisible());
    EXPECT_EQ(desktop.ZOrder(), (std::vector<WindowId>{window->Id(), taskbar, other, editor}));
    desktop.BringToTop(editor);
    EXPECT_EQ(desktop.ZOrder(), (std::vector<WindowId>{window->Id(), taskbar, editor, other}));
    EXPECT_EQ(desktop.NextWindowBelow(window->Id()), taskbar);
    EXPECT_EQ(desktop.NextWindowBelow(other), WindowId());
    EXPECT_EQ(desktop.Taskbar(), taskbar);
    EXPECT_EQ(desktop.WindowClass(taskbar), "Shell_TrayWnd");
    EXPECT_EQ(desktop.WindowTitle(WindowId(12345)), "");
    EXPECT_FALSE(desktop.WindowRect(WindowId(12345)).has_value());
}

TEST_F(SimDesktopTest, CloseRequestsReachMascotsAndCloseOtherWindows) {
    const WindowId other = desktop.AddWindow({0, 0, 10, 10}, "ZUPO_MASCOT", kSimMascotClass);
    desktop.PostClose(other);
    window->PostClose();
    EXPECT_TRUE(desktop.Exists(other));
    desktop.RunUntil(5);
    EXPECT_FALSE(desktop.Exists(other));
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"0 close"}));
    EXPECT_TRUE(desktop.MainWindowDestroyed());
    EXPECT_TRUE(window->IsDestroyed());
}

TEST_F(SimDesktopTest, RunClosesTheMainWindowAtTheLimitAndTimersDieWithIt) {
    window->SetTimer(kTimerTrack, 100);
    desktop.SetRunLimit(250);
    EXPECT_EQ(desktop.Run(), 0);
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"100 timer 2", "200 timer 2", "250 close"}));
    desktop.RunUntil(1000);
    EXPECT_EQ(handler.calls.size(), 3u);
}

TEST_F(SimDesktopTest, EndOfSessionAsksThenNotifies) {
    desktop.EndSession();
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"0 query", "0 end"}));
}

TEST_F(SimDesktopTest, PresentKeepsTheFrameAndShowingPaints) {
    auto* sim = static_cast<SimWindow*>(window.get());
    Surface frame(100, 120, 0x123456);
    window->Present(frame, nullptr);
    EXPECT_EQ(sim->LastFrame(), frame);
    window->SetShape(Region::FromRect({0, 0, 1, 1}));
    ASSERT_TRUE(sim->Shape().has_value());
    EXPECT_EQ(sim->Shape()->Rects(), (std::vector<Rect>{{0, 0, 1, 1}}));
    window->PlaceTopMost({0, 0}, true);
    desktop.RunFor(1);
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"0 paint"}));
}

// A small dialog model: an edit, a check box, a radio group and a trackbar.
class ProbeModel : public DialogModel {
public:
    DialogTemplate dialog;
    std::vector<std::string> seen;

    ProbeModel() {
        dialog.id = 7;
        dialog.title = "Probe";
        auto add = [&](int id, ControlKind kind, bool group = false, bool visible = true) {
            ControlTemplate c;
            c.id = id;
            c.kind = kind;
            c.group = group;
            c.visible = visible;
            c.disabled = !visible;
            dialog.controls.push_back(c);
        };
        add(kIdOk, ControlKind::DefPushButton);
        add(10, ControlKind::Edit);
        add(11, ControlKind::AutoCheckBox);
        add(12, ControlKind::AutoCheckBox, false, false);
        add(20, ControlKind::AutoRadioButton, true);
        add(21, ControlKind::AutoRadioButton);
        add(kIdStatic, ControlKind::Static, true);
        add(30, ControlKind::Trackbar);
    }
    const DialogTemplate& Template() const override { return dialog; }
    bool OnInitDialog(DialogControls& c) override {
        c.SetText(10, "5");
        c.SetCheck(21, 1);
        c.TrackbarSetRange(30, 0, 100, false);
        c.TrackbarSetPageSize(30, 10);
        c.TrackbarSetPos(30, 37, true);
        return true;
    }
    void OnCommand(DialogControls& c, int id, int code) override {
        seen.push_back("cmd " + std::to_string(id) + " " + std::to_string(code) + " text=" + c.GetText(10) +
                       " checks=" + std::to_string(c.GetCheck(11)) + std::to_string(c.GetCheck(20)) +
                       std::to_string(c.GetCheck(21)));
        if (id == kIdOk)
            c.EndDialog(kIdOk);
    }
    void OnHScroll(DialogControls& c, int code, int pos, int id) override {
        seen.push_back("scroll " + std::to_string(id) + " " + std::to_string(code) + " " + std::to_string(pos) +
                       " thumb=" + std::to_string(c.TrackbarGetPos(30)));
    }
};

TEST_F(SimDesktopTest, DialogsRunTheModelThroughScriptedUserActions) {
    SimUi ui(desktop);
    ProbeModel model;
    window->SetTimer(kTimerTrack, 100);
    ui.ScriptDialog({DialogAction::Type(10, "42"), DialogAction::Click(11), DialogAction::Click(12),
                     DialogAction::Click(20), DialogAction::Key(30, 3), DialogAction::Wait(150),
                     DialogAction::Drag(30, 500), DialogAction::Click(kIdOk)});
    EXPECT_EQ(ui.RunDialog(model), kIdOk);
    EXPECT_EQ(model.seen, (std::vector<std::string>{
                              "cmd 10 768 text=42 checks=001", "cmd 11 0 text=42 checks=101",
                              "cmd 20 0 text=42 checks=110", "scroll 30 3 0 thumb=47", "scroll 30 8 0 thumb=47",
                              "scroll 30 5 100 thumb=100", "scroll 30 4 100 thumb=100", "scroll 30 8 0 thumb=100",
                              "cmd 1 0 text=42 checks=110"}));
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"100 timer 2"}));
    ASSERT_EQ(ui.Dialogs().size(), 1u);
    EXPECT_EQ(ui.Dialogs()[0].result, kIdOk);
    EXPECT_EQ(ui.Dialogs()[0].checks.at(12), 0);  // hidden and disabled: the click did nothing

    // Without a script the user presses Esc.
    EXPECT_EQ(ui.RunDialog(model), kIdCancel);
    EXPECT_EQ(model.seen.back(), "cmd 2 0 text=5 checks=001");
}

TEST_F(SimDesktopTest, MessageBoxesAndFileDialogsAnswerByScriptAndAreRecorded) {
    SimUi ui(desktop);
    ui.AnswerMessageBox(MessageBoxResult::No);
    EXPECT_EQ(ui.MessageBox("q", "cap", MessageBoxButtons::YesNo, MessageBoxIcon::Exclamation), MessageBoxResult::No);
    EXPECT_EQ(ui.MessageBox("q", "cap", MessageBoxButtons::YesNo, MessageBoxIcon::Exclamation), MessageBoxResult::Yes);
    EXPECT_EQ(ui.MessageBox("m", "cap", MessageBoxButtons::Ok, MessageBoxIcon::Exclamation), MessageBoxResult::Ok);
    ASSERT_EQ(ui.MessageBoxes().size(), 3u);
    EXPECT_EQ(ui.MessageBoxes()[0].caption, "cap");

    ui.AnswerOpenFile(std::string("/data/a.kq"));
    EXPECT_EQ(ui.ChooseOpenFile(OpenFileRequest{}), "/data/a.kq");
    EXPECT_EQ(ui.ChooseOpenFile(OpenFileRequest{}), std::nullopt);
    EXPECT_EQ(ui.OpenFileRequests().size(), 2u);
}

}  // namespace
}  // namespace mascot
