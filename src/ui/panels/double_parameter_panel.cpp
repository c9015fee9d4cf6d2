#include "ui/panels/double_parameter_panel.h"

#include "app/double_parameters.h"
#include "assistant/search.h"
#include "assistant/texts.h"
#include "measurement/texts.h"
#include "ui/callback_depth.h"
#include "ui/control_texts.h"
#include "ui/help.h"
#include "ui/number_cells.h"
#include "ui/qt_text.h"
#include "ui/scrolling.h"
#include "ui/texts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

using parameters::Control;

constexpr int kSetRows = 2;
constexpr int kSetColumns = 3;
constexpr int kCorrections = 3;
constexpr int kXyzRows = 3;
constexpr int kDisplayWidth = 60;
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
      xyzCaption_(new QLabel(this)), xyz_(numberTable(kXyzRows, 3, this)),
      correctionsCaption_(new QLabel(this)), corrections_(numberTable(1, kCorrections, this)),
      activeSetCaption_(new QLabel(this)), activeSet_(numberDisplay(this, kDisplayWidth)),
      start_(new QPushButton(this)), close_(new QPushButton(this)), progress_(new QLabel(this)),
      instructions_(new QPlainTextEdit(this)), repaint_(new QTimer(this)),
      subscription_(context.session.parameters.controls,
                    [this](const parameters::ControlChange& change) { onChange(change); }),
      assistantSubscription_(context.session.assistant,
                             [this](app::AssistantChange change) { onAssistantChange(change); }),
      dimmingSubscription_(context.session.dimming, [this](app::DimControl c, bool dimmed) {
          if (c == app::DimControl::DoubleParameterStart)
              start_->setEnabled(!dimmed);
      }) {
    build(context);
    connectControls(context);
    for (int r = 0; r < kSetRows; ++r)
        for (int c = 0; c < kSetColumns; ++c)
            showControl(setControl(r, c));
    for (int c = 0; c < kCorrections; ++c)
        showControl(correctionControl(c));
    showXyz();
    showProgress();
    retranslate(session_.language());
}

void DoubleParameterPanel::build(UiContext& context) {
    for (int c = 0; c < kCorrections; ++c) {
        corrections_->horizontalHeaderItem(c)->setText(
            qs(texts::kCorrectionColumns[static_cast<std::size_t>(c)]));
        xyz_->horizontalHeaderItem(c)->setText(qs(texts::kCorrectionColumns[static_cast<std::size_t>(c)]));
    }
    // The raw values are the sensor's: read only, grey.
    for (int r = 0; r < kXyzRows; ++r)
        for (int c = 0; c < 3; ++c) {
            QTableWidgetItem* item = xyz_->item(r, c);
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            item->setBackground(QColor(220, 220, 220));
        }
    // Everything scrolls when the window is made smaller than the panel.
    // The page shows through, as it does around the area.
    QVBoxLayout* column = addScrollingColumn(
        this, body(), {.sideways = Sideways::Never, .backdrop = Backdrop::PageShowsThrough});

    auto* tables = new QGridLayout;
    tables->addWidget(setsCaption_, 0, 0);
    tables->addWidget(sets_, 1, 0);
    tables->addWidget(xyzCaption_, 0, 1);
    tables->addWidget(xyz_, 1, 1, 3, 1, Qt::AlignTop);
    tables->addWidget(correctionsCaption_, 2, 0);
    tables->addWidget(corrections_, 3, 0, Qt::AlignTop);
    column->addLayout(tables);

    auto* live = new QHBoxLayout;
    activeSetCaption_->setBuddy(activeSet_);
    live->addWidget(activeSetCaption_);
    live->addWidget(activeSet_);
    for (std::size_t i = 0; i < 3; ++i) {
        raw_[i] = numberDisplay(this, kDisplayWidth);
        live->addSpacing(8);
        auto* caption = new QLabel(qs(texts::kRawCaptions[i]), this);
        caption->setBuddy(raw_[i]);
        live->addWidget(caption);
        live->addWidget(raw_[i]);
        context.help.add(raw_[i], measurement::texts::kXyzHelp);
    }
    live->addStretch(1);
    column->addLayout(live);

    auto* buttons = new QHBoxLayout;
    for (QPushButton*& b : assign_) {
        b = new QPushButton(this);
        buttons->addWidget(b);
    }
    buttons->addSpacing(12);
    buttons->addWidget(start_);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    column->addLayout(buttons);

    progress_->setTextFormat(Qt::PlainText);
    column->addWidget(progress_);
    instructions_->setReadOnly(true);
    column->addWidget(instructions_, 1);

    namespace at = assistant::texts;
    HelpRegistry& help = context.help;
    help.add(sets_, texts::kDoubleParameterTableHelp);
    help.add(xyz_, at::kXyzTableHelp);
    help.add(corrections_, texts::kCorrectionTableHelp);
    help.add(activeSet_, at::kActiveSetHelp);
    help.add(assign_[0], at::kAssign1Help);
    help.add(assign_[1], at::kAssign2Help);
    help.add(assign_[2], at::kAssign3Help);
    help.add(start_, at::kStartHelp);
    help.add(close_, at::kCloseHelp);
    // The tables' captions stand above them.
    help.name(sets_, texts::kDoubleParameterTableLabel);
    help.name(xyz_, texts::kXyzTableLabel);
    help.name(corrections_, texts::kCorrectionTableLabel);
    help.name(instructions_, texts::kInstructionsName);
    help.add(instructions_, texts::kAssistantInstructionsHelp);
    setCloseButton(close_);

    context.session.dimming.registerControl(app::DimControl::DoubleParameterStart);
    start_->setEnabled(!context.session.dimming.dimmed(app::DimControl::DoubleParameterStart));
    repaint_->setInterval(kRepaintIntervalMs);
}

