// The window as a screen reader or a test robot sees it: every control named
// and described in the operator's language, and everything reachable and
// workable with the keyboard alone.
#include "ui_fixture.h"

#include "app/texts.h"
#include "measurement/texts.h"
#include "parameters/rules.h"
#include "ui/command_bar.h"
#include "ui/page_selector.h"
#include "ui/pages/calibration_page.h"
#include "ui/pages/connection_page.h"
#include "ui/pages/sensor_parameter_page.h"
#include "ui/pages/teach_table_page.h"
#include "ui/panels/password_panel.h"
#include "ui/parameter_field.h"
#include "ui/texts.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

namespace tavrino::test {
namespace {

using ui::MainWindow;

// The roles of what a person works: presses, types into, chooses from, reads
// in a table.
bool isControlRole(QAccessible::Role role) {
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::Dial:
    case QAccessible::Table:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::PageTab:
        return true;
    default:
        return false;
    }
}

// A control: a widget of a control role, or a widget of its own that takes
// the focus (a graph, worked with the mouse or the arrow keys).
bool isControl(const QAccessibleInterface* face) {
    if (isControlRole(face->role()))
        return true;
    const auto* w = qobject_cast<const QWidget*>(face->object());
    return w != nullptr && w->focusPolicy() != Qt::NoFocus && w->focusProxy() == nullptr &&
           face->childCount() == 0;
}

// What the walk of one page or panel found.
struct Walk {
    int controls = 0;
    std::vector<std::string> faults;
};

class ControlWalker {
public:
    ControlWalker(const ui::HelpRegistry& help, Language language, std::string place)
        : help_(help), language_(language), place_(std::move(place)) {}

    Walk walk(QWidget* root) {
        visit(QAccessible::queryAccessibleInterface(root));
        return result_;
    }

    // Checks `face` itself (a page selector button, the command bar's).
    Walk check(QWidget* control) {
        checkControl(QAccessible::queryAccessibleInterface(control));
        return result_;
    }

private:
    void visit(QAccessibleInterface* node) {
        for (int i = 0; node != nullptr && i < node->childCount(); ++i) {
            QAccessibleInterface* child = node->child(i);
            if (child == nullptr)
                continue;
            const auto* w = qobject_cast<const QWidget*>(child->object());
            if (w != nullptr && w->isWindow())
                continue; // popups are not part of the page
            if (child->role() == QAccessible::PageTabList) {
                // The tabs are the controls; the bar's scroll arrows are Qt's.
                for (int t = 0; t < child->childCount(); ++t)
                    if (QAccessibleInterface* tab = child->child(t);
                        tab && tab->role() == QAccessible::PageTab)
                        checkControl(tab);
                continue;
            }
            if (isControl(child))
                checkControl(child); // its cells, list and buttons are its own
            else
                visit(child);
        }
    }

    void checkControl(QAccessibleInterface* face) {
        ++result_.controls;
        const QString name = face->text(QAccessible::Name);
        const QString description = face->text(QAccessible::Description);
        if (name.trimmed().isEmpty())
            fault(face, "has no name");
        if (description.trimmed().isEmpty()) {
            fault(face, "has no description");
            return;
        }
        // The description is the help a right click (or the menu) shows.
        const std::optional<Text> help = registeredHelp(face);
        if (!help)
            fault(face, "has no registered help");
        else if (description != QString::fromUtf8(help->in(language_).data(),
                                                  static_cast<qsizetype>(help->in(language_).size())))
            fault(face, "describes itself otherwise than its help says");
    }

    // The help of the control; a tab's is its tab control's (the tab bar's
    // parent).
    [[nodiscard]] std::optional<Text> registeredHelp(const QAccessibleInterface* face) const {
        if (const auto* w = qobject_cast<const QWidget*>(face->object()))
            return help_.helpOf(w);
        const QAccessibleInterface* bar = face->parent();
        const QObject* tabs = bar != nullptr && bar->object() != nullptr ? bar->object()->parent() : nullptr;
        if (const auto* w = qobject_cast<const QWidget*>(tabs))
            return help_.helpOf(w);
        return std::nullopt;
    }

