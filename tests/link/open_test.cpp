// Opening the serial port and the TCP connection, and their failure reports.

#include "link_fixture.h"
#include "support/test_directory.h"

#include <fstream>
#include <sys/stat.h>
#include <termios.h>

namespace tavrino::test {
namespace {

namespace texts = link::texts;

TEST(SerialDeviceName, NumberMapsToTheDefaultDeviceAndAPathWins) {
    link::ConnectionSettings s;
    s.comPort = 1;
    EXPECT_EQ(link::serialDeviceName(s), "/dev/ttyS0");
    s.comPort = 4;
    EXPECT_EQ(link::serialDeviceName(s), "/dev/ttyS3");
    s.comDevice = "/dev/ttyUSB0";
    EXPECT_EQ(link::serialDeviceName(s), "/dev/ttyUSB0");
    s.comDevice.clear();
    s.comPort = 0;
    EXPECT_EQ(link::serialDeviceName(s), "");
}

struct OpenFailure {
    std::string name;
    std::function<void(link::ConnectionSettings&, quint16 freePort)> configure;
    int code;
};

class OpenFailureTest : public LinkFixture, public ::testing::WithParamInterface<OpenFailure> {};

TEST_P(OpenFailureTest, IsReportedWithTheTextOfItsCode) {
    const auto& c = GetParam();
    quint16 freePort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        freePort = probe.serverPort();
    }
    settings.serverAddress = "127.0.0.1";
    c.configure(settings, freePort);
    flags.running = 1;
    if (settings.protocol == link::Protocol::TcpIp)
        link.InitTCP_IP(settings);
    else
        link.InitRS232(settings);
    EXPECT_EQ(link.lastOpenResult(), c.code);
    const Text expected = settings.protocol == link::Protocol::TcpIp ? texts::tcpFailure(c.code)
                                                                     : texts::serialOpenFailure(c.code);
    EXPECT_EQ(op.connectionLog, logged(expected));
    EXPECT_EQ(op.sensorStatus, "TIMEOUT!");
    EXPECT_EQ(flags.running, 0);
    EXPECT_FALSE(link.tcpConnected());
    EXPECT_FALSE(link.serialOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Open, OpenFailureTest,
    ::testing::Values(
        OpenFailure{"NoServerListening",
                    [](link::ConnectionSettings& s, quint16 port) {
                        s.protocol = link::Protocol::TcpIp;
                        s.portNumber = std::to_string(port);
                    },
                    -4},
        OpenFailure{"PortNumberOutOfRange",
                    [](link::ConnectionSettings& s, quint16) {
                        s.protocol = link::Protocol::TcpIp;
                        s.portNumber = std::to_string(70000);
                    },
                    link::kTcpInvalidParameter},
        OpenFailure{"NoAddress",
                    [](link::ConnectionSettings& s, quint16 port) {
                        s.protocol = link::Protocol::TcpIp;
                        s.serverAddress.clear();
                        s.portNumber = std::to_string(port);
                    },
                    link::kTcpInvalidParameter},
        OpenFailure{"MissingDevice",
                    [](link::ConnectionSettings& s, quint16) { s.comDevice = "/dev/tavrino-missing"; }, -6},
        OpenFailure{"PortNumberZero", [](link::ConnectionSettings& s, quint16) { s.comPort = 0; }, -2}),
    [](const auto& info) { return info.param.name; });

TEST(FailureCodes, SerialErrorsWithoutATableEntryShowTheGenericText) {
    EXPECT_EQ(std::string(texts::serialOpenFailure(link::kSerialGenericFailure).en), "RS-232 error!");
    EXPECT_EQ(std::string(texts::serialOpenFailure(link::serialFailureCode(QSerialPort::PermissionError)).en),
              "Cannot open port");
    EXPECT_EQ(std::string(texts::tcpFailure(link::kTcpGenericFailure).en), "Connection to server failed");
    EXPECT_EQ(std::string(texts::tcpFailure(link::tcpFailureCode(QAbstractSocket::SocketTimeoutError)).en),
              "Time out error");
}

TEST_F(LinkFixture, SerialPathThatIsNoTerminalIsNamedAfterTheOpenFailure) {
    const std::string dir = testDirectory("link");
    const std::string file = dir + "/file.ini";
    std::ofstream(file) << "not a port\n";
    const std::string fifo = dir + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        std::string path;
        Language language;
        std::string_view line;
    };
    const Case cases[] = {
        {file, Language::English, " is not a serial port."},
        {dir, Language::English, " is not a serial port."},
        {"/dev/null", Language::English, " is not a serial port."},
        {fifo, Language::German, " ist keine serielle Schnittstelle."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        language = c.language;
        op.connectionLog.clear();
        settings.comDevice = c.path;
        link.InitRS232(settings);
        ASSERT_LT(link.lastOpenResult(), 0);
        EXPECT_FALSE(link.serialOpen());
        EXPECT_EQ(op.connectionLog, texts::serialOpenFailure(link.lastOpenResult()).str(c.language) + "\n" +
                                        c.path + std::string(c.line) + "\n\n");
    }
}

struct BaudCase {
    int index;
    speed_t speed;
};

class BaudRateTest : public LinkFixture, public ::testing::WithParamInterface<BaudCase> {};

TEST_P(BaudRateTest, OpensTheLineAtTheRateOfTheIndexWith8N1) {
    settings.baudIndex = static_cast<std::int16_t>(GetParam().index);
    connectPty();
    termios tio{};
    ASSERT_EQ(::tcgetattr(pty->slaveFd(), &tio), 0);
    EXPECT_EQ(::cfgetospeed(&tio), GetParam().speed);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), 0u);
    EXPECT_EQ(op.connectionLog, "");
}

INSTANTIATE_TEST_SUITE_P(Open, BaudRateTest,
                         ::testing::Values(BaudCase{0, B9600}, BaudCase{3, B57600}, BaudCase{4, B115200},
                                           BaudCase{7, B921600}, BaudCase{8, B115200},
                                           BaudCase{-1, B115200}));

TEST_F(LinkFixture, ReopeningTheTcpConnectionReplacesTheOldOneQuietly) {
    connectTcp();
    link.InitTCP_IP(settings);
    EXPECT_TRUE(link.tcpConnected());
    EXPECT_EQ(op.connectionLog, "");
    answerWith(frame(link::order::FirmwareText, 0, firmwareText()));
    EXPECT_EQ(link.request(link::order::FirmwareText, 0), 1);
}

TEST_F(LinkFixture, ClosingTheSerialPortIsQuiet) {
    connectPty();
    link.closeAll();
    EXPECT_FALSE(link.serialOpen());
    EXPECT_EQ(op.connectionLog, "");
}

} // namespace
} // namespace tavrino::test
