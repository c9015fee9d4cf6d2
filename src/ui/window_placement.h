#pragma once

#include <QRect>

namespace tavrino::ui {

// Where a window whose frame would cover `wanted` goes so that its whole
// frame lies inside `area`: moved in as little as needed, and made smaller
// only when it is larger than the area.
[[nodiscard]] QRect fitInside(const QRect& wanted, const QRect& area);

} // namespace tavrino::ui
