// The command bar (SEND, GET, RAM/EEPROM/FILE, GO, STOP) and the measurement
// display panel: transfers and the live loop against the simulated sensor,
// the displays after a frame, their repaint at display rate, and pictures of
// the parameter page and the panel in every colour space.
#include "ui_fixture.h"
#include "widget_helpers.h"

#include "app/connection.h"
#include "app/live_measurement.h"
#include "measurement/texts.h"
#include "parameters/texts.h"
#include "sim_server.h"
#include "ui/command_bar.h"
#include "ui/led.h"
#include "ui/pages/connection_page.h"
#include "ui/panels/big_colour_number_panel.h"
#include "ui/panels/measurement_display_panel.h"
#include "ui/texts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <string>
#include <vector>

namespace tavrino::test {
namespace {

using parameters::Control;
using parameters::TransferTarget;
using Panel = ui::MeasurementDisplayPanel;

class LiveWidgetTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        build();
        panel = window->measurementDisplayPanel();
        bar = window->commandBar();
    }

    // One decoded frame, as the live loop hands it to the displays.
    void frame(const measurement::MeasurementRecord& r) {
        session->live.record = r;
        app::SetPanelData(*session);
    }
    [[nodiscard]] QString text(Panel::XyzSet set, int channel) const {
        return panel->xyzDisplay(set, channel)->text();
    }

    Panel* panel = nullptr;
    ui::CommandBar* bar = nullptr;
};

// ---- the displays ----

TEST_F(LiveWidgetTest, DisplaysShowTheNewestFrame) {
    chooseControl(*window, Control::DigitalOutmode, 3);
    measurement::MeasurementRecord r;
    r.X = 4095;
    r.Y = 0;
    r.Z = -16;
    r.csX = 0.5;
    r.csY = 0.25;
    r.csI = 50;
    r.refX = 0.125;
    r.deltaE = 1.5;
    r.colorNo = 255;
    r.in0 = 0;
    r.sat = 2;
    frame(r);
    ASSERT_TRUE(panel->updateDisplays());
    EXPECT_FALSE(panel->updateDisplays()); // nothing new to paint

    for (auto set : {Panel::OnPanel, Panel::OnXyzPage, Panel::OnColourSpacePage}) {
        EXPECT_EQ(text(set, 0), "4095");
        EXPECT_EQ(text(set, 1), "0");
        EXPECT_EQ(text(set, 2), "-16");
    }
    EXPECT_EQ(panel->coordinateDisplay(0)->text(), "0.5000");
    EXPECT_EQ(panel->coordinateDisplay(2)->text(), "50.0000");
    EXPECT_EQ(panel->referenceDisplay(0)->text(), "0.1250");
    EXPECT_EQ(panel->deltaEDisplay()->text(), "1.5000");
    EXPECT_EQ(panel->colourNumberDisplay()->text(), "255");
    // No colour detected: every deviation display shows delta E.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(panel->deviationDisplay(i)->text(), "1.5000");
    EXPECT_TRUE(panel->saturationLed()->isOn());
    EXPECT_EQ(panel->saturationLed()->colour().red(), 230);
    EXPECT_FALSE(panel->in0Led()->isOn());
    EXPECT_EQ(panel->in0Led()->colour(), QColor(Qt::black));

    // A hit on row 1: the deviations from that row as last read from the grid.
    session->parameters.teachTable.setCell(1, 0, 0.2);
    parameters::GetPanelValues(session->parameters.controls, session->parameters.teachTable,
                               session->parameters.set);
    r.colorNo = 1;
    r.in0 = 1;
    r.sat = 0;
    frame(r);
    ASSERT_TRUE(panel->updateDisplays());
    EXPECT_EQ(panel->deviationDisplay(0)->text(), "0.3000");
    EXPECT_TRUE(panel->in0Led()->isOn());
    EXPECT_EQ(panel->in0Led()->colour(), QColor(0, 200, 0));
    EXPECT_FALSE(panel->saturationLed()->isOn());

    // Another colour space relabels and reformats what is shown, without a frame.
    chooseControl(*window, Control::ColorSpace, 1);
    EXPECT_EQ(panel->coordinateCaption(0)->text(), "a*");
    EXPECT_EQ(panel->coordinateCaption(2)->text(), "L*");
    EXPECT_EQ(panel->deviationDisplay(0)->text(), "0.30");
    EXPECT_EQ(panel->deltaEDisplay()->text(), "1.50");
    chooseControl(*window, Control::ColorSpace, 4);
    EXPECT_EQ(panel->coordinateDisplay(0)->text(), "0.5000");
    EXPECT_EQ(panel->coordinateDisplay(2)->text(), "50.000");
    EXPECT_EQ(panel->deltaEDisplay()->text(), "1.500");
}

