#include "assistant/search.h"

#include "assistant/texts.h"

#include <algorithm>

namespace tavrino::assistant {

int highestValue(const ChannelValues& values) {
    return *std::max_element(values.begin(), values.end());
}

bool saturated(const std::array<int, 3>& raw) {
    return std::any_of(raw.begin(), raw.end(), [](int v) { return v > kSaturationLimit; });
}

std::array<double, 3> correctionValues(const std::array<int, 3>& withSet1,
                                       const std::array<int, 3>& withSet2) {
    std::array<double, 3> c{};
    for (std::size_t i = 0; i < 3; ++i)
        c[i] = static_cast<double>(withSet2[i]) / static_cast<double>(withSet1[i]);
    return c;
}

int nextPower(int power, int step, bool belowTarget) {
    return std::min(belowTarget ? power + step : power - step, kPowerLimit);
}

void PowerSearch::measured(int highest) {
    if (step_ == kPowerSteps) {
        measuredLast_ = true;
        return;
    }
    power_ = nextPower(power_, stepSize_, highest < target_);
    stepSize_ /= 2;
    ++step_;
}

int ExposureSearch::step() const {
    return phase_ == Phase::Gain ? gain_ - kFirstGain + 1 : integral_ - kFirstIntegral + 1;
}

int ExposureSearch::stepCount() const {
    return phase_ == Phase::Gain ? kLastGain - kFirstGain + 1 : kLastIntegral - kFirstIntegral + 1;
}

ExposureSearch::Outcome ExposureSearch::measured(int highest) {
    // Only strictly above: a value at the target keeps the search going.
    if (highest > target_)
        return Outcome::Exceeded;
    if (phase_ == Phase::Gain) {
        if (gain_ < kLastGain) {
            ++gain_;
        } else {
            phase_ = Phase::Integral;
            integral_ = kFirstIntegral;
        }
        return Outcome::Continue;
    }
    if (integral_ == kLastIntegral)
        return Outcome::Exhausted;
    ++integral_;
    return Outcome::Continue;
}

namespace {

const Text* stageText(Stage stage) {
    switch (stage) {
    case Stage::Starting:
        return &texts::kStageStarting;
    case Stage::GainPhase:
        return &texts::kStageGain;
    case Stage::IntegralPhase:
        return &texts::kStageIntegral;
    case Stage::PowerSearch:
        return &texts::kStagePower;
    case Stage::Measuring:
        return &texts::kStageMeasuring;
    case Stage::Finishing:
        return &texts::kStageFinishing;
    case Stage::Succeeded:
        return &texts::kStageSucceeded;
    case Stage::Cancelled:
        return &texts::kStageCancelled;
    case Stage::Idle:
        break;
    }
    return nullptr;
}

bool searching(Stage stage) {
    return stage == Stage::GainPhase || stage == Stage::IntegralPhase || stage == Stage::PowerSearch ||
           stage == Stage::Measuring;
}

} // namespace

std::string progressText(const Progress& p, Language language) {
    const Text* stage = stageText(p.stage);
    if (stage == nullptr)
        return {};
    if (!searching(p.stage))
        return std::string(stage->in(language));
    std::string text((p.target == kBrightTarget ? texts::kBrightTarget : texts::kDarkerTarget).in(language));
    text += " (" + std::to_string(p.target) + "): ";
    text += stage->in(language);
    if (p.steps > 0) {
        text += ", ";
        text += texts::kStep.in(language);
        text += ' ' + std::to_string(p.step) + ' ';
        text += texts::kOf.in(language);
        text += ' ' + std::to_string(p.steps);
    }
    if (p.stage != Stage::Measuring) {
        text += " - POWER " + std::to_string(p.power) + ", ";
        text += texts::kGainName.in(language);
        text += ' ' + std::to_string(p.gain) + ", INTEGRAL " + std::to_string(p.integral1);
    }
    return text;
}

} // namespace tavrino::assistant
