#pragma once

#include "parameters/parameter_set.h"
#include "teach/teach_table.h"

#include <cstddef>
#include <cstdint>

namespace tavrino::parameters {

// A correction value c travels as word = c x 128; its cube-root word as
// cbrt(c x 128) x 1024, both truncated toward zero.
inline constexpr double kCorrectionScale = 128.0;
inline constexpr double kCubeRootScale = 1024.0;
// Teach cells travel in 16.16 fixed point.
inline constexpr double kFixedPointOne = teach::kCellScale;

// Every conversion below truncates toward zero and clamps to the field:
// NaN gives 0, values beyond the field give its lowest or highest value.
[[nodiscard]] std::uint16_t correctionWord(double value);
// From the untruncated product c x 128, so 1.5 gives 5907 (cbrt(192) x 1024).
[[nodiscard]] std::uint16_t cubeRootWord(double value);
[[nodiscard]] double correctionValue(std::uint16_t word);
// A cell read back from a parameter file goes out as the word it was saved
// from (teach::cellWord).
[[nodiscard]] std::int32_t toFixedPoint(double cell);
[[nodiscard]] double fromFixedPoint(std::int32_t word);

// Sets correction word 26 + axis and cube-root word 29 + axis (axis 0..2 for
// X, Y, Z) from a correction value.
void setCorrection(ParameterSet& set, std::size_t axis, double value);

// The 64-byte parameter block: the 32 words, little-endian.
void encodeParameterBlock(const ParameterSet& set, std::uint8_t* out);
// Takes the block from `length` received bytes; words beyond them become 0.
void decodeParameterBlock(ParameterSet& set, const std::uint8_t* bytes, std::size_t length);

// Writes the 3 x 6 teach cells into words 0..5 of the three vectors of the
// kept teach-vector block; words 6..7 stay as last received.
void encodeTeachBlock(ParameterSet& set);
// Keeps `length` received bytes as the teach-vector block (the rest becomes 0)
// and sets the 18 cells from it.
void decodeTeachBlock(ParameterSet& set, const std::uint8_t* bytes, std::size_t length);

} // namespace tavrino::parameters
