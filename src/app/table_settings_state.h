#pragma once

// The table settings page's own state: how row colours are chosen, the
// manual colour controls, and whether a table settings exchange runs.

#include "common/observers.h"
#include "teach/row_colours.h"

#include <cstdint>

namespace tavrino::app {

enum class TableSettingsChange {
    Mode,      // `rowColourMode`
    Selection, // `selectedRow`, `selectedColour`
    Busy,      // `busy`
};

class TableSettingsState : public Notifying<TableSettingsChange> {
public:
    static constexpr int kManual = 0;
    static constexpr int kAutomatic = 1;

    // 0 manual, 1 automatic: teaching paints the row with the measured colour.
    int rowColourMode = kManual;
    // The manual controls: row select and colour select.
    int selectedRow = 0;
    std::int32_t selectedColour = teach::kDefaultRowColours[0];
    // A save or load with the sensor runs, or waits for the live loop to
    // serve it; its buttons are dimmed meanwhile.
    bool busy = false;
    // SAVE TO EE / GET FROM EE pressed while a loop runs: served between two
    // of its exchanges.
    bool savePending = false;
    bool getPending = false;

    [[nodiscard]] bool automatic() const { return rowColourMode == kAutomatic; }
};

} // namespace tavrino::app
