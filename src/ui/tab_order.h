#pragma once

#include <vector>

class QWidget;

namespace tavrino::ui {

// The widgets under `root` that Tab stops at, in the order the layouts show
// them: a grid row by row, each row left to right; a row or column of boxes
// in its order; the pages of a stack or tab control one after the other.
// Widgets outside every layout follow in the order they were made. Qt's own
// focus chain follows the order the widgets were made and, with compound
// widgets such as spin boxes, cannot be reordered reliably; the window moves
// the focus along this order itself.
[[nodiscard]] std::vector<QWidget*> visualTabOrder(QWidget* root);

// Moves the focus from the widget that has it (or holds it, as a table
// holds its cell editor) to the next (or previous) widget of `order` that is
// shown, enabled and takes Tab, round the end. False when the focus is in
// none of them.
bool moveFocusInOrder(const std::vector<QWidget*>& order, bool forward);

} // namespace tavrino::ui
