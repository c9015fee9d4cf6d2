#include "ui/panels/recorded_value_teach_panel.h"

#include "app/live_measurement.h"
#include "app/recorded_value_teach.h"
#include "app/teach_panels.h"
#include "measurement/graph_view.h"
#include "measurement/texts.h"
#include "teach/texts.h"
#include "ui/callback_depth.h"
#include "ui/control_texts.h"
#include "ui/help.h"
#include "ui/number_cells.h"
#include "ui/plots/cloud_plot.h"
#include "ui/qt_text.h"
#include "ui/scrolling.h"
#include "ui/texts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

constexpr int kDisplayWidth = 90;
constexpr Text kStartButton{"START", "START"};
constexpr Text kResetButton{"RESET", "RESET"};
constexpr Text kTeachButton{"TEACH", "TEACH"};
constexpr Text kCounterLabel{"Werte:", "Values:"};

} // namespace

RecordedValueTeachPanel::RecordedValueTeachPanel(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kRecordedValueTeachHeading, parent), session_(context.session),
      counterCaption_(new QLabel(this)), counter_(numberDisplay(this, kDisplayWidth)),
      rowCaption_(new QLabel(this)), rowNumber_(new QSpinBox(this)), start_(new QPushButton(this)),
      stop_(new QPushButton(this)), reset_(new QPushButton(this)), teach_(new QPushButton(this)),
      close_(new QPushButton(this)), repaint_(new QTimer(this)),
      subscription_(context.session.teachPanels, [this](app::TeachPanelChange c) { onChange(c); }),
      tableSubscription_(context.session.parameters.teachTable,
                         [this](const teach::TableChange& change) {
                             if (change.kind == teach::TableChange::Kind::Headings)
                                 showAxes();
                             else if (change.kind == teach::TableChange::Kind::RowNumber) {
                                 const QSignalBlocker blocker(rowNumber_);
                                 rowNumber_->setValue(session_.parameters.teachTable.rowNumber());
                             }
                         }),
      dimmingSubscription_(context.session.dimming,
                           [this](app::DimControl c, bool dimmed) {
                               if (c == app::DimControl::RecordedTeachStart)
                                   start_->setEnabled(!dimmed);
                           }),
      controlsSubscription_(context.session.parameters.controls,
                            [this](const parameters::ControlChange& change) {
                                // The displays' decimals follow the colour space.
                                if (change.kind == parameters::ControlChange::Kind::Captions)
                                    dirty_ = true;
                            }) {
    build(context);
    connectControls(context);
    appendNewPoints();
    moveCursors();
    showAxes();
    rowNumber_->setValue(session_.parameters.teachTable.rowNumber());
    retranslate(session_.language());
}

void RecordedValueTeachPanel::build(UiContext& context) {
    // Everything scrolls when the window is made smaller than the panel.
    QWidget* content = addScrolling(this, body(), {.backdrop = Backdrop::PageShowsThrough});
    auto* grid = new QGridLayout(content);
    grid->setContentsMargins(0, 0, 0, 0);
    for (std::size_t g = 0; g < plots_.size(); ++g) {
        plots_[g] = new CloudPlot(content);
        grid->addWidget(plots_[g], static_cast<int>(g / 2), static_cast<int>(g % 2));
        context.help.add(plots_[g], teach::texts::kRecordGraphHelp);
    }
    grid->addWidget(buildControls(context), 1, 1);
    for (int i = 0; i < 2; ++i) {
        grid->setRowStretch(i, 1);
        grid->setColumnStretch(i, 1);
    }
    repaint_->setInterval(kRepaintIntervalMs);
}

