#pragma once

// The scope's operations on the session: one scan with the wait for the four
// data frames, BREAK, the cycle time and the cursor deltas. Widgets and the
// command-line tool only call these.

#include "app/session.h"

#include <string_view>

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

// The graph's axes and precisions for the COLOR SPACE selection and the
// recorded signal, then the cursor deltas again. Also ZOOM 1:1.
void initScopePanel(Session& s);

// The scope page's settings as the operator committed them: a new recorded
// signal sets the graph up again, a new scan rate recomputes the deltas.
void setScopeSettings(Session& s, const scope::ScanSettings& settings);
// The comment for the printout, cut to ScopeState::kCommentLimit characters.
void setScopeComment(Session& s, std::string_view comment);

// A cursor of the scope graph moved (or the graph was zoomed): the positions
// of both, then the deltas.
void moveScopeCursors(Session& s, double x1, double y1, double x2, double y2);

// The scope page's buttons.
void CBF_ButtonScopeScan(Session& s);
void CBF_ButtonScopeBreak(Session& s);
void CBF_ButtonGetCycleTime(Session& s);
// The scope panel's close button: back to the measurement display panel and
// the sensor parameter page.
void CBF_ButtonCloseScope(Session& s);

} // namespace tavrino::app