TEST_F(LiveWidgetTest, ManyFramesRepaintOnceAtDisplayRate) {
    ASSERT_TRUE(panel->isVisible());
    ASSERT_TRUE(panel->repaintTimer()->isActive());
    EXPECT_LE(panel->repaintTimer()->interval(), 40);
    QSignalSpy repaints(panel->xyzDisplay(Panel::OnPanel, 0), &QLineEdit::textChanged);
    measurement::MeasurementRecord r;
    for (int i = 1; i <= 500; ++i) {
        r.X = static_cast<std::int16_t>(i);
        frame(r);
    }
    EXPECT_EQ(repaints.count(), 0); // no picture per frame
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(Panel::OnPanel, 0) == "500"; }));
    EXPECT_EQ(repaints.count(), 1);

    // While another panel is in front the timer rests; back in front it
    // shows what came meanwhile.
    window->ShowChildPanelDisp(ChildPanel::DoubleParameter);
    EXPECT_FALSE(panel->repaintTimer()->isActive());
    r.X = 7;
    frame(r);
    window->ShowChildPanelDisp(ChildPanel::MeasurementDisplay);
    EXPECT_EQ(text(Panel::OnPanel, 0), "7");
}

TEST_F(LiveWidgetTest, TeachDisplaysAndIn0FollowTheRules) {
    auto teachDisplays = [this] {
        return std::vector<QWidget*>{panel->deviationDisplay(0), panel->deviationDisplay(1),
                                     panel->deviationDisplay(2), panel->deltaEDisplay(),
                                     panel->colourNumberDisplay()};
    };
    chooseControl(*window, Control::DigitalOutmode, 1);
    for (QWidget* w : teachDisplays())
        EXPECT_FALSE(w->isHidden());
    EXPECT_TRUE(panel->in0Led()->isHidden()); // IN0 serves nothing
    chooseControl(*window, Control::DigitalOutmode, 0);
    for (QWidget* w : teachDisplays())
        EXPECT_TRUE(w->isHidden());
    chooseControl(*window, Control::Calibration, 3); // white balance at IN0
    EXPECT_FALSE(panel->in0Led()->isHidden());
}

TEST_F(LiveWidgetTest, DoubleClickOnColourNumberOpensTheBigPanel) {
    chooseControl(*window, Control::DigitalOutmode, 3);
    measurement::MeasurementRecord r;
    r.colorNo = 2;
    frame(r);
    ui::BigColourNumberPanel* big = window->bigColourNumberPanel();
    QTest::mouseDClick(panel->colourNumberDisplay(), Qt::LeftButton);
    ASSERT_TRUE(big->isVisible());
    EXPECT_EQ(big->numberDisplay()->text(), "2");
    r.colorNo = 0;
    frame(r);
    ASSERT_TRUE(QTest::qWaitFor([&] { return big->numberDisplay()->text() == "0"; }));

    // Without a colour output there is no colour number to show.
    chooseControl(*window, Control::DigitalOutmode, 0);
    EXPECT_FALSE(big->isVisible());
    // Opened again after the operator closed it with a right click.
    chooseControl(*window, Control::DigitalOutmode, 3);
    QTest::mouseDClick(panel->colourNumberDisplay(), Qt::LeftButton);
    QTest::mouseClick(big, Qt::RightButton);
    EXPECT_FALSE(big->isVisible());
    QTest::mouseDClick(panel->colourNumberDisplay(), Qt::LeftButton);
    EXPECT_TRUE(big->isVisible());
}

