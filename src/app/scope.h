#pragma once

// The scope's operations on the session: one scan with the wait for the four
// data frames, BREAK, the cycle time and the cursor deltas. Widgets and the
// command-line tool only call these.

#include "app/session.h"

namespace tavrino::app {

// One complete scan with the scope page's settings. 1 plotted; 0 broken by
// BREAK (the break request has been sent); -1 failure, already reported.
int GetScopeData(Session& s);

// Ends a waiting scan: clears the scope-scan flag and sends the break request
// (order 110, argument 0), right after the scan's wait has returned when one
// is running. Its result is not examined.
void BreakDataScan(Session& s);

// The cycle-time request (order 105); a failed request gives 0 and 0.
// 1, or -1 (already reported).
int GetCycleTime(Session& s);

// Delta X (ms) and delta Y from the cursors in `s.scope`.
void calcScopDeltaXY(Session& s);

} // namespace tavrino::app
