#include <gtest/gtest.h>

#include "platform/posix/PosixFileSystem.h"
#include "platform/sim/SimAudio.h"
#include "platform/sim/SimClock.h"
#include "sound/SoundEffects.h"
#include "sound/SoundPlayer.h"
#include "support/SoundTestSupport.h"

namespace mascot {
namespace {

using test::Bytes;
using Kind = SimAudio::EventKind;

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (size_t i = 0; i < kSoundNames.size(); ++i) {
            m_waves.push_back(
                test::MakeWave(800 + 100 * static_cast<uint32_t>(i), 8000, static_cast<uint8_t>(i)));
            test::WriteBytes(m_dir, std::string(kSoundNames[i]),
                             test::Scramble(m_waves[i], static_cast<uint8_t>(40 + i)));
        }
    }

    std::vector<Kind> Kinds() const {
        std::vector<Kind> kinds;
        for (const SimAudio::Event& event : m_audio.Events())
            kinds.push_back(event.kind);
        return kinds;
    }

    test::TempDir m_dir;
    PosixFileSystem m_files;
    SimClock m_clock;
    SimAudio m_audio{m_clock, m_files};
    test::ProgramScope m_scope{m_dir.Dir(), 0};
    CSoundPlayer m_player{m_audio, ContentPorts{m_files, m_clock}};
    std::vector<Bytes> m_waves;
};

TEST_F(SoundPlayerTest, PlaySoundHandsThePlainRiffImageToTheOutput) {
    for (uint32_t index = 0; index < kSoundNames.size(); ++index) {
        SCOPED_TRACE(std::string(kSoundNames[index]));
        m_audio.ClearEvents();
        EXPECT_TRUE(PlaySound(&m_player, index));
        // Load stops (through Free), Play stops again, then the image goes out.
        ASSERT_EQ(Kinds(), (std::vector<Kind>{Kind::Stop, Kind::Stop, Kind::PlayMemory}));
        const SimAudio::Event& played = m_audio.Events().back();
        EXPECT_TRUE(played.accepted);
        EXPECT_FALSE(played.loop);
        EXPECT_EQ(played.image, m_waves[index]);
        EXPECT_TRUE(m_audio.IsPlaying());
    }
}

TEST_F(SoundPlayerTest, IndexPastTheTableOrNoPlayerDoesNothing) {
    PlaySound(&m_player, 1);
    m_audio.ClearEvents();
    for (uint32_t index : {5u, 6u, 0xFFFFu, 0xFFFFFFFFu})
        EXPECT_FALSE(PlaySound(&m_player, index));
    EXPECT_FALSE(PlaySound(nullptr, 0));
    EXPECT_TRUE(m_audio.Events().empty());
    EXPECT_TRUE(m_audio.IsPlaying()) << "the sound playing before is left alone";
    ASSERT_NE(m_player.Image(), nullptr);
    EXPECT_EQ(test::ToBytes(m_player.Image()->Bytes()), m_waves[1]);
}

TEST_F(SoundPlayerTest, WithSoundOffTheFileIsReadButNothingIsHeard) {
    PlaySound(&m_player, 0);
    g_soundMuted = 1;
    m_audio.ClearEvents();
    EXPECT_FALSE(PlaySound(&m_player, 2));
    ASSERT_NE(m_player.Image(), nullptr);
    EXPECT_EQ(test::ToBytes(m_player.Image()->Bytes()), m_waves[2]);
    // The load still stopped the sound before; Play hands nothing over.
    EXPECT_EQ(Kinds(), std::vector<Kind>{Kind::Stop});
    EXPECT_FALSE(m_audio.IsPlaying());
    EXPECT_FALSE(m_player.Play());
    g_soundMuted = 0;
    EXPECT_TRUE(m_player.Play());
    EXPECT_EQ(m_audio.Events().back().image, m_waves[2]);
}

TEST_F(SoundPlayerTest, LoadingANewSoundStopsTheOldAtOnce) {
    ASSERT_TRUE(m_player.Load("sa0014_.wav"));
    ASSERT_TRUE(m_player.Play());
    ASSERT_TRUE(m_audio.IsPlaying());
    ASSERT_TRUE(m_player.Load("sa0015_.wav"));
    EXPECT_FALSE(m_audio.IsPlaying());
    EXPECT_EQ(Kinds().back(), Kind::Stop);
    ASSERT_TRUE(m_player.Play());
    EXPECT_EQ(m_audio.Playing()->image, m_waves[1]);
}

