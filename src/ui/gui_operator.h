#pragma once

#include "common/language.h"
#include "common/operator.h"

#include <QPointer>
#include <QString>

#include <string>

class QWidget;

namespace tavrino::ui {

class MainWindow;

// The desktop program's operator: real dialogs for the questions, the main
// window's widgets for the connection log, the status field, the tab pages,
// the child panels and the dimmed controls.
//
// Tests hand in another operator for the popups (a scripted one), so every
// message, question, prompt and file dialog is answered from the test while
// the widgets stay real.
class GuiOperator : public Operator {
public:
    explicit GuiOperator(Operator* popups = nullptr);

    // The window the non-popup calls act on. Log text that arrives before a
    // window is attached is kept and shown once it is.
    void attach(MainWindow* window);

    void message(std::string_view title, std::string_view text) override;
    bool confirm(std::string_view title, std::string_view text) override;
    bool okCancel(std::string_view title, std::string_view text, std::string_view okLabel,
                  std::string_view cancelLabel) override;
    std::optional<std::string> prompt(std::string_view title, std::string_view text,
                                      std::size_t maxLength) override;
    ConnectFailureChoice closeOrOffline(std::string_view title, std::string_view text,
                                        std::string_view closeLabel) override;
    FileChoice selectFile(const FileRequest& request) override;

    void appendConnectionLog(std::string_view text) override;
    void setSensorStatus(std::string_view text) override;
    void showMainTab(MainTab tab) override;
    void showChildPanel(ChildPanel panel) override;
    void setDimmed(Dimmable group, bool dimmed) override;

private:
    [[nodiscard]] QWidget* dialogParent() const;
    // The language of the attached window's session; English without one.
    [[nodiscard]] Language language() const;

    Operator* popups_;
    QPointer<MainWindow> window_;
    std::string pendingLog_;
    std::string pendingStatus_;
    bool statusPending_ = false;
};

// The width a popup needs to show its whole `title` in the window frame,
// beside the frame's icon and buttons.
[[nodiscard]] int titleRoom(const QString& title);

// The answer a file dialog's path means: Open accepts only existing files;
// Save tells an existing file from a new one; an empty path is nothing.
[[nodiscard]] FileChoice fileChoiceFor(FileRequest::Mode mode, const std::string& path);

} // namespace tavrino::ui
