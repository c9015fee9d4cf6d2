#include "ui/panels/mean_value_teach_panel.h"

#include "app/teach_panels.h"
#include "measurement/texts.h"
#include "teach/texts.h"
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
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

constexpr int kColumns = 3;
// max. delta E keeps a fixed precision.
constexpr int kDecimals = 4;
constexpr int kDisplayWidth = 80;
constexpr Text kCaptureButton{"CAPTURE", "CAPTURE"};
constexpr Text kUndoButton{"UNDO", "UNDO"};
constexpr Text kResetButton{"RESET", "RESET"};
constexpr Text kTeachButton{"TEACH", "TEACH"};
constexpr Text kCounterLabel{"Frames:", "Frames:"};
constexpr Text kMaxDeltaELabel{"max. delta E:", "max. delta E:"};
constexpr std::array<std::string_view, 3> kXyzLabels{"X", "Y", "Z"};

QTableWidget* valueGrid(int rows, QWidget* parent) {
    auto* table = new QTableWidget(rows, kColumns, parent);
    table->setItemDelegate(new NumberCellDelegate(table));
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int c = 0; c < kColumns; ++c)
        table->setHorizontalHeaderItem(c, new QTableWidgetItem);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    return table;
}

} // namespace

MeanValueTeachPanel::MeanValueTeachPanel(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kMeanValueTeachHeading, parent), session_(context.session),
      values_(valueGrid(static_cast<int>(teach::MeanCaptures::kRows), this)), mean_(valueGrid(1, this)),
      counter_(numberDisplay(this, kDisplayWidth)), maxDeltaE_(numberDisplay(this, kDisplayWidth)),
      capture_(new QPushButton(this)), undo_(new QPushButton(this)), reset_(new QPushButton(this)),
      teach_(new QPushButton(this)), close_(new QPushButton(this)), repaint_(new QTimer(this)),
      subscription_(context.session.teachPanels, [this](app::TeachPanelChange) { showCaptures(); }),
      tableSubscription_(context.session.parameters.teachTable,
                         [this](const teach::TableChange& change) {
                             if (change.kind == teach::TableChange::Kind::Headings)
                                 showHeadings();
                         }),
      controlsSubscription_(context.session.parameters.controls,
                            [this](const parameters::ControlChange& change) {
                                // The coordinates' decimals follow the colour space.
                                if (change.kind == parameters::ControlChange::Kind::Captions)
                                    showCaptures();
                            }) {
    build(context);
    connectControls(context);
    showCaptures();
    showHeadings();
    retranslate(session_.language());
}

void MeanValueTeachPanel::build(UiContext& context) {
    // The mean is computed, never typed.
    for (int c = 0; c < kColumns; ++c)
        mean_->item(0, c)->setFlags(mean_->item(0, c)->flags() & ~Qt::ItemIsEditable);
    mean_->setFixedHeight(mean_->horizontalHeader()->sizeHint().height() +
                          mean_->verticalHeader()->defaultSectionSize() + 2 * mean_->frameWidth());
    // Everything scrolls when the window is made smaller than the panel.
    QVBoxLayout* column = addScrollingColumn(this, body());
    column->addWidget(values_, 1);
    column->addWidget(mean_);
    auto* numbers = new QGridLayout;
    auto* counterLabel = new QLabel(qs(kCounterLabel, Language::English), this);
    counterLabel->setBuddy(counter_);
    numbers->addWidget(counterLabel, 0, 0);
    numbers->addWidget(counter_, 0, 1);
    auto* deltaLabel = new QLabel(qs(kMaxDeltaELabel, Language::English), this);
    deltaLabel->setBuddy(maxDeltaE_);
    numbers->addWidget(deltaLabel, 0, 2);
    numbers->addWidget(maxDeltaE_, 0, 3);
    for (std::size_t i = 0; i < 3; ++i) {
        xyz_[i] = numberDisplay(this, kDisplayWidth);
        auto* axis = new QLabel(qs(kXyzLabels[i]), this);
        axis->setBuddy(xyz_[i]);
        numbers->addWidget(axis, 1, static_cast<int>(2 * i));
        numbers->addWidget(xyz_[i], 1, static_cast<int>(2 * i + 1));
        context.help.add(xyz_[i], measurement::texts::kXyzHelp);
    }
    column->addLayout(numbers);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {capture_, undo_, reset_, teach_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    column->addLayout(buttons);

    namespace tt = teach::texts;
    HelpRegistry& help = context.help;
    help.add(capture_, tt::kCaptureHelp);
    help.add(undo_, tt::kUndoHelp);
    help.add(reset_, tt::kMeanResetHelp);
    help.add(teach_, tt::kMeanTeachHelp);
    help.add(values_, tt::kValueTableHelp);
    help.add(mean_, tt::kMeanTableHelp);
    help.add(counter_, tt::kCaptureCounterHelp);
    help.add(maxDeltaE_, tt::kMaxDeltaEHelp);
    help.add(close_, tt::kCloseTeachPanelHelp);
    help.name(values_, texts::kCapturedValuesName);
    help.name(mean_, texts::kMeanValueName);
    setCloseButton(close_);
    repaint_->setInterval(kRepaintIntervalMs);
}

void MeanValueTeachPanel::connectControls(UiContext& context) {
    CallbackDepth& callbacks = context.callbacks;
    connect(capture_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::CaptureFrame));
    connect(undo_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::UndoCapture));
    connect(teach_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::CBF_ButtonTP1Teach));
    connect(close_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::CBF_ButtonCloseTeachPanel));
    connect(reset_, &QPushButton::clicked, this, callbacks.scoped([this] { askReset(); }));
    connect(values_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { cellEdited(item); });
    connect(repaint_, &QTimer::timeout, this, [this] { updateDisplays(); });
}

