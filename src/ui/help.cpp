#include "ui/help.h"

#include "ui/qt_text.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>
#include <QWidget>

namespace tavrino::ui {

HelpRegistry::HelpRegistry(Operator& op, const Language& language, QObject* parent)
    : QObject(parent), op_(op), language_(language) {
    pendingHelp_.setSingleShot(true);
    connect(&pendingHelp_, &QTimer::timeout, this, [this] {
        if (pendingControl_)
            show(pendingControl_);
    });
}

void HelpRegistry::add(QWidget* control, Text help) {
    if (control == nullptr)
        return;
    const bool known = help_.contains(control);
    help_[control] = help;
    if (known)
        return;
    connect(control, &QObject::destroyed, this, [this, control] {
        help_.erase(control);
        doubleClicks_.erase(control);
    });

    // A tab control answers on its tabs; clicks on its pages belong to them.
    if (auto* tabs = qobject_cast<QTabWidget*>(control)) {
        watch(tabs->tabBar(), control);
        return;
    }
    watch(control, control);
    // The parts of composite controls that receive the clicks themselves.
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
        watch(combo->lineEdit(), control);
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(control))
        if (auto* edit = spin->findChild<QLineEdit*>())
            watch(edit, control);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(control))
        watch(area->viewport(), control);
}

void HelpRegistry::addWithRightDoubleClick(QWidget* control, Text help, std::function<void()> onDoubleClick) {
    add(control, help);
    if (control != nullptr)
        doubleClicks_[control] = std::move(onDoubleClick);
}

void HelpRegistry::watch(QObject* part, QWidget* control) {
    parts_[part] = control;
    part->installEventFilter(this);
    connect(part, &QObject::destroyed, this, [this, part] { parts_.erase(part); });
}

std::optional<Text> HelpRegistry::helpOf(const QWidget* control) const {
    auto it = help_.find(control);
    if (it == help_.end())
        return std::nullopt;
    return it->second;
}

void HelpRegistry::show(const QWidget* control) const {
    if (auto help = helpOf(control))
        op_.message(kInfoTitle.in(language_), help->in(language_));
}

bool HelpRegistry::eventFilter(QObject* watched, QEvent* event) {
    auto it = parts_.find(watched);
    if (it == parts_.end() || !it->second)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton)
            return false;
        if (event->type() == QEvent::MouseButtonPress)
            rightPress(it->second);
        else if (event->type() == QEvent::MouseButtonDblClick)
            rightDoubleClick(it->second);
        return true; // the right click does nothing else
    }
    case QEvent::ContextMenu:
        return true; // no built-in context menu on a control with help
    default:
        return false;
    }
}

void HelpRegistry::rightPress(QWidget* control) {
    if (!doubleClicks_.contains(control)) {
        show(control);
        return;
    }
    pendingControl_ = control;
    pendingHelp_.start(QApplication::doubleClickInterval());
}

void HelpRegistry::rightDoubleClick(const QWidget* control) {
    auto it = doubleClicks_.find(control);
    if (it == doubleClicks_.end())
        return;
    pendingHelp_.stop();
    // Taken as a copy: the action may replace the control's registration.
    const std::function<void()> action = it->second;
    if (action)
        action();
}

} // namespace tavrino::ui
