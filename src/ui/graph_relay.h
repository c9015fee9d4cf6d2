#pragma once

#include "common/graphs.h"

namespace tavrino::ui {

// The desktop program's graphs as the session sees them. The session is built
// before the main window that holds the plots, so its requests go through
// here to the window attached once it exists; before that (and after it is
// gone) there is nothing on screen to draw into.
class GraphRelay final : public Graphs {
public:
    void attach(Graphs* target) { target_ = target; }

    void InitGraphs() override {
        if (target_ != nullptr)
            target_->InitGraphs();
    }
    void ShowGraph() override {
        if (target_ != nullptr)
            target_->ShowGraph();
    }
    void deleteProjectionPlots() override {
        if (target_ != nullptr)
            target_->deleteProjectionPlots();
    }
    void refreshScopeCaptions() override {
        if (target_ != nullptr)
            target_->refreshScopeCaptions();
    }
    void InitPanelGraph() override {
        if (target_ != nullptr)
            target_->InitPanelGraph();
    }
    void SetPanelGraphData() override {
        if (target_ != nullptr)
            target_->SetPanelGraphData();
    }

private:
    Graphs* target_ = nullptr;
};

} // namespace tavrino::ui
