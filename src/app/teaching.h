#pragma once

// Teaching and the teach table's operations on the session: TEACH DATA TO,
// RESET TABLE, teach tolerance on and off, and the block edits of the grid's
// context menu. The teach table page and the teach panels call these.

#include "app/session.h"
#include "teach/teaching.h"

#include <vector>

namespace tavrino::app {

// TEACH DATA TO: the three coordinates as the live displays show them into
// the record, TeachDataTo, then the parameter set follows the grid and the
// graphs are rebuilt. Works while the live loop runs (nested in its wait):
// it takes the latest displayed values.
void CBF_ButtonTeachDataTo(Session& s);
// The record's csX, csY, csI into row No. with the tolerance, auto-increment
// and row-colour rules; shape mode and colour space as the controls hold
// them now. Callers set the record first and refresh the set and graphs after.
void TeachDataTo(Session& s);

// RESET TABLE: asks, and on Yes clears the table (ResetTable). True when the
// table was reset.
bool CBF_ButtonResetTable(Session& s);

// Teach tolerance off (true) or on (false), from the grid's context menu.
void setTeachToleranceOff(Session& s, bool off);
void setAutoIncrement(Session& s, bool on);

// The block edits on the grid's selection (any order; cells outside the grid
// are ignored). An empty selection does nothing and asks nothing; a prompt
// answer without a number changes nothing. After a change the parameter set
// follows the grid and the graphs are rebuilt and redrawn.
void CBF_GridCttSetSelectionTo(Session& s, const std::vector<teach::GridCell>& selection);
void CBF_GridCttIncrementSelectionWith(Session& s, const std::vector<teach::GridCell>& selection);
void CBF_GridCttResetSelection(Session& s, const std::vector<teach::GridCell>& selection);

} // namespace tavrino::app
