#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "app/Random.h"
#include "script/Interpreter.h"
#include "data/StringChains.h"
#include "support/RecordingScriptHost.h"
#include "support/ScriptAsm.h"

namespace mascot {
namespace {

using test::Asm;
using ::testing::ElementsAre;
using ::testing::Pair;
using ::testing::IsEmpty;

constexpr uint32_t kSeed = 20260104;

class InterpreterTest : public ::testing::Test {
protected:
    void SetUp() override { Srand(kSeed); }

    // Makes the assembled texts the container's patterns and the first one current.
    void Load(std::initializer_list<std::string_view> texts, uint16_t version = kDefaultVersion) {
        std::vector<std::vector<uint8_t>> patterns;
        for (std::string_view text : texts)
            patterns.push_back(Asm(text, version));
        LoadBytes(patterns, version);
    }
    void LoadBytes(const std::vector<std::vector<uint8_t>>& patterns, uint16_t version = kDefaultVersion) {
        host.version = version;
        host.SetPatterns(patterns);
        m_size = patterns.empty() ? 0 : static_cast<int32_t>(patterns[0].size());
        SelectInitialPattern(state, host, 1);
    }
    RunEnd Run() { return RunScript(state, host); }
    int32_t Size() const { return m_size; }

    test::RecordingScriptHost host;
    ScriptState state;

private:
    int32_t m_size = 0;
};

TEST_F(InterpreterTest, SkipsBytesThatAreNoOpcodeOneAtATime) {
    Load({"Name \"skip\"\n .byte 0, 200, 8, 50, 0\n"});
    EXPECT_EQ(Run(), RunEnd::Wait);
    EXPECT_THAT(host.events, ElementsAre("SetTimer 1 50"));
    EXPECT_TRUE(state.m_bTimerArmed);
    EXPECT_EQ(state.m_pc, Size());  // resumes after the wait's operand
}

TEST_F(InterpreterTest, IfComparesUnsignedAndUnknownCodesNeverJump) {
    struct Case {
        uint16_t a;
        const char* code;
        uint16_t b;
        bool jumps;
    };
    const Case cases[] = {
        {5, "!", 5, false},      {5, "!", 6, true},   {5, "<", 6, true},   {6, "<", 5, false},
        {5, "<", 5, false},      {5, "=", 5, true},   {5, "=", 6, false},  {7, ">", 5, true},
        {5, ">", 5, false},      {5, "35", 5, false}, {5, "35", 6, false}, {0xFFFF, ">", 10, true},
        {0x8000, "<", 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.a) + " " + c.code + " " + std::to_string(c.b));
        Load({"Name \"if\"\n If v1, " + std::string(c.code) + ", v2, yes\n Wait 1\n yes: Wait 2\n"});
        host.events.clear();
        state.m_vars[1] = c.a;
        state.m_vars[2] = c.b;
        EXPECT_EQ(Run(), RunEnd::Wait);
        EXPECT_THAT(host.events, ElementsAre(c.jumps ? "SetTimer 1 2" : "SetTimer 1 1"));
    }
}

TEST_F(InterpreterTest, NegativeCursorCoordinatesAreLargeUnsignedNumbers) {
    Load(
        {"Name \"cur\"\n Let v1, cursor.x\n Let v2, cursor.y\n If cursor.x, >, 10, right\n Wait 1\n"
         "right: Wait 2\n"});
    host.cursor = Point{-5, 70000};
    EXPECT_EQ(Run(), RunEnd::Wait);
    EXPECT_EQ(state.m_vars[1], 65531);
    EXPECT_EQ(state.m_vars[2], 70000 - 65536);  // cut to 16 bits
    EXPECT_THAT(host.events, ElementsAre("SetTimer 1 2"));
}

TEST_F(InterpreterTest, DestinationsAndOperandWordsNameVariablesByTheirMasks) {
    Load(
        {"Name \"vars\"\n"
         " Let raw(5), 11\n"       // destination 5: variable 5
         " Add raw(0x8005), 1\n"   // destination 0x8005: variable 5 too
         " Let raw(0xC005), 99\n"  // destination 0x4005: no variable, dropped
         " Let v1, v5\n"
         " Let v2, raw(0xC005)\n"  // bit 14 of a reference is ignored
         " Let v3, 5\n"            // a literal
         " Let v4, raw(0xFFFB)\n"  // -5 is a reference to variable 0x3FFB
         " Let v6, raw(0x8064)\n"  // variable 100
         " Let raw(0x8064), 7\n"
         " Wait 1\n"});
    state.m_vars[4] = 0xAAAA;
    state.m_vars[6] = 0xAAAA;
    EXPECT_EQ(Run(), RunEnd::Wait);
    std::array<uint16_t, kVariableCount> expected{};
    expected[1] = expected[2] = expected[5] = 12;
    expected[3] = 5;
    EXPECT_EQ(state.m_vars, expected);
}

TEST_F(InterpreterTest, ArithmeticWrapsAtSixteenBitsAndModByZeroKeepsTheVariable) {
    Load(
        {"Name \"calc\"\n"
         " Let v1, 32767\n Add v1, 32767\n Add v1, 2\n"  // 65536 wraps to 0
         " Let v2, 0\n Sub v2, 1\n"                      // 65535
         " Let v3, v2\n Mod v3, 1000\n"                  // unsigned: 535
         " Let v4, 0x0F0F\n And v4, 0x00FF\n Or v4, 0x3000\n"
         " Let v5, 77\n Mod v5, 0\n"
         " Let v6, v2\n Mod v6, v7\n"  // v7 is 0
         " Wait 1\n"});
    EXPECT_EQ(Run(), RunEnd::Wait);
    EXPECT_EQ(state.m_vars[1], 0);
    EXPECT_EQ(state.m_vars[2], 65535);
    EXPECT_EQ(state.m_vars[3], 535);
    EXPECT_EQ(state.m_vars[4], 0x300F);
    EXPECT_EQ(state.m_vars[5], 77);
    EXPECT_EQ(state.m_vars[6], 65535);
}

// An empty string takes one stored byte from version 301 on and none before. The stored byte
// here is 8, the Wait opcode: a reader that skipped it would wait 0x0508 ms instead of 5.
TEST_F(InterpreterTest, EmptyStringsConsumeOneByteOnlyWhenScrambled) {
    struct Case {
        uint16_t version;
        const char* text;
    };
    const Case cases[] = {
        {300, "Name \"e\"\n .byte 3, 0, 0\n Wait 5\n"},
        {302, "Name \"e\"\n .byte 3, 0, 0, 8\n Wait 5\n"},
        {300, "Name \"e\"\n Text 1, 2, \"\"\n Wait 5\n"},
        {302, "Name \"e\"\n Text 1, 2, \"\"\n Wait 5\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.version) + ": " + c.text);
        host.events.clear();
        Load({c.text}, c.version);
        EXPECT_EQ(Run(), RunEnd::Wait);
        EXPECT_EQ(host.events.back(), "SetTimer 1 5");
        EXPECT_EQ(state.m_pc, Size());
    }
}

TEST_F(InterpreterTest, StringsDecodeInBothFormsAndEndAtTheirFirstZeroByte) {
    for (uint16_t version : {uint16_t{300}, uint16_t{302}}) {
        SCOPED_TRACE(version);
        host.events.clear();
        Load({"Name \"s\"\n PlayFile \"sa0016_.wav\"\n Text 10, 20, \"ab\\x00cd\"\n Launch \"x y\"\n"
              " Remark \"nothing\"\n WriteProfile \"Count\", 3\n Wait 1\n"},
             version);
        EXPECT_EQ(Run(), RunEnd::Wait);
        EXPECT_THAT(host.events, ElementsAre("PlayFile sa0016_.wav", "Text 10 20 ab", "Launch x y",
                                             "WriteProfile Count 3", "SetTimer 1 1"));
    }
}

// A string longer than the 255-byte buffer is consumed whole and cut.
TEST_F(InterpreterTest, OverlongStringsAreCutToTheBuffer) {
    for (uint16_t version : {uint16_t{300}, uint16_t{302}}) {
        SCOPED_TRACE(version);
        std::vector<uint8_t> code = Asm("Name \"long\"\n", version);
        const std::vector<uint8_t> plain(300, 'a');
        code.insert(code.end(), {10, 300 & 0xFF, 300 >> 8});  // PlayFile, length 300
        std::vector<uint8_t> stored(plain.size());
        if (version >= 301)
            EncodeScriptChain(plain, 300 & 0xFF, stored);
        else
            stored = plain;
        code.insert(code.end(), stored.begin(), stored.end());
        const std::vector<uint8_t> tail = {8, 9, 0};  // Wait 9
        code.insert(code.end(), tail.begin(), tail.end());
        host.events.clear();
        LoadBytes({code}, version);
        EXPECT_EQ(Run(), RunEnd::Wait);
        EXPECT_THAT(host.events, ElementsAre("PlayFile " + std::string(255, 'a'), "SetTimer 1 9"));
    }
}

TEST_F(InterpreterTest, WaitRandomAddsAPartOfTheDrawnNumberAndWrapsAt65536) {
    struct Case {
        const char* setup;
        uint32_t a;
        uint32_t b;
    };
    const Case cases[] = {{"", 4000, 5000}, {" Let v1, 32767\n Add v1, 32233\n", 65000, 5000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a);
        host.events.clear();
        Load({"Name \"wr\"\n" + std::string(c.setup) + " WaitRandom " +
              (c.a > 32767 ? "v1" : std::to_string(c.a)) + ", " + std::to_string(c.b) + "\n"});
        Srand(kSeed);
        const uint32_t expected = (c.a + static_cast<uint32_t>(Rand()) % c.b) % 65536;
        Srand(kSeed);
        EXPECT_EQ(Run(), RunEnd::Wait);
        EXPECT_THAT(host.events, ElementsAre("SetTimer 1 " + std::to_string(expected)));
    }
    // With this seed the random part is large enough to wrap.
    EXPECT_LT(std::stoul(host.events[0].substr(11)), 65000u);
}

TEST_F(InterpreterTest, WaitRandomByZeroWaitsTheFirstOperandAndDrawsNothing) {
    Load({"Name \"w0\"\n WaitRandom 300, 0\n"});
    EXPECT_EQ(Run(), RunEnd::Wait);
    EXPECT_THAT(host.events, ElementsAre("SetTimer 1 300"));
    const int next = Rand();
    Srand(kSeed);
    EXPECT_EQ(next, Rand());
}

TEST_F(InterpreterTest, TimeFieldsReadTheCopyOfTheLastClockReading) {
    host.times = {LocalTime{2026, 3, 2, 17, 8, 5, 6, 250}, LocalTime{2031, 12, 3, 31, 23, 59, 58, 999}};
    Load(
        {"Name \"time\"\n"
         " Let v1, time.year\n"  // before any reading: the untouched copy
         " Let v2, time.ms\n Let v3, time.year\n Let v4, time.month\n Let v5, time.day\n"
         " Let v6, time.hour\n Let v7, time.minute\n Let v8, time.second\n"
         " Let v9, time.ms\n Let v10, time.year\n"
         " Let v11, position\n Let v12, random100\n Let v13, random100\n Wait 1\n"});
    EXPECT_EQ(Run(), RunEnd::Wait);
    const std::vector<uint16_t> got(state.m_vars.begin() + 1, state.m_vars.begin() + 12);
    EXPECT_THAT(got, ElementsAre(0, 250, 2026, 3, 17, 8, 5, 6, 999, 2031, 90));
    Srand(kSeed);
    const int first = Rand() % 100;
    EXPECT_EQ(state.m_vars[12], first);
    EXPECT_EQ(state.m_vars[13], Rand() % 100);
}

TEST_F(InterpreterTest, EffectsReceiveTheirDecodedOperands) {
    Load(
        {"Name \"fx\"\n MakeShape 'b', 3\n Let v9, v0\n MakeShape 'a', 4\n SetShape v9\n Draw 2\n"
         " PlaySound 4\n SetHeight 96\n Palette 'b', 1\n ReadSetting \"Mood\", v3, 42\n"
         " Font 12, \"Gothic\"\n Text 0, 0, \"hi\"\n SetPosition 150\n Wait 1\n"});
    host.nextSlot = 7;
    EXPECT_EQ(Run(), RunEnd::SetPosition);
    EXPECT_THAT(host.events, ElementsAre("MakeShape 98 3", "MakeShape 97 4", "SetShape 7", "Draw 2",
                                         "PlaySound 4", "SetHeight 96", "Palette 98 1", "ReadSetting Mood 42",
                                         "Font 12 Gothic", "Text 0 0 hi", "SetPosition 150"));
    EXPECT_EQ(state.m_vars[0], 8);
    EXPECT_EQ(state.m_vars[9], 7);
    EXPECT_EQ(state.m_vars[3], 42);
    EXPECT_FALSE(state.m_bTimerArmed);  // SetPosition halts the pattern
    EXPECT_EQ(state.m_pc, Size() - 3);  // at the Wait after it
    ASSERT_NE(state.m_pFont, nullptr);
    EXPECT_EQ(static_cast<test::RecordingFont&>(*state.m_pFont).height, 12);
}

TEST_F(InterpreterTest, ClickHandlerAndAutoAnimationJumps) {
    Load(
        {"Name \"click\"\n OnClick handler\n IfAutoOff still\n Wait 1\n still: Wait 2\n"
         "handler: ClearClick\n Wait 3\n"});
    host.autoAnimation = false;
    EXPECT_EQ(Run(), RunEnd::Wait);
    EXPECT_THAT(host.events, ElementsAre("SetTimer 1 2"));
    ASSERT_NE(state.m_clickTarget, kNoClickHandler);
    // A press runs the handler from its offset.
    state.m_pc = state.m_clickTarget;
    EXPECT_EQ(Run(), RunEnd::Wait);
    EXPECT_EQ(state.m_clickTarget, kNoClickHandler);
    EXPECT_EQ(host.events.back(), "SetTimer 1 3");
}

TEST_F(InterpreterTest, ChangePatternSelectsByCommandNumberOrAtRandom) {
    Load({"Name \"one\"\n Let v1, 32767\n Add v1, 14\n Font 9, \"F\"\n OnClick 5\n ChangePattern v1\n",
          "Name \"two\"\n ChangePattern 0\n", "Name \"three\"\n Wait 1\n"});
    EXPECT_EQ(Run(), RunEnd::ChangePattern);  // v1 = 32781: pattern 1 again
    EXPECT_EQ(state.m_patternChoice, 1);
    EXPECT_EQ(state.m_patternIndex, 0);
    EXPECT_EQ(state.m_pc, 0);
    EXPECT_EQ(state.m_pFont, nullptr);
    EXPECT_EQ(state.m_clickTarget, 5);  // kept across pattern changes
    EXPECT_EQ(state.m_vars[1], 32781);
    EXPECT_THAT(host.events, ElementsAre("Font 9 F", "FreeRegionSlots", "KillTimer 1", "SetTimer 1 10"));

    SelectPattern(state, host, 2);
    Srand(kSeed);
    const int expectedIndex = Rand() % 3;
    Srand(kSeed);
    EXPECT_EQ(Run(), RunEnd::ChangePattern);
    EXPECT_EQ(state.m_patternChoice, 0);
    EXPECT_EQ(state.m_patternIndex, expectedIndex);
    EXPECT_TRUE(state.m_bTimerArmed);
    // Each choice is reported once it is made, the initial one included.
    EXPECT_THAT(host.selected, ElementsAre(Pair(0, 1), Pair(0, 1), Pair(1, 2), Pair(expectedIndex, 0)));
}

TEST_F(InterpreterTest, SelectPatternClampsTheChoiceAndTheInitialChoiceArmsNothing) {
    struct Case {
        int32_t n;
        int32_t choice;
    };
    const Case cases[] = {{1, 1}, {2, 2}, {32780 + 2, 2}, {32796, 2}, {7, 2}, {-4, 0}};
    Load({"Name \"a\"\n Wait 1\n", "Name \"b\"\n Wait 2\n"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        state.m_pc = 9;
        SelectPattern(state, host, c.n);
        EXPECT_EQ(state.m_patternChoice, c.choice);
        EXPECT_EQ(state.m_pc, 0);
        if (c.choice != 0) {
            EXPECT_EQ(state.m_patternIndex, c.choice - 1);
        }
    }
    host.events.clear();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        SelectInitialPattern(state, host, c.n);
        EXPECT_EQ(state.m_patternChoice, c.n == 32782 ? 2 : c.choice);
    }
    EXPECT_THAT(host.events, IsEmpty());
}

TEST_F(InterpreterTest, NoPatternsMeansNothingRuns) {
    LoadBytes({});
    EXPECT_EQ(state.m_patternIndex, kNoPattern);
    EXPECT_EQ(Run(), RunEnd::NoPattern);
    SelectPattern(state, host, 0);
    EXPECT_EQ(state.m_patternChoice, 0);
    EXPECT_EQ(Run(), RunEnd::NoPattern);
    EXPECT_THAT(host.selected, ElementsAre(Pair(kNoPattern, 0), Pair(kNoPattern, 0)));
}

TEST_F(InterpreterTest, TheBudgetHaltsAnEndlessLoopAndAPatternChoiceRestartsIt) {
    Load({"Name \"spin\"\n OnClick done\n loop: Add v1, 1\n Goto loop\n done: Wait 4\n"});
    EXPECT_EQ(Run(), RunEnd::Budget);
    EXPECT_FALSE(state.m_bTimerArmed);
    EXPECT_THAT(host.events, IsEmpty());
    EXPECT_NEAR(state.m_vars[1], kRunBudget / 2, 2);
    // A click still runs the handler.
    state.m_pc = state.m_clickTarget;
    EXPECT_EQ(Run(), RunEnd::Wait);
    // A pattern choice starts it again from its beginning.
    SelectPattern(state, host, 1);
    EXPECT_EQ(Run(), RunEnd::Budget);
}

TEST_F(InterpreterTest, LeavingThePatternHaltsBeforeTheInstructionActs) {
    struct Case {
        const char* text;
        RunEnd end;
        const char* lastEvent;
    };
    const Case cases[] = {
        {"Name \"g\"\n Goto 5000\n", RunEnd::BadJump, nullptr},
        {"Name \"g\"\n Goto 4294967295\n", RunEnd::BadJump, nullptr},
        {"Name \"i\"\n If 1, =, 1, 99999\n", RunEnd::BadJump, nullptr},
        {"Name \"i\"\n If 1, =, 2, 99999\n Wait 6\n", RunEnd::Wait, "SetTimer 1 6"},  // not taken
        {"Name \"a\"\n IfAutoOff 70000\n Wait 6\n", RunEnd::Wait, "SetTimer 1 6"},
        {"Name \"e\"\n Draw 1\n", RunEnd::OutOfPattern, "Draw 1"},                // runs off the end
        {"Name \"t\"\n Draw 1\n .byte 8, 50\n", RunEnd::OutOfPattern, "Draw 1"},  // cut operand
        {"Name \"s\"\n .byte 10, 50, 0, 1, 2\n", RunEnd::OutOfPattern, nullptr},  // string past the end
        {"Name \"s\"\n .byte 10, 0, 0\n", RunEnd::OutOfPattern, nullptr},         // empty, no stored byte
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        host.events.clear();
        Load({c.text});
        const int32_t lastStart = static_cast<int32_t>(test::Asm(c.text).size());
        EXPECT_EQ(Run(), c.end);
        EXPECT_FALSE(c.end != RunEnd::Wait && state.m_bTimerArmed);
        if (c.lastEvent) {
            EXPECT_EQ(host.events.back(), c.lastEvent);
        } else {
            EXPECT_THAT(host.events, IsEmpty());
        }
        if (IsFault(c.end)) {
            EXPECT_LE(state.m_pc, lastStart);  // at the instruction that left the pattern
        }
        state.m_bTimerArmed = false;
    }
}

TEST_F(InterpreterTest, AProgramCounterOutsideThePatternHalts) {
    Load({"Name \"pc\"\n OnClick 9999\n Wait 1\n"});
    EXPECT_EQ(Run(), RunEnd::Wait);
    state.m_pc = state.m_clickTarget;
    EXPECT_EQ(Run(), RunEnd::OutOfPattern);
    state.m_pc = -1;
    EXPECT_EQ(Run(), RunEnd::OutOfPattern);
    EXPECT_THAT(host.events, ElementsAre("SetTimer 1 1"));
}

}  // namespace
}  // namespace mascot
