#include "ui/plots/projection_plot.h"

namespace tavrino::ui {

namespace {

constexpr int kShapePenWidth = 2;
// The picture lies under the shapes and the cursor whatever was drawn first.
const QString kPictureLayer = QStringLiteral("picture");

template <class Item>
Item* outline(QCustomPlot* plot, const measurement::Shape& shape, const QColor& colour) {
    auto* item = new Item(plot); // owned by the plot
    item->topLeft->setCoords(shape.horizontal.low, shape.vertical.high);
    item->bottomRight->setCoords(shape.horizontal.high, shape.vertical.low);
    item->setPen(QPen(colour, kShapePenWidth));
    item->setBrush(Qt::NoBrush);
    return item;
}

} // namespace

ProjectionPlot::ProjectionPlot(QWidget* parent)
    : QCustomPlot(parent), cursor_(new QCPItemTracer(this)), caption_(new QCPTextElement(this)) {
    addLayer(kPictureLayer, layer(QStringLiteral("main")), QCustomPlot::limBelow);
    // The caption in a row of its own above the axis rectangle (owned by the
    // layout).
    QFont captionFont = caption_->font();
    captionFont.setBold(true);
    caption_->setFont(captionFont);
    caption_->setMargins(QMargins(0, 2, 0, 0));
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, caption_);
    plotLayout()->setRowSpacing(0);
    cursor_->setStyle(QCPItemTracer::tsCrosshair);
    cursor_->setPen(QPen(Qt::black, 1));
    cursor_->setLayer(QStringLiteral("overlay"));
    cursor_->position->setCoords(0, 0);
    setMinimumSize(120, 80);
    connectSignals();
}

void ProjectionPlot::connectSignals() {
    connect(this, &QCustomPlot::mouseDoubleClick, this, [this](QMouseEvent* e) {
        if (e->button() == Qt::LeftButton)
            emit leftDoubleClicked();
    });
    connect(this, &QCustomPlot::afterReplot, this, [this] { ++replots_; });
}

void ProjectionPlot::clearPlots() {
    for (int i = itemCount() - 1; i >= 0; --i)
        if (item(i) != cursor_)
            removeItem(i);
    background_ = nullptr;
    shapes_ = 0;
}

QCPAbstractItem* ProjectionPlot::addShape(const measurement::Shape& shape, const QColor& colour) {
    ++shapes_;
    if (shape.kind == measurement::ShapeKind::Ellipse)
        return outline<QCPItemEllipse>(this, shape, colour);
    return outline<QCPItemRect>(this, shape, colour);
}

void ProjectionPlot::recolour(QCPAbstractItem* shape, const QColor& colour) {
    if (auto* rect = qobject_cast<QCPItemRect*>(shape)) {
        if (rect->pen().color() != colour)
            rect->setPen(QPen(colour, kShapePenWidth));
    } else if (auto* ellipse = qobject_cast<QCPItemEllipse*>(shape)) {
        if (ellipse->pen().color() != colour)
            ellipse->setPen(QPen(colour, kShapePenWidth));
    }
}

QColor ProjectionPlot::colourOf(const QCPAbstractItem* shape) {
    if (const auto* rect = qobject_cast<const QCPItemRect*>(shape))
        return rect->pen().color();
    if (const auto* ellipse = qobject_cast<const QCPItemEllipse*>(shape))
        return ellipse->pen().color();
    return {};
}

void ProjectionPlot::setBackground(const QPixmap& picture, const measurement::Background& place) {
    background_ = new QCPItemPixmap(this); // owned by the plot
    background_->setLayer(kPictureLayer);
    background_->setPixmap(picture);
    background_->setScaled(true, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    background_->topLeft->setCoords(place.left, place.bottom + place.height);
    background_->bottomRight->setCoords(place.left + place.width, place.bottom);
}

void ProjectionPlot::setGridShown(bool shown) {
    xAxis->grid()->setVisible(shown);
    yAxis->grid()->setVisible(shown);
}

void ProjectionPlot::setView(const measurement::ProjectionView& view) {
    xAxis->setRange(view.horizontal.low, view.horizontal.high);
    yAxis->setRange(view.vertical.low, view.vertical.high);
}

void ProjectionPlot::moveCursor(double x, double y) {
    cursor_->position->setCoords(x, y);
}

void ProjectionPlot::setAxisLabels(const QString& horizontal, const QString& vertical) {
    xAxis->setLabel(horizontal);
    yAxis->setLabel(vertical);
}

void ProjectionPlot::setCaption(const QString& caption) {
    caption_->setText(caption);
}

} // namespace tavrino::ui
