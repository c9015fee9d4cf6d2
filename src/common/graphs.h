#pragma once

namespace tavrino {

// What the program's logic asks of whatever draws its graphs: the strip
// charts, the three-sided colour-space view and the scope. The desktop
// program implements it once on its plots; a front end without graphs
// installs NoGraphs. The logic calls it at the steps where the graphs must
// follow the teach table, the colour space or a new frame.
class Graphs {
public:
    virtual ~Graphs() = default;

    // Rebuilds every graph from the teach table, the colour space and the
    // shape mode (axes, tolerance shapes, view bounds).
    virtual void InitGraphs() = 0;
    // Shows the latest values; a front end batches the repaints to its
    // display rate rather than repainting for every call.
    virtual void ShowGraph() = 0;
    // Removes the plotted points of the three-sided view's projections.
    virtual void deleteProjectionPlots() = 0;
    // The scope's captions and decimals follow the colour space.
    virtual void refreshScopeCaptions() = 0;

    // The signal graph panel, which the recorder feeds: InitPanelGraph starts
    // it afresh (counter 0, no traces, the current record as the previous
    // sample); SetPanelGraphData adds the current record as the next sample.
    virtual void InitPanelGraph() = 0;
    virtual void SetPanelGraphData() = 0;
};

// For a front end that draws nothing (the command-line tool): every request
// is answered by doing nothing, on purpose.
class NoGraphs final : public Graphs {
public:
    void InitGraphs() override {}
    void ShowGraph() override {}
    void deleteProjectionPlots() override {}
    void refreshScopeCaptions() override {}
    void InitPanelGraph() override {}
    void SetPanelGraphData() override {}
};

} // namespace tavrino
