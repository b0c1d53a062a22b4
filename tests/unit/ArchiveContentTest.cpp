#include <gtest/gtest.h>

#include "app/Random.h"
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

// Files as the platform gives them, except that ranges come back cut to `m_rangeLimit` bytes, as
// from a file truncated while it is read.
class ShortReadFileSystem final : public FileSystem {
public:
    std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) override {
        return m_real.ReadFile(path);
    }
    std::optional<std::vector<uint8_t>> ReadRange(const std::string& path, uint64_t offset,
                                                  uint32_t length) override {
        auto bytes = m_real.ReadRange(path, offset, length);
        if (bytes && bytes->size() > m_rangeLimit)
            bytes->resize(m_rangeLimit);
        return bytes;
    }
    std::optional<uint64_t> FileSize(const std::string& path) override { return m_real.FileSize(path); }
    bool UpdateFile(const std::string& path, const Edit& edit) override {
        return m_real.UpdateFile(path, edit);
    }

    size_t m_rangeLimit = SIZE_MAX;

private:
    PosixFileSystem m_real;
};

class ArchiveContentTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        const auto archive = BuildArchive(
            {
                {"sa0014_.wav", m_archived},
                {"sa0015_.wav", test::Scramble(m_scrambledPlain, 0x31)},
                {"sa0016_.wav", {}},  // an entry of length 0
                {"sa0018_.wav", m_archived},
            },
            error);
        ASSERT_TRUE(archive) << error;
        m_archive = *archive;
    }

    // Puts the archive where `mode` reads it and loads its index.
    void Install(int mode) {
        g_archiveMode = mode;
        test::WriteBytes(m_dir, "archive.idx", m_archive.index);
        test::WriteBytes(m_dir, "archive.dat", m_archive.data);
        m_resources.Add("ARCHIVEX", kArchiveIndexResource, m_archive.index);
        m_resources.Add("ARCHIVEX", kArchiveDataResource, m_archive.data);
        ASSERT_EQ(LoadArchiveIndex(mode, m_files), mode == 1 || mode == 2);
    }

    std::optional<Bytes> Load(const std::string& name) {
        const auto content = LoadContent(m_ports, name);
        return content ? std::optional<Bytes>(test::ToBytes(content->Bytes())) : std::nullopt;
    }

    const Bytes m_archived = test::MakeWave(40, 8000, 1);
    const Bytes m_scrambledPlain = test::MakeWave(50, 8000, 2);
    const Bytes m_loose = test::MakeWave(30, 8000, 3);
    test::TempDir m_dir;
    ShortReadFileSystem m_files;
    SimClock m_clock;
    SimResources m_resources;
    ContentPorts m_ports{m_files, m_clock};
    test::ProgramScope m_scope{m_dir.Dir(), 0, &m_resources};
    BuiltArchive m_archive;
};

TEST_F(ArchiveContentTest, EntriesLoadInBothArchiveModes) {
    for (int mode : {1, 2}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        Install(mode);
        EXPECT_EQ(Load("sa0014_.wav"), m_archived);
        m_clock.SetTickBase(0x4242);
        Srand(1);
        EXPECT_EQ(Load("sa0015_.wav"), m_scrambledPlain);
        const int next = Rand();
        Srand(0x4242);
        EXPECT_EQ(next, Rand()) << "a scrambled archive entry reseeds the generator";
        EXPECT_EQ(Load("sa0016_.wav"), std::nullopt) << "an entry of length 0 yields nothing";
        EXPECT_EQ(Load("sa0017_.wav"), std::nullopt);
        EXPECT_EQ(Load("Sa0014_.wav"), std::nullopt);
    }
}

