#include "link/transport.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <utility>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavrino::link {

namespace {

// Whether `device` names something that exists and is no terminal. Asked only
// after the port failed to open, so that a real port is never opened twice.
bool existsButIsNoTerminal(const QString& device) {
#ifdef Q_OS_UNIX
    // A bare name means a device in /dev, as the serial port itself takes it.
    QString path = device;
    if (!path.startsWith(QLatin1Char('/')) && !path.startsWith(QLatin1String("./")) &&
        !path.startsWith(QLatin1String("../")))
        path.prepend(QLatin1String("/dev/"));
    const QByteArray native = path.toLocal8Bit();
    struct stat info {};
    if (::stat(native.constData(), &info) != 0)
        return false; // not there: the open failure says so
    if (!S_ISCHR(info.st_mode))
        return true;
    // A character device may still be no terminal (/dev/null). One that
    // cannot be opened (busy, no permission) is left to the open failure.
    const int fd = ::open(native.constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool terminal = ::isatty(fd) == 1;
    ::close(fd);
    return !terminal;
#else
    Q_UNUSED(device);
    return false;
#endif
}

} // namespace

int serialFailureCode(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
        return 0;
    case QSerialPort::DeviceNotFoundError:
        return -6;                     // "No serial port found"
    case QSerialPort::PermissionError: // busy or not permitted
    case QSerialPort::OpenError:
        return -7; // "Cannot open port"
    case QSerialPort::NotOpenError:
        return -3; // "Port is not open"
    case QSerialPort::UnsupportedOperationError:
        return -14; // the line settings, in practice the baud rate
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::ResourceError:
        return -4; // "Unknown I/0 error"
    case QSerialPort::TimeoutError:
        return -99;
    case QSerialPort::UnknownError:
        return -1;
    default:
        return kSerialGenericFailure;
    }
}

int tcpFailureCode(QAbstractSocket::SocketError error) {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return -4; // "Failed to connect"
    case QAbstractSocket::HostNotFoundError:
        return -2; // "Unable to establish connection"
    case QAbstractSocket::SocketTimeoutError:
        return kTcpTimeout;
    case QAbstractSocket::RemoteHostClosedError:
        return -14; // "Connection closed"
    case QAbstractSocket::NetworkError:
        return -13; // "General IO error"
    case QAbstractSocket::SocketResourceError:
        return -10; // "Out of memory"
    case QAbstractSocket::UnsupportedSocketOperationError:
    case QAbstractSocket::SocketAddressNotAvailableError:
        return kTcpInvalidParameter;
    case QAbstractSocket::SocketAccessError:
        return -17; // "Network subsystem not ready"
    case QAbstractSocket::OperationError:
        return -12; // "No connection established"
    default:
        return kTcpGenericFailure;
    }
}

// ---------------------------------------------------------------- serial

SerialTransport::SerialTransport(QString device, int baudRate, QObject* parent)
    : Transport(parent), device_(std::move(device)), baudRate_(baudRate) {
    port_.setPortName(device_);
    connect(&port_, &QSerialPort::readyRead, this, &Transport::readyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &SerialTransport::onError);
}

SerialTransport::~SerialTransport() {
    // Closing must not signal into a half-destroyed transport.
    QObject::disconnect(&port_, nullptr, this, nullptr);
    port_.close();
}

int SerialTransport::open() {
    failed_ = false;
    notATerminal_ = false;
    errorCode_ = 0;
    if (device_.isEmpty()) {
        errorCode_ = kSerialInvalidPort;
        return errorCode_;
    }
    port_.setBaudRate(baudRate_);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        errorCode_ = serialFailureCode(port_.error());
        if (errorCode_ == 0)
            errorCode_ = kSerialGenericFailure;
        port_.clearError();
        notATerminal_ = existsButIsNoTerminal(device_);
        return errorCode_;
    }
    port_.clear(QSerialPort::AllDirections);
    return 0;
}

void SerialTransport::close() {
    if (port_.isOpen())
        port_.close();
    port_.clearError();
}

void SerialTransport::discardPending() {
    if (!port_.isOpen())
        return;
    port_.clear(QSerialPort::AllDirections);
    // clear() drops the driver's queue; bytes Qt had already fetched are
    // still in its own buffer.
    port_.skip(port_.bytesAvailable());
}

void SerialTransport::write(const std::uint8_t* data, std::size_t size) {
    if (port_.isOpen())
        port_.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
}

std::size_t SerialTransport::bytesAvailable() const {
    return port_.isOpen() ? static_cast<std::size_t>(std::max<qint64>(port_.bytesAvailable(), 0)) : 0;
}

