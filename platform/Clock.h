#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace mascot {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since some start; 32 bits, wraps around.
    virtual uint32_t TickCount() = 0;
    virtual LocalTime Now() = 0;
};

}  // namespace mascot
