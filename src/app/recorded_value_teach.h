#pragma once

// The flows of the recorded-value teach panel: recording frames into the
// buffer, following the operator's cursor, the asked reset and teaching the
// point under the cursor. The panel and the command-line tool call these.

#include "app/session.h"
#include "teach/recorded_values.h"

#include <cstddef>

namespace tavrino::app {

// The teach table page's button: shows the recorded-value panel (its
// recording stays as it was).
void CBF_ButtonTeachRecVal(Session& s);
// START: dims the exchange buttons, reads the parameter set and teach table
// from the panels, rebuilds the graphs and records until the running flag is
// cleared. Does nothing while an exchange waits (a loop already runs around
// this callback).
void CBF_ButtonTP2Start(Session& s);
// The recording loop: one order-8 frame per pass, each stored by SetTP2Data,
// while the running flag is 1. It serves no SEND or GET and leaves the
// measurement displays alone; STOP, a failed exchange, a switch to the
// connection or scope page and a full buffer end it.
void GetDataTP2(Session& s);
// One decoded frame: stored as the next entry, shown, the cursors on it, the
// hit row marked in the teach table. A full buffer stores nothing more and
// ends the recording.
void SetTP2Data(Session& s);
// The operator put the cursor of `graph` (0 CSXY, 1 CSXI, 2 CSYI) on
// `cursor`: the first entry with exactly those two coordinates (entry 0 when
// none has them) is shown and all three cursors move onto it. With nothing
// recorded there is no entry to show and nothing changes.
void SetCursorTP2(Session& s, std::size_t graph, teach::PlotPoint cursor);
// RESET: asks; on Yes the plots go and the counter is 0 (the buffer keeps
// its content until it is overwritten). True when it did.
bool CBF_ButtonTP2Reset(Session& s);
// TEACH: the shown values into row No., then the set follows the grid and
// the graphs are rebuilt.
void CBF_ButtonTP2Teach(Session& s);

} // namespace tavrino::app
