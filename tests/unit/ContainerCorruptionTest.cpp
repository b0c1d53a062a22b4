// Truncations, flipped header bytes and seeded random mutations of a valid container, run
// through every view, the file checks, the structure check and the byte-code check. Each case gets a buffer
// of exactly its size, so that the sanitizer build catches a read one byte past the end; the tests themselves
// check that every span handed out lies inside the container.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "data/ContainerCheck.h"
#include "data/ContainerValidation.h"
#include "data/MascotData.h"
#include "script/ContainerCodeCheck.h"
#include "support/DataFixtures.h"

namespace mascot {
namespace {

using Bytes = std::vector<uint8_t>;

class Exerciser {
public:
    explicit Exerciser(std::span<const uint8_t> container) : m_container(container) {}

    // Reads everything a reader of the data could ask for.
    void Run() {
        const MascotData data(m_container);
        (void)data.Version(), (void)data.TotalLength(), (void)data.StoredHeaderChecksum();
        (void)data.ComputedHeaderChecksum(), (void)data.ComputedTableChecksum(),
            (void)data.StoredTableChecksum();
        if (data.IsUsable()) {
            EXPECT_TRUE(data.Directory() && data.Table());
        }
        if (const auto& directory = data.Directory())
            Images(*directory);
        if (const auto& table = data.Table())
            Patterns(*table);
        (void)data.MenuColumnLength();
        Findings findings;
        CheckContainerStructure(data, findings);
        CheckContainerCode(data, findings);
        (void)ValidateDataFile(m_container);
    }

