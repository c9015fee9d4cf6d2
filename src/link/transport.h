#pragma once

#include <QAbstractSocket>
#include <QObject>
#include <QPointer>
#include <QSerialPort>
#include <QString>
#include <QTcpSocket>

#include <cstddef>
#include <cstdint>

class QEventLoop;

namespace tavrino::link {

// One byte stream to the sensor. The link only ever sees this interface, so
// tests can put any stream (or a double) under it.
//
// Signals:
//  - readyRead: new bytes may be available;
//  - errorOccurred(fatal): the stream failed. A fatal error is signalled once
//    per open; afterwards the stream is useless and must be closed;
//  - disconnected: the peer ended the connection (never emitted for close()).
class Transport : public QObject {
    Q_OBJECT
public:
    enum class Kind { Serial, Tcp };

    using QObject::QObject;

    [[nodiscard]] virtual Kind kind() const = 0;
    // 0 on success, otherwise the negative failure code of the link's table
    // for this kind of transport.
    virtual int open() = 0;
    // Ends an open() that is still waiting (TCP connect); open() then fails.
    virtual void abortOpen() {}
    virtual void close() = 0;
    [[nodiscard]] virtual bool isOpen() const = 0;
    // Drops everything received but not yet read, including what the system
    // holds for the stream and the transport has not fetched yet, and
    // anything still queued for sending. Never blocks.
    virtual void discardPending() = 0;
    virtual void write(const std::uint8_t* data, std::size_t size) = 0;
    [[nodiscard]] virtual std::size_t bytesAvailable() const = 0;
    // Reads at most `max` bytes; returns how many were read.
    virtual std::size_t read(std::uint8_t* data, std::size_t max) = 0;
    // The failure code (negative, link table) of the last error.
    [[nodiscard]] virtual int errorCode() const = 0;

signals:
    void readyRead();
    void errorOccurred(bool fatal);
    void disconnected();
};

// The link's code of a serial port failure (the codes of the serial failure
// table; codes outside it show the generic "RS-232 error!").
[[nodiscard]] int serialFailureCode(QSerialPort::SerialPortError error);
// The link's code of a TCP failure (the codes of the TCP failure table).
[[nodiscard]] int tcpFailureCode(QAbstractSocket::SocketError error);

inline constexpr int kSerialInvalidPort = -2;
inline constexpr int kSerialGenericFailure = -5; // not in the table: "RS-232 error!"
inline constexpr int kTcpInvalidParameter = -9;
inline constexpr int kTcpTimeout = -11;
inline constexpr int kTcpGenericFailure = -100; // not in the table: "Connection to server failed"

// The serial line: 8N1, no flow control, fixed baud rate.
class SerialTransport final : public Transport {
    Q_OBJECT
public:
    SerialTransport(QString device, int baudRate, QObject* parent = nullptr);
    ~SerialTransport() override;

    [[nodiscard]] Kind kind() const override { return Kind::Serial; }
    int open() override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return port_.isOpen() && !failed_; }
    void discardPending() override;
    void write(const std::uint8_t* data, std::size_t size) override;
    [[nodiscard]] std::size_t bytesAvailable() const override;
    std::size_t read(std::uint8_t* data, std::size_t max) override;
    [[nodiscard]] int errorCode() const override { return errorCode_; }

    [[nodiscard]] const QString& device() const { return device_; }
    // After a failed open(): the device is there but is no terminal (a
    // regular file, a directory, /dev/null ...), so no setting makes it work.
    [[nodiscard]] bool notATerminal() const { return notATerminal_; }
    // The device itself is open; after a fatal error it stays open until the
    // queued close has run, while isOpen() already says false.
    [[nodiscard]] bool portOpen() const { return port_.isOpen(); }

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    QString device_;
    int baudRate_;
    int errorCode_ = 0;
    bool failed_ = false; // a fatal error was signalled since the last open
    bool notATerminal_ = false;
};

// The TCP client connection to the sensor's server port.
class TcpTransport final : public Transport {
    Q_OBJECT
public:
    static constexpr int kConnectTimeoutMs = 5000;

    TcpTransport(QString host, quint16 port, QObject* parent = nullptr);
    ~TcpTransport() override;

    [[nodiscard]] Kind kind() const override { return Kind::Tcp; }
    // Connects without blocking the event loop: pending events are processed
    // while the connection is being set up, at most kConnectTimeoutMs.
    int open() override;
    void abortOpen() override;
    void close() override;
    [[nodiscard]] bool isOpen() const override;
    void discardPending() override;
    void write(const std::uint8_t* data, std::size_t size) override;
    [[nodiscard]] std::size_t bytesAvailable() const override;
    std::size_t read(std::uint8_t* data, std::size_t max) override;
    [[nodiscard]] int errorCode() const override { return errorCode_; }

private:
    void onStateChanged(QAbstractSocket::SocketState state);

    QTcpSocket socket_;
    QString host_;
    quint16 port_;
    int errorCode_ = 0;
    bool connected_ = false; // between a successful open and its end
    bool closing_ = false;   // close() in progress: the end is ours, not the peer's
    QPointer<QEventLoop> connectLoop_;
};

} // namespace tavrino::link
