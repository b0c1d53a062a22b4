// kqtool dump and check, run as a separate process on files made with the container writer.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "data/ContainerWriter.h"
#include "support/DataFixtures.h"

namespace mascot {
namespace {

struct ToolResult {
    int exitCode = -1;
    std::vector<std::string> lines;  // stdout
    std::string errors;              // stderr
};

std::string Quote(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

class KqtoolDataTest : public testing::Test {
protected:
    ~KqtoolDataTest() override {
        for (const std::string& path : m_paths)
            std::remove(path.c_str());
    }

    // A path of this process's own, removed after the test; ctest runs tests side by side.
    std::string TempPath(const std::string& name) {
        m_paths.push_back(testing::TempDir() + "kqtool_data_" + std::to_string(getpid()) + "_" + name);
        return m_paths.back();
    }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = TempPath(name);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    ToolResult Run(const std::string& args) {
        const std::string errPath = TempPath("stderr");
        const std::string command = Quote(MASCOT_KQTOOL_PATH) + " " + args + " 2>" + Quote(errPath);
        ToolResult result;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return result;
        std::string out;
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        const int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        for (size_t start = 0; start < out.size();) {
            const size_t end = out.find('\n', start);
            result.lines.push_back(out.substr(start, end - start));
            start = end == std::string::npos ? out.size() : end + 1;
        }
        std::ifstream err(errPath);
        result.errors.assign(std::istreambuf_iterator<char>(err), {});
        return result;
    }

private:
    std::vector<std::string> m_paths;
};

// The sample container with byte code that passes the checks: each pattern halts after its name
// (SetPosition). Pattern 0 keeps its size; pattern 1, the last, grows by two bytes.
BuiltContainer Runnable(uint16_t version = 302) {
    BuiltContainer c = test::SampleContainer(version);
    const std::vector<uint8_t> halt = {14, 3, 0};
    c.PutBytes(c.patternStarts[1] - halt.size(), halt).PutBytes(c.bytes.size() - 1, halt);
    c.RewriteTotalLength().RewriteChecksums();
    return c;
}

TEST_F(KqtoolDataTest, CheckVerdictsAndExitCodes) {
    BuiltContainer tableCrc = Runnable();
    tableCrc.BreakTableChecksum();
    BuiltContainer lengthAndHeader = Runnable();
    lengthAndHeader.PutU32(28, 5).BreakHeaderChecksum();
    BuiltContainer all = Runnable(301);
    all.PutU8(all.tableOffset, 'X').PutU32(28, 5).BreakHeaderChecksum();
    BuiltContainer truncated = Runnable();
    truncated.Truncate(1000);
    BuiltContainer noName = Runnable(300);
    noName.PutU8(noName.patternStarts[1], 0);
    BuiltContainer code = Runnable();
    code.PutBytes(code.patternStarts[1] - 3, std::vector<uint8_t>{11, 9, 0});  // PlaySound 9, then on
    BuiltContainer doubtfulAndBroken = Runnable();
    doubtfulAndBroken.PutU32(doubtfulAndBroken.PatternOffsetField(0), 0xFFFFFFFF).PutU32(28, 4);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        int exitCode;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"ok.kq", Runnable().bytes, 0, {"verdict: ok"}},
        {"tablecrc.kq", tableCrc.bytes, 1, {"verdict: Q (failed: table-crc)"}},
        {"lengthheader.kq", lengthAndHeader.bytes, 1, {"verdict: Q (failed: length, header-crc)"}},
        {"all.kq", all.bytes, 1, {"verdict: Q (failed: length, header-crc, table-crc)"}},
        {"empty.kq",
         {},
         2,
         {"verdict: M2", "header at offset 0: the container has 0 bytes, fewer than the 36 of a header"}},
        {"short.kq",
         truncated.bytes,
         2,
         {"verdict: M2", "image 0 at offset 118: colour table runs past the end of the container",
          "image 1 at offset 1526: starts too close to or past the end of the container for its headers",
          "image 2 at offset 1600: starts too close to or past the end of the container for its headers",
          "image 3 at offset 1762: starts too close to or past the end of the container for its headers",
          "pattern table at offset 1836: its 104-byte fixed part runs past the end of the container (1000 "
          "bytes)"}},
        {"picture.bmp", {'B', 'M', 0x46, 0, 0, 0, 0, 0}, 2, {"verdict: M3"}},
        {"new.kq", Runnable(304).bytes, 2, {"verdict: M4"}},
        {"noname.kq",
         noName.bytes,
         1,
         {"verdict: ok",
          "pattern 1 at offset 1958: does not start with Name (opcode 16), where the menu reads its name",
          "pattern 1 at offset 1959: code offset 1: Remark runs past the end of the pattern"}},
        {"code.kq",
         code.bytes,
         1,
         {"verdict: ok",
          "pattern 0 at offset 1955: code offset 7: PlaySound: sound 9 does not exist (0 to 4)",
          "pattern 0 at offset 1955: code offset 7: execution continues past the end of the pattern"}},
        {"both.kq",
         doubtfulAndBroken.bytes,
         1,
         {"verdict: Q (failed: length)",
          "pattern 0 at offset 4294969131: starts at or past the end of the container"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolResult result = Run("check " + Quote(Write(c.name, c.bytes)));
        EXPECT_EQ(result.lines, c.lines);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.errors, "");
    }
}

TEST_F(KqtoolDataTest, CheckCommandLine) {
    const std::string missing = TempPath("no_such_file.kq");
    const ToolResult unreadable = Run("check " + Quote(missing));
    EXPECT_EQ(unreadable.lines, std::vector<std::string>{"verdict: M1"});
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_NE(unreadable.errors.find(missing), std::string::npos);

    const ToolResult help = Run("check --help");
    EXPECT_EQ(help.exitCode, 0);
    ASSERT_FALSE(help.lines.empty());
    EXPECT_EQ(help.lines[0], "usage: kqtool check FILE");

    const ToolResult noFile = Run("check");
    EXPECT_EQ(noFile.exitCode, 64);
    EXPECT_NE(noFile.errors.find("kqtool check:"), std::string::npos);
}

TEST_F(KqtoolDataTest, DumpShowsEveryField) {
    const BuiltContainer c = test::SampleWriter().SetMenuColumns(3, 5).Build();
    const ToolResult result = Run("dump " + Quote(Write("dump.kq", c.bytes)));
    EXPECT_EQ(result.exitCode, 0);
    const std::vector<std::string> expected = {
        "size: 1965",
        "magic: KQ",
        "version: 302 (names and strings scrambled)",
        "directory offset: 36",
        "table offset: 1836",
        "total length: 1965",
        "frame size: 16 x 24",
        "images: 4",
        "  image 0: offset 24, at (0, 0), 16 x 24, 8 bpp, compression 0, palette 256",
        "  image 1: offset 1490, at (8, 8), 2 x 2, 24 bpp, compression 0, palette 0",
        "  image 2: offset 1564, at (0, 0), 16 x 24, 1 bpp, compression 0, palette 2",
        "  image 3: offset 1726, at (0, 0), 16 x 24, 1 bpp, compression 255, palette 2, packed mask",
        "title: \"テスト\"",
        "about: \"テストの\\nキャラクター\"",
        "default pattern: 1",
        "default position: 90",
        "menu column length: 3 (stored 3, gate 5)",
        "patterns: 2",
        "  pattern 0: offset 112, name \"歩く\"",
        "  pattern 1: offset 122, name \"sit\"",
    };
    for (const std::string& line : expected)
        EXPECT_NE(std::find(result.lines.begin(), result.lines.end(), line), result.lines.end()) << line;
    const auto header = std::find_if(result.lines.begin(), result.lines.end(),
                                     [](const std::string& l) { return l.starts_with("header checksum: "); });
    ASSERT_NE(header, result.lines.end());
    EXPECT_TRUE(header->ends_with("(match)")) << *header;
}

TEST_F(KqtoolDataTest, DumpOfBrokenContainers) {
    BuiltContainer c = test::SampleContainer();
    c.PutU32(c.PatternOffsetField(0), 0xFFFFFFFF)
        .PutU32(c.ImageOffsetField(2), 0xFFFFFFF0)
        .BreakTableChecksum();
    c.PutBytes(c.tableOffset, std::vector<uint8_t>(32, 'x'));
    const ToolResult broken = Run("dump " + Quote(Write("broken.kq", c.bytes)));
    EXPECT_EQ(broken.exitCode, 0);
    for (const char* line : {"  pattern 0: offset 4294967295 (outside)",
                             "  image 2: offset 4294967280 (outside)", "title: (no NUL in its field)"})
        EXPECT_NE(std::find(broken.lines.begin(), broken.lines.end(), line), broken.lines.end()) << line;
    const auto table = std::find_if(broken.lines.begin(), broken.lines.end(),
                                    [](const std::string& l) { return l.starts_with("table checksum: "); });
    ASSERT_NE(table, broken.lines.end());
    EXPECT_TRUE(table->ends_with("(mismatch)")) << *table;

    BuiltContainer stub = test::SampleContainer();
    stub.Truncate(20);
    const ToolResult shortFile = Run("dump " + Quote(Write("stub.kq", stub.bytes)));
    EXPECT_EQ(shortFile.exitCode, 0);
    for (const char* line : {"version: (outside)", "image directory: (outside)", "pattern table: (outside)"})
        EXPECT_NE(std::find(shortFile.lines.begin(), shortFile.lines.end(), line), shortFile.lines.end())
            << line;

    const ToolResult missing = Run("dump " + Quote(TempPath("missing.kq")));
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.errors.find("missing.kq: cannot read"), std::string::npos);
}

}  // namespace
}  // namespace mascot
