#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace tavrino::ui {

// What a screen reader learns of a combo box. Qt's own description names a
// combo box on Linux after the entry it shows, so "Interface" would be read
// as "TCP/IP"; this one names it after its caption (accessible name or the
// label beside it) and keeps the entry as its value.
class AccessibleComboBox : public QAccessibleWidget {
public:
    explicit AccessibleComboBox(QComboBox* combo);

    [[nodiscard]] QString text(QAccessible::Text t) const override;
    [[nodiscard]] QAccessible::State state() const override;
    [[nodiscard]] int childCount() const override;
    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
    [[nodiscard]] QAccessibleInterface* focusChild() const override;

    [[nodiscard]] QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    [[nodiscard]] QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    [[nodiscard]] QComboBox* combo() const;
};

// Serves AccessibleComboBox for every combo box; installed once with
// QAccessible::installFactory before the first combo box is asked for.
QAccessibleInterface* accessibleComboBoxFactory(const QString& className, QObject* object);

} // namespace tavrino::ui
