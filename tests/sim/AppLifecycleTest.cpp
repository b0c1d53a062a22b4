#include <gtest/gtest.h>

#include "app/ProfileText.h"
#include "support/MascotSim.h"

namespace mascot {
namespace {

using test::MascotSim;

TEST(AppLifecycleTest, WithoutASettingsFileTheRunStartsFromDefaultsAndSavesFiveKeys) {
    MascotSim m;
    m.Embed({test::kIdlePattern});
    ASSERT_TRUE(m.Start());
    EXPECT_EQ(m.app->m_bAutoAnimation, 1);
    EXPECT_EQ(m.app->m_bTopMost, 0);
    EXPECT_EQ(m.app->m_bUseSound, 0);
    EXPECT_EQ(g_soundMuted, 1);
    EXPECT_EQ(m.app->m_nFixed, 0);
    EXPECT_EQ(m.app->m_nSavedPosition, 90);
    EXPECT_EQ(m.app->m_nSavedPattern, 0);
    EXPECT_EQ(m.app->m_strTitle, "Tester");
    EXPECT_EQ(*g_programDir, m.dir.Dir());
    EXPECT_FALSE(m.dir.Exists("savedata.dat"));
    m.Finish();
    // The window handed back its own position and pattern (the table's defaults, 90 and 1).
    EXPECT_EQ(m.SettingsFile(), "[Mascot-TEST]\r\nTopMost=0\r\nPosition=90\r\nPattern=1\r\nFixed=0\r\nUseSound=0\r\n");
}

TEST(AppLifecycleTest, SettingsFromTheFileAreReadAndUseSoundLiftsTheMute) {
    MascotSim m;
    m.dir.Write("savedata.dat",
                "[Mascot-TEST]\nAutoAnimation=0\nTopMost=1\nUseSound=1\nPosition=250\nPattern=-4\nFixed=2\n");
    m.Embed({test::kIdlePattern});
    ASSERT_TRUE(m.Start());
    EXPECT_EQ(m.app->m_bAutoAnimation, 0);
    EXPECT_EQ(m.app->m_bTopMost, 1);
    EXPECT_EQ(g_soundMuted, 0);
    EXPECT_EQ(m.app->m_nFixed, 2);
    // The window clamps its own copies.
    EXPECT_EQ(m.Frame()->m_nPosition, 100);
    EXPECT_EQ(m.Frame()->Script().m_patternChoice, 0);
    m.Finish();
    const std::string file = m.SettingsFile();
    EXPECT_EQ(ProfileLookup(file, "Mascot-TEST", "Position"), "100");
    EXPECT_EQ(ProfileLookup(file, "Mascot-TEST", "Pattern"), "0");
    // AutoAnimation is never written: the hand-written 0 stays, as it was.
    EXPECT_EQ(ProfileLookup(file, "Mascot-TEST", "AutoAnimation"), "0");
}

TEST(AppLifecycleTest, AutoAnimationSwitchedOffDuringARunIsOnAgainNextTime) {
    MascotSim first;
    first.Embed({test::kIdlePattern});
    ASSERT_TRUE(first.Start());
    first.app->m_bAutoAnimation = 0;
    first.Finish();

    MascotSim second;
    second.dir.Write("savedata.dat", first.SettingsFile());
    second.Embed({test::kIdlePattern});
    ASSERT_TRUE(second.Start());
    EXPECT_EQ(second.app->m_bAutoAnimation, 1);
}

TEST(AppLifecycleTest, TwoBuildsInOneDirectoryKeepToTheirSections) {
    MascotSim m;
    m.Embed({test::kIdlePattern});
    m.dir.Write("savedata.dat", "[Mascot-OTHER]\nPosition=12\n");
    ASSERT_TRUE(m.Start());
    m.Finish();
    const std::string file = m.SettingsFile();
    EXPECT_EQ(ProfileLookup(file, "Mascot-OTHER", "Position"), "12");
    EXPECT_EQ(ProfileLookup(file, "Mascot-OTHER", "TopMost"), std::nullopt);
    EXPECT_EQ(ProfileLookup(file, "Mascot-TEST", "Position"), "90");
}

TEST(AppLifecycleTest, WhenTheWindowCannotBeCreatedTheStartUpSettingsAreStillWritten) {
    struct Case {
        const char* name;
        std::vector<uint8_t> resource;
    };
    const Case cases[] = {
        {"no resource", {}},
        {"a resource shorter than a header", {'K', 'Q', 0x2E, 0x01}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MascotSim m;
        if (!c.resource.empty())
            m.EmbedBytes(c.resource);
        m.app = std::make_unique<CMascotApp>(m.sim->ports, m.config);
        EXPECT_EQ(m.app->Run(), 0);
        EXPECT_EQ(m.app->MainWindow(), nullptr);
        EXPECT_TRUE(m.sim->desktop.ZOrder().empty());
        EXPECT_TRUE(m.sim->ui.MessageBoxes().empty());
        EXPECT_EQ(m.SettingsFile(),
                  "[Mascot-TEST]\r\nTopMost=0\r\nPosition=90\r\nPattern=0\r\nFixed=0\r\nUseSound=0\r\n");
    }
}

TEST(AppLifecycleTest, ExitInstanceTwiceWritesTwiceAndFreesOnce) {
    MascotSim m;
    m.Embed({test::kIdlePattern});
    ASSERT_TRUE(m.Start());
    m.app->ExitInstance();
    EXPECT_FALSE(g_programDir.has_value());
    EXPECT_NE(m.SettingsFile().find("Position=90"), std::string::npos);
    // What the close hands over in between is written the second time.
    m.Frame()->m_nPosition = 33;
    m.Frame()->OnClose();
    m.app->ExitInstance();
    EXPECT_FALSE(g_programDir.has_value());
    EXPECT_NE(m.SettingsFile().find("Position=33"), std::string::npos);
}

TEST(AppLifecycleTest, TheEndOfTheSessionSavesAndCloses) {
    MascotSim m;
    m.Embed({test::kIdlePattern});
    m.AddEditor();
    ASSERT_TRUE(m.Start());
    m.RunUntil(300);
    m.Frame()->m_nPosition = 40;
    m.Desktop().EndSession();
    // The end notice ran the exit processing at once, with the values the window had then.
    EXPECT_NE(m.SettingsFile().find("Position=90"), std::string::npos);
    m.RunUntil(310);
    EXPECT_TRUE(m.Desktop().MainWindowDestroyed());
    EXPECT_EQ(m.app->m_nSavedPosition, 40);
    m.app->DeleteMainWindow();
    m.app->ExitInstance();
    EXPECT_NE(m.SettingsFile().find("Position=40"), std::string::npos);
}

TEST(AppLifecycleTest, TheExitCommandClosesThroughTheApplicationAndSaves) {
    MascotSim m;
    m.Embed({test::kIdlePattern});
    m.AddEditor();
    ASSERT_TRUE(m.Start());
    m.RunUntil(200);
    m.Frame()->m_nPosition = 64;
    m.Desktop().PostCommand(m.Id(), ID_APP_EXIT);
    m.RunUntil(210);
    EXPECT_TRUE(m.Desktop().MainWindowDestroyed());
    m.app->DeleteMainWindow();
    m.app->ExitInstance();
    EXPECT_NE(m.SettingsFile().find("Position=64"), std::string::npos);
}

}  // namespace
}  // namespace mascot
