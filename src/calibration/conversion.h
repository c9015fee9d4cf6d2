#pragma once

#include "calibration/colour_space.h"
#include "common/language.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace tavrino::calibration {

// A set value (c1, c2, c3) in the column order of its colour space, or an XYZ.
using Triple = std::array<double, 3>;
// A row of measured raw values (or a white point) on the sensor's raw scale.
using RawTriple = std::array<std::uint16_t, 3>;

inline constexpr std::size_t kSetValueRows = 64;
using SetValueRows = std::array<Triple, kSetValueRows>;

// Constants of the conversions, kept exactly: they decide the XYZ every
// calibration factor is computed from, including the Z scale of xyY (108)
// that differs from the nominal Zn.
namespace constants {
inline constexpr double kNominalXn = 95.05;
inline constexpr double kNominalYn = 100.0;
inline constexpr double kNominalZn = 108.9;
inline constexpr double kXyyZScale = 108.0;
inline constexpr double kUvlXScale = 0.9505;
inline constexpr double kUvlZScale = 1.089;
inline constexpr double kUnPrime = 0.1978374215570981;
inline constexpr double kVnPrime = 0.46831583219723383;
inline constexpr double kFullTurn = 6.28318530718;
inline constexpr double kOneThird = 0.3333333333333333;
inline constexpr double kWhitePointLimit = 60000.0;
} // namespace constants

// Converts a set value of calibration colour space `calibSpace` (0 XYZ, 1 xyY,
// 2 L*a*b*, 3 L*u*v*, 4 L*C*h*, 5 u'v'L*) to XYZ. Any other space gives
// 0, 0, 0. Divisions by zero are not guarded: a y of 0 (xyY) or a v' of 0
// (u'v'L*) gives infinite or NaN components, which whoever narrows them must
// check (see common/convert.h).
[[nodiscard]] Triple setValueToXyz(std::uint16_t calibSpace, const Triple& setValue);

// Both set-value tables of the calibration converted at once: the reference
// row with the reference colour space, all 64 set-value rows with the
// set-value colour space, whatever the number of enabled rows.
struct ConvertedSetValues {
    Triple reference{};
    SetValueRows rows{};
};
[[nodiscard]] ConvertedSetValues CalcXYZfromSetvalue(std::uint16_t referenceSpace,
                                                     const Triple& referenceSetValue,
                                                     std::uint16_t setValueSpace,
                                                     const SetValueRows& setValues);

enum class WhitePointStatus {
    Accepted,   // every component within the limit and finite
    AboveLimit, // some component above 60000 (or infinite): kWhitePointTooHigh is due
    Undefined,  // some component NaN or negative, none above the limit: no usable white point
};

struct WhitePoint {
    // What the XnYnZn table keeps: each component truncated toward zero and
    // clamped to 16 bits (NaN gives 0). It is stored whatever the status.
    RawTriple stored{};
    // Each component truncated toward zero before narrowing; the limit check
    // is made on these. May be infinite or NaN.
    Triple computed{};
    WhitePointStatus status = WhitePointStatus::Accepted;
    // True when some component did not fit 16 bits and `stored` holds a clamp.
    bool clamped = false;

    // The operator message due for this result (title kInfoTitle), if any.
    [[nodiscard]] std::optional<Text> message() const;
};

// The white point from the reference: `referenceXyz` is the reference set
// value converted to XYZ, `referenceRaw` its measured raw X, Y, Z. With finite
// non-zero inputs this is the nominal white (95.05, 100, 108.9) scaled by
// raw Y / reference Y; the order of operations is kept because it decides the
// last unit after truncation.
[[nodiscard]] WhitePoint CalcXnYnZn(const Triple& referenceXyz, const RawTriple& referenceRaw);

} // namespace tavrino::calibration