// The clicks go to the window as a mouse delivers them (press, release,
// press, release), so Qt makes the double click and its context menus itself.
TEST_F(LiveWidgetTest, StatusFieldRightClickHelpsRightDoubleClickClearsTheLog) {
    QWindow* handle = window->windowHandle();
    ASSERT_NE(handle, nullptr);
    QLineEdit* status = panel->sensorStatus();
    ASSERT_TRUE(status->isVisible());
    const QPoint at = handle->mapFromGlobal(status->mapToGlobal(status->rect().center()));
    QPlainTextEdit* log = window->connectionPage()->connectionLog();
    // A menu that opens would wait for a click of its own: it is closed and
    // counted.
    bool menuOpened = false;
    const auto closeAnyMenu = [&menuOpened] {
        QTimer::singleShot(0, [&menuOpened] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                menuOpened = true;
                menu->close();
            }
        });
    };

    session->op().appendConnectionLog("TIMEOUT!\n");
    closeAnyMenu();
    QTest::mouseDClick(handle, Qt::LeftButton, {}, at);
    EXPECT_FALSE(log->toPlainText().isEmpty());

    closeAnyMenu();
    QTest::mouseDClick(handle, Qt::RightButton, {}, at);
    EXPECT_FALSE(menuOpened);
    EXPECT_TRUE(log->toPlainText().isEmpty());
    EXPECT_FALSE(window->help().helpPending());
    EXPECT_EQ(scripted.count("message"), 0u);

    // A single right click shows the help once the double click can no
    // longer come, and leaves the log alone.
    session->op().appendConnectionLog("TIMEOUT!\n");
    closeAnyMenu();
    QTest::mouseClick(handle, Qt::RightButton, {}, at);
    EXPECT_FALSE(menuOpened);
    ASSERT_TRUE(QTest::qWaitFor([this] { return scripted.count("message") == 1; }));
    EXPECT_EQ(scripted.messages()[0], ui::texts::kSensorStatusHelp.en);
    EXPECT_EQ(scripted.calls.back().title, "Message!");
    EXPECT_FALSE(log->toPlainText().isEmpty());
}

TEST_F(LiveWidgetTest, RightClickShowsHelpAndStartsNothing) {
    namespace mt = measurement::texts;
    namespace pt = parameters::texts;
    const std::vector<std::pair<QWidget*, Text>> cases = {
        {panel->xyzDisplay(Panel::OnPanel, 1), mt::kXyzHelp},
        {panel->xyzDisplay(Panel::OnColourSpacePage, 2), mt::kXyzHelp},
        {panel->coordinateDisplay(0), mt::kCoordinateHelp},
        {panel->coordinateDisplay(2), mt::kIntensityHelp},
        {panel->deviationDisplay(1), mt::kDeviationHelp},
        {panel->deltaEDisplay(), mt::kDeltaEHelp},
        {panel->colourNumberDisplay(), mt::kColourNumberHelp},
        {panel->in0Led(), mt::kIn0Help},
        {panel->saturationLed(), mt::kSaturationHelp},
        {bar->goButton(), mt::kGoHelp},
        {bar->stopButton(), mt::kStopHelp},
        {bar->sendButton(), pt::kSendHelp},
        {bar->getButton(), pt::kGetHelp},
        {bar->selectButton(TransferTarget::File), pt::kSelectTargetHelp},
    };
    session->shell.language = Language::German;
    session->shell.notify(app::ShellChange::Language);
    for (const auto& [widget, help] : cases) {
        scripted.calls.clear();
        QTest::mouseClick(widget, Qt::RightButton);
        ASSERT_EQ(scripted.calls.size(), 1u) << help.en;
        EXPECT_EQ(scripted.calls[0].title, "Info!");
        EXPECT_EQ(scripted.calls[0].text, help.de);
    }
    EXPECT_EQ(session->live.display.frame, 0u);
    EXPECT_EQ(session->parameters.controls.target(), TransferTarget::Ram);
}

// ---- the command bar ----

TEST_F(LiveWidgetTest, SelectButtonsShowTheTarget) {
    auto checked = [this] {
        return std::vector<bool>{bar->selectButton(TransferTarget::Ram)->isChecked(),
                                 bar->selectButton(TransferTarget::Eeprom)->isChecked(),
                                 bar->selectButton(TransferTarget::File)->isChecked()};
    };
    EXPECT_EQ(checked(), (std::vector<bool>{true, false, false}));
    QTest::mouseClick(bar->selectButton(TransferTarget::Eeprom), Qt::LeftButton);
    EXPECT_EQ(session->parameters.controls.target(), TransferTarget::Eeprom);
    EXPECT_EQ(checked(), (std::vector<bool>{false, true, false}));
    QTest::mouseClick(bar->selectButton(TransferTarget::Eeprom), Qt::LeftButton); // stays on
    EXPECT_EQ(checked(), (std::vector<bool>{false, true, false}));
    session->parameters.transfer.selectTarget(TransferTarget::File);
    EXPECT_EQ(checked(), (std::vector<bool>{false, false, true}));
}

