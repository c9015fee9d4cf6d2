#pragma once

// The arithmetic of interval recording: the interval the loop keeps, the
// record time of a series and the cycle deadline.

#include <chrono>
#include <cstdint>

namespace tavrino::recorder {

inline constexpr double kMinimumInterval = 0.25; // seconds
// Far beyond any useful interval; it keeps every later product finite and
// the interval's nanoseconds inside 64 bits.
inline constexpr double kMaximumInterval = 1e7;

// The interval the recorder works with: below 0.25 s (and NaN) 0.25 s,
// above kMaximumInterval that.
[[nodiscard]] double usableInterval(double seconds);

// Interval x number of values, split into whole days, hours and minutes and
// the seconds left with their fraction.
struct RecordTime {
    int days = 0;
    int hours = 0;
    int minutes = 0;
    double seconds = 0;
    friend bool operator==(const RecordTime&, const RecordTime&) = default;
};
// (The number of values is the page's 16-bit field, so the days fit an int.)
[[nodiscard]] RecordTime splitRecordTime(double interval, std::uint16_t values);

// The time from the start of one request to the start of the next, for a
// usable interval (see usableInterval), to the nanosecond.
[[nodiscard]] std::chrono::nanoseconds intervalDuration(double seconds);

} // namespace tavrino::recorder