TEST_F(ArchiveContentTest, LooseFilesComeFirstInMode1AndAreIgnoredInMode2) {
    test::WriteBytes(m_dir, "sa0014_.wav", m_loose);
    test::WriteBytes(m_dir, "sa0017_.wav", m_loose);  // not in the archive
    test::WriteBytes(m_dir, "sa0018_.wav", {});       // an empty loose file hides the archive's entry

    Install(1);
    EXPECT_EQ(Load("sa0014_.wav"), m_loose);
    EXPECT_EQ(Load("sa0017_.wav"), m_loose);
    EXPECT_EQ(Load("sa0018_.wav"), std::nullopt);
    FreeArchiveIndex();
    EXPECT_EQ(Load("sa0015_.wav"), std::nullopt) << "without an index there is no fallback";

    Install(2);
    EXPECT_EQ(Load("sa0014_.wav"), m_archived);
    EXPECT_EQ(Load("sa0017_.wav"), std::nullopt);
    EXPECT_EQ(Load("sa0018_.wav"), m_archived);
    // The embedded archive does not need the program directory at all.
    g_programDir.reset();
    EXPECT_EQ(Load("sa0014_.wav"), m_archived);
}

TEST_F(ArchiveContentTest, MissingOrShortArchiveDataYieldsNothing) {
    Install(1);
    std::filesystem::remove(m_dir.File("archive.dat"));
    EXPECT_EQ(Load("sa0014_.wav"), std::nullopt);
    // A data file cut before the entry's end: the range lies outside the data.
    test::WriteBytes(m_dir, "archive.dat", Bytes(m_archive.data.begin(), m_archive.data.end() - 1));
    EXPECT_EQ(Load("sa0018_.wav"), std::nullopt);
    EXPECT_EQ(Load("sa0014_.wav"), m_archived);

    Install(2);
    SimResources indexOnly;
    indexOnly.Add("ARCHIVEX", kArchiveIndexResource, m_archive.index);
    g_hInstance = &indexOnly;
    EXPECT_EQ(Load("sa0014_.wav"), std::nullopt);
    SimResources shortData;
    shortData.Add("ARCHIVEX", kArchiveIndexResource, m_archive.index);
    shortData.Add("ARCHIVEX", kArchiveDataResource, Bytes(m_archive.data.begin(), m_archive.data.end() - 1));
    g_hInstance = &shortData;
    EXPECT_EQ(Load("sa0014_.wav"), m_archived);
    EXPECT_EQ(Load("sa0018_.wav"), std::nullopt);
}

TEST_F(ArchiveContentTest, AShortReadHandsOutOnlyTheBytesRead) {
    Install(1);
    m_files.m_rangeLimit = 10;
    EXPECT_EQ(Load("sa0014_.wav"), Bytes(m_archived.begin(), m_archived.begin() + 10));
    m_files.m_rangeLimit = 0;
    EXPECT_EQ(Load("sa0014_.wav"), std::nullopt);
    // A scrambled entry cut after its seed byte: nothing is left to hand out.
    m_files.m_rangeLimit = 2;
    const auto content = LoadContent(m_ports, "sa0015_.wav");
    ASSERT_NE(content, nullptr);
    EXPECT_TRUE(content->Bytes().empty());
    EXPECT_EQ(content->Buffer().size(), 2u);
}

TEST_F(ArchiveContentTest, IndexLoadsOnlyInTheArchiveModes) {
    test::WriteBytes(m_dir, "archive.idx", m_archive.index);
    m_resources.Add("ARCHIVEX", kArchiveIndexResource, m_archive.index);
    struct Case {
        int mode;
        bool loads;
    };
    for (const Case c : {Case{0, false}, Case{1, true}, Case{2, true}, Case{3, false}, Case{-1, false}}) {
        SCOPED_TRACE("mode " + std::to_string(c.mode));
        EXPECT_EQ(LoadArchiveIndex(c.mode, m_files), c.loads);
        EXPECT_EQ(IsArchiveIndexLoaded(), c.loads);
        EXPECT_EQ(FindArchiveEntry("sa0014_.wav") != 0, c.loads);
    }
    // Without the index file or resource there is no index; freeing twice is harmless.
    std::filesystem::remove(m_dir.File("archive.idx"));
    EXPECT_FALSE(LoadArchiveIndex(1, m_files));
    g_hInstance = nullptr;
    EXPECT_FALSE(LoadArchiveIndex(2, m_files));
    FreeArchiveIndex();
    FreeArchiveIndex();
    EXPECT_FALSE(IsArchiveIndexLoaded());
    EXPECT_EQ(ReadArchiveContent(1, 0, m_files), std::nullopt);
}

}  // namespace
}  // namespace mascot
