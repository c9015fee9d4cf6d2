#pragma once

#include "app/session.h"
#include "teach/recorded_values.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <array>
#include <cstddef>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace tavrino::ui {

class CloudPlot;

// The recorded-value teach panel: the recorded frames as point clouds in
// the three projections CSXY, CSXI and CSYI, the cursor that snaps to a
// recorded point, the counter, the values under the cursor, and START,
// STOP, RESET, TEACH, No. and CLOSE. The recording is the session's; the
// panel appends each new frame to its clouds and repaints at display rate.
class RecordedValueTeachPanel : public TitledWidget {
    Q_OBJECT
public:
    static constexpr int kRepaintIntervalMs = 30;

    explicit RecordedValueTeachPanel(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    // Graph 0 CSXY, 1 CSXI, 2 CSYI.
    [[nodiscard]] CloudPlot* graph(std::size_t g) const { return plots_.at(g); }
    [[nodiscard]] QLineEdit* counterDisplay() const { return counter_; }
    [[nodiscard]] QLineEdit* valueDisplay(std::size_t i) const { return values_.at(i); }
    [[nodiscard]] QPushButton* startButton() const { return start_; }
    [[nodiscard]] QPushButton* stopButton() const { return stop_; }
    [[nodiscard]] QPushButton* resetButton() const { return reset_; }
    [[nodiscard]] QPushButton* teachButton() const { return teach_; }
    [[nodiscard]] QPushButton* closeButton() const { return close_; }
    [[nodiscard]] QSpinBox* rowNumber() const { return rowNumber_; }

    // The operator put the cursor of `graph` near `at` (graph units): it
    // lands on the nearest recorded point and all three follow.
    void snapCursor(std::size_t graph, teach::PlotPoint at);
    void stepCursor(std::size_t graph, teach::Direction direction);
    // Paints what changed since the last call; true if anything did.
    bool repaintIfDirty();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void build(UiContext& context);
    QWidget* buildControls(UiContext& context);
    void connectControls(UiContext& context);
    void onChange(app::TeachPanelChange change);
    void appendNewPoints();
    void moveCursors();
    void clearPoints();
    void showAxes();
    void showDisplays();
    void askReset();

    app::Session& session_;
    std::array<CloudPlot*, teach::kRecordedGraphs> plots_{};
    QLabel* counterCaption_;
    QLineEdit* counter_;
    std::array<QLabel*, 3> valueCaptions_{};
    std::array<QLineEdit*, 3> values_{};
    QLabel* rowCaption_;
    QSpinBox* rowNumber_;
    QPushButton* start_;
    QPushButton* stop_;
    QPushButton* reset_;
    QPushButton* teach_;
    QPushButton* close_;
    QTimer* repaint_;
    std::size_t plotted_ = 0; // entries already in the clouds
    bool dirty_ = true;
    Subscription<app::TeachPanelsState> subscription_;
    Subscription<teach::TeachTable> tableSubscription_;
    Subscription<app::DimmingModel> dimmingSubscription_;
    Subscription<parameters::ParameterControls> controlsSubscription_;
};

} // namespace tavrino::ui
