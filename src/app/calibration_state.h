#pragma once

#include "calibration/tables.h"
#include "common/observers.h"

#include <array>
#include <cstdint>

namespace tavrino::app {

enum class CalibrationChange {
    Tables,     // any cell of the calibration tables or the page's controls
    Headings,   // column headings and row label colours (InitCalibPanel)
    SensorData, // the SENSOR DATA page
    Page,       // `page`
    Tint,       // `tint` of a table group
    Offsets,    // the zero-point controls or the XYZ-offset edit boxes
    ZeroPointPage,
};

// The three tab pages of the calibration panel.
enum class CalibPage : int { Reference = 0, SetValue = 1, SensorData = 2 };

// Table groups that a question, a load or a save colours as a whole.
enum class CalibGroup : int { Reference = 0, WhitePoint, SetValues, ActualValues, Factors };
inline constexpr std::size_t kCalibGroupCount = 5;
enum class CalibTint : int { Normal, Asking, Loading, Saving };

// The calibration page, its panel and the two offset pages.
class CalibrationState : public Notifying<CalibrationChange> {
public:
    calibration::CalibrationTables tables;
    CalibPage page = CalibPage::Reference;
    std::array<CalibTint, kCalibGroupCount> tint{};

    // The zero-point offset page's controls and the offset adjustment page's
    // edit boxes; the sensor keeps its own until they are sent.
    calibration::RawTriple zeroPoint{};
    calibration::RawTriple xyzOffset{};
    bool zeroPointPageVisible = false;

    [[nodiscard]] CalibTint tintOf(CalibGroup g) const { return tint[static_cast<std::size_t>(g)]; }
};

} // namespace tavrino::app
