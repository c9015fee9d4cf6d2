#include "app/teach_panels.h"

#include "app/teaching.h"
#include "parameters/texts.h"

namespace tavrino::app {

namespace {

void meanChanged(Session& s, std::size_t activeRow) {
    s.teachPanels.meanActiveRow = activeRow;
    s.teachPanels.notify(TeachPanelChange::MeanCaptures);
}

} // namespace

void CBF_ButtonTeachMeanVal(Session& s) {
    s.op().showChildPanel(ChildPanel::MeanValueTeach);
}

void CaptureFrame(Session& s) {
    const measurement::MeasurementRecord& r = s.live.record;
    meanChanged(s, s.teachPanels.meanCaptures.capture({r.csX, r.csY, r.csI}));
}

void UndoCapture(Session& s) {
    teach::MeanCaptures& m = s.teachPanels.meanCaptures;
    m.undo();
    meanChanged(s, m.count() > 0 ? m.count() - 1u : 0u);
}

void ResetTeachMeanPanelTable(Session& s) {
    s.teachPanels.meanCaptures.reset();
    meanChanged(s, 0);
}

bool CBF_ButtonTP1ResetTable(Session& s) {
    if (!s.op().confirm(kInfoTitle.in(s.language()), parameters::texts::kResetTableQuestion.in(s.language())))
        return false;
    ResetTeachMeanPanelTable(s);
    return true;
}

void CBF_GridTP1Values(Session& s, std::size_t row, std::size_t column, double value) {
    // Also a refused value is announced: the panel shows the cell as it is.
    s.teachPanels.meanCaptures.setCell(row, column, value);
    meanChanged(s, s.teachPanels.meanActiveRow);
}

void CBF_ButtonTP1Teach(Session& s) {
    const teach::Triple& mean = s.teachPanels.meanCaptures.mean();
    s.live.record.csX = mean[0];
    s.live.record.csY = mean[1];
    s.live.record.csI = mean[2];
    TeachDataTo(s);
    ParameterState& p = s.parameters;
    parameters::GetPanelValues(p.controls, p.teachTable, p.set);
    s.graphs().InitGraphs();
}

void CBF_ButtonCloseTeachPanel(Session& s) {
    s.flags.running = 0;
    s.op().showChildPanel(ChildPanel::MeasurementDisplay);
}

} // namespace tavrino::app
