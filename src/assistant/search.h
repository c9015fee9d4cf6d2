#pragma once

// The searches of the double-parameter assistant as plain state machines:
// they say which setting to apply next and learn from the highest channel
// value measured with it. Applying the setting, the pauses and the exchanges
// are the flow's (app/double_parameters.h).

#include <array>
#include <cstdint>

namespace tavrino::assistant {

// Highest raw level wanted for the bright target with set 1 and for the
// darker target with set 2.
inline constexpr int kBrightTarget = 3000;
inline constexpr int kDarkerTarget = 2500;
inline constexpr int kFirstGain = 1;
inline constexpr int kLastGain = 8;
inline constexpr int kFirstIntegral = 2; // INTEGRAL 1 of the integral phase
inline constexpr int kLastIntegral = 99;
inline constexpr int kPowerStart = 512;
inline constexpr int kFirstPowerStep = 256;
inline constexpr int kPowerSteps = 9; // after the starting value
inline constexpr int kPowerLimit = 1000;
// The settings the searches start from.
inline constexpr int kSearchPower = 1000;
inline constexpr int kSearchIntegral = 1;
// Pauses after a parameter transfer, in milliseconds.
inline constexpr int kPauseMs = 500;
inline constexpr int kFirstPauseMs = 2000;
// ASSIGN 1 and ASSIGN 3 refuse raw values above this.
inline constexpr int kSaturationLimit = 3500;

// The six channel values of a measurement: X, Y, Z, raw X, raw Y, raw Z.
using ChannelValues = std::array<std::int16_t, 6>;
// The largest of the six, compared as 16-bit numbers.
[[nodiscard]] int highestValue(const ChannelValues& values);

// Whether any of raw X, Y, Z lies above kSaturationLimit.
[[nodiscard]] bool saturated(const std::array<int, 3>& raw);

// Correction values X, Y, Z: the darker target seen with set 2 relative to the
// same target seen with set 1. A zero in `withSet1` gives a non-finite value,
// kept as computed.
[[nodiscard]] std::array<double, 3> correctionValues(const std::array<int, 3>& withSet1,
                                                     const std::array<int, 3>& withSet2);

// One step of POWER search: up by `step` below the target, down otherwise
// (equality counts as not below), never above kPowerLimit.
[[nodiscard]] int nextPower(int power, int step, bool belowTarget);

// The POWER search: the starting value, then nine halving steps.
class PowerSearch {
public:
    explicit PowerSearch(int target) : target_(target) {}

    [[nodiscard]] int power() const { return power_; }
    // 0 for the starting value, then 1..kPowerSteps.
    [[nodiscard]] int step() const { return step_; }
    [[nodiscard]] static constexpr int stepCount() { return kPowerSteps + 1; }
    // After the measurement of the last step: its setting is the result.
    [[nodiscard]] bool done() const { return step_ == kPowerSteps && measuredLast_; }

    // The highest value measured with power(); moves to the next setting.
    void measured(int highest);

private:
    int target_;
    int power_ = kPowerStart;
    int step_ = 0;
    int stepSize_ = kFirstPowerStep;
    bool measuredLast_ = false;
};

// The GAIN phase (GAIN 1..8 with INTEGRAL 1 = 1), then the INTEGRAL phase
// (INTEGRAL 1 = 2..99 with GAIN 8), until a setting lifts the highest value
// strictly above the target.
class ExposureSearch {
public:
    enum class Phase { Gain, Integral };
    enum class Outcome {
        Continue, // apply the next setting
        Exceeded, // the POWER search starts with the current setting
        Exhausted // nothing exceeded the target
    };

    explicit ExposureSearch(int target) : target_(target) {}

    [[nodiscard]] Phase phase() const { return phase_; }
    [[nodiscard]] int gain() const { return gain_; }
    [[nodiscard]] int integral1() const { return integral_; }
    // 1-based step within the phase, and the phase's number of steps.
    [[nodiscard]] int step() const;
    [[nodiscard]] int stepCount() const;
    // Whether a cleared running flag ends the search before this step: from
    // the second GAIN step on, and at every INTEGRAL step.
    [[nodiscard]] bool stopTested() const { return phase_ == Phase::Integral || gain_ > kFirstGain; }

    Outcome measured(int highest);

private:
    int target_;
    Phase phase_ = Phase::Gain;
    int gain_ = kFirstGain;
    int integral_ = kSearchIntegral;
};

// Where the assistant is, for the operator to see.
enum class Stage {
    Idle,
    Starting,  // first send and its pause
    GainPhase, // of the current target
    IntegralPhase,
    PowerSearch,
    Measuring, // the darker target with set 1
    Finishing, // the final send
    Succeeded,
    Cancelled,
};

struct Progress {
    Stage stage = Stage::Idle;
    int target = 0;
    int step = 0;
    int steps = 0;
    // The setting applied at this step.
    int power = 0;
    int gain = 0;
    int integral1 = 0;
    friend bool operator==(const Progress&, const Progress&) = default;
};

} // namespace tavrino::assistant

#include "common/language.h"

#include <string>

namespace tavrino::assistant {

// One line for the double-parameter panel and the command-line tool's
// progress, for example "Bright target (3000): GAIN phase, step 3 of 8 -
// POWER 1000, GAIN 3, INTEGRAL 1".
[[nodiscard]] std::string progressText(const Progress& progress, Language language);

} // namespace tavrino::assistant
