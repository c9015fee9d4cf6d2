#include "ui/tab_order.h"

#include <QApplication>
#include <QGridLayout>
#include <QLayout>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>
#include <tuple>
#include <unordered_set>

namespace tavrino::ui {

namespace {

class Collector {
public:
    std::vector<QWidget*> order;

    void widget(QWidget* w) {
        if (w == nullptr || w->isWindow() || !seen_.insert(w).second)
            return;
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            // The tabs first, then each page.
            widget(tabs->tabBar());
            for (int i = 0; i < tabs->count(); ++i)
                widget(tabs->widget(i));
            return;
        }
        if (takesTab(w)) {
            order.push_back(w);
            // A control's parts are its own: one stop for a spin box or table.
            if (qobject_cast<QScrollArea*>(w) == nullptr)
                return;
        }
        if (auto* area = qobject_cast<QScrollArea*>(w)) {
            widget(area->widget());
            return;
        }
        if (auto* stack = qobject_cast<QStackedWidget*>(w)) {
            for (int i = 0; i < stack->count(); ++i)
                widget(stack->widget(i));
            return;
        }
        if (w->layout() != nullptr)
            layout(w->layout());
        // What no layout places, in the order it was made.
        for (QObject* child : w->children())
            if (auto* c = qobject_cast<QWidget*>(child))
                widget(c);
    }

private:
    // A widget that Tab stops at; a compound one (a spin box, whose field
    // has the focus for it) stops as a whole.
    static bool takesTab(const QWidget* w) {
        return (w->focusPolicy() & Qt::TabFocus) != 0 &&
               (w->focusProxy() == nullptr || w->isAncestorOf(w->focusProxy()));
    }

    void layout(QLayout* l) {
        std::vector<int> items(static_cast<std::size_t>(l->count()));
        for (int i = 0; i < l->count(); ++i)
            items[static_cast<std::size_t>(i)] = i;
        if (auto* grid = qobject_cast<QGridLayout*>(l)) {
            // Row by row, each row left to right.
            auto at = [grid](int index) {
                int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
                grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
                return std::tuple{row, column, index};
            };
            std::sort(items.begin(), items.end(), [&at](int a, int b) { return at(a) < at(b); });
        }
        for (int i : items) {
            QLayoutItem* item = l->itemAt(i);
            if (item->widget() != nullptr)
                widget(item->widget());
            else if (item->layout() != nullptr)
                layout(item->layout());
        }
    }

    std::unordered_set<const QWidget*> seen_;
};

} // namespace

std::vector<QWidget*> visualTabOrder(QWidget* root) {
    Collector collector;
    collector.widget(root);
    return collector.order;
}

bool moveFocusInOrder(const std::vector<QWidget*>& order, bool forward) {
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || order.empty())
        return false;
    const auto holds = [focus](const QWidget* w) { return w == focus || w->isAncestorOf(focus); };
    // The innermost entry that holds the focus (a spin box's field, not a page).
    auto at = order.end();
    for (auto it = order.begin(); it != order.end(); ++it)
        if (holds(*it) && (at == order.end() || (*at)->isAncestorOf(*it)))
            at = it;
    if (at == order.end())
        return false;
    const auto n = static_cast<std::ptrdiff_t>(order.size());
    const std::ptrdiff_t from = at - order.begin();
    for (std::ptrdiff_t step = 1; step < n; ++step) {
        QWidget* w = order[static_cast<std::size_t>(((forward ? from + step : from - step) % n + n) % n)];
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) != 0) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

} // namespace tavrino::ui