    void fault(const QAccessibleInterface* face, const char* what) {
        const QObject* o = face->object();
        QString who = o != nullptr && !o->objectName().isEmpty() ? o->objectName() : QString();
        if (who.isEmpty())
            who = QStringLiteral("<%1 \"%2\">")
                      .arg(o != nullptr ? QString::fromLatin1(o->metaObject()->className())
                                        : QStringLiteral("role %1").arg(face->role()),
                           face->text(QAccessible::Name));
        result_.faults.push_back(place_ + ": " + who.toStdString() + " " + what);
    }

    const ui::HelpRegistry& help_;
    Language language_;
    std::string place_;
    Walk result_;
};

std::string pageName(int tab) {
    return "page " + std::string(ui::texts::kTabLabels[static_cast<std::size_t>(tab)].en);
}

void switchLanguage(app::Session& session, Language language) {
    session.shell.language = language;
    session.shell.notify(app::ShellChange::Language);
}

// Every page, every child panel, the page selector, the command bar and the
// password box, in one language: the controls each holds and the faults.
std::vector<std::pair<std::string, Walk>> walkWindow(MainWindow& window, Language language) {
    std::vector<std::pair<std::string, Walk>> walks;
    const ui::HelpRegistry& help = window.help();
    for (int tab = 0; tab < kMainTabCount; ++tab) {
        window.showMainTab(static_cast<MainTab>(tab));
        walks.emplace_back(
            pageName(tab),
            ControlWalker(help, language, pageName(tab)).walk(window.page(static_cast<MainTab>(tab))));
    }
    for (int p = 0; p < kChildPanelCount; ++p) {
        const auto panel = static_cast<ChildPanel>(p);
        window.showChildPanelWidget(panel);
        const std::string place = "panel " + window.childPanel(panel)->heading()->text().toStdString();
        walks.emplace_back(place, ControlWalker(help, language, place).walk(window.childPanel(panel)));
    }
    Walk selector;
    for (int i = 0; i < window.mainTabs()->count(); ++i) {
        Walk one = ControlWalker(help, language, "page selector").check(window.mainTabs()->button(i));
        selector.controls += one.controls;
        selector.faults.insert(selector.faults.end(), one.faults.begin(), one.faults.end());
    }
    walks.emplace_back("page selector", selector);
    walks.emplace_back("command bar", ControlWalker(help, language, "command bar").walk(window.commandBar()));
    walks.emplace_back("password box",
                       ControlWalker(help, language, "password box").walk(window.passwordPanel()));
    return walks;
}

TEST_F(UiTest, EveryControlOfEveryPageAndPanelIsNamedAndDescribedInBothLanguages) {
    build();
    for (Language language : {Language::English, Language::German}) {
        switchLanguage(*session, language);
        for (const auto& [place, walk] : walkWindow(*window, language)) {
            EXPECT_GT(walk.controls, 0) << place << ": no control found";
            for (const std::string& fault : walk.faults)
                ADD_FAILURE() << (language == Language::English ? "[en] " : "[de] ") << fault;
        }
    }
}

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TEST_F(UiTest, NamesAndDescriptionsFollowTheLanguageSwitch) {
    build();
    ui::ConnectionPage* connection = window->connectionPage();
    const auto* gain = window->sensorParameterPage()->field(parameters::Control::Gain);
    const auto* power = window->sensorParameterPage()->field(parameters::Control::Power);
    const Text powerHelp = *parameters::helpText(parameters::Control::Power);
    const Text gainHelp = *parameters::helpText(parameters::Control::Gain);
    struct Case {
        QWidget* control;
        Text name;
        Text description;
    };
    const std::vector<Case> cases = {
        // A combo box is named after the caption beside it, not its entry.
        {connection->protocolSelect(), ui::texts::kProtocolLabel, app::texts::kProtocolHelp},
        {connection->languageSelect(), ui::texts::kLanguageLabel, app::texts::kLanguageHelp},
        {connection->portNumberBox(), ui::texts::kPortNumberLabel, app::texts::kPortNumberHelp},
        {gain->editor(), ui::texts::kParameterCaptions[2], gainHelp},
        {power->slider(), ui::texts::kParameterCaptions[0], powerHelp},
        {window->teachTablePage()->grid(), ui::texts::kTeachTableHeading, ui::texts::kTeachGridHelp},
        {window->commandBar()->goButton(), ui::texts::kGoButton, measurement::texts::kGoHelp},
    };
    for (Language language : {Language::German, Language::English, Language::German}) {
        // As the operator switches it: in the language select.
        connection->languageSelect()->setCurrentIndex(languageIndex(language));
        emit connection->languageSelect()->activated(languageIndex(language));
        ASSERT_EQ(session->language(), language);
        for (const Case& c : cases) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(c.control);
            ASSERT_NE(face, nullptr);
            EXPECT_EQ(face->text(QAccessible::Name), q(c.name.in(language))) << q(c.name.en).toStdString();
            EXPECT_EQ(face->text(QAccessible::Description), q(c.description.in(language)))
                << q(c.name.en).toStdString();
        }
    }
    // The entry shown stays the combo box's value.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(connection->languageSelect())->text(QAccessible::Value),
              QStringLiteral("Deutsch"));
}

