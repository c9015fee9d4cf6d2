#pragma once

#include "app/dimming.h"
#include "app/session.h"
#include "recorder/recorder_panel.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <QTimer>

#include <array>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tavrino::ui {

// The recorder page: the record file and its selection, the record mode,
// interval and number of values, the record time and counters, and the
// buttons of the four modes. Shows the controls of the current mode only;
// the counters follow a running recording at display rate.
class RecorderPage : public TitledWidget {
    Q_OBJECT
public:
    explicit RecorderPage(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    [[nodiscard]] QLabel* panelIdDisplay() const { return panelId_; }
    [[nodiscard]] QLabel* recordFileDisplay() const { return recordFile_; }
    [[nodiscard]] QPushButton* selectFileButton() const { return selectFile_; }
    [[nodiscard]] QPushButton* openRecordFileButton() const { return openFile_; }
    [[nodiscard]] QComboBox* modeSelector() const { return mode_; }
    [[nodiscard]] QDoubleSpinBox* intervalField() const { return interval_; }
    [[nodiscard]] QSpinBox* valuesField() const { return values_; }
    [[nodiscard]] QLabel* recordTimeDisplay(int part) const {
        return recordTime_.at(static_cast<std::size_t>(part));
    }
    [[nodiscard]] QLabel* recordedDisplay() const { return recorded_; }
    [[nodiscard]] QLabel* remainingDisplay() const { return remaining_; }
    [[nodiscard]] QLabel* seriesDisplay() const { return series_; }
    [[nodiscard]] QPushButton* startButton() const { return start_; }
    [[nodiscard]] QPushButton* stopButton() const { return stop_; }
    [[nodiscard]] QPushButton* manualButton() const { return manual_; }
    [[nodiscard]] QPushButton* triggeredButton() const { return triggered_; }
    // The row that holds a control with its caption: what the mode shows or hides.
    [[nodiscard]] QWidget* row(recorder::RecorderControl c) const {
        return rows_[static_cast<std::size_t>(c)];
    }

private:
    void build();
    void connectControls();
    void registerHelp(HelpRegistry& help);
    void onRecorderChange(app::RecorderChange change);
    void showShell();
    void showLayout();
    void showFields();
    void showRecordTime();
    void showCounts();
    void showActivity();
    void followDimming(app::DimControl c);

    UiContext& context_;
    app::Session& session_;
    QLabel* panelIdCaption_;
    QLabel* panelId_;
    QPushButton* selectFile_;
    QPushButton* openFile_;
    QLabel* recordFileCaption_;
    QLabel* recordFile_;
    QLabel* modeCaption_;
    QComboBox* mode_;
    QLabel* intervalCaption_;
    QDoubleSpinBox* interval_;
    QLabel* valuesCaption_;
    QSpinBox* values_;
    QLabel* recordTimeCaption_;
    std::array<QLabel*, 4> recordTimeCaptions_{};
    std::array<QLabel*, 4> recordTime_{}; // days, hours, minutes, seconds
    QLabel* recordedCaption_;
    QLabel* recorded_;
    QLabel* remainingCaption_;
    QLabel* remaining_;
    QLabel* seriesCaption_;
    QLabel* series_;
    QPushButton* start_;
    QPushButton* stop_;
    QPushButton* manual_;
    QPushButton* triggered_;
    std::array<QWidget*, recorder::kRecorderControlCount> rows_{};
    // A recording may count thousands of frames a second; the displays
    // follow at display rate.
    QTimer countsTimer_;
    Subscription<app::ShellState> shellSubscription_;
    Subscription<app::RecorderState> recorderSubscription_;
    Subscription<app::DimmingModel> dimmingSubscription_;
};

} // namespace tavrino::ui
