#pragma once

// Scope captures: the plotted scan saved to a file with its settings, cycle
// time and comment, and a saved capture shown again as a scan is. Also what
// the scope panel and the printed report measure between the cursors.

#include "app/session.h"
#include "scope/statistics.h"

#include <array>
#include <string>

namespace tavrino::app {

// The names of the three traces: X, Y, Z, or the coordinates of the COLOR
// SPACE selection for the colour-space signal.
[[nodiscard]] std::array<std::string, 3> scopeTraceNames(const Session& s);

// The plotted traces measured between the cursors.
[[nodiscard]] scope::CursorStatistics scopeStatistics(const Session& s);

// Writes the plotted scan to `path`. False when it could not be written
// ("File could not be saved!" and the path told).
bool writeScopeCapture(Session& s, const std::string& path);

// Shows the capture at `path` as a scan: settings, comment, cycle time, axes,
// traces and the cursor deltas, on the scope panel. 1; -1 when it could not
// be read or is no capture (told with the path and the line), and then
// nothing has changed.
int openScopeCapture(Session& s, const std::string& path);

// The scope page's SAVE CAPTURE and OPEN CAPTURE: the file dialogs start in
// the directory of the record file.
void CBF_ButtonSaveCapture(Session& s);
void CBF_ButtonOpenCapture(Session& s);

} // namespace tavrino::app