TEST_F(LiveWidgetTest, ButtonsDimAsTheirScopeSays) {
    std::vector<QPushButton*> transfer{
        bar->sendButton(), bar->getButton(), bar->selectButton(TransferTarget::Ram),
        bar->selectButton(TransferTarget::Eeprom), bar->selectButton(TransferTarget::File)};
    app::SetButtonsDimmed(*session, 1, true); // a loop runs
    EXPECT_FALSE(bar->goButton()->isEnabled());
    for (QPushButton* b : transfer)
        EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
    app::SetButtonsDimmed(*session, 0, true); // an exchange of its own
    EXPECT_FALSE(bar->goButton()->isEnabled());
    for (QPushButton* b : transfer)
        EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    EXPECT_TRUE(bar->stopButton()->isEnabled());
    app::SetButtonsDimmed(*session, 0, false);
    for (QPushButton* b : transfer)
        EXPECT_TRUE(b->isEnabled());
    EXPECT_TRUE(bar->goButton()->isEnabled());
}

TEST_F(LiveWidgetTest, FunctionKeysClickSendAndGetUnlessDimmed) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    session->parameters.transfer.selectTarget(TransferTarget::File);
    scripted.fileAnswers = {FileChoice{}, FileChoice{}};
    QTest::keyClick(window.get(), Qt::Key_F9);
    QTest::keyClick(window.get(), Qt::Key_F10);
    ASSERT_EQ(scripted.fileRequests.size(), 2u);
    EXPECT_EQ(scripted.fileRequests[0].mode, FileRequest::Mode::Save);
    EXPECT_EQ(scripted.fileRequests[1].mode, FileRequest::Mode::Open);

    app::SetButtonsDimmed(*session, 0, true);
    QTest::keyClick(window.get(), Qt::Key_F9);
    QTest::keyClick(window.get(), Qt::Key_F10);
    EXPECT_EQ(scripted.fileRequests.size(), 2u);
}

TEST_F(LiveWidgetTest, LanguageSwitchRelabelsTheBarAndPanel) {
    session->shell.language = Language::German;
    session->shell.notify(app::ShellChange::Language);
    EXPECT_EQ(bar->selectButton(TransferTarget::File)->text(), "DATEI");
    session->shell.language = Language::English;
    session->shell.notify(app::ShellChange::Language);
    EXPECT_EQ(bar->selectButton(TransferTarget::File)->text(), "FILE");
}

// ---- against the simulated sensor ----

class SimWidgetTest : public SimUiTest {
protected:
    void SetUp() override {
        SimUiTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(buildConnected());
        bar = window->commandBar();
    }

    sim::SensorMemory& memory() { return server.sensor().memory(); }
    QSpinBox* powerField() { return fieldOf(*window, Control::Power)->spinBox(); }

    ui::CommandBar* bar = nullptr;
};

TEST_F(SimWidgetTest, SendGoesToRamOrEeprom) {
    using parameters::word::Power;
    const std::uint16_t eepromBefore = memory().eepromParameters[Power];
    typeInto(powerField(), 777);
    QTest::mouseClick(bar->sendButton(), Qt::LeftButton);
    EXPECT_EQ(memory().ramParameters[Power], 777);
    EXPECT_EQ(memory().eepromParameters[Power], eepromBefore);

    QTest::mouseClick(bar->selectButton(TransferTarget::Eeprom), Qt::LeftButton);
    typeInto(powerField(), 654);
    QTest::mouseClick(bar->sendButton(), Qt::LeftButton);
    EXPECT_EQ(memory().ramParameters[Power], 654);
    EXPECT_EQ(memory().eepromParameters[Power], 654);
    EXPECT_TRUE(bar->sendButton()->isEnabled()); // undimmed after the transfer
}

