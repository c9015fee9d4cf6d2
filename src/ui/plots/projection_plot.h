#pragma once

#include "measurement/graph_view.h"

#include <qcustomplot.h>

#include <QColor>
#include <QPixmap>

#include <cstddef>

namespace tavrino::ui {

// One projection of the three-sided view: the tolerance shapes of the teach
// rows (outlines, no fill), an optional background picture placed in graph
// units beneath them, and a cursor at the current measurement.
class ProjectionPlot : public QCustomPlot {
    Q_OBJECT
public:
    explicit ProjectionPlot(QWidget* parent = nullptr);

    // Removes the shapes and the background picture.
    void clearPlots();
    // Draws `shape` in `colour`; the handle stays valid until clearPlots().
    QCPAbstractItem* addShape(const measurement::Shape& shape, const QColor& colour);
    static void recolour(QCPAbstractItem* shape, const QColor& colour);
    [[nodiscard]] static QColor colourOf(const QCPAbstractItem* shape);
    [[nodiscard]] std::size_t shapeCount() const { return shapes_; }

    void setBackground(const QPixmap& picture, const measurement::Background& place);
    [[nodiscard]] QCPItemPixmap* background() const { return background_; }
    void setGridShown(bool shown);

    void setView(const measurement::ProjectionView& view);
    void moveCursor(double x, double y);
    [[nodiscard]] QCPItemTracer* cursor() const { return cursor_; }
    void setAxisLabels(const QString& horizontal, const QString& vertical);
    // The caption above the plot that names the projection ("x/y").
    void setCaption(const QString& caption);
    [[nodiscard]] std::size_t replots() const { return replots_; }

signals:
    void leftDoubleClicked();

private:
    void connectSignals();

    QCPItemTracer* cursor_;
    QCPTextElement* caption_;
    QCPItemPixmap* background_ = nullptr;
    std::size_t shapes_ = 0;
    std::size_t replots_ = 0;
};

} // namespace tavrino::ui
