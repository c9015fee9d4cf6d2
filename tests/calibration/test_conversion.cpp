#include "calibration/conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tavrino::calibration {
namespace {

// Expected values below were computed independently of the code (the
// textbook inverse formulas evaluated in Python), not taken from it.
struct ConversionCase {
    const char* name;
    std::uint16_t space;
    Triple setValue;
    Triple xyz;
};

TEST(SetValueToXyz, EverySpaceAgainstIndependentValues) {
    const ConversionCase cases[] = {
        {"XYZ identity", 0, {12.5, -3.25, 1e6}, {12.5, -3.25, 1e6}},
        // 1 in xyY is Y = 100; X carries the nominal Xn and Z the factor 108.
        {"xyY D65", 1, {1, 0.3127, 0.3290}, {90.34083586626139, 100, 117.61823708206687}},
        {"xyY half", 1, {0.5, 0.4, 0.45}, {42.24444444444445, 50, 18.0}},
        {"Lab grey", 2, {50, 0, 0}, {17.506928584607817, 18.418651851244416, 20.057911866005167}},
        {"Lab chromatic", 2, {50, 20, -30}, {21.46496700458404, 18.418651851244416, 40.471757481344056}},
        // Below L* 8: still the cube law (a linear segment would give Y 0.5535).
        {"Lab dark",
         2,
         {5, 0, 0},
         {0.5933130714666448 * 0.9505, 0.5933130714666448, 0.5933130714666448 * 1.089}},
        // A negative base keeps its sign through the cube.
        {"Lab below black",
         2,
         {-20, 0, 0},
         {-0.004100209110664644 * 0.9505, -0.004100209110664644, -0.004100209110664644 * 1.089}},
        {"Luv", 3, {50, 20, 30}, {18.414903081437636, 18.418651851244416, 9.172156357102232}},
        {"Luv green", 3, {70, -40, 10}, {29.435956494828844, 40.74941572020174, 41.4941632955045}},
        {"Luv white", 3, {100, 0, 0}, {95.05, 100, 108.91}},
        // The same colour as L*a*b* (50, 0, 20).
        {"LCh 90 degrees", 4, {50, 20, 90}, {17.506928584607817, 18.418651851244416, 11.231832317848214}},
        {"LCh 225 degrees", 4, {60, 30, 225}, {21.86722081685542, 28.123334290048792, 48.03856171711417}},
        // X = 9 Y u' / (4 v') * 0.9505; Z from that scaled X, times 1.089.
        {"u'v'L*", 5, {50, 0.2, 0.45}, {17.506928584607817, 18.418651851244416, 27.074838033795977}},
        {"u'v'L* white",
         5,
         {100, 0.1978374215570981, 0.46831583219723383},
         {90.34502499999998, 100, 120.31089592500003}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Triple got = setValueToXyz(c.space, c.setValue);
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_NEAR(got[k], c.xyz[k], 1e-9 * std::max(1.0, std::abs(c.xyz[k]))) << "component " << k;
    }
}

TEST(SetValueToXyz, UnknownSpacesGiveZero) {
    for (std::uint16_t space : {std::uint16_t{6}, std::uint16_t{7}, std::uint16_t{65535}})
        EXPECT_EQ(setValueToXyz(space, {50, 20, 30}), (Triple{0, 0, 0})) << space;
}

TEST(SetValueToXyz, DivisionByZeroIsPassedOnNotHidden) {
    const Triple xyY = setValueToXyz(1, {1, 0.3, 0});
    EXPECT_TRUE(std::isinf(xyY[0]));
    EXPECT_EQ(xyY[1], 100);
    EXPECT_TRUE(std::isinf(xyY[2]));

    const Triple uvl = setValueToXyz(5, {50, 0.2, 0});
    EXPECT_FALSE(std::isfinite(uvl[0]));
    EXPECT_FALSE(std::isfinite(uvl[2]));

    // L* 0 in L*u*v* is 0 / 0.
    const Triple luv = setValueToXyz(3, {0, 0, 0});
    EXPECT_TRUE(std::isnan(luv[0]));
}

TEST(CalcXYZfromSetvalue, ReferenceAndRowsUseTheirOwnSpaces) {
    SetValueRows rows{};
    rows[0] = {50, 0.2, 0.45};
    rows[63] = {100, 0.1978374215570981, 0.46831583219723383};
    const auto out = CalcXYZfromSetvalue(2, {50, 0, 0}, 5, rows);
    EXPECT_NEAR(out.reference[0], 17.506928584607817, 1e-9);
    EXPECT_NEAR(out.reference[2], 20.057911866005167, 1e-9);
    EXPECT_NEAR(out.rows[0][2], 27.074838033795977, 1e-9);
    EXPECT_NEAR(out.rows[63][0], 90.34502499999998, 1e-9);
    // Rows that hold nothing are converted too: L* 0, u' 0, v' 0 is 0 / 0.
    EXPECT_TRUE(std::isnan(out.rows[1][0]));
    EXPECT_NEAR(out.rows[1][1], 100 * std::pow(16.0 / 116.0, 3.0), 1e-12);
}

struct WhitePointCase {
    const char* name;
    Triple referenceXyz;
    RawTriple raw;
    RawTriple stored;
    WhitePointStatus status;
};

TEST(CalcXnYnZn, NominalWhiteScaledByRawY) {
    // Raw X and Z and reference X and Z cancel out; only raw Y / reference Y
    // matters, and the order of operations decides the last unit.
    const WhitePointCase cases[] = {
        {"27510, balanced",
         {47.525, 50, 54.45},
         {26148, 27510, 29958},
         {52296, 55020, 59916},
         WhitePointStatus::Accepted},
        {"27510, other X Z",
         {30.5, 50, 70.25},
         {12345, 27510, 54321},
         {52296, 55020, 59916},
         WhitePointStatus::Accepted},
        {"27510, ones", {1, 50, 1}, {1, 27510, 1}, {52296, 55020, 59916}, WhitePointStatus::Accepted},
        // Zn is the first to pass 60000.
        {"27560",
         {47.525, 50, 54.45},
         {26148, 27560, 29958},
         {52391, 55120, 60025},
         WhitePointStatus::AboveLimit},
        {"27560, other X Z",
         {40, 50, 60},
         {20000, 27560, 31000},
         {52391, 55120, 60025},
         WhitePointStatus::AboveLimit},
        // Reference L*a*b* (50, 0, 0) converted first.
        {"grey reference",
         {17.506928584607817, 18.418651851244416, 20.057911866005167},
         {9000, 10000, 11000},
         {51605, 54292, 59124},
         WhitePointStatus::Accepted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const WhitePoint wp = CalcXnYnZn(c.referenceXyz, c.raw);
        EXPECT_EQ(wp.stored, c.stored);
        EXPECT_EQ(wp.status, c.status);
        EXPECT_FALSE(wp.clamped);
        EXPECT_EQ(wp.message().has_value(), c.status == WhitePointStatus::AboveLimit);
    }
}

TEST(CalcXnYnZn, LimitMessageInBothLanguages) {
    const WhitePoint wp = CalcXnYnZn({47.525, 50, 54.45}, {26148, 27560, 29958});
    ASSERT_TRUE(wp.message().has_value());
    EXPECT_EQ(
        wp.message()->in(Language::German),
        "Xn,Yn or Zn ist zu hoch. \nDer Maximalwert ist 60000. Reduzieren Sie POWER und versuchen Sie es "
        "nochmal");
    EXPECT_EQ(wp.message()->in(Language::English),
              "Xn,Yn or Zn ist to high. \nMaximum value is 60000.\nReduce POWER and try again!");
}

TEST(CalcXnYnZn, ValuesBeyondSixteenBitsAreReportedAndClamped) {
    // Yn 70000 is compared before narrowing: too high, and the table keeps
    // the largest value it can hold rather than a wrapped one.
    const WhitePoint wp = CalcXnYnZn({47.525, 50, 54.45}, {30000, 35000, 30000});
    EXPECT_EQ(wp.computed, (Triple{66535, 70000, 76230}));
    EXPECT_EQ(wp.status, WhitePointStatus::AboveLimit);
    EXPECT_TRUE(wp.clamped);
    EXPECT_EQ(wp.stored, (RawTriple{65535, 65535, 65535}));
}

TEST(CalcXnYnZn, ZeroOrNegativeReferencesNeverReachTheTableUnchecked) {
    const struct {
        const char* name;
        Triple referenceXyz;
        RawTriple raw;
        WhitePointStatus status;
        RawTriple stored;
    } cases[] = {
        // Reference Y 0: every component is infinite, hence too high.
        {"reference Y 0",
         {47.525, 0, 54.45},
         {26148, 27510, 29958},
         WhitePointStatus::AboveLimit,
         {65535, 65535, 65535}},
        // Nothing measured yet: 0 / 0 everywhere.
        {"all zero", {0, 0, 0}, {0, 0, 0}, WhitePointStatus::Undefined, {0, 0, 0}},
        // Raw X 0 makes Xn 0 * infinity although Yn is fine.
        {"raw X 0", {47.525, 50, 54.45}, {0, 27510, 29958}, WhitePointStatus::Undefined, {0, 55020, 59916}},
        // A reference below black (negative Y) would wrap in 16 bits.
        {"negative reference Y", {-1, -2, -1}, {100, 100, 100}, WhitePointStatus::Undefined, {0, 0, 0}},
        // 0 * infinity in Yn.
        {"raw Y 0, reference Y 0", {1, 0, 1}, {1, 0, 1}, WhitePointStatus::Undefined, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const WhitePoint wp = CalcXnYnZn(c.referenceXyz, c.raw);
        EXPECT_EQ(wp.status, c.status);
        EXPECT_EQ(wp.stored, c.stored);
        EXPECT_TRUE(wp.clamped);
    }
    // One component infinite and another NaN: still too high.
    const WhitePoint mixed = CalcXnYnZn({1, 0, 1}, {0, 100, 100});
    EXPECT_TRUE(std::isnan(mixed.computed[0]));
    EXPECT_TRUE(std::isinf(mixed.computed[1]));
    EXPECT_EQ(mixed.status, WhitePointStatus::AboveLimit);
    EXPECT_TRUE(mixed.message().has_value());
}

} // namespace
} // namespace tavrino::calibration
