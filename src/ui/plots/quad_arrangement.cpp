#include "ui/plots/quad_arrangement.h"

namespace tavrino::ui {

QuadArrangement::QuadArrangement(const std::array<QWidget*, 4>& cells, QWidget* parent)
    : QWidget(parent), cells_(cells) {
    for (QWidget* cell : cells_)
        cell->setParent(this);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(2 * 120 + 1, 2 * 80 + 1);
}

void QuadArrangement::setMaximised(bool maximised) {
    maximised_ = maximised;
    for (std::size_t i = 1; i < cells_.size(); ++i)
        cells_[i]->setVisible(!maximised);
    arrange();
}

void QuadArrangement::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
}

void QuadArrangement::arrange() {
    // One pixel between the cells: the maximised graph is 2 x a cell + 1.
    const int w = (width() - 1) / 2;
    const int h = (height() - 1) / 2;
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const int column = static_cast<int>(i % 2);
        const int row = static_cast<int>(i / 2);
        cells_[i]->setGeometry(column * (w + 1), row * (h + 1), w, h);
    }
    if (maximised_)
        cells_[0]->setGeometry(0, 0, 2 * w + 1, 2 * h + 1);
}

} // namespace tavrino::ui
