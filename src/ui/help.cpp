#include "ui/help.h"

#include "ui/accessible_combo_box.h"
#include "ui/qt_text.h"

#include <qcustomplot.h>

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

namespace tavrino::ui {

namespace {

// "Sensor status" -> "sensorStatus", "RAW X" -> "rawX": an object name made
// from an English caption, by which tests and tools find the control.
QString objectNameFrom(const QString& caption) {
    QString name;
    bool wordStart = false;
    for (const QChar c : caption) {
        if (!c.isLetterOrNumber()) {
            wordStart = !name.isEmpty();
            continue;
        }
        name += wordStart ? c.toUpper() : c.toLower();
        wordStart = false;
    }
    return name;
}

} // namespace

HelpRegistry::HelpRegistry(Operator& op, const Language& language, QObject* parent)
    : QObject(parent), op_(op), language_(language),
      plotMenu_(op, language, [this](const QWidget* control) { show(control); }) {
    // Combo boxes named after their captions (the factory is installed once).
    QAccessible::installFactory(&accessibleComboBoxFactory);
    pendingHelp_.setSingleShot(true);
    connect(&pendingHelp_, &QTimer::timeout, this, [this] {
        if (pendingControl_)
            show(pendingControl_);
    });
}

HelpRegistry::Entry& HelpRegistry::entry(QWidget* control) {
    auto [it, added] = entries_.try_emplace(control);
    if (added) {
        it->second.control = control;
        connect(control, &QObject::destroyed, this, [this, control] {
            entries_.erase(control);
            doubleClicks_.erase(control);
        });
    }
    return it->second;
}

void HelpRegistry::add(QWidget* control, Text help) {
    if (control == nullptr)
        return;
    Entry& e = entry(control);
    e.help = help;
    apply(e);
    if (!e.answersRightClick) {
        e.answersRightClick = true;
        answerRightClicks(control);
    }
}

void HelpRegistry::answerRightClicks(QWidget* control) {
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

void HelpRegistry::describe(QWidget* control, Text help) {
    if (control == nullptr)
        return;
    Entry& e = entry(control);
    e.help = help;
    apply(e);
}

void HelpRegistry::name(QWidget* control, Text caption) {
    if (control == nullptr)
        return;
    Entry& e = entry(control);
    e.name = caption;
    if (control->objectName().isEmpty())
        control->setObjectName(objectNameFrom(qs(caption.en)));
    apply(e);
}

void HelpRegistry::retranslate() {
    for (const auto& item : entries_) {
        const Entry& e = item.second;
        apply(e);
        // Once its caption is there, the control is named after the English one.
        QWidget* w = e.control;
        if (w->objectName().isEmpty() && language_ == Language::English)
            if (const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w))
                w->setObjectName(objectNameFrom(face->text(QAccessible::Name)));
    }
}

void HelpRegistry::apply(const Entry& e) const {
    QWidget* control = e.control;
    if (e.name)
        control->setAccessibleName(qs(*e.name, language_));
    if (e.help) {
        const QString description = qs(*e.help, language_);
        control->setAccessibleDescription(description);
        // A tab control is worked on its tabs; a tab's description is its
        // tool tip.
        if (auto* tabs = qobject_cast<QTabWidget*>(control)) {
            tabs->tabBar()->setAccessibleDescription(description);
            for (int i = 0; i < tabs->count(); ++i)
                tabs->setTabToolTip(i, description);
        }
    }
}

void HelpRegistry::watch(QObject* part, QWidget* control) {
    parts_[part] = control;
    part->installEventFilter(this);
    connect(part, &QObject::destroyed, this, [this, part] { parts_.erase(part); });
}

std::optional<Text> HelpRegistry::helpOf(const QWidget* control) const {
    auto it = entries_.find(control);
    if (it == entries_.end())
        return std::nullopt;
    return it->second.help;
}

QWidget* HelpRegistry::controlOf(const QObject* part) const {
    // The parts of a control are its children.
    for (const QObject* o = part; o != nullptr; o = o->parent())
        if (auto it = entries_.find(qobject_cast<const QWidget*>(o)); it != entries_.end() && it->second.help)
            return it->second.control;
    return nullptr;
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
        if (event->type() == QEvent::MouseButtonPress &&
            !openPlotMenu(it->second, mouse->globalPosition().toPoint()))
            rightPress(it->second);
        else if (event->type() == QEvent::MouseButtonDblClick)
            rightDoubleClick(it->second);
        return true; // the right click does nothing else
    }
    case QEvent::ContextMenu: {
        // The menu key and Shift+F10 open a graph's menu as the right click does.
        auto* menu = static_cast<QContextMenuEvent*>(event);
        if (menu->reason() == QContextMenuEvent::Keyboard)
            openPlotMenu(it->second, it->second->mapToGlobal(it->second->rect().center()));
        return true; // no built-in context menu on a control with help
    }
    default:
        return false;
    }
}

bool HelpRegistry::openPlotMenu(QWidget* control, const QPoint& globalPos) {
    auto* plot = qobject_cast<QCustomPlot*>(control);
    if (plot == nullptr || !entries_.contains(control) || !entries_.at(control).help)
        return false;
    plotMenu_.popup(plot, globalPos);
    return true;
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
