// The connection page: protocol-dependent controls, the settings it hands to
// connection management, the log, the dimming, the operator seam and the
// start-up connection attempt.
#include "ui_fixture.h"

#include "ui/pages/connection_page.h"
#include "ui/pages/recorder_page.h"
#include "ui/panels/measurement_display_panel.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>

namespace tavrino::test {
namespace {

using app::ConnectionControl;
using ui::ComPortChoice;

TEST(ComPortText, NumbersAndDevicePaths) {
    struct Case {
        const char* text;
        std::optional<ComPortChoice> expected;
    };
    const Case cases[] = {
        {"COM3", ComPortChoice{3, {}}},
        {"com12", ComPortChoice{12, {}}},
        {" 7 ", ComPortChoice{7, {}}},
        {"COM255", ComPortChoice{255, {}}},
        {"/dev/ttyUSB0", ComPortChoice{0, "/dev/ttyUSB0"}},
        {"/dev/pts/3", ComPortChoice{0, "/dev/pts/3"}},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"COM0", std::nullopt},
        {"COM256", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ui::parseComPortText(QString::fromUtf8(c.text)), c.expected) << c.text;

    app::ConnectionSettings settings;
    settings.comPort = 4;
    EXPECT_EQ(ui::comPortText(settings), "COM4");
    settings.comDevice = "/dev/ttyACM1";
    EXPECT_EQ(ui::comPortText(settings), "/dev/ttyACM1");
}

TEST(ComPortText, AvailablePortsList) {
    EXPECT_EQ(ui::availablePortsText(Language::English, {}), "");
    EXPECT_EQ(ui::availablePortsText(Language::English, {"/dev/ttyS0", "/dev/ttyUSB0"}),
              "Following COM PORTS are available:\n/dev/ttyS0\n/dev/ttyUSB0\n\n");
    EXPECT_EQ(ui::availablePortsText(Language::German, {"COM3"}),
              "Folgende COM PORTS sind verfuegbar:\nCOM3\n\n");
}

TEST(FileChoice, ExistingNewAndNothing) {
    QTemporaryDir dir;
    const QString existing = dir.filePath("there.ini");
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const std::string there = existing.toStdString();
    const std::string missing = dir.filePath("new.ini").toStdString();
    const std::string directory = dir.path().toStdString();
    using M = FileRequest::Mode;
    using K = FileChoice::Kind;
    struct Case {
        M mode;
        std::string path;
        K kind;
    };
    const Case cases[] = {
        {M::Open, there, K::Existing},    {M::Open, missing, K::Nothing},   {M::Open, "", K::Nothing},
        {M::Save, there, K::Existing},    {M::Save, missing, K::New},       {M::Save, "", K::Nothing},
        {M::Save, directory, K::Nothing}, {M::Open, directory, K::Nothing},
    };
    for (const Case& c : cases) {
        const FileChoice choice = ui::fileChoiceFor(c.mode, c.path);
        EXPECT_EQ(choice.kind, c.kind) << c.path;
        EXPECT_EQ(choice.path, c.kind == K::Nothing ? "" : c.path);
    }
}

TEST_F(UiTest, ProtocolDecidesWhichControlsShow) {
    build();
    window->show();
    window->showMainTab(MainTab::Connection);
    ui::ConnectionPage* page = window->connectionPage();
    const ConnectionControl serial[] = {ConnectionControl::FindComPortsButton,
                                        ConnectionControl::ComPortSelect, ConnectionControl::BaudRateSelect,
                                        ConnectionControl::ChangeBaudRateButton};
    const ConnectionControl tcp[] = {ConnectionControl::ServerAddressBox, ConnectionControl::PortNumberBox};
    const ConnectionControl always[] = {
        ConnectionControl::ProtocolSelect,   ConnectionControl::ConnectButton,
        ConnectionControl::DisconnectButton, ConnectionControl::ConnectionLog,
        ConnectionControl::AcceptButton,     ConnectionControl::HardwareInfoButton,
        ConnectionControl::LanguageSelect,   ConnectionControl::SensorIdField};
    auto expectVisible = [&](int protocol) {
        for (auto c : serial)
            EXPECT_EQ(page->control(c)->isVisible(), protocol == 0) << static_cast<int>(c);
        for (auto c : tcp)
            EXPECT_EQ(page->control(c)->isVisible(), protocol == 1) << static_cast<int>(c);
        for (auto c : always)
            EXPECT_TRUE(page->control(c)->isVisible()) << static_cast<int>(c);
    };
    // Defaults without a settings file: RS-232, COM1, 115200 baud, port 5000.
    expectVisible(0);
    EXPECT_EQ(page->protocolSelect()->currentText(), "RS-232");
    EXPECT_EQ(page->comPortSelect()->currentText(), "COM1");
    EXPECT_EQ(page->baudRateSelect()->currentText(), "115200");
    EXPECT_EQ(page->baudRateSelect()->currentIndex(), 4);
    EXPECT_EQ(page->serverAddressBox()->currentText(), "");
    EXPECT_EQ(page->portNumberBox()->text(), "5000");

    session->dimming.setConfirmedConnectionButtons(false);
    page->protocolSelect()->setCurrentIndex(1);
    emit page->protocolSelect()->activated(1);
    EXPECT_EQ(session->connection.settings.protocol, link::Protocol::TcpIp);
    expectVisible(1);
    EXPECT_FALSE(page->acceptButton()->isEnabled()) << "a changed setting needs a new connection check";

    page->protocolSelect()->setCurrentIndex(0);
    emit page->protocolSelect()->activated(0);
    expectVisible(0);
}

TEST_F(UiTest, FieldEditsReachTheConnectionSettings) {
    build();
    ui::ConnectionPage* page = window->connectionPage();

    page->comPortSelect()->setEditText("COM5");
    emit page->comPortSelect()->lineEdit()->editingFinished();
    EXPECT_EQ(session->connection.settings.comPort, 5);
    EXPECT_EQ(session->connection.settings.comDevice, "");

    page->comPortSelect()->setEditText("/dev/ttyUSB1");
    emit page->comPortSelect()->lineEdit()->editingFinished();
    EXPECT_EQ(session->connection.settings.comPort, 5);
    EXPECT_EQ(session->connection.settings.comDevice, "/dev/ttyUSB1");

    // Not a port: the select goes back to the port in use.
    page->comPortSelect()->setEditText("COM0");
    emit page->comPortSelect()->lineEdit()->editingFinished();
    EXPECT_EQ(session->connection.settings.comDevice, "/dev/ttyUSB1");
    EXPECT_EQ(page->comPortSelect()->currentText(), "/dev/ttyUSB1");

    page->baudRateSelect()->setCurrentIndex(7);
    emit page->baudRateSelect()->activated(7);
    EXPECT_EQ(session->connection.settings.baudIndex, 7);

    page->portNumberBox()->setText("5123");
    emit page->portNumberBox()->editingFinished();
    EXPECT_EQ(session->connection.settings.portNumber, "5123");
    EXPECT_EQ(page->portNumberBox()->maxLength(), 31);
}

TEST_F(UiTest, ServerAddressListKeepsTheLastTenMostRecentFirst) {
    build();
    window->show();
    window->showMainTab(MainTab::Connection);
    ui::ConnectionPage* page = window->connectionPage();
    page->protocolSelect()->setCurrentIndex(1);
    emit page->protocolSelect()->activated(1);
    QComboBox* box = page->serverAddressBox();
    auto commit = [&](const QString& address) {
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), address);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    };
    for (int i = 1; i <= 11; ++i)
        commit(QStringLiteral("10.0.0.%1").arg(i));
    ASSERT_EQ(box->count(), 10);
    EXPECT_EQ(box->itemText(0), "10.0.0.11");
    EXPECT_EQ(box->itemText(9), "10.0.0.2");
    EXPECT_EQ(session->connection.settings.serverAddress, "10.0.0.11");

