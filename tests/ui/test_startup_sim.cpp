// Start-up and shutdown against the simulated sensor, embedded in the test
// process on a free loopback port.
#include "ui_fixture.h"

#include "app/connect_option.h"
#include "app/connection.h"
#include "faults.h"
#include "sim_server.h"
#include "ui/page_selector.h"
#include "ui/pages/connection_page.h"
#include "ui/panels/measurement_display_panel.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace tavrino::test {
namespace {

class SimStartUpTest : public SimUiTest {
protected:
    [[nodiscard]] QString log() const { return window->connectionPage()->connectionLog()->toPlainText(); }
};

TEST_F(SimStartUpTest, ConnectsWithTheStoredSettings) {
    build();
    window->connectAtStartup();
    ASSERT_EQ(session->flags.sensorConnected, 1) << log().toStdString();
    EXPECT_TRUE(log().contains("\nSensor:TAVRINO4-SIM\nSerial number:4711\nNext calibration:2027-12-01\n\n"))
        << log().toStdString();
    ui::MeasurementDisplayPanel* display = window->measurementDisplayPanel();
    EXPECT_EQ(display->sensorStatus()->text(), "TAVRINO4 VXR QLM V3.2B");
    EXPECT_EQ(display->sensorStatus()->toolTip(), "TAVRINO4 VXR QLM V3.2.7 B");
    ui::ConnectionPage* page = window->connectionPage();
    for (QPushButton* b :
         {page->connectButton(), page->disconnectButton(), page->acceptButton(), page->hardwareInfoButton()})
        EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
    EXPECT_EQ(scripted.count("closeOrOffline"), 0u);

    // Accept stores the settings and goes on to the sensor parameters.
    window->showMainTab(MainTab::Connection);
    QTest::mouseClick(page->acceptButton(), Qt::LeftButton);
    EXPECT_EQ(window->mainTabs()->currentIndex(), static_cast<int>(MainTab::SensorParameter));
    EXPECT_EQ(app::readConnectionSettings(settingsFile()).portNumber, std::to_string(server.tcpPort()));
}

TEST_F(SimStartUpTest, CloseDuringAnExchangeWaitsForTheConnectionCheck) {
    build();
    // Every reply comes late, so the close box is clicked while the link waits.
    std::string error;
    const auto fault = sim::parseFault("delay:50", error);
    ASSERT_TRUE(fault) << error;
    server.sensor().addFault(*fault);

    bool closeClicked = false;
    bool waitingWhenClicked = false;
    session->link.trace = [&](bool sent, const std::uint8_t*, std::size_t) {
        if (sent && !closeClicked) {
            closeClicked = true;
            QTimer::singleShot(0, window.get(), [&] {
                waitingWhenClicked = session->link.exchangeRunning();
                window->close();
            });
        }
    };
    QString logAtQuit;
    bool exchangeAtQuit = true;
    window->quitApplication = [&] {
        ++quits;
        logAtQuit = log();
        exchangeAtQuit = session->link.exchangeRunning();
    };

    app::GetConnectionSettingsFromFile(*session);
    app::InitConnectPanel(*session);
    window->showMainTab(MainTab::Connection);
    QTest::mouseClick(window->connectionPage()->connectButton(), Qt::LeftButton);

    EXPECT_TRUE(closeClicked);
    EXPECT_TRUE(waitingWhenClicked);
    ASSERT_EQ(quits, 1);
    // The connection check ran to its end before the program quit.
    EXPECT_FALSE(exchangeAtQuit);
    EXPECT_TRUE(logAtQuit.contains("Next calibration:")) << logAtQuit.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(settingsFile())));
    EXPECT_FALSE(window->isVisible());
}

// A connection given on the command line is entered over the stored one; the
// stored settings it does not name stay, and closing stores it.
TEST_F(SimStartUpTest, CommandLineConnectionIsTheOperatorsOnClose) {
    app::PanelSettings stored;
    stored.connection.protocol = link::Protocol::Rs232;
    stored.connection.comDevice = "/dev/tavrino-none";
    stored.connection.baudIndex = 6;
    writeSettings(stored);
    build();
    const std::string port = std::to_string(server.tcpPort());
    const auto option = app::parseConnectOption("tcp:127.0.0.1:" + port);
    ASSERT_TRUE(option);
    window->setStartConnection(*option);
    window->connectAtStartup();
    // A quit requested before the start-up connection skips it without a word.
    ASSERT_EQ(session->flags.sensorConnected, 1) << "quit requested: " << window->quitRequested() << "\n"
                                                 << log().toStdString();
    window->close();
    ASSERT_EQ(quits, 1);
    const app::ConnectionSettings saved = app::readConnectionSettings(settingsFile());
    EXPECT_EQ(saved.protocol, link::Protocol::TcpIp);
    EXPECT_EQ(saved.serverAddress, "127.0.0.1");
    EXPECT_EQ(saved.portNumber, port);
    EXPECT_EQ(saved.comDevice, "/dev/tavrino-none");
    EXPECT_EQ(saved.baudIndex, 6);
}

} // namespace
} // namespace tavrino::test
