#include <gtest/gtest.h>

#include <string>

#include "sound/Archive.h"
#include "support/SoundTestSupport.h"
#include "tools/common/ArchiveFiles.h"

namespace mascot {
namespace {

using test::Bytes;

// An index written byte by byte, for layouts the archive builder never makes.
struct RawIndex {
    Bytes bytes = Bytes(kArchiveHeaderSize + kArchiveBucketTableSize, 0);

    void Slot(uint8_t bucket, uint32_t offset) {
        bytes[kArchiveHeaderSize + 2 * bucket] = static_cast<uint8_t>(offset);
        bytes[kArchiveHeaderSize + 2 * bucket + 1] = static_cast<uint8_t>(offset >> 8);
    }
    uint32_t Here() const { return static_cast<uint32_t>(bytes.size()); }
    void Count(uint32_t count) { test::AppendU16(bytes, count); }
    // An entry of `name`; its size and name length are the true ones unless given.
    void Entry(const std::string& name, std::optional<uint16_t> size = {},
               std::optional<uint16_t> nameLength = {}) {
        test::AppendU16(bytes, size.value_or(static_cast<uint16_t>(16 + name.size())));
        test::AppendU16(bytes, 0);
        test::AppendU32(bytes, 0);
        test::AppendU32(bytes, 1);
        test::AppendU16(bytes, nameLength.value_or(static_cast<uint16_t>(name.size())));
        test::AppendU16(bytes, 0);
        bytes.insert(bytes.end(), name.begin(), name.end());
    }
};

std::string NameOf(std::span<const uint8_t> index, uint16_t position) {
    const auto entry = ArchiveEntryIn(index, position);
    return entry ? std::string(entry->name.begin(), entry->name.end()) : "<no entry>";
}

BuiltArchive BuildOrFail(std::vector<ArchiveSource> sources) {
    std::string error;
    auto archive = BuildArchive(std::move(sources), error);
    EXPECT_TRUE(archive) << error;
    return archive ? *archive : BuiltArchive{};
}

TEST(ArchiveIndexTest, LooksNamesUpInTheBucketOfTheirFoldedFirstByte) {
    const BuiltArchive archive = BuildOrFail({{"sa0014_.wav", {}},
                                              {"Sa0015_.wav", {}},
                                              {"s", {}},
                                              {"", {}},
                                              {"Zebra", {}},
                                              {"\xFF\x01", {}},
                                              {"[x", {}}});
    struct Case {
        std::string name;
        bool found;
    };
    const Case cases[] = {
        {"sa0014_.wav", true},
        {"Sa0014_.wav", false},  // same bucket, different name
        {"SA0014_.WAV", false},
        {"Sa0015_.wav", true},
        {"sa0015_.wav", false},
        {"sa0014_.wa", false},  // a prefix is not the name
        {"sa0014_.wavx", false},
        {"s", true},
        {"", true},  // bucket 0, name length 0
        {"Zebra", true},
        {"zebra", false},
        {std::string("\xFF\x01", 2), true},
        {"[x", true},                                  // "[" follows "Z" and is not folded
        {"x", false},                                  // an empty bucket
        {std::string("sa0014_.wav\0rest", 16), true},  // a name ends at its zero byte
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.name + "'");
        const uint16_t position = FindArchiveEntryIn(archive.index, c.name);
        EXPECT_EQ(position != 0, c.found);
        if (c.found) {
            EXPECT_EQ(NameOf(archive.index, position), c.name.substr(0, c.name.find('\0')));
        }
    }
}

TEST(ArchiveIndexTest, EmptyNameMatchesOnlyAnEntryWithoutName) {
    const BuiltArchive without = BuildOrFail({{"a", {}}, {"b", {}}});
    EXPECT_EQ(FindArchiveEntryIn(without.index, ""), 0);
    RawIndex raw;
    raw.Slot(0, raw.Here());
    raw.Count(2);
    raw.Entry(std::string(1, '\0'));  // name length 1, byte 0: not the empty name
    const uint16_t empty = static_cast<uint16_t>(raw.Here());
    raw.Entry("");
    EXPECT_EQ(FindArchiveEntryIn(raw.bytes, ""), empty);
}

TEST(ArchiveIndexTest, AnythingOutsideTheIndexIsAbsent) {
    struct Case {
        const char* what;
        RawIndex index;
    };
    std::vector<Case> cases;
    auto add = [&cases](const char* what, auto&& build) {
        Case c{what, {}};
        build(c.index);
        cases.push_back(std::move(c));
    };
    add("bucket offset past the end", [](RawIndex& r) { r.Slot('a', 0xFFF0); });
    add("count cut by the end", [](RawIndex& r) {
        r.Slot('a', r.Here());
        r.bytes.push_back(1);
    });
    add("more entries counted than present", [](RawIndex& r) {
        r.Slot('a', r.Here());
        r.Count(2);
        r.Entry("ab");
    });
    add("entry cut inside its fixed part", [](RawIndex& r) {
        r.Slot('a', r.Here());
        r.Count(1);
        r.Entry("a");
        r.bytes.resize(r.bytes.size() - 9);
    });
    add("name running past the end", [](RawIndex& r) {
        r.Slot('a', r.Here());
        r.Count(1);
        r.Entry("a", {}, 2);
    });
    add("entry size pointing past the end", [](RawIndex& r) {
        r.Slot('a', r.Here());
        r.Count(2);
        r.Entry("ab", 0x8000);
    });
    add("index shorter than its bucket table", [](RawIndex& r) { r.bytes.resize(100); });
    add("empty index", [](RawIndex& r) { r.bytes.clear(); });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // An exact-sized copy, so that the sanitizer catches any read past its end.
        const Bytes exact = c.index.bytes;
        EXPECT_EQ(FindArchiveEntryIn(exact, "a"), 0);
        EXPECT_EQ(ListArchive(exact).problems.empty(), false);
    }
}

