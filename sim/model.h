#pragma once

#include "measurement/record.h"
#include "parameters/options.h"
#include "scene.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tavrino::sim {

// Time since the sensor was switched on. Fine enough for the byte times of
// the fastest line rate.
using SimTime = std::chrono::nanoseconds;

inline constexpr std::size_t kTeachWordCount = 24; // 3 vectors of 8 signed words
using TeachWords = std::array<std::int32_t, kTeachWordCount>;

inline constexpr std::size_t kCalibrationRows = 64;
inline constexpr std::size_t kCalibrationTableSize = 384; // 64 rows x X, Y, Z, row by row
inline constexpr std::size_t kCalibrationBlockSize = 52;
inline constexpr std::size_t kFactorAreaSize = kCalibrationTableSize + kCalibrationBlockSize;
inline constexpr std::size_t kTableSettingsSize = 72;
inline constexpr std::size_t kHardwareInfoSize = 512;

// Words of the calibration block that the sensor itself uses.
namespace block {
inline constexpr std::size_t Rows = 16;
inline constexpr std::size_t Xn = 17; // Yn, Zn follow
inline constexpr std::size_t WhiteBalanceX = 23;
} // namespace block

// Everything the sensor keeps: RAM and EEPROM parameter sets, the
// calibration areas 0..3 (even: measured table, odd: factors + block),
// offsets, table settings, hardware information and the line's baud index.
struct SensorMemory {
    parameters::ParameterWords ramParameters{};
    parameters::ParameterWords eepromParameters{};
    TeachWords ramTeach{};
    TeachWords eepromTeach{};
    std::array<std::vector<std::uint8_t>, 4> calibration;
    std::array<std::uint16_t, 3> zeroPoint{};
    std::array<std::uint16_t, 3> xyzOffset{};
    std::array<std::uint8_t, kTableSettingsSize> tableSettings{};
    std::array<std::uint8_t, kHardwareInfoSize> hardwareInfo{};
    int baudIndex = 4;
    int eepromBaudIndex = 4;

    // Word `index` of the calibration block of factor area 1 or 3.
    [[nodiscard]] std::uint16_t blockWord(int area, std::size_t index) const;
};

// One measurement as the sensor reports it (the fields of the order-8
// payload, encoded with measurement::encodeRecord), plus the digital state
// bits that only the scope sees.
struct Measurement : measurement::MeasurementRecord {
    std::uint16_t stateBits = 0; // bit 0 IN0, bits 1 and 2 the two digital outputs
};

// Colour-space coordinates (first, second, intensity) in the order the
// measurement carries them, for XYZ scaled so that white has Y = 100. They
// invert the program's set-value conversions exactly.
struct Coordinates {
    double c1 = 0, c2 = 0, intensity = 0;
};
[[nodiscard]] Coordinates colourSpaceCoordinates(int colourSpace, Xyz xyz);

// The sensor's colour evaluation over the enabled teach rows.
struct TeachResult {
    int colorNo = 255;
    double deltaE = -1;
};
[[nodiscard]] TeachResult evaluateTeach(const TeachWords& teach, const parameters::ParameterWords& p,
                                        const Coordinates& c, bool belowIntensityLimit);

// The measuring head: light source, receiver, ADC and the firmware's
// evaluation, looking at a scene.
class MeasurementModel {
public:
    MeasurementModel(Scene scene, std::uint64_t seed, SimTime in0HalfPeriod);

    // The measurement at `t` with the RAM parameters. Takes first what the
    // latest IN0 rising edge up to `t` captures (CS REF reference, white
    // balance, XYZ offset IN0).
    [[nodiscard]] Measurement measure(const SensorMemory& memory, SimTime t);

    [[nodiscard]] bool in0(SimTime t) const;
    // First IN0 rising edge strictly after `t`.
    [[nodiscard]] SimTime nextRisingEdge(SimTime t) const;
    // What the covered receiver reads with the given parameters.
    [[nodiscard]] std::array<std::uint16_t, 3> darkSignal(const parameters::ParameterWords& p) const;
    // Noise-free raw values of a target with the given parameters.
    [[nodiscard]] std::array<double, 3> rawOf(const parameters::ParameterWords& p, Xyz target) const;
    // Noise-free coordinates of a target as the sensor would report them.
    [[nodiscard]] Coordinates coordinatesOf(const SensorMemory& memory, Xyz target) const;

private:
    struct Captures {
        std::optional<Coordinates> reference;
        std::optional<std::array<double, 3>> whiteBalance; // factors, 1024 = 1.0
        std::optional<std::array<double, 3>> in0Offset;
    };
    struct Evaluation {
        Measurement m;
        std::array<double, 3> raw{};           // after offset and clipping
        std::array<double, 3> beforeBalance{}; // calibrated, before the white balance
        Coordinates coordinates;
    };

    [[nodiscard]] Evaluation evaluate(const SensorMemory& memory, SimTime t, Xyz target, bool noise) const;
    [[nodiscard]] double gaussian(SimTime t, int channel) const;
    [[nodiscard]] double temperature(SimTime t) const;
    void takeCaptures(const SensorMemory& memory, SimTime t);

    Scene scene_;
    std::uint64_t seed_;
    SimTime in0HalfPeriod_;
    Captures captures_;
    std::optional<SimTime> lastEdge_;
};

} // namespace tavrino::sim
