#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavrino::calibration {

// The sensor's COLOR SPACE parameter: the space of the coordinates it reports.
enum class ColourSpace : std::uint16_t { xyY = 0, Lab = 1, Luv = 2, LCh = 3, uvL = 4 };
inline constexpr std::uint16_t kColourSpaceCount = 5;

// The calibration colour space of the set-value selectors: plain XYZ first,
// then the sensor's five spaces in the same order (one higher).
enum class CalibSpace : std::uint16_t { XYZ = 0, xyY = 1, Lab = 2, Luv = 3, LCh = 4, uvL = 5 };
inline constexpr std::uint16_t kCalibSpaceCount = 6;

// Teach-table shape modes, as the SHAPE MODE parameter numbers them.
inline constexpr std::uint16_t kShapeBlock = 0;
inline constexpr std::uint16_t kShapeCylinder = 1;
inline constexpr std::uint16_t kShapeSphere = 2;

// COLOR SPACE 0..4 to calibration colour space 1..5; nothing for other values.
[[nodiscard]] constexpr std::optional<std::uint16_t> calibSpaceOf(std::uint16_t colourSpace) {
    if (colourSpace >= kColourSpaceCount)
        return std::nullopt;
    return static_cast<std::uint16_t>(colourSpace + 1);
}
// Calibration colour space 1..5 to COLOR SPACE 0..4; XYZ (0) has no sensor
// counterpart, and values above 5 name no space.
[[nodiscard]] constexpr std::optional<std::uint16_t> colourSpaceOf(std::uint16_t calibSpace) {
    if (calibSpace == 0 || calibSpace >= kCalibSpaceCount)
        return std::nullopt;
    return static_cast<std::uint16_t>(calibSpace - 1);
}

// Three captions, one per coordinate or column. Every table below is indexed
// directly by the parameter value; a value outside the table gives empty
// captions rather than someone else's.
using Labels = std::array<std::string_view, 3>;

// Selector entries: "xyY" .. "u'v'L*" for COLOR SPACE, "XYZ" first for the
// calibration selectors. Empty outside the range.
[[nodiscard]] std::string_view colourSpaceName(std::uint16_t colourSpace);
[[nodiscard]] std::string_view calibSpaceName(std::uint16_t calibSpace);

// By COLOR SPACE: first coordinate, second coordinate, brightness ("x", "y",
// "Y:100"); the difference captions ("delta x", ...); the plot captions of
// the three projections ("x/y", "x/Y:100", "y/Y:100").
[[nodiscard]] Labels coordinateLabels(std::uint16_t colourSpace);
[[nodiscard]] Labels differenceCaptions(std::uint16_t colourSpace);
[[nodiscard]] Labels plotCaptions(std::uint16_t colourSpace);

// Headings of the teach table's tolerance columns 4..6 by COLOR SPACE and
// shape mode; unused columns are empty.
[[nodiscard]] Labels toleranceCaptions(std::uint16_t colourSpace, std::uint16_t shapeMode);
// All six value-column headings of the teach table: the coordinate labels,
// then the tolerance captions.
[[nodiscard]] std::array<std::string_view, 6> teachTableHeadings(std::uint16_t colourSpace,
                                                                 std::uint16_t shapeMode);

// Column headings of the calibration set-value tables, by calibration colour
// space ("X" "Y" "Z" for XYZ, "Y" "x" "y" for xyY, ...).
[[nodiscard]] Labels setValueHeadings(std::uint16_t calibSpace);

struct AxisRange {
    double min = 0;
    double max = 0;
    friend bool operator==(const AxisRange&, const AxisRange&) = default;
};

// How coordinates of one COLOR SPACE are shown: decimals of the three
// coordinate displays (and their difference displays), decimals of the teach
// table cells and of delta E, and the vertical range of each coordinate's
// graph in manual scaling.
struct DisplaySettings {
    std::array<int, 3> coordinateDecimals{};
    int tableDecimals = 0;
    std::array<AxisRange, 3> axisRanges{};
    friend bool operator==(const DisplaySettings&, const DisplaySettings&) = default;
};
[[nodiscard]] std::optional<DisplaySettings> displaySettings(std::uint16_t colourSpace);

} // namespace tavrino::calibration
