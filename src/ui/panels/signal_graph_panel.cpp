#include "ui/panels/signal_graph_panel.h"

#include "app/record_review.h"
#include "measurement/texts.h"
#include "recorder/texts.h"
#include "ui/control_texts.h"
#include "ui/help.h"
#include "ui/number_cells.h"
#include "ui/plots/record_view.h"
#include "ui/qt_text.h"
#include "ui/scrolling.h"
#include "ui/texts.h"

#include <qcustomplot.h>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

constexpr int kDisplayWidth = 90;
const QColor kTeal(0, 128, 128);
const std::array<QColor, measurement::kSignals> kSignalColours{Qt::red,   Qt::green, Qt::blue, Qt::red,
                                                               Qt::green, kTeal,     kTeal};
// X, Y, Z and the temperature are integers, the coordinates are not.
constexpr std::array<int, measurement::kSignals> kDecimals{0, 0, 0, 4, 4, 4, 0};
// The record file's column of each signal (its temperature is the last).
constexpr std::array<std::size_t, measurement::kSignals> kRecordColumns{
    0, 1, 2, 3, 4, 5, recorder::kTemperatureColumn};
// A record file holds six decimals.
constexpr int kFileDecimals = 6;

} // namespace

SignalGraphPanel::SignalGraphPanel(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kSignalGraphHeading, parent), session_(context.session),
      selector_(new QComboBox(this)), selectorCaption_(new QLabel(this)), close_(new QPushButton(this)),
      stack_(new QStackedWidget(this)), counterCaption_(new QLabel(this)),
      counter_(numberDisplay(this, kDisplayWidth)), review_(new RecordView(stack_)),
      readout_(new QLabel(this)),
      controlsSubscription_(context.session.parameters.controls,
                            [this](const parameters::ControlChange& c) {
                                if (c.kind == parameters::ControlChange::Kind::Captions)
                                    applyCaptions();
                            }),
      reviewSubscription_(context.session.recordReview,
                          [this](app::RecordReviewChange change) { onReviewChange(change); }) {
    namespace mt = measurement::texts;
    // Everything scrolls when the window is made smaller than the panel.
    QVBoxLayout* column = addScrollingColumn(this, body(), {.backdrop = Backdrop::PageShowsThrough});
    auto* top = new QHBoxLayout;
    top->addWidget(selectorCaption_);
    top->addWidget(selector_);
    top->addStretch(1);
    top->addWidget(close_);
    column->addLayout(top);

    auto* displays = new QGridLayout;
    for (std::size_t i = 0; i < measurement::kSignals; ++i) {
        auto* plot = new QCustomPlot(stack_);
        plot->setMinimumSize(200, 150);
        traces_[i] = new QCPCurve(plot->xAxis, plot->yAxis); // owned by the plot
        traces_[i]->setPen(QPen(kSignalColours[i], 1));
        graphs_[i] = plot;
        stack_->addWidget(plot);
        selector_->addItem(QString(), static_cast<int>(i));
        captions_[i] = new QLabel(this);
        captions_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        values_[i] = numberDisplay(this, kDisplayWidth);
        captions_[i]->setBuddy(values_[i]);
        context.help.add(values_[i], texts::kSignalValueHelp);
        const int row = static_cast<int>(i / 4);
        const int column = 2 * static_cast<int>(i % 4);
        displays->addWidget(captions_[i], row, column);
        displays->addWidget(values_[i], row, column + 1);
        context.help.add(plot, mt::kSignalGraphHelp);
    }
    counterCaption_->setBuddy(counter_);
    selectorCaption_->setBuddy(selector_);
    displays->addWidget(counterCaption_, 1, 6);
    displays->addWidget(counter_, 1, 7);
    column->addLayout(displays);
    column->addWidget(stack_, 1);
    review_->setMinimumSize(200, 150);
    stack_->addWidget(review_);
    context.help.add(review_, recorder::texts::kReviewGraphHelp);
    readout_->setTextFormat(Qt::PlainText);
    readout_->setVisible(false);
    context.help.add(readout_, recorder::texts::kReviewReadoutHelp);
    column->addWidget(readout_);

    context.help.add(selector_, mt::kSignalSelectorHelp);
    context.help.add(close_, mt::kCloseSignalGraphHelp);
    context.help.add(counter_, texts::kSampleCounterHelp);
    setCloseButton(close_);
    connectControls();
    retranslate(session_.language());
    SetGraphVisible(0);
}

void SignalGraphPanel::connectControls() {
    connect(selector_, &QComboBox::activated, this,
            [this](int index) { SetGraphVisible(selector_->itemData(index).toInt()); });
    connect(close_, &QPushButton::clicked, this, &SignalGraphPanel::closeRequested);
    connect(review_, &RecordView::cursorRequested, this,
            [this](double x) { app::moveReviewCursor(session_, x); });
    connect(review_, &RecordView::cursorStepped, this, [this](int lines) {
        app::moveReviewCursor(session_, static_cast<double>(session_.recordReview.cursor) + lines);
    });
}

void SignalGraphPanel::retranslate(Language language) {
    TitledWidget::retranslate(language);
    selectorCaption_->setText(qs(texts::kSignalSelectorLabel, language));
    close_->setText(qs(texts::kCloseSignalGraphButton, language));
    counterCaption_->setText(qs(texts::kSampleCounterLabel, language));
    applyCaptions();
    showReviewCursor();
}

