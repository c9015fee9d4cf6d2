#pragma once

#include "app/dimming.h"
#include "app/session.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace tavrino::ui {

// The scope page: trigger mode, pre-trigger values, scan rate, recorded
// signal, trigger level and the comment for the printout; the cycle time
// with the scan frequency; SCAN, BREAK and print; saving and opening a
// capture.
class ScopePage : public TitledWidget {
    Q_OBJECT
public:
    explicit ScopePage(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    [[nodiscard]] QComboBox* triggerModeSelector() const { return mode_; }
    [[nodiscard]] QSpinBox* preTriggerField() const { return preTrigger_; }
    [[nodiscard]] QSpinBox* scanRateField() const { return rate_; }
    [[nodiscard]] QComboBox* recordedSignalSelector() const { return signal_; }
    [[nodiscard]] QDoubleSpinBox* triggerLevelField() const { return level_; }
    [[nodiscard]] QPlainTextEdit* commentBox() const { return comment_; }
    [[nodiscard]] QPushButton* cycleTimeButton() const { return cycleButton_; }
    [[nodiscard]] QLabel* scanFrequencyDisplay() const { return frequency_; }
    [[nodiscard]] QLabel* cycleTimeDisplay() const { return cycleTime_; }
    [[nodiscard]] QPushButton* scanButton() const { return scan_; }
    [[nodiscard]] QPushButton* breakButton() const { return break_; }
    [[nodiscard]] QPushButton* printButton() const { return print_; }
    [[nodiscard]] QPushButton* saveCaptureButton() const { return saveCapture_; }
    [[nodiscard]] QPushButton* openCaptureButton() const { return openCapture_; }

signals:
    // The print button: the window prints the report of the scope panel.
    void printRequested();

private:
    void build();
    void registerHelp(HelpRegistry& help);
    void connectControls();
    void commitSettings();
    void commitComment();
    void onScopeChange(app::ScopeChange change);
    void showSettings();
    void showTriggerFields();
    void showCycleTime();
    void showButtons();

    UiContext& context_;
    app::Session& session_;
    QLabel* modeCaption_;
    QComboBox* mode_;
    QLabel* preTriggerCaption_;
    QSpinBox* preTrigger_;
    QLabel* rateCaption_;
    QSpinBox* rate_;
    QLabel* signalCaption_;
    QComboBox* signal_;
    QLabel* levelCaption_;
    QDoubleSpinBox* level_;
    QLabel* commentCaption_;
    QPlainTextEdit* comment_;
    QPushButton* cycleButton_;
    QLabel* frequencyCaption_;
    QLabel* frequency_;
    QLabel* cycleTimeCaption_;
    QLabel* cycleTime_;
    QPushButton* scan_;
    QPushButton* break_;
    QPushButton* print_;
    QPushButton* saveCapture_;
    QPushButton* openCapture_;
    Subscription<app::ScopeState> scopeSubscription_;
    Subscription<app::DimmingModel> dimmingSubscription_;
};

} // namespace tavrino::ui
