#include "ui/plots/cloud_plot.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <optional>

namespace tavrino::ui {

namespace {

constexpr int kPointSize = 3;

std::optional<teach::Direction> directionOf(int key) {
    switch (key) {
    case Qt::Key_Left:
        return teach::Direction::Left;
    case Qt::Key_Right:
        return teach::Direction::Right;
    case Qt::Key_Up:
        return teach::Direction::Up;
    case Qt::Key_Down:
        return teach::Direction::Down;
    default:
        return std::nullopt;
    }
}

double unitsPerPixel(const QCPAxis* axis) {
    const double pixels =
        std::abs(axis->coordToPixel(axis->range().upper) - axis->coordToPixel(axis->range().lower));
    return pixels > 0 ? axis->range().size() / pixels : 1;
}

} // namespace

PointCloud::PointCloud(QCPAxis* keyAxis, QCPAxis* valueAxis, QColor colour)
    : QCPCurve(keyAxis, valueAxis), colour_(colour) {
    // The legend and an export show the same points.
    setLineStyle(QCPCurve::lsNone);
    setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssSquare, colour, colour, kPointSize));
}

void PointCloud::clearPoints() {
    data()->clear();
    stale_ = true;
}

double PointCloud::selectTest(const QPointF&, bool, QVariant*) const {
    return -1;
}

void PointCloud::draw(QCPPainter* painter) {
    const QRect rect = keyAxis()->axisRect()->rect();
    const View view{rect, keyAxis()->range(), valueAxis()->range()};
    if (stale_ || !(view == view_) || dataCount() < painted_) {
        stale_ = false;
        view_ = view;
        picture_ = QImage(rect.size(), QImage::Format_ARGB32_Premultiplied);
        picture_.fill(Qt::transparent);
        painted_ = 0;
    }
    paintPoints();
    painter->drawImage(rect.topLeft(), picture_);
}

void PointCloud::paintPoints() {
    const QCPCurveDataContainer& points = *data();
    const QRect& rect = view_.rect;
    const QRgb pixel = colour_.rgba();
    const int half = kPointSize / 2;
    for (auto it = points.constBegin() + painted_; it != points.constEnd(); ++it) {
        const int cx = qRound(keyAxis()->coordToPixel(it->key)) - rect.left();
        const int cy = qRound(valueAxis()->coordToPixel(it->value)) - rect.top();
        for (int y = std::max(cy - half, 0); y <= std::min(cy + half, picture_.height() - 1); ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture_.scanLine(y));
            for (int x = std::max(cx - half, 0); x <= std::min(cx + half, picture_.width() - 1); ++x)
                line[x] = pixel;
        }
    }
    painted_ = points.size();
}

CloudPlot::CloudPlot(QWidget* parent)
    : QCustomPlot(parent), cloud_(new PointCloud(xAxis, yAxis, QColor(255, 0, 0))),
      cursor_(new QCPItemTracer(this)) {
    cursor_->setStyle(QCPItemTracer::tsCrosshair);
    cursor_->setPen(QPen(Qt::black, 1));
    cursor_->setLayer(QStringLiteral("overlay"));
    cursor_->position->setCoords(0, 0);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(120, 80);
    connectSignals();
}

void CloudPlot::connectSignals() {
    connect(this, &QCustomPlot::mousePress, this, [this](QMouseEvent* e) { dragged(e); });
    connect(this, &QCustomPlot::mouseMove, this, [this](QMouseEvent* e) { dragged(e); });
}

void CloudPlot::dragged(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPointF at = event->position();
    emit cursorDragged({xAxis->pixelToCoord(at.x()), yAxis->pixelToCoord(at.y())});
}

void CloudPlot::keyPressEvent(QKeyEvent* event) {
    if (const auto direction = directionOf(event->key())) {
        emit arrowPressed(*direction);
        event->accept();
        return;
    }
    QCustomPlot::keyPressEvent(event);
}

void CloudPlot::appendPoint(teach::PlotPoint p) {
    // The curve's sort key is the recording order, so appending never
    // moves the points already there.
    cloud_->addData(static_cast<double>(cloud_->dataCount()), p.x, p.y);
}

void CloudPlot::clearPoints() {
    cloud_->clearPoints();
}

int CloudPlot::pointCount() const {
    return cloud_->dataCount();
}

void CloudPlot::moveCursor(teach::PlotPoint p) {
    cursor_->position->setCoords(p.x, p.y);
}

teach::PlotPoint CloudPlot::cursorPosition() const {
    const QPointF c = cursor_->position->coords();
    return {c.x(), c.y()};
}

void CloudPlot::setView(const measurement::Span& horizontal, const measurement::Span& vertical) {
    xAxis->setRange(horizontal.low, horizontal.high);
    yAxis->setRange(vertical.low, vertical.high);
}

teach::PixelScale CloudPlot::pixelScale() const {
    return {unitsPerPixel(xAxis), unitsPerPixel(yAxis)};
}

} // namespace tavrino::ui