TEST(ArchiveIndexTest, OffsetsWrapAt64KiB) {
    RawIndex raw;
    raw.bytes.resize(0x10040, 0);
    raw.Slot('w', 0xFFF0);
    // Bucket at 0xFFF0 with two entries; the first at 0xFFF2, sized so that the next lies at
    // (0xFFF2 + 0x0300) mod 65536 = 0x02F2.
    Bytes bucket;
    test::AppendU16(bucket, 2);
    std::copy(bucket.begin(), bucket.end(), raw.bytes.begin() + 0xFFF0);
    RawIndex first;
    first.bytes.clear();
    first.Entry("w1", 0x0300);
    std::copy(first.bytes.begin(), first.bytes.end(), raw.bytes.begin() + 0xFFF2);
    RawIndex second;
    second.bytes.clear();
    second.Entry("w2");
    std::copy(second.bytes.begin(), second.bytes.end(), raw.bytes.begin() + 0x02F2);

    EXPECT_EQ(FindArchiveEntryIn(raw.bytes, "w1"), 0xFFF2);
    EXPECT_EQ(FindArchiveEntryIn(raw.bytes, "w2"), 0x02F2);
    EXPECT_EQ(FindArchiveEntryIn(raw.bytes, "w3"), 0);
}

TEST(ArchiveIndexTest, CountsAreBoundedEvenWhenEntriesGoNowhere) {
    // An entry of size 0 is met again and again; the walk still ends after the count.
    RawIndex raw;
    raw.Slot('a', raw.Here());
    raw.Count(0xFFFF);
    raw.Entry("ab", 0);
    EXPECT_EQ(FindArchiveEntryIn(raw.bytes, "ax"), 0);
    EXPECT_EQ(FindArchiveEntryIn(raw.bytes, "ab"), 530);
}

// Every prefix and many one-byte changes of a valid index: a lookup either finds nothing or
// finds an entry that lies inside the index and carries exactly the name asked for.
TEST(ArchiveIndexTest, TruncatedAndMutatedIndexesNeverReadOutside) {
    const std::vector<std::string> names = {"sa0014_.wav", "Sa0015_.wav", "sa0016_.wav", "", "b", "zz"};
    std::vector<ArchiveSource> sources;
    for (const std::string& name : names)
        sources.push_back({name, Bytes(3, 7)});
    const Bytes valid = BuildOrFail(sources).index;

    auto check = [&names](const Bytes& index, bool intact) {
        for (const std::string& name : names) {
            const uint16_t position = FindArchiveEntryIn(index, name);
            if (position != 0) {
                ASSERT_EQ(NameOf(index, position), name);
            } else {
                ASSERT_FALSE(intact) << "'" << name << "' not found in the intact index";
            }
        }
        ListArchive(index);
    };
    for (size_t length = 0; length <= valid.size(); ++length) {
        SCOPED_TRACE("truncated to " + std::to_string(length));
        check(Bytes(valid.begin(), valid.begin() + length), length == valid.size());
    }
    for (size_t at = 0; at < valid.size(); ++at) {
        for (uint8_t change : {uint8_t{0x01}, uint8_t{0x80}, uint8_t{0xFF}}) {
            SCOPED_TRACE("byte " + std::to_string(at) + " xor " + std::to_string(change));
            Bytes mutated = valid;
            mutated[at] ^= change;
            check(mutated, false);
        }
    }
}

}  // namespace
}  // namespace mascot
