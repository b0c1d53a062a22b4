#include <gtest/gtest.h>

#include "placement/ContextMenu.h"
#include "support/MascotSim.h"
#include "support/Sjis.h"

namespace mascot {
namespace {

using test::MascotSim;

constexpr std::string_view kClicky =
    "Name \"clicky\"\n MakeShape 'b', 2\n SetShape v0\n SetHeight 117\n OnClick clicked\nloop:\n Wait 1000\n"
    " Goto loop\nclicked:\n Add v7, 1\n Wait 1000\n Goto loop\n";

void StartAt(MascotSim& m, int position) {
    m.dir.Write("savedata.dat", "[Mascot-TEST]\nPosition=" + std::to_string(position) + "\n");
    m.Embed({kClicky});
    m.AddEditor();  // 412 wide: slack 300
    ASSERT_TRUE(m.Start());
    m.RunUntil(100);
}

TEST(MouseTest, APressRunsTheClickHandlerAtOnceAndAReleaseNeverDrags) {
    MascotSim m;
    StartAt(m, 50);
    m.Desktop().ScheduleAt(150, [&] { m.Desktop().LeftPress(m.Id(), {20, 20}); });
    m.Desktop().ScheduleAt(200, [&] { m.Desktop().LeftRelease(m.Id(), {20, 20}); });
    m.Desktop().ScheduleAt(250, [&] { m.Desktop().MouseMove(m.Id(), {25, 20}); });
    m.RunUntil(300);
    EXPECT_EQ(m.Frame()->Script().m_vars[7], 1);
    EXPECT_TRUE(m.Events(SimEvent::Kind::MoveLoop).empty());
    // The handler's own wait replaced the pending one: the next run is 1000 ms after the press.
    m.RunUntil(1149);
    EXPECT_EQ(m.Frame()->Script().m_vars[7], 1);
}

TEST(MouseTest, AQuickDoublePressRunsTheHandlerOnce) {
    MascotSim m;
    StartAt(m, 50);
    for (uint64_t t : {150, 250}) {
        m.Desktop().ScheduleAt(t, [&] { m.Desktop().LeftPress(m.Id(), {20, 20}); });
        m.Desktop().ScheduleAt(t + 20, [&] { m.Desktop().LeftRelease(m.Id(), {20, 20}); });
    }
    m.RunUntil(300);
    EXPECT_EQ(m.Frame()->Script().m_vars[7], 1);
    EXPECT_EQ(m.Events(SimEvent::Kind::DoubleClick).size(), 1u);
}

// A drag: a press, a move one pixel away, the platform's move loop carrying the cursor by `dx`.
void Drag(MascotSim& m, uint64_t at, int dx) {
    m.Desktop().ScriptMoveLoop({200, Point{dx, 13}});
    m.Desktop().ScheduleAt(at, [&] { m.Desktop().LeftPress(m.Id(), {20, 20}); });
    m.Desktop().ScheduleAt(at + 10, [&] { m.Desktop().MouseMove(m.Id(), {21, 20}); });
}

TEST(MouseTest, DraggingChangesThePercentageByTheHorizontalTravel) {
    struct Case {
        int start;
        int dx;
        int position;
    };
    const Case cases[] = {{20, 150, 70}, {20, -7, 18}, {20, 7, 22}, {90, 150, 100}, {10, -400, 0}, {50, 0, 50}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << " + " << c.dx);
        MascotSim m;
        StartAt(m, c.start);
        Drag(m, 150, c.dx);
        m.RunUntil(1000);
        EXPECT_EQ(m.Frame()->m_nPosition, c.position);
        EXPECT_EQ(m.Events(SimEvent::Kind::MoveLoop).size(), 1u);
        // Back on the edge, whatever the vertical travel.
        EXPECT_TRUE(m.Wnd()->IsVisible());
        EXPECT_EQ(m.Wnd()->ScreenRect().left, 200 + 300 * c.position / 100);
        EXPECT_EQ(m.Wnd()->ScreenRect().top, 183);
        EXPECT_TRUE(m.Frame()->m_bTracking);
    }
}

TEST(MouseTest, TheTrackTimerSkipsItsPassDuringTheDrag) {
    MascotSim m;
    StartAt(m, 20);
    Drag(m, 150, 150);
    // The move loop runs from 160 to 360; look from inside it, after the passes at 200 and 300.
    bool trackingDuringDrag = true;
    size_t placementsDuringDrag = 0;
    m.Desktop().ScheduleAt(350, [&] {
        trackingDuringDrag = m.Frame()->m_bTracking;
        placementsDuringDrag = m.Events(SimEvent::Kind::Show).size() + m.Events(SimEvent::Kind::Move).size();
    });
    const size_t before = m.Events(SimEvent::Kind::Show).size() + m.Events(SimEvent::Kind::Move).size();
    m.RunUntil(400);
    EXPECT_FALSE(trackingDuringDrag);
    EXPECT_EQ(placementsDuringDrag, before);
    const auto fired = m.Events(SimEvent::Kind::TimerFired);
    EXPECT_EQ(std::count_if(fired.begin(), fired.end(),
                            [](const SimEvent& e) { return e.a == kTimerTrack && e.time > 160 && e.time < 360; }),
              2);
    EXPECT_TRUE(m.Frame()->m_bTracking);
}

TEST(MouseTest, ANarrowForegroundWindowAfterTheDragLeavesThePercentage) {
    MascotSim m;
    StartAt(m, 20);
    Drag(m, 150, 150);
    m.Desktop().ScheduleAt(200, [&] { m.Desktop().MoveWindow(m.Desktop().ForegroundWindow(), {200, 300, 280, 800}); });
    m.RunUntil(1000);
    EXPECT_EQ(m.Frame()->m_nPosition, 20);
}

TEST(MouseTest, AfterADragOntoAnotherMascotTheMascotStaysHidden) {
    MascotSim m;
    StartAt(m, 20);
    const WindowId other = m.Desktop().AddWindow({0, 500, 112, 660}, "ZUPO_MASCOT", kSimMascotClass);
    Drag(m, 150, 150);
    m.Desktop().ScheduleAt(200, [&] { m.Desktop().SetForeground(other); });
    m.RunUntil(1000);
    EXPECT_FALSE(m.Wnd()->IsVisible());
    // The percentage used the other mascot's width (112 wide: no slack), so it stayed.
    EXPECT_EQ(m.Frame()->m_nPosition, 20);
}

std::vector<std::string> Describe(const std::vector<MenuItem>& items) {
    std::vector<std::string> out;
    for (const MenuItem& item : items) {
        std::string text = item.kind == MenuItem::Kind::Separator ? "----" : test::SjisToUtf8(item.text);
        if (item.kind == MenuItem::Kind::Command)
            text = std::to_string(item.id) + " " + text;
        if (item.checked)
            text += " [x]";
        if (item.menuBarBreak)
            text += " [break]";
        if (item.disabled && item.grayed)
            text += " [off]";
        out.push_back(text);
    }
    return out;
}

BuiltContainer MenuContainer(int patterns, uint16_t columns, uint16_t gate) {
    ContainerWriter writer = test::CharacterWriter();
    writer.SetMenuColumns(columns, gate);
    for (int i = 0; i < patterns; ++i)
        writer.AddNamedPattern("p" + std::to_string(i + 1), {8, 0x10, 0x27});
    return writer.Build();
}

TEST(ContextMenuTest, ThePatternSubmenuFollowsTheColumnGate) {
    struct Case {
        const char* name;
        int patterns;
        uint16_t columns;
        uint16_t gate;
        int choice;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"one column with a separator", 2, 0, 0, 0,
         {"32780 ランダム選択 [x]", "----", "32781 p1", "32782 p2"}},
        {"a gate of 4 keeps one column whatever the length", 3, 2, 4, 2,
         {"32780 ランダム選択", "----", "32781 p1", "32782 p2 [x]", "32783 p3"}},
        {"columns of three", 7, 3, 5, 7,
         {"32780 ランダム選択", "32781 p1", "32782 p2", "32783 p3", "1 －－－－－ [break] [off]", "32784 p4",
          "32785 p5", "32786 p6", "1 －－－－－ [break] [off]", "32787 p7 [x]"}},
        {"no item above 32796", 18, 0, 0, 17, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BuiltContainer built = MenuContainer(c.patterns, c.columns, c.gate);
        const MascotData data(built.Span());
        const MenuItem submenu = BuildPatternSubmenu(data, c.choice);
        EXPECT_EQ(test::SjisToUtf8(submenu.text), "パターン選択");
        if (!c.items.empty()) {
            EXPECT_EQ(Describe(submenu.submenu), c.items);
            continue;
        }
        ASSERT_EQ(submenu.submenu.size(), 18u);  // random, separator, 16 patterns
        EXPECT_EQ(submenu.submenu.back().id, 32796u);
        for (const MenuItem& item : submenu.submenu)
            EXPECT_FALSE(item.checked);
    }
}

TEST(ContextMenuTest, TheRightClickShowsTheMenuAtTheCursorWithTrackingOff) {
    MascotSim m;
    m.Embed({kClicky, kClicky});
    m.AddEditor();
    ASSERT_TRUE(m.Start());
    m.RunUntil(100);
    m.Desktop().ScriptMenu({250, ID_PATTERN_FIRST + 1});
    m.Desktop().ScheduleAt(150, [&] { m.Desktop().RightPress(m.Id(), {30, 40}); });
    m.Desktop().MoveWindow(m.Desktop().ForegroundWindow(), {100, 300, 512, 800});
    m.RunUntil(390);
    // During the menu the track timer fired twice but placed nothing.
    EXPECT_EQ(m.Wnd()->ScreenRect().left, 470);
    const auto menus = m.Events(SimEvent::Kind::Menu);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(m.Wnd()->LastMenuPoint(), (Point{470 + 30, 183 + 40}));
    const Menu& menu = *m.Wnd()->LastMenu();
    EXPECT_EQ(Describe(menu.items), (std::vector<std::string>{"32800 設定(&S)...", "パターン選択",
                                                              "57664 このソフトについて(&A)...", "----",
                                                              "57665 終了(&X)\tAlt+F4"}));
    // The choice arrived as a command: pattern 2 is current, starting 10 ms later.
    EXPECT_EQ(m.Frame()->Script().m_patternChoice, 2);
    EXPECT_EQ(m.Frame()->Script().m_patternIndex, 1);
    EXPECT_TRUE(m.Frame()->m_bTracking);
    m.RunUntil(500);
    EXPECT_EQ(m.Wnd()->ScreenRect().left, 370);
}

TEST(CloseAllTest, EveryMascotWindowIsClosedAndTheSenderLast) {
    MascotSim m;
    m.Embed({kClicky});
    m.AddEditor();
    ASSERT_TRUE(m.Start());
    m.RunUntil(100);
    Desktop& desktop = m.Desktop();
    const WindowId first = m.Desktop().AddWindow({0, 0, 10, 10}, "ZUPO_MASCOT", kSimMascotClass);
    const WindowId wrongClass = m.Desktop().AddWindow({0, 0, 10, 10}, "ZUPO_MASCOT", "Other");
    const WindowId longerTitle = m.Desktop().AddWindow({0, 0, 10, 10}, "ZUPO_MASCOT2", kSimMascotClass);
    const WindowId second = m.Desktop().AddWindow({0, 0, 10, 10}, "ZUPO_MASCOT", kSimMascotClass);
    (void)desktop;
    m.Frame()->m_nPosition = 12;
    m.Desktop().PostCommand(m.Id(), ID_CLOSE_ALL);
    m.RunUntil(110);
    std::vector<WindowId> closed;
    for (const SimEvent& e : m.Events(SimEvent::Kind::PostClose))
        closed.push_back(e.window);
    EXPECT_EQ(closed, (std::vector<WindowId>{second, first, m.Id()}));
    EXPECT_FALSE(m.Desktop().Exists(first));
    EXPECT_FALSE(m.Desktop().Exists(second));
    EXPECT_TRUE(m.Desktop().Exists(wrongClass));
    EXPECT_TRUE(m.Desktop().Exists(longerTitle));
    EXPECT_TRUE(m.Desktop().MainWindowDestroyed());
    EXPECT_EQ(m.app->m_nSavedPosition, 12);
}

TEST(CommandTest, CommandNothingDoesNothing) {
    MascotSim m;
    m.Embed({kClicky});
    m.AddEditor();
    ASSERT_TRUE(m.Start());
    m.RunUntil(100);
    const size_t before = m.sim->desktop.Log().Events().size();
    m.Desktop().PostCommand(m.Id(), ID_NOTHING);
    m.RunUntil(101);
    // Only the command itself was logged.
    EXPECT_EQ(m.sim->desktop.Log().Events().size(), before + 1);
    EXPECT_FALSE(m.Desktop().MainWindowDestroyed());
}

}  // namespace
}  // namespace mascot
