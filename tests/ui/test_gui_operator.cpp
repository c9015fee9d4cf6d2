// The desktop operator's real dialogs, answered the way a person would.
#include "ui/gui_operator.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace tavrino::test {
namespace {

// Answers the next modal dialog as soon as it is up.
template <class Dialog> void answer(std::function<void(Dialog*)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
}

QPushButton* buttonLabelled(QMessageBox* box, const QString& label) {
    for (QAbstractButton* b : box->buttons())
        if (b->text() == label)
            return qobject_cast<QPushButton*>(b);
    return nullptr;
}

TEST(GuiOperator, MessageAndQuestion) {
    ui::GuiOperator op;
    QString title, text;
    answer<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        box->accept();
    });
    op.message("Message!", "File has been saved!");
    EXPECT_EQ(title, "Message!");
    EXPECT_EQ(text, "File has been saved!");

    answer<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    EXPECT_FALSE(op.confirm("Message!", "Proceed?"));
    answer<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(op.confirm("Message!", "Proceed?"));
}

TEST(GuiOperator, PromptKeepsToItsMaximumLength) {
    ui::GuiOperator op;
    answer<QInputDialog>([](QInputDialog* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>(), "0.0125xyz");
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(op.prompt("Message!", "Insert a tolerance value!", 6), std::optional<std::string>("0.0125"));

    answer<QInputDialog>([](QInputDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(op.prompt("Message!", "Insert a tolerance value!", 6), std::nullopt);
}

TEST(GuiOperator, CloseOrOfflineHasExactlyTheTwoButtons) {
    ui::GuiOperator op;
    QStringList labels;
    answer<QMessageBox>([&](QMessageBox* box) {
        for (QAbstractButton* b : box->buttons())
            labels << b->text();
        buttonLabelled(box, "Schliessen")->click();
    });
    EXPECT_EQ(op.closeOrOffline("Info!", "Verbindung konnte nicht aufgebaut werden!", "Schliessen"),
              ConnectFailureChoice::Close);
    labels.sort();
    EXPECT_EQ(labels, (QStringList{"Offline", "Schliessen"}));

    answer<QMessageBox>([](QMessageBox* box) { buttonLabelled(box, "Offline")->click(); });
    EXPECT_EQ(op.closeOrOffline("Message!", "Could not establish connection!", "Close"),
              ConnectFailureChoice::Offline);
    // Dismissing the popup is not a request to end the program.
    answer<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(op.closeOrOffline("Message!", "Could not establish connection!", "Close"),
              ConnectFailureChoice::Offline);
}

TEST(GuiOperator, FileDialogTellsExistingNewAndNothingApart) {
    QTemporaryDir dir;
    QFile existing(dir.filePath("Parameter.ini"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    ui::GuiOperator op;
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.startDirectory = dir.path().toStdString();
    request.defaultName = "HardwareInitialFile.ini";
    request.filter = "*.ini";
    request.title = "HardwareInitialFile";

    QString title;
    answer<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        static_cast<QDialog*>(dialog)->accept(); // the proposed name, which does not exist yet
    });
    FileChoice choice = op.selectFile(request);
    EXPECT_EQ(title, "HardwareInitialFile");
    EXPECT_EQ(choice.kind, FileChoice::Kind::New);
    EXPECT_EQ(choice.path, dir.filePath("HardwareInitialFile.ini").toStdString());

    answer<QFileDialog>([&](QFileDialog* dialog) {
        dialog->selectFile(dir.filePath("Parameter.ini"));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(op.selectFile(request).kind, FileChoice::Kind::Existing);

    request.mode = FileRequest::Mode::Open;
    answer<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(op.selectFile(request).kind, FileChoice::Kind::Nothing);
}

} // namespace
} // namespace tavrino::test
