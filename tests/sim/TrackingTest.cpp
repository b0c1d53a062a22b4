#include <gtest/gtest.h>

#include "support/MascotSim.h"

namespace mascot {
namespace {

using test::MascotSim;

// A pattern that sets its shape and height and then only waits.
constexpr std::string_view kStill =
    "Name \"still\"\n MakeShape 'b', 2\n SetShape v0\n SetHeight 117\nloop:\n Draw 0\n Wait 1000\n Goto loop\n";

std::vector<std::pair<int64_t, int64_t>> Positions(const std::vector<SimEvent>& events) {
    std::vector<std::pair<int64_t, int64_t>> out;
    for (const SimEvent& e : events)
        out.emplace_back(e.a, e.b);
    return out;
}

using XY = std::vector<std::pair<int64_t, int64_t>>;

std::vector<SimEvent> From(std::vector<SimEvent> events, uint64_t t) {
    std::erase_if(events, [t](const SimEvent& e) { return e.time < t; });
    return events;
}

TEST(TrackingTest, TheWindowStaysHiddenUntilTheFirstPassThenMovesAndShows) {
    MascotSim m;
    m.Embed({kStill});
    m.AddEditor();  // 200..612 wide: slack 300; top 300
    ASSERT_TRUE(m.Start());
    // The first run's SetHeight already moved the hidden window against the foreground window,
    // without showing it and without remembering the place.
    EXPECT_FALSE(m.Wnd()->IsVisible());
    EXPECT_EQ(m.Wnd()->ScreenRect(), (Rect{470, 183, 582, 343}));
    EXPECT_EQ(m.Frame()->m_nLastX, -1);
    m.RunUntil(99);
    EXPECT_FALSE(m.Wnd()->IsVisible());
    m.RunUntil(100);
    EXPECT_TRUE(m.Wnd()->IsVisible());
    EXPECT_EQ(Positions(m.Events(SimEvent::Kind::Move)), (XY{{470, 183}, {470, 183}}));
    EXPECT_EQ(Positions(m.Events(SimEvent::Kind::Show)), (XY{{470, 183}}));
    // Nothing moved since: later passes make no call at all.
    m.RunUntil(1000);
    EXPECT_EQ(m.Events(SimEvent::Kind::Move).size(), 2u);
    EXPECT_EQ(m.Events(SimEvent::Kind::Show).size(), 1u);
    // The target moves: the mascot follows it.
    m.Desktop().MoveWindow(m.Desktop().ForegroundWindow(), Rect{240, 310, 652, 810});
    m.RunUntil(1100);
    EXPECT_EQ(Positions(From(m.Events(SimEvent::Kind::Move), 101)), (XY{{510, 193}}));
}

TEST(TrackingTest, TheFirstPassShowsEvenWhenThePlaceIsTheStartingValue) {
    MascotSim m;
    m.Embed({kStill});
    m.config.randomSeed = 1;
    m.dir.Write("savedata.dat", "[Mascot-TEST]\nPosition=0\n");
    m.AddEditor(Rect{-1, 116, 600, 700});  // x = -1, y = 116 - 117 = -1
    ASSERT_TRUE(m.Start());
    m.RunUntil(100);
    EXPECT_TRUE(m.Events(SimEvent::Kind::Move).empty());
    EXPECT_EQ(Positions(m.Events(SimEvent::Kind::Show)), (XY{{-1, -1}}));
}

TEST(TrackingTest, TheTrackTimerKeepsFiringWhileTrackingIsOffAndTheMessageStillTracks) {
    MascotSim m;
    m.Embed({kStill});
    const WindowId editor = m.AddEditor();
    ASSERT_TRUE(m.Start());
    m.RunUntil(100);
    m.Frame()->m_bTracking = false;
    m.Desktop().MoveWindow(editor, Rect{100, 300, 512, 800});
    const size_t firedBefore = m.Events(SimEvent::Kind::TimerFired).size();
    m.RunUntil(400);
    EXPECT_EQ(m.Events(SimEvent::Kind::TimerFired).size(), firedBefore + 3);
    EXPECT_TRUE(From(m.Events(SimEvent::Kind::Move), 101).empty());
    EXPECT_EQ(m.Desktop().SendMascotTrack(m.Id()), 0);
    EXPECT_EQ(Positions(From(m.Events(SimEvent::Kind::Move), 101)), (XY{{370, 183}}));
}

TEST(TrackingTest, WithTopMostEveryPassPlacesTheWindow) {
    MascotSim m;
    m.Embed({kStill});
    m.dir.Write("savedata.dat", "[Mascot-TEST]\nTopMost=1\n");
    m.AddEditor();
    ASSERT_TRUE(m.Start());
    m.RunUntil(500);
    EXPECT_EQ(From(m.Events(SimEvent::Kind::Move), 100).size(), 5u);
    EXPECT_EQ(m.Events(SimEvent::Kind::Show).size(), 1u);
}

// Each case builds a desktop, runs the first pass at 100 ms and says what a user would see.
TEST(TrackingTest, TargetRules) {
    enum class Outcome { Hidden, Shown, Unplaced };
    struct Case {
        const char* name;
        int fixed;
        std::function<void(MascotSim&)> scene;
        Outcome outcome;
        Point at{};
    };
    auto editor = [](Rect rect, std::string title = "Editor", std::string cls = "EditorWnd", bool visible = true) {
        return [=](MascotSim& m) {
            const WindowId id = m.Desktop().AddWindow(rect, title, cls, visible);
            m.Desktop().SetForeground(id);
        };
    };
    const Rect normal{200, 300, 612, 800};
    const Case cases[] = {
        {"top at 0 hides", 0, editor({200, 0, 612, 800}), Outcome::Hidden},
        {"top above the screen hides", 0, editor({200, -5, 612, 800}), Outcome::Hidden},
        {"top at 1 carries", 0, editor({200, 1, 612, 800}), Outcome::Shown, {470, -116}},
        {"a narrow target puts the mascot at its left edge", 0, editor({200, 300, 300, 800}), Outcome::Shown,
         {200, 183}},
        {"no foreground window hides", 0, [](MascotSim&) {}, Outcome::Hidden},
        {"taskbar only, without a taskbar", 1, editor(normal), Outcome::Hidden},
        {"taskbar only rides on the taskbar", 1,
         [&](MascotSim& m) {
             editor(normal)(m);
             m.Desktop().AddTaskbar({0, 760, 1280, 800});
         },
         Outcome::Shown, {1051, 643}},
        {"a taskbar docked at the top hides", 1, [](MascotSim& m) { m.Desktop().AddTaskbar({0, 0, 1280, 40}); },
         Outcome::Hidden},
        {"all but the taskbar, the taskbar in front: the mascot's own top is 0", 2,
         [](MascotSim& m) { m.Desktop().SetForeground(m.Desktop().AddTaskbar({0, 760, 1280, 800})); },
         Outcome::Hidden},
        {"all but the taskbar rides on other windows", 2, editor(normal), Outcome::Shown, {470, 183}},
        {"a mode outside 0..2 acts as 0", 7, editor(normal), Outcome::Shown, {470, 183}},
        {"another mascot in front is left alone", 0, editor(normal, "ZUPO_MASCOT", kSimMascotClass),
         Outcome::Unplaced},
        {"the companion window is left alone", 0, editor(normal, "Fegli", "FEGLI"), Outcome::Unplaced},
        {"a Fegli of another class carries", 0, editor(normal, "Fegli", "Notepad"), Outcome::Shown, {470, 183}},
        {"fegli in lower case carries", 0, editor(normal, "fegli", "FEGLI"), Outcome::Shown, {470, 183}},
        {"an invisible window is left alone", 0, editor(normal, "Editor", "EditorWnd", false), Outcome::Unplaced},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MascotSim m;
        m.Embed({kStill});
        m.dir.Write("savedata.dat", "[Mascot-TEST]\nFixed=" + std::to_string(c.fixed) + "\n");
        c.scene(m);
        ASSERT_TRUE(m.Start());
        m.RunUntil(100);
        EXPECT_EQ(m.Wnd()->IsVisible(), c.outcome == Outcome::Shown);
        if (c.outcome == Outcome::Shown) {
            EXPECT_EQ(Positions(m.Events(SimEvent::Kind::Show)), (XY{{c.at.x, c.at.y}}));
        } else {
            EXPECT_TRUE(m.Events(SimEvent::Kind::Show).empty());
            EXPECT_TRUE(From(m.Events(SimEvent::Kind::Move), 100).empty());
        }
        EXPECT_EQ(m.Frame()->m_nLastX, c.outcome == Outcome::Shown ? c.at.x : -1);
    }
}

TEST(TrackingTest, AMascotOnTopOfItselfOrBehindAnUnsuitableWindowStaysWhereItIs) {
    struct Case {
        const char* name;
        int fixed;
        bool taskbarInFront;  // else the mascot itself is in front
    };
    const Case cases[] = {{"mode 2, taskbar in front", 2, true}, {"mode 0, the mascot in front", 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MascotSim m;
        m.Embed({kStill});
        m.dir.Write("savedata.dat", "[Mascot-TEST]\nFixed=" + std::to_string(c.fixed) + "\n");
        m.AddEditor();
        const WindowId taskbar = m.Desktop().AddTaskbar({0, 760, 1280, 800});
        ASSERT_TRUE(m.Start());
        m.RunUntil(100);
        ASSERT_TRUE(m.Wnd()->IsVisible());
        m.Desktop().SetForeground(c.taskbarInFront ? taskbar : m.Id());
        m.RunUntil(500);
        EXPECT_TRUE(m.Wnd()->IsVisible());
        EXPECT_EQ(From(m.Events(SimEvent::Kind::Move), 101).size(), 0u);
        EXPECT_TRUE(m.Events(SimEvent::Kind::Hide).empty());
    }
}

TEST(TrackingTest, AnInvisibleForegroundWindowLeavesAHiddenMascotHidden) {
    MascotSim m;
    m.Embed({kStill});
    const WindowId editor = m.AddEditor();
    ASSERT_TRUE(m.Start());
    m.RunUntil(100);
    m.Desktop().SetForeground(WindowId());
    m.RunUntil(200);
    EXPECT_FALSE(m.Wnd()->IsVisible());
    m.Desktop().SetWindowVisible(editor, false);
    m.Desktop().SetForeground(editor);
    m.RunUntil(500);
    EXPECT_FALSE(m.Wnd()->IsVisible());
    EXPECT_EQ(m.Events(SimEvent::Kind::Hide).size(), 1u);
}

}  // namespace
}  // namespace mascot
