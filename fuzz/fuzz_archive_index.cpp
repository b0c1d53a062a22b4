// libFuzzer entry point: see ArchiveIndex in FuzzTargets.h.
#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string broken = mascot::fuzz::ArchiveIndex(std::span<const uint8_t>(data, size));
    if (!broken.empty()) {
        std::fprintf(stderr, "broken invariant: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
