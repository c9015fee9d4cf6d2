// Connection management against the simulated sensor (embedded, over TCP and
// over its pseudo-terminal) and against a scripted sensor for replies the
// simulator never sends.

#include "app/connection.h"
#include "app/session.h"
#include "faults.h"
#include "link/orders.h"
#include "sim_server.h"
#include "support/file_bytes.h"
#include "support/loopback_link.h"
#include "support/peers.h"
#include "support/recording_graphs.h"
#include "support/scripted_operator.h"
#include "support/test_directory.h"

#include <gtest/gtest.h>

#include <QHostAddress>
#include <QTcpServer>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace tavrino::app {
namespace {

namespace fs = std::filesystem;
using parameters::Control;
using parameters::TransferTarget;

const std::string kCouldNotConnect =
    "Could not establish connection! \nClose window or work in offline mode!";
const std::string kExpectedLog = "Try to connect!\n"
                                 "TAVRINO4 VXR QLM V3.2B"
                                 "\nSensor:TAVRINO4-SIM"
                                 "\nSerial number:4711"
                                 "\nNext calibration:2027-12-01"
                                 "\n\n";

// The words of a hardware data text back as the bytes they came from.
std::vector<std::uint8_t> bytesOfHardwareText(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 4 <= text.size(); i += 4) {
        const auto word = static_cast<std::uint16_t>(std::stoul(text.substr(i, 4), nullptr, 16));
        bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return bytes;
}

std::string iniString(IniDocument* ini, std::string_view section, std::string_view key) {
    std::string value;
    EXPECT_EQ(Ini_GetString(ini, section, key, value), 1) << section << " / " << key;
    return value;
}

int iniInt(IniDocument* ini, std::string_view section, std::string_view key) {
    std::int32_t value = -1;
    EXPECT_EQ(Ini_GetInt(ini, section, key, &value), 1) << section << " / " << key;
    return value;
}

enum class Line { Tcp, Pty };

class SimConnectionTest : public ::testing::TestWithParam<Line> {
protected:
    test::ScriptedOperator op;
    std::string dir = test::testDirectory("app");
    test::RecordingGraphs graphs;
    Session session{op, graphs, dir};
    std::unique_ptr<sim::SimServer> server;

    // The port is closed before the simulator's pseudo-terminal goes (see
    // LinkFixture).
    void TearDown() override { session.link.closeAll(); }

    // Starts the simulator and puts its endpoint on the connection page.
    void start(const sim::SensorConfig& config = {}) {
        server = std::make_unique<sim::SimServer>(config);
        QString error;
        if (GetParam() == Line::Tcp) {
            ASSERT_TRUE(server->listenTcp(QHostAddress::LocalHost, 0, &error)) << error.toStdString();
            test::useLoopbackTcp(session, server->tcpPort());
        } else {
            ASSERT_TRUE(server->openPty(&error)) << error.toStdString();
            session.connection.settings.protocol = link::Protocol::Rs232;
            session.connection.settings.comDevice = server->ptyPath().toStdString();
        }
        InitConnectPanel(session);
    }

    void addFault(const std::string& description) {
        std::string error;
        const auto fault = sim::parseFault(description, error);
        ASSERT_TRUE(fault) << error;
        server->sensor().addFault(*fault);
        server->poke();
    }

