#pragma once

#include <cstdint>

namespace tavrino {

// The seven signals the signal graph panel plots for each recorded frame.
struct SignalSample {
    std::int16_t X = 0, Y = 0, Z = 0;
    double csX = 0, csY = 0, csI = 0;
    std::int16_t temp = 0;
};

// What the recorder asks of the signal graph panel. The desktop program's
// main window implements it on the panel; a front end without the panel
// (the command-line tool) keeps NoSignalGraph.
class SignalGraph {
public:
    virtual ~SignalGraph() = default;

    // A recording starts or the record mode changes: the sample counter to
    // 0, every plot removed, and `current` taken as each signal's previous
    // value.
    virtual void InitPanelGraph(const SignalSample& current) = 0;
    // One recorded frame: a segment from the previous sample to this one in
    // each graph. A front end batches the repaints to its display rate.
    virtual void SetPanelGraphData(const SignalSample& sample) = 0;
};

// For a front end without the signal graph panel: nothing is drawn, on
// purpose.
class NoSignalGraph final : public SignalGraph {
public:
    void InitPanelGraph(const SignalSample&) override {}
    void SetPanelGraphData(const SignalSample&) override {}
};

} // namespace tavrino
