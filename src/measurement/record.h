#pragma once

#include "common/teach_rows.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tavrino::measurement {

inline constexpr std::size_t kPayloadSize = 52;
inline constexpr std::uint8_t kNoColour = 255;

// The one decoded measurement frame. Starts all zero.
struct MeasurementRecord {
    std::array<std::uint8_t, kPayloadSize> raw{};
    double csX = 0, csY = 0, csI = 0;
    double refX = 0, refY = 0, refI = 0;
    double deltaE = 0;
    std::int16_t X = 0, Y = 0, Z = 0;
    std::int16_t rawX = 0, rawY = 0, rawZ = 0;
    std::int16_t colorNo = 0;
    std::int16_t in0 = 0;
    std::int16_t temp = 0;
    std::int16_t dpSet = 0;
    std::int16_t sat = 0;
    std::int16_t prevColorNo = 0;
};

// 16.16 fixed point to double.
[[nodiscard]] constexpr double fixedToDouble(std::int32_t v) {
    return static_cast<double>(v) / 65536.0;
}

// Decodes the 52 bytes held in `raw` into the record's fields.
void ConvertData(MeasurementRecord& record);

// The 52 payload bytes of the record's fields, in the layout ConvertData
// reads (`raw` and prevColorNo are not part of it). A fixed-point value
// beyond the 32-bit range is clamped.
[[nodiscard]] std::array<std::uint8_t, kPayloadSize> encodeRecord(const MeasurementRecord& record);

// Copies a received payload into the record and decodes it. A payload shorter
// than 52 bytes leaves the missing bytes zero. With `keepPrevious` the colour
// number of the frame before is kept in prevColorNo first (the recorder loops
// decode without that copy).
void acceptFrame(MeasurementRecord& record, const std::uint8_t* payload, std::size_t length,
                 bool keepPrevious);

// Colour of the current measurement: X/16, Y/16, Z/16, truncated toward zero.
// Components may lie outside 0..255; whoever paints with it clamps.
struct DisplayColour {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const DisplayColour&, const DisplayColour&) = default;
};
[[nodiscard]] DisplayColour displayColour(const MeasurementRecord& record);
// The colour clamped to 0..255 per component, for painting.
[[nodiscard]] DisplayColour clampedColour(DisplayColour c);

// The three single deviations from the hit teach row: current coordinate minus
// the row's first three columns; without a hit (255 or anything outside 0..2)
// all three are deltaE. `teachTable` holds three rows of six values.
struct Deviations {
    double d1 = 0, d2 = 0, dI = 0;
};
[[nodiscard]] Deviations singleDeviations(const MeasurementRecord& record, const TeachRows& teachTable);

// Graph histories, oldest first, newest last; fixed size, shifted in place.
struct GraphHistories {
    static constexpr std::size_t kSamples = 100;
    std::array<double, 3 * kSamples> xyz{}; // consecutive X, Y, Z triples
    std::array<double, kSamples> csX{};
    std::array<double, kSamples> csY{};
    std::array<double, kSamples> csI{};

    void append(const MeasurementRecord& record);
    void clear();
};

} // namespace tavrino::measurement
