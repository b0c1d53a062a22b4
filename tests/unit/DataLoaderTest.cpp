#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "app/Texts.h"
#include "data/DataLoader.h"
#include "platform/FileSystem.h"
#include "platform/Resources.h"
#include "platform/Ui.h"
#include "support/DataFixtures.h"

namespace mascot {
namespace {

using Bytes = std::vector<uint8_t>;

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageBoxButtons buttons;
    MessageBoxIcon icon;
};

class FakeUi final : public Ui {
public:
    MessageBoxResult MessageBox(const std::string& text, const std::string& caption,
                                MessageBoxButtons buttons, MessageBoxIcon icon) override {
        shown.push_back({text, caption, buttons, icon});
        if (buttons == MessageBoxButtons::Ok)
            return MessageBoxResult::Ok;
        const MessageBoxResult answer = answers.empty() ? MessageBoxResult::No : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
    int RunDialog(DialogModel&) override { return 0; }
    std::optional<std::string> ChooseOpenFile(const OpenFileRequest& request) override {
        requests.push_back(request);
        return picks.empty() ? std::nullopt : picks.front();
    }

    // The texts shown so far, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const ShownMessage& m : shown)
            texts.push_back(m.text);
        return texts;
    }

    std::vector<ShownMessage> shown;
    std::deque<MessageBoxResult> answers;
    std::vector<OpenFileRequest> requests;
    std::deque<std::optional<std::string>> picks;
};

class FakeFiles final : public FileSystem {
public:
    std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) override {
        reads.push_back(path);
        const auto it = files.find(path);
        return it == files.end() ? std::nullopt : std::optional(it->second);
    }
    std::optional<std::vector<uint8_t>> ReadRange(const std::string&, uint64_t, uint32_t) override {
        return {};
    }
    std::optional<uint64_t> FileSize(const std::string&) override { return {}; }
    bool UpdateFile(const std::string&, const Edit&) override { return false; }

    std::map<std::string, Bytes> files;
    std::vector<std::string> reads;
};

class FakeResources final : public Resources {
public:
    std::optional<std::span<const uint8_t>> Find(const std::string& type, uint16_t id) override {
        asked.push_back(type + "/" + std::to_string(id));
        if (!blob)
            return std::nullopt;
        return std::span<const uint8_t>(*blob);
    }
    std::optional<Bytes> blob;
    std::vector<std::string> asked;
};

const std::string kCaption = "Mascot";
const std::string M1(texts::kMsgCannotRead);
const std::string M2(texts::kMsgCorrupted);
const std::string M3(texts::kMsgOldVersion);
const std::string M4(texts::kMsgProgramTooOld);
const std::string Q(texts::kMsgMayBeCorrupted);

class DataLoaderTest : public testing::Test {
protected:
    DataLoaderTest() {
        hooks.stopScriptTimer = [this] { events.push_back("stop timer"); };
        hooks.dataLoaded = [this](DataSourceKind kind) {
            events.push_back(kind == DataSourceKind::File ? "loaded file" : "loaded embedded");
        };
        state.m_strTitle = "display name";
    }
    DataLoader& Loader() {
        if (!loader)
            loader.emplace(ui, files, resources, state, kCaption, hooks);
        return *loader;
    }

    FakeUi ui;
    FakeFiles files;
    FakeResources resources;
    DataFileState state;
    DataLoaderHooks hooks;
    std::vector<std::string> events;
    std::optional<DataLoader> loader;
};

Bytes Sample(uint16_t version) {
    return test::SampleContainer(version).bytes;
}

Bytes WithTitle(const std::string& title, uint16_t version = 302) {
    return test::SampleWriter(version).SetTitle(title).Build().bytes;
}

// Each bad file gets its one message, captioned with the application title, OK button and
// exclamation icon; the container loaded before stays in place.
TEST_F(DataLoaderTest, RejectedFilesShowTheirMessageAndKeepTheOldData) {
    BuiltContainer unusable = test::SampleContainer();
    unusable.PutU32(8, 0xFFFFFFF0).RewriteChecksums();
    const Bytes plain = Sample(300);
    struct Case {
        const char* what;
        std::optional<Bytes> file;
        std::string message;
    };
    const Case cases[] = {
        {"unreadable", std::nullopt, M1},
        {"empty", Bytes{}, M2},
        {"a bitmap", Bytes{'B', 'M', 0x36, 0, 0, 0}, M3},
        {"one byte", Bytes{'K'}, M3},
        {"no version word", Bytes{'K', 'Q', 1}, M2},
        {"version 304 with correct checksums", Sample(304), M4},
        {"version 65535", Sample(65535), M4},
        {"version 302, table past the end", unusable.bytes, M2},
        {"version 300, header only", Bytes(plain.begin(), plain.begin() + 36), M2},
    };
    files.files["good.kq"] = WithTitle("first");
    ASSERT_TRUE(Loader().LoadDataFile("good.kq"));
    const uint8_t* before = Loader().Data().Bytes().data();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.file)
            files.files["bad.kq"] = *c.file;
        else
            files.files.erase("bad.kq");
        ui.shown.clear();
        EXPECT_FALSE(Loader().LoadDataFile("bad.kq"));
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].text, c.message);
        EXPECT_EQ(ui.shown[0].caption, kCaption);
        EXPECT_EQ(ui.shown[0].buttons, MessageBoxButtons::Ok);
        EXPECT_EQ(ui.shown[0].icon, MessageBoxIcon::Exclamation);
        EXPECT_EQ(Loader().Data().Bytes().data(), before);
        EXPECT_EQ(Loader().Data().Title(), "first");
    }
}

