#pragma once

#include "common/observers.h"

#include "calibration/colour_space.h"
#include "parameters/parameter_set.h"
#include "teach/teach_table.h"

#include "common/graphs.h"
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tavrino::parameters {

// The operator controls of the parameter set. Control n shows parameter word n:
// the sensor parameter page (words 0..9, 16..19), the teach table page (10..15),
// the double-parameter table (20..25, two rows of POWER, GAIN, INTEGRAL) and the
// correction table (26..28, shown as real numbers).
enum class Control : std::uint8_t {
    Power,
    PowerMode,
    Gain,
    Integral1,
    Integral2,
    Average,
    LedMode,
    ColorSpace,
    Calibration,
    DigitalOutmode,
    MaxVecNo,
    Intlim,
    EvaluationMode,
    ShapeMode,
    ExternTeach,
    Trigger,
    AnalogOutmode,
    AnalogOutSignal,
    AnalogOut,
    AnalogZoom,
    DoublePower1,
    DoubleGain1,
    DoubleIntegral1,
    DoublePower2,
    DoubleGain2,
    DoubleIntegral2,
    CorrectionX,
    CorrectionY,
    CorrectionZ,
};
inline constexpr std::size_t kControlCount = 29;

[[nodiscard]] constexpr std::size_t wordOf(Control c) {
    return static_cast<std::size_t>(c);
}
[[nodiscard]] constexpr bool isCorrection(Control c) {
    return c >= Control::CorrectionX;
}

// Pages and displays that the option rules show or hide.
enum class Element : std::uint8_t {
    OffsetAdjustmentPage, // main tab
    TeachTablePage,       // main tab
    TableSettingsPage,    // main tab
    DifferenceDisplay1,   // measurement display panel: the five teach-related displays
    DifferenceDisplay2,
    DifferenceDisplay3,
    DeltaEDisplay,
    ColourNumberDisplay,
    In0Indicator,      // measurement display panel
    ReferenceDisplay1, // CS REF reference values, coordinate page of the measurement display panel
    ReferenceDisplay2,
    ReferenceDisplay3,
    BigColourNumberPanel, // opened by the operator, closed by the rules
};
inline constexpr std::size_t kElementCount = 13;

// How everything that shows colour coordinates labels and formats them: the
// three coordinate displays, the difference displays, the plot captions, the
// signal graph's entries and the coordinate columns of the teach panels.
struct CoordinateCaptions {
    std::array<std::string, 3> coordinates; // "x", "y", "Y:100"
    std::array<std::string, 3> differences; // "delta x", ...
    std::array<std::string, 3> plots;       // "x/y", "x/Y:100", "y/Y:100"
    calibration::DisplaySettings display;   // decimals and axis ranges
    friend bool operator==(const CoordinateCaptions&, const CoordinateCaptions&) = default;
};

// The captions and display settings of a COLOR SPACE (empty captions for a
// value that names no colour space).
[[nodiscard]] CoordinateCaptions coordinateCaptions(std::uint16_t colourSpace);

// One of the three coordinate graphs of the measurement display panel. The
// axis range is what the graph shows while it scales manually.
struct CoordinateGraph {
    bool manualScaling = false;
    calibration::AxisRange range;
    friend bool operator==(const CoordinateGraph&, const CoordinateGraph&) = default;
};

// What changed, so a widget follows only that.
struct ControlChange {
    enum class Kind { Value, Dimmed, Hidden, Element, Captions, Graph, Target };
    Kind kind = Kind::Value;
    int index = -1; // Control, Element or graph number; -1 for Captions and Target
};

// The parameter controls as a model: the master copy of the parameter set while
// the program runs. Every value is held as the operator sees it, at full
// precision (display decimals never round it). A value is always inside its
// control's range: integer controls take the truncated value, every value is
// clamped to the range of the option table, and NaN becomes the lowest value.
// Only a correction value that is not finite (a quotient over a zero raw
// value) is kept as it is: it cannot be sent (ParameterTransfer refuses it).
class ParameterControls {
public:
    using Observer = Observers<const ControlChange&>::Observer;

    // Every control at its default, nothing dimmed or hidden, every page and
    // display shown, target RAM.
    ParameterControls();

    [[nodiscard]] double value(Control c) const { return values_[index(c)]; }
    // The integer a control holds (a correction value truncated).
    [[nodiscard]] int code(Control c) const;
    void setValue(Control c, double value);

    [[nodiscard]] bool dimmed(Control c) const { return dimmed_[index(c)]; }
    void setDimmed(Control c, bool dimmed);
    [[nodiscard]] bool hidden(Control c) const { return hidden_[index(c)]; }
    void setHidden(Control c, bool hidden);
    // A dimmed or hidden control cannot be changed by the operator.
    [[nodiscard]] bool editable(Control c) const { return !dimmed(c) && !hidden(c); }

    [[nodiscard]] bool shown(Element e) const { return shown_[static_cast<std::size_t>(e)]; }
    void setShown(Element e, bool shown);

    [[nodiscard]] const CoordinateCaptions& captions() const { return captions_; }
    void setCaptions(const CoordinateCaptions& captions);

    [[nodiscard]] const CoordinateGraph& graph(int i) const {
        return graphs_.at(static_cast<std::size_t>(i));
    }
    void setGraphManualScaling(int i, bool manual);
    void setGraphRange(int i, calibration::AxisRange range);

    // The transfer target and its three select buttons: the button of the
    // target is on, the other two are off.
    [[nodiscard]] TransferTarget target() const { return target_; }
    [[nodiscard]] bool selectButtonOn(TransferTarget t) const { return target_ == t; }
    void selectTarget(TransferTarget t);

    // The lowest and highest value a control offers.
    [[nodiscard]] static std::pair<double, double> range(Control c);

    int subscribe(Observer observer) { return observers_.subscribe(std::move(observer)); }
    void unsubscribe(int id) { observers_.unsubscribe(id); }

private:
    static std::size_t index(Control c) { return static_cast<std::size_t>(c); }
    void notify(const ControlChange& change) const;

    std::array<double, kControlCount> values_{};
    std::array<bool, kControlCount> dimmed_{};
    std::array<bool, kControlCount> hidden_{};
    std::array<bool, kElementCount> shown_{};
    CoordinateCaptions captions_;
    std::array<CoordinateGraph, 3> graphs_{};
    TransferTarget target_ = TransferTarget::Ram;
    Observers<const ControlChange&> observers_;
};

// Reads every control into the parameter set: words 0..25 as 16-bit values,
// the correction values as words 26..28 with their cube-root words 29..31, and
// the 3 x 6 teach cells as real numbers.
void GetPanelValues(const ParameterControls& controls, const teach::TeachTable& table, ParameterSet& set);
// The reverse: words 0..25 into their controls, each correction value as
// word / 128, the teach cells into the teach table. Words 29..31 are not shown.
void SetPanelValues(const ParameterSet& set, ParameterControls& controls, teach::TeachTable& table);

// RESET TABLE: the grid cleared (No. 0, every value 0; colours kept), the
// three-sided view's plots removed, the parameter set read from the controls
// and the cleared grid, the graphs rebuilt.
void ResetTable(const ParameterControls& controls, teach::TeachTable& table, ParameterSet& set,
                Graphs& graphs);

// A value cell of the grid edited by the operator: the parameter set follows
// the grid, and the graphs show the new table. A value the sensor cannot hold
// is refused (false) and changes nothing.
bool editTeachCell(const ParameterControls& controls, teach::TeachTable& table, ParameterSet& set,
                   Graphs& graphs, int row, int column, double value);

} // namespace tavrino::parameters
