#include "parameters/parameter_controls.h"

#include "common/convert.h"
#include "parameters/options.h"
#include "parameters/wire.h"

#include <algorithm>
#include <cmath>

namespace tavrino::parameters {

namespace {

// A correction word holds value x 128, so the value ends below 512.
constexpr double kHighestCorrection = 65535.0 / kCorrectionScale;

} // namespace

CoordinateCaptions coordinateCaptions(std::uint16_t colourSpace) {
    CoordinateCaptions c;
    const auto coordinates = calibration::coordinateLabels(colourSpace);
    const auto differences = calibration::differenceCaptions(colourSpace);
    const auto plots = calibration::plotCaptions(colourSpace);
    for (std::size_t i = 0; i < 3; ++i) {
        c.coordinates[i] = coordinates[i];
        c.differences[i] = differences[i];
        c.plots[i] = plots[i];
    }
    c.display = calibration::displaySettings(colourSpace).value_or(calibration::DisplaySettings{});
    return c;
}

ParameterControls::ParameterControls() {
    const auto defaults = defaultParameterWords();
    for (std::size_t i = 0; i < kControlCount; ++i)
        values_[i] = isCorrection(static_cast<Control>(i)) ? correctionValue(defaults[i]) : defaults[i];
    shown_.fill(true);
    captions_ = coordinateCaptions(static_cast<std::uint16_t>(code(Control::ColorSpace)));
    for (std::size_t i = 0; i < graphs_.size(); ++i)
        graphs_[i].range = captions_.display.axisRanges[i];
}

std::pair<double, double> ParameterControls::range(Control c) {
    if (isCorrection(c))
        return {0.0, kHighestCorrection};
    const OptionEntry& option = optionEntry(wordOf(c));
    return {static_cast<double>(option.min), static_cast<double>(option.max)};
}

int ParameterControls::code(Control c) const {
    return clampToInteger<int>(value(c)).value;
}

void ParameterControls::setValue(Control c, double value) {
    const auto [low, high] = range(c);
    if (isCorrection(c) && !std::isfinite(value)) {
        // Kept as computed, so that the panel shows it and SEND refuses it
        // instead of sending a made-up value.
    } else if (std::isnan(value)) {
        value = low;
    } else {
        if (!isCorrection(c))
            value = std::trunc(value);
        value = std::clamp(value, low, high);
    }
    if (values_[index(c)] == value)
        return;
    values_[index(c)] = value;
    notify({ControlChange::Kind::Value, static_cast<int>(c)});
}

void ParameterControls::setDimmed(Control c, bool dimmed) {
    if (dimmed_[index(c)] == dimmed)
        return;
    dimmed_[index(c)] = dimmed;
    notify({ControlChange::Kind::Dimmed, static_cast<int>(c)});
}

void ParameterControls::setHidden(Control c, bool hidden) {
    if (hidden_[index(c)] == hidden)
        return;
    hidden_[index(c)] = hidden;
    notify({ControlChange::Kind::Hidden, static_cast<int>(c)});
}

void ParameterControls::setShown(Element e, bool shown) {
    const auto i = static_cast<std::size_t>(e);
    if (shown_[i] == shown)
        return;
    shown_[i] = shown;
    notify({ControlChange::Kind::Element, static_cast<int>(i)});
}

void ParameterControls::setCaptions(const CoordinateCaptions& captions) {
    if (captions_ == captions)
        return;
    captions_ = captions;
    notify({ControlChange::Kind::Captions});
}

void ParameterControls::setGraphManualScaling(int i, bool manual) {
    auto& g = graphs_.at(static_cast<std::size_t>(i));
    if (g.manualScaling == manual)
        return;
    g.manualScaling = manual;
    notify({ControlChange::Kind::Graph, i});
}

void ParameterControls::setGraphRange(int i, calibration::AxisRange range) {
    auto& g = graphs_.at(static_cast<std::size_t>(i));
    if (g.range == range)
        return;
    g.range = range;
    notify({ControlChange::Kind::Graph, i});
}

void ParameterControls::selectTarget(TransferTarget t) {
    if (t != TransferTarget::Ram && t != TransferTarget::Eeprom && t != TransferTarget::File)
        return;
    if (target_ == t)
        return;
    target_ = t;
    notify({ControlChange::Kind::Target});
}

void ParameterControls::notify(const ControlChange& change) const {
    observers_.notify(change);
}

void GetPanelValues(const ParameterControls& controls, const teach::TeachTable& table, ParameterSet& set) {
    for (std::size_t w = 0; w < word::CorrectionX; ++w)
        set.words[w] = clampToU16(controls.value(static_cast<Control>(w))).value;
    for (std::size_t axis = 0; axis < 3; ++axis)
        setCorrection(set, axis, controls.value(static_cast<Control>(word::CorrectionX + axis)));
    set.teach = table.cells();
}

void SetPanelValues(const ParameterSet& set, ParameterControls& controls, teach::TeachTable& table) {
    for (std::size_t w = 0; w < word::CorrectionX; ++w)
        controls.setValue(static_cast<Control>(w), set.words[w]);
    for (std::size_t axis = 0; axis < 3; ++axis)
        controls.setValue(static_cast<Control>(word::CorrectionX + axis),
                          correctionValue(set.words[word::CorrectionX + axis]));
    table.setCells(set.teach);
}

void ResetTable(const ParameterControls& controls, teach::TeachTable& table, ParameterSet& set,
                Graphs& graphs) {
    table.clearValues();
    graphs.deleteProjectionPlots();
    GetPanelValues(controls, table, set);
    graphs.InitGraphs();
}

bool editTeachCell(const ParameterControls& controls, teach::TeachTable& table, ParameterSet& set,
                   Graphs& graphs, int row, int column, double value) {
    if (!teach::cellFits(value))
        return false;
    table.setCell(row, column, value);
    GetPanelValues(controls, table, set);
    graphs.InitGraphs();
    graphs.ShowGraph();
    return true;
}

} // namespace tavrino::parameters