QWidget* RecordedValueTeachPanel::buildControls(UiContext& context) {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    auto* numbers = new QGridLayout;
    counterCaption_->setBuddy(counter_);
    rowCaption_->setBuddy(rowNumber_);
    numbers->addWidget(counterCaption_, 0, 0);
    numbers->addWidget(counter_, 0, 1);
    for (std::size_t i = 0; i < values_.size(); ++i) {
        valueCaptions_[i] = new QLabel(box);
        values_[i] = numberDisplay(box, kDisplayWidth);
        valueCaptions_[i]->setBuddy(values_[i]);
        context.help.add(values_[i], texts::kCursorValuesHelp);
        numbers->addWidget(valueCaptions_[i], static_cast<int>(i + 1), 0);
        numbers->addWidget(values_[i], static_cast<int>(i + 1), 1);
    }
    rowNumber_->setRange(0, teach::kRows - 1);
    numbers->addWidget(rowCaption_, 4, 0);
    numbers->addWidget(rowNumber_, 4, 1);
    numbers->setColumnStretch(2, 1);
    column->addLayout(numbers);
    auto* buttons = new QGridLayout;
    buttons->addWidget(start_, 0, 0);
    buttons->addWidget(stop_, 0, 1);
    buttons->addWidget(reset_, 1, 0);
    buttons->addWidget(teach_, 1, 1);
    buttons->addWidget(close_, 2, 0, 1, 2);
    column->addLayout(buttons);
    column->addStretch(1);

    namespace tt = teach::texts;
    HelpRegistry& help = context.help;
    help.add(start_, tt::kRecordStartHelp);
    help.add(stop_, measurement::texts::kStopHelp);
    help.add(reset_, tt::kRecordResetHelp);
    help.add(teach_, tt::kRecordTeachHelp);
    help.add(counter_, tt::kRecordCounterHelp);
    help.add(rowNumber_, texts::kRowNumberHelp);
    help.add(close_, tt::kCloseTeachPanelHelp);
    setCloseButton(close_);
    context.session.dimming.registerControl(app::DimControl::RecordedTeachStart);
    start_->setEnabled(!context.session.dimming.dimmed(app::DimControl::RecordedTeachStart));
    return box;
}

void RecordedValueTeachPanel::connectControls(UiContext& context) {
    CallbackDepth& callbacks = context.callbacks;
    connect(start_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::CBF_ButtonTP2Start));
    connect(stop_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::CBF_ButtonStop));
    connect(teach_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::CBF_ButtonTP2Teach));
    connect(close_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::CBF_ButtonCloseTeachPanel));
    connect(reset_, &QPushButton::clicked, this, callbacks.scoped([this] { askReset(); }));
    connect(rowNumber_, &QSpinBox::valueChanged, this,
            [this](int value) { session_.parameters.teachTable.setRowNumber(value); });
    for (std::size_t g = 0; g < plots_.size(); ++g) {
        connect(plots_[g], &CloudPlot::cursorDragged, this,
                [this, g](teach::PlotPoint at) { snapCursor(g, at); });
        connect(plots_[g], &CloudPlot::arrowPressed, this,
                [this, g](teach::Direction d) { stepCursor(g, d); });
    }
    connect(repaint_, &QTimer::timeout, this, [this] { repaintIfDirty(); });
}

void RecordedValueTeachPanel::askReset() {
    // Marked while the question is open, as on the mean-value panel.
    reset_->setStyleSheet(QStringLiteral("background-color: rgb(255, 0, 0);"));
    reset_->repaint();
    app::CBF_ButtonTP2Reset(session_);
    reset_->setStyleSheet(QStringLiteral("background-color: rgb(224, 224, 224);"));
}

void RecordedValueTeachPanel::snapCursor(std::size_t graph, teach::PlotPoint at) {
    const teach::RecordedValues& recorded = session_.teachPanels.recorded;
    const auto entry = teach::nearestEntry(recorded, graph, at, plots_.at(graph)->pixelScale());
    if (entry)
        app::SetCursorTP2(session_, graph, teach::pointIn(graph, recorded.entry(*entry)));
}

void RecordedValueTeachPanel::stepCursor(std::size_t graph, teach::Direction direction) {
    const teach::RecordedValues& recorded = session_.teachPanels.recorded;
    const teach::PlotPoint from = teach::pointIn(graph, session_.teachPanels.recordedShown);
    const auto entry = teach::nextEntry(recorded, graph, from, direction, plots_.at(graph)->pixelScale());
    if (entry)
        app::SetCursorTP2(session_, graph, teach::pointIn(graph, recorded.entry(*entry)));
}

