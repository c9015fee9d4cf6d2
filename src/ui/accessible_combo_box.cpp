#include "ui/accessible_combo_box.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace tavrino::ui {

AccessibleComboBox::AccessibleComboBox(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

QComboBox* AccessibleComboBox::combo() const {
    return static_cast<QComboBox*>(widget());
}

QString AccessibleComboBox::text(QAccessible::Text t) const {
    const QString shown = combo()->isEditable() ? combo()->lineEdit()->text() : combo()->currentText();
    if (t == QAccessible::Value)
        return shown;
    // Accessible name, else the caption beside it; a combo box that nothing
    // names keeps the entry it shows as its name.
    const QString own = QAccessibleWidget::text(t);
    return t == QAccessible::Name && own.isEmpty() ? shown : own;
}

QAccessible::State AccessibleComboBox::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = combo()->view()->isVisible();
    s.editable = combo()->isEditable();
    return s;
}

// The list of entries, and the text field of an editable one.
int AccessibleComboBox::childCount() const {
    return combo()->isEditable() ? 2 : 1;
}

QAccessibleInterface* AccessibleComboBox::child(int index) const {
    if (index == 0)
        return QAccessible::queryAccessibleInterface(combo()->view());
    if (index == 1 && combo()->isEditable())
        return QAccessible::queryAccessibleInterface(combo()->lineEdit());
    return nullptr;
}

int AccessibleComboBox::indexOfChild(const QAccessibleInterface* child) const {
    if (child == nullptr)
        return -1;
    if (child->object() == combo()->view())
        return 0;
    if (combo()->isEditable() && child->object() == combo()->lineEdit())
        return 1;
    return -1;
}

QAccessibleInterface* AccessibleComboBox::focusChild() const {
    // An editable combo box has the focus for its text field.
    return combo()->isEditable() ? child(1) : nullptr;
}

// Opening the list, and what every widget offers (taking the focus).
QStringList AccessibleComboBox::actionNames() const {
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void AccessibleComboBox::doAction(const QString& actionName) {
    if (actionName != showMenuAction() && actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    if (combo()->view()->isVisible())
        combo()->hidePopup();
    else
        combo()->showPopup();
}

QStringList AccessibleComboBox::keyBindingsForAction(const QString&) const {
    return {};
}

QAccessibleInterface* accessibleComboBoxFactory(const QString& className, QObject* object) {
    auto* combo = qobject_cast<QComboBox*>(object);
    if (combo == nullptr || className != QLatin1String("QComboBox"))
        return nullptr;
    return new AccessibleComboBox(combo);
}

} // namespace tavrino::ui
