#pragma once

// The outlet on an MQTT broker, through libmosquitto. The library's own
// network thread does all the talking to the broker and its reconnects; the
// caller's thread only hands messages over and never waits for the network
// (except in connect() and finish(), at the start and the end of a run).

#include "publish/outbox.h"
#include "publish/outlet.h"
#include "publish/topics.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

struct mosquitto;

namespace tavrino::publish {

struct OutletSettings {
    BrokerAddress broker;
    int qos = 0; // of the measurements
    // The broker publishes "offline" here, retained, when the connection
    // ends without a goodbye (the process died, the network went).
    std::string willTopic;
    std::size_t capacity = kQueueCapacity;
};

struct FinishResult {
    OutboxCounts counts;
    // Measurements the broker had not confirmed when the run ended.
    std::size_t undelivered = 0;
    // Everything, the final status too, was confirmed.
    bool complete = false;
};

class MosquittoOutlet final : public Outlet {
public:
    // Told, on the network thread, when the broker connection is lost and
    // when it is back: one line, in the order things happened.
    using Report = std::function<void(const std::string& line)>;

    MosquittoOutlet(OutletSettings settings, Report report);
    ~MosquittoOutlet() override;
    MosquittoOutlet(const MosquittoOutlet&) = delete;
    MosquittoOutlet& operator=(const MosquittoOutlet&) = delete;

    // Connects and waits at most `timeout` for the broker's answer. Empty
    // when the broker accepted the connection, else one line saying why not.
    [[nodiscard]] std::string connect(std::chrono::milliseconds timeout);

    void setRetained(const std::string& topic, std::string payload) override;
    void publish(const std::string& topic, std::string payload) override;

    // Waits while the broker goes on confirming what is left (giving up after
    // `patience` without progress), then says goodbye (the broker drops the
    // last will) and stops the network thread.
    FinishResult finish(std::chrono::milliseconds patience);

private:
    // Connecting: the first connection; Reconnecting: after a loss.
    enum class State { Idle, Connecting, Connected, Reconnecting, Failed, Finished };

    static void onConnect(struct mosquitto*, void* self, int rc);
    static void onDisconnect(struct mosquitto*, void* self, int rc);
    static void onPublish(struct mosquitto*, void* self, int mid);
    // Hands what the outbox releases to the library, at most `limit`
    // messages. Under the mutex.
    void pump(std::size_t limit = SIZE_MAX);
    void stopThread(bool connected);

    OutletSettings settings_;
    Report report_;
    struct mosquitto* client_ = nullptr;
    bool threadRunning_ = false;

    std::mutex mutex_;
    std::condition_variable changed_;
    State state_ = State::Idle;
    std::string failure_;
    Outbox outbox_;
    std::uint64_t events_ = 0; // confirmations and connection changes, for finish()
    bool lost_ = false;        // a loss was reported and its end is not yet
};

} // namespace tavrino::publish
