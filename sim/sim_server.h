#pragma once

#include "simulated_sensor.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <string>

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;

namespace tavrino::sim {

// Puts a SimulatedSensor on a TCP listener and/or a pseudo-terminal. One PC
// connection is served at a time; whoever sent bytes last (or connected last
// over TCP) is the PC. Replies leave in one write each unless a fault or the
// line-rate pacing says otherwise. Everything runs on the thread's event loop.
class SimServer : public QObject {
    Q_OBJECT
public:
    explicit SimServer(SensorConfig config, QObject* parent = nullptr);
    ~SimServer() override;
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Listens for the PC; port 0 picks a free port (see tcpPort()).
    bool listenTcp(const QHostAddress& address, quint16 port, QString* error = nullptr);
    [[nodiscard]] quint16 tcpPort() const;
    [[nodiscard]] QHostAddress tcpAddress() const;

    // Opens a pseudo-terminal pair; the PC opens ptyPath() as its serial port.
    bool openPty(QString* error = nullptr);
    [[nodiscard]] QString ptyPath() const { return ptyPath_; }

    void setLineRate(bool on) { sensor_.setLineRate(on); }
    // One line per event (requests, replies, faults, connections).
    void setLogger(std::function<void(const std::string&)> logger);

    // The sensor behind the endpoints, for faults and inspection. Call
    // poke() after changing it so that pending work is rescheduled.
    [[nodiscard]] SimulatedSensor& sensor() { return sensor_; }
    void poke();

signals:
    // The pseudo-terminal was hung up (fault) and a new one opened.
    void ptyReopened(const QString& path);
    void clientConnected();
    void clientDisconnected();

private:
    enum class Endpoint { None, Tcp, Pty };

    void onNewConnection();
    void onTcpReadyRead();
    void onTcpDisconnected();
    void onPtyReadable();
    void onPtyWritable();
    // `endpoint` becomes the PC's line: what was queued for the previous PC
    // is dropped and the sensor starts a new connection.
    void startSession(Endpoint endpoint, SimTime t);
    void feed(Endpoint from, const char* data, qint64 size);
    void pump();
    void pumpQueue();
    void scheduleWakeup();
    void armPump(SimTime delay);
    void writeOut(const std::uint8_t* data, std::size_t size);
    void flushPty();
    void dropClient();
    void closePty();
    void hangUp();
    [[nodiscard]] SimTime now() const;
    void log(const std::string& line) const;

    SimulatedSensor sensor_;
    QElapsedTimer clock_;
    std::function<void(const std::string&)> logger_;
    Endpoint active_ = Endpoint::None;

    QTcpServer* tcpServer_ = nullptr; // child
    QPointer<QTcpSocket> client_;

    int ptyMaster_ = -1;
    int ptySlave_ = -1; // kept open so that the master never reads a hang-up between PC sessions
    QString ptyPath_;
    QSocketNotifier* ptyReadNotifier_ = nullptr;  // child
    QSocketNotifier* ptyWriteNotifier_ = nullptr; // child
    QByteArray ptyOut_;

    std::deque<Action> queue_;
    // Counts the PC sessions. A write can end the session it belongs to (a
    // TCP peer that is gone makes the socket close and report that at once),
    // and with it the queue the pump is working through.
    std::uint64_t session_ = 0;
    bool pumping_ = false;
    bool pumpAgain_ = false;
    bool frontStarted_ = false;
    SimTime frontStart_{};
    std::size_t frontSent_ = 0;
    SimTime lineFree_{};
    // Paced bytes are due every few microseconds at the fast rates, finer
    // than QTimer's milliseconds; a timerfd wakes the pump on time where there
    // is one, pumpTimer_ (rounded up to whole milliseconds) elsewhere.
    int pumpFd_ = -1;
    QSocketNotifier* pumpNotifier_ = nullptr; // child
    QTimer pumpTimer_;
    QTimer wakeTimer_;
};

} // namespace tavrino::sim
