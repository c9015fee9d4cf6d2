#include "sim_server.h"

#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/timerfd.h>
#endif

namespace tavrino::sim {

namespace {

// What the pseudo-terminal buffers for a PC that does not read; older bytes
// are dropped beyond it.
constexpr qsizetype kPtyBacklog = 64 * 1024;

// With line-rate pacing the bytes of a frame leave in pieces at least this
// far apart (like a serial adapter handing over what it has); the frame's
// last byte still leaves when it is due.
constexpr SimTime kPacedPieceInterval = std::chrono::milliseconds(1);

std::chrono::milliseconds timerDelay(SimTime until) {
    return until <= SimTime{} ? std::chrono::milliseconds{0}
                              : std::chrono::ceil<std::chrono::milliseconds>(until);
}

} // namespace

SimServer::SimServer(SensorConfig config, QObject* parent) : QObject(parent), sensor_(std::move(config)) {
    clock_.start();
    pumpTimer_.setSingleShot(true);
    pumpTimer_.setTimerType(Qt::PreciseTimer);
    wakeTimer_.setSingleShot(true);
    wakeTimer_.setTimerType(Qt::PreciseTimer);
    connect(&pumpTimer_, &QTimer::timeout, this, &SimServer::pump);
    connect(&wakeTimer_, &QTimer::timeout, this, &SimServer::poke);
}

SimServer::~SimServer() {
    delete pumpNotifier_;
    if (pumpFd_ >= 0)
        ::close(pumpFd_);
    closePty();
    if (client_) {
        // No slots and no signals from a server that is going away.
        client_->disconnect(this);
        client_->abort();
    }
}

SimTime SimServer::now() const {
    return SimTime{clock_.nsecsElapsed()};
}

void SimServer::setLogger(std::function<void(const std::string&)> logger) {
    logger_ = std::move(logger);
    if (!logger_) {
        sensor_.setLogger({});
        return;
    }
    sensor_.setLogger([this](const std::string& line) { log(line); });
}

void SimServer::log(const std::string& line) const {
    if (!logger_)
        return;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "[%10.3f] ", std::chrono::duration<double>(now()).count());
    logger_(stamp + line);
}

void SimServer::poke() {
    sensor_.advance(now());
    pump();
    scheduleWakeup();
}

bool SimServer::listenTcp(const QHostAddress& address, quint16 port, QString* error) {
    if (!tcpServer_) {
        tcpServer_ = new QTcpServer(this);
        connect(tcpServer_, &QTcpServer::newConnection, this, &SimServer::onNewConnection);
    }
    if (tcpServer_->listen(address, port))
        return true;
    if (error)
        *error = tcpServer_->errorString();
    return false;
}

quint16 SimServer::tcpPort() const {
    return tcpServer_ ? tcpServer_->serverPort() : 0;
}

QHostAddress SimServer::tcpAddress() const {
    return tcpServer_ ? tcpServer_->serverAddress() : QHostAddress{};
}

void SimServer::onNewConnection() {
    while (QTcpSocket* socket = tcpServer_->nextPendingConnection()) {
        // The newest PC wins: a client that vanished without closing must not
        // lock the sensor away from the next one.
        if (client_) {
            log("tcp: replacing the previous connection");
            dropClient();
        }
        client_ = socket;
        socket->setParent(this);
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, &SimServer::onTcpReadyRead);
        connect(socket, &QTcpSocket::disconnected, this, &SimServer::onTcpDisconnected);
        log("tcp: connection from " + socket->peerAddress().toString().toStdString() + ":" +
            std::to_string(socket->peerPort()));
        startSession(Endpoint::Tcp, now());
        scheduleWakeup();
        emit clientConnected();
    }
}

void SimServer::onTcpReadyRead() {
    auto* socket = qobject_cast<QTcpSocket*>(sender());
    if (!socket || socket != client_)
        return;
    const QByteArray data = socket->readAll();
    feed(Endpoint::Tcp, data.constData(), data.size());
}

void SimServer::onTcpDisconnected() {
    auto* socket = qobject_cast<QTcpSocket*>(sender());
    if (!socket)
        return;
    if (socket == client_) {
        log("tcp: connection closed by the PC");
        client_.clear();
        if (active_ == Endpoint::Tcp)
            startSession(Endpoint::None, now());
        emit clientDisconnected();
    }
    socket->deleteLater();
}

void SimServer::dropClient() {
    if (!client_)
        return;
    QTcpSocket* socket = client_;
    client_.clear();
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    if (active_ == Endpoint::Tcp)
        active_ = Endpoint::None;
    emit clientDisconnected();
}

