#pragma once

#include "calibration/conversion.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tavrino::calibration {

using RawRows = std::array<RawTriple, kSetValueRows>;

inline constexpr std::uint16_t kUnitFactor = 1024;      // a factor of 1.0
inline constexpr std::uint16_t kDefaultSpace = 2;       // L*a*b*
inline constexpr std::uint16_t kResetWhitePoint = 4096; // XnYnZn after RESET reference

// The 52-byte block stored with the factors: 26 words in this order.
struct CalibrationBlock {
    // POWER, GAIN, INTEGRAL 1, INTEGRAL 2, the six double-parameter words,
    // CORRECTION VALUE X Y Z and the three cube-root correction words.
    std::array<std::uint16_t, 16> parameters{};
    std::uint16_t rows = 0;
    RawTriple whitePoint{};
    RawTriple referenceActual{};
    RawTriple whiteBalance{kUnitFactor, kUnitFactor, kUnitFactor};
    friend bool operator==(const CalibrationBlock&, const CalibrationBlock&) = default;
};

// What the SENSOR DATA page shows: the last read-back (or send) of one slot.
struct SensorCalibration {
    RawRows values{};
    RawRows factors{};
    CalibrationBlock block{};
};

// Every table and control of the calibration page and panel.
struct CalibrationTables {
    std::uint16_t referenceSpace = kDefaultSpace;
    std::uint16_t setValueSpace = kDefaultSpace;
    std::uint16_t rows = 1;  // ROWS: enabled set-value rows, 0..64
    std::uint16_t rowNo = 1; // No.: the row ASSIGN TO ROW fills, 1..64
    bool autoAdvance = true;

    Triple referenceSetValue{};
    RawTriple referenceActual{};
    Triple referenceXyz{};
    RawTriple whitePoint{kResetWhitePoint, kResetWhitePoint, kResetWhitePoint};

    SetValueRows setValues{};
    SetValueRows xyzSetValues{};
    RawRows actual{};
    RawRows factors = unitFactors();

    SensorCalibration sensor{};

    [[nodiscard]] static RawRows unitFactors();
    // Row r (1-based) takes part in the factors.
    [[nodiscard]] bool rowEnabled(std::size_t row) const { return row >= 1 && row <= rows; }
};

// The reset actions, each leaving exactly the listed values.
void resetReference(CalibrationTables& t);
void resetSetValues(CalibrationTables& t);
void resetActualValues(CalibrationTables& t);

// ASSIGN TO ROW: row No.: of the actual table := raw; No.: advances up to 64.
void assignToRow(CalibrationTables& t, const RawTriple& raw);

// Both XYZ tables recomputed from the set values and the selectors.
void convertSetValues(CalibrationTables& t);

// Clamps the ROWS and No.: controls to their ranges.
[[nodiscard]] std::uint16_t clampRows(int rows);
[[nodiscard]] std::uint16_t clampRowNo(int rowNo);

} // namespace tavrino::calibration
