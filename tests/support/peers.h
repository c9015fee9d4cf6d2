#pragma once

// Scripted sensors: the test decides, request by request, which bytes go
// back. One speaks TCP from a local server, the other sits on the master side
// of a pseudo-terminal whose slave the link opens as its serial port. Needs
// the link library (frame layout, Qt network).

#include "link/frame.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace tavrino::test {

// Runs the event loop until `done` holds or `timeoutMs` passed.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    const QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, &QEventLoop::quit);
    tick.start(10);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        loop.exec();
    }
    return true;
}

// A complete frame as the sensor would send it.
inline QByteArray frame(int order, std::uint16_t argument, const QByteArray& payload = {},
                        int lengthWord = -1) {
    QByteArray bytes(static_cast<int>(link::kHeaderSize) + payload.size(), '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(bytes.data());
    std::copy(payload.begin(), payload.end(), bytes.begin() + static_cast<int>(link::kHeaderSize));
    link::writeHeader(p, order, argument, static_cast<std::uint16_t>(payload.size()));
    if (lengthWord >= 0) { // announce another length, header CRC kept valid
        link::writeU16(p + 4, static_cast<std::uint16_t>(lengthWord));
        p[7] = link::crc8Update(p, 0, 7);
    }
    return bytes;
}

inline QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

class Peer : public QObject {
public:
    // Called with every complete request frame.
    std::function<void(const QByteArray&)> onRequest;
    std::vector<QByteArray> requests;

    virtual void send(const QByteArray& bytes) = 0;
    virtual void hangUp() = 0;

    // Sends `bytes` in pieces of `piece` bytes, one piece per timer tick.
    void sendPieces(QByteArray bytes, int piece, int intervalMs = 2) {
        send(bytes.left(piece));
        bytes.remove(0, piece);
        if (!bytes.isEmpty())
            QTimer::singleShot(intervalMs, this,
                               [this, bytes, piece, intervalMs] { sendPieces(bytes, piece, intervalMs); });
    }

protected:
    void feed(const QByteArray& bytes) {
        inbox_ += bytes;
        while (inbox_.size() >= static_cast<int>(link::kHeaderSize)) {
            const auto* p = reinterpret_cast<const std::uint8_t*>(inbox_.constData());
            const int total = static_cast<int>(link::kHeaderSize) + link::readU16(p + 4);
            if (inbox_.size() < total)
                break;
            const QByteArray request = inbox_.left(total);
            inbox_.remove(0, total);
            requests.push_back(request);
            if (onRequest)
                onRequest(request);
        }
    }

private:
    QByteArray inbox_;
};

class TcpPeer final : public Peer {
public:
    TcpPeer() {
        if (!server_.listen(QHostAddress::LocalHost, 0))
            throw std::runtime_error("cannot listen");
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (server_.hasPendingConnections()) {
                QTcpSocket* socket = server_.nextPendingConnection();
                client_ = socket;
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { feed(socket->readAll()); });
            }
        });
    }
    [[nodiscard]] quint16 port() const { return server_.serverPort(); }
    void send(const QByteArray& bytes) override {
        if (client_) {
            client_->write(bytes);
            client_->flush();
        }
    }
    void hangUp() override {
        if (client_)
            client_->disconnectFromHost();
    }

private:
    QTcpServer server_;
    QPointer<QTcpSocket> client_;
};

class PtyPeer final : public Peer {
public:
    PtyPeer() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            throw std::runtime_error("no pseudo-terminal");
        path_ = ::ptsname(master_);
        ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        // Held open so the master never sees a hang-up while the link's port
        // is closed; it also lets the test read the line settings.
        slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
        notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
            char buf[4096];
            const auto n = ::read(master_, buf, sizeof buf);
            if (n > 0)
                feed(QByteArray(buf, static_cast<int>(n)));
            else if (n < 0 && errno != EAGAIN)
                notifier_->setEnabled(false);
        });
    }
    ~PtyPeer() override {
        notifier_.reset();
        if (master_ >= 0)
            ::close(master_);
        if (slave_ >= 0)
            ::close(slave_);
    }
    [[nodiscard]] const std::string& path() const { return path_; }
    [[nodiscard]] int slaveFd() const { return slave_; }
    void send(const QByteArray& bytes) override {
        int done = 0;
        while (master_ >= 0 && done < bytes.size()) {
            const auto n =
                ::write(master_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
            if (n <= 0)
                break;
            done += static_cast<int>(n);
        }
    }
    // Closes the master side: the link's port sees the line hang up.
    void hangUp() override {
        notifier_.reset();
        ::close(master_);
        master_ = -1;
        ::close(slave_);
        slave_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace tavrino::test