TEST_F(DataLoaderTest, QuestionOnlyForVersions301To303WithAFailedTest) {
    struct Case {
        const char* what;
        uint16_t version;
        int breakage;  // bit 0 length, bit 1 header checksum, bit 2 table checksum
        bool asks;
    };
    const Case cases[] = {
        {"intact 301", 301, 0, false},
        {"intact 303", 303, 0, false},
        {"length off by one", 303, 1, true},
        {"header checksum", 302, 2, true},
        {"table checksum", 301, 4, true},
        {"all three", 302, 7, true},
        {"version 300, all three broken", 300, 7, false},
        {"version 0, all three broken", 0, 7, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BuiltContainer built = test::SampleContainer(c.version);
        if (c.breakage & 1)
            built.PutU32(28, static_cast<uint32_t>(built.bytes.size() + 1));
        if (c.breakage & 2)
            built.BreakHeaderChecksum();
        if (c.breakage & 4)
            built.BreakTableChecksum();
        files.files["x.kq"] = built.bytes;
        ui.shown.clear();
        ui.answers = {MessageBoxResult::Yes};
        EXPECT_TRUE(Loader().LoadDataFile("x.kq"));
        if (c.asks) {
            ASSERT_EQ(ui.shown.size(), 1u);  // once, however many tests failed
            EXPECT_EQ(ui.shown[0].text, Q);
            EXPECT_EQ(ui.shown[0].buttons, MessageBoxButtons::YesNo);
            EXPECT_EQ(ui.shown[0].icon, MessageBoxIcon::Exclamation);
            EXPECT_EQ(ui.shown[0].caption, kCaption);
        } else {
            EXPECT_TRUE(ui.shown.empty());
        }
        EXPECT_EQ(Loader().Data().Bytes().size(), built.bytes.size());  // Yes: used unchanged
    }
}

// No to the question fails without a further message, and keeps the container that was there.
TEST_F(DataLoaderTest, NoToTheQuestionKeepsTheOldData) {
    files.files["good.kq"] = WithTitle("good");
    BuiltContainer doubtful = test::SampleWriter().SetTitle("doubtful").Build();
    doubtful.BreakTableChecksum();
    files.files["doubtful.kq"] = doubtful.bytes;
    ASSERT_TRUE(Loader().LoadDataFile("good.kq"));
    ui.answers = {MessageBoxResult::No};
    EXPECT_FALSE(Loader().LoadDataFile("doubtful.kq"));
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{Q});
    EXPECT_EQ(Loader().Data().Title(), "good");
    EXPECT_TRUE(Loader().Source().OwnsBytes());
    ui.answers = {MessageBoxResult::Yes};
    EXPECT_TRUE(Loader().LoadDataFile("doubtful.kq"));
    EXPECT_EQ(Loader().Data().Title(), "doubtful");
    EXPECT_EQ(events, (std::vector<std::string>{"stop timer", "loaded file", "stop timer", "stop timer",
                                                "loaded file"}));
}

TEST_F(DataLoaderTest, ChooseDataFileAsksWithTheDialogsSettings) {
    files.files["/data/chara.kq"] = WithTitle("Chara");
    ui.picks = {"/data/chara.kq"};
    EXPECT_TRUE(Loader().ChooseDataFile());
    ASSERT_EQ(ui.requests.size(), 1u);
    const OpenFileRequest& r = ui.requests[0];
    EXPECT_EQ(test::SjisToUtf8(r.title), "データファイルの変更");
    EXPECT_EQ(r.filter, "KQ Files (*.kq) | *.kq ||");
    EXPECT_EQ(r.initialName, "*.kq");
    EXPECT_EQ(r.defaultExt, "kq");
    EXPECT_TRUE(r.fileMustExist);
    EXPECT_TRUE(r.hideReadOnly);
    EXPECT_EQ(state.m_strDataFile, "/data/chara.kq");
    EXPECT_EQ(state.m_strTitle, "Chara");
    EXPECT_TRUE(ui.shown.empty());
}

