// The assistant's searches and checks as pure logic.

#include "assistant/search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace tavrino::assistant {
namespace {

// The POWER values a search applies when every measurement answers `m(power)`.
std::vector<int> powersApplied(int target, const std::function<int(int)>& m) {
    PowerSearch search(target);
    std::vector<int> powers;
    while (!search.done()) {
        powers.push_back(search.power());
        search.measured(m(search.power()));
    }
    return powers;
}

struct PowerCase {
    const char* name;
    std::function<int(int)> measure;
    std::vector<int> powers;
};

class PowerSearchTest : public ::testing::TestWithParam<PowerCase> {};

TEST_P(PowerSearchTest, AppliesTheStartingValueAndNineSteps) {
    EXPECT_EQ(powersApplied(kBrightTarget, GetParam().measure), GetParam().powers);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, PowerSearchTest,
    ::testing::Values(
        // Limited to 1000 from the sixth value on (1008, 1008, 1004, 1002, 1001).
        PowerCase{
            "AlwaysBelow", [](int) { return 2999; }, {512, 768, 896, 960, 992, 1000, 1000, 1000, 1000, 1000}},
        PowerCase{"AlwaysAbove", [](int) { return 3001; }, {512, 256, 128, 64, 32, 16, 8, 4, 2, 1}},
        // Equality counts as not below: POWER goes down.
        PowerCase{"AtTheTarget", [](int) { return kBrightTarget; }, {512, 256, 128, 64, 32, 16, 8, 4, 2, 1}},
        // A sensor linear in POWER (3000 at POWER 600) is found to within one step.
        PowerCase{
            "Converges", [](int p) { return p * 5; }, {512, 768, 640, 576, 608, 592, 600, 596, 598, 599}}),
    [](const auto& info) { return std::string(info.param.name); });

// The highest value measured at each setting of the GAIN and INTEGRAL phases,
// until the search ends; returns the outcome and the setting it ended on.
struct ExposureEnd {
    ExposureSearch::Outcome outcome;
    int gain, integral1, stopTestedSteps;
};

ExposureEnd runExposure(int target, const std::function<int(int gain, int integral)>& m) {
    ExposureSearch search(target);
    int tested = 0;
    for (;;) {
        tested += search.stopTested() ? 1 : 0;
        const auto outcome = search.measured(m(search.gain(), search.integral1()));
        if (outcome != ExposureSearch::Outcome::Continue)
            return {outcome, search.gain(), search.integral1(), tested};
    }
}

TEST(ExposureSearch, EndsAtTheFirstSettingStrictlyAboveTheTarget) {
    using O = ExposureSearch::Outcome;
    // Above the target at GAIN 1 already: the POWER search starts there.
    ExposureEnd e = runExposure(kBrightTarget, [](int, int) { return 3001; });
    EXPECT_EQ(e.outcome, O::Exceeded);
    EXPECT_EQ(e.gain, 1);
    EXPECT_EQ(e.stopTestedSteps, 0); // the running flag is not tested before GAIN 1

    // Equal to the target is not above it: GAIN 4 reaches 2500 exactly, GAIN 5 exceeds.
    e = runExposure(kDarkerTarget, [](int gain, int) { return gain < 4 ? 100 : gain == 4 ? 2500 : 5000; });
    EXPECT_EQ(e.outcome, O::Exceeded);
    EXPECT_EQ(e.gain, 5);
    EXPECT_EQ(e.stopTestedSteps, 4);

    // GAIN 8 is not enough: INTEGRAL 1 grows from 2 with GAIN 8.
    e = runExposure(kBrightTarget, [](int gain, int integral) { return gain * integral * 10; });
    EXPECT_EQ(e.outcome, O::Exceeded);
    EXPECT_EQ(e.gain, 8);
    EXPECT_EQ(e.integral1, 38); // 8 x 38 x 10 = 3040

    // Nothing exceeds: every INTEGRAL 1 up to 99 was tried, each behind a stop test.
    e = runExposure(kBrightTarget, [](int, int) { return 3000; });
    EXPECT_EQ(e.outcome, O::Exhausted);
    EXPECT_EQ(e.integral1, 99);
    EXPECT_EQ(e.stopTestedSteps, 7 + 98);
}

TEST(ExposureSearch, CountsItsStepsPerPhase) {
    ExposureSearch search(kBrightTarget);
    EXPECT_EQ(search.step(), 1);
    EXPECT_EQ(search.stepCount(), 8);
    for (int i = 0; i < 8; ++i)
        (void)search.measured(0);
    EXPECT_EQ(search.phase(), ExposureSearch::Phase::Integral);
    EXPECT_EQ(search.integral1(), 2);
    EXPECT_EQ(search.step(), 1);
    EXPECT_EQ(search.stepCount(), 98);
}

TEST(Saturation, OnlyValuesAboveTheLimitAreRefused) {
    EXPECT_TRUE(saturated({3400, 3501, 1000}));
    EXPECT_FALSE(saturated({3500, 3500, 3500}));
}

TEST(HighestValue, IsTheLargestOfTheSixChannelValues) {
    EXPECT_EQ(highestValue({10, 20, 30, 3001, 5, 6}), 3001);
    EXPECT_EQ(highestValue({10, 20, 4000, 1, 5, 6}), 4000);
}

TEST(CorrectionValues, AreTheDarkerTargetWithSet2OverSet1) {
    const auto c = correctionValues({2000, 1500, 1000}, {3000, 3000, 2500});
    EXPECT_DOUBLE_EQ(c[0], 1.5);
    EXPECT_DOUBLE_EQ(c[1], 2.0);
    EXPECT_DOUBLE_EQ(c[2], 2.5);
    // A zero is written as computed.
    EXPECT_FALSE(std::isfinite(correctionValues({0, 1, 1}, {5, 1, 1})[0]));
}

TEST(ProgressText, NamesTargetPhaseStepAndSetting) {
    const Progress p{Stage::GainPhase, kBrightTarget, 3, 8, 1000, 3, 1};
    EXPECT_EQ(progressText(p, Language::English),
              "Bright target (3000): GAIN phase, step 3 of 8 - POWER 1000, GAIN 3, INTEGRAL 1");
    EXPECT_EQ(progressText({Stage::PowerSearch, kDarkerTarget, 2, 10, 768, 8, 5}, Language::German),
              "Dunkleres Objekt (2500): POWER-Suche, Schritt 2 von 10 - POWER 768, VERST 8, INTEGRAL 5");
    EXPECT_EQ(progressText({}, Language::English), "");
}

} // namespace
} // namespace tavrino::assistant
