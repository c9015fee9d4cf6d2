#include "calibration/colour_space.h"

namespace tavrino::calibration {

namespace {

// Looks an entry up by the parameter value; empty when the value is outside
// the table.
template <typename T, std::size_t N> T pick(const std::array<T, N>& table, std::uint16_t index) {
    return index < N ? table[index] : T{};
}

constexpr std::array<std::string_view, kColourSpaceCount> kColourSpaceNames{"xyY", "L*a*b*", "L*u*v*",
                                                                            "L*C*h*", "u'v'L*"};
constexpr std::array<std::string_view, kCalibSpaceCount> kCalibSpaceNames{"XYZ",    "xyY",    "L*a*b*",
                                                                          "L*u*v*", "L*C*h*", "u'v'L*"};

constexpr std::array<Labels, kColourSpaceCount> kCoordinateLabels{{
    {"x", "y", "Y:100"},
    {"a*", "b*", "L*"},
    {"u*", "v*", "L*"},
    {"C*", "h*", "L*"},
    {"u'", "v'", "L*"},
}};

constexpr std::array<Labels, kColourSpaceCount> kDifferenceCaptions{{
    {"delta x", "delta y", "delta Y"},
    {"delta a*", "delta b*", "delta L*"},
    {"delta u*", "delta v*", "delta L*"},
    {"delta C*", "delta h*", "delta L*"},
    {"delta u'", "delta v'", "delta L*"},
}};

constexpr std::array<Labels, kColourSpaceCount> kPlotCaptions{{
    {"x/y", "x/Y:100", "y/Y:100"},
    {"a*/b*", "a*/L*", "b*/L*"},
    {"u*/v*", "u*/L*", "v*/L*"},
    {"C*/h*", "C*/L*", "h*/L*"},
    {"u'/v'", "u'/L*", "v'/L*"},
}};

// [shape mode][colour space]
constexpr std::array<std::array<Labels, kColourSpaceCount>, 3> kToleranceCaptions{{
    {{
        {"xTol", "yTol", "YTol"},
        {"a*Tol", "b*Tol", "L*Tol"},
        {"u*Tol", "v*Tol", "L*Tol"},
        {"C*Tol", "h*Tol", "L*Tol"},
        {"u'Tol", "v'Tol", "L*Tol"},
    }},
    {{
        {"xyTol", "YTol", ""},
        {"a*b*Tol", "L*Tol", ""},
        {"u*v*Tol", "L*Tol", ""},
        {"C*h*Tol", "L*Tol", ""},
        {"u'v'Tol", "L*Tol", ""},
    }},
    {{
        {"CTO", "", ""},
        {"deltaE", "", ""},
        {"deltaE", "", ""},
        {"deltaE", "", ""},
        {"deltaE", "", ""},
    }},
}};

constexpr std::array<Labels, kCalibSpaceCount> kSetValueHeadings{{
    {"X", "Y", "Z"},
    {"Y", "x", "y"},
    {"L*", "a*", "b*"},
    {"L*", "u*", "v*"},
    {"L*", "C*", "h*"},
    {"L*", "u'", "v'"},
}};

constexpr std::array<DisplaySettings, kColourSpaceCount> kDisplaySettings{{
    {{4, 4, 4}, 4, {{{0, 0.85}, {0, 0.85}, {0, 1}}}},
    {{2, 2, 2}, 2, {{{-80, 80}, {-80, 80}, {-16, 100}}}},
    {{2, 2, 2}, 2, {{{-790, 725}, {-155, 165}, {-16, 100}}}},
    {{2, 2, 2}, 2, {{{0, 540}, {0, 360}, {-16, 100}}}},
    {{4, 4, 3}, 3, {{{0, 0.65}, {0, 0.65}, {-16, 100}}}},
}};

} // namespace

std::string_view colourSpaceName(std::uint16_t colourSpace) {
    return pick(kColourSpaceNames, colourSpace);
}
std::string_view calibSpaceName(std::uint16_t calibSpace) {
    return pick(kCalibSpaceNames, calibSpace);
}

Labels coordinateLabels(std::uint16_t colourSpace) {
    return pick(kCoordinateLabels, colourSpace);
}
Labels differenceCaptions(std::uint16_t colourSpace) {
    return pick(kDifferenceCaptions, colourSpace);
}
Labels plotCaptions(std::uint16_t colourSpace) {
    return pick(kPlotCaptions, colourSpace);
}

Labels toleranceCaptions(std::uint16_t colourSpace, std::uint16_t shapeMode) {
    if (shapeMode >= kToleranceCaptions.size())
        return {};
    return pick(kToleranceCaptions[shapeMode], colourSpace);
}

std::array<std::string_view, 6> teachTableHeadings(std::uint16_t colourSpace, std::uint16_t shapeMode) {
    const Labels coordinates = coordinateLabels(colourSpace);
    const Labels tolerances = toleranceCaptions(colourSpace, shapeMode);
    return {coordinates[0], coordinates[1], coordinates[2], tolerances[0], tolerances[1], tolerances[2]};
}

Labels setValueHeadings(std::uint16_t calibSpace) {
    return pick(kSetValueHeadings, calibSpace);
}

std::optional<DisplaySettings> displaySettings(std::uint16_t colourSpace) {
    if (colourSpace >= kColourSpaceCount)
        return std::nullopt;
    return kDisplaySettings[colourSpace];
}

} // namespace tavrino::calibration
