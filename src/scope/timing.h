#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrino::scope {

inline constexpr int kOrderCycleTime = 105;
// The reply's A and B, two signed 32-bit values.
inline constexpr std::size_t kCycleTimeReplySize = 8;

// Scan frequency (Hz) and cycle time (ms) of the sensor.
struct CycleTime {
    double frequency = 0.0;
    double cycleMs = 0.0;
};

// From the cycle-time reply's A and B: f = A / (B x 0.01). A reply with B = 0
// gives no finite frequency and is shown like a failed request: 0 and 0.
[[nodiscard]] CycleTime cycleTimeFromReply(std::int32_t a, std::int32_t b);

[[nodiscard]] int frequencyDecimals(double frequency);
[[nodiscard]] int cycleTimeDecimals(double frequency);

// Time between the cursors: whole samples between them x cycle time x scan rate.
[[nodiscard]] double deltaXMs(double x1, double x2, double cycleMs, int scanRate);
[[nodiscard]] int deltaXDecimals(double deltaX);

// Axis and display precisions of the scope graph for a COLOR SPACE selection
// and recorded signal.
struct AxisSetup {
    double yMin = 0.0;
    double yMax = 4100.0;
    int labelDecimals = 0;
    int valueDecimals = 0; // delta Y and trigger level
};
[[nodiscard]] AxisSetup axisSetup(int colourSpace, int recordedSignal);

inline constexpr double kXMin = 0.0;
inline constexpr double kXMax = 128.0;

// `value` with `decimals` decimals and "." whatever the locale.
[[nodiscard]] std::string fixedText(double value, int decimals);
// The number fixedText() shows: `value` rounded to `decimals` decimals. A
// value that is not finite stays as it is.
[[nodiscard]] double roundedToDecimals(double value, int decimals);

} // namespace tavrino::scope