// ---- keyboard ----

// A key as the keyboard sends it: to the widget with the focus.
void pressKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : window, key, modifiers);
}

class KeyboardTest : public SimUiTest {
protected:
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        pressKey(window.get(), key, modifiers);
    }

    void expectFocus(const QWidget* wanted) {
        const QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_TRUE(focus == wanted || wanted->isAncestorOf(focus))
            << "Tab went to " << focus->metaObject()->className() << " \""
            << focus->objectName().toStdString() << "\", not to \"" << wanted->objectName().toStdString()
            << "\"";
    }

    // Replaces the text of the field with the focus, as typed.
    void typeOver(const QString& text) {
        press(Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }

    // The page whose selector entry has the focus, or -1.
    int focusedEntry() const {
        for (int i = 0; i < window->mainTabs()->count(); ++i)
            if (QApplication::focusWidget() == window->mainTabs()->button(i))
                return i;
        return -1;
    }

    // Tab over the page selector's entries, never a hidden page's, to the
    // page in front.
    void tabPastSelector() {
        for (int i = 0; i <= window->mainTabs()->count(); ++i) {
            press(Qt::Key_Tab);
            const int entry = focusedEntry();
            if (entry < 0)
                return;
            EXPECT_TRUE(window->mainTabs()->isPageVisible(entry)) << "hidden page " << entry;
        }
    }

    // Shift+Tab until `wanted` has the focus; false when it never comes.
    bool backTabTo(const QWidget* wanted) {
        for (int i = 0; i < 40; ++i) {
            if (QApplication::focusWidget() == wanted)
                return true;
            press(Qt::Key_Backtab, Qt::ShiftModifier);
        }
        return false;
    }
};

