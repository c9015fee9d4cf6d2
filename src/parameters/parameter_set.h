#pragma once

#include "common/teach_rows.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tavrino::parameters {

inline constexpr std::size_t kWordCount = 32;
inline constexpr std::size_t kFileWordCount = 29; // words 0..28 travel in files
inline constexpr std::size_t kParameterBlockSize = 64;
inline constexpr std::size_t kTeachBlockSize = 96;
inline constexpr std::size_t kTeachVectorSize = 32;

// Word indices the program's logic refers to by name.
namespace word {
inline constexpr std::size_t Power = 0;
inline constexpr std::size_t PowerMode = 1;
inline constexpr std::size_t Gain = 2;
inline constexpr std::size_t Integral1 = 3;
inline constexpr std::size_t Integral2 = 4;
inline constexpr std::size_t Average = 5;
inline constexpr std::size_t LedMode = 6;
inline constexpr std::size_t ColorSpace = 7;
inline constexpr std::size_t Calibration = 8;
inline constexpr std::size_t DigitalOutmode = 9;
inline constexpr std::size_t MaxVecNo = 10;
inline constexpr std::size_t Intlim = 11;
inline constexpr std::size_t EvaluationMode = 12;
inline constexpr std::size_t ShapeMode = 13;
inline constexpr std::size_t ExternTeach = 14;
inline constexpr std::size_t Trigger = 15;
inline constexpr std::size_t AnalogOutmode = 16;
inline constexpr std::size_t AnalogOutSignal = 17;
inline constexpr std::size_t AnalogOut = 18;
inline constexpr std::size_t AnalogZoom = 19;
inline constexpr std::size_t DoublePower1 = 20;
inline constexpr std::size_t DoubleGain1 = 21;
inline constexpr std::size_t DoubleIntegral1 = 22;
inline constexpr std::size_t DoublePower2 = 23;
inline constexpr std::size_t DoubleGain2 = 24;
inline constexpr std::size_t DoubleIntegral2 = 25;
inline constexpr std::size_t CorrectionX = 26; // ..28
inline constexpr std::size_t CubeRootX = 29;   // ..31
} // namespace word

// Where SEND goes to and GET comes from.
enum class TransferTarget : std::int16_t { Ram = 1, Eeprom = 2, File = 3 };

// The sensor's parameter set as the program holds it: the 32 words of the
// parameter block, the teach-vector block as last received (its two
// uninterpreted words per vector go back to the sensor unchanged) and the
// teach table as real numbers.
struct ParameterSet {
    std::array<std::uint16_t, kWordCount> words{};
    std::array<std::uint8_t, kTeachBlockSize> teachBlock{};
    TeachRows teach{};
};

} // namespace tavrino::parameters
