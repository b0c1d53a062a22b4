#include "platform/sim/SimClock.h"

namespace mascot {
namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[(month - 1) % 12];
}

}  // namespace

// The base time plus the elapsed virtual time, carried through seconds, minutes, hours, days,
// months and years like a calendar.
LocalTime SimClock::Now() {
    LocalTime t = m_timeBase;
    uint64_t ms = t.milliseconds + m_elapsed;
    t.milliseconds = static_cast<uint16_t>(ms % 1000);
    uint64_t seconds = t.second + ms / 1000;
    t.second = static_cast<uint16_t>(seconds % 60);
    uint64_t minutes = t.minute + seconds / 60;
    t.minute = static_cast<uint16_t>(minutes % 60);
    uint64_t hours = t.hour + minutes / 60;
    t.hour = static_cast<uint16_t>(hours % 24);
    uint64_t days = hours / 24;
    t.dayOfWeek = static_cast<uint16_t>((t.dayOfWeek + days) % 7);
    int year = t.year;
    int month = t.month >= 1 && t.month <= 12 ? t.month : 1;
    uint64_t day = (t.day >= 1 ? t.day : 1) + days;
    while (day > static_cast<uint64_t>(DaysInMonth(year, month))) {
        day -= DaysInMonth(year, month);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    t.year = static_cast<uint16_t>(year);
    t.month = static_cast<uint16_t>(month);
    t.day = static_cast<uint16_t>(day);
    return t;
}

}  // namespace mascot
