#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/ProfileText.h"
#include "app/SettingsStore.h"
#include "platform/posix/PosixFileSystem.h"
#include "support/TempDir.h"

namespace mascot {
namespace {

TEST(SettingsStoreTest, ReadsDefaultsUntilWrittenThenReadsBack) {
    test::TempDir dir;
    PosixFileSystem files;
    SettingsStore store(files, "CAT");
    ASSERT_TRUE(store.OpenSettingsStore(dir.Dir()));
    EXPECT_EQ(*store.Path(), dir.Dir() + "savedata.dat");

    EXPECT_EQ(store.ReadSettingInt("Position", 90), 90);
    EXPECT_FALSE(dir.Exists("savedata.dat"));
    EXPECT_TRUE(store.WriteSettingInt("Position", 37));
    EXPECT_TRUE(store.WriteSettingInt("Pattern", -2));
    EXPECT_EQ(store.ReadSettingInt("position", 90), 37);
    EXPECT_EQ(store.ReadSettingInt("Pattern", 0), -2);
    EXPECT_EQ(store.ReadSettingInt("Fixed", 4), 4);
    EXPECT_EQ(dir.Read("savedata.dat"), "[Mascot-CAT]\r\nPosition=37\r\nPattern=-2\r\n");
}

TEST(SettingsStoreTest, HandWrittenKeysAndEmptyValues) {
    test::TempDir dir;
    dir.Write("savedata.dat", "[Mascot-CAT]\nScriptKey= 12 \nEmpty=\n");
    PosixFileSystem files;
    SettingsStore store(files, "CAT");
    store.OpenSettingsStore(dir.Dir());
    EXPECT_EQ(store.ReadSettingInt("scriptkey", 0), 12);
    EXPECT_EQ(store.ReadSettingInt("Empty", 55), 55);
}

TEST(SettingsStoreTest, TwoBuildsKeepToTheirOwnSections) {
    test::TempDir dir;
    PosixFileSystem files;
    SettingsStore cat(files, "CAT");
    SettingsStore dog(files, "DOG");
    cat.OpenSettingsStore(dir.Dir());
    dog.OpenSettingsStore(dir.Dir());
    cat.WriteSettingInt("Position", 10);
    dog.WriteSettingInt("Position", 20);
    cat.WriteSettingInt("Position", 11);
    EXPECT_EQ(cat.ReadSettingInt("Position", 0), 11);
    EXPECT_EQ(dog.ReadSettingInt("Position", 0), 20);
    EXPECT_EQ(dir.Read("savedata.dat"), "[Mascot-CAT]\r\nPosition=11\r\n[Mascot-DOG]\r\nPosition=20\r\n");
}

TEST(SettingsStoreTest, WithoutADirectoryReadsGiveDefaultsAndWritesDoNothing) {
    PosixFileSystem files;
    SettingsStore store(files, "CAT");
    for (const std::optional<std::string>& dir : {std::optional<std::string>(), std::optional<std::string>("")}) {
        EXPECT_FALSE(store.OpenSettingsStore(dir));
        EXPECT_FALSE(store.Path().has_value());
        EXPECT_FALSE(store.WriteSettingInt("Position", 5));
        EXPECT_EQ(store.ReadSettingInt("Position", 90), 90);
    }
    EXPECT_FALSE(std::filesystem::exists("savedata.dat"));
}

// Several mascots share the file. Two processes write their own sections many times at once
// while this one keeps reading: every read must see a whole file, and at the end every key
// holds its writer's last value.
TEST(SettingsStoreTest, ConcurrentWritersLoseNothingAndReadersSeeWholeFiles) {
    test::TempDir dir;
    dir.Write("savedata.dat", "; kept by hand\r\n[Other]\r\nKeep=1\r\n");
    constexpr int kRounds = 100;
    constexpr int kKeys = 4;
    const char* tags[] = {"AAA", "BBB"};

    std::vector<pid_t> children;
    for (const char* tag : tags) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            PosixFileSystem files;
            SettingsStore store(files, tag);
            store.OpenSettingsStore(dir.Dir());
            bool ok = true;
            for (int round = 0; round < kRounds; ++round)
                for (int key = 0; key < kKeys; ++key)
                    ok = store.WriteSettingInt("Key" + std::to_string(key), round * 100 + key) && ok;
            _exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }

    PosixFileSystem files;
    int reads = 0;
    std::vector<int> statuses;
    while (statuses.size() < children.size()) {
        auto bytes = files.ReadFile(dir.File("savedata.dat"));
        ASSERT_TRUE(bytes.has_value());
        const std::string text(bytes->begin(), bytes->end());
        ASSERT_EQ(ProfileLookup(text, "Other", "Keep"), "1") << text;
        for (const char* tag : tags)
            for (int key = 0; key < kKeys; ++key) {
                const auto value = ProfileLookup(text, std::string("Mascot-") + tag, "Key" + std::to_string(key));
                if (value) {
                    ASSERT_EQ(ProfileParseInt(*value) % 100, key) << text;
                }
            }
        ++reads;
        int status = 0;
        const pid_t done = waitpid(-1, &status, WNOHANG);
        ASSERT_GE(done, 0);
        if (done > 0)
            statuses.push_back(status);
    }
    for (int status : statuses)
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_GT(reads, 0);

    const std::string text = dir.Read("savedata.dat");
    EXPECT_EQ(text.rfind("; kept by hand\r\n[Other]\r\nKeep=1\r\n", 0), 0u) << text;
    for (const char* tag : tags)
        for (int key = 0; key < kKeys; ++key)
            EXPECT_EQ(ProfileLookup(text, std::string("Mascot-") + tag, "Key" + std::to_string(key)),
                      std::to_string((kRounds - 1) * 100 + key))
                << tag << key;
    // No temporary file is left behind.
    int files_in_dir = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files_in_dir;
    EXPECT_EQ(files_in_dir, 1);
}

}  // namespace
}  // namespace mascot
