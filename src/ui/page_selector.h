#pragma once

#include <QString>
#include <QWidget>

#include <vector>

class QAbstractButton;
class QBoxLayout;
class QPushButton;
class QStackedWidget;

namespace tavrino::ui {

// The main window's page selector: one button per page in two rows above the
// pages, so that every page stays one click away whatever the captions'
// lengths. A hidden page's button is gone, and a hidden page cannot be
// brought forward by click, keyboard or mouse wheel; only the program
// brings it back with setPageVisible().
class PageSelector : public QWidget {
    Q_OBJECT
public:
    // Pages [0, firstRowCount) sit in the first row, the rest in the second.
    explicit PageSelector(int firstRowCount, QWidget* parent = nullptr);

    // Appends a page; its index is the number of pages before it.
    void addPage(QWidget* page);
    [[nodiscard]] int count() const { return static_cast<int>(buttons_.size()); }
    [[nodiscard]] QWidget* widget(int index) const;
    [[nodiscard]] QPushButton* button(int index) const;
    [[nodiscard]] QStackedWidget* stack() const { return stack_; }

    [[nodiscard]] int currentIndex() const;
    [[nodiscard]] QWidget* currentWidget() const;
    // Brings a visible page forward; a hidden or unknown page is refused
    // (false). Emits currentChanged when the page in front changes.
    bool setCurrentIndex(int index);

    // Hiding the page in front brings the next visible page forward (the
    // previous one when none follows).
    void setPageVisible(int index, bool visible);
    [[nodiscard]] bool isPageVisible(int index) const;

    void setPageText(int index, const QString& text);
    [[nodiscard]] QString pageText(int index) const;

signals:
    void currentChanged(int index);

private:
    void fitRow(QBoxLayout* row);
    [[nodiscard]] QBoxLayout* rowOf(int index) const;
    void markCurrent();

    int firstRowCount_;
    QBoxLayout* rows_[2];
    QStackedWidget* stack_;
    std::vector<QPushButton*> buttons_;
    std::vector<bool> visible_;
};

} // namespace tavrino::ui
