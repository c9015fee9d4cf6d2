#pragma once

// A real MQTT broker for the publishing tests and benchmark: the `mosquitto`
// binary on a free loopback port, and a subscriber on libmosquitto that
// records every message and lets a test wait for what it expects, with a
// deadline. Users link libmosquitto.

#include <mosquitto.h>

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tavrino::test {

// The broker binary, or empty when it is not installed (Debian keeps it in
// /usr/sbin, which a user's PATH may lack).
inline QString mosquittoBinary() {
    const QString found = QStandardPaths::findExecutable(QStringLiteral("mosquitto"));
    if (!found.isEmpty())
        return found;
    return QStandardPaths::findExecutable(QStringLiteral("mosquitto"),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin")});
}

// A loopback TCP port nobody listens on right now.
inline quint16 freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    quint16 port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

// mosquitto on 127.0.0.1 with its database in a directory of its own, so
// that a restart keeps the sessions of subscribers that asked for it and the
// messages queued for them meanwhile.
class Broker {
public:
    Broker() : port_(freePort()) {
        const QString config = dir_.filePath(QStringLiteral("mosquitto.conf"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return;
        // Run as root it would drop to a user that cannot write our directory.
        const passwd* self = ::getpwuid(::getuid());
        file.write(QStringLiteral("user %3\n"
                                  "listener %1 127.0.0.1\n"
                                  "allow_anonymous true\n"
                                  "persistence true\n"
                                  "persistence_location %2/\n"
                                  "queue_qos0_messages true\n"
                                  "max_queued_messages 0\n"
                                  "log_dest stderr\n"
                                  "log_type error\nlog_type warning\nlog_type notice\nlog_type information\n")
                       .arg(port_)
                       .arg(dir_.path(), QString::fromLocal8Bit(self != nullptr ? self->pw_name : "root"))
                       .toUtf8());
        file.close();
        configFile_ = config;
        start();
    }
    ~Broker() { stop(); }
    Broker(const Broker&) = delete;
    Broker& operator=(const Broker&) = delete;

    // Whether it is running and listening.
    [[nodiscard]] bool ready() const { return ready_; }
    [[nodiscard]] quint16 port() const { return port_; }
    [[nodiscard]] QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
    [[nodiscard]] const QByteArray& log() const { return log_; }

    // Ends it as a service manager does (SIGTERM: it stores its database)
    // and waits until it has gone.
    void stop() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
        log_ += process_.readAll();
        ready_ = false;
    }

    // A new broker on the same port, with the same database.
    void start() {
        ready_ = false;
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(mosquittoBinary(), {QStringLiteral("-c"), configFile_});
        if (!process_.waitForStarted(5000))
            return;
        // Listening before it says it runs.
        const QDeadlineTimer deadline(10000);
        while (!log_.contains("running") && !deadline.hasExpired()) {
            if (!process_.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
                break;
            log_ += process_.readAll();
        }
        ready_ = log_.contains("running");
        log_.clear();
    }

private:
    QTemporaryDir dir_;
    quint16 port_;
    QString configFile_;
    QProcess process_;
    QByteArray log_;
    bool ready_ = false;
};

struct Message {
    std::string topic;
    std::string payload;
    bool retained = false;
};

// Subscribes to tavrino/# and records what arrives. With a `sessionId` the
// broker keeps the subscription, and the messages for it, while this
// subscriber is away (a broker restart).
class Subscriber {
public:
    explicit Subscriber(int port, const std::string& sessionId = {}) {
        mosquitto_lib_init();
        client_ = mosquitto_new(sessionId.empty() ? nullptr : sessionId.c_str(), sessionId.empty(), this);
        mosquitto_connect_callback_set(client_, [](mosquitto* m, void*, int rc) {
            if (rc == 0)
                mosquitto_subscribe(m, nullptr, "tavrino/#", 0);
        });
        mosquitto_subscribe_callback_set(client_, [](mosquitto*, void* self, int, int, const int*) {
            auto& s = *static_cast<Subscriber*>(self);
            const std::lock_guard lock(s.mutex_);
            ++s.subscriptions_;
            s.changed_.notify_all();
        });
        mosquitto_message_callback_set(client_, [](mosquitto*, void* self, const mosquitto_message* m) {
            auto& s = *static_cast<Subscriber*>(self);
            const std::lock_guard lock(s.mutex_);
            s.messages_.push_back(
                {m->topic,
                 std::string(static_cast<const char*>(m->payload), static_cast<std::size_t>(m->payloadlen)),
                 m->retain});
            s.changed_.notify_all();
        });
        mosquitto_reconnect_delay_set(client_, 1, 1, false);
        mosquitto_connect_async(client_, "127.0.0.1", port, 30);
        mosquitto_loop_start(client_);
    }
    ~Subscriber() {
        mosquitto_disconnect(client_);
        mosquitto_loop_stop(client_, false);
        mosquitto_destroy(client_);
        mosquitto_lib_cleanup();
    }
    Subscriber(const Subscriber&) = delete;
    Subscriber& operator=(const Subscriber&) = delete;

    // Waits (at most `timeout`) until `done` holds for the messages so far.
    bool waitFor(const std::function<bool(const std::vector<Message>&)>& done,
                 std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return done(messages_); });
    }
    // Waits until the broker confirmed the subscription.
    bool subscribed(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return subscriptions_ > 0; });
    }
    [[nodiscard]] std::vector<Message> messages() {
        const std::lock_guard lock(mutex_);
        return messages_;
    }
    [[nodiscard]] std::size_t count() {
        const std::lock_guard lock(mutex_);
        return messages_.size();
    }

private:
    mosquitto* client_ = nullptr;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Message> messages_;
    int subscriptions_ = 0;
};

// The messages on `topic`, in the order they arrived.
inline std::vector<Message> on(const std::vector<Message>& all, const std::string& topic) {
    std::vector<Message> out;
    for (const Message& m : all)
        if (m.topic == topic)
            out.push_back(m);
    return out;
}

// The payload last received on `topic`, empty when none came.
inline std::string last(const std::vector<Message>& all, const std::string& topic) {
    const auto list = on(all, topic);
    return list.empty() ? std::string() : list.back().payload;
}

} // namespace tavrino::test
