#pragma once

#include "common/graphs.h"

#include <functional>
#include <string>
#include <vector>

namespace tavrino::test {

// Graphs that note every request in order: "init", "show", "delete plots",
// "scope", "init panel graph", "panel graph data".
struct RecordingGraphs final : Graphs {
    std::vector<std::string> calls;
    // Called on every ShowGraph: the point after each frame where a test
    // looks at the loop (or stops it).
    std::function<void()> onShow;
    // Called on every SetPanelGraphData: after each frame a recording shows.
    std::function<void()> onPanelGraphData;

    void InitGraphs() override { calls.emplace_back("init"); }
    void ShowGraph() override {
        calls.emplace_back("show");
        if (onShow)
            onShow();
    }
    void deleteProjectionPlots() override { calls.emplace_back("delete plots"); }
    void refreshScopeCaptions() override { calls.emplace_back("scope"); }
    void InitPanelGraph() override { calls.emplace_back("init panel graph"); }
    void SetPanelGraphData() override {
        calls.emplace_back("panel graph data");
        if (onPanelGraphData)
            onPanelGraphData();
    }

    [[nodiscard]] int count(const std::string& call) const {
        int n = 0;
        for (const auto& c : calls)
            n += c == call ? 1 : 0;
        return n;
    }
};

} // namespace tavrino::test
