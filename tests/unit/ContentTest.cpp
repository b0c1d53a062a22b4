#include <gtest/gtest.h>

#include "app/Random.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/sim/SimClock.h"
#include "sound/Content.h"
#include "support/SoundTestSupport.h"

namespace mascot {
namespace {

using test::Bytes;

// The keystream's first bytes, worked out by hand from state * 214013 + 2531011, bits 16 to 23.
TEST(ContentTest, KeystreamMatchesItsDefinitionAndUndoesItself) {
    Bytes zeros(6, 0);
    ApplyKeystream(zeros, 0);
    EXPECT_EQ(zeros, (Bytes{0x26, 0x27, 0xF6, 0x85, 0x97, 0x15}));

    Bytes other(4, 0);
    ApplyKeystream(other, 0x5A);
    EXPECT_EQ(other, (Bytes{0x4C, 0xE4, 0x55, 0x47}));

    const Bytes plain = test::MakeWave(300);
    Bytes twice = plain;
    ApplyKeystream(twice, 0xC3);
    EXPECT_NE(twice, plain);
    ApplyKeystream(twice, 0xC3);
    EXPECT_EQ(twice, plain);
}

TEST(ContentTest, FirstByteDecidesTheForm) {
    struct Case {
        const char* what;
        Bytes file;
        bool scrambled;
        Bytes handedOut;
    };
    const Case cases[] = {
        {"plain", {'R', 'I', 'F', 'F'}, false, {'R', 'I', 'F', 'F'}},
        {"plain starting with 0", {0, 1, 2}, false, {0, 1, 2}},
        {"plain starting with 2", {2, 0, 0}, false, {2, 0, 0}},
        {"marker alone: no seed, nothing handed out", {1}, true, {}},
        {"marker and seed only", {1, 77}, true, {}},
        {"scrambled zeros, seed 0", {1, 0, 0, 0, 0}, true, {0x26, 0x27, 0xF6}},
        {"scrambled with seed 0x5A", {1, 0x5A, 0x4C ^ 'a', 0xE4 ^ 'b'}, true, {'a', 'b'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Content content(c.file);
        EXPECT_EQ(content.Scrambled(), c.scrambled);
        EXPECT_EQ(test::ToBytes(content.Bytes()), c.handedOut);
        // Everything read stays in the buffer, marker and seed untouched.
        ASSERT_EQ(content.Buffer().size(), c.file.size());
        for (size_t i = 0; i < c.file.size() && i < 2; ++i)
            EXPECT_EQ(content.Buffer()[i], c.file[i]);
        if (c.scrambled && c.file.size() > 2) {
            EXPECT_EQ(content.Bytes().data(), content.Buffer().data() + 2);
        }
    }
}

class LoadContentTest : public ::testing::Test {
protected:
    static constexpr uint32_t kTick = 0x00C0FFEE;

    void SetUp() override { m_clock.SetTickBase(kTick); }

    test::TempDir m_dir;
    PosixFileSystem m_files;
    SimClock m_clock;
    ContentPorts m_ports{m_files, m_clock};
    test::ProgramScope m_scope{m_dir.Dir(), 0};
};

// Whether the generator was reseeded with the tick count since it was seeded with 1.
bool ReseededWith(uint32_t tick) {
    const int next = Rand();
    Srand(tick);
    return next == Rand();
}

TEST_F(LoadContentTest, LoosePlainAndScrambledFiles) {
    const Bytes wave = test::MakeWave(64);
    const Bytes plainStartingWith1 = {1, 9, 'a', 'b', 'c'};
    Bytes expectedFromPlain1 = {'a', 'b', 'c'};
    ApplyKeystream(expectedFromPlain1, 9);
    struct Case {
        const char* what;
        std::optional<Bytes> file;  // nothing: no such file
        bool loads;
        Bytes handedOut;
        bool reseeds;
    };
    const Case cases[] = {
        {"plain wave, handed whole", wave, true, wave, false},
        {"scrambled wave, handed from its RIFF header", test::Scramble(wave, 0xA7), true, wave, true},
        {"plain file starting with 1 is taken as scrambled", plainStartingWith1, true, expectedFromPlain1,
         true},
        {"two-byte scrambled file: nothing to descramble, still reseeds", Bytes{1, 200}, true, {}, true},
        {"one byte 1: no seed byte, still reseeds", Bytes{1}, true, {}, true},
        {"empty file yields nothing", Bytes{}, false, {}, false},
        {"missing file yields nothing", std::nullopt, false, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(m_dir.File("c.wav"));
        if (c.file)
            test::WriteBytes(m_dir, "c.wav", *c.file);
        Srand(1);
        const auto content = LoadContent(m_ports, "c.wav");
        ASSERT_EQ(content != nullptr, c.loads);
        if (content) {
            EXPECT_EQ(test::ToBytes(content->Bytes()), c.handedOut);
            EXPECT_EQ(test::ToBytes(content->Buffer()).size(), c.file->size());
        }
        EXPECT_EQ(ReseededWith(kTick), c.reseeds);
    }
}

TEST_F(LoadContentTest, ReadsOnlyFromTheProgramDirectory) {
    test::WriteBytes(m_dir, "s.wav", test::MakeWave(8));
    EXPECT_NE(LoadContent(m_ports, "s.wav"), nullptr);
    // Any mode but 2 reads loose files.
    g_archiveMode = 7;
    EXPECT_NE(LoadContent(m_ports, "s.wav"), nullptr);
    g_archiveMode = 0;
    // Without a program directory nothing is looked for, not even in the current directory.
    g_programDir.reset();
    EXPECT_EQ(LoadContent(m_ports, "s.wav"), nullptr);
    EXPECT_EQ(LoadContent(m_ports, m_dir.File("s.wav")), nullptr);
    // A folder of that name is no content file.
    g_programDir = m_dir.Dir();
    std::filesystem::create_directory(m_dir.File("d.wav"));
    EXPECT_EQ(LoadContent(m_ports, "d.wav"), nullptr);
}

}  // namespace
}  // namespace mascot
