#include "ui/plots/record_view.h"

#include "recorder/record_reader.h"

#include <algorithm>

namespace tavrino::ui {

namespace {

// A press and release closer than this are a click, not a drag.
constexpr int kClickSlack = 3;
// Room above and below the trace, as a share of its height.
constexpr double kVerticalMargin = 0.05;

} // namespace

RecordView::RecordView(QWidget* parent)
    : QCustomPlot(parent), trace_(addGraph()), cursor_(new QCPItemStraightLine(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    axisRect()->setRangeDrag(Qt::Horizontal);
    axisRect()->setRangeZoom(Qt::Horizontal);
    // The decimated points are few; nothing to gain from sampling them again.
    trace_->setAdaptiveSampling(false);
    cursor_->setPen(QPen(Qt::black, 1, Qt::DashLine));
    cursor_->setVisible(false);
    connect(xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, &RecordView::followRange);
}

void RecordView::setValues(std::span<const double> values, const QColor& colour, const QString& label,
                           bool keepView) {
    const bool sameLength = values.size() == values_.size();
    values_ = values;
    trace_->setPen(QPen(colour, 1));
    yAxis->setLabel(label);
    cursor_->setVisible(!values.empty());
    if (!keepView || !sameLength) {
        const double last = values.empty() ? 1.0 : static_cast<double>(values.size() - 1);
        xAxis->setRange(0.0, std::max(last, 1.0)); // redraws through followRange
    }
    redraw();
}

void RecordView::clear() {
    values_ = {};
    trace_->data()->clear();
    cursor_->setVisible(false);
    replot(rpQueuedReplot);
}

void RecordView::setCursorLine(std::size_t line) {
    const auto x = static_cast<double>(line);
    cursor_->point1->setCoords(x, 0.0);
    cursor_->point2->setCoords(x, 1.0);
    replot(rpQueuedReplot);
}

int RecordView::pointsDrawn() const {
    return trace_->dataCount();
}

void RecordView::followRange(const QCPRange& range) {
    if (redrawing_ || values_.empty())
        return;
    // The view stays on the file: no panning past its first or last line.
    const double last = static_cast<double>(values_.size() - 1);
    const double width = std::min(range.size(), std::max(last, 1.0));
    const double lower = std::clamp(range.lower, 0.0, std::max(0.0, last - width));
    redrawing_ = true;
    xAxis->setRange(lower, lower + width);
    redrawing_ = false;
    redraw();
}

void RecordView::redraw() {
    if (values_.empty())
        return;
    const QCPRange view = xAxis->range();
    // The widget's width bounds the axis rectangle's, which is only laid out
    // again at the next replot.
    const int columns = std::max(1, width());
    const std::vector<recorder::TracePoint> points =
        recorder::decimate(values_, view.lower, view.upper, columns);
    QVector<double> keys;
    QVector<double> heights;
    keys.reserve(static_cast<qsizetype>(points.size()));
    heights.reserve(static_cast<qsizetype>(points.size()));
    double low = points.empty() ? 0.0 : points.front().y;
    double high = low;
    for (const recorder::TracePoint& p : points) {
        keys.push_back(p.x);
        heights.push_back(p.y);
        low = std::min(low, p.y);
        high = std::max(high, p.y);
    }
    trace_->setData(keys, heights, true);
    const double margin = high > low ? (high - low) * kVerticalMargin : 1.0;
    yAxis->setRange(low - margin, high + margin);
    replot(rpQueuedReplot);
}

void RecordView::mousePressEvent(QMouseEvent* event) {
    pressedAt_ = event->pos();
    QCustomPlot::mousePressEvent(event);
}

void RecordView::mouseReleaseEvent(QMouseEvent* event) {
    QCustomPlot::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && (event->pos() - pressedAt_).manhattanLength() <= kClickSlack)
        emit cursorRequested(xAxis->pixelToCoord(event->position().x()));
}

void RecordView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        emit cursorStepped(event->key() == Qt::Key_Left ? -1 : 1);
        return;
    }
    QCustomPlot::keyPressEvent(event);
}

void RecordView::resizeEvent(QResizeEvent* event) {
    QCustomPlot::resizeEvent(event);
    // Another width has another number of pixel columns.
    redraw();
}

} // namespace tavrino::ui
