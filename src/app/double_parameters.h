#pragma once

// The double-parameter panel's operations: the three ASSIGN steps by hand,
// and the assistant that finds both parameter sets and the correction values
// by itself. Everything runs on the one UI thread; the assistant's pauses
// wait in the session's waiter (a local event loop in the program and the
// command-line tool), so STOP and the tab pages work during them.

#include "app/session.h"

namespace tavrino::app {

// Results of the searches.
inline constexpr int kSearchSucceeded = 0;
inline constexpr int kSearchFailed = 1;

// Set 1 := POWER, GAIN, INTEGRAL 1 of the sensor parameter page; XYZ row 1 :=
// raw X Y Z of the current measurement record.
void DPAssign1(Session& s);
// XYZ row 2 := raw X Y Z of the current measurement record.
void DPAssign2(Session& s);
// Set 2 := the page's POWER, GAIN, INTEGRAL 1; XYZ row 3 := raw X Y Z; then
// the correction values row 3 / row 2.
void DPAssign3(Session& s);
// ASSIGN 1, 2, 3 (`which`): 1 and 3 refuse a raw value above the saturation
// limit with a message. True when assigned.
bool CBF_ButtonAssign(Session& s, int which);

// The assistant's pause of `ms` milliseconds after a parameter transfer. The
// window stays live meanwhile; closing the program ends it at once.
void AssistantPause(Session& s, int ms);
// One measurement with the display update. 1, or -1 (already reported).
int GetDPData(Session& s);
// The POWER search for `target` with GAIN and INTEGRAL 1 as they are in the
// parameter set. kSearchSucceeded, or kSearchFailed after a failed step.
int AdjustPower(Session& s, int target);
// The GAIN, INTEGRAL and POWER search for one target level.
int SetSensorPower(Session& s, int target);
// The whole assistant, with its questions and messages. True after the
// success message.
bool StartAssistant(Session& s);

// START ASSISTANT: the sensor buttons dimmed around StartAssistant. Does
// nothing while an exchange waits (a callback nested in it).
bool CBF_ButtonStartAssistant(Session& s);
// SET DP on the sensor parameter page: the double-parameter panel in front.
void CBF_ButtonSetDp(Session& s);
// The panel's close button: back to the measurement display panel and the
// sensor parameter page.
void CBF_ButtonCloseDp(Session& s);

} // namespace tavrino::app