bool SimServer::openPty(QString* error) {
    auto fail = [&](const char* what) {
        if (error)
            *error = QString::fromLatin1("%1: %2").arg(QString::fromLatin1(what),
                                                       QString::fromLocal8Bit(std::strerror(errno)));
        closePty();
        return false;
    };
    closePty();
    ptyMaster_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (ptyMaster_ < 0)
        return fail("posix_openpt");
    if (::grantpt(ptyMaster_) != 0 || ::unlockpt(ptyMaster_) != 0)
        return fail("grantpt/unlockpt");
    char name[128];
    if (::ptsname_r(ptyMaster_, name, sizeof name) != 0)
        return fail("ptsname");
    ptySlave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (ptySlave_ < 0)
        return fail("open slave");
    // Raw line: no echo of the PC's bytes back to the sensor, no line
    // editing, no CR/LF translation.
    termios tio{};
    if (::tcgetattr(ptySlave_, &tio) != 0)
        return fail("tcgetattr");
    ::cfmakeraw(&tio);
    if (::tcsetattr(ptySlave_, TCSANOW, &tio) != 0)
        return fail("tcsetattr");
    if (::fcntl(ptyMaster_, F_SETFL, ::fcntl(ptyMaster_, F_GETFL) | O_NONBLOCK) != 0)
        return fail("fcntl");
    ptyPath_ = QString::fromLocal8Bit(name);
    ptyReadNotifier_ = new QSocketNotifier(ptyMaster_, QSocketNotifier::Read, this);
    connect(ptyReadNotifier_, &QSocketNotifier::activated, this, &SimServer::onPtyReadable);
    ptyWriteNotifier_ = new QSocketNotifier(ptyMaster_, QSocketNotifier::Write, this);
    ptyWriteNotifier_->setEnabled(false);
    connect(ptyWriteNotifier_, &QSocketNotifier::activated, this, &SimServer::onPtyWritable);
    log("pty: " + ptyPath_.toStdString());
    return true;
}

void SimServer::closePty() {
    delete ptyReadNotifier_;
    ptyReadNotifier_ = nullptr;
    delete ptyWriteNotifier_;
    ptyWriteNotifier_ = nullptr;
    if (ptySlave_ >= 0)
        ::close(ptySlave_);
    if (ptyMaster_ >= 0)
        ::close(ptyMaster_);
    ptySlave_ = ptyMaster_ = -1;
    ptyOut_.clear();
    ptyPath_.clear();
}

void SimServer::onPtyReadable() {
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(ptyMaster_, buf, sizeof buf);
        if (n > 0) {
            feed(Endpoint::Pty, buf, n);
            if (ptyMaster_ < 0) // hung up while handling the bytes
                return;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        // Not expected while the sensor holds the slave open; stop listening
        // instead of spinning on it.
        log("pty: read failed, no longer reading");
        ptyReadNotifier_->setEnabled(false);
        return;
    }
}

void SimServer::onPtyWritable() {
    flushPty();
}

