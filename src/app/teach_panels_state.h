#pragma once

#include "common/observers.h"
#include "teach/mean_capture.h"

#include <cstddef>

namespace tavrino::app {

enum class TeachPanelChange {
    MeanCaptures, // `meanCaptures` (rows, counter, mean, max delta E)
};

// The teach panels' own state. The captures live here, not in the widget,
// so they stay while the program runs, also when the panel is closed.
class TeachPanelsState : public Notifying<TeachPanelChange> {
public:
    teach::MeanCaptures meanCaptures;
    // The cell the value table makes active (0-based row).
    std::size_t meanActiveRow = 0;
};

} // namespace tavrino::app
