// The program's one random generator. Mascot data relies on its exact sequence, so it is our
// own code rather than the C library's rand, which differs from platform to platform.
#pragma once

#include <cstdint>

namespace mascot {

inline constexpr int kRandMax = 0x7FFF;

// Sets the generator's state, as srand does; the state before the first Srand is 1.
void Srand(uint32_t seed);
// Advances the state (state * 214013 + 2531011, modulo 2^32) and returns bits 16 to 30 of it:
// a value from 0 to 32767.
int Rand();

}  // namespace mascot
