// Plain value types shared by the core and every backend.
#pragma once

#include <cstdint>
#include <functional>

namespace mascot {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Screen or client rectangle; right and bottom are exclusive.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// An opaque handle on a top-level window. The value 0 means "no window".
class WindowId {
public:
    constexpr WindowId() = default;
    constexpr explicit WindowId(uint64_t value) : m_value(value) {}
    constexpr uint64_t Value() const { return m_value; }
    constexpr explicit operator bool() const { return m_value != 0; }
    friend constexpr bool operator==(WindowId, WindowId) = default;

private:
    uint64_t m_value = 0;
};

// The local time as eight 16-bit fields, in the order scripts see them.
struct LocalTime {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

// Window message ids the core names. They travel between processes, so they keep the values
// every running mascot agrees on.
inline constexpr uint32_t kTimerScript = 1;
inline constexpr uint32_t kTimerTrack = 2;

}  // namespace mascot

template <>
struct std::hash<mascot::WindowId> {
    size_t operator()(mascot::WindowId id) const noexcept { return std::hash<uint64_t>{}(id.Value()); }
};
