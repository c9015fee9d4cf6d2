// The main window: title and logo, tab pages and their switch actions, child
// panels, right-click help, language switch, placement and shutdown.
#include "ui_fixture.h"

#include "ui/pages/calibration_page.h"
#include "ui/pages/connection_page.h"
#include "ui/pages/offset_adjustment_page.h"
#include "ui/pages/recorder_page.h"
#include "ui/pages/scope_page.h"
#include "ui/pages/sensor_parameter_page.h"
#include "ui/pages/table_settings_page.h"
#include "ui/pages/teach_table_page.h"
#include "ui/pages/zero_point_offset_page.h"
#include "ui/panels/big_colour_number_panel.h"
#include "ui/panels/calibration_panel.h"
#include "ui/panels/double_parameter_panel.h"
#include "ui/panels/mean_value_teach_panel.h"
#include "ui/panels/measurement_display_panel.h"
#include "ui/panels/password_panel.h"
#include "ui/panels/recorded_value_teach_panel.h"
#include "ui/panels/scope_panel.h"
#include "ui/panels/signal_graph_panel.h"
#include "ui/texts.h"

#include <QAction>
#include <QComboBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace tavrino::test {
namespace {

using ui::MainWindow;

TEST_F(UiTest, TitleLineAndLogo) {
    build();
    EXPECT_EQ(window->windowTitle(), "TAVRINO4 VXR QLM Scope V3.2");
    EXPECT_EQ(window->titleLine()->text(), "TAVRINO4 VXR QLM Scope V3.2");
    EXPECT_EQ(window->titleLine()->toolTip(), "TAVRINO4 VXR QLM Scope V3.2.0");
    EXPECT_EQ(window->titleLine()->font().pointSize(), 20);
    EXPECT_FALSE(window->logo()->pixmap().isNull());

    // A picture that cannot be read leaves the place empty; start-up goes on.
    window->ShowLogo(dir.filePath("missing.png"));
    EXPECT_TRUE(window->logo()->pixmap().isNull());
    EXPECT_EQ(window->titleLine()->text(), "TAVRINO4 VXR QLM Scope V3.2");
}

template <class Page> bool pageIs(MainWindow& w, MainTab tab, int index) {
    return qobject_cast<Page*>(w.mainTabs()->widget(index)) != nullptr &&
           w.page(tab) == w.mainTabs()->widget(index);
}

TEST_F(UiTest, NinePagesInOrderWithZeroPointOffsetHidden) {
    build();
    QTabWidget* tabs = window->mainTabs();
    ASSERT_EQ(tabs->count(), 9);
    EXPECT_TRUE(pageIs<ui::ConnectionPage>(*window, MainTab::Connection, 0));
    EXPECT_TRUE(pageIs<ui::SensorParameterPage>(*window, MainTab::SensorParameter, 1));
    EXPECT_TRUE(pageIs<ui::TeachTablePage>(*window, MainTab::TeachTable, 2));
    EXPECT_TRUE(pageIs<ui::RecorderPage>(*window, MainTab::Recorder, 3));
    EXPECT_TRUE(pageIs<ui::CalibrationPage>(*window, MainTab::Calibration, 4));
    EXPECT_TRUE(pageIs<ui::TableSettingsPage>(*window, MainTab::TableSettings, 5));
    EXPECT_TRUE(pageIs<ui::ScopePage>(*window, MainTab::Scope, 6));
    EXPECT_TRUE(pageIs<ui::ZeroPointOffsetPage>(*window, MainTab::ZeroPointOffset, 7));
    EXPECT_TRUE(pageIs<ui::OffsetAdjustmentPage>(*window, MainTab::OffsetAdjustment, 8));
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(tabs->isTabVisible(i), i != 7) << "page " << i;
    EXPECT_EQ(tabs->currentIndex(), 1) << "the sensor parameter page is in front after start-up";
    EXPECT_EQ(window->childPanels()->currentWidget(), window->measurementDisplayPanel());

    // The operator seam can bring the hidden page to the front (factory password).
    session->op().showMainTab(MainTab::ZeroPointOffset);
    EXPECT_TRUE(tabs->isTabVisible(7));
    EXPECT_EQ(tabs->currentIndex(), 7);
}

TEST_F(UiTest, ShowChildPanelDispShowsExactlyOnePanel) {
    build();
    struct Case {
        ChildPanel requested;
        const char* shownClass;
    };
    const Case cases[] = {
        {ChildPanel::SignalGraph, "tavrino::ui::SignalGraphPanel"},
        {ChildPanel::MeanValueTeach, "tavrino::ui::MeanValueTeachPanel"},
        {ChildPanel::RecordedValueTeach, "tavrino::ui::RecordedValueTeachPanel"},
        {ChildPanel::Scope, "tavrino::ui::ScopePanel"},
        {ChildPanel::DoubleParameter, "tavrino::ui::DoubleParameterPanel"},
        {ChildPanel::Calibration, "tavrino::ui::CalibrationPanel"},
        {ChildPanel::MeasurementDisplay, "tavrino::ui::MeasurementDisplayPanel"},
        // Not one of the seven: the measurement display panel.
        {static_cast<ChildPanel>(7), "tavrino::ui::MeasurementDisplayPanel"},
        {static_cast<ChildPanel>(-1), "tavrino::ui::MeasurementDisplayPanel"},
    };
    window->show();
    for (const Case& c : cases) {
        window->ShowChildPanelDisp(ChildPanel::Scope); // something else first
        window->ShowChildPanelDisp(c.requested);
        QWidget* shown = window->childPanels()->currentWidget();
        EXPECT_STREQ(shown->metaObject()->className(), c.shownClass) << static_cast<int>(c.requested);
        EXPECT_EQ(session->shell.currentChildPanel, c.requested) << "the request is remembered";
        int visible = 0;
        for (int i = 0; i < kChildPanelCount; ++i)
            visible += window->childPanel(static_cast<ChildPanel>(i))->isVisible() ? 1 : 0;
        EXPECT_EQ(visible, 1);
    }
}

TEST_F(UiTest, RightClickShowsHelpAndDoesNothingElse) {
    build();
    window->show();
    ui::ConnectionPage* page = window->connectionPage();
    window->showMainTab(MainTab::Connection);
    const int tabBefore = window->mainTabs()->currentIndex();

    struct Case {
        QWidget* target;
        Language language;
        std::string title;
        std::string text;
    };
    QTabBar* tabBar = window->mainTabs()->tabBar();
    const std::vector<Case> cases = {
        {tabBar, Language::English, "Message!", "Select TAB-window."},
        {tabBar, Language::German, "Info!", "Waehlen Sie eine Registerkarte."},
        {page->connectButton(), Language::English, "Message!", "Try to connect sensor."},
        {page->disconnectButton(), Language::German, "Info!", "Verbindungsabbruch vom Sensor."},
        {page->protocolSelect(), Language::English, "Message!", "Select RS232 or TCP/IP Interface."},
        {page->comPortSelect()->lineEdit(), Language::English, "Message!", "Select a serial COM-PORT."},
        {page->portNumberBox(), Language::German, "Info!", "Waehlen Sie eine Port-Nummer."},
        {page->languageSelect(), Language::English, "Message!", "Select a language."},
        {page->sensorIdBox(), Language::English, "Message!",
         "Insert sensor identification. \nThis ID will be displayed in some panels of the software."},
    };
    for (const Case& c : cases) {
        session->shell.language = c.language;
        scripted.calls.clear();
        QTest::mouseClick(c.target, Qt::RightButton, {}, QPoint(5, 5));
        ASSERT_EQ(scripted.calls.size(), 1u) << c.text;
        EXPECT_EQ(scripted.calls[0].kind, "message");
        EXPECT_EQ(scripted.calls[0].title, c.title);
        EXPECT_EQ(scripted.calls[0].text, c.text);
    }
    // The right click on the connect button did not connect, the one on the
    // tab bar did not switch pages; the connection log has no help.
    EXPECT_EQ(scripted.count("log"), 0u);
    EXPECT_EQ(window->mainTabs()->currentIndex(), tabBefore);
    scripted.calls.clear();
    QTest::mouseClick(page->connectionLog()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(scripted.count("message"), 0u);
}

std::vector<std::pair<QString, bool>> menuEntries(QMenu* menu) {
    std::vector<std::pair<QString, bool>> out;
    for (QAction* a : menu->actions())
        out.emplace_back(a->isSeparator() ? QStringLiteral("-") : a->text(), a->isEnabled());
    return out;
}

TEST_F(UiTest, LanguageSwitchChangesCaptionsAndTeachMenu) {
    build();
    ui::ConnectionPage* page = window->connectionPage();
    QMenu* menu = window->teachTablePage()->gridMenu();
    using Entries = std::vector<std::pair<QString, bool>>;
    EXPECT_EQ(menuEntries(menu), (Entries{{"Help", true},
                                          {"-", true},
                                          {"Set selection to", true},
                                          {"Increment selection with", true},
                                          {"Reset selection", true},
                                          {"-", true},
                                          {"Teach tolerance off", true},
                                          {"Teach tolerance on", false}}));
    EXPECT_EQ(window->mainTabs()->tabText(0), "CONNECT");
    EXPECT_EQ(page->connectButton()->text(), "CONNECT");

    // The operator picks Deutsch in the language select.
    page->languageSelect()->setCurrentIndex(0);
    emit page->languageSelect()->activated(0);
    EXPECT_EQ(session->language(), Language::German);
    EXPECT_EQ(window->mainTabs()->tabText(0), "VERBINDUNG");
    EXPECT_EQ(window->mainTabs()->tabText(4), "KALIB");
    EXPECT_EQ(page->connectButton()->text(), "VERBINDEN");
    EXPECT_EQ(window->page(MainTab::Scope)->heading()->text(), "SCOPE");
    EXPECT_EQ(window->page(MainTab::TeachTable)->heading()->text(), "TEACH TABELLE");
    EXPECT_EQ(window->passwordPanel()->windowTitle(), "PASSWORT");
    EXPECT_EQ(menuEntries(menu), (Entries{{"Hilfe", true},
                                          {"-", true},
                                          {"Auswahl auf ... setzen", true},
                                          {"Auswahl um ... erhoehen", true},
                                          {"Auswahl zuruecksetzen", true},
                                          {"-", true},
                                          {"Teach-Toleranz aus", true},
                                          {"Teach Toleranz ein", false}}));

    // Teach tolerance off: the "off" entry is the dimmed one.
    session->parameters.teachToleranceOff = 1;
    session->parameters.notify(app::ParameterChange::TeachTolerance);
    EXPECT_FALSE(menu->actions().at(6)->isEnabled());
    EXPECT_TRUE(menu->actions().at(7)->isEnabled());

    // Messages follow the language at once: the menu's help entry.
    scripted.calls.clear();
    menu->actions().at(0)->trigger();
    ASSERT_EQ(scripted.count("message"), 1u);
    EXPECT_EQ(scripted.calls[0].title, "Info!");
    EXPECT_EQ(scripted.calls[0].text.rfind("Zellen-Wert mit linkem Doppelklick", 0), 0u);
}

TEST_F(UiTest, StoredLanguageAndPlacementAppliedAtStartUp) {
    app::PanelSettings stored;
    stored.language = 0;
    stored.panelId = "Line 4";
    stored.windowRestore = app::WindowRestore::Place;
    stored.window = {0, 30, 50, 800, 600};
    stored.serverAddresses = {"10.0.0.7", "sensor.local"};
    writeSettings(stored);
    build();
    EXPECT_EQ(session->language(), Language::German);
    EXPECT_EQ(window->mainTabs()->tabText(0), "VERBINDUNG");
    EXPECT_EQ(window->connectionPage()->languageSelect()->currentIndex(), 0);
    EXPECT_EQ(window->size(), QSize(800, 600));
    EXPECT_EQ(window->pos(), QPoint(30, 50));
    EXPECT_EQ(window->connectionPage()->sensorIdBox()->text(), "Line 4");
    EXPECT_EQ(window->recorderPage()->panelIdDisplay()->text(), "Line 4");
    EXPECT_EQ(window->bigColourNumberPanel()->panelIdDisplay()->text(), "Line 4");
    QComboBox* servers = window->connectionPage()->serverAddressBox();
    ASSERT_EQ(servers->count(), 2);
    EXPECT_EQ(servers->itemText(0), "10.0.0.7");
    EXPECT_EQ(servers->itemText(1), "sensor.local");
}

TEST_F(UiTest, RightDoubleClickRestoresDefaultSizeCentred) {
    build();
    window->resize(640, 480);
    window->move(0, 0);
    // On the title line: the main window's own surface.
    QTest::mouseDClick(window->titleLine(), Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(window->size(), QSize(1014, 690));
    const QRect area = window->screen()->availableGeometry();
    EXPECT_LE(std::abs(window->frameGeometry().center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(window->frameGeometry().center().y() - area.center().y()), 1);
    EXPECT_EQ(session->shell.window.width, 1014);
    EXPECT_EQ(session->shell.window.height, 690);

    // Inside a page the double click belongs to the page.
    window->resize(640, 480);
    QTest::mouseDClick(window->page(MainTab::SensorParameter), Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(window->size(), QSize(640, 480));
}

TEST_F(UiTest, TabSwitchActions) {
    build();
    window->show();
    QTabWidget* tabs = window->mainTabs();
    session->dimming.setConfirmedConnectionButtons(false);

    // Connection page: the running loop is told to stop; the buttons that
    // need a confirmed connection are dimmed.
    session->flags.running = 1;
    tabs->setCurrentIndex(static_cast<int>(MainTab::Connection));
    EXPECT_EQ(session->flags.running, 0);
    EXPECT_TRUE(session->dimming.dimmed(app::DimControl::AcceptButton));
    EXPECT_FALSE(window->connectionPage()->acceptButton()->isEnabled());
    EXPECT_FALSE(window->connectionPage()->hardwareInfoButton()->isEnabled());

    // Scope page: stops the loop as well and shows the scope panel.
    session->flags.running = 1;
    tabs->setCurrentIndex(static_cast<int>(MainTab::Scope));
    EXPECT_EQ(session->flags.running, 0);
    EXPECT_EQ(session->shell.currentChildPanel, ChildPanel::Scope);

    tabs->setCurrentIndex(static_cast<int>(MainTab::Calibration));
    EXPECT_EQ(session->shell.currentChildPanel, ChildPanel::Calibration);

    // Other pages leave the loop and the child panel alone.
    session->flags.running = 1;
    tabs->setCurrentIndex(static_cast<int>(MainTab::Recorder));
    tabs->setCurrentIndex(static_cast<int>(MainTab::TeachTable));
    EXPECT_EQ(session->flags.running, 1);
    EXPECT_EQ(session->shell.currentChildPanel, ChildPanel::Calibration);

    // A page brought to the front by the program is not an operator's switch.
    session->op().showMainTab(MainTab::Connection);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(session->flags.running, 1);
}

TEST_F(UiTest, CloseStoresSettingsAndQuits) {
    build();
    window->connectionPage()->sensorIdBox()->setText("ID 17");
    emit window->connectionPage()->sensorIdBox()->editingFinished();
    session->flags.running = 1;
    session->flags.scopeRunning = 1;
    window->close();
    EXPECT_EQ(session->flags.running, 0);
    EXPECT_EQ(session->flags.scopeRunning, 0);
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(window->isVisible());

    app::PanelSettings loaded;
    teach::RowColours rows;
    ASSERT_TRUE(app::LoadPanelSettings(settingsFile(), programDirectory(), loaded, rows));
    EXPECT_EQ(loaded.panelId, "ID 17");
    EXPECT_EQ(loaded.window.width, window->width());

    window->close(); // a second close box click changes nothing
    EXPECT_EQ(quits, 1);
}

TEST_F(UiTest, CloseDuringARunningCallbackWaitsUntilItReturns) {
    build();
    window->show();
    bool settingsWhileRunning = true;
    int quitsWhileRunning = -1;
    session->flags.running = 1;
    {
        // A loop in a callback: it processes events (where the close box is
        // handled) and ends once its flag is cleared.
        ui::CallbackDepth::Scope callback(window->callbacks());
        QTimer::singleShot(0, window.get(), [this] { window->close(); });
        QEventLoop loop;
        while (session->flags.running == 1)
            loop.processEvents(QEventLoop::WaitForMoreEvents);
        settingsWhileRunning = QFileInfo::exists(QString::fromStdString(settingsFile()));
        quitsWhileRunning = quits;
    }
    EXPECT_FALSE(settingsWhileRunning);
    EXPECT_EQ(quitsWhileRunning, 0);
    EXPECT_EQ(quits, 1);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(settingsFile())));
}

TEST_F(UiTest, CloseChosenInConnectionPopupQuitsWithoutStoring) {
    build();
    {
        ui::CallbackDepth::Scope callback(window->callbacks());
        session->shell.closeRequested = true;
        session->shell.notify(app::ShellChange::CloseRequested);
        EXPECT_EQ(quits, 0);
    }
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(settingsFile())));
}

TEST_F(UiTest, BigColourNumberPanelHidesOnRightClickAndClose) {
    build();
    ui::BigColourNumberPanel* big = window->bigColourNumberPanel();
    EXPECT_TRUE(big->isWindow());
    big->show();
    QTest::mouseClick(big, Qt::LeftButton);
    EXPECT_TRUE(big->isVisible());
    QTest::mouseClick(big, Qt::RightButton);
    EXPECT_FALSE(big->isVisible());
    big->show();
    big->close();
    EXPECT_FALSE(big->isVisible());
    big->show(); // still there to be opened again
    EXPECT_TRUE(big->isVisible());

    ui::PasswordPanel* password = window->passwordPanel();
    EXPECT_TRUE(password->isWindow());
    EXPECT_EQ(password->passwordField()->maxLength(), 20);
    EXPECT_EQ(password->passwordField()->echoMode(), QLineEdit::Password);
}

} // namespace
} // namespace tavrino::test
