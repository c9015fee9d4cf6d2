#include "ui/gui_operator.h"

#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/qt_translation.h"
#include "ui/texts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include <algorithm>

namespace tavrino::ui {

namespace {

// What a window frame puts beside the title: an icon and up to three buttons.
constexpr int kTitleBarReserve = 160;

// A message box sizes itself to its text and buttons only: a space as wide as
// the title needs keeps the frame from cutting the title short.
void makeRoomForTitle(QMessageBox& box) {
    const int room = titleRoom(box.windowTitle());
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) {
        box.setMinimumWidth(room);
        return;
    }
    // Owned by the layout.
    grid->addItem(new QSpacerItem(room, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

} // namespace

int titleRoom(const QString& title) {
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + kTitleBarReserve;
}

FileChoice fileChoiceFor(FileRequest::Mode mode, const std::string& path) {
    if (path.empty())
        return {};
    const QFileInfo info(qs(path));
    const bool exists = info.exists() && info.isFile();
    if (mode == FileRequest::Mode::Open && !exists)
        return {};
    if (info.exists() && !info.isFile())
        return {}; // a directory or device is never a data file
    return {exists ? FileChoice::Kind::Existing : FileChoice::Kind::New, path};
}

GuiOperator::GuiOperator(Operator* popups) : popups_(popups) {}

void GuiOperator::attach(MainWindow* window) {
    window_ = window;
    if (!window_)
        return;
    if (!pendingLog_.empty()) {
        window_->appendConnectionLog(pendingLog_);
        pendingLog_.clear();
    }
    if (statusPending_) {
        window_->setSensorStatus(pendingStatus_);
        statusPending_ = false;
    }
}

QWidget* GuiOperator::dialogParent() const {
    return window_.data();
}

Language GuiOperator::language() const {
    return window_ ? window_->session().language() : Language::English;
}

void GuiOperator::message(std::string_view title, std::string_view text) {
    if (popups_) {
        popups_->message(title, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, qs(title), qs(text), QMessageBox::Ok, dialogParent());
    box.setTextFormat(Qt::PlainText);
    setButtonTexts(&box, language());
    makeRoomForTitle(box);
    box.exec();
}

bool GuiOperator::confirm(std::string_view title, std::string_view text) {
    if (popups_)
        return popups_->confirm(title, text);
    QMessageBox box(QMessageBox::Question, qs(title), qs(text), QMessageBox::Yes | QMessageBox::No,
                    dialogParent());
    box.setTextFormat(Qt::PlainText);
    setButtonTexts(&box, language());
    box.setDefaultButton(QMessageBox::Yes);
    makeRoomForTitle(box);
    return box.exec() == QMessageBox::Yes;
}

bool GuiOperator::okCancel(std::string_view title, std::string_view text, std::string_view okLabel,
                           std::string_view cancelLabel) {
    if (popups_)
        return popups_->okCancel(title, text, okLabel, cancelLabel);
    QMessageBox box(QMessageBox::NoIcon, qs(title), qs(text), QMessageBox::NoButton, dialogParent());
    box.setTextFormat(Qt::PlainText);
    QPushButton* ok = box.addButton(qs(okLabel), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(qs(cancelLabel), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    // Dismissing the popup cancels.
    box.setEscapeButton(cancel);
    makeRoomForTitle(box);
    box.exec();
    return box.clickedButton() == ok;
}

std::optional<std::string> GuiOperator::prompt(std::string_view title, std::string_view text,
                                               std::size_t maxLength) {
    if (popups_)
        return popups_->prompt(title, text, maxLength);
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(qs(title));
    dialog.setLabelText(qs(text));
    dialog.setInputMode(QInputDialog::TextInput);
    setButtonTexts(&dialog, language());
    dialog.setMinimumWidth(titleRoom(dialog.windowTitle()));
    if (auto* edit = dialog.findChild<QLineEdit*>())
        edit->setMaxLength(static_cast<int>(std::min<std::size_t>(maxLength, 32767)));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return str(dialog.textValue().left(static_cast<qsizetype>(maxLength)));
}

ConnectFailureChoice GuiOperator::closeOrOffline(std::string_view title, std::string_view text,
                                                 std::string_view closeLabel) {
    if (popups_)
        return popups_->closeOrOffline(title, text, closeLabel);
    QMessageBox box(QMessageBox::NoIcon, qs(title), qs(text), QMessageBox::NoButton, dialogParent());
    box.setTextFormat(Qt::PlainText);
    QPushButton* close = box.addButton(qs(closeLabel), QMessageBox::RejectRole);
    QPushButton* offline = box.addButton(QStringLiteral("Offline"), QMessageBox::AcceptRole);
    box.setDefaultButton(offline);
    // Dismissing the popup keeps the program running, as Offline does.
    box.setEscapeButton(offline);
    makeRoomForTitle(box);
    box.exec();
    return box.clickedButton() == close ? ConnectFailureChoice::Close : ConnectFailureChoice::Offline;
}

FileChoice GuiOperator::selectFile(const FileRequest& request) {
    if (popups_)
        return popups_->selectFile(request);
    QFileDialog dialog(dialogParent(), qs(request.title), qs(request.startDirectory));
    const bool open = request.mode == FileRequest::Mode::Open;
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // Whether an existing file may be replaced is the operation's question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const Language lang = language();
    dialog.setLabelText(QFileDialog::Accept, qs(open ? texts::kOpenButton : texts::kSaveButton, lang));
    dialog.setLabelText(QFileDialog::Reject, qs(texts::kCancelButton, lang));
    dialog.setLabelText(QFileDialog::LookIn, qs(texts::kLookInLabel, lang));
    dialog.setLabelText(QFileDialog::FileName, qs(texts::kFileNameLabel, lang));
    dialog.setLabelText(QFileDialog::FileType, qs(texts::kFileTypeLabel, lang));
    if (!request.filter.empty())
        dialog.setNameFilter(qs(request.filter));
    if (!request.defaultName.empty())
        dialog.selectFile(qs(request.defaultName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return fileChoiceFor(request.mode, str(QDir::toNativeSeparators(dialog.selectedFiles().constFirst())));
}

void GuiOperator::appendConnectionLog(std::string_view text) {
    if (window_)
        window_->appendConnectionLog(text);
    else
        pendingLog_ += text;
}

void GuiOperator::setSensorStatus(std::string_view text) {
    if (window_) {
        window_->setSensorStatus(text);
    } else {
        pendingStatus_ = text;
        statusPending_ = true;
    }
}

void GuiOperator::showMainTab(MainTab tab) {
    if (window_)
        window_->showMainTab(tab);
}

void GuiOperator::showChildPanel(ChildPanel panel) {
    if (window_)
        window_->showChildPanelWidget(panel);
}

void GuiOperator::setDimmed(Dimmable group, bool dimmed) {
    if (window_)
        window_->applyDimming(group, dimmed);
}

} // namespace tavrino::ui