TEST_F(KeyboardTest, ConnectChoosePara1AndRunGoWithTheKeyboardAlone) {
    build();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ui::PageSelector* selector = window->mainTabs();
    ui::ConnectionPage* connection = window->connectionPage();

    // To the page selector and its CONNECT entry, which brings the page forward.
    ASSERT_TRUE(backTabTo(selector->button(static_cast<int>(MainTab::Connection))));
    press(Qt::Key_Space);
    ASSERT_EQ(selector->currentIndex(), static_cast<int>(MainTab::Connection));

    // Past the other entries of the page selector, Tab goes through the
    // fields in the order the page shows them: RS-232 first, with its
    // serial fields.
    tabPastSelector();
    for (QWidget* next : std::vector<QWidget*>{connection->protocolSelect(), connection->findComPortsButton(),
                                               connection->comPortSelect(), connection->baudRateSelect(),
                                               connection->connectButton()}) {
        expectFocus(next);
        press(Qt::Key_Tab);
    }
    expectFocus(connection->disconnectButton());
    // The simulator's connection: TCP/IP, whose server fields replace the
    // serial ones, then the address and the port.
    ASSERT_TRUE(backTabTo(connection->protocolSelect()));
    press(Qt::Key_Down);
    ASSERT_EQ(session->connection.settings.protocol, link::Protocol::TcpIp);
    press(Qt::Key_Tab);
    expectFocus(connection->serverAddressBox());
    typeOver(QStringLiteral("127.0.0.1"));
    press(Qt::Key_Tab);
    expectFocus(connection->portNumberBox());
    typeOver(QString::number(server.tcpPort()));
    press(Qt::Key_Tab);
    expectFocus(connection->connectButton());
    press(Qt::Key_Space);
    ASSERT_EQ(session->flags.sensorConnected, 1) << connection->connectionLog()->toPlainText().toStdString();

    // Back to the page selector, PARA1.
    ASSERT_TRUE(backTabTo(selector->button(static_cast<int>(MainTab::SensorParameter))));
    press(Qt::Key_Space);
    ASSERT_EQ(selector->currentIndex(), static_cast<int>(MainTab::SensorParameter));
    tabPastSelector();
    const ui::ParameterField* power = window->sensorParameterPage()->field(parameters::Control::Power);
    EXPECT_EQ(QApplication::focusWidget(), power->slider()) << "PARA1 starts with POWER";

    // GO with F11; F12 ends the loop once frames came in.
    int frames = 0;
    session->link.trace = [&](bool sent, const std::uint8_t*, std::size_t) {
        if (!sent && ++frames == 3)
            QTimer::singleShot(0, window.get(), [this] { press(Qt::Key_F12); });
    };
    press(Qt::Key_F11); // returns when the loop has ended
    session->link.trace = nullptr;
    EXPECT_GE(frames, 3);
    EXPECT_EQ(session->flags.running, 0);
    EXPECT_GT(session->live.display.frame, 0u);
}

TEST_F(UiTest, EscapeClosesAChildPanelAsItsCloseButtonDoes) {
    build();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    struct Outcome {
        QWidget* panel;
        int page;
    };
    auto outcome = [this] {
        return Outcome{window->childPanels()->currentWidget(), window->mainTabs()->currentIndex()};
    };
    for (ChildPanel panel :
         {ChildPanel::SignalGraph, ChildPanel::MeanValueTeach, ChildPanel::RecordedValueTeach,
          ChildPanel::Scope, ChildPanel::DoubleParameter, ChildPanel::Calibration}) {
        const std::string name = window->childPanel(panel)->heading()->text().toStdString();
        // With the CLOSE button.
        window->showMainTab(MainTab::Connection);
        window->ShowChildPanelDisp(panel);
        QPushButton* closeButton = nullptr;
        for (QPushButton* b : window->childPanel(panel)->findChildren<QPushButton*>())
            if (b->text() == q(ui::texts::kCloseButton.en))
                closeButton = b;
        ASSERT_NE(closeButton, nullptr) << name;
        closeButton->click();
        const Outcome clicked = outcome();
        // With Escape, the focus on the page beside it.
        window->showMainTab(MainTab::Connection);
        window->ShowChildPanelDisp(panel);
        ASSERT_EQ(window->childPanels()->currentWidget(), window->childPanel(panel));
        window->connectionPage()->languageSelect()->setFocus();
        pressKey(window.get(), Qt::Key_Escape);
        const Outcome escaped = outcome();
        EXPECT_NE(escaped.panel, window->childPanel(panel)) << name;
        EXPECT_EQ(escaped.panel, clicked.panel) << name;
        EXPECT_EQ(escaped.page, clicked.page) << name;
    }

    // Escape in a cell's editor drops the edit and leaves the panel open.
    window->ShowChildPanelDisp(ChildPanel::DoubleParameter);
    auto* sets = window->childPanel(ChildPanel::DoubleParameter)->findChild<QTableWidget*>();
    ASSERT_NE(sets, nullptr);
    sets->setCurrentCell(0, 0);
    sets->setFocus();
    pressKey(window.get(), Qt::Key_F2);
    ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr) << "no cell editor";
    pressKey(window.get(), Qt::Key_Escape);
    EXPECT_EQ(window->childPanels()->currentWidget(), window->childPanel(ChildPanel::DoubleParameter));
    EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr) << "the edit stays open";
}