void DoubleParameterPanel::connectControls(UiContext& context) {
    connect(sets_, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { cellEdited(item, setControl(item->row(), item->column())); });
    connect(corrections_, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { cellEdited(item, correctionControl(item->column())); });
    for (int which = 1; which <= 3; ++which)
        connect(assign_[static_cast<std::size_t>(which - 1)], &QPushButton::clicked, this,
                [this, which] { app::CBF_ButtonAssign(session_, which); });
    CallbackDepth& callbacks = context.callbacks;
    connect(start_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::CBF_ButtonStartAssistant));
    connect(close_, &QPushButton::clicked, this, [this] { app::CBF_ButtonCloseDp(session_); });
    connect(repaint_, &QTimer::timeout, this, [this] { updateDisplays(); });
}

void DoubleParameterPanel::retranslate(Language language) {
    TitledWidget::retranslate(language);
    setsCaption_->setText(qs(texts::kDoubleParameterTableLabel, language));
    xyzCaption_->setText(qs(texts::kXyzTableLabel, language));
    correctionsCaption_->setText(qs(texts::kCorrectionTableLabel, language));
    activeSetCaption_->setText(qs(texts::kActiveSetLabel, language));
    for (int c = 0; c < kSetColumns; ++c)
        sets_->horizontalHeaderItem(c)->setText(
            qs(texts::kDoubleParameterColumns[static_cast<std::size_t>(c)], language));
    for (std::size_t i = 0; i < 3; ++i)
        assign_[i]->setText(qs(texts::kAssignButtons[i], language));
    start_->setText(qs(texts::kStartAssistantButton, language));
    close_->setText(qs(texts::kCloseButton, language));
    instructions_->setPlainText(qs(assistant::texts::kInstructions, language));
    showProgress();
}

bool DoubleParameterPanel::updateDisplays() {
    if (!watch_.takeNew(session_.live.display))
        return false;
    const measurement::MeasurementDisplay& d = session_.live.display;
    activeSet_->setText(QString::number(d.doubleParameterSet));
    for (std::size_t i = 0; i < 3; ++i)
        raw_[i]->setText(QString::number(d.raw[i]));
    return true;
}

void DoubleParameterPanel::showEvent(QShowEvent* event) {
    TitledWidget::showEvent(event);
    updateDisplays();
    repaint_->start();
}

void DoubleParameterPanel::hideEvent(QHideEvent* event) {
    TitledWidget::hideEvent(event);
    repaint_->stop();
}

void DoubleParameterPanel::onAssistantChange(app::AssistantChange change) {
    if (change == app::AssistantChange::Xyz)
        showXyz();
    else
        showProgress();
}

void DoubleParameterPanel::showXyz() {
    const QSignalBlocker blocker(xyz_);
    for (std::size_t r = 0; r < 3; ++r)
        for (std::size_t c = 0; c < 3; ++c)
            showNumberCell(xyz_->item(static_cast<int>(r), static_cast<int>(c)), session_.assistant.xyz[r][c],
                           0);
}

void DoubleParameterPanel::showProgress() {
    // Shown at once: the assistant's steps run inside this callback, and the
    // line is what tells the operator that something is happening.
    progress_->setText(qs(assistant::progressText(session_.assistant.progress, session_.language())));
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
