#include <gtest/gtest.h>

#include "support/MascotSim.h"
#include "support/SoundTestSupport.h"

namespace mascot {
namespace {

using test::MascotSim;

// A character that plays numbered sound 2 and a wave file by name on its first run.
constexpr std::string_view kNoisy =
    "Name \"noisy\"\n SetHeight 117\n PlaySound 2\n Wait 5000\n PlayFile \"chime.wav\"\n Wait 9000\n";

TEST(SoundTest, AScrambledWaveBesideTheProgramReachesTheOutputAsItsPlainImage) {
    const test::Bytes wave = test::MakeWave(800);
    struct Case {
        int useSound;
        bool heard;
    };
    for (const Case c : {Case{1, true}, Case{0, false}}) {
        SCOPED_TRACE(c.useSound);
        MascotSim m;
        test::WriteBytes(m.dir, "sa0016_.wav", test::Scramble(wave, 77));
        m.dir.Write("savedata.dat", "[Mascot-TEST]\nUseSound=" + std::to_string(c.useSound) + "\n");
        m.Embed({kNoisy});
        ASSERT_TRUE(m.Start());
        const auto plays = m.sim->audio.Plays();
        if (c.heard) {
            ASSERT_EQ(plays.size(), 1u);
            EXPECT_EQ(plays[0].kind, SimAudio::EventKind::PlayMemory);
            EXPECT_EQ(plays[0].image, wave);
        } else {
            EXPECT_TRUE(plays.empty());
        }
    }
}

TEST(SoundTest, PlayFilePlaysWhileMutedButNotOverAPlayingSound) {
    struct Case {
        int useSound;
        bool namedHeard;
    };
    for (const Case c : {Case{0, true}, Case{1, false}}) {
        SCOPED_TRACE(c.useSound);
        MascotSim m;
        test::WriteBytes(m.dir, "sa0016_.wav", test::MakeWave(8000 * 10));  // ten seconds long
        test::WriteBytes(m.dir, "chime.wav", test::MakeWave(800));
        m.dir.Write("savedata.dat", "[Mascot-TEST]\nUseSound=" + std::to_string(c.useSound) + "\n");
        const std::string pattern = "Name \"noisy\"\n PlaySound 2\n Wait 5000\n PlayFile \"" + m.dir.File("chime.wav") +
                                    "\"\n Wait 9000\n";
        m.Embed({pattern});
        ASSERT_TRUE(m.Start());
        m.RunUntil(6000);
        const auto& events = m.sim->audio.Events();
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events.back().kind, SimAudio::EventKind::PlayFile);
        EXPECT_EQ(events.back().name, m.dir.File("chime.wav"));
        // Muted, the numbered sound was never heard, so the named one plays; with sound on,
        // the numbered sound still plays at 5000 ms and the named one is not heard.
        EXPECT_EQ(events.back().accepted, c.namedHeard);
    }
}

}  // namespace
}  // namespace mascot