    // The speed the serial port set on the pseudo-terminal.
    [[nodiscard]] speed_t lineSpeed() const {
        const int fd = ::open(server->ptyPath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios t{};
        const int got = fd >= 0 ? ::tcgetattr(fd, &t) : -1;
        if (fd >= 0)
            ::close(fd);
        return got == 0 ? ::cfgetospeed(&t) : B0;
    }

    [[nodiscard]] bool linkOpen() const { return session.link.tcpConnected() || session.link.serialOpen(); }
};

TEST_P(SimConnectionTest, ConnectChecksTheSensorAndReadsItsParameters) {
    start();
    server->sensor().memory().ramParameters[0] = 777;
    server->sensor().memory().eepromParameters[0] = 333;

    connectButton(session);

    EXPECT_EQ(session.flags.sensorConnected, 1);
    EXPECT_EQ(op.connectionLog, kExpectedLog);
    EXPECT_EQ(op.sensorStatus, "TAVRINO4 VXR QLM V3.2B");
    EXPECT_EQ(session.connection.sensor.firmware, "TAVRINO4 VXR QLM V3.2.7 B");
    EXPECT_EQ(session.connection.sensor.name, "TAVRINO4-SIM");
    EXPECT_EQ(session.connection.sensor.serialNumber, 4711);
    EXPECT_EQ(session.connection.sensor.nextCalibration, "2027-12-01");
    // The GET of the check reads the sensor's RAM.
    EXPECT_EQ(session.parameters.controls.value(Control::Power), 777);
    EXPECT_EQ(session.parameters.set.words[0], 777);
    for (DimControl c :
         {DimControl::AcceptButton, DimControl::ChangeBaudRateButton, DimControl::HardwareInfoButton,
          DimControl::SendButton, DimControl::GoButton, DimControl::DisconnectButton})
        EXPECT_FALSE(session.dimming.dimmed(c)) << static_cast<int>(c);
    const bool tcp = GetParam() == Line::Tcp;
    EXPECT_EQ(session.connection.linkDisplay.comPortVisible, !tcp);
    EXPECT_EQ(session.connection.linkDisplay.serverAddressVisible, tcp);
    EXPECT_EQ(op.count("closeOrOffline"), 0U);
}

TEST_P(SimConnectionTest, AFirmwareMismatchRefusesTheSensor) {
    for (const auto choice : {ConnectFailureChoice::Offline, ConnectFailureChoice::Close}) {
        SCOPED_TRACE(choice == ConnectFailureChoice::Offline ? "Offline" : "Close");
        sim::SensorConfig config;
        config.firmware = "TAVRINO4 VXR QLM V3.1.9 B";
        start(config);
        op.calls.clear();
        op.connectionLog.clear();
        op.closeOrOfflineAnswers = {choice};
        int closeHooks = 0;
        const int id =
            session.shell.subscribe([&](ShellChange c) { closeHooks += c == ShellChange::CloseRequested; });
        session.shell.closeRequested = false;
        session.parameters.controls.selectTarget(TransferTarget::Ram);

        SetButtonsDimmed(session, 0, true);
        EXPECT_EQ(TryToConnect(session), -1);

        ASSERT_EQ(op.count("closeOrOffline"), 1U);
        const auto popup = std::find_if(op.calls.begin(), op.calls.end(),
                                        [](const auto& c) { return c.kind == "closeOrOffline"; });
        EXPECT_EQ(popup->title, "Message!");
        EXPECT_EQ(popup->text,
                  "Sensor firmware and scope version do not match! \nFirmware of connected sensor "
                  "is:TAVRINO4 VXR QLM V3.1\n\n" +
                      kCouldNotConnect);
        // Nothing after the firmware request went to the sensor.
        EXPECT_EQ(session.link.lastOrderSent(), link::order::FirmwareText);
        EXPECT_EQ(session.flags.sensorConnected, 0);
        EXPECT_EQ(session.connection.sensor.firmware, "TAVRINO4 VXR QLM V3.1.9 B");
        EXPECT_TRUE(session.dimming.dimmed(DimControl::AcceptButton));

        if (choice == ConnectFailureChoice::Offline) {
            EXPECT_FALSE(session.shell.closeRequested);
            EXPECT_FALSE(linkOpen());
            EXPECT_EQ(op.sensorStatus, "No sensor connected!\n\n");
            EXPECT_EQ(op.connectionLog, "Try to connect!\nNo sensor connected!\n\n");
            EXPECT_EQ(session.parameters.controls.target(), TransferTarget::File);
        } else {
            EXPECT_TRUE(session.shell.closeRequested);
            EXPECT_EQ(closeHooks, 1);
            EXPECT_EQ(op.connectionLog, "Try to connect!\n");
            EXPECT_EQ(session.parameters.controls.target(), TransferTarget::Ram);
        }
        session.shell.unsubscribe(id);
        session.link.closeAll();
    }
}

TEST_P(SimConnectionTest, AFailedIdentityRequestOffersCloseOrOffline) {
    start();
    addFault("error-reply:15:1");
    op.closeOrOfflineAnswers = {ConnectFailureChoice::Offline};
    EXPECT_EQ(TryToConnect(session), -1);
    ASSERT_EQ(op.count("closeOrOffline"), 1U);
    const auto popup = std::find_if(op.calls.begin(), op.calls.end(),
                                    [](const auto& c) { return c.kind == "closeOrOffline"; });
    EXPECT_EQ(popup->text, kCouldNotConnect);
    EXPECT_EQ(op.connectionLog, "Try to connect!\nTAVRINO4 VXR QLM V3.2B"
                                "Invalid order number! \nVerify PC and sensor software!\n\n"
                                "No sensor connected!\n\n");
    EXPECT_EQ(session.flags.sensorConnected, 0);
    EXPECT_TRUE(session.dimming.dimmed(DimControl::HardwareInfoButton));
}

TEST_P(SimConnectionTest, HardwareInformationFile) {
    start();
    auto& memory = server->sensor().memory();
    memory.zeroPoint = {11, 12, 13};
    memory.xyzOffset = {21, 22, 65535};
    memory.ramParameters[0] = 640;
    memory.eepromParameters[0] = 320;
    connectButton(session);
    ASSERT_EQ(session.flags.sensorConnected, 1) << op.connectionLog;
    session.parameters.controls.selectTarget(TransferTarget::Eeprom);
    op.connectionLog.clear();

    const std::string file = joinPath(dir, "hw.ini");
    op.fileAnswers = {FileChoice{FileChoice::Kind::New, file}};
    hardwareInfoButton(session);

    ASSERT_EQ(op.fileRequests.size(), 1U);
    const FileRequest& request = op.fileRequests[0];
    EXPECT_EQ(request.mode, FileRequest::Mode::Save);
    EXPECT_EQ(request.startDirectory, dir);
    EXPECT_EQ(request.defaultName, "HardwareInitialFile.ini");
    EXPECT_EQ(request.filter, "*.ini");
    EXPECT_EQ(request.title, "HardwareInitialFile");
    EXPECT_EQ(op.connectionLog, "File has been saved!\n" + file + "\n\n");
    EXPECT_EQ(session.shell.paths.hardwareIniFile, file);
    EXPECT_EQ(session.parameters.controls.target(), TransferTarget::Eeprom);
    EXPECT_EQ(session.calibration.zeroPoint, (std::array<std::uint16_t, 3>{11, 12, 13}));

    IniHandle ini = Ini_New(false);
    ASSERT_EQ(Ini_ReadFromFile(ini.get(), file), kIniOk);
    EXPECT_EQ(iniString(ini.get(), "GENERAL INFO", "FILE TYPE:"), "Hardware Initial File");
    EXPECT_EQ(iniString(ini.get(), "GENERAL INFO", "SCOPE VERSION:"), "TAVRINO4 VXR QLM Scope V3.2.0");
    EXPECT_EQ(iniString(ini.get(), "GENERAL INFO", "FIRMWARE VERSION:"), "TAVRINO4 VXR QLM V3.2.7 B");
    const std::string data = iniString(ini.get(), "HARDWARE INFO", "DATA");
    ASSERT_EQ(data.size(), 1024U);
    EXPECT_EQ(data.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    const auto bytes = bytesOfHardwareText(data);
    EXPECT_TRUE(
        std::equal(bytes.begin(), bytes.end(), memory.hardwareInfo.begin(), memory.hardwareInfo.end()));
    EXPECT_EQ(iniInt(ini.get(), "ZERO POINT OFFSET", "X"), 11);
    EXPECT_EQ(iniInt(ini.get(), "ZERO POINT OFFSET", "Z"), 13);
    EXPECT_EQ(iniInt(ini.get(), "XYZ OFFSET", "Y"), 22);
    EXPECT_EQ(iniInt(ini.get(), "XYZ OFFSET", "Z"), 65535);
    // Read from RAM although the target was EEPROM.
    EXPECT_EQ(iniInt(ini.get(), "PARAMETER", "POWER"), 640);
    EXPECT_EQ(Ini_NumberOfItems(ini.get(), "TEACH VECTOR 2"), 6);
    std::vector<std::string> sections;
    for (int i = 0; i < Ini_NumberOfSections(ini.get()); ++i) {
        std::string name;
        Ini_NthSectionName(ini.get(), i, name);
        sections.push_back(name);
    }
    EXPECT_EQ(sections,
              (std::vector<std::string>{"GENERAL INFO", "HARDWARE INFO", "ZERO POINT OFFSET", "XYZ OFFSET",
                                        "PARAMETER", "TEACH VECTOR 0", "TEACH VECTOR 1", "TEACH VECTOR 2"}));
}

TEST_P(SimConnectionTest, HardwareInformationFileNotChosenOrNotWritable) {
    start();
    connectButton(session);
    ASSERT_EQ(session.flags.sensorConnected, 1) << op.connectionLog;
    const std::string before = session.shell.paths.hardwareIniFile;

    op.connectionLog.clear();
    op.fileAnswers = {FileChoice{}};
    EXPECT_EQ(GenerateHWInfoFile(session), -1);
    EXPECT_EQ(op.connectionLog, "No file was selected! \nProcess will not be done!\n\n");
    EXPECT_EQ(session.shell.paths.hardwareIniFile, before);

    // A file that cannot be written is not reported as saved.
    op.connectionLog.clear();
    const std::string unwritable = joinPath(joinPath(dir, "missing"), "hw.ini");
    op.fileAnswers = {FileChoice{FileChoice::Kind::New, unwritable}};
    EXPECT_EQ(GenerateHWInfoFile(session), -1);
    EXPECT_EQ(op.connectionLog, "File could not be saved!\n" + unwritable + "\n\n");
    EXPECT_FALSE(fs::exists(unwritable));
}

TEST_P(SimConnectionTest, ChangingTheBaudRate) {
    start();
    connectButton(session);
    ASSERT_EQ(session.flags.sensorConnected, 1) << op.connectionLog;
    op.connectionLog.clear();
    session.connection.settings.baudIndex = 6;
    changeBaudrateButton(session);

    if (GetParam() == Line::Tcp) {
        // Only the serial line has a baud rate: nothing is sent.
        EXPECT_EQ(server->sensor().baudIndex(), 4);
        EXPECT_EQ(op.connectionLog, "");
        return;
    }
    EXPECT_EQ(server->sensor().baudIndex(), 6);
    EXPECT_EQ(lineSpeed(), B460800);
    EXPECT_EQ(session.flags.sensorConnected, 1);
    EXPECT_EQ(op.connectionLog, "Try to change baudrate!\nSuccess!\n" + kExpectedLog +
                                    "ATTENTION!!!   Confirm new baudrate with EEPROM and SEND!\n\n");
    EXPECT_FALSE(session.dimming.dimmed(DimControl::ChangeBaudRateButton));
    EXPECT_FALSE(session.dimming.dimmed(DimControl::GoButton));
}

TEST_P(SimConnectionTest, ABaudRateChangeTheSensorRefusesIsNotMade) {
    if (GetParam() == Line::Tcp)
        GTEST_SKIP() << "serial line only";
    start();
    connectButton(session);
    ASSERT_EQ(session.flags.sensorConnected, 1) << op.connectionLog;
    addFault("error-reply:190:1");
    op.connectionLog.clear();
    session.connection.settings.baudIndex = 6;
    EXPECT_EQ(ChangeBaudrate(session), -1);
    // The port stays open at the old rate and nobody reconnects.
    EXPECT_EQ(lineSpeed(), B115200);
    EXPECT_EQ(op.connectionLog,
              "Try to change baudrate!\nInvalid order number! \nVerify PC and sensor software!\n\n");
    EXPECT_TRUE(session.link.serialOpen());
    EXPECT_EQ(session.flags.sensorConnected, 0);
}

INSTANTIATE_TEST_SUITE_P(Sim, SimConnectionTest, ::testing::Values(Line::Tcp, Line::Pty),
                         [](const auto& info) { return info.param == Line::Tcp ? "Tcp" : "Pty"; });

// ---------------------------------------------------------------- no sensor

class OfflineTest : public ::testing::Test {
protected:
    test::ScriptedOperator op;
    std::string dir = test::testDirectory("app");
    test::RecordingGraphs graphs;
    Session session{op, graphs, dir};
};

TEST_F(OfflineTest, OfflineAfterAFailedConnectLeavesSendAndGetUsableWithTargetFile) {
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    test::useLoopbackTcp(session, port);
    InitConnectPanel(session);
    op.closeOrOfflineAnswers = {ConnectFailureChoice::Offline};

    connectButton(session);

    ASSERT_EQ(op.count("closeOrOffline"), 1U);
    EXPECT_NE(op.connectionLog.find("No sensor connected!\n\n"), std::string::npos);
    EXPECT_EQ(session.parameters.controls.target(), TransferTarget::File);
    for (DimControl c : {DimControl::SendButton, DimControl::GetButton, DimControl::ConnectButton,
                         DimControl::BaudRateSelect})
        EXPECT_FALSE(session.dimming.dimmed(c)) << static_cast<int>(c);
    for (DimControl c : {DimControl::GoButton, DimControl::DisconnectButton, DimControl::AcceptButton,
                         DimControl::HardwareInfoButton, DimControl::RamSelect})
        EXPECT_TRUE(session.dimming.dimmed(c)) << static_cast<int>(c);
    // SEND writes the parameter file the operator chooses, GET reads it back.
    const std::string file = dir + "/offline.ini";
    op.fileAnswers = {{FileChoice::Kind::New, file}, {FileChoice::Kind::Existing, file}};
    EXPECT_EQ(session.parameters.transfer.sendButton(), 1);
    EXPECT_EQ(session.parameters.transfer.getButton(), 1);
    EXPECT_EQ(session.shell.paths.parameterFile, file);
    EXPECT_TRUE(op.fileAnswers.empty());
}

TEST_F(OfflineTest, SettingsFileToConnectionPageAndBack) {
    {
        std::ofstream out(session.panelSettingsFile(), std::ios::binary);
        out << "[GENERAL INFO]\nFILE TYPE: = \"Panel Settings\"\nPANEL ID: = \"P7\"\nLANGUAGE = 0\n"
               "[IP ADDRESSES]\nLIST ITEMS = 2\nIP ADDR 1 = \"one\"\nIP ADDR 2 = \"two\"\n"
               "[COMMUNICATION SETTINGS]\nCOMPROTOCOL = 1\nIP ADRESS = \"two\"\nPORT NUMBER = \"6001\"\n"
               "[TABLE ATTR OF TEACH VECTOR 2]\nRow color = 65280\n";
    }
    std::vector<ConnectionChange> changes;
    session.connection.subscribe([&](ConnectionChange c) { changes.push_back(c); });
    loadPanelSettings(session);
    GetConnectionSettingsFromFile(session);
    InitConnectPanel(session);

    EXPECT_EQ(session.language(), Language::German);
    EXPECT_EQ(session.shell.panelId, "P7");
    EXPECT_EQ(session.connection.serverAddresses.entries(), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(session.parameters.teachTable.colourCell(2), (teach::Rgb{0, 255, 0}));
    EXPECT_EQ(session.parameters.teachTable.colourCell(0), (teach::Rgb{255, 0, 0}));
    EXPECT_EQ(session.connection.settings.protocol, link::Protocol::TcpIp);
    EXPECT_EQ(session.connection.settings.portNumber, "6001");
    EXPECT_FALSE(session.connection.controlVisible(ConnectionControl::ComPortSelect));
    EXPECT_TRUE(session.connection.controlVisible(ConnectionControl::ServerAddressBox));
    EXPECT_NE(std::find(changes.begin(), changes.end(), ConnectionChange::Panel), changes.end());

    // Editing the page dims what needs a confirmed connection; accept stores.
    session.dimming.setConfirmedConnectionButtons(false);
    serverAddressCommitted(session, "two");
    EXPECT_TRUE(session.dimming.dimmed(DimControl::AcceptButton));
    EXPECT_FALSE(session.dimming.dimmed(DimControl::HardwareInfoButton));
    protocolChanged(session, link::Protocol::Rs232);
    EXPECT_TRUE(session.dimming.dimmed(DimControl::HardwareInfoButton));
    EXPECT_TRUE(session.connection.controlVisible(ConnectionControl::ComPortSelect));
    acceptButton(session);
    EXPECT_EQ(op.currentTab, MainTab::SensorParameter);

    Session again{op, graphs, dir};
    loadPanelSettings(again);
    GetConnectionSettingsFromFile(again);
    EXPECT_EQ(again.connection.serverAddresses.entries(), (std::vector<std::string>{"two", "one"}));
    EXPECT_EQ(again.connection.settings.protocol, link::Protocol::Rs232);
    EXPECT_EQ(again.connection.settings.serverAddress, "two");
    EXPECT_EQ(again.language(), Language::German);
    EXPECT_EQ(again.rowColours.colour(2), 65280);
}

// ---------------------------------------------------------------- scripted sensor

// Replies the simulator never gives: texts without a terminating zero and
// longer than their fields, short offset and hardware records.
TEST(ScriptedSensorConnection, OverlongTextsAreCutAndShortRecordsAreRefused) {
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session session{op, graphs, test::testDirectory("app")};
    test::TcpPeer peer;
    const QByteArray firmware = QByteArray("TAVRINO4 VXR QLM V3.2.7 B") + QByteArray(80 - 25, 'x');
    QByteArray offsets = test::bytesOf({7, 0, 8});
    peer.onRequest = [&](const QByteArray& request) {
        const int order = static_cast<std::uint8_t>(request[1]);
        const int argument = static_cast<std::uint8_t>(request[2]);
        switch (order) {
        case link::order::FirmwareText:
            peer.send(test::frame(order, 0, firmware));
            break;
        case link::order::SensorIdentity:
            peer.send(
                test::frame(order, argument == 0 ? 65535 : 0, QByteArray(argument == 0 ? 300 : 400, 'n')));
            break;
        case link::order::GetParameters:
            peer.send(test::frame(order, 0, QByteArray(argument == 0 ? 64 : 96, '\0')));
            break;
        case link::order::GetOffset:
            peer.send(test::frame(order, 0, offsets));
            break;
        case link::order::HardwareInfo:
            peer.send(test::frame(order, 0, test::bytesOf({0xCD, 0xAB, 0x01})));
            break;
        default:
            peer.send(test::frame(0, 1));
        }
    };
    test::useLoopbackTcp(session, peer.port());
    InitConnectPanel(session);

    ASSERT_EQ(TryToConnect(session), 1) << op.connectionLog;
    EXPECT_EQ(session.connection.sensor.firmware, firmware.left(72).toStdString());
    EXPECT_EQ(session.connection.sensor.name, std::string(255, 'n'));
    EXPECT_EQ(session.connection.sensor.serialNumber, 65535);
    EXPECT_EQ(session.connection.sensor.nextCalibration, std::string(255, 'n'));
    EXPECT_NE(op.connectionLog.find("\nSerial number:65535\n"), std::string::npos);

    // A short offset record, then, with the offsets whole, a short hardware
    // record: each is one bad data frame, and no file is written.
    const std::string file = joinPath(session.programDirectory(), "short.ini");
    const std::string badData = "ATTENTION! \nReceived data frame is incorrect!\n\n";
    for (int round = 0; round < 2; ++round) {
        op.connectionLog.clear();
        EXPECT_EQ(GenerateHWInfoFile(session, file), -1) << round;
        EXPECT_EQ(op.connectionLog, badData) << round;
        EXPECT_FALSE(fs::exists(file)) << round;
        offsets = QByteArray(12, '\1');
    }
    EXPECT_EQ(session.calibration.zeroPoint, (std::array<std::uint16_t, 3>{257, 257, 257}));
}

TEST(PanelSettingsStore, AFailedStoreIsReportedAndKeepsTheOldFile) {
    const std::string dir = test::testDirectory("app");
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session session{op, graphs, dir};
    const std::string file = session.panelSettingsFile();
    {
        std::ofstream old(file, std::ios::binary);
        old << "[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\n";
    }
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_LT(storePanelSettings(session), 0);
    ASSERT_EQ(op.messages().size(), 1U);
    EXPECT_EQ(op.messages()[0], "File could not be saved!\n" + file);
    EXPECT_EQ(test::readFileBytes(file), "[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\n");
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
}

} // namespace
} // namespace tavrino::app
