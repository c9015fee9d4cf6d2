#include "calibration/colour_space.h"

#include <gtest/gtest.h>

#include <string_view>

namespace tavrino::calibration {
namespace {

TEST(ColourSpaceNumbering, SensorAndCalibrationNumbersDifferByOne) {
    for (std::uint16_t cs = 0; cs < kColourSpaceCount; ++cs) {
        SCOPED_TRACE(cs);
        const auto calib = calibSpaceOf(cs);
        ASSERT_TRUE(calib.has_value());
        EXPECT_EQ(*calib, cs + 1);
        EXPECT_EQ(colourSpaceOf(*calib), cs);
        // Both selectors show the same space under the same name.
        EXPECT_EQ(colourSpaceName(cs), calibSpaceName(*calib));
    }
    EXPECT_EQ(calibSpaceOf(5), std::nullopt);
    EXPECT_EQ(calibSpaceOf(65535), std::nullopt);
    EXPECT_EQ(colourSpaceOf(0), std::nullopt); // XYZ has no sensor counterpart
    EXPECT_EQ(colourSpaceOf(6), std::nullopt);
    EXPECT_EQ(calibSpaceName(0), "XYZ");
    EXPECT_EQ(colourSpaceName(4), "u'v'L*");
}

struct SpaceLabels {
    std::uint16_t space;
    Labels coordinates, differences, plots;
};

TEST(ColourSpaceLabels, EverySpaceHasItsCaptions) {
    const SpaceLabels cases[] = {
        {0, {"x", "y", "Y:100"}, {"delta x", "delta y", "delta Y"}, {"x/y", "x/Y:100", "y/Y:100"}},
        {1, {"a*", "b*", "L*"}, {"delta a*", "delta b*", "delta L*"}, {"a*/b*", "a*/L*", "b*/L*"}},
        {2, {"u*", "v*", "L*"}, {"delta u*", "delta v*", "delta L*"}, {"u*/v*", "u*/L*", "v*/L*"}},
        {3, {"C*", "h*", "L*"}, {"delta C*", "delta h*", "delta L*"}, {"C*/h*", "C*/L*", "h*/L*"}},
        {4, {"u'", "v'", "L*"}, {"delta u'", "delta v'", "delta L*"}, {"u'/v'", "u'/L*", "v'/L*"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.space);
        EXPECT_EQ(coordinateLabels(c.space), c.coordinates);
        EXPECT_EQ(differenceCaptions(c.space), c.differences);
        EXPECT_EQ(plotCaptions(c.space), c.plots);
    }
}

TEST(ColourSpaceLabels, ValuesOutsideTheTablesGiveEmptyCaptions) {
    const Labels empty{};
    for (std::uint16_t bad : {std::uint16_t{5}, std::uint16_t{65535}}) {
        EXPECT_EQ(coordinateLabels(bad), empty);
        EXPECT_EQ(differenceCaptions(bad), empty);
        EXPECT_EQ(plotCaptions(bad), empty);
        EXPECT_EQ(toleranceCaptions(bad, kShapeBlock), empty);
        EXPECT_EQ(colourSpaceName(bad), "");
        EXPECT_FALSE(displaySettings(bad).has_value());
    }
    EXPECT_EQ(toleranceCaptions(0, 3), empty);
    EXPECT_EQ(setValueHeadings(6), empty);
    EXPECT_EQ(calibSpaceName(6), "");
}

TEST(TeachTableHeadings, ToleranceColumnsFollowShapeMode) {
    struct Case {
        std::uint16_t space, shape;
        std::array<std::string_view, 6> headings;
    };
    const Case cases[] = {
        {0, kShapeBlock, {"x", "y", "Y:100", "xTol", "yTol", "YTol"}},
        {1, kShapeBlock, {"a*", "b*", "L*", "a*Tol", "b*Tol", "L*Tol"}},
        {3, kShapeBlock, {"C*", "h*", "L*", "C*Tol", "h*Tol", "L*Tol"}},
        {4, kShapeBlock, {"u'", "v'", "L*", "u'Tol", "v'Tol", "L*Tol"}},
        {0, kShapeCylinder, {"x", "y", "Y:100", "xyTol", "YTol", ""}},
        {2, kShapeCylinder, {"u*", "v*", "L*", "u*v*Tol", "L*Tol", ""}},
        {4, kShapeCylinder, {"u'", "v'", "L*", "u'v'Tol", "L*Tol", ""}},
        {0, kShapeSphere, {"x", "y", "Y:100", "CTO", "", ""}},
        {1, kShapeSphere, {"a*", "b*", "L*", "deltaE", "", ""}},
        {4, kShapeSphere, {"u'", "v'", "L*", "deltaE", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "space " << c.space << " shape " << c.shape);
        EXPECT_EQ(teachTableHeadings(c.space, c.shape), c.headings);
    }
}

TEST(SetValueHeadings, LuminanceFirstExceptForXyz) {
    const std::array<Labels, kCalibSpaceCount> expected{{
        {"X", "Y", "Z"},
        {"Y", "x", "y"},
        {"L*", "a*", "b*"},
        {"L*", "u*", "v*"},
        {"L*", "C*", "h*"},
        {"L*", "u'", "v'"},
    }};
    for (std::uint16_t s = 0; s < kCalibSpaceCount; ++s)
        EXPECT_EQ(setValueHeadings(s), expected[s]) << "space " << s;
}

TEST(DisplaySettings, DecimalsAndAxisRangesPerSpace) {
    struct Case {
        std::uint16_t space;
        DisplaySettings expected;
    };
    const Case cases[] = {
        {0, {{4, 4, 4}, 4, {{{0, 0.85}, {0, 0.85}, {0, 1}}}}},
        {1, {{2, 2, 2}, 2, {{{-80, 80}, {-80, 80}, {-16, 100}}}}},
        {2, {{2, 2, 2}, 2, {{{-790, 725}, {-155, 165}, {-16, 100}}}}},
        {3, {{2, 2, 2}, 2, {{{0, 540}, {0, 360}, {-16, 100}}}}},
        {4, {{4, 4, 3}, 3, {{{0, 0.65}, {0, 0.65}, {-16, 100}}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.space);
        const auto got = displaySettings(c.space);
        ASSERT_TRUE(got.has_value());
        EXPECT_EQ(*got, c.expected);
    }
}

} // namespace
} // namespace tavrino::calibration