void MeanValueTeachPanel::askReset() {
    // Marked while the question is open, so the operator sees what is asked.
    reset_->setStyleSheet(QStringLiteral("background-color: rgb(255, 0, 0);"));
    reset_->repaint();
    app::CBF_ButtonTP1ResetTable(session_);
    reset_->setStyleSheet(QStringLiteral("background-color: rgb(224, 224, 224);"));
}

void MeanValueTeachPanel::cellEdited(QTableWidgetItem* item) {
    app::CBF_GridTP1Values(session_, static_cast<std::size_t>(item->row()),
                           static_cast<std::size_t>(item->column()), numberCellValue(item));
}

void MeanValueTeachPanel::showCaptures() {
    const teach::MeanCaptures& m = session_.teachPanels.meanCaptures;
    const auto& decimals = session_.parameters.controls.captions().display.coordinateDecimals;
    {
        const QSignalBlocker blocker(values_);
        for (std::size_t r = 0; r < teach::MeanCaptures::kRows; ++r)
            for (std::size_t c = 0; c < 3; ++c)
                showNumberCell(values_->item(static_cast<int>(r), static_cast<int>(c)), m.rows()[r][c],
                               decimals[c]);
        values_->setCurrentCell(static_cast<int>(session_.teachPanels.meanActiveRow), 0);
    }
    for (std::size_t c = 0; c < 3; ++c)
        showNumberCell(mean_->item(0, static_cast<int>(c)), m.mean()[c], decimals[c]);
    counter_->setText(QString::number(m.count()));
    maxDeltaE_->setText(QString::number(m.maxDeltaE(), 'f', kDecimals));
}

void MeanValueTeachPanel::showHeadings() {
    const auto& headings = session_.parameters.teachTable.headings();
    for (int c = 0; c < kColumns; ++c) {
        values_->horizontalHeaderItem(c)->setText(qs(headings[static_cast<std::size_t>(c)]));
        mean_->horizontalHeaderItem(c)->setText(qs(headings[static_cast<std::size_t>(c)]));
    }
}

void MeanValueTeachPanel::retranslate(Language language) {
    TitledWidget::retranslate(language);
    capture_->setText(qs(kCaptureButton, language));
    undo_->setText(qs(kUndoButton, language));
    reset_->setText(qs(kResetButton, language));
    teach_->setText(qs(kTeachButton, language));
    close_->setText(qs(texts::kCloseButton, language));
}

bool MeanValueTeachPanel::updateDisplays() {
    if (!watch_.takeNew(session_.live.display))
        return false;
    for (std::size_t i = 0; i < 3; ++i)
        xyz_[i]->setText(QString::number(session_.live.display.xyz[i]));
    return true;
}

void MeanValueTeachPanel::showEvent(QShowEvent* event) {
    TitledWidget::showEvent(event);
    updateDisplays();
    repaint_->start();
}

void MeanValueTeachPanel::hideEvent(QHideEvent* event) {
    TitledWidget::hideEvent(event);
    repaint_->stop();
}

} // namespace tavrino::ui
