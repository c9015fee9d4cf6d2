#pragma once

#include "common/observers.h"
#include "teach/mean_capture.h"
#include "teach/recorded_values.h"

#include <cstddef>

namespace tavrino::app {

enum class TeachPanelChange {
    MeanCaptures,   // `meanCaptures` (rows, counter, mean, max delta E)
    RecordedFrame,  // a frame was recorded: counter, `recordedShown` (the cursors are on it)
    RecordedCursor, // the operator moved a cursor: `recordedShown` is the entry found
    RecordedReset,  // the recorded points are gone and the counter is 0
};

// The teach panels' own state. The captures and the recorded values live
// here, not in the widgets, so they stay while the program runs, also when
// a panel is closed.
class TeachPanelsState : public Notifying<TeachPanelChange> {
public:
    teach::MeanCaptures meanCaptures;
    // The cell the value table makes active (0-based row).
    std::size_t meanActiveRow = 0;

    teach::RecordedValues recorded;
    // The value displays of the recorded-value panel: the newest frame while
    // recording, the entry under the cursors after a cursor move. The three
    // cursors always stand on this point.
    teach::Triple recordedShown{};
};

} // namespace tavrino::app