    // An address already in the list moves to the top.
    commit("10.0.0.5");
    ASSERT_EQ(box->count(), 10);
    EXPECT_EQ(box->itemText(0), "10.0.0.5");
    EXPECT_EQ(box->itemText(1), "10.0.0.11");
    EXPECT_EQ(box->findText("10.0.0.5"), 0);
    EXPECT_EQ(box->currentText(), "10.0.0.5");
    EXPECT_EQ(session->connection.serverAddresses.size(), 10u);
}

TEST_F(UiTest, LogStatusAndIdentityShowWhatTheSessionSays) {
    build();
    ui::ConnectionPage* page = window->connectionPage();
    EXPECT_TRUE(page->connectionLog()->isReadOnly());
    session->op().appendConnectionLog("Try to connect!\n");
    session->op().appendConnectionLog("TAVRINO4 VXR QLM V3.2B");
    session->op().appendConnectionLog("\nSensor:CS-1");
    EXPECT_EQ(page->connectionLog()->toPlainText(), "Try to connect!\nTAVRINO4 VXR QLM V3.2B\nSensor:CS-1");

    session->op().setSensorStatus("TIMEOUT!");
    EXPECT_EQ(window->measurementDisplayPanel()->sensorStatus()->text(), "TIMEOUT!");
    session->connection.sensor.firmware = "TAVRINO4 VXR QLM V3.2.7 B";
    session->connection.notify(app::ConnectionChange::SensorIdentity);
    EXPECT_EQ(window->measurementDisplayPanel()->sensorStatus()->toolTip(), "TAVRINO4 VXR QLM V3.2.7 B");

    session->connection.linkDisplay = {false, true, 3, "192.168.0.9", {}};
    session->connection.notify(app::ConnectionChange::LinkDisplay);
    window->show();
    EXPECT_FALSE(window->measurementDisplayPanel()->comPortDisplay()->isVisible());
    EXPECT_TRUE(window->measurementDisplayPanel()->serverAddressDisplay()->isVisible());
    EXPECT_EQ(window->measurementDisplayPanel()->serverAddressDisplay()->text(), "192.168.0.9");

    // The sensor identification goes to the recorder page as well.
    page->sensorIdBox()->setText("Press 2");
    emit page->sensorIdBox()->editingFinished();
    EXPECT_EQ(session->shell.panelId, "Press 2");
    EXPECT_EQ(window->recorderPage()->panelIdDisplay()->text(), "Press 2");
    EXPECT_EQ(page->sensorIdBox()->maxLength(), 100);
}