std::size_t SerialTransport::read(std::uint8_t* data, std::size_t max) {
    if (!port_.isOpen() || max == 0)
        return 0;
    const qint64 n = port_.read(reinterpret_cast<char*>(data), static_cast<qint64>(max));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void SerialTransport::onError(QSerialPort::SerialPortError error) {
    // Errors of a failing open() are returned by open() itself. A hung-up
    // device keeps signalling errors many times a second until the port is
    // closed; only the first one counts.
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !port_.isOpen() || failed_)
        return;
    failed_ = true;
    errorCode_ = serialFailureCode(error);
    emit errorOccurred(true);
}

// ---------------------------------------------------------------- TCP

TcpTransport::TcpTransport(QString host, quint16 port, QObject* parent)
    : Transport(parent), host_(std::move(host)), port_(port) {
    connect(&socket_, &QTcpSocket::readyRead, this, &Transport::readyRead);
    connect(&socket_, &QAbstractSocket::stateChanged, this, &TcpTransport::onStateChanged);
    connect(&socket_, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        // A time-out only says that a wait of discardPending() found nothing:
        // the connect has a deadline of its own.
        if (connected_ && !closing_ && error != QAbstractSocket::SocketTimeoutError) {
            errorCode_ = tcpFailureCode(error);
            emit errorOccurred(false);
        }
    });
}

TcpTransport::~TcpTransport() {
    // The socket's own destructor would disconnect and signal into a
    // half-destroyed transport.
    QObject::disconnect(&socket_, nullptr, this, nullptr);
    socket_.abort();
}

int TcpTransport::open() {
    errorCode_ = 0;
    connected_ = false;
    if (host_.isEmpty() || port_ == 0) {
        errorCode_ = kTcpInvalidParameter;
        return errorCode_;
    }
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    bool timedOut = false;
    connect(&socket_, &QAbstractSocket::connected, &loop, &QEventLoop::quit);
    connect(&socket_, &QAbstractSocket::errorOccurred, &loop, &QEventLoop::quit);
    connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    connectLoop_ = &loop;
    socket_.connectToHost(host_, port_);
    deadline.start(kConnectTimeoutMs);
    // An error may already have ended the attempt inside connectToHost().
    const auto settling = [this] {
        const auto s = socket_.state();
        return s == QAbstractSocket::HostLookupState || s == QAbstractSocket::ConnectingState;
    };
    if (settling())
        loop.exec();
    connectLoop_ = nullptr;

    if (socket_.state() == QAbstractSocket::ConnectedState) {
        socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connected_ = true;
        return 0;
    }
    if (timedOut)
        errorCode_ = kTcpTimeout;
    else if (settling()) // abortOpen()
        errorCode_ = kTcpGenericFailure;
    else
        errorCode_ = tcpFailureCode(socket_.error());
    closing_ = true;
    socket_.abort();
    closing_ = false;
    return errorCode_;
}

void TcpTransport::abortOpen() {
    if (connectLoop_)
        connectLoop_->quit();
}

void TcpTransport::close() {
    abortOpen();
    closing_ = true;
    socket_.abort();
    closing_ = false;
    connected_ = false;
}

bool TcpTransport::isOpen() const {
    return connected_;
}

void TcpTransport::discardPending() {
    // The socket's buffer holds only what the event loop has fetched so far;
    // a frame that came since is still with the system. A wait of zero lets
    // the socket fetch it without blocking, and a round that finds nothing
    // ends the drain. A peer that never pauses cannot hold the exchange
    // here: after a bounded number of rounds what still comes is judged as
    // the reply.
    constexpr int kMaxRounds = 64;
    socket_.skip(socket_.bytesAvailable());
    for (int round = 0; round < kMaxRounds && connected_ && socket_.waitForReadyRead(0); ++round)
        socket_.skip(socket_.bytesAvailable());
}

void TcpTransport::write(const std::uint8_t* data, std::size_t size) {
    if (connected_)
        socket_.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
}

std::size_t TcpTransport::bytesAvailable() const {
    return static_cast<std::size_t>(std::max<qint64>(socket_.bytesAvailable(), 0));
}

std::size_t TcpTransport::read(std::uint8_t* data, std::size_t max) {
    if (max == 0)
        return 0;
    // Bytes that arrived before the peer closed stay readable.
    const qint64 n = socket_.read(reinterpret_cast<char*>(data), static_cast<qint64>(max));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void TcpTransport::onStateChanged(QAbstractSocket::SocketState state) {
    if (state == QAbstractSocket::UnconnectedState && connected_ && !closing_) {
        connected_ = false;
        emit disconnected();
    }
}

} // namespace tavrino::link
