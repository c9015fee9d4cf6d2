#pragma once

#include <QString>
#include <QStyledItemDelegate>

#include <optional>

class QLineEdit;
class QTableWidgetItem;
class QWidget;

namespace tavrino::ui {

// Table cells that show a number with a fixed count of decimals while they
// hold the full value: the shown text never replaces the stored number. Only
// an operator edit stores a new value, and then the one typed.
inline constexpr int kFullValueRole = Qt::UserRole;

// `value` with `decimals` decimals into `text` (reused, so a display updated
// for every frame allocates nothing). A value that rounds to zero is shown
// without a sign: never "-0.00".
void setFixedText(QString& text, double value, int decimals);
[[nodiscard]] QString fixedText(double value, int decimals);

// Stores `value` in the cell and shows it with `decimals` decimals.
void showNumberCell(QTableWidgetItem* item, double value, int decimals);
// The value a cell holds (0 for a cell without one).
[[nodiscard]] double numberCellValue(const QTableWidgetItem* item);

// A read-only line edit that shows a number right-aligned in at most
// `maxWidth` pixels. It takes no focus: it shows, it is not typed into.
[[nodiscard]] QLineEdit* numberDisplay(QWidget* parent, int maxWidth);

// What the operator typed: a finite number, with "." or "," as decimal
// point; surrounding blanks are ignored. Nothing for anything else.
[[nodiscard]] std::optional<double> parseCellNumber(const QString& text);
// The shortest text that reads back as exactly `value`.
[[nodiscard]] QString fullNumberText(double value);

// The editor of such cells: a line edit that starts with the full value; an
// entry that is not a number leaves the cell as it was.
class NumberCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

} // namespace tavrino::ui
