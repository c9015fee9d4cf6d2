#include "recorder/record_time.h"

#include <cmath>

namespace tavrino::recorder {

double usableInterval(double seconds) {
    if (!(seconds >= kMinimumInterval)) // also NaN
        return kMinimumInterval;
    return seconds > kMaximumInterval ? kMaximumInterval : seconds;
}

RecordTime splitRecordTime(double interval, std::uint16_t values) {
    const double total = usableInterval(interval) * static_cast<double>(values);
    RecordTime t;
    t.days = static_cast<int>(std::trunc(total / 86400.0));
    const double rest = total - t.days * 86400.0;
    t.hours = static_cast<int>(std::trunc(rest / 3600.0));
    const double minutesRest = rest - t.hours * 3600.0;
    t.minutes = static_cast<int>(std::trunc(minutesRest / 60.0));
    t.seconds = minutesRest - t.minutes * 60.0;
    return t;
}

std::chrono::nanoseconds intervalDuration(double seconds) {
    return std::chrono::nanoseconds(static_cast<std::int64_t>(std::llround(usableInterval(seconds) * 1e9)));
}

} // namespace tavrino::recorder
