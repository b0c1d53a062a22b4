// Virtual time for the simulated desktop: nothing moves unless the simulation advances it.
#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace mascot {

class SimClock final : public Clock {
public:
    // Milliseconds of virtual time since the simulation started.
    uint64_t Elapsed() const { return m_elapsed; }
    void Advance(uint64_t ms) { m_elapsed += ms; }
    void AdvanceTo(uint64_t elapsed) {
        if (elapsed > m_elapsed)
            m_elapsed = elapsed;
    }

    // The tick count at virtual time 0; ticks wrap around at 2^32 as the platform's do.
    void SetTickBase(uint32_t base) { m_tickBase = base; }
    // The local time at virtual time 0.
    void SetLocalTimeBase(const LocalTime& base) { m_timeBase = base; }

    uint32_t TickCount() override { return static_cast<uint32_t>(m_tickBase + m_elapsed); }
    LocalTime Now() override;

private:
    uint64_t m_elapsed = 0;
    uint32_t m_tickBase = 0;
    LocalTime m_timeBase{2026, 1, 4, 1, 9, 0, 0, 0};  // a Thursday morning
};

}  // namespace mascot