TEST_F(UiTest, ButtonsFollowTheDimming) {
    build();
    ui::ConnectionPage* page = window->connectionPage();
    session->op().setDimmed(Dimmable::SensorButtons, true);
    for (QWidget* w :
         {static_cast<QWidget*>(page->connectButton()), static_cast<QWidget*>(page->disconnectButton()),
          static_cast<QWidget*>(page->baudRateSelect()), static_cast<QWidget*>(page->changeBaudRateButton()),
          static_cast<QWidget*>(page->hardwareInfoButton())})
        EXPECT_FALSE(w->isEnabled());
    session->op().setDimmed(Dimmable::SensorButtons, false);
    EXPECT_TRUE(page->connectButton()->isEnabled());
    EXPECT_TRUE(page->baudRateSelect()->isEnabled());
    // Only a confirmed connection undims these.
    EXPECT_FALSE(page->changeBaudRateButton()->isEnabled());
    EXPECT_FALSE(page->hardwareInfoButton()->isEnabled());
    session->op().setDimmed(Dimmable::ConfirmedConnectionButtons, false);
    EXPECT_TRUE(page->hardwareInfoButton()->isEnabled());
    EXPECT_TRUE(page->acceptButton()->isEnabled());
}

// A loopback port nobody listens on: connecting is refused at once.
quint16 closedPort() {
    QTcpServer server;
    EXPECT_TRUE(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

// Types as the operator does, without Enter and without leaving the field.
void typeWithoutCommitting(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Closing the window stores the connection page's fields as they show,
// including what was typed but not committed yet.
TEST_F(UiTest, CloseStoresWhatWasTypedButNotCommitted) {
    build();
    ui::ConnectionPage* page = window->connectionPage();
    typeWithoutCommitting(page->sensorIdBox(), "line 4");
    page->protocolSelect()->setCurrentIndex(1);
    emit page->protocolSelect()->activated(1);
    typeWithoutCommitting(page->serverAddressBox()->lineEdit(), "10.0.0.9");
    typeWithoutCommitting(page->portNumberBox(), "5021");
    window->close();
    ASSERT_EQ(quits, 1);

    const app::ConnectionSettings stored = app::readConnectionSettings(settingsFile());
    EXPECT_EQ(stored.protocol, link::Protocol::TcpIp);
    EXPECT_EQ(stored.serverAddress, "10.0.0.9");
    EXPECT_EQ(stored.portNumber, "5021");
    app::PanelSettings loaded;
    teach::RowColours rows;
    ASSERT_TRUE(app::LoadPanelSettings(settingsFile(), programDirectory(), loaded, rows));
    EXPECT_EQ(loaded.panelId, "line 4");
}

// A COM port typed into the select (a protocol switch shows the port in use
// again, so it has a case of its own).
TEST_F(UiTest, CloseStoresATypedComPort) {
    build();
    typeWithoutCommitting(window->connectionPage()->comPortSelect()->lineEdit(), "COM7");
    window->close();
    ASSERT_EQ(quits, 1);
    EXPECT_EQ(app::readConnectionSettings(settingsFile()).comPort, 7);
}

TEST_F(UiTest, StartUpWithoutSensorOffersOfflineWork) {
    app::PanelSettings stored;
    stored.connection.protocol = link::Protocol::TcpIp;
    stored.connection.serverAddress = "127.0.0.1";
    stored.connection.portNumber = std::to_string(closedPort());
    writeSettings(stored);
    build();
    scripted.closeOrOfflineAnswers.push_back(ConnectFailureChoice::Offline);
    window->connectAtStartup();

    ui::ConnectionPage* page = window->connectionPage();
    EXPECT_EQ(page->protocolSelect()->currentIndex(), 1);
    EXPECT_EQ(page->serverAddressBox()->currentText(), "127.0.0.1");
    EXPECT_TRUE(page->serverAddressBox()->isVisibleTo(page));
    EXPECT_FALSE(page->comPortSelect()->isVisibleTo(page));
    ASSERT_EQ(scripted.count("closeOrOffline"), 1u);
    const QString log = page->connectionLog()->toPlainText();
    EXPECT_TRUE(log.startsWith("Try to connect!\n")) << log.toStdString();
    EXPECT_TRUE(log.endsWith("No sensor connected!\n\n")) << log.toStdString();
    // Offline: connect stays usable, the sensor-only buttons stay dimmed.
    EXPECT_TRUE(page->connectButton()->isEnabled());
    EXPECT_FALSE(page->hardwareInfoButton()->isEnabled());
    EXPECT_EQ(session->flags.sensorConnected, 0);
    EXPECT_EQ(quits, 0);
}

TEST_F(UiTest, StartUpCloseChoiceEndsWithoutStoring) {
    app::PanelSettings stored;
    stored.panelId = "before";
    stored.connection.protocol = link::Protocol::TcpIp;
    stored.connection.serverAddress = "127.0.0.1";
    stored.connection.portNumber = std::to_string(closedPort());
    writeSettings(stored);
    build();
    window->connectionPage()->sensorIdBox()->setText("after");
    emit window->connectionPage()->sensorIdBox()->editingFinished();
    scripted.closeOrOfflineAnswers.push_back(ConnectFailureChoice::Close);
    window->connectAtStartup();
    EXPECT_EQ(quits, 1);

    app::PanelSettings loaded;
    teach::RowColours rows;
    ASSERT_TRUE(app::LoadPanelSettings(settingsFile(), programDirectory(), loaded, rows));
    EXPECT_EQ(loaded.panelId, "before");
}

} // namespace
} // namespace tavrino::test
