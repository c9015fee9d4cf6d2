#include "ui/scrolling.h"

#include <QBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

namespace tavrino::ui {

QWidget* addScrolling(QWidget* owner, QBoxLayout* body, ScrollOptions options) {
    auto* area = new QScrollArea(owner);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    // Tab goes to the controls inside, which the area scrolls into view.
    area->setFocusPolicy(Qt::NoFocus);
    if (options.sideways == Sideways::Never)
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget(area);
    area->setWidget(content);
    if (options.backdrop == Backdrop::PageShowsThrough) {
        // After setWidget(), which turns the content's own filling on.
        content->setAutoFillBackground(false);
        area->viewport()->setAutoFillBackground(false);
    }
    body->addWidget(area, 1);
    return content;
}

QVBoxLayout* addScrollingColumn(QWidget* owner, QBoxLayout* body, ScrollOptions options) {
    auto* column = new QVBoxLayout(addScrolling(owner, body, options));
    column->setContentsMargins(0, 0, 0, 0);
    return column;
}

} // namespace tavrino::ui
