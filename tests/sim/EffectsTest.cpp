#include <gtest/gtest.h>

#include "support/MascotSim.h"

namespace mascot {
namespace {

using test::MascotSim;

std::vector<SimEvent> From(std::vector<SimEvent> events, uint64_t t) {
    std::erase_if(events, [t](const SimEvent& e) { return e.time < t; });
    return events;
}

constexpr std::string_view kRiseThenLower =
    "Name \"h\"\n MakeShape 'b', 2\n SetShape v0\n SetHeight 117\n Wait 1000\n SetHeight 117\n Wait 1000\n"
    " SetHeight 80\nloop:\n Wait 1000\n Goto loop\n";

TEST(EffectsTest, SetHeightWithTheSameHeightDoesNothing) {
    MascotSim m;
    m.Embed({kRiseThenLower});
    m.AddEditor();
    ASSERT_TRUE(m.Start());
    m.RunUntil(1500);
    EXPECT_TRUE(m.Wnd()->IsVisible());
    EXPECT_TRUE(m.Events(SimEvent::Kind::Hide).empty());
    EXPECT_TRUE(From(m.Events(SimEvent::Kind::Move), 101).empty());
}

TEST(EffectsTest, SetHeightHidesThenMovesAgainstTheForegroundWindowWithoutShowing) {
    MascotSim m;
    m.Embed({kRiseThenLower});
    m.AddEditor();
    ASSERT_TRUE(m.Start());
    m.Frame()->m_bTracking = true;
    m.RunUntil(1999);
    m.Frame()->m_bTracking = false;  // no pass shows it again before we look
    m.RunUntil(2000);
    EXPECT_FALSE(m.Wnd()->IsVisible());
    ASSERT_EQ(From(m.Events(SimEvent::Kind::Move), 2000).size(), 1u);
    EXPECT_EQ(From(m.Events(SimEvent::Kind::Move), 2000)[0].b, 300 - 80);
    EXPECT_EQ(m.Frame()->m_nLastY, 183);  // nothing remembered
    m.Frame()->m_bTracking = true;
    m.RunUntil(2100);
    EXPECT_TRUE(m.Wnd()->IsVisible());
}

TEST(EffectsTest, SetHeightWhileTheMascotIsTheForegroundWindowHidesWithoutMoving) {
    MascotSim m;
    m.Embed({kRiseThenLower});
    m.AddEditor();
    ASSERT_TRUE(m.Start());
    m.RunUntil(1500);
    m.Desktop().SetForeground(m.Id());
    m.RunUntil(2500);
    EXPECT_FALSE(m.Wnd()->IsVisible());
    EXPECT_TRUE(From(m.Events(SimEvent::Kind::Move), 101).empty());
    EXPECT_EQ(m.Frame()->Script().m_height, 80);
}

TEST(EffectsTest, SetHeightWhileTheButtonIsHeldMovesWithoutHiding) {
    MascotSim m;
    m.Embed({kRiseThenLower});
    m.AddEditor();
    ASSERT_TRUE(m.Start());
    m.Desktop().ScheduleAt(1900, [&] { m.Desktop().LeftPress(m.Id(), {10, 10}); });
    m.RunUntil(2000);
    EXPECT_TRUE(m.Wnd()->IsVisible());
    EXPECT_TRUE(m.Events(SimEvent::Kind::Hide).empty());
    EXPECT_EQ(m.Wnd()->ScreenRect().top, 220);
}

TEST(EffectsTest, SetHeightWithoutAForegroundWindowUsesTheLastTargetsEdges) {
    MascotSim m;
    m.Embed({kRiseThenLower});
    m.AddEditor();
    ASSERT_TRUE(m.Start());
    m.RunUntil(1500);
    m.Frame()->m_bTracking = false;
    m.Desktop().SetForeground(WindowId());
    m.RunUntil(2000);
    EXPECT_EQ(m.Wnd()->ScreenRect().left, 470);
    EXPECT_EQ(m.Wnd()->ScreenRect().top, 300 - 80);
}

TEST(EffectsTest, SetPositionClampsTracksAndHaltsUntilAClick) {
    struct Case {
        const char* operand;
        int32_t position;
        int32_t x;
    };
    const Case cases[] = {{"150", 100, 500}, {"v1", 100, 500}, {"30", 30, 290}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operand);
        MascotSim m;
        m.Embed({std::string("Name \"p\"\n SetHeight 117\n OnClick again\n Let v1, 0\n Sub v1, 1\n Wait 200\n"
                             " SetPosition ") +
                 c.operand + "\n Draw 1\n Wait 10\nagain:\n Let v5, 7\n Wait 10000\n"});
        m.AddEditor();
        ASSERT_TRUE(m.Start());
        m.RunUntil(1000);
        EXPECT_EQ(m.Frame()->m_nPosition, c.position);
        EXPECT_EQ(m.Wnd()->ScreenRect().left, c.x);
        EXPECT_EQ(m.Frame()->LastRunEnd(), RunEnd::SetPosition);
        EXPECT_FALSE(m.Frame()->Script().m_bTimerArmed);
        // Halted: the last arming of the script timer was the wait before SetPosition.
        const auto armed = m.Events(SimEvent::Kind::SetTimer);
        EXPECT_TRUE(std::none_of(armed.begin(), armed.end(),
                                 [](const SimEvent& e) { return e.a == kTimerScript && e.time > 0; }));
        m.Desktop().LeftPress(m.Id(), {5, 5});
        EXPECT_EQ(m.Frame()->Script().m_vars[5], 7);
        EXPECT_TRUE(m.Frame()->Script().m_bTimerArmed);
    }
}

TEST(EffectsTest, TwentyFourBitFramesPaintWithoutAPalette) {
    MascotSim m;
    m.Embed({"Name \"rgb\"\n SetHeight 117\n Palette 'b', 3\n Draw 3\n Wait 50\n Palette 'a', 0\n Wait 5000\n"});
    m.AddEditor();
    ASSERT_TRUE(m.Start());
    EXPECT_EQ(m.Frame()->CurrentPalette(), nullptr);
    m.RunUntil(100);
    ASSERT_TRUE(m.Wnd()->LastFrame().has_value());
    EXPECT_EQ(m.Wnd()->LastFrame()->Pixel(0, 0), 0x336699u);
    EXPECT_EQ(m.Wnd()->LastFrame()->Pixel(111, 159), 0x336699u);
    EXPECT_FALSE(m.Wnd()->LastPalette().has_value());
}

TEST(EffectsTest, EightBitFramesKeepThePaletteOfFrameZeroAndPaintIt) {
    MascotSim m;
    m.Embed({"Name \"pal\"\n SetHeight 117\n Draw 0\n Draw 1\n Wait 50\n Wait 5000\n"});
    m.AddEditor();
    ASSERT_TRUE(m.Start());
    ASSERT_NE(m.Frame()->CurrentPalette(), nullptr);
    EXPECT_EQ(m.Frame()->CurrentPalette()->entries.size(), 256u);
    m.RunUntil(100);
    const Surface& frame = *m.Wnd()->LastFrame();
    // Row 10 has colour 1 of the palette; the overlay at (48, 48) has colour 200.
    EXPECT_EQ(frame.Pixel(0, 10), 0x01FE00u);
    EXPECT_EQ(frame.Pixel(48, 48), Rgb(200, 55, 100));
    EXPECT_EQ(frame.Pixel(47, 48), Rgb(4, 251, 2));
    ASSERT_TRUE(m.Wnd()->LastPalette().has_value());
    EXPECT_EQ(m.Wnd()->LastPalette()->entries.size(), 256u);
}

TEST(EffectsTest, ShapeComesFromTheMaskSlot) {
    MascotSim m;
    m.Embed({"Name \"s\"\n MakeShape 'b', 2\n Let v9, v0\n MakeShape 'a', 2\n SetShape v9\n Wait 9000\n"});
    ASSERT_TRUE(m.Start());
    ASSERT_TRUE(m.Wnd()->Shape().has_value());
    EXPECT_EQ(m.Wnd()->Shape()->Rects(), (std::vector<Rect>{{0, 80, 112, 160}}));
    EXPECT_EQ(m.Frame()->Script().m_vars[0], 1);  // kind 'a' returned the next empty slot
    EXPECT_EQ(m.Frame()->Script().m_vars[9], 0);
}

TEST(EffectsTest, TextFontSettingsProfileAndLaunch) {
    MascotSim m;
    m.dir.Write("savedata.dat", "[Mascot-TEST]\nLuck=1234\n");
    m.Embed({"Name \"t\"\n Font 12, \"Gothic\"\n Text 10, 20, \"hi\"\n ReadSetting \"Luck\", v3, 7\n"
             " ReadSetting \"Missing\", v4, 7\n WriteProfile \"Luck\", 99\n ReadSetting \"Luck\", v5, 7\n"
             " Launch \"notepad.exe a.txt\"\n Wait 50\n Text 0, 0, \"x\"\n Wait 9000\n"});
    ASSERT_TRUE(m.Start());
    m.RunUntil(60);
    const auto fonts = m.Events(SimEvent::Kind::Font);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].a, 12);
    EXPECT_EQ(fonts[0].b, 700);
    EXPECT_EQ(fonts[0].text, "Gothic");
    const auto texts = m.Events(SimEvent::Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "hi");
    EXPECT_EQ(texts[0].a, 10);
    EXPECT_EQ(texts[0].b, 20);
    // Black on white in the back buffer, in the script's 12-pixel font (6-pixel cells).
    EXPECT_EQ(m.Frame()->BackBuffer()->Pixel(10, 20), 0xFFFFFFu);
    EXPECT_EQ(m.Frame()->Script().m_vars[3], 1234);
    EXPECT_EQ(m.Frame()->Script().m_vars[4], 7);
    EXPECT_EQ(m.Frame()->Script().m_vars[5], 1234);  // the profile is not the settings file
    EXPECT_EQ(m.sim->profile.Value("Tester", "Luck"), 99);
    EXPECT_EQ(m.sim->launcher.Launched(), (std::vector<std::string>{"notepad.exe a.txt"}));
}

}  // namespace
}  // namespace mascot
