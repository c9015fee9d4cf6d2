#include "scope/statistics.h"

#include <algorithm>
#include <cmath>

namespace tavrino::scope {

namespace {

int nearestSample(double x) {
    if (!std::isfinite(x))
        return 0;
    return static_cast<int>(std::clamp(std::round(x), 0.0, static_cast<double>(kSamples - 1)));
}

TraceStatistics traceStatistics(const std::array<double, kSamples>& trace, int first, int last) {
    const auto begin = trace.begin() + first;
    const auto end = trace.begin() + last + 1;
    const auto [low, high] = std::minmax_element(begin, end);
    double sum = 0.0;
    for (auto it = begin; it != end; ++it)
        sum += *it;
    TraceStatistics t;
    t.minimum = *low;
    t.maximum = *high;
    t.mean = sum / static_cast<double>(last - first + 1);
    t.peakToPeak = t.maximum - t.minimum;
    return t;
}

} // namespace

CursorStatistics cursorStatistics(const ScanResult& result, double x1, double x2) {
    CursorStatistics s;
    const int a = nearestSample(x1);
    const int b = nearestSample(x2);
    if (a != b) {
        s.first = std::min(a, b);
        s.last = std::max(a, b);
    }
    s.traces[0] = traceStatistics(result.red, s.first, s.last);
    s.traces[1] = traceStatistics(result.green, s.first, s.last);
    s.traces[2] = traceStatistics(result.blue, s.first, s.last);
    return s;
}

} // namespace tavrino::scope