void SignalGraphPanel::applyCaptions() {
    const auto& coordinates = session_.parameters.controls.captions().coordinates;
    const app::RecordReviewState& review = session_.recordReview;
    std::array<QString, measurement::kSignals> names;
    for (std::size_t i = 0; i < 3; ++i) {
        names[i] = qs(texts::kXyzCaptions[i]);
        // A file in review names its colour-space values with its own headings.
        const bool fileNamesIt = review.reviewing() && !review.file->coordinateHeadings[i].empty();
        names[i + 3] = fileNamesIt ? qs(review.file->coordinateHeadings[i]) : qs(coordinates[i]);
    }
    names[6] = qs(texts::kTemperatureSignal, session_.language());
    for (std::size_t i = 0; i < measurement::kSignals; ++i) {
        selector_->setItemText(static_cast<int>(i), names[i]);
        captions_[i]->setText(names[i]);
        graphs_[i]->yAxis->setLabel(names[i]);
        graphs_[i]->setAccessibleName(names[i]);
    }
    review_->setAccessibleName(names[shownSignal()]);
    showReviewedSignal();
}

void SignalGraphPanel::SetGraphVisible(int selector) {
    // The stack hides every graph but the one it shows.
    const std::size_t shown = measurement::selectedSignal(selector);
    selector_->setCurrentIndex(static_cast<int>(shown));
    if (session_.recordReview.reviewing()) {
        showReviewedSignal();
        return;
    }
    stack_->setCurrentWidget(graphs_[shown]);
    graphs_[shown]->rescaleAxes();
    graphs_[shown]->replot(QCustomPlot::rpQueuedReplot);
}

std::size_t SignalGraphPanel::shownSignal() const {
    return measurement::selectedSignal(selector_->currentIndex());
}

// ---- a record file in review ----

void SignalGraphPanel::onReviewChange(app::RecordReviewChange change) {
    if (change == app::RecordReviewChange::Cursor) {
        showReviewCursor();
        return;
    }
    const bool reviewing = session_.recordReview.reviewing();
    readout_->setVisible(reviewing);
    if (!reviewing) {
        review_->clear();
        applyCaptions();
        SetGraphVisible(static_cast<int>(shownSignal()));
        return;
    }
    freshFile_ = true;
    applyCaptions(); // shows the file's signal
    showReviewCursor();
}

void SignalGraphPanel::showReviewedSignal() {
    const app::RecordReviewState& review = session_.recordReview;
    if (!review.reviewing())
        return;
    const std::size_t signal = shownSignal();
    const recorder::RecordColumns& file = *review.file;
    const QString name = captions_[signal]->text();
    // A new file comes into view whole; another signal or language keeps the view.
    review_->setValues(file.values[kRecordColumns[signal]], kSignalColours[signal], name, !freshFile_);
    freshFile_ = false;
    review_->setAccessibleName(name);
    review_->setCursorLine(review.cursor);
    stack_->setCurrentWidget(review_);
}

void SignalGraphPanel::showReviewCursor() {
    const app::RecordReviewState& review = session_.recordReview;
    if (!review.reviewing())
        return;
    const recorder::RecordColumns& file = *review.file;
    const std::size_t line = review.cursor;
    review_->setCursorLine(line);
    for (std::size_t i = 0; i < measurement::kSignals; ++i) {
        const int decimals = kDecimals[i] == 0 ? 0 : kFileDecimals;
        values_[i]->setText(QString::number(file.values[kRecordColumns[i]][line], 'f', decimals));
    }
    counter_->setText(QString::number(line + 1));
    const Language language = session_.language();
    readout_->setText(QStringLiteral("%1 %2 / %3   %4   delta E %5   COLOR %6   %7")
                          .arg(qs(recorder::texts::kReviewLineLabel, language))
                          .arg(line + 1)
                          .arg(file.lines())
                          .arg(qs(file.time(line)))
                          .arg(file.values[recorder::kDeltaEColumn][line], 0, 'f', kFileDecimals)
                          .arg(file.values[recorder::kColourColumn][line], 0, 'f', 0)
                          .arg(qs(review.path)));
}

void SignalGraphPanel::clearTraces() {
    for (QCPCurve* trace : traces_)
        trace->data()->clear();
    curveIndex_ = 0;
    for (QCustomPlot* plot : graphs_)
        plot->replot(QCustomPlot::rpQueuedReplot);
}

void SignalGraphPanel::addSegment(const measurement::SignalSegment& s) {
    // Each segment starts where the one before ended; only the first after
    // the start needs its own starting point.
    const bool first = traces_[0]->data()->isEmpty();
    const double start = curveIndex_;
    for (std::size_t i = 0; i < measurement::kSignals; ++i) {
        if (first)
            traces_[i]->addData(start, s.fromSample, s.from[i]);
        traces_[i]->addData(start + (first ? 1 : 0), s.toSample, s.to[i]);
    }
    curveIndex_ = start + (first ? 2 : 1);
}

void SignalGraphPanel::refresh(const measurement::SignalValues& latest, std::uint16_t counter) {
    // The displays hold the line under the review's cursor.
    if (session_.recordReview.reviewing())
        return;
    for (std::size_t i = 0; i < measurement::kSignals; ++i)
        values_[i]->setText(QString::number(latest[i], 'f', kDecimals[i]));
    counter_->setText(QString::number(counter));
    QCustomPlot* shown = graphs_[shownSignal()];
    shown->rescaleAxes();
    shown->replot();
}

} // namespace tavrino::ui