TEST_F(UiTest, F1ShowsTheHelpOfTheControlWithTheFocus) {
    build();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const auto* gain = window->sensorParameterPage()->field(parameters::Control::Gain);
    const auto* power = window->sensorParameterPage()->field(parameters::Control::Power);
    struct Case {
        MainTab page;
        QWidget* control;
        Text help;
    };
    const std::vector<Case> cases = {
        // The focus is in the spin box's text field.
        {MainTab::SensorParameter, power->spinBox(), *parameters::helpText(parameters::Control::Power)},
        {MainTab::SensorParameter, gain->editor(), *parameters::helpText(parameters::Control::Gain)},
        {MainTab::Connection, window->connectionPage()->languageSelect(), app::texts::kLanguageHelp},
        {MainTab::TeachTable, window->teachTablePage()->grid(), ui::texts::kTeachGridHelp},
    };
    for (Language language : {Language::English, Language::German}) {
        switchLanguage(*session, language);
        for (const Case& c : cases) {
            window->showMainTab(c.page);
            c.control->setFocus();
            ASSERT_TRUE(c.control->hasFocus() || c.control->isAncestorOf(QApplication::focusWidget()));
            scripted.calls.clear();
            pressKey(window.get(), Qt::Key_F1);
            ASSERT_EQ(scripted.count("message"), 1u) << c.help.en;
            EXPECT_EQ(scripted.calls[0].title, kInfoTitle.in(language));
            EXPECT_EQ(scripted.calls[0].text, c.help.in(language));
        }
    }
}

TEST_F(UiTest, ShiftF10OpensTheTeachTableMenuAtTheCell) {
    build();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->showMainTab(MainTab::TeachTable);
    QTableWidget* grid = window->teachTablePage()->grid();
    grid->setCurrentCell(1, 2);
    grid->setFocus();
    ASSERT_FALSE(window->teachTablePage()->gridMenu()->isVisible());
    pressKey(window.get(), Qt::Key_F10, Qt::ShiftModifier);
    QMenu* menu = window->teachTablePage()->gridMenu();
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

TEST_F(UiTest, TabGoesThroughTheCalibrationPageGroupByGroup) {
    build();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->showMainTab(MainTab::Calibration);
    ui::CalibrationPage* page = window->calibrationPage();
    using P = ui::CalibrationPage;
    // Each group's selector and fields, then its buttons row by row.
    std::vector<QWidget*> expected = {page->button(P::AssignReference),
                                      page->button(P::ResetReference),
                                      page->button(P::LoadReference),
                                      page->button(P::SaveReference),
                                      page->setValueSpaceSelector(),
                                      page->rowsField(),
                                      page->button(P::ResetSetValues),
                                      page->button(P::LoadSetValues),
                                      page->button(P::SaveSetValues),
                                      page->rowNoField(),
                                      page->autoAdvanceBox(),
                                      page->button(P::AssignToRow),
                                      page->button(P::ResetActual),
                                      page->button(P::LoadActual),
                                      page->button(P::SaveActual),
                                      page->button(P::Calculate),
                                      page->button(P::Send),
                                      page->button(P::Read)};
    std::erase_if(expected, [](const QWidget* w) { return !w->isEnabled(); }); // dimmed ones are passed by
    page->referenceSpaceSelector()->setFocus();
    for (const QWidget* next : expected) {
        pressKey(window.get(), Qt::Key_Tab);
        const QWidget* focus = QApplication::focusWidget();
        ASSERT_TRUE(focus == next || next->isAncestorOf(focus))
            << "Tab went to " << focus->metaObject()->className() << " \""
            << focus->objectName().toStdString() << "\", not to \"" << next->objectName().toStdString()
            << "\"";
    }
    // And back.
    pressKey(window.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), expected[expected.size() - 2]);
}

} // namespace
} // namespace tavrino::test
