#pragma once

#include "app/session.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavrino::ui {

class DigitalGraph;
class ScopeGraph;

// The scope panel: the scope graph with its two cursors, the digital graph
// below at the same positions, delta X and delta Y, ZOOM 1:1, the displayed
// signal, the scanning indicator and the close button.
class ScopePanel : public TitledWidget {
    Q_OBJECT
public:
    explicit ScopePanel(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;
    // The trace names follow the colour space and the recorded signal.
    void refreshCaptions();

    [[nodiscard]] ScopeGraph* scopeGraph() const { return graph_; }
    [[nodiscard]] DigitalGraph* digitalGraph() const { return digital_; }
    [[nodiscard]] QLineEdit* deltaXDisplay() const { return deltaX_; }
    [[nodiscard]] QLineEdit* deltaYDisplay() const { return deltaY_; }
    [[nodiscard]] QPushButton* zoomButton() const { return zoom_; }
    [[nodiscard]] QComboBox* displayedSignalSelector() const { return displayed_; }
    [[nodiscard]] QLabel* scanningIndicator() const { return indicator_; }
    [[nodiscard]] QPushButton* closeButton() const { return close_; }
    // The measurements between the cursors: the heading with the positions
    // measured, and value(trace, column) for minimum, maximum, mean and
    // peak-to-peak (columns 0..3) of the traces 0..2.
    [[nodiscard]] QFrame* statisticsBox() const { return statistics_; }
    [[nodiscard]] QLabel* statisticsHeading() const { return statisticsHeading_; }
    [[nodiscard]] QLabel* statisticsValue(int trace, int column) const;

private:
    void build();
    void registerHelp(HelpRegistry& help);
    void connectControls();
    void onScopeChange(app::ScopeChange change);
    void cursorDragged(int cursor, double x, double y);
    void showAxes();
    void showTraces();
    void showCursors();
    void showDeltas();
    void buildStatistics();
    void showStatistics();

    UiContext& context_;
    app::Session& session_;
    ScopeGraph* graph_;
    DigitalGraph* digital_;
    QLabel* deltaXCaption_;
    QLineEdit* deltaX_;
    QLabel* deltaYCaption_;
    QLineEdit* deltaY_;
    QPushButton* zoom_;
    QLabel* displayedCaption_;
    QComboBox* displayed_;
    QLabel* indicator_;
    QPushButton* close_;
    QFrame* statistics_;
    QLabel* statisticsHeading_;
    std::array<QLabel*, 4> statisticsCaptions_{};
    std::array<QLabel*, 3> traceNames_{};
    std::array<std::array<QLabel*, 4>, 3> statisticsValues_{};
    Subscription<app::ScopeState> scopeSubscription_;
};

} // namespace tavrino::ui
