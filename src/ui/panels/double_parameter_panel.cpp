#include "ui/panels/double_parameter_panel.h"

#include "ui/help.h"
#include "ui/number_cells.h"
#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

using parameters::Control;

constexpr int kSetRows = 2;
constexpr int kSetColumns = 3;
constexpr int kCorrections = 3;
// A correction value is a factor near 1; the word keeps steps of 1/128.
constexpr int kCorrectionDecimals = 4;

QTableWidget* numberTable(int rows, int columns, QWidget* parent) {
    auto* table = new QTableWidget(rows, columns, parent);
    table->setItemDelegate(new NumberCellDelegate(table));
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < rows; ++r) {
        table->setVerticalHeaderItem(r, new QTableWidgetItem(QString::number(r + 1)));
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    }
    for (int c = 0; c < columns; ++c)
        table->setHorizontalHeaderItem(c, new QTableWidgetItem);
    // Exactly as high as its rows: no empty space below them.
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                          rows * table->verticalHeader()->defaultSectionSize() + 2 * table->frameWidth());
    return table;
}

} // namespace

Control DoubleParameterPanel::setControl(int row, int column) {
    return static_cast<Control>(static_cast<int>(Control::DoublePower1) + row * kSetColumns + column);
}

Control DoubleParameterPanel::correctionControl(int column) {
    return static_cast<Control>(static_cast<int>(Control::CorrectionX) + column);
}

DoubleParameterPanel::DoubleParameterPanel(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kDoubleParameterHeading, parent), session_(context.session),
      setsCaption_(new QLabel(this)), sets_(numberTable(kSetRows, kSetColumns, this)),
      correctionsCaption_(new QLabel(this)), corrections_(numberTable(1, kCorrections, this)),
      subscription_(context.session.parameters.controls,
                    [this](const parameters::ControlChange& change) { onChange(change); }) {
    for (int c = 0; c < kCorrections; ++c)
        corrections_->horizontalHeaderItem(c)->setText(
            qs(texts::kCorrectionColumns[static_cast<std::size_t>(c)]));

    body()->addWidget(setsCaption_);
    body()->addWidget(sets_);
    body()->addWidget(correctionsCaption_);
    body()->addWidget(corrections_);
    body()->addStretch(1);

    context.help.add(sets_, texts::kDoubleParameterTableHelp);
    context.help.add(corrections_, texts::kCorrectionTableHelp);

    connect(sets_, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { cellEdited(item, setControl(item->row(), item->column())); });
    connect(corrections_, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { cellEdited(item, correctionControl(item->column())); });

    for (int r = 0; r < kSetRows; ++r)
        for (int c = 0; c < kSetColumns; ++c)
            showControl(setControl(r, c));
    for (int c = 0; c < kCorrections; ++c)
        showControl(correctionControl(c));
    retranslate(session_.language());
}

void DoubleParameterPanel::retranslate(Language language) {
    TitledWidget::retranslate(language);
    setsCaption_->setText(qs(texts::kDoubleParameterTableLabel, language));
    correctionsCaption_->setText(qs(texts::kCorrectionTableLabel, language));
    for (int c = 0; c < kSetColumns; ++c)
        sets_->horizontalHeaderItem(c)->setText(
            qs(texts::kDoubleParameterColumns[static_cast<std::size_t>(c)], language));
}

void DoubleParameterPanel::cellEdited(QTableWidgetItem* item, Control control) {
    // Only the operator's edits arrive here: the tables are blocked while they
    // follow the model. The model keeps the value inside the control's range
    // (whole numbers for the parameter sets); the cell shows what it kept.
    if (session_.parameters.controls.editable(control))
        session_.parameters.controls.setValue(control, numberCellValue(item));
    showControl(control);
}

void DoubleParameterPanel::onChange(const parameters::ControlChange& change) {
    if (change.kind != parameters::ControlChange::Kind::Value)
        return;
    const auto control = static_cast<Control>(change.index);
    if (control >= Control::DoublePower1)
        showControl(control);
}

void DoubleParameterPanel::showControl(Control control) {
    const int index = static_cast<int>(control);
    QTableWidget* table = nullptr;
    QTableWidgetItem* item = nullptr;
    int decimals = 0;
    if (parameters::isCorrection(control)) {
        table = corrections_;
        item = corrections_->item(0, index - static_cast<int>(Control::CorrectionX));
        decimals = kCorrectionDecimals;
    } else {
        const int offset = index - static_cast<int>(Control::DoublePower1);
        table = sets_;
        item = sets_->item(offset / kSetColumns, offset % kSetColumns);
    }
    if (item == nullptr)
        return;
    const QSignalBlocker blocker(table);
    showNumberCell(item, session_.parameters.controls.value(control), decimals);
}

} // namespace tavrino::ui
