#pragma once

#include <QWidget>

#include <array>

namespace tavrino::ui {

// Four graphs two by two (first row: 0, 1; second row: 2, 3). Maximised, the
// first covers the whole arrangement (twice the size of one cell plus one)
// and the other three are hidden.
class QuadArrangement : public QWidget {
    Q_OBJECT
public:
    QuadArrangement(const std::array<QWidget*, 4>& cells, QWidget* parent = nullptr);

    void setMaximised(bool maximised);
    [[nodiscard]] bool maximised() const { return maximised_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrange();

    std::array<QWidget*, 4> cells_;
    bool maximised_ = false;
};

} // namespace tavrino::ui
