#include "app/live_measurement.h"

#include "app/calibration.h"

#include "app/connection.h"
#include "app/recorder.h"
#include "app/table_settings.h"
#include "measurement/display.h"
#include "measurement/fetch.h"
#include "measurement/texts.h"

namespace tavrino::app {

namespace {

// Stops the loops that share the running flag after their current pass; a
// wait for frames the sensor sends by itself looks at the flag again now.
void stopLoops(Session& s) {
    s.flags.running = 0;
    s.link.wakeWaits();
}

} // namespace

void CBF_ButtonGo(Session& s) {
    // Callbacks run nested inside a waiting exchange. A loop started there
    // would have every exchange refused while the outer one waits.
    if (s.link.exchangeRunning())
        return;
    SetButtonsDimmed(s, 1, true);
    parameters::GetPanelValues(s.parameters.controls, s.parameters.teachTable, s.parameters.set);
    const bool keepPanel = s.shell.currentMainTab == MainTab::Calibration ||
                           s.shell.currentChildPanel == ChildPanel::DoubleParameter ||
                           s.shell.currentChildPanel == ChildPanel::MeanValueTeach;
    if (!keepPanel)
        s.op().showChildPanel(ChildPanel::MeasurementDisplay);
    s.graphs().InitGraphs();
    GetData(s);
    SetButtonsDimmed(s, 0, false);
}

void CBF_ButtonStop(Session& s) {
    stopLoops(s);
}

namespace {

// `afterFrame` runs after the display update of every frame.
template <typename AfterFrame> void runLiveLoop(Session& s, const AfterFrame& afterFrame) {
    RunFlags& flags = s.flags;
    flags.running = 1;
    do {
        // SEND and GET pressed during the loop were only noted; they go out
        // between two frames, never while a frame is awaited.
        if (flags.sendPending != 0) {
            s.parameters.transfer.SendPara();
            if (flags.running == 0)
                return;
        }
        if (flags.getPending != 0) {
            s.parameters.transfer.GetPara();
            if (flags.running == 0)
                return;
        }
        // So are SAVE TO EE and GET FROM EE of the table settings page.
        serveTableSettingsRequests(s);
        if (flags.running == 0)
            return;
        if (fetchLiveFrame(s) == 1) {
            SetPanelData(s);
            afterFrame();
        } else if (flags.running == 1) {
            // A failed exchange clears the flag through the failure handler;
            // only a refused one (another exchange waits) leaves it set, and
            // it would be refused again at once on every pass.
            flags.running = 0;
        }
    } while (flags.running == 1);
}

} // namespace

void GetData(Session& s) {
    runLiveLoop(s, [&s] { s.graphs().ShowGraph(); });
    finishTableSettingsRequests(s);
}

void GetData(Session& s, LiveFrameConsumer& consumer) {
    runLiveLoop(s, [&s, &consumer] { consumer.frameMeasured(s.live.record); });
    finishTableSettingsRequests(s);
}

int fetchLiveFrame(Session& s) {
    return measurement::fetchFrame(s.link, s.live.record, true);
}

void SetPanelData(Session& s) {
    measurement::updateDisplay(s.live.display, s.live.histories, s.live.record, s.parameters.set.teach);
}

void mainTabChanged(Session& s, MainTab tab) {
    s.shell.currentMainTab = tab;
    switch (tab) {
    case MainTab::Connection:
        stopLoops(s);
        s.op().setDimmed(Dimmable::ConfirmedConnectionButtons, true);
        break;
    case MainTab::Scope:
        stopLoops(s);
        s.op().showChildPanel(ChildPanel::Scope);
        break;
    case MainTab::Calibration:
        s.op().showChildPanel(ChildPanel::Calibration);
        InitCalibPanel(s);
        break;
    case MainTab::Recorder:
        recorderPageShown(s);
        break;
    default:
        break;
    }
}

void showLiveHelp(Session& s, LiveControl c) {
    namespace t = measurement::texts;
    const Text* text = nullptr;
    switch (c) {
    case LiveControl::Go:
        text = &t::kGoHelp;
        break;
    case LiveControl::Stop:
        text = &t::kStopHelp;
        break;
    case LiveControl::GraphTabs:
        text = &t::kGraphTabHelp;
        break;
    case LiveControl::Xyz:
        text = &t::kXyzHelp;
        break;
    case LiveControl::Coordinates:
        text = &t::kCoordinateHelp;
        break;
    case LiveControl::Intensity:
        text = &t::kIntensityHelp;
        break;
    case LiveControl::Deviations:
        text = &t::kDeviationHelp;
        break;
    case LiveControl::DeltaE:
        text = &t::kDeltaEHelp;
        break;
    case LiveControl::ColourNumber:
        text = &t::kColourNumberHelp;
        break;
    case LiveControl::In0:
        text = &t::kIn0Help;
        break;
    case LiveControl::Saturation:
        text = &t::kSaturationHelp;
        break;
    }
    if (text != nullptr)
        s.op().message(kInfoTitle.in(s.language()), text->in(s.language()));
}

} // namespace tavrino::app
