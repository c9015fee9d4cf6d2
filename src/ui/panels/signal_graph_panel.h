#pragma once

#include "app/session.h"
#include "measurement/graph_view.h"
#include "parameters/parameter_controls.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <array>
#include <cstdint>

class QComboBox;
class QCPCurve;
class QCustomPlot;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace tavrino::app {
enum class RecordReviewChange;
}

namespace tavrino::ui {

class RecordView;

// The signal graph panel: one graph per recorded signal (X, Y, Z, the three
// colour-space coordinates, the temperature) over the sample number, of which
// the signal selector shows one, with the seven values and the sample
// counter. The recorder feeds it through the graphs' owner; segments are
// collected as they come and drawn at display rate. While a record file is
// in review (app/record_review.h) it shows the file instead: the selected
// signal over the file's lines, and the values of the line under the cursor
// with its time in the readout.
class SignalGraphPanel : public TitledWidget {
    Q_OBJECT
public:
    explicit SignalGraphPanel(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    // Every graph without traces.
    void clearTraces();
    // One line segment per signal, drawn at the next refresh.
    void addSegment(const measurement::SignalSegment& segment);
    // Draws the visible graph and shows `latest` and `counter`.
    void refresh(const measurement::SignalValues& latest, std::uint16_t counter);
    // Hides all seven graphs and shows the selected one (an unknown value shows X).
    void SetGraphVisible(int selector);

    [[nodiscard]] QCustomPlot* graph(std::size_t signal) const { return graphs_.at(signal); }
    [[nodiscard]] QCPCurve* trace(std::size_t signal) const { return traces_.at(signal); }
    [[nodiscard]] QComboBox* signalSelector() const { return selector_; }
    [[nodiscard]] QLineEdit* valueDisplay(std::size_t signal) const { return values_.at(signal); }
    [[nodiscard]] QLineEdit* counterDisplay() const { return counter_; }
    [[nodiscard]] QPushButton* closeButton() const { return close_; }
    [[nodiscard]] RecordView* recordView() const { return review_; }
    [[nodiscard]] QLabel* readout() const { return readout_; }

signals:
    void closeRequested();

private:
    void connectControls();
    void applyCaptions();
    void onReviewChange(app::RecordReviewChange change);
    void showReviewedSignal();
    void showReviewCursor();
    [[nodiscard]] std::size_t shownSignal() const;

    app::Session& session_;
    QComboBox* selector_;
    QLabel* selectorCaption_;
    QPushButton* close_;
    QStackedWidget* stack_;
    std::array<QCustomPlot*, measurement::kSignals> graphs_{};
    std::array<QCPCurve*, measurement::kSignals> traces_{};
    std::array<QLabel*, measurement::kSignals> captions_{};
    std::array<QLineEdit*, measurement::kSignals> values_{};
    QLabel* counterCaption_;
    QLineEdit* counter_;
    RecordView* review_;
    QLabel* readout_;
    double curveIndex_ = 0;
    bool freshFile_ = false; // a file came into review and is not shown yet
    Subscription<parameters::ParameterControls> controlsSubscription_;
    Subscription<app::RecordReviewState> reviewSubscription_;
};

} // namespace tavrino::ui