void RecordedValueTeachPanel::onChange(app::TeachPanelChange change) {
    switch (change) {
    case app::TeachPanelChange::RecordedFrame:
        appendNewPoints();
        moveCursors();
        break;
    case app::TeachPanelChange::RecordedCursor:
        moveCursors();
        break;
    case app::TeachPanelChange::RecordedReset:
        clearPoints();
        break;
    case app::TeachPanelChange::MeanCaptures:
        return;
    }
    dirty_ = true;
}

void RecordedValueTeachPanel::appendNewPoints() {
    const teach::RecordedValues& recorded = session_.teachPanels.recorded;
    if (recorded.counter() < plotted_)
        clearPoints();
    for (; plotted_ < recorded.counter(); ++plotted_)
        for (std::size_t g = 0; g < plots_.size(); ++g)
            plots_[g]->appendPoint(teach::pointIn(g, recorded.entry(plotted_)));
}

void RecordedValueTeachPanel::clearPoints() {
    for (CloudPlot* plot : plots_)
        plot->clearPoints();
    plotted_ = 0;
}

void RecordedValueTeachPanel::moveCursors() {
    for (std::size_t g = 0; g < plots_.size(); ++g)
        plots_[g]->moveCursor(teach::pointIn(g, session_.teachPanels.recordedShown));
}

void RecordedValueTeachPanel::showAxes() {
    const auto space =
        static_cast<std::uint16_t>(session_.parameters.controls.code(parameters::Control::ColorSpace));
    const measurement::AxisSpans ranges = measurement::defaultAxisRanges(space);
    const auto& headings = session_.parameters.teachTable.headings();
    for (std::size_t g = 0; g < plots_.size(); ++g) {
        const teach::GraphAxes a = teach::kRecordedGraphAxes[g];
        plots_[g]->setView(ranges[a.horizontal], ranges[a.vertical]);
        plots_[g]->xAxis->setLabel(qs(headings[a.horizontal]));
        plots_[g]->yAxis->setLabel(qs(headings[a.vertical]));
        // Named after its axes, as the operator reads it.
        plots_[g]->setAccessibleName(qs(headings[a.horizontal]) + QStringLiteral(" / ") +
                                     qs(headings[a.vertical]));
    }
    for (std::size_t i = 0; i < valueCaptions_.size(); ++i)
        valueCaptions_[i]->setText(qs(headings[i]));
    dirty_ = true;
}

void RecordedValueTeachPanel::showDisplays() {
    counter_->setText(QString::number(session_.teachPanels.recorded.counter()));
    const auto& decimals = session_.parameters.controls.captions().display.coordinateDecimals;
    for (std::size_t i = 0; i < values_.size(); ++i)
        values_[i]->setText(fixedText(session_.teachPanels.recordedShown[i], decimals[i]));
}

bool RecordedValueTeachPanel::repaintIfDirty() {
    if (!dirty_)
        return false;
    dirty_ = false;
    showDisplays();
    for (CloudPlot* plot : plots_)
        plot->replot(QCustomPlot::rpQueuedReplot);
    return true;
}

void RecordedValueTeachPanel::retranslate(Language language) {
    TitledWidget::retranslate(language);
    counterCaption_->setText(qs(kCounterLabel, language));
    rowCaption_->setText(qs(texts::kRowNumberLabel, language));
    start_->setText(qs(kStartButton, language));
    stop_->setText(qs(texts::kStopButton, language));
    reset_->setText(qs(kResetButton, language));
    teach_->setText(qs(kTeachButton, language));
    close_->setText(qs(texts::kCloseButton, language));
}

void RecordedValueTeachPanel::showEvent(QShowEvent* event) {
    TitledWidget::showEvent(event);
    dirty_ = true;
    repaintIfDirty();
    repaint_->start();
}

void RecordedValueTeachPanel::hideEvent(QHideEvent* event) {
    TitledWidget::hideEvent(event);
    repaint_->stop();
}

} // namespace tavrino::ui
