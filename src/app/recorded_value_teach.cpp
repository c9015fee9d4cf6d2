#include "app/recorded_value_teach.h"

#include "app/connection.h"
#include "app/live_measurement.h"
#include "app/teaching.h"
#include "parameters/texts.h"

namespace tavrino::app {

namespace {

void panelsFollowTheGrid(Session& s) {
    ParameterState& p = s.parameters;
    parameters::GetPanelValues(p.controls, p.teachTable, p.set);
    s.graphs().InitGraphs();
}

} // namespace

void CBF_ButtonTeachRecVal(Session& s) {
    s.op().showChildPanel(ChildPanel::RecordedValueTeach);
}

void CBF_ButtonTP2Start(Session& s) {
    if (s.link.exchangeRunning())
        return;
    const ButtonsDimmed dimmed(s);
    panelsFollowTheGrid(s);
    GetDataTP2(s);
}

void GetDataTP2(Session& s) {
    RunFlags& flags = s.flags;
    flags.running = 1;
    do {
        if (fetchLiveFrame(s) == 1)
            SetTP2Data(s);
        else if (flags.running == 1)
            // A failed exchange cleared the flag through the failure handler;
            // a refused one (another exchange waits) would be refused again
            // on every pass.
            flags.running = 0;
    } while (flags.running == 1);
}

void SetTP2Data(Session& s) {
    TeachPanelsState& t = s.teachPanels;
    const measurement::MeasurementRecord& r = s.live.record;
    const teach::Triple values{r.csX, r.csY, r.csI};
    // A frame that finds the buffer full is neither plotted nor shown: every
    // point on screen is a stored entry the cursor can select.
    if (!t.recorded.store(values)) {
        s.flags.running = 0;
        return;
    }
    if (t.recorded.full())
        s.flags.running = 0;
    t.recordedShown = values;
    teach::markHitRow(s.parameters.teachTable, hitChange(r.prevColorNo, r.colorNo));
    t.notify(TeachPanelChange::RecordedFrame);
}

void SetCursorTP2(Session& s, std::size_t graph, teach::PlotPoint cursor) {
    TeachPanelsState& t = s.teachPanels;
    if (t.recorded.counter() == 0)
        return;
    t.recordedShown = t.recorded.entry(teach::findEntry(t.recorded, graph, cursor));
    t.notify(TeachPanelChange::RecordedCursor);
}

bool CBF_ButtonTP2Reset(Session& s) {
    if (!s.op().confirm(kInfoTitle.in(s.language()), parameters::texts::kResetTableQuestion.in(s.language())))
        return false;
    s.teachPanels.recorded.resetCounter();
    s.teachPanels.notify(TeachPanelChange::RecordedReset);
    return true;
}

void CBF_ButtonTP2Teach(Session& s) {
    const teach::Triple& shown = s.teachPanels.recordedShown;
    s.live.record.csX = shown[0];
    s.live.record.csY = shown[1];
    s.live.record.csI = shown[2];
    TeachDataTo(s);
    panelsFollowTheGrid(s);
}

} // namespace tavrino::app
