#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/posix/PosixFileSystem.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimResources.h"
#include "sound/Archive.h"
#include "sound/Content.h"
#include "support/SoundTestSupport.h"
#include "tools/common/ArchiveFiles.h"

namespace mascot {
namespace {

using test::Bytes;

struct ToolRun {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs kqtool with `args` (already quoted as the shell needs) in `dir`.
ToolRun Kqtool(const test::TempDir& dir, const std::string& args) {
    const std::string command = "cd '" + dir.Dir() + "' && '" MASCOT_KQTOOL_PATH "' " + args + " >'" +
                                dir.File("stdout.txt") + "' 2>'" + dir.File("stderr.txt") + "'";
    const int status = std::system(command.c_str());
    ToolRun run;
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const Bytes out = test::ReadBytes(dir, "stdout.txt");
    const Bytes err = test::ReadBytes(dir, "stderr.txt");
    run.out.assign(out.begin(), out.end());
    run.err.assign(err.begin(), err.end());
    return run;
}

class KqtoolArchiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(m_dir.File("content/sub"));
        for (const auto& [name, bytes] : m_files)
            test::WriteBytes(m_dir, "content/" + name, bytes);
    }

    std::optional<Bytes> LoadFrom(const std::string& programDir, int mode, Resources* resources) {
        test::ProgramScope scope(programDir, mode, resources);
        PosixFileSystem files;
        SimClock clock;
        EXPECT_TRUE(LoadArchiveIndex(mode, files));
        const auto content = LoadContent(ContentPorts{files, clock}, "sa0016_.wav");
        return content ? std::optional<Bytes>(test::ToBytes(content->Bytes())) : std::nullopt;
    }

    const Bytes m_wave = test::MakeWave(120);
    test::TempDir m_dir;
    const std::vector<std::pair<std::string, Bytes>> m_files = {
        {"sa0016_.wav", test::Scramble(m_wave, 0x99)},
        {"Sa0016_.wav", test::MakeWave(10)},
        {"empty", {}},
        {"notes.txt", {'h', 'i'}},
    };
};

TEST_F(KqtoolArchiveTest, BuildListExtractRoundTrip) {
    const ToolRun build = Kqtool(m_dir, "archive build content -o out/archive");
    ASSERT_NE(build.code, 0) << "the output folder does not exist yet";
    std::filesystem::create_directory(m_dir.File("out"));
    const ToolRun built = Kqtool(m_dir, "archive build content -o out/archive");
    ASSERT_EQ(built.code, 0) << built.err;
    EXPECT_NE(built.err.find("skipping 'sub'"), std::string::npos) << built.err;

    const ToolRun list = Kqtool(m_dir, "archive list out/archive.idx");
    ASSERT_EQ(list.code, 0) << list.err;
    for (const auto& [name, bytes] : m_files)
        EXPECT_NE(list.out.find("  " + name + "\n"), std::string::npos) << name << " in\n" << list.out;

    const ToolRun all = Kqtool(m_dir, "archive extract out/archive.idx -o all");
    ASSERT_EQ(all.code, 0) << all.err;
    for (const auto& [name, bytes] : m_files)
        EXPECT_EQ(test::ReadBytes(m_dir, "all/" + name), bytes) << name;
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("all/sub")));

    const ToolRun some = Kqtool(m_dir, "archive extract out/archive.idx -o some Sa0016_.wav nothere.wav");
    EXPECT_EQ(some.code, 2);
    EXPECT_NE(some.err.find("'nothere.wav' is not in the archive"), std::string::npos) << some.err;
    EXPECT_EQ(test::ReadBytes(m_dir, "some/Sa0016_.wav"), test::MakeWave(10));
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("some/sa0016_.wav")));
}

TEST_F(KqtoolArchiveTest, BuiltArchiveServesTheProgramInBothModes) {
    ASSERT_EQ(Kqtool(m_dir, "archive build content -o archive").code, 0);
    std::filesystem::create_directory(m_dir.File("empty-dir"));
    // Mode 1: the files beside the program; mode 2: the same bytes as resources.
    EXPECT_EQ(LoadFrom(m_dir.Dir(), 1, nullptr), m_wave);
    SimResources resources;
    resources.Add("ARCHIVEX", kArchiveIndexResource, test::ReadBytes(m_dir, "archive.idx"));
    resources.Add("ARCHIVEX", kArchiveDataResource, test::ReadBytes(m_dir, "archive.dat"));
    EXPECT_EQ(LoadFrom(m_dir.File("empty-dir/"), 2, &resources), m_wave);
}

