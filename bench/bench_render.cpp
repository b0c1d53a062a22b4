// The rendering work of one animation frame and of filling a region slot, at the size of the
// largest character (112 x 160).
#include <benchmark/benchmark.h>

#include "render/DrawDib.h"
#include "render/MaskRegion.h"
#include "tests/support/DibBuilder.h"

namespace mascot {
namespace {

constexpr int32_t kWidth = 112;
constexpr int32_t kHeight = 160;

uint32_t OutlinePixel(int32_t x, int32_t y) {
    return test::MascotOutline(x, y, kWidth, kHeight) ? 0u : 1u;
}

void BuildMaskRegion(benchmark::State& state, const std::vector<uint8_t>& bytes) {
    const Dib mask = test::ParseOrDie(bytes);
    size_t rects = 0;
    for (auto _ : state) {
        CMaskRgn region;
        benchmark::DoNotOptimize(region.BuildFromMask(mask));
        rects = region.GetRegion()->RectCount();
    }
    state.counters["rects"] = double(rects);
}

void BM_BuildMaskRegion(benchmark::State& state) {
    BuildMaskRegion(state, test::MakeMask(kWidth, kHeight, 1, OutlinePixel));
}
BENCHMARK(BM_BuildMaskRegion);

void BM_BuildPackedMaskRegion(benchmark::State& state) {
    BuildMaskRegion(state, test::MakePackedMask(kWidth, kHeight, OutlinePixel));
}
BENCHMARK(BM_BuildPackedMaskRegion);

void DrawFullFrame(benchmark::State& state, uint16_t bitCount) {
    std::vector<uint32_t> table;
    for (uint32_t k = 0; k < 256; ++k)
        table.push_back(k * 0x010101);
    const std::vector<uint8_t> bytes =
        test::MakeDib(kWidth, kHeight, bitCount, table,
                      [](int32_t x, int32_t y) { return uint32_t(x * 7 + y * 3) * 0x10305u; });
    const Dib frame = test::ParseOrDie(bytes);
    Surface backBuffer(kWidth, kHeight);
    for (auto _ : state) {
        DrawDibAt(backBuffer, 0, 0, frame);
        benchmark::DoNotOptimize(backBuffer.Row(0));
        benchmark::ClobberMemory();
    }
}

void BM_DrawFullFrame8(benchmark::State& state) {
    DrawFullFrame(state, 8);
}
BENCHMARK(BM_DrawFullFrame8);

void BM_DrawFullFrame24(benchmark::State& state) {
    DrawFullFrame(state, 24);
}
BENCHMARK(BM_DrawFullFrame24);

}  // namespace
}  // namespace mascot