TEST_F(SimWidgetTest, GetComesFromRamOrEeprom) {
    using namespace parameters::word;
    memory().ramParameters[Power] = 321;
    memory().ramParameters[ColorSpace] = 1;
    memory().ramParameters[DigitalOutmode] = 3;
    QTest::mouseClick(bar->getButton(), Qt::LeftButton);
    EXPECT_EQ(powerField()->value(), 321);
    EXPECT_EQ(fieldOf(*window, Control::ColorSpace)->comboBox()->currentText(), "L*a*b*");
    // The rules ran on what came: the grid speaks L*a*b*.
    EXPECT_EQ(window->teachTablePage()->grid()->horizontalHeaderItem(0)->text(), "a*");

    memory().eepromParameters[Power] = 123;
    QTest::mouseClick(bar->selectButton(TransferTarget::Eeprom), Qt::LeftButton);
    QTest::mouseClick(bar->getButton(), Qt::LeftButton);
    EXPECT_EQ(powerField()->value(), 123);
    EXPECT_EQ(memory().ramParameters[Power], 123); // the sensor loaded its EEPROM
}

TEST_F(SimWidgetTest, FileTargetWritesAndReadsTheParameterFile) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("kept"));
    const std::string file = dir.filePath("kept/Saved.ini").toStdString();
    typeInto(powerField(), 432);
    QTest::mouseClick(bar->selectButton(TransferTarget::File), Qt::LeftButton);
    scripted.fileAnswers = {FileChoice{FileChoice::Kind::New, file}};
    QTest::mouseClick(bar->sendButton(), Qt::LeftButton);
    ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(file)));
    EXPECT_EQ(session->shell.paths.parameterFile, file);
    EXPECT_NE(memory().ramParameters[parameters::word::Power], 432); // not sent to the sensor

    typeInto(powerField(), 5);
    scripted.fileAnswers = {FileChoice{FileChoice::Kind::Existing, file}};
    QTest::mouseClick(bar->getButton(), Qt::LeftButton);
    EXPECT_EQ(powerField()->value(), 432);
    // The dialog started at the remembered file.
    ASSERT_EQ(scripted.fileRequests.size(), 2u);
    EXPECT_EQ(QDir(QString::fromStdString(scripted.fileRequests[1].startDirectory)).absolutePath(),
              QDir(dir.filePath("kept")).absolutePath());
}

TEST_F(SimWidgetTest, F11RunsTheLoopUntilF12AndSendWaitsForIt) {
    ui::MeasurementDisplayPanel* panel = window->measurementDisplayPanel();
    int replies = 0;
    bool goDimmed = false;
    bool sendUsable = false;
    session->link.trace = [&](bool sent, const std::uint8_t*, std::size_t) {
        if (sent)
            return;
        ++replies;
        goDimmed = !bar->goButton()->isEnabled();
        sendUsable = bar->sendButton()->isEnabled();
        if (replies == 2) // SEND pressed while the loop runs
            QTimer::singleShot(0, bar->sendButton(), [this] {
                typeInto(powerField(), 888);
                bar->sendButton()->click();
            });
        if (replies == 6) // F12 while the loop waits for a frame
            QTimer::singleShot(0, window.get(), [this] { QTest::keyClick(window.get(), Qt::Key_F12); });
    };
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F11); // returns when the loop has ended
    session->link.trace = nullptr;

    EXPECT_GE(replies, 6);
    EXPECT_TRUE(goDimmed);
    EXPECT_TRUE(sendUsable);
    EXPECT_TRUE(bar->goButton()->isEnabled());
    EXPECT_EQ(session->flags.running, 0);
    EXPECT_EQ(memory().ramParameters[parameters::word::Power], 888);
    EXPECT_EQ(window->childPanels()->currentWidget(), panel);

    ASSERT_GT(session->live.display.frame, 0u);
    panel->updateDisplays();
    EXPECT_EQ(panel->xyzDisplay(Panel::OnPanel, 0)->text(), QString::number(session->live.record.X));
    EXPECT_EQ(panel->xyzDisplay(Panel::OnXyzPage, 2)->text(), QString::number(session->live.record.Z));
    EXPECT_EQ(panel->colourNumberDisplay()->text(), QString::number(session->live.record.colorNo));
}

} // namespace
} // namespace tavrino::test
