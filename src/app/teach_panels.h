#pragma once

// The flows of the teach panels: capturing frames for a mean and teaching
// the mean. The panels and the command-line tool call these.

#include "app/session.h"

#include <cstddef>

namespace tavrino::app {

// The teach table page's button: shows the mean-value panel (its captures
// stay as they were).
void CBF_ButtonTeachMeanVal(Session& s);
// CAPTURE: the record as last decoded (normally by the running live loop)
// as a new row; once full, the last row is overwritten.
void CaptureFrame(Session& s);
// UNDO: removes the last captured row.
void UndoCapture(Session& s);
// Empties the panel without asking.
void ResetTeachMeanPanelTable(Session& s);
// RESET: asks; on Yes empties the panel. True when it did.
bool CBF_ButtonTP1ResetTable(Session& s);
// A value typed into the value table (0-based row and column).
void CBF_GridTP1Values(Session& s, std::size_t row, std::size_t column, double value);
// TEACH: the mean into row No., then the set follows the grid and the graphs
// are rebuilt.
void CBF_ButtonTP1Teach(Session& s);
// CLOSE: a running live loop ends after its pass; the measurement display
// panel comes back.
void CBF_ButtonCloseTeachPanel(Session& s);

} // namespace tavrino::app