TEST_F(KqtoolArchiveTest, RefusesBrokenInputsWithTheirReason) {
    // Names too many for 64 KiB of index.
    std::filesystem::create_directory(m_dir.File("many"));
    for (int i = 0; i < 300; ++i)
        test::WriteBytes(m_dir, "many/" + std::to_string(i) + std::string(200, 'n'), {});
    ToolRun run = Kqtool(m_dir, "archive build many -o many");
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("64 KiB"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("many.idx")));

    EXPECT_EQ(Kqtool(m_dir, "archive build nowhere -o x").code, 2);
    EXPECT_EQ(Kqtool(m_dir, "archive build content").code, 64);
    EXPECT_EQ(Kqtool(m_dir, "archive frobnicate").code, 64);
    EXPECT_EQ(Kqtool(m_dir, "archive list").code, 64);
    run = Kqtool(m_dir, "archive --help");
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.out.find("usage: kqtool archive build DIR -o NAME"), std::string::npos);

    // An index whose entry names a path outside the output folder, and one cut short.
    std::string error;
    const auto evil = BuildArchive({{"../evil", {1, 2}}, {"fine", {3}}}, error);
    ASSERT_TRUE(evil) << error;
    test::WriteBytes(m_dir, "evil.idx", evil->index);
    test::WriteBytes(m_dir, "evil.dat", evil->data);
    run = Kqtool(m_dir, "archive extract evil.idx -o out");
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("not a plain file name"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("evil")));
    EXPECT_EQ(test::ReadBytes(m_dir, "out/fine"), Bytes{3});

    test::WriteBytes(m_dir, "cut.idx", Bytes(evil->index.begin(), evil->index.end() - 3));
    run = Kqtool(m_dir, "archive list cut.idx");
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("lies outside the index"), std::string::npos) << run.err;
}

TEST_F(KqtoolArchiveTest, ScrambleRoundTripAndLoad) {
    test::WriteBytes(m_dir, "plain.wav", m_wave);
    ASSERT_EQ(Kqtool(m_dir, "scramble plain.wav s.wav --seed 200").code, 0);
    EXPECT_EQ(test::ReadBytes(m_dir, "s.wav"), test::Scramble(m_wave, 200));
    ASSERT_EQ(Kqtool(m_dir, "scramble plain.wav d.wav").code, 0);
    EXPECT_EQ(test::ReadBytes(m_dir, "d.wav"), test::Scramble(m_wave, 0));
    ASSERT_EQ(Kqtool(m_dir, "unscramble s.wav back.wav").code, 0);
    EXPECT_EQ(test::ReadBytes(m_dir, "back.wav"), m_wave);
    {
        test::ProgramScope scope(m_dir.Dir(), 0);
        PosixFileSystem files;
        SimClock clock;
        const auto content = LoadContent(ContentPorts{files, clock}, "s.wav");
        ASSERT_NE(content, nullptr);
        EXPECT_EQ(test::ToBytes(content->Bytes()), m_wave);
    }

    test::WriteBytes(m_dir, "empty.wav", {});
    ASSERT_EQ(Kqtool(m_dir, "scramble empty.wav e.wav --seed 3").code, 0);
    EXPECT_EQ(test::ReadBytes(m_dir, "e.wav"), (Bytes{1, 3}));
    ASSERT_EQ(Kqtool(m_dir, "unscramble e.wav e2.wav").code, 0);
    EXPECT_TRUE(test::ReadBytes(m_dir, "e2.wav").empty());

    test::WriteBytes(m_dir, "marker.wav", {1});
    struct Case {
        const char* args;
        int code;
        const char* err;
    };
    const Case cases[] = {
        {"unscramble plain.wav x", 2, "its first byte is not 1"},
        {"unscramble marker.wav x", 2, "no seed byte"},
        {"unscramble missing.wav x", 2, "cannot read 'missing.wav'"},
        {"scramble plain.wav x --seed 256", 64, "0 to 255"},
        {"scramble plain.wav x --seed", 64, "0 to 255"},
        {"scramble plain.wav x --seed -1", 64, "0 to 255"},
        {"scramble plain.wav", 64, "expected IN and OUT"},
        {"scramble plain.wav x --fast", 64, "unknown option '--fast'"},
        {"unscramble a b c", 64, "expected IN and OUT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const ToolRun run = Kqtool(m_dir, c.args);
        EXPECT_EQ(run.code, c.code);
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("x")));
}

}  // namespace
}  // namespace mascot
