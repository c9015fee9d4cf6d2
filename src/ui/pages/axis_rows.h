#pragma once

#include <QGridLayout>
#include <QLabel>
#include <QString>

#include <array>
#include <cstddef>

namespace tavrino::ui {

// The X, Y and Z rows of the offset pages: each field after its axis name,
// the space to their right left empty.
template <class Field>
[[nodiscard]] QGridLayout* axisRows(QWidget* parent, const std::array<Field*, 3>& fields) {
    static constexpr std::array<const char*, 3> kAxes{"X", "Y", "Z"};
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < 3; ++i) {
        const int row = static_cast<int>(i);
        auto* axis = new QLabel(QString::fromLatin1(kAxes[i]), parent);
        axis->setBuddy(fields[i]);
        grid->addWidget(axis, row, 0);
        grid->addWidget(fields[i], row, 1);
    }
    grid->setColumnStretch(2, 1);
    return grid;
}

} // namespace tavrino::ui
