// The main window: title and logo, tab pages and their switch actions, child
// panels, right-click help, language switch, placement and shutdown.
#include "ui_fixture.h"
#include "widget_helpers.h"

#include "ui/command_bar.h"
#include "ui/number_cells.h"
#include "ui/page_selector.h"
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
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

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
    ui::PageSelector* tabs = window->mainTabs();
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
    // Every page the option rules can show.
    chooseControl(*window, parameters::Control::DigitalOutmode, 3);
    chooseControl(*window, parameters::Control::Calibration, 5);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(tabs->isPageVisible(i), i != 7) << "page " << i;
    EXPECT_EQ(tabs->currentIndex(), 1) << "the sensor parameter page is in front after start-up";
    EXPECT_EQ(window->childPanels()->currentWidget(), window->measurementDisplayPanel());

    // The operator seam can bring the hidden page to the front (factory password).
    session->op().showMainTab(MainTab::ZeroPointOffset);
    EXPECT_TRUE(tabs->isPageVisible(7));
    EXPECT_EQ(tabs->currentIndex(), 7);
}

// Offline, before any parameter set was read, the controls already show the
// option rules' outcome for the values they start with.
TEST_F(UiTest, OptionRulesHoldFromTheStart) {
    using parameters::Control;
    build();
    const parameters::ParameterControls& controls = session->parameters.controls;
    ASSERT_EQ(controls.code(Control::Calibration), 0);    // OFF
    ASSERT_EQ(controls.code(Control::DigitalOutmode), 0); // no colour output
    ASSERT_EQ(controls.code(Control::Average), 1);
    ASSERT_EQ(controls.code(Control::AnalogOutmode), 1); // XYZ, not CS REF

    ui::PageSelector* tabs = window->mainTabs();
    for (MainTab hidden : {MainTab::OffsetAdjustment, MainTab::TeachTable, MainTab::TableSettings})
        EXPECT_FALSE(tabs->isPageVisible(static_cast<int>(hidden))) << static_cast<int>(hidden);
    ui::MeasurementDisplayPanel* panel = window->measurementDisplayPanel();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(panel->deviationDisplay(i)->isHidden()) << i;
    EXPECT_TRUE(panel->deltaEDisplay()->isHidden());
    EXPECT_TRUE(panel->colourNumberDisplay()->isHidden());
    EXPECT_FALSE(fieldOf(*window, Control::Integral2)->editor()->isEnabled());
    EXPECT_FALSE(fieldOf(*window, Control::AnalogZoom)->editor()->isEnabled());
    EXPECT_TRUE(fieldOf(*window, Control::AnalogOut)->editor()->isEnabled());
    EXPECT_EQ(scripted.count("message"), 0u) << "the start values need no correction";

    // A colour output brings the teach pages and displays back.
    chooseControl(*window, Control::DigitalOutmode, 3);
    EXPECT_TRUE(tabs->isPageVisible(static_cast<int>(MainTab::TeachTable)));
    EXPECT_FALSE(panel->deltaEDisplay()->isHidden());
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
    QWidget* pageButton = window->mainTabs()->button(static_cast<int>(MainTab::Scope));
    const std::vector<Case> cases = {
        {pageButton, Language::English, "Message!", "Select TAB-window."},
        {pageButton, Language::German, "Info!", "Waehlen Sie eine Registerkarte."},
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
    // page selector did not switch pages; the connection log has no help.
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
    EXPECT_EQ(window->mainTabs()->pageText(0), "CONNECT");
    EXPECT_EQ(page->connectButton()->text(), "CONNECT");

    // The operator picks Deutsch in the language select.
    page->languageSelect()->setCurrentIndex(0);
    emit page->languageSelect()->activated(0);
    EXPECT_EQ(session->language(), Language::German);
    EXPECT_EQ(window->mainTabs()->pageText(0), "VERBINDUNG");
    EXPECT_EQ(window->mainTabs()->pageText(4), "KALIB");
    // The names the German instructions give the buttons.
    EXPECT_EQ(window->commandBar()->goButton()->text(), "LOS");
    EXPECT_EQ(window->commandBar()->sendButton()->text(), "SENDE");
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
    EXPECT_EQ(window->mainTabs()->pageText(0), "VERBINDUNG");
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
    ui::PageSelector* tabs = window->mainTabs();
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

// ---- the page selector ----

// At the default size, with every page the rules can show (colour output and
// the offset calibration on), in both languages: one click on a page's
// button brings it forward; afterwards every shown page still has a whole
// button of its own that a click at its centre reaches, and the child panel
// has not moved.
TEST_F(UiTest, EveryShownPageIsOneClickAway) {
    build();
    window->resize(ui::kDefaultWidth, ui::kDefaultHeight);
    window->show();
    chooseControl(*window, parameters::Control::DigitalOutmode, 3);
    chooseControl(*window, parameters::Control::Calibration, 5);
    ui::PageSelector* pages = window->mainTabs();
    const QPoint childCorner(ui::kChildPanelLeft, ui::kChildPanelTop);

    for (const Language language : {Language::English, Language::German}) {
        session->shell.language = language;
        session->shell.notify(app::ShellChange::Language);
        QCoreApplication::processEvents(); // pending layout requests
        for (int clicked = 0; clicked < kMainTabCount; ++clicked) {
            if (clicked == static_cast<int>(MainTab::ZeroPointOffset))
                continue;
            ASSERT_TRUE(pages->isPageVisible(clicked)) << clicked;
            QTest::mouseClick(pages->button(clicked), Qt::LeftButton);
            QCoreApplication::processEvents();
            EXPECT_EQ(pages->currentIndex(), clicked);
            EXPECT_EQ(window->childPanels()->mapTo(window.get(), QPoint(0, 0)), childCorner)
                << "after page " << clicked;
            const QRect selector = pages->rect();
            for (int i = 0; i < kMainTabCount; ++i) {
                QPushButton* b = pages->button(i);
                if (i == static_cast<int>(MainTab::ZeroPointOffset)) {
                    EXPECT_FALSE(b->isVisible());
                    continue;
                }
                const QRect r(b->mapTo(pages, QPoint(0, 0)), b->size());
                EXPECT_TRUE(b->isVisible() && selector.contains(r))
                    << b->text().toStdString() << " after page " << clicked;
                EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(b->text()) + 8)
                    << b->text().toStdString() << " is cut";
                const QPoint centre = b->mapTo(window.get(), b->rect().center());
                EXPECT_EQ(window->childAt(centre), b) << b->text().toStdString() << " is covered";
            }
        }
    }
}

// The hidden zero-point offset page cannot be brought forward by the
// operator: not by a click on its (hidden) button, not by the arrow keys or
// Tab and Space from any other button, not by the mouse wheel anywhere on
// the selector.
TEST_F(UiTest, HiddenPageCannotBeSelected) {
    build();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ui::PageSelector* pages = window->mainTabs();
    const int hidden = static_cast<int>(MainTab::ZeroPointOffset);
    ASSERT_FALSE(pages->isPageVisible(hidden));

    QTest::mouseClick(pages->button(hidden), Qt::LeftButton);
    EXPECT_NE(pages->currentIndex(), hidden);
    EXPECT_FALSE(pages->setCurrentIndex(hidden));

    for (int from = 0; from < kMainTabCount; ++from) {
        if (!pages->isPageVisible(from))
            continue;
        for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Tab}) {
            pages->setCurrentIndex(from);
            pages->button(from)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), key);
            // Space on whichever selector button has the focus now.
            if (QWidget* focused = QApplication::focusWidget();
                focused != nullptr && focused->parent() == pages)
                QTest::keyClick(focused, Qt::Key_Space);
            EXPECT_NE(pages->currentIndex(), hidden) << "from page " << from << ", key " << key;
            EXPECT_FALSE(pages->button(hidden)->hasFocus());
        }
        QWidget* targets[] = {pages->button(from), pages};
        for (QWidget* target : targets)
            for (const int delta : {120, -120}) {
                const QPointF at(2, 2);
                QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                                  Qt::NoModifier, Qt::NoScrollPhase, false);
                QCoreApplication::sendEvent(target, &wheel);
                EXPECT_NE(pages->currentIndex(), hidden) << "wheel on page " << from;
            }
    }
}

