#include "app/teaching.h"

#include "parameters/texts.h"
#include "teach/prompt_number.h"
#include "teach/texts.h"

namespace tavrino::app {

namespace {

using parameters::Control;

// Answers to the cell prompt: at most 9 characters.
constexpr std::size_t kPromptLength = 9;

teach::Rgb rgbOf(const measurement::DisplayColour& c) {
    return {c.red, c.green, c.blue};
}

// After a block edit: the set follows the grid, the graphs show it.
void tableEdited(Session& s) {
    ParameterState& p = s.parameters;
    parameters::GetPanelValues(p.controls, p.teachTable, p.set);
    s.graphs().InitGraphs();
    s.graphs().ShowGraph();
}

std::optional<double> askCellValue(Session& s) {
    const auto answer = s.op().prompt(kInfoTitle.in(s.language()),
                                      teach::texts::kCellValuePrompt.in(s.language()), kPromptLength);
    return answer ? teach::parsePromptNumber(*answer) : std::nullopt;
}

} // namespace

void TeachDataTo(Session& s) {
    ParameterState& p = s.parameters;
    teach::TeachSettings settings;
    settings.shapeMode = p.controls.code(Control::ShapeMode);
    settings.colourSpace = p.controls.code(Control::ColorSpace);
    settings.toleranceOn = p.teachToleranceOff == 0;
    settings.autoIncrement = p.autoIncrement == 1;
    settings.automaticRowColour = s.tableSettings.automatic();
    settings.displayColour = rgbOf(s.live.display.paintColour);
    const measurement::MeasurementRecord& r = s.live.record;
    teach::TeachDataTo(p.teachTable, s.rowColours, {r.csX, r.csY, r.csI}, settings);
}

void CBF_ButtonTeachDataTo(Session& s) {
    const auto& shown = s.live.display.coordinates;
    s.live.record.csX = shown[0];
    s.live.record.csY = shown[1];
    s.live.record.csI = shown[2];
    TeachDataTo(s);
    ParameterState& p = s.parameters;
    parameters::GetPanelValues(p.controls, p.teachTable, p.set);
    s.graphs().InitGraphs();
}

bool CBF_ButtonResetTable(Session& s) {
    if (!s.op().confirm(kInfoTitle.in(s.language()), parameters::texts::kResetTableQuestion.in(s.language())))
        return false;
    ParameterState& p = s.parameters;
    parameters::ResetTable(p.controls, p.teachTable, p.set, s.graphs());
    return true;
}

void setTeachToleranceOff(Session& s, bool off) {
    const std::int16_t flag = off ? 1 : 0;
    if (s.parameters.teachToleranceOff == flag)
        return;
    s.parameters.teachToleranceOff = flag;
    s.parameters.notify(ParameterChange::TeachTolerance);
}

void setAutoIncrement(Session& s, bool on) {
    const std::int16_t flag = on ? 1 : 0;
    if (s.parameters.autoIncrement == flag)
        return;
    s.parameters.autoIncrement = flag;
    s.parameters.notify(ParameterChange::AutoIncrement);
}

void CBF_GridCttSetSelectionTo(Session& s, const std::vector<teach::GridCell>& selection) {
    const auto cells = teach::visitingOrder(selection);
    if (cells.empty())
        return;
    // An answer the sensor cannot hold changes nothing, as one without a number.
    const auto value = askCellValue(s);
    if (!value || !teach::setSelectionTo(s.parameters.teachTable, cells, *value))
        return;
    tableEdited(s);
}

void CBF_GridCttIncrementSelectionWith(Session& s, const std::vector<teach::GridCell>& selection) {
    const auto cells = teach::visitingOrder(selection);
    if (cells.empty() || !teach::isValueCell(cells.front()))
        return;
    const auto increment = askCellValue(s);
    if (!increment || !teach::incrementSelection(s.parameters.teachTable, cells, *increment))
        return;
    tableEdited(s);
}

void CBF_GridCttResetSelection(Session& s, const std::vector<teach::GridCell>& selection) {
    const auto cells = teach::visitingOrder(selection);
    if (cells.empty())
        return;
    teach::resetSelection(s.parameters.teachTable, cells);
    tableEdited(s);
}

} // namespace tavrino::app
