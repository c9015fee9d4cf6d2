#pragma once

// The live measurement: GO, STOP, the loop and the display update, and what
// a switch of the main tab page does to a running loop.
//
// Everything runs on the one UI thread. The loop runs inside the GO
// callback; while an exchange waits for the sensor's reply, the link runs a
// local event loop, so STOP, tab switches, the close box and the display
// timers run nested inside that wait. The loop notices a cleared running flag
// at the end of the pass that was running and returns.

#include "app/session.h"
#include "common/ids.h"
#include "measurement/record.h"

namespace tavrino::app {

// The controls of the live measurement that answer a right click with help.
enum class LiveControl {
    Go,
    Stop,
    GraphTabs,
    Xyz,
    Coordinates,
    Intensity,
    Deviations,
    DeltaE,
    ColourNumber,
    In0,
    Saturation,
};

// GO: dims the loop buttons, reads the parameter set and teach table from the
// panels, shows the measurement display panel (unless the calibration page is
// in front or the double-parameter or mean-value teach panel is shown),
// initialises the graphs, runs GetData until it returns and undims. Does
// nothing while an exchange waits (then a loop already runs around this
// callback).
void CBF_ButtonGo(Session& s);
// STOP: clears the running flag; the loop ends after its current pass.
void CBF_ButtonStop(Session& s);

// The live loop: pending SEND and GET first, then one frame, its display
// update and the graphs, again and again while the running flag is 1.
void GetData(Session& s);

// Where a front end without graphs takes each frame of the live loop.
class LiveFrameConsumer {
public:
    virtual ~LiveFrameConsumer() = default;
    // Called after the frame's display update; clearing the running flag
    // here ends the loop after this pass.
    virtual void frameMeasured(const measurement::MeasurementRecord& record) = 0;
};
// The same loop with every frame handed to `consumer` instead of the graphs.
void GetData(Session& s, LiveFrameConsumer& consumer);
// Order 8 into the session's record with the previous colour number kept.
// 1, or -1 with the record unchanged.
int fetchLiveFrame(Session& s);
// The display update of one decoded frame: the display model, the display
// colour, the single deviations from the teach table as last read from the
// panel, and the graph histories. Nothing is repainted here.
void SetPanelData(Session& s);

// The operator brought `tab` to the front: the connection and scope pages
// stop a running loop after its current pass; the connection page dims its
// buttons that need a confirmed connection; the scope and calibration pages
// show their child panel; the recorder page refreshes its layout and, in
// mode 0, its record time.
void mainTabChanged(Session& s, MainTab tab);

// Right click on a control of the live measurement.
void showLiveHelp(Session& s, LiveControl c);

} // namespace tavrino::app
