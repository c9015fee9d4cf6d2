#pragma once

#include "common/observers.h"
#include "scope/scan.h"
#include "scope/timing.h"

#include <string>

namespace tavrino::app {

enum class ScopeChange {
    Scanning,  // `scanning`: a scan waits for its data frames
    Result,    // `result` holds a new scan
    CycleTime, // `cycle`
    Deltas,    // `deltaX`, `deltaY`
    Settings,  // `settings` or `comment`
    Axes,      // `axes`: the graph's ranges and precisions
    Indicator, // `indicatorShown`
};

// The scope page's settings and the scope panel's results.
class ScopeState : public Notifying<ScopeChange> {
public:
    static constexpr std::size_t kCommentLimit = 1024;

    scope::ScanSettings settings;
    std::string comment;

    scope::ScanResult result;
    scope::ScanResult pending; // the scan being received
    bool hasResult = false;
    bool scanning = false;
    scope::CycleTime cycle;
    scope::AxisSetup axes;
    // The scope panel's scanning indicator.
    bool indicatorShown = false;

    // Cursor positions on the scope graph, set by the panel.
    double x1 = 32.0, y1 = 0.0, x2 = 96.0, y2 = 0.0;
    double deltaX = 0.0;
    double deltaY = 0.0;

    // BREAK while a scan exchanges or waits: the break request goes out as soon as the
    // wait has returned, so the link never runs two exchanges at once.
    bool breakPending = false;
};

} // namespace tavrino::app
