#pragma once

// What the live displays show: one model that every display of the live
// measurement reads (the measurement display panel and its graph pages, the
// offset adjustment and table settings pages, the calibration, double-
// parameter, mean-value teach and big colour-number panels). The copies of a
// value on several panels are one shared field here: they are always written
// together.
//
// The model is filled once per decoded frame and never notifies anyone: a
// loop may decode thousands of frames a second, far more than a screen can
// show. Widgets look at `frame` from a display-rate timer and repaint only
// when it moved on, so they always show the newest frame and never one per
// frame.

#include "common/teach_rows.h"
#include "measurement/record.h"

#include <array>
#include <cstdint>

namespace tavrino::measurement {

struct MeasurementDisplay {
    // Counts the frames shown so far; 0 before the first.
    std::uint64_t frame = 0;

    // Calibrated X Y Z: the XYZ displays of both graph pages and of the
    // measurement display panel itself.
    std::array<int, 3> xyz{};
    // The CS REF reference values of the second graph page (visible only
    // while the analogue output mode is CS REF).
    std::array<double, 3> reference{};
    // The colour-space coordinates csX, csY, csI.
    std::array<double, 3> coordinates{};
    double deltaE = 0;
    int colourNumber = 0;
    bool in0High = false;   // IN0 LED: green for HI, black for LO
    bool saturated = false; // saturation LED: red while on
    // Raw X Y Z: the raw-value displays of the offset adjustment page, the
    // calibration panel and the double-parameter panel.
    std::array<int, 3> raw{};
    int doubleParameterSet = 0; // the set-in-use display of the double-parameter panel
    int temperature = 0;        // table settings page, in the sensor's units
    // The colour of the current measurement as computed, and clamped to
    // 0..255 for the colour field of the table settings page.
    DisplayColour colour;
    DisplayColour paintColour;
    // The three deviation displays (coordinate 1, coordinate 2, intensity).
    Deviations deviations;
};

// Distributes the record to the model in the order the displays are
// written, computes the display colour and the single deviations from the
// hit row of `teachTable` (the teach table as last read from the panel), and
// appends the record to the graph histories. Allocates nothing.
void updateDisplay(MeasurementDisplay& display, GraphHistories& histories, const MeasurementRecord& record,
                   const TeachRows& teachTable);

// Remembers which frame a widget showed last. A display-rate timer asks
// takeNew(); true means there is a newer frame to paint.
class FrameWatch {
public:
    [[nodiscard]] bool takeNew(const MeasurementDisplay& display) {
        if (display.frame == seen_)
            return false;
        seen_ = display.frame;
        return true;
    }
    // Forces the next takeNew() to report a frame (after a rebuild).
    void reset() { seen_ = kNever; }

private:
    static constexpr std::uint64_t kNever = ~std::uint64_t{0};
    std::uint64_t seen_ = 0;
};

} // namespace tavrino::measurement