    uint64_t Sum() const { return m_sum; }

private:
    void Touch(std::span<const uint8_t> span) {
        if (span.empty())
            return;
        EXPECT_GE(span.data(), m_container.data());
        EXPECT_LE(span.data() + span.size(), m_container.data() + m_container.size());
        for (uint8_t b : span)
            m_sum += b;
    }
    void Touch(std::string_view text) {
        Touch(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    }

    void Images(const ImageDirectory& directory) {
        const uint32_t last = std::min<uint32_t>(directory.ImageCount(), 40);
        for (uint32_t n = 0; n <= last; ++n) {
            const auto image = directory.Image(static_cast<uint16_t>(n));
            if (!image)
                continue;
            Touch(image->DibHeader());
            Touch(image->Dib());
            if (const auto table = image->ColourTable())
                Touch(*table);
            if (const auto bits = image->Bits()) {
                Touch(*bits);
                (void)PackedMaskYield(*bits, image->PlainBitsSize());
            }
        }
        EXPECT_FALSE(directory.Image(65535).has_value() && directory.ImageCount() < 65535);
    }

    void Patterns(const PatternTable& table) {
        if (const auto title = table.Title())
            Touch(*title);
        if (const auto about = table.AboutText())
            Touch(*about);
        const uint32_t last = std::min<uint32_t>(table.PatternCount(), 40);
        for (uint32_t i = 0; i <= last; ++i) {
            const auto pattern = table.PatternAt(static_cast<uint16_t>(i));
            if (!pattern)
                continue;
            Touch(pattern->Code());
            if (const auto stored = pattern->StoredName())
                Touch(*stored);
            if (const auto name = pattern->Name()) {
                EXPECT_LE(name->size(), 255u);
            }
        }
        (void)table.ColumnGate(), (void)table.StoredMenuColumnLength();
    }

    std::span<const uint8_t> m_container;
    uint64_t m_sum = 0;
};

void Exercise(const Bytes& source, size_t length) {
    const Bytes exact(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(length));
    Exerciser(exact).Run();
}

// Cut short anywhere, a checked container never passes: it is too short, or its length test
// fails. Unchecked versions are only read, safely.
TEST(ContainerCorruptionTest, EveryTruncation) {
    for (uint16_t version : {300, 302}) {
        const Bytes full = test::SampleContainer(version).bytes;
        for (size_t length = 0; length < full.size(); ++length) {
            SCOPED_TRACE(testing::Message() << "version " << version << ", " << length << " bytes");
            Exercise(full, length);
            if (version == 302) {
                EXPECT_NE(ValidateDataFile(std::span(full).first(length)).verdict, FileVerdict::Ok);
            }
        }
    }
}

// Every header and prefix byte changed three ways; the bytes the tests cover give their verdict.
TEST(ContainerCorruptionTest, FlippedHeaderAndChecksumBytes) {
    const BuiltContainer base = test::SampleContainer(302);
    std::vector<uint32_t> positions;
    for (uint32_t i = 0; i < 36; ++i)
        positions.push_back(i);
    for (uint32_t i = base.tableOffset - 6; i < base.tableOffset; ++i)
        positions.push_back(i);
    for (uint32_t at : positions) {
        for (int change : {1, 0x80, 0xFF}) {
            SCOPED_TRACE(testing::Message() << "byte " << at << " changed by " << change);
            Bytes bytes = base.bytes;
            bytes[at] = static_cast<uint8_t>(change == 1 ? bytes[at] + 1 : bytes[at] ^ change);
            Exercise(bytes, bytes.size());
            const FileValidation v = ValidateDataFile(bytes);
            // Reserved words and the two menu words are in no test.
            const bool untested =
                (at >= 12 && at < 28) || at == 32 || at == 33 || (at >= 36 && at < base.tableOffset - 2);
            if (at < 2) {
                EXPECT_EQ(v.verdict, FileVerdict::NotContainer);
            } else if (untested) {
                EXPECT_EQ(v.verdict, FileVerdict::Ok);
            } else if (at >= 28 && at < 32) {
                EXPECT_FALSE(v.lengthOk);
            } else if (at == 34 || at == 35) {
                EXPECT_FALSE(v.headerChecksumOk);
            } else if (at >= base.tableOffset - 2) {
                EXPECT_FALSE(v.tableChecksumOk);
            }
        }
    }
}

// A few hundred seeded mutations: random bytes, offsets of 0xFFFFFFFF, counts of 65535,
// fields pointing just past the end, truncations.
TEST(ContainerCorruptionTest, SeededRandomMutations) {
    const BuiltContainer base = test::SampleContainer(302);
    std::vector<uint32_t> fields = {4, 8, 28, 36, base.tableOffset + 96};
    for (uint16_t n = 0; n < base.imageStarts.size(); ++n) {
        fields.push_back(base.ImageOffsetField(n));
        fields.push_back(base.imageStarts[n] + 18);  // DIB header size
        fields.push_back(base.imageStarts[n] + 22);  // width
        fields.push_back(base.imageStarts[n] + 26);  // height
        fields.push_back(base.imageStarts[n] + 32);  // bit count and compression
    }
    for (uint16_t i = 0; i < base.patternStarts.size(); ++i) {
        fields.push_back(base.PatternOffsetField(i));
        fields.push_back(base.patternStarts[i]);  // opcode and name length
    }
    std::mt19937 random(20240611);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        BuiltContainer c = base;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const uint32_t field = fields[random() % fields.size()];
            switch (random() % 6) {
                case 0:
                    c.PutU8(random() % (c.bytes.size() + 1), static_cast<uint8_t>(random()));
                    break;
                case 1:
                    c.PutU32(field, 0xFFFFFFFF);
                    break;
                case 2:
                    c.PutU16(field, 65535);
                    break;
                case 3:
                    c.PutU32(field, static_cast<uint32_t>(c.bytes.size() - random() % 8));
                    break;
                case 4:
                    c.PutU32(field, static_cast<uint32_t>(random()));
                    break;
                default:
                    c.Truncate(random() % (c.bytes.size() + 1));
                    break;
            }
        }
        if (random() % 2)
            c.RewriteChecksums();
        Exercise(c.bytes, c.bytes.size());
    }
}

TEST(ContainerCorruptionTest, RandomBytes) {
    std::mt19937 random(99);
    for (int round = 0; round < 200; ++round) {
        Bytes bytes(random() % 400);
        for (uint8_t& b : bytes)
            b = static_cast<uint8_t>(random());
        if (bytes.size() >= 2 && round % 2) {
            bytes[0] = 'K';
            bytes[1] = 'Q';
        }
        Exercise(bytes, bytes.size());
    }
}

}  // namespace
}  // namespace mascot
