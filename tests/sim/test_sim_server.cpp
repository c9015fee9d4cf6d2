#include "sim_server.h"
#include "sim_test_util.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace tavrino::sim::test {
namespace {

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "test_sim";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs the event loop until `done` or the deadline.
bool waitUntil(const std::function<bool()>& done, int ms = 5000) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

Bytes firmwareReply() {
    SimulatedSensor reference;
    reference.connectionOpened(SimTime{});
    reference.receive(request(7, 0), SimTime{});
    return sentBytes(reference.takeActions());
}

// Reads from a TCP client until `count` bytes arrived.
Bytes readTcp(QTcpSocket& socket, std::size_t count) {
    Bytes got;
    waitUntil([&] {
        const QByteArray chunk = socket.readAll();
        got.insert(got.end(), chunk.begin(), chunk.end());
        return got.size() >= count;
    });
    return got;
}

class SimEndpoints : public ::testing::Test {
protected:
    SimEndpoints() { application(); }
    bool connectClient(QTcpSocket& socket) {
        socket.connectToHost(QHostAddress::LocalHost, server.tcpPort());
        return waitUntil([&] { return socket.state() == QAbstractSocket::ConnectedState; });
    }
    SimServer server{SensorConfig{}};
};

TEST_F(SimEndpoints, TcpServesOneClientAtATimeAndSurvivesDisconnects) {
    ASSERT_TRUE(server.listenTcp(QHostAddress::LocalHost, 0));
    ASSERT_NE(server.tcpPort(), 0);
    int disconnected = 0;
    QObject::connect(&server, &SimServer::clientDisconnected, [&] { ++disconnected; });

    // A PC that leaves in the middle of a request.
    QTcpSocket first;
    ASSERT_TRUE(connectClient(first));
    const Bytes ask = request(7, 0);
    first.write(reinterpret_cast<const char*>(ask.data()), 3);
    first.flush();
    first.disconnectFromHost();
    ASSERT_TRUE(waitUntil([&] { return disconnected == 1; }));

    QTcpSocket second;
    ASSERT_TRUE(connectClient(second));
    second.write(reinterpret_cast<const char*>(ask.data()), static_cast<qint64>(ask.size()));
    EXPECT_EQ(readTcp(second, 80), firmwareReply());

    // A newer PC takes over; the older one is dropped.
    QTcpSocket third;
    ASSERT_TRUE(connectClient(third));
    EXPECT_TRUE(waitUntil([&] { return second.state() == QAbstractSocket::UnconnectedState; }));
    third.write(reinterpret_cast<const char*>(ask.data()), static_cast<qint64>(ask.size()));
    EXPECT_EQ(readTcp(third, 80), firmwareReply());
}

TEST_F(SimEndpoints, TcpDisconnectFaultClosesAfterTheReplyAndLineRateKeepsFramesWhole) {
    ASSERT_TRUE(server.listenTcp(QHostAddress::LocalHost, 0));
    server.setLineRate(true);
    std::string error;
    server.sensor().addFault(*parseFault("disconnect:3", error));

    QTcpSocket client;
    ASSERT_TRUE(connectClient(client));
    auto exchange = [&](const Bytes& req, std::size_t replySize) {
        client.write(reinterpret_cast<const char*>(req.data()), static_cast<qint64>(req.size()));
        return parseFrames(readTcp(client, replySize));
    };
    EXPECT_EQ(exchange(request(190, 7), 8).at(0).order, 190); // to 921600 baud
    EXPECT_EQ(exchange(request(2, 0), 72).at(0).payload.size(), 64u);
    EXPECT_EQ(exchange(request(7, 0), 80).at(0).order, 7);
    EXPECT_TRUE(waitUntil([&] { return client.state() == QAbstractSocket::UnconnectedState; }));
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST_F(SimEndpoints, TcpAnswersRequestsSentBackToBackInTheirOrder) {
    ASSERT_TRUE(server.listenTcp(QHostAddress::LocalHost, 0));
    const Bytes stream =
        concat({request(7, 0), request(15, 0), request(2, 0), request(15, 1), request(99, 0), request(7, 0)});
    SimulatedSensor reference;
    reference.connectionOpened(SimTime{});
    reference.receive(stream, SimTime{});
    const Bytes expected = sentBytes(reference.takeActions());

    QTcpSocket client;
    ASSERT_TRUE(connectClient(client));
    client.write(reinterpret_cast<const char*>(stream.data()), static_cast<qint64>(stream.size()));
    EXPECT_EQ(readTcp(client, expected.size()), expected);
}

// How a PC leaves: a close, or a reset that drops whatever the sensor still
// had on its way.
enum class Leave { Close, Reset };

void leave(QTcpSocket& socket, Leave how) {
    if (how == Leave::Reset) {
        const linger immediately{1, 0};
        ::setsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_LINGER, &immediately,
                     sizeof immediately);
    }
    socket.abort();
}

struct VanishingPeer {
    const char* name;
    Bytes sent;
    Leave how;
    bool lineRate;
};

TEST_F(SimEndpoints, TcpPeerThatVanishesAtAnyByteLeavesTheSensorAnswering) {
    ASSERT_TRUE(server.listenTcp(QHostAddress::LocalHost, 0));
    int disconnected = 0;
    QObject::connect(&server, &SimServer::clientDisconnected, [&] { ++disconnected; });

    Bytes eight;
    for (int i = 0; i < 8; ++i)
        eight = concat({eight, request(7, 0)});
    std::vector<VanishingPeer> peers = {
        {"eight requests, close", eight, Leave::Close, false},
        {"eight requests, reset", eight, Leave::Reset, false},
        {"eight requests at line rate, close", eight, Leave::Close, true},
    };
    // Cut a request and the one behind it at every byte.
    const Bytes two = concat({request(15, 0), request(7, 0)});
    for (std::size_t cut = 1; cut < two.size(); ++cut)
        peers.push_back({"cut", Bytes(two.begin(), two.begin() + static_cast<std::ptrdiff_t>(cut)),
                         cut % 2 ? Leave::Reset : Leave::Close, false});

    for (const VanishingPeer& p : peers) {
        SCOPED_TRACE(std::string(p.name) + " after " + std::to_string(p.sent.size()) + " bytes");
        server.setLineRate(p.lineRate);
        const int before = disconnected;
        {
            QTcpSocket pc;
            ASSERT_TRUE(connectClient(pc));
            pc.write(reinterpret_cast<const char*>(p.sent.data()), static_cast<qint64>(p.sent.size()));
            ASSERT_TRUE(pc.waitForBytesWritten(5000));
            leave(pc, p.how);
        }
        ASSERT_TRUE(waitUntil([&] { return disconnected > before; }));

        server.setLineRate(false);
        QTcpSocket next;
        ASSERT_TRUE(connectClient(next));
        const Bytes ping = request(7, 0);
        next.write(reinterpret_cast<const char*>(ping.data()), static_cast<qint64>(ping.size()));
        EXPECT_EQ(readTcp(next, 80), firmwareReply());
        next.abort();
        ASSERT_TRUE(waitUntil([&] { return disconnected > before + 1; }));
    }
}

// A raw serial-port user of the pseudo-terminal.
class PtyClient {
public:
    explicit PtyClient(const QString& path) {
        fd_ = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios tio{};
        if (fd_ >= 0 && ::tcgetattr(fd_, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(fd_, TCSANOW, &tio);
        }
    }
    ~PtyClient() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    [[nodiscard]] bool isOpen() const { return fd_ >= 0; }
    void write(const Bytes& bytes) {
        ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    Bytes read(std::size_t count) {
        Bytes got;
        waitUntil([&] {
            std::uint8_t buf[512];
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n > 0)
                got.insert(got.end(), buf, buf + n);
            return got.size() >= count;
        });
        return got;
    }
    // True once the line reports a hang-up.
    bool hungUp() {
        return waitUntil([&] {
            std::uint8_t buf[64];
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            return n == 0 || (n < 0 && errno == EIO);
        });
    }

private:
    int fd_ = -1;
};

TEST_F(SimEndpoints, PtyCarriesFramesAndHangsUpOnPortError) {
    QString error;
    ASSERT_TRUE(server.openPty(&error)) << error.toStdString();
    ASSERT_TRUE(server.ptyPath().startsWith(QLatin1String("/dev/")));
    QStringList reopened;
    QObject::connect(&server, &SimServer::ptyReopened, [&](const QString& path) { reopened << path; });
    {
        PtyClient pc(server.ptyPath());
        ASSERT_TRUE(pc.isOpen());
        pc.write(request(15, 0));
        const auto frames = parseFrames(pc.read(21));
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].argument, 4711);
        EXPECT_EQ(std::string(frames[0].payload.begin(), frames[0].payload.end()),
                  std::string("TAVRINO4-SIM", 13));

        std::string faultError;
        server.sensor().addFault(*parseFault("port-error", faultError));
        pc.write(request(7, 0));
        EXPECT_TRUE(pc.hungUp());
    }
    ASSERT_TRUE(waitUntil([&] { return reopened.size() == 1; }));
    EXPECT_EQ(reopened.front(), server.ptyPath());
    server.sensor().clearFaults();
    PtyClient again(server.ptyPath());
    ASSERT_TRUE(again.isOpen());
    again.write(request(7, 0));
    EXPECT_EQ(again.read(80), firmwareReply());
}

} // namespace
} // namespace tavrino::sim::test
