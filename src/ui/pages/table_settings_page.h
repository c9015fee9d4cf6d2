#pragma once

#include "app/session.h"
#include "measurement/display.h"
#include "teach/row_colours.h"
#include "teach/teach_table.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;
class QTimer;

namespace tavrino::ui {

// The table settings page: the row specifications and row colours of the
// teach table (two columns, row labels as on the teach table), how row
// colours are chosen (manual with row and colour select and SET ROW COLOR, or
// automatic from the measured colour when teaching), the default colours,
// the table attributes file and the sensor's copy, and the live temperature
// and measured colour.
class TableSettingsPage : public TitledWidget {
    Q_OBJECT
public:
    explicit TableSettingsPage(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    [[nodiscard]] QTableWidget* table() const { return table_; }
    [[nodiscard]] QComboBox* modeSelect() const { return mode_; }
    [[nodiscard]] QSpinBox* rowSelect() const { return row_; }
    [[nodiscard]] QPushButton* colourSelect() const { return colour_; }
    [[nodiscard]] QPushButton* setRowColourButton() const { return setRowColour_; }
    [[nodiscard]] QPushButton* defaultColoursButton() const { return defaults_; }
    [[nodiscard]] QPushButton* saveToFileButton() const { return saveFile_; }
    [[nodiscard]] QPushButton* getFromFileButton() const { return getFile_; }
    [[nodiscard]] QPushButton* saveToEeButton() const { return saveEe_; }
    [[nodiscard]] QPushButton* getFromEeButton() const { return getEe_; }
    [[nodiscard]] QLabel* temperature() const { return temperature_; }
    [[nodiscard]] QFrame* measuredColour() const { return measured_; }
    // Shows the newest frame's temperature and colour if there is one; what
    // the display-rate timer calls. True when it painted.
    bool updateDisplay();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildTable();
    QLayout* buildControls();
    void registerHelp();
    void connectControls();
    void CBF_EditColorNumericRow();
    void CBF_TableEdited(QTableWidgetItem* item);
    template <class Operation> void run(Operation operation);
    void showRow(int row);
    void showRowLabels();
    void showMode();
    void showSelection();
    void showExchangeButtons();

    UiContext& context_;
    app::Session& session_;
    QTableWidget* table_;
    QLabel* modeCaption_;
    QComboBox* mode_;
    QLabel* rowCaption_;
    QSpinBox* row_;
    QLabel* colourCaption_;
    QPushButton* colour_;
    QPushButton* setRowColour_;
    QPushButton* defaults_;
    QPushButton* saveFile_;
    QPushButton* getFile_;
    QPushButton* saveEe_;
    QPushButton* getEe_;
    QLabel* temperatureCaption_;
    QLabel* temperature_;
    QLabel* measuredCaption_;
    QFrame* measured_;
    QTimer* repaint_;
    measurement::FrameWatch watch_;
    Subscription<teach::RowColours> rowsSubscription_;
    Subscription<teach::TeachTable> tableSubscription_;
    Subscription<app::TableSettingsState> stateSubscription_;
    Subscription<app::DimmingModel> dimmingSubscription_;
};

} // namespace tavrino::ui
