#pragma once

#include "common/language.h"

namespace tavrino::calibration {

// Shown (title kInfoTitle) when the white point computed from the reference
// exceeds what the sensor accepts.
inline constexpr Text kWhitePointTooHigh{
    "Xn,Yn or Zn ist zu hoch. \nDer Maximalwert ist 60000. Reduzieren Sie POWER und versuchen Sie es nochmal",
    "Xn,Yn or Zn ist to high. \nMaximum value is 60000.\nReduce POWER and try again!"};

} // namespace tavrino::calibration