TEST_F(SoundPlayerTest, AFailedLoadAfterAGoodOneStopsAndPlaysNothing) {
    EXPECT_FALSE(m_player.Play()) << "nothing loaded yet";
    EXPECT_TRUE(m_audio.Events().empty()) << "and nothing stopped either";

    ASSERT_TRUE(m_player.Load("sa0014_.wav"));
    ASSERT_TRUE(m_player.Play());
    test::WriteBytes(m_dir, "empty.wav", {});
    for (const char* name : {"missing.wav", "empty.wav"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(m_player.Load(name));
        EXPECT_EQ(m_player.Image(), nullptr);
        EXPECT_TRUE(m_player.IsLoaded()) << "a failed load does not clear the flag";
        m_audio.ClearEvents();
        EXPECT_FALSE(m_player.Play());
        EXPECT_EQ(Kinds(), std::vector<Kind>{Kind::Stop});
        EXPECT_FALSE(m_audio.IsPlaying());
    }
}

TEST_F(SoundPlayerTest, LoopAndAlternativeOutput) {
    m_player.SetLoop(true);
    ASSERT_TRUE(m_player.Load("sa0016_.wav"));
    ASSERT_TRUE(m_player.Play());
    EXPECT_TRUE(m_audio.Events().back().loop);
    m_clock.Advance(3'600'000);
    EXPECT_TRUE(m_audio.IsPlaying()) << "a looping sound plays until stopped";
    m_player.Stop();
    EXPECT_FALSE(m_audio.IsPlaying());

    m_player.SetAltOutput(true);
    m_audio.ClearEvents();
    EXPECT_TRUE(m_player.Play());
    EXPECT_EQ(Kinds(), std::vector<Kind>{Kind::Stop});
    // Free (and so every Load) switches the alternative output off again.
    ASSERT_TRUE(m_player.Load("sa0016_.wav"));
    ASSERT_TRUE(m_player.Play());
    EXPECT_EQ(Kinds().back(), Kind::PlayMemory);
}

TEST_F(SoundPlayerTest, TwoByteScrambledFileLoadsButTheOutputRefusesIt) {
    test::WriteBytes(m_dir, "tiny.wav", {1, 9});
    ASSERT_TRUE(m_player.Load("tiny.wav"));
    EXPECT_FALSE(m_player.Play());
    ASSERT_EQ(Kinds().back(), Kind::PlayMemory);
    EXPECT_TRUE(m_audio.Events().back().image.empty());
    EXPECT_FALSE(m_audio.Events().back().accepted);
}

TEST_F(SoundPlayerTest, PlayFilePlaysWhenMutedButNeverOverAPlayingSound) {
    const std::string file = m_dir.File("file.wav");
    test::WriteBytes(m_dir, "file.wav", test::MakeWave(80, 8000));  // 10 ms
    g_soundMuted = 1;
    EXPECT_TRUE(PlayFile(m_audio, file));
    EXPECT_EQ(m_audio.Playing()->name, file);
    m_clock.Advance(10);
    g_soundMuted = 0;

    PlaySound(&m_player, 0);  // 800 sample bytes at 8000 a second: 100 ms
    m_clock.Advance(99);
    EXPECT_FALSE(PlayFile(m_audio, file));
    EXPECT_FALSE(m_audio.Events().back().accepted);
    EXPECT_EQ(m_audio.Playing()->image, m_waves[0]) << "the wave keeps playing";
    m_clock.Advance(1);
    EXPECT_TRUE(PlayFile(m_audio, file));

    // The player's stop ends a sound played by name too.
    m_player.Stop();
    EXPECT_FALSE(m_audio.IsPlaying());
    EXPECT_FALSE(PlayFile(m_audio, m_dir.File("nothing.wav"))) << "no default sound";
    // The name goes to the output unchanged, not joined to the program directory.
    EXPECT_FALSE(PlayFile(m_audio, "file.wav"));
    EXPECT_EQ(m_audio.Events().back().name, "file.wav");
}

// An output that reads the image it plays until it is stopped, as a real asynchronous output
// does: under the address sanitizer, freeing the image before stopping it fails here.
class ReadingAudio final : public Audio {
public:
    bool PlayMemory(std::span<const uint8_t> image, bool) override {
        m_playing = image;
        m_copy.assign(image.begin(), image.end());
        return true;
    }
    bool PlayFileNoStop(const std::string&) override { return false; }
    void Stop() override {
        EXPECT_EQ(Bytes(m_playing.begin(), m_playing.end()), m_copy) << "the image changed while it played";
        m_playing = {};
        m_copy.clear();
        ++m_stops;
    }

    std::span<const uint8_t> m_playing;
    Bytes m_copy;
    int m_stops = 0;
};

TEST_F(SoundPlayerTest, TheImageIsStoppedBeforeItIsFreed) {
    ReadingAudio audio;
    {
        CSoundPlayer player(audio, ContentPorts{m_files, m_clock});
        ASSERT_TRUE(player.Load("sa0014_.wav"));
        ASSERT_TRUE(player.Play());
        ASSERT_TRUE(player.Load("sa0015_.wav"));
        ASSERT_TRUE(player.Play());
        EXPECT_FALSE(player.Load("missing.wav"));
        ASSERT_TRUE(player.Load("sa0016_.wav"));
        ASSERT_TRUE(player.Play());
        player.Free();
        ASSERT_TRUE(player.Load("sa0017_.wav"));
        ASSERT_TRUE(player.Play());
        audio.m_stops = 0;
    }
    EXPECT_EQ(audio.m_stops, 1) << "the destructor stops the sound";
    EXPECT_TRUE(audio.m_playing.empty());
}

}  // namespace
}  // namespace mascot
