#include <gtest/gtest.h>

#include <string>

#include "sound/Archive.h"
#include "support/SoundTestSupport.h"
#include "tools/common/ArchiveFiles.h"

namespace mascot {
namespace {

using test::Bytes;

uint32_t U16At(const Bytes& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8;
}

TEST(ArchiveBuilderTest, LaysOutIndexAndDataAsTheProgramReadsThem) {
    std::string error;
    const auto archive = BuildArchive({{"b", {5, 6}}, {"Sa", {7}}, {"a", {1, 2, 3}}}, error);
    ASSERT_TRUE(archive) << error;
    const Bytes& index = archive->index;
    // Data in name order: "Sa" < "a" < "b" bytewise.
    EXPECT_EQ(archive->data, (Bytes{7, 1, 2, 3, 5, 6}));
    EXPECT_EQ(Bytes(index.begin(), index.begin() + 16), Bytes(16, 0));
    // Every unused bucket points at one shared count of 0 right after the table.
    const uint32_t emptyBucket = U16At(index, 16);
    EXPECT_EQ(emptyBucket, 528u);
    EXPECT_EQ(U16At(index, emptyBucket), 0u);
    for (int b = 0; b < 256; ++b) {
        if (b != 'a' && b != 'b' && b != 's') {
            EXPECT_EQ(U16At(index, 16 + 2 * b), emptyBucket) << "bucket " << b;
        }
    }
    // "Sa" sits in the bucket of "s", with its fields; the unread ones are zero.
    const uint32_t s = U16At(index, 16 + 2 * 's');
    EXPECT_EQ(U16At(index, s), 1u);
    const Bytes expected = {18, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 'S', 'a'};
    EXPECT_EQ(Bytes(index.begin() + s + 2, index.begin() + s + 2 + expected.size()), expected);
    const ArchiveListing listing = ListArchive(index);
    EXPECT_TRUE(listing.problems.empty());
    ASSERT_EQ(listing.entries.size(), 3u);
    for (const char* name : {"a", "b", "Sa"}) {
        const auto entry = ArchiveEntryIn(index, FindArchiveEntryIn(index, name));
        ASSERT_TRUE(entry) << name;
        EXPECT_EQ(std::string(entry->name.begin(), entry->name.end()), name);
    }
}

TEST(ArchiveBuilderTest, RefusesWhatTheFormatCannotHold) {
    const std::string longest(0xFFFF - 16, 'n');
    std::vector<ArchiveSource> manySmall;
    for (int i = 0; i < 300; ++i)
        manySmall.push_back({"x" + std::to_string(i) + std::string(200, 'p'), {}});
    struct Case {
        const char* what;
        std::vector<ArchiveSource> sources;
        const char* error;  // nullptr: builds
    };
    const Case cases[] = {
        {"duplicate name", {{"a", {}}, {"b", {}}, {"a", {1}}}, "'a': the name appears twice"},
        {"zero byte in a name", {{std::string("a\0b", 3), {}}}, "zero byte"},
        {"name longer than an entry holds", {{longest + "n", {}}}, "an entry holds at most 65519"},
        {"longest name", {{longest, {1}}}, nullptr},
        {"entry past 64 KiB", {{longest, {}}, {"z", {}}}, "'z': its entry would start at index offset"},
        {"index grown past 64 KiB by many names", manySmall, "past the 64 KiB"},
        {"empty name and empty content", {{"", {}}}, nullptr},
        {"nothing at all", {}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string error;
        const auto archive = BuildArchive(c.sources, error);
        if (!c.error) {
            ASSERT_TRUE(archive) << error;
            EXPECT_TRUE(ListArchive(archive->index).problems.empty());
            for (const ArchiveSource& source : c.sources)
                EXPECT_NE(FindArchiveEntryIn(archive->index, source.name), 0) << source.name.size();
        } else {
            EXPECT_FALSE(archive);
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
        }
    }
}

}  // namespace
}  // namespace mascot
