#include <gtest/gtest.h>

#include "res/DialogTemplates.h"
#include "support/MascotSim.h"

namespace mascot {
namespace {

using test::MascotSim;

constexpr std::string_view kPattern =
    "Name \"a\"\n MakeShape 'b', 2\n SetShape v0\n SetHeight 117\nloop:\n Add v30, 1\n Wait 1000\n Goto loop\n";

void Start(MascotSim& m, const std::string& settings = "") {
    m.dir.Write("savedata.dat", "[Mascot-TEST]\n" + settings + "Pattern=1\n");
    m.Embed({kPattern, kPattern, kPattern});
    m.AddEditor();
    ASSERT_TRUE(m.Start());
    m.RunUntil(100);
}

TEST(SettingsCommandTest, OkAppliesTheValuesRestartsThePatternAndPlaces) {
    MascotSim m;
    Start(m, "UseSound=1\n");
    ASSERT_EQ(g_soundMuted, 0);
    m.RunUntil(550);
    const int32_t pcBefore = m.Frame()->Script().m_pc;
    ASSERT_NE(pcBefore, 0);
    bool hiddenDuring = false;
    bool trackingDuring = true;
    m.sim->ui.ScriptDialog({DialogAction::Wait(20), DialogAction::Type(kIdcPositionEdit, "250"),
                            DialogAction::Click(kIdcFollowTaskbar), DialogAction::Click(kIdcFront),
                            DialogAction::Click(kIdOk)});
    m.Desktop().ScheduleAt(560, [&] {
        hiddenDuring = !m.Wnd()->IsVisible();
        trackingDuring = m.Frame()->m_bTracking;
    });
    m.Desktop().AddTaskbar({0, 760, 1280, 800});
    m.Desktop().PostCommand(m.Id(), ID_SETTINGS);
    m.RunUntil(600);
    EXPECT_TRUE(hiddenDuring);
    EXPECT_FALSE(trackingDuring);
    EXPECT_EQ(m.Frame()->m_nPosition, 100);  // clamped when applied
    EXPECT_EQ(m.app->m_nFixed, 1);
    EXPECT_EQ(m.app->m_bTopMost, 1);
    EXPECT_EQ(m.app->m_bUseSound, 1);  // the hidden box kept its value
    EXPECT_EQ(g_soundMuted, 0);
    EXPECT_EQ(m.app->m_bAutoAnimation, 1);
    EXPECT_TRUE(m.Frame()->m_bTracking);
    // Restarted from its beginning 10 ms after OK, and placed on the taskbar at once.
    EXPECT_EQ(m.Frame()->Script().m_patternChoice, 1);
    EXPECT_TRUE(m.Wnd()->IsVisible());
    EXPECT_EQ(m.Wnd()->ScreenRect().left, 1280 - 112);
    EXPECT_EQ(m.Wnd()->ScreenRect().top, 760 - 117);
    const auto armed = m.Events(SimEvent::Kind::SetTimer);
    EXPECT_TRUE(std::any_of(armed.begin(), armed.end(),
                            [](const SimEvent& e) { return e.a == kTimerScript && e.b == 10 && e.time == 570; }));
}

TEST(SettingsCommandTest, OkWithTheSoundBoxClearMutesAndTheRandomChoiceDrawsAgain) {
    MascotSim m;
    Start(m, "Pattern=0\n");
    ASSERT_EQ(m.Frame()->Script().m_patternChoice, 0);
    std::vector<int32_t> drawn;
    for (int i = 0; i < 12; ++i) {
        m.sim->ui.ScriptDialog({DialogAction::Click(kIdOk)});
        m.Desktop().PostCommand(m.Id(), ID_SETTINGS);
        m.Desktop().RunFor(20);
        drawn.push_back(m.Frame()->Script().m_patternIndex);
    }
    EXPECT_EQ(g_soundMuted, 1);
    EXPECT_EQ(m.Frame()->Script().m_patternChoice, 0);
    // A new random pattern each time: over twelve draws among three, more than one comes up.
    std::sort(drawn.begin(), drawn.end());
    EXPECT_GT(std::unique(drawn.begin(), drawn.end()) - drawn.begin(), 1);
}

TEST(SettingsCommandTest, CancelChangesNothingButStillRaisesAndPlaces) {
    MascotSim m;
    Start(m, "Position=40\n");
    // Below the dialog: the hidden mascot, then the editor, then another window.
    const WindowId editor = m.Desktop().ForegroundWindow();
    m.Desktop().AddWindow({0, 0, 50, 50}, "Below", "X");
    m.Desktop().SetForeground(editor);
    m.RunUntil(1500);
    const int32_t pc = m.Frame()->Script().m_pc;
    m.sim->ui.ScriptDialog({DialogAction::Type(kIdcPositionEdit, "10"), DialogAction::Click(kIdcFollowTaskbar),
                            DialogAction::Click(kIdCancel)});
    m.Desktop().PostCommand(m.Id(), ID_SETTINGS);
    m.RunUntil(1510);
    EXPECT_EQ(m.Frame()->m_nPosition, 40);
    EXPECT_EQ(m.app->m_nFixed, 0);
    EXPECT_EQ(m.Frame()->Script().m_pc, pc);  // not restarted
    EXPECT_TRUE(m.Wnd()->IsVisible());        // the pass after the dialog showed it again
    const auto raised = m.Events(SimEvent::Kind::BringToTop);
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_EQ(raised[0].window, editor);
}

TEST(AboutCommandTest, ShowsTheAboutTextAndLeavesTheMascotToTheNextTick) {
    MascotSim m;
    Start(m);
    m.sim->ui.ScriptDialog({DialogAction::Wait(250), DialogAction::Escape()});
    m.Desktop().PostCommand(m.Id(), ID_APP_ABOUT);
    m.RunUntil(101);
    // Right after the dialog: hidden, no pass made yet, tracking back on.
    EXPECT_FALSE(m.Wnd()->IsVisible());
    EXPECT_TRUE(m.Frame()->m_bTracking);
    ASSERT_EQ(m.sim->ui.Dialogs().size(), 1u);
    EXPECT_EQ(m.sim->ui.Dialogs()[0].texts.at(kIdcAboutText), "A test character");
    EXPECT_TRUE(m.Events(SimEvent::Kind::BringToTop).empty());  // Esc raises nothing
    m.RunUntil(500);
    EXPECT_TRUE(m.Wnd()->IsVisible());
}

}  // namespace
}  // namespace mascot
