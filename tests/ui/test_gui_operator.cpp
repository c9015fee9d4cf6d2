// The desktop operator's real dialogs, answered the way a person would.
#include "ui/gui_operator.h"

#include "app/session.h"
#include "ui/graph_relay.h"
#include "ui/main_window.h"
#include "ui/pages/table_settings_page.h"
#include "ui/qt_translation.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLibraryInfo>
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

// The program's window with an operator that shows real dialogs.
struct WindowWithRealPopups {
    QTemporaryDir dir;
    ui::GuiOperator op;
    ui::GraphRelay graphs;
    app::Session session{op, graphs, dir.path().toStdString()};
    ui::MainWindow window{session};

    WindowWithRealPopups() {
        op.attach(&window);
        graphs.attach(&window);
    }
    ~WindowWithRealPopups() {
        op.attach(nullptr);
        graphs.attach(nullptr);
    }
    void switchTo(Language language) {
        session.shell.language = language;
        session.shell.notify(app::ShellChange::Language);
    }
};

QStringList sorted(QStringList texts) {
    texts.sort();
    return texts;
}

QStringList buttonTexts(const QDialog* dialog) {
    QStringList texts;
    for (const QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>())
        for (const QAbstractButton* b : box->buttons())
            if (b->isVisible())
                texts << b->text();
    return sorted(texts);
}

// The buttons of every popup in the operator's language, switched while the
// program runs.
TEST(GuiOperator, PopupButtonsSpeakTheOperatorsLanguage) {
    WindowWithRealPopups program;
    struct Case {
        Language language;
        QStringList message, question, okCancel, saveFile, openFile;
    };
    const Case german{
        Language::German,        {"OK"}, {"Ja", "Nein"}, {"Abbrechen", "OK"}, {"Abbrechen", "Speichern"},
        {"Abbrechen", "Oeffnen"}};
    const Case english{Language::English, {"OK"}, {"No", "Yes"}, {"Cancel", "OK"}, {"Cancel", "Save"},
                       {"Cancel", "Open"}};
    auto* tableSettings = qobject_cast<ui::TableSettingsPage*>(program.window.page(MainTab::TableSettings));
    ASSERT_NE(tableSettings, nullptr);
    FileRequest request;
    request.startDirectory = program.dir.path().toStdString();
    request.title = "Parameter.ini";
    for (const Case& c : {german, english, german}) {
        program.switchTo(c.language);
        const int language = static_cast<int>(c.language);
        QStringList seen;
        answer<QMessageBox>([&seen](QMessageBox* box) {
            seen = buttonTexts(box);
            box->accept();
        });
        program.op.message("Info!", "Datei wurde gespeichert!");
        EXPECT_EQ(seen, c.message) << language;
        answer<QMessageBox>([&seen](QMessageBox* box) {
            seen = buttonTexts(box);
            box->button(QMessageBox::No)->click();
        });
        EXPECT_FALSE(program.op.confirm("Info!", "Wollen Sie die Tabelle zuruecksetzen?"));
        EXPECT_EQ(seen, c.question) << language;
        answer<QInputDialog>([&seen](QInputDialog* dialog) {
            seen = buttonTexts(dialog);
            dialog->reject();
        });
        program.op.prompt("Info!", "Toleranz eingeben!", 9);
        EXPECT_EQ(seen, c.okCancel) << language;
        answer<QColorDialog>([&seen](QColorDialog* dialog) {
            seen = buttonTexts(dialog);
            dialog->reject();
        });
        tableSettings->colourSelect()->click();
        EXPECT_EQ(seen, c.okCancel) << language;
        for (const auto mode : {FileRequest::Mode::Save, FileRequest::Mode::Open}) {
            request.mode = mode;
            answer<QFileDialog>([&seen](QFileDialog* dialog) {
                seen = buttonTexts(dialog);
                dialog->reject();
            });
            program.op.selectFile(request);
            EXPECT_EQ(seen, mode == FileRequest::Mode::Save ? c.saveFile : c.openFile) << language;
        }
    }
}

// Qt's own texts follow the language where its German translation is
// installed; where it is not, nothing is installed and the program's popups
// still carry the program's own button texts (above).
TEST(QtTranslation, InstalledWhileGermanWhereTheTranslationExists) {
    QTemporaryDir empty;
    const QString qtTranslations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const bool present = QFile::exists(qtTranslations + QStringLiteral("/qtbase_de.qm"));
    struct Case {
        QStringList directories;
        bool found;
    };
    const Case cases[] = {{{empty.path()}, false}, {{empty.path(), qtTranslations}, present}};
    for (const Case& c : cases) {
        ui::QtTranslation translation(c.directories);
        for (const Language language : {Language::German, Language::English, Language::German}) {
            translation.apply(language);
            const bool german = language == Language::German && c.found;
            EXPECT_EQ(translation.installed(), german);
            EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                      german ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel"));
        }
    }
}

// The frame of a popup shows its whole title: the popup is at least as wide
// as the title beside the frame's icon and buttons.
TEST(GuiOperator, EveryPopupShowsItsWholeTitle) {
    ui::GuiOperator op;
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    int width = 0;
    const auto measure = [&width] {
        QTimer::singleShot(0, [&width] {
            QWidget* popup = QApplication::activeModalWidget();
            ASSERT_NE(popup, nullptr);
            width = popup->width();
            popup->close();
        });
    };
    for (const std::string title : {"Info!", "Message!"}) {
        const int needed = QFontMetrics(titleFont).horizontalAdvance(QString::fromStdString(title)) + 120;
        const std::vector<std::pair<const char*, std::function<void()>>> popups = {
            {"message", [&] { op.message(title, "x"); }},
            {"question", [&] { op.confirm(title, "x"); }},
            {"OK/Cancel", [&] { op.okCancel(title, "x", "OK", "x"); }},
            {"prompt", [&] { op.prompt(title, "x", 9); }},
            {"close/offline", [&] { op.closeOrOffline(title, "x", "x"); }},
        };
        for (const auto& [kind, show] : popups) {
            width = 0;
            measure();
            show();
            EXPECT_GE(width, needed) << kind << " titled " << title;
        }
    }
}

} // namespace
} // namespace tavrino::test