// The big colour-number window opens with its whole frame on the screen,
// wherever the main window is.
TEST_F(UiTest, BigColourNumberWindowOpensOnScreen) {
    build();
    window->show();
    const QRect area = window->screen()->availableGeometry();
    const QPoint corners[] = {area.topLeft(), area.bottomRight() - QPoint(100, 60),
                              QPoint(area.right() - ui::kChildPanelLeft, area.top())};
    for (const QPoint& at : corners) {
        ui::BigColourNumberPanel* big = window->bigColourNumberPanel();
        big->hide();
        window->move(at);
        emit window->measurementDisplayPanel()->bigColourNumberRequested();
        ASSERT_TRUE(big->isVisible());
        EXPECT_TRUE(area.contains(big->frameGeometry()))
            << big->frameGeometry().x() << "," << big->frameGeometry().y() << " " << big->width() << "x"
            << big->height();
    }
}

TEST(NumberText, RoundsWithoutANegativeZero) {
    struct Case {
        double value;
        int decimals;
        const char* shown;
    };
    const Case cases[] = {
        {-0.0, 2, "0.00"},      {-0.004, 2, "0.00"},    {-0.005001, 2, "-0.01"},
        {-0.4, 0, "0"},         {-12.5, 1, "-12.5"},    {0.0, 3, "0.000"},
        {3.14159, 4, "3.1416"}, {-1e-9, 6, "0.000000"}, {-100.0, 0, "-100"},
    };
    QString reused;
    for (const Case& c : cases) {
        ui::setFixedText(reused, c.value, c.decimals);
        EXPECT_EQ(reused.toStdString(), c.shown) << c.value << " with " << c.decimals;
    }
}

} // namespace
} // namespace tavrino::test
