#pragma once

#include <qcustomplot.h>

#include <QColor>

#include <cstddef>
#include <span>

namespace tavrino::ui {

// One signal of a record file over its lines, with a cursor on one line.
// The wheel zooms and a drag pans along the lines; a click (or the arrow
// keys) asks for the cursor elsewhere. However long the file, what is drawn
// is decimated for the view: each pixel column's lowest and highest value,
// computed again only when the view changes.
class RecordView : public QCustomPlot {
    Q_OBJECT
public:
    explicit RecordView(QWidget* parent = nullptr);

    // Shows `values` (one per line; they must outlive the view's use of
    // them, up to clear()): with the whole file in view, or, for another
    // signal of the same file, in the view as it stands.
    void setValues(std::span<const double> values, const QColor& colour, const QString& label, bool keepView);
    void clear();
    void setCursorLine(std::size_t line);

    // The points now drawn (for tests and the benchmark).
    [[nodiscard]] int pointsDrawn() const;
    // Decimates for the view as it stands.
    void redraw();

signals:
    // The operator put the cursor at `x` (a line's index, not yet rounded).
    void cursorRequested(double x);
    // An arrow key moved the cursor by `lines`.
    void cursorStepped(int lines);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void followRange(const QCPRange& range);

    std::span<const double> values_;
    QCPGraph* trace_;
    QCPItemStraightLine* cursor_;
    QPoint pressedAt_;
    bool redrawing_ = false;
};

} // namespace tavrino::ui
