#include "scope/timing.h"

#include "scope/scan.h"

#include <array>
#include <charconv>
#include <cmath>

namespace tavrino::scope {

CycleTime cycleTimeFromReply(std::int32_t a, std::int32_t b) {
    if (b == 0)
        return {};
    CycleTime t;
    t.frequency = static_cast<double>(a) / (static_cast<double>(b) * 0.01);
    if (!std::isfinite(t.frequency))
        return {};
    t.cycleMs = t.frequency > 0.0 ? 1000.0 / t.frequency : 0.0;
    return t;
}

int frequencyDecimals(double f) {
    if (f > 1000.0)
        return 0;
    return f > 1.0 ? 1 : 2;
}

int cycleTimeDecimals(double f) {
    if (f > 10000.0)
        return 6;
    return f > 1.0 ? 3 : 0;
}

double deltaXMs(double x1, double x2, double cycleMs, int scanRate) {
    const double n = std::trunc(std::fabs(x1 - x2));
    return n * cycleMs * scanRate;
}

int deltaXDecimals(double dx) {
    if (dx > 1000.0)
        return 0;
    return dx > 1.0 ? 3 : 6;
}

AxisSetup axisSetup(int colourSpace, int recordedSignal) {
    if (recordedSignal != kColourSpaceSignal)
        return {};
    static constexpr std::array<AxisSetup, 5> kByColourSpace{{
        {0.0, 1.0, 2, 4},
        {-500.0, 500.0, 1, 2},
        {-790.0, 725.0, 1, 2},
        {-16.0, 540.0, 1, 2},
        {-16.0, 100.0, 2, 3},
    }};
    if (colourSpace < 0 || colourSpace >= static_cast<int>(kByColourSpace.size()))
        return kByColourSpace[0];
    return kByColourSpace[static_cast<std::size_t>(colourSpace)];
}

std::string fixedText(double value, int decimals) {
    std::array<char, 64> buffer{};
    const auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                 std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        return "0";
    return std::string(buffer.data(), r.ptr);
}

double roundedToDecimals(double value, int decimals) {
    if (!std::isfinite(value))
        return value;
    const std::string text = fixedText(value, decimals);
    double shown = value;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), shown);
    return r.ec == std::errc() ? shown : value;
}

} // namespace tavrino::scope
