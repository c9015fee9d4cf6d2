#pragma once

#include "measurement/graph_view.h"
#include "teach/recorded_values.h"

#include <qcustomplot.h>

#include <cstddef>

namespace tavrino::ui {

// A curve drawn as a cloud of points, for tens of thousands of them: the
// points are painted into a picture of the axis rect as they arrive, and a
// replot only draws that picture. The picture is painted anew only when
// the axes' ranges or the plot's size change or points were removed.
class PointCloud : public QCPCurve {
    Q_OBJECT
public:
    PointCloud(QCPAxis* keyAxis, QCPAxis* valueAxis, QColor colour);

    // Removes every point; the next replot starts a new picture.
    void clearPoints();

    // Never hit by the mouse: the plot would otherwise measure the distance
    // to every point on each click. The panel finds the point itself.
    double selectTest(const QPointF& pos, bool onlySelectable, QVariant* details = nullptr) const override;

protected:
    void draw(QCPPainter* painter) override;

private:
    struct View {
        QRect rect;
        QCPRange x;
        QCPRange y;
        friend bool operator==(const View& a, const View& b) {
            return a.rect == b.rect && a.x == b.x && a.y == b.y;
        }
    };
    void paintPoints();

    QColor colour_;
    QImage picture_;
    View view_;
    int painted_ = 0; // points already in the picture
    bool stale_ = true;
};

// One projection of the recorded values: every recorded frame a red point,
// all in one curve that grows in recording order, and cursor 1 as a
// crosshair. The operator drags the cursor with the left mouse button and
// steps it with the arrow keys; the plot only reports where to, the panel
// decides which point the cursor lands on.
class CloudPlot : public QCustomPlot {
    Q_OBJECT
public:
    explicit CloudPlot(QWidget* parent = nullptr);

    void appendPoint(teach::PlotPoint p);
    void clearPoints();
    [[nodiscard]] int pointCount() const;
    [[nodiscard]] QCPCurve* cloud() const { return cloud_; }

    void moveCursor(teach::PlotPoint p);
    [[nodiscard]] teach::PlotPoint cursorPosition() const;
    [[nodiscard]] QCPItemTracer* cursor() const { return cursor_; }

    void setView(const measurement::Span& horizontal, const measurement::Span& vertical);
    // Graph units per pixel on both axes, as the plot is now laid out.
    [[nodiscard]] teach::PixelScale pixelScale() const;

signals:
    // The left button went down or moved with it held, at `at` in graph units.
    void cursorDragged(teach::PlotPoint at);
    void arrowPressed(teach::Direction direction);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void connectSignals();
    void dragged(QMouseEvent* event);

    PointCloud* cloud_;
    QCPItemTracer* cursor_;
};

} // namespace tavrino::ui
