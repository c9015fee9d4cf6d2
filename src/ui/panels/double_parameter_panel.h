#pragma once

#include "app/session.h"
#include "measurement/display.h"
#include "parameters/parameter_controls.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QTimer;

namespace tavrino::ui {

// The double-parameter panel: the two parameter sets of double power mode
// (POWER, GAIN, INTEGRAL for a bright and a darker target) and the three
// correction values, bound to the session's parameter controls; the raw
// values the sets were found with; the live set-in-use and raw displays; the
// ASSIGN buttons, the assistant and its progress; the instructions.
class DoubleParameterPanel : public TitledWidget {
    Q_OBJECT
public:
    static constexpr int kRepaintIntervalMs = 33;

    explicit DoubleParameterPanel(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    // Rows: set 1, set 2; columns: POWER, GAIN, INTEGRAL.
    [[nodiscard]] QTableWidget* doubleParameterTable() const { return sets_; }
    // Rows: bright target with set 1, darker with set 1, darker with set 2.
    [[nodiscard]] QTableWidget* xyzTable() const { return xyz_; }
    // One row: correction value X, Y, Z.
    [[nodiscard]] QTableWidget* correctionTable() const { return corrections_; }
    [[nodiscard]] QLineEdit* activeSetDisplay() const { return activeSet_; }
    [[nodiscard]] QLineEdit* rawDisplay(int channel) const {
        return raw_.at(static_cast<std::size_t>(channel));
    }
    [[nodiscard]] QPushButton* assignButton(int which) const {
        return assign_.at(static_cast<std::size_t>(which - 1));
    }
    [[nodiscard]] QPushButton* startButton() const { return start_; }
    [[nodiscard]] QPushButton* closeButton() const { return close_; }
    [[nodiscard]] QLabel* progressLine() const { return progress_; }
    [[nodiscard]] QPlainTextEdit* instructions() const { return instructions_; }

    // Paints the newest frame's set in use and raw values, if not shown yet.
    bool updateDisplays();

    // The control a cell of either parameter table shows.
    [[nodiscard]] static parameters::Control setControl(int row, int column);
    [[nodiscard]] static parameters::Control correctionControl(int column);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void build(UiContext& context);
    void connectControls(UiContext& context);
    void cellEdited(QTableWidgetItem* item, parameters::Control control);
    void onChange(const parameters::ControlChange& change);
    void onAssistantChange(app::AssistantChange change);
    void showControl(parameters::Control control);
    void showXyz();
    void showProgress();

    app::Session& session_;
    QLabel* setsCaption_;
    QTableWidget* sets_;
    QLabel* xyzCaption_;
    QTableWidget* xyz_;
    QLabel* correctionsCaption_;
    QTableWidget* corrections_;
    QLabel* activeSetCaption_;
    QLineEdit* activeSet_;
    std::array<QLineEdit*, 3> raw_{};
    std::array<QPushButton*, 3> assign_{};
    QPushButton* start_;
    QPushButton* close_;
    QLabel* progress_;
    QPlainTextEdit* instructions_;
    QTimer* repaint_;
    measurement::FrameWatch watch_;
    Subscription<parameters::ParameterControls> subscription_;
    Subscription<app::AssistantState> assistantSubscription_;
    Subscription<app::DimmingModel> dimmingSubscription_;
};

} // namespace tavrino::ui
