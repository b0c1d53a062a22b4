// The interpreter's decoding speed on a pattern that loops through arithmetic, If and jumps.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "script/Assembler.h"
#include "script/Interpreter.h"
#include "tests/support/RecordingScriptHost.h"

namespace mascot {
namespace {

// Each round: Let, 10000 times the seven instructions of the loop, then Wait.
constexpr int64_t kInstructionsPerRun = 2 + 7 * 10000;

const char* const kPattern = R"(Name "bench"
    Let v1, 0
loop:
    Add v1, 1
    Let v2, v1
    Mod v2, 7
    If v2, =, 99, never
    Sub v3, v2
    Or v3, 1
    If v1, <, 10000, loop
never:
    Wait 50
)";

void BM_RunScriptArithmeticLoop(benchmark::State& bench) {
    const AsmOutput out = Assemble(kPattern);
    if (!out.Ok()) {
        bench.SkipWithError(out.errors[0].ToString().c_str());
        return;
    }
    test::RecordingScriptHost host;
    host.SetPatterns({out.code});
    ScriptState state;
    SelectInitialPattern(state, host, 1);
    // The budget counts executed instructions: one fewer than the pattern needs must stop it.
    if (RunScript(state, host, kInstructionsPerRun - 1) != RunEnd::Budget) {
        bench.SkipWithError("the pattern executes another number of instructions than counted");
        return;
    }
    for (auto _ : bench) {
        state.m_pc = 0;
        host.events.clear();
        const RunEnd end = RunScript(state, host);
        if (end != RunEnd::Wait) {
            bench.SkipWithError(RunEndName(end));
            return;
        }
        benchmark::DoNotOptimize(state.m_vars[3]);
    }
    bench.SetItemsProcessed(bench.iterations() * kInstructionsPerRun);
}
BENCHMARK(BM_RunScriptArithmeticLoop);

}  // namespace
}  // namespace mascot
