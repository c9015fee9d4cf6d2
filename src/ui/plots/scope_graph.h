#pragma once

#include "scope/scan.h"
#include "scope/timing.h"

#include <qcustomplot.h>

#include <array>

namespace tavrino::ui {

// The scope graph: the red, green and blue traces over the 128 output
// positions, with two cursors the operator drags with the left mouse button.
// Ctrl + left drag zooms into a rectangle. It replots only when the traces,
// the axes or a cursor change.
class ScopeGraph : public QCustomPlot {
    Q_OBJECT
public:
    static constexpr int kCursors = 2;

    explicit ScopeGraph(QWidget* parent = nullptr);

    // Deletes every trace and plots those `displayed` selects: 0 all three,
    // 1 red, 2 green, 3 blue.
    void plotTraces(const scope::ScanResult& result, int displayed);
    // Fixed ranges and label precision; undoes a zoom.
    void setAxes(const scope::AxisSetup& axes);
    void setCursor(int cursor, double x, double y);
    [[nodiscard]] QPointF cursorPosition(int cursor) const;
    // The cursor a press at `pixel` would take, or -1.
    [[nodiscard]] int cursorAt(const QPointF& pixel) const;

signals:
    // While a cursor is dragged: its new position.
    void cursorDragged(int cursor, double x, double y);
    // A zoom rectangle has been applied.
    void zoomed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void processRectZoom(QRect rect, QMouseEvent* event) override;

private:
    struct Cursor {
        QCPItemStraightLine* vertical = nullptr;
        QCPItemStraightLine* horizontal = nullptr;
    };

    [[nodiscard]] QPointF clampedCoordinates(const QPointF& pixel) const;

    std::array<Cursor, kCursors> cursors_{};
    int dragged_ = -1;
};

// The digital graph below the scope graph: the three state traces in grey
// and vertical cursors at the scope graph's cursor positions.
class DigitalGraph : public QCustomPlot {
    Q_OBJECT
public:
    explicit DigitalGraph(QWidget* parent = nullptr);

    void plotTraces(const scope::ScanResult& result);
    void setCursors(double x1, double x2);
    void setXRange(const QCPRange& range);
    [[nodiscard]] double cursorX(int cursor) const;

private:
    std::array<QCPItemStraightLine*, ScopeGraph::kCursors> cursors_{};
};

} // namespace tavrino::ui
