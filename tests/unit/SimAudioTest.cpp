#include <gtest/gtest.h>

#include "platform/posix/PosixFileSystem.h"
#include "platform/sim/SimAudio.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimResources.h"
#include "support/SoundTestSupport.h"

namespace mascot {
namespace {

using test::Bytes;

// A wave with an odd-sized chunk before "fmt " (padded to even) and "data" last.
Bytes WaveWithExtraChunk() {
    Bytes wave;
    test::AppendTag(wave, "RIFF");
    test::AppendU32(wave, 0);  // the RIFF size is not trusted anyway
    test::AppendTag(wave, "WAVE");
    test::AppendTag(wave, "LIST");
    test::AppendU32(wave, 3);
    wave.insert(wave.end(), {'a', 'b', 'c', 0});
    const Bytes plain = test::MakeWave(250, 1000);
    wave.insert(wave.end(), plain.begin() + 12, plain.end());
    return wave;
}

TEST(SimAudioTest, DurationComesFromTheWaveHeader) {
    Bytes noData = test::MakeWave(0);
    noData.resize(noData.size() - 8);
    Bytes zeroRate = test::MakeWave(100);
    zeroRate[28] = zeroRate[29] = zeroRate[30] = zeroRate[31] = 0;  // the byte rate
    Bytes truncated = test::MakeWave(8000, 8000);
    truncated.resize(truncated.size() - 4000);
    Bytes headerOnly = test::MakeWave(0);
    headerOnly.resize(20);
    Bytes notWave = test::MakeWave(100);
    notWave[8] = 'X';
    struct Case {
        const char* what;
        Bytes image;
        std::optional<uint64_t> ms;
    };
    const Case cases[] = {
        {"one second", test::MakeWave(8000, 8000), 1000},
        {"rounded up", test::MakeWave(1, 8000), 1},
        {"no samples", test::MakeWave(0), 0},
        {"cut short: only the samples present", truncated, 500},
        {"padded chunk before fmt", WaveWithExtraChunk(), 250},
        {"no data chunk", noData, std::nullopt},
        {"byte rate 0", zeroRate, std::nullopt},
        {"not WAVE", notWave, std::nullopt},
        {"header only", headerOnly, std::nullopt},
        {"empty", {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Bytes exact = c.image;
        EXPECT_EQ(SimAudio::WaveDurationMs(exact), c.ms);
    }
}

class SimAudioPlayTest : public ::testing::Test {
protected:
    PosixFileSystem m_files;
    SimClock m_clock;
    SimAudio m_audio{m_clock, m_files};
};

TEST_F(SimAudioPlayTest, ASoundPlaysForItsDurationUntilStoppedOrReplaced) {
    Bytes wave = test::MakeWave(800, 8000);  // 100 ms
    ASSERT_TRUE(m_audio.PlayMemory(wave, false));
    wave[44] ^= 0xFF;  // the output keeps its own copy of what it was given
    EXPECT_EQ(m_audio.Events().back().image, test::MakeWave(800, 8000));
    m_clock.Advance(99);
    EXPECT_TRUE(m_audio.IsPlaying());
    m_clock.Advance(1);
    EXPECT_FALSE(m_audio.IsPlaying());
    EXPECT_EQ(m_audio.Playing(), nullptr);

    m_audio.SetDuration(5000);
    ASSERT_TRUE(m_audio.PlayMemory(wave, false));
    m_clock.Advance(4999);
    EXPECT_TRUE(m_audio.IsPlaying());
    // A refused image still stops what played before it.
    EXPECT_FALSE(m_audio.PlayMemory(Bytes{'n', 'o'}, false));
    EXPECT_FALSE(m_audio.IsPlaying());

    ASSERT_TRUE(m_audio.PlayMemory(wave, true));
    m_clock.Advance(1'000'000);
    EXPECT_TRUE(m_audio.IsPlaying());
    m_audio.Stop();
    EXPECT_FALSE(m_audio.IsPlaying());
    EXPECT_EQ(m_audio.Plays().size(), 3u);
    EXPECT_EQ(m_audio.Events().size(), 5u);
}

TEST(SimResourcesTest, FindsBlobsByTypeAndIdAndKeepsThemFixed) {
    SimResources resources;
    EXPECT_TRUE(resources.Add("ARCHIVEX", 137, {1, 2, 3}));
    EXPECT_TRUE(resources.Add("ARCHIVEX", 138, {}));
    EXPECT_FALSE(resources.Add("ARCHIVEX", 137, {9}));
    const auto index = resources.Find("ARCHIVEX", 137);
    ASSERT_TRUE(index);
    EXPECT_EQ(test::ToBytes(*index), (Bytes{1, 2, 3}));
    ASSERT_TRUE(resources.Find("ARCHIVEX", 138));
    EXPECT_TRUE(resources.Find("ARCHIVEX", 138)->empty());
    EXPECT_FALSE(resources.Find("ARCHIVEX", 139));
    EXPECT_FALSE(resources.Find("archivex", 137));
    EXPECT_FALSE(resources.Find("KQ32", 137));
}

}  // namespace
}  // namespace mascot
