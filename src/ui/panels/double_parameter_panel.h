#pragma once

#include "app/session.h"
#include "parameters/parameter_controls.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

class QLabel;
class QTableWidget;
class QTableWidgetItem;

namespace tavrino::ui {

// The double-parameter panel: the two parameter sets of double power mode
// (POWER, GAIN, INTEGRAL for a bright and a darker target) and the three
// correction values, bound to the session's parameter controls.
class DoubleParameterPanel : public TitledWidget {
    Q_OBJECT
public:
    explicit DoubleParameterPanel(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    // Rows: set 1, set 2; columns: POWER, GAIN, INTEGRAL.
    [[nodiscard]] QTableWidget* doubleParameterTable() const { return sets_; }
    // One row: correction value X, Y, Z.
    [[nodiscard]] QTableWidget* correctionTable() const { return corrections_; }

    // The control a cell of either table shows.
    [[nodiscard]] static parameters::Control setControl(int row, int column);
    [[nodiscard]] static parameters::Control correctionControl(int column);

private:
    void cellEdited(QTableWidgetItem* item, parameters::Control control);
    void onChange(const parameters::ControlChange& change);
    void showControl(parameters::Control control);

    app::Session& session_;
    QLabel* setsCaption_;
    QTableWidget* sets_;
    QLabel* correctionsCaption_;
    QTableWidget* corrections_;
    Subscription<parameters::ParameterControls> subscription_;
};

} // namespace tavrino::ui