// Cancelling fails without a message; a failed load fails without showing the dialog again;
// neither touches the file name or the title.
TEST_F(DataLoaderTest, ChooseDataFileFailures) {
    ui.picks = {std::nullopt};
    EXPECT_FALSE(Loader().ChooseDataFile());
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_TRUE(files.reads.empty());

    ui.picks = {"empty.kq"};
    files.files["empty.kq"] = {};
    EXPECT_FALSE(Loader().ChooseDataFile());
    EXPECT_EQ(ui.requests.size(), 2u);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{M2});
    EXPECT_EQ(state.m_strDataFile, "xxx.xx");
    EXPECT_EQ(state.m_strTitle, "display name");
    EXPECT_FALSE(Loader().Source().HasData());
}

TEST_F(DataLoaderTest, CreationWithEmbeddedData) {
    // Embedded data is not validated: wrong checksums, wrong length, a too new version.
    BuiltContainer built = test::SampleWriter(304).SetTitle("embedded").Build();
    built.BreakHeaderChecksum().BreakTableChecksum().PutU32(28, 1);
    resources.blob = built.bytes;
    EXPECT_TRUE(Loader().LoadForCreation(DataSourceKind::Embedded));
    EXPECT_EQ(resources.asked, std::vector<std::string>{"KQ32/130"});
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_TRUE(ui.requests.empty());
    EXPECT_EQ(Loader().Data().Bytes().data(), resources.blob->data());  // used in place
    EXPECT_FALSE(Loader().Source().OwnsBytes());
    EXPECT_EQ(state.m_strTitle, "embedded");
    EXPECT_EQ(events, std::vector<std::string>{"loaded embedded"});
}

// A missing or too short resource ends creation quietly, before anything reads through it.
TEST_F(DataLoaderTest, CreationFailsOnUnusableEmbeddedData) {
    const Bytes sample = Sample(302);
    const std::optional<Bytes> blobs[] = {
        std::nullopt, Bytes{}, Bytes(sample.begin(), sample.begin() + 35),
        Bytes(sample.begin(), sample.end() - 120),  // the table's fixed part is cut
    };
    for (const auto& blob : blobs) {
        SCOPED_TRACE(blob ? blob->size() : -1);
        resources.blob = blob;
        EXPECT_FALSE(Loader().LoadForCreation(DataSourceKind::Embedded));
        EXPECT_FALSE(Loader().Source().HasData());
        EXPECT_TRUE(ui.shown.empty());
        EXPECT_EQ(state.m_strTitle, "display name");
    }
    EXPECT_TRUE(events.empty());
}

TEST_F(DataLoaderTest, CreationWithADataFile) {
    // The named file fails (M1), the dialog offers another, which loads.
    files.files["picked.kq"] = WithTitle("picked");
    ui.picks = {"picked.kq"};
    EXPECT_TRUE(Loader().LoadForCreation(DataSourceKind::File));
    EXPECT_EQ(files.reads, (std::vector<std::string>{"xxx.xx", "picked.kq"}));
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{M1});
    EXPECT_EQ(state.m_strTitle, "picked");
    EXPECT_EQ(state.m_strDataFile, "picked.kq");
    EXPECT_EQ(state.m_bDataNamed, 1);
}

TEST_F(DataLoaderTest, CreationOrder) {
    // No name known: straight to the dialog, whatever the build embeds.
    state.m_bDataNamed = 0;
    resources.blob = Sample(302);
    ui.picks = {std::nullopt};
    EXPECT_FALSE(Loader().LoadForCreation(DataSourceKind::Embedded));
    EXPECT_EQ(ui.requests.size(), 1u);
    EXPECT_TRUE(resources.asked.empty());

    // The named file loads: no dialog; its title is taken.
    state.m_bDataNamed = 1;
    state.m_strDataFile = "named.kq";
    files.files["named.kq"] = WithTitle("named");
    EXPECT_TRUE(Loader().LoadForCreation(DataSourceKind::File));
    EXPECT_EQ(ui.requests.size(), 1u);
    EXPECT_EQ(state.m_strTitle, "named");

    // Both the named file and the dialog fail: creation fails.
    state.m_strDataFile = "missing.kq";
    ui.picks = {std::nullopt};
    EXPECT_FALSE(Loader().LoadForCreation(DataSourceKind::File));
    EXPECT_EQ(ui.requests.size(), 2u);
    EXPECT_EQ(state.m_strTitle, "named");
}

// A title without its NUL is not taken; the copy keeps what it had.
TEST_F(DataLoaderTest, TitleWithoutNulLeavesTheCopy) {
    files.files["x.kq"] = WithTitle(std::string(32, 'T'));
    ui.picks = {"x.kq"};
    EXPECT_TRUE(Loader().ChooseDataFile());
    EXPECT_EQ(state.m_strTitle, "display name");
}

}  // namespace
}  // namespace mascot
