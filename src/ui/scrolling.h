#pragma once

class QBoxLayout;
class QVBoxLayout;
class QWidget;

namespace tavrino::ui {

// Whether the area may scroll sideways too. A sideways bar keeps some
// pages from shrinking to their width.
enum class Sideways { Scrolls, Never };
// Whether the area paints its own background or lets the page show through.
enum class Backdrop { Own, PageShowsThrough };

struct ScrollOptions {
    Sideways sideways = Sideways::Scrolls;
    Backdrop backdrop = Backdrop::Own;
};

// The controls of a page or panel in a frameless area at the end of `body`:
// everything scrolls when the window is made smaller than they are. Returns
// what scrolls, the parent for the controls.
[[nodiscard]] QWidget* addScrolling(QWidget* owner, QBoxLayout* body, ScrollOptions options = {});

// The same with the controls in a margin-free column.
[[nodiscard]] QVBoxLayout* addScrollingColumn(QWidget* owner, QBoxLayout* body, ScrollOptions options = {});

} // namespace tavrino::ui
