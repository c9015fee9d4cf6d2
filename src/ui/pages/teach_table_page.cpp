#include "ui/pages/teach_table_page.h"

#include "app/recorded_value_teach.h"

#include "app/teach_panels.h"
#include "app/teaching.h"
#include "teach/texts.h"
#include "ui/callback_depth.h"
#include "ui/help.h"
#include "ui/number_cells.h"
#include "ui/parameter_field.h"
#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QAction>
#include <QBrush>
#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

using parameters::Control;

constexpr int kColourColumnWidth = 40;
constexpr int kTightSpacing = 2;
constexpr int kPanelButtonRows = 2;

constexpr Control kPageControls[] = {Control::MaxVecNo,  Control::Intlim,      Control::EvaluationMode,
                                     Control::ShapeMode, Control::ExternTeach, Control::Trigger};

QColor qcolor(teach::Rgb c) {
    return {c.red, c.green, c.blue};
}

} // namespace

TeachTablePage::TeachTablePage(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kTeachTableHeading, parent), context_(context), session_(context.session),
      grid_(new QTableWidget(teach::kRows, teach::kColumns, this)), menu_(new QMenu(this)),
      rowNumberCaption_(new QLabel(this)), rowNumber_(new QSpinBox(this)),
      autoIncrement_(new QCheckBox(this)), teachDataTo_(new QPushButton(this)),
      resetTable_(new QPushButton(this)),
      subscription_(context.session.parameters,
                    [this](app::ParameterChange change) {
                        if (change == app::ParameterChange::TeachTolerance)
                            SetUserDefinedMenuItems();
                        if (change == app::ParameterChange::AutoIncrement) {
                            const QSignalBlocker blocker(autoIncrement_);
                            autoIncrement_->setChecked(session_.parameters.autoIncrement == 1);
                        }
                    }),
      tableSubscription_(context.session.parameters.teachTable,
                         [this](const teach::TableChange& change) { onTableChange(change); }) {
    auto* fields = new QGridLayout;
    int row = 0;
    for (Control c : kPageControls) {
        auto* field = new ParameterField(context, c, this);
        fields_.push_back(field);
        fields->addWidget(field->caption(), row, 0);
        // The first two editors are narrow spin boxes and leave room for the
        // teach panels' buttons beside them.
        fields->addWidget(field->editor(), row, 1, 1, row < kPanelButtonRows ? 1 : 2);
        ++row;
    }
    addPanelButtons(fields);
    fields->setColumnStretch(1, 1);
    // Tight rows: with the teach controls this is the tallest page, and it
    // must fit the window's default height.
    fields->setVerticalSpacing(kTightSpacing);
    body()->addLayout(fields);
    body()->addLayout(buildTeachControls());

    // Row numbers as the sensor counts them: 0..2.
    for (int r = 0; r < teach::kRows; ++r) {
        auto* label = new QTableWidgetItem(QString::number(r));
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        grid_->setVerticalHeaderItem(r, label);
        for (int c = 0; c < teach::kColumns; ++c) {
            auto* item = new QTableWidgetItem;
            if (c == teach::kColourColumn)
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            else
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid_->setItem(r, c, item);
        }
    }
    for (int c = 0; c < teach::kColumns; ++c)
        grid_->setHorizontalHeaderItem(c, new QTableWidgetItem);
    grid_->setItemDelegate(new NumberCellDelegate(grid_));
    // Narrow pages elide a cell rather than wrap it onto two lines; the
    // colour cell needs little room.
    grid_->setWordWrap(false);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid_->horizontalHeader()->setSectionResizeMode(teach::kColourColumn, QHeaderView::Fixed);
    grid_->horizontalHeader()->resizeSection(teach::kColourColumn, kColourColumnWidth);
    grid_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    grid_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    auto popupAt = [this](const QPoint& pos) { menu_->popup(grid_->viewport()->mapToGlobal(pos)); };
    connect(grid_, &QWidget::customContextMenuRequested, this, popupAt);
    // Shift+F10 opens the menu as the menu key does, at the cell with the focus.
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), grid_);
    menuKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(menuKey, &QShortcut::activated, this, [this, popupAt] {
        const QRect cell = grid_->visualRect(grid_->currentIndex());
        popupAt(cell.isValid() ? cell.center() : QPoint());
    });
    connect(grid_, &QTableWidget::itemChanged, this, &TeachTablePage::CBF_GridCtt);
    // Its right click opens the menu, whose first entry shows the help.
    context_.help.name(grid_, texts::kTeachTableHeading);
    context_.help.describe(grid_, texts::kTeachGridHelp);
    body()->addWidget(grid_);
    body()->addStretch(1);
    connectTeachControls();

    showCells();
    showRowNumber();
    for (int r = 0; r < teach::kRows; ++r)
        for (int c = 0; c < teach::kColumns; ++c)
            showBackground(r, c);
    showRowLabels();
    retranslate(session_.language());
}

