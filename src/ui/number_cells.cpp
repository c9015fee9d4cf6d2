#include "ui/number_cells.h"

#include <QLineEdit>
#include <QLocale>
#include <QTableWidgetItem>

#include <cmath>

namespace tavrino::ui {

void setFixedText(QString& text, double value, int decimals) {
    text.setNum(value, 'f', decimals);
    if (!text.startsWith(QLatin1Char('-')))
        return;
    for (qsizetype i = 1; i < text.size(); ++i)
        if (text[i] != QLatin1Char('0') && text[i] != QLatin1Char('.'))
            return;
    text.remove(0, 1);
}

QString fixedText(double value, int decimals) {
    QString text;
    setFixedText(text, value, decimals);
    return text;
}

QLineEdit* numberDisplay(QWidget* parent, int maxWidth) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setMaximumWidth(maxWidth);
    return edit;
}

void showNumberCell(QTableWidgetItem* item, double value, int decimals) {
    item->setData(kFullValueRole, value);
    item->setText(fixedText(value, decimals));
}

double numberCellValue(const QTableWidgetItem* item) {
    return item == nullptr ? 0.0 : item->data(kFullValueRole).toDouble();
}

std::optional<double> parseCellNumber(const QString& text) {
    QString trimmed = text.trimmed();
    trimmed.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString fullNumberText(double value) {
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

QWidget* NumberCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    return editor;
}

void NumberCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(fullNumberText(index.data(kFullValueRole).toDouble()));
}

void NumberCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                      const QModelIndex& index) const {
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (edit == nullptr)
        return;
    if (const auto value = parseCellNumber(edit->text()))
        model->setData(index, *value, kFullValueRole);
}

} // namespace tavrino::ui
