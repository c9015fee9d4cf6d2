#pragma once

#include "app/session.h"
#include "parameters/parameter_controls.h"
#include "teach/teach_table.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <QPointer>

#include "teach/teaching.h"

#include <vector>

class QAction;
class QLabel;
class QGridLayout;
class QLayout;
class QCheckBox;
class QMenu;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;

namespace tavrino::ui {

class ParameterField;

// The teach table page: the teach parameters (MAX VEC NO, INTLIM, EVALUATION
// MODE, SHAPE MODE, EXTERN TEACH, TRIGGER) and the teach table grid with its
// own context menu. The grid shows the session's teach table: six value
// columns with the headings and decimals of the colour space, the row-colour
// column, and row labels green for the rows the sensor evaluates and red for
// the others.
class TeachTablePage : public TitledWidget {
    Q_OBJECT
public:
    explicit TeachTablePage(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    // Rebuilds the grid's context menu in the session's language; of the two
    // teach-tolerance entries the one matching the current state is dimmed.
    void SetUserDefinedMenuItems();

    [[nodiscard]] QTableWidget* grid() const { return grid_; }
    [[nodiscard]] QMenu* gridMenu() const { return menu_; }
    [[nodiscard]] QSpinBox* rowNumber() const { return rowNumber_; }
    [[nodiscard]] QCheckBox* autoIncrement() const { return autoIncrement_; }
    [[nodiscard]] QPushButton* teachDataToButton() const { return teachDataTo_; }
    [[nodiscard]] QPushButton* resetTableButton() const { return resetTable_; }
    [[nodiscard]] QPushButton* teachMeanValueButton() const { return teachMeanValue_; }
    [[nodiscard]] QPushButton* teachRecordedValueButton() const { return teachRecordedValue_; }
    // The grid's selected cells, as the block edits take them.
    [[nodiscard]] std::vector<teach::GridCell> selectedCells() const;
    // The field of `control`, or nullptr when it is not on this page.
    [[nodiscard]] ParameterField* field(parameters::Control control) const;

private:
    QLayout* buildTeachControls();
    void addPanelButtons(QGridLayout* fields);
    void connectTeachControls();
    void CBF_GridCttHelp();
    // The context-menu entries that act on the grid, and the teach buttons:
    // each runs the session's operation.
    template <class Operation> void runOnSelection(Operation operation);
    void CBF_ButtonTeachDataTo();
    void CBF_ButtonResetTable();
    void showRowNumber();
    // The operator changed a value cell.
    void CBF_GridCtt(QTableWidgetItem* item);
    void onTableChange(const teach::TableChange& change);
    void showCell(int row, int column);
    void showCells();
    void showBackground(int row, int column);
    void showHeadings();
    void showRowLabels();

    UiContext& context_;
    app::Session& session_;
    QTableWidget* grid_;
    QMenu* menu_;
    QLabel* rowNumberCaption_;
    QSpinBox* rowNumber_;
    QCheckBox* autoIncrement_;
    QPushButton* teachDataTo_;
    QPushButton* resetTable_;
    QPushButton* teachMeanValue_ = nullptr;
    QPushButton* teachRecordedValue_ = nullptr;
    std::vector<ParameterField*> fields_;
    Subscription<app::ParameterState> subscription_;
    Subscription<teach::TeachTable> tableSubscription_;
};

} // namespace tavrino::ui
