#pragma once

// Measurements between the two cursors of the scope graph: minimum, maximum,
// mean and peak-to-peak of each trace over the samples the cursors enclose.

#include "scope/scan.h"

#include <array>

namespace tavrino::scope {

struct TraceStatistics {
    double minimum = 0.0;
    double maximum = 0.0;
    double mean = 0.0;
    double peakToPeak = 0.0;
};

struct CursorStatistics {
    // The output positions measured, both included; first <= last.
    int first = 0;
    int last = kSamples - 1;
    std::array<TraceStatistics, 3> traces{}; // red, green, blue
};

// The samples from the one nearest the left cursor to the one nearest the
// right cursor, whichever cursor that is; the whole capture when both
// cursors are nearest the same sample. Positions beyond the capture count as
// its first or last sample.
[[nodiscard]] CursorStatistics cursorStatistics(const ScanResult& result, double x1, double x2);

} // namespace tavrino::scope
