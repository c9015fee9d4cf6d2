#pragma once

// Operator actions on the real widgets, as a person performs them.

#include "parameters/parameter_controls.h"
#include "ui/main_window.h"
#include "ui/number_cells.h"
#include "ui/pages/sensor_parameter_page.h"
#include "ui/pages/teach_table_page.h"
#include "ui/parameter_field.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace tavrino::test {

// The field of a parameter control on whichever page shows it.
inline ui::ParameterField* fieldOf(ui::MainWindow& window, parameters::Control c) {
    if (auto* f = window.sensorParameterPage()->field(c))
        return f;
    return window.teachTablePage()->field(c);
}

// Picks the entry with `code` from a ring's list as the operator does: the
// list shows the entry, then reports it as activated. Only an enabled,
// visible ring can be used.
inline void choose(QComboBox* combo, int code) {
    const int target = combo->findData(code);
    ASSERT_GE(target, 0) << "no entry with code " << code;
    ASSERT_TRUE(combo->isEnabled());
    ASSERT_FALSE(combo->isHidden());
    combo->setCurrentIndex(target);
    emit combo->activated(target);
}

// Types a number into a numeric field and presses Enter.
inline void typeInto(QSpinBox* spin, int value) {
    ASSERT_TRUE(spin->isEnabled());
    spin->selectAll();
    QTest::keyClicks(spin, QString::number(value));
    QTest::keyClick(spin, Qt::Key_Return);
}

inline void chooseControl(ui::MainWindow& window, parameters::Control c, int code) {
    ui::ParameterField* f = fieldOf(window, c);
    ASSERT_NE(f, nullptr);
    if (f->comboBox() != nullptr)
        choose(f->comboBox(), code);
    else
        typeInto(f->spinBox(), code);
}

// Edits a table cell in its editor: F2 on the cell, type, Enter.
inline void editCell(QTableWidget* table, int row, int column, const QString& text) {
    ASSERT_NE(table->item(row, column), nullptr);
    table->setCurrentCell(row, column);
    QTest::keyClick(table, Qt::Key_F2);
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : table->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible())
            editor = e;
    ASSERT_NE(editor, nullptr) << "no editor at " << row << "," << column;
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view takes the entry over from a queued call, then closes the editor.
    const QPointer<QLineEdit> open(editor);
    EXPECT_TRUE(QTest::qWaitFor([&open] { return open.isNull() || !open->isVisible(); }));
}

} // namespace tavrino::test
