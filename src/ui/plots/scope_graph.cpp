#include "ui/plots/scope_graph.h"

#include <algorithm>
#include <cmath>

namespace tavrino::ui {

namespace {

constexpr int kGrabPixels = 6;
// Both graphs keep the same left margin, so their x positions line up.
constexpr int kLeftMargin = 60;
const std::array<QColor, ScopeGraph::kCursors> kCursorColours{QColor(255, 140, 0), QColor(160, 0, 160)};
const std::array<QColor, 3> kTraceColours{Qt::red, QColor(0, 160, 0), Qt::blue};
const QColor kDigitalGrey(110, 110, 110);

QVector<double> positions() {
    QVector<double> x(scope::kSamples);
    for (int i = 0; i < scope::kSamples; ++i)
        x[i] = i;
    return x;
}

template <class Values> QVector<double> valuesOf(const Values& values) {
    QVector<double> y(scope::kSamples);
    for (int i = 0; i < scope::kSamples; ++i)
        y[i] = static_cast<double>(values[static_cast<std::size_t>(i)]);
    return y;
}

void alignLeft(QCustomPlot* plot) {
    QCPAxisRect* rect = plot->axisRect();
    rect->setAutoMargins(QCP::msTop | QCP::msRight | QCP::msBottom);
    rect->setMargins(QMargins(kLeftMargin, 0, 0, 0));
}

QCPItemStraightLine* line(QCustomPlot* plot, const QColor& colour, Qt::PenStyle style) {
    auto* item = new QCPItemStraightLine(plot); // owned by the plot
    item->setPen(QPen(colour, 1, style));
    item->setSelectable(false);
    return item;
}

void placeVertical(QCPItemStraightLine* item, double x) {
    item->point1->setCoords(x, 0.0);
    item->point2->setCoords(x, 1.0);
}

void placeHorizontal(QCPItemStraightLine* item, double y) {
    item->point1->setCoords(0.0, y);
    item->point2->setCoords(1.0, y);
}

} // namespace

ScopeGraph::ScopeGraph(QWidget* parent) : QCustomPlot(parent) {
    xAxis->setRange(scope::kXMin, scope::kXMax);
    yAxis->setNumberFormat(QStringLiteral("f"));
    for (int i = 0; i < kCursors; ++i) {
        const auto k = static_cast<std::size_t>(i);
        cursors_[k].vertical = line(this, kCursorColours[k], Qt::SolidLine);
        cursors_[k].horizontal = line(this, kCursorColours[k], Qt::DashLine);
    }
    selectionRect()->setPen(QPen(Qt::black, 1, Qt::DashLine));
    alignLeft(this);
}

void ScopeGraph::plotTraces(const scope::ScanResult& result, int displayed) {
    clearGraphs();
    const QVector<double> x = positions();
    const std::array<const std::array<double, scope::kSamples>*, 3> traces{&result.red, &result.green,
                                                                           &result.blue};
    for (int t = 0; t < 3; ++t) {
        if (displayed != 0 && displayed != t + 1)
            continue;
        QCPGraph* g = addGraph();
        g->setPen(QPen(kTraceColours[static_cast<std::size_t>(t)], 1));
        g->setData(x, valuesOf(*traces[static_cast<std::size_t>(t)]), true);
    }
    replot(rpQueuedReplot);
}

void ScopeGraph::setAxes(const scope::AxisSetup& axes) {
    xAxis->setRange(scope::kXMin, scope::kXMax);
    yAxis->setRange(axes.yMin, axes.yMax);
    yAxis->setNumberPrecision(axes.labelDecimals);
    replot(rpQueuedReplot);
}

void ScopeGraph::setCursor(int cursor, double x, double y) {
    const Cursor& c = cursors_.at(static_cast<std::size_t>(cursor));
    placeVertical(c.vertical, x);
    placeHorizontal(c.horizontal, y);
    replot(rpQueuedReplot);
}

QPointF ScopeGraph::cursorPosition(int cursor) const {
    const Cursor& c = cursors_.at(static_cast<std::size_t>(cursor));
    return {c.vertical->point1->coords().x(), c.horizontal->point1->coords().y()};
}

int ScopeGraph::cursorAt(const QPointF& pixel) const {
    int best = -1;
    double bestDistance = kGrabPixels + 1;
    for (int i = 0; i < kCursors; ++i) {
        const double d = std::fabs(xAxis->coordToPixel(cursorPosition(i).x()) - pixel.x());
        if (d <= kGrabPixels && d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

QPointF ScopeGraph::clampedCoordinates(const QPointF& pixel) const {
    const QCPRange xr = xAxis->range();
    const QCPRange yr = yAxis->range();
    return {std::clamp(xAxis->pixelToCoord(pixel.x()), xr.lower, xr.upper),
            std::clamp(yAxis->pixelToCoord(pixel.y()), yr.lower, yr.upper)};
}

void ScopeGraph::mousePressEvent(QMouseEvent* event) {
    const bool left = event->button() == Qt::LeftButton;
    const bool zoom = left && (event->modifiers() & Qt::ControlModifier);
    setSelectionRectMode(zoom ? QCP::srmZoom : QCP::srmNone);
    dragged_ = left && !zoom ? cursorAt(event->position()) : -1;
    QCustomPlot::mousePressEvent(event);
}

void ScopeGraph::mouseMoveEvent(QMouseEvent* event) {
    if (dragged_ >= 0 && (event->buttons() & Qt::LeftButton)) {
        const QPointF p = clampedCoordinates(event->position());
        setCursor(dragged_, p.x(), p.y());
        emit cursorDragged(dragged_, p.x(), p.y());
        event->accept();
        return;
    }
    QCustomPlot::mouseMoveEvent(event);
}

void ScopeGraph::mouseReleaseEvent(QMouseEvent* event) {
    dragged_ = -1;
    QCustomPlot::mouseReleaseEvent(event);
    setSelectionRectMode(QCP::srmNone);
}

void ScopeGraph::processRectZoom(QRect rect, QMouseEvent* event) {
    QCustomPlot::processRectZoom(rect, event);
    emit zoomed();
}

// ---- digital graph ----

DigitalGraph::DigitalGraph(QWidget* parent) : QCustomPlot(parent) {
    xAxis->setRange(scope::kXMin, scope::kXMax);
    yAxis->setRange(-0.5, 5.5);
    yAxis->ticker()->setTickCount(6);
    alignLeft(this);
    for (std::size_t i = 0; i < cursors_.size(); ++i)
        cursors_[i] = line(this, kCursorColours[i], Qt::SolidLine);
}

void DigitalGraph::plotTraces(const scope::ScanResult& result) {
    clearGraphs();
    const QVector<double> x = positions();
    for (const auto* trace : {&result.digital0, &result.digital1, &result.digital2}) {
        QCPGraph* g = addGraph();
        g->setPen(QPen(kDigitalGrey, 1));
        g->setLineStyle(QCPGraph::lsStepLeft);
        g->setData(x, valuesOf(*trace), true);
    }
    replot(rpQueuedReplot);
}

void DigitalGraph::setCursors(double x1, double x2) {
    placeVertical(cursors_[0], x1);
    placeVertical(cursors_[1], x2);
    replot(rpQueuedReplot);
}

void DigitalGraph::setXRange(const QCPRange& range) {
    xAxis->setRange(range);
    replot(rpQueuedReplot);
}

double DigitalGraph::cursorX(int cursor) const {
    return cursors_.at(static_cast<std::size_t>(cursor))->point1->coords().x();
}

} // namespace tavrino::ui
