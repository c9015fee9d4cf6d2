#pragma once

#include "calibration/tables.h"
#include "common/language.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tavrino::calibration {

// A factor that the 16-bit field could not hold as computed.
struct LimitedFactor {
    std::size_t row = 0;     // 1-based
    std::size_t channel = 0; // 0 X, 1 Y, 2 Z
    std::uint16_t stored = 0;
};

struct FactorResult {
    std::vector<LimitedFactor> limited;
    // The message (title kInfoTitle) naming the limited rows and channels, if any.
    [[nodiscard]] std::optional<std::string> message(Language language) const;
};

// One factor: trunc(1024 * T / A) with T = W * S / 100. A measured value of 0
// or a quotient above 65535 stores 65535; a negative one or NaN stores 0.
struct FactorValue {
    std::uint16_t value = 0;
    bool limited = false;
};
[[nodiscard]] FactorValue factorFor(double whiteK, double setValue, std::uint16_t actual);

// The white point normalised to the nominal white: X by 9505, Z by 10890.
[[nodiscard]] std::array<double, 3> normalisedWhite(const RawTriple& whitePoint);

// Recomputes the factors of rows 1..ROWS; rows above keep theirs.
FactorResult CalcCF(CalibrationTables& t);

} // namespace tavrino::calibration
