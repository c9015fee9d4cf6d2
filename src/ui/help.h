#pragma once

#include "common/language.h"
#include "common/operator.h"
#include "ui/plot_menu.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>
#include <unordered_map>

class QWidget;

namespace tavrino::ui {

// Every control answers a right click with its help text in a message box
// titled kInfoTitle, and does nothing else for that click. The registry keeps
// the help text of each registered control and filters the control's mouse
// events (and those of the parts that really receive them, such as the line
// edit of an editable combo box or the viewport of a text box).
//
// A graph (every QCustomPlot registered here) answers the right click, and
// the menu key or Shift+F10, with its context menu instead: the help first,
// then the picture's export and copy (ui/plot_menu.h).
//
// The same help is the control's accessible description, so a screen reader
// reads what the right click shows. A control that no caption names (neither
// its own text nor a label beside it, QLabel::setBuddy) gets its accessible
// name here too. Both are in the operator's language and follow the language
// switch (retranslate()).
class HelpRegistry : public QObject {
    Q_OBJECT
public:
    HelpRegistry(Operator& op, const Language& language, QObject* parent = nullptr);

    // Registers or replaces the help of `control`. `help` must refer to texts
    // that outlive the control (the program's constexpr texts do).
    void add(QWidget* control, Text help);
    // As add(), for a control whose right double click does `onDoubleClick`.
    // Its help waits until the double-click time has passed without a second
    // click: a popup opened at the first click would take the second one.
    void addWithRightDoubleClick(QWidget* control, Text help, std::function<void()> onDoubleClick);
    // The help of a control whose right click does something else (opens the
    // control's own menu, which offers the help): description and show() only.
    void describe(QWidget* control, Text help);
    // The accessible name of a control that no caption names.
    void name(QWidget* control, Text caption);
    [[nodiscard]] std::optional<Text> helpOf(const QWidget* control) const;
    // The registered control that `part` is or belongs to (the line edit of a
    // spin box, the viewport of a table), or nullptr.
    [[nodiscard]] QWidget* controlOf(const QObject* part) const;

    // Names and descriptions in the operator's language now.
    void retranslate();

    // Shows the help of `control` (if it has one), as a right click does.
    void show(const QWidget* control) const;
    // The context menu of the graphs.
    [[nodiscard]] PlotMenu& plotMenu() { return plotMenu_; }

    // A single right click on a control with a right double click whose
    // help has not been shown yet.
    [[nodiscard]] bool helpPending() const { return pendingHelp_.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QWidget* control = nullptr;
        std::optional<Text> help;
        std::optional<Text> name;
        bool answersRightClick = false;
    };

    Entry& entry(QWidget* control);
    void apply(const Entry& entry) const;
    void answerRightClicks(QWidget* control);
    void watch(QObject* part, QWidget* control);
    // Help at once, or, for a control with a right double click, once the
    // double-click time has passed.
    void rightPress(QWidget* control);
    // The graph's context menu, when `control` is a graph; false otherwise.
    bool openPlotMenu(QWidget* control, const QPoint& globalPos);
    void rightDoubleClick(const QWidget* control);

    Operator& op_;
    const Language& language_;
    std::unordered_map<const QWidget*, Entry> entries_;
    // Object that receives the mouse events -> the control it belongs to.
    std::unordered_map<const QObject*, QPointer<QWidget>> parts_;
    std::unordered_map<const QWidget*, std::function<void()>> doubleClicks_;
    QTimer pendingHelp_;
    QPointer<QWidget> pendingControl_;
    PlotMenu plotMenu_;
};

} // namespace tavrino::ui