void TeachTablePage::retranslate(Language language) {
    TitledWidget::retranslate(language);
    for (ParameterField* f : fields_)
        f->retranslate(language);
    grid_->horizontalHeaderItem(teach::kColourColumn)->setText(qs(texts::kColourColumnHeading, language));
    rowNumberCaption_->setText(qs(texts::kRowNumberLabel, language));
    autoIncrement_->setText(qs(texts::kAutoIncrementLabel, language));
    teachDataTo_->setText(qs(texts::kTeachDataToButton, language));
    resetTable_->setText(qs(texts::kResetTableButton, language));
    teachMeanValue_->setText(qs(texts::kTeachMeanValueButton, language));
    teachRecordedValue_->setText(qs(texts::kTeachRecordedValueButton, language));
    showHeadings();
    SetUserDefinedMenuItems();
}

ParameterField* TeachTablePage::field(parameters::Control control) const {
    for (ParameterField* f : fields_)
        if (f->control() == control)
            return f;
    return nullptr;
}

void TeachTablePage::SetUserDefinedMenuItems() {
    const Language language = session_.language();
    menu_->clear(); // deletes the actions the menu owns
    auto add = [&](const Text& label, auto handler) {
        QAction* action = menu_->addAction(qs(label, language));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    add(texts::kMenuHelp, &TeachTablePage::CBF_GridCttHelp);
    menu_->addSeparator();
    add(texts::kMenuSetSelectionTo, [this] { runOnSelection(&app::CBF_GridCttSetSelectionTo); });
    add(texts::kMenuIncrementSelection, [this] { runOnSelection(&app::CBF_GridCttIncrementSelectionWith); });
    add(texts::kMenuResetSelection, [this] { runOnSelection(&app::CBF_GridCttResetSelection); });
    menu_->addSeparator();
    QAction* off = add(texts::kMenuTeachTolOff, [this] { app::setTeachToleranceOff(session_, true); });
    QAction* on = add(texts::kMenuTeachTolOn, [this] { app::setTeachToleranceOff(session_, false); });
    const bool toleranceOff = session_.parameters.teachToleranceOff == 1;
    off->setEnabled(!toleranceOff);
    on->setEnabled(toleranceOff);
}

void TeachTablePage::addPanelButtons(QGridLayout* fields) {
    teachMeanValue_ = new QPushButton(this);
    teachRecordedValue_ = new QPushButton(this);
    fields->addWidget(teachMeanValue_, 0, 2);
    fields->addWidget(teachRecordedValue_, 1, 2);
    context_.help.add(teachMeanValue_, teach::texts::kOpenMeanPanelHelp);
    context_.help.add(teachRecordedValue_, teach::texts::kOpenRecordedPanelHelp);
}

QLayout* TeachTablePage::buildTeachControls() {
    rowNumber_->setRange(0, teach::kRows - 1);
    auto* row = new QGridLayout;
    rowNumberCaption_->setBuddy(rowNumber_);
    row->addWidget(rowNumberCaption_, 0, 0);
    row->addWidget(rowNumber_, 0, 1);
    row->addWidget(autoIncrement_, 0, 2);
    row->addWidget(teachDataTo_, 1, 0, 1, 2);
    row->addWidget(resetTable_, 1, 2, 1, 2);
    row->setColumnStretch(2, 1);
    row->setVerticalSpacing(kTightSpacing);
    context_.help.add(rowNumber_, texts::kRowNumberHelp);
    context_.help.add(autoIncrement_, texts::kAutoIncrementHelp);
    context_.help.add(teachDataTo_, texts::kTeachDataToHelp);
    context_.help.add(resetTable_, texts::kResetTableHelp);
    autoIncrement_->setChecked(session_.parameters.autoIncrement == 1);
    return row;
}

void TeachTablePage::connectTeachControls() {
    connect(rowNumber_, &QSpinBox::valueChanged, this,
            [this](int value) { session_.parameters.teachTable.setRowNumber(value); });
    connect(autoIncrement_, &QCheckBox::toggled, this,
            [this](bool on) { app::setAutoIncrement(session_, on); });
    connect(teachDataTo_, &QPushButton::clicked, this, &TeachTablePage::CBF_ButtonTeachDataTo);
    connect(resetTable_, &QPushButton::clicked, this, &TeachTablePage::CBF_ButtonResetTable);
    connect(teachMeanValue_, &QPushButton::clicked, this, [this] { app::CBF_ButtonTeachMeanVal(session_); });
    connect(teachRecordedValue_, &QPushButton::clicked, this,
            [this] { app::CBF_ButtonTeachRecVal(session_); });
}

std::vector<teach::GridCell> TeachTablePage::selectedCells() const {
    std::vector<teach::GridCell> cells;
    for (const QModelIndex& index : grid_->selectionModel()->selectedIndexes())
        cells.push_back({index.row(), index.column()});
    return cells;
}

template <class Operation> void TeachTablePage::runOnSelection(Operation operation) {
    CallbackDepth::Scope scope(context_.callbacks);
    operation(session_, selectedCells());
}

void TeachTablePage::CBF_ButtonTeachDataTo() {
    CallbackDepth::Scope scope(context_.callbacks);
    app::CBF_ButtonTeachDataTo(session_);
}

void TeachTablePage::CBF_ButtonResetTable() {
    CallbackDepth::Scope scope(context_.callbacks);
    app::CBF_ButtonResetTable(session_);
}

void TeachTablePage::showRowNumber() {
    const QSignalBlocker blocker(rowNumber_);
    rowNumber_->setValue(session_.parameters.teachTable.rowNumber());
}

void TeachTablePage::CBF_GridCttHelp() {
    context_.help.show(grid_);
}

// ---- the grid and the teach table ----

void TeachTablePage::CBF_GridCtt(QTableWidgetItem* item) {
    // Only the operator's edits arrive here: the grid is blocked while it
    // follows the table.
    const int row = item->row();
    const int column = item->column();
    if (column < 0 || column >= teach::kValueColumns)
        return;
    CallbackDepth::Scope scope(context_.callbacks);
    app::ParameterState& p = session_.parameters;
    parameters::editTeachCell(p.controls, p.teachTable, p.set, session_.graphs(), row, column,
                              numberCellValue(item));
    // The table's value, also when the entry was refused: the cell goes back.
    showCell(row, column);
}

void TeachTablePage::onTableChange(const teach::TableChange& change) {
    using Kind = teach::TableChange::Kind;
    switch (change.kind) {
    case Kind::Cell:
        showCell(change.row, change.column);
        break;
    case Kind::Cells:
    case Kind::Decimals:
        showCells();
        break;
    case Kind::Background:
        showBackground(change.row, change.column);
        break;
    case Kind::RowLabels:
        showRowLabels();
        break;
    case Kind::Headings:
        showHeadings();
        break;
    case Kind::RowNumber:
        showRowNumber();
        break;
    }
}

void TeachTablePage::showCell(int row, int column) {
    QTableWidgetItem* item = grid_->item(row, column);
    if (item == nullptr || column >= teach::kValueColumns)
        return;
    const QSignalBlocker blocker(grid_);
    const teach::TeachTable& table = session_.parameters.teachTable;
    showNumberCell(item, table.cell(row, column), table.decimals());
}

void TeachTablePage::showCells() {
    for (int r = 0; r < teach::kRows; ++r)
        for (int c = 0; c < teach::kValueColumns; ++c)
            showCell(r, c);
}

void TeachTablePage::showBackground(int row, int column) {
    QTableWidgetItem* item = grid_->item(row, column);
    if (item == nullptr)
        return;
    const QSignalBlocker blocker(grid_);
    item->setBackground(qcolor(session_.parameters.teachTable.background(row, column)));
}

void TeachTablePage::showHeadings() {
    const auto& headings = session_.parameters.teachTable.headings();
    for (int c = 0; c < teach::kValueColumns; ++c)
        grid_->horizontalHeaderItem(c)->setText(qs(headings[static_cast<std::size_t>(c)]));
}

void TeachTablePage::showRowLabels() {
    for (int r = 0; r < teach::kRows; ++r)
        grid_->verticalHeaderItem(r)->setForeground(qcolor(session_.parameters.teachTable.rowLabelColour(r)));
}

} // namespace tavrino::ui