void SimServer::flushPty() {
    while (!ptyOut_.isEmpty() && ptyMaster_ >= 0) {
        const ssize_t n = ::write(ptyMaster_, ptyOut_.constData(), static_cast<size_t>(ptyOut_.size()));
        if (n > 0) {
            ptyOut_.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // full (EAGAIN) or failed; retry when writable
    }
    if (ptyWriteNotifier_)
        ptyWriteNotifier_->setEnabled(!ptyOut_.isEmpty());
}

void SimServer::startSession(Endpoint endpoint, SimTime t) {
    ++session_;
    active_ = endpoint;
    queue_.clear();
    frontStarted_ = false;
    sensor_.connectionOpened(t);
}

void SimServer::feed(Endpoint from, const char* data, qint64 size) {
    const SimTime t = now();
    if (from != active_) {
        log(from == Endpoint::Tcp ? "tcp: PC active" : "pty: PC active");
        startSession(from, t);
    }
    sensor_.receive({reinterpret_cast<const std::uint8_t*>(data), static_cast<std::size_t>(size)}, t);
    pump();
    scheduleWakeup();
}

void SimServer::scheduleWakeup() {
    const auto next = sensor_.nextWakeup();
    if (!next) {
        wakeTimer_.stop();
        return;
    }
    wakeTimer_.start(timerDelay(*next - now()));
}

void SimServer::armPump(SimTime delay) {
#ifdef __linux__
    // Made on first use: a server may be built before the application object
    // whose event loop the notifier needs.
    if (pumpFd_ < 0) {
        pumpFd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        if (pumpFd_ >= 0) {
            pumpNotifier_ = new QSocketNotifier(pumpFd_, QSocketNotifier::Read, this);
            connect(pumpNotifier_, &QSocketNotifier::activated, this, [this] {
                std::uint64_t expirations = 0;
                if (::read(pumpFd_, &expirations, sizeof expirations) > 0)
                    pump();
            });
        }
    }
    if (pumpFd_ >= 0) {
        // A zero value would disarm the timer; a wake-up that is due now is
        // one nanosecond away.
        const std::int64_t ns = std::max<std::int64_t>(delay.count(), 1);
        itimerspec timer{};
        timer.it_value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        timer.it_value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        if (::timerfd_settime(pumpFd_, 0, &timer, nullptr) == 0)
            return;
    }
#endif
    pumpTimer_.start(timerDelay(delay));
}

void SimServer::writeOut(const std::uint8_t* data, std::size_t size) {
    if (active_ == Endpoint::Tcp && client_) {
        // flush() may find the peer gone and close the socket, which clears
        // client_ through onTcpDisconnected.
        QTcpSocket* socket = client_;
        socket->write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
        socket->flush();
    } else if (active_ == Endpoint::Pty && ptyMaster_ >= 0) {
        ptyOut_.append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
        if (ptyOut_.size() > kPtyBacklog)
            ptyOut_.remove(0, ptyOut_.size() - kPtyBacklog);
        flushPty();
    }
}

void SimServer::hangUp() {
    if (active_ == Endpoint::Tcp) {
        dropClient();
        return;
    }
    if (active_ == Endpoint::Pty) {
        closePty();
        active_ = Endpoint::None;
        QString error;
        if (openPty(&error))
            emit ptyReopened(ptyPath_);
        else
            log("pty: could not open a new pseudo-terminal: " + error.toStdString());
    }
}

void SimServer::pump() {
    // Signals sent while the queue is being worked through (a closed
    // connection, a new pseudo-terminal) may lead back here; that call only
    // asks for one more round.
    if (pumping_) {
        pumpAgain_ = true;
        return;
    }
    pumping_ = true;
    do {
        pumpAgain_ = false;
        pumpQueue();
    } while (pumpAgain_);
    pumping_ = false;
}

void SimServer::pumpQueue() {
    for (Action& a : sensor_.takeActions())
        queue_.push_back(std::move(a));
    while (!queue_.empty()) {
        Action& a = queue_.front();
        const SimTime t = now();
        const bool paced = a.kind == Action::Kind::Send && a.byteTime > SimTime{};
        if (!frontStarted_) {
            // A paced frame also waits until the line is free. Its first byte
            // is due one byte time after its start, so it is started at once
            // and waits below for its bytes.
            const SimTime start = paced ? std::max(a.notBefore, lineFree_) : a.notBefore;
            if (start > t && !paced) {
                armPump(start - t);
                return;
            }
            frontStarted_ = true;
            frontStart_ = start;
            frontSent_ = 0;
        }
        if (a.kind != Action::Kind::Send) {
            // Closing drops whatever was still queued for this connection.
            const bool hangUpLine = a.kind == Action::Kind::HangUp || active_ == Endpoint::Pty;
            queue_.clear();
            frontStarted_ = false;
            if (hangUpLine)
                hangUp();
            else
                dropClient();
            sensor_.connectionOpened(now());
            return;
        }
        std::size_t due = a.bytes.size();
        if (paced)
            due = t < frontStart_
                      ? 0
                      : std::min<std::size_t>(due, static_cast<std::size_t>((t - frontStart_) / a.byteTime));
        if (due > frontSent_) {
            const std::uint64_t session = session_;
            writeOut(a.bytes.data() + frontSent_, due - frontSent_);
            if (session != session_)
                return; // the write ended the session; `a` went with its queue
            frontSent_ = due;
        }
        const SimTime frameEnd = frontStart_ + static_cast<std::int64_t>(a.bytes.size()) * a.byteTime;
        if (frontSent_ < a.bytes.size()) {
            const SimTime nextByte = frontStart_ + static_cast<std::int64_t>(frontSent_ + 1) * a.byteTime;
            armPump(std::min(std::max(nextByte, t + kPacedPieceInterval), frameEnd) - t);
            return;
        }
        if (paced)
            lineFree_ = frameEnd;
        queue_.pop_front();
        frontStarted_ = false;
    }
}

} // namespace tavrino::sim
