// Replays the inputs under tests/data/fuzz/<target>/ through what the fuzz target of that name
// does: each file is an input a fuzzer once broke the code with, named for the fault.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/FuzzTargets.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;

struct Target {
    const char* name;
    std::string (*run)(std::span<const uint8_t>);
};

const Target kTargets[] = {
    {"container", fuzz::Container},        {"script", fuzz::Script},
    {"archive_index", fuzz::ArchiveIndex}, {"content_file", fuzz::ContentFile},
    {"profile_text", fuzz::ProfileText},
};

TEST(FuzzRegressionTest, EveryRecordedInputRunsCleanly) {
    const fs::path root = fs::path(MASCOT_TEST_DATA_DIR) / "fuzz";
    size_t replayed = 0;
    for (const fs::directory_entry& dir : fs::directory_iterator(root)) {
        const std::string name = dir.path().filename().string();
        const auto target = std::find_if(std::begin(kTargets), std::end(kTargets),
                                         [&](const Target& t) { return name == t.name; });
        ASSERT_NE(target, std::end(kTargets)) << "no fuzz target named " << name;
        for (const fs::directory_entry& file : fs::directory_iterator(dir.path())) {
            SCOPED_TRACE(file.path().string());
            std::ifstream in(file.path(), std::ios::binary);
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
            EXPECT_EQ(target->run(bytes), "");
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0u);
}

}  // namespace
}  // namespace mascot
