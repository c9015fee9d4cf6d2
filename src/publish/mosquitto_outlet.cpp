#include "publish/mosquitto_outlet.h"

#include <mosquitto.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace tavrino::publish {

namespace {

// Long enough that a plant network's hiccup does not look like a dead
// publisher, short enough that the last will comes within half a minute.
constexpr int kKeepAliveSeconds = 15;

std::string describe(int rc) {
    if (rc == MOSQ_ERR_ERRNO)
        return std::strerror(errno);
    if (rc == MOSQ_ERR_EAI)
        return "the host name could not be resolved";
    std::string text = mosquitto_strerror(rc);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

std::string describeConnack(int rc) {
    std::string text = mosquitto_connack_string(rc);
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

} // namespace

MosquittoOutlet::MosquittoOutlet(OutletSettings settings, Report report)
    : settings_(std::move(settings)), report_(std::move(report)), outbox_(settings_.qos, settings_.capacity) {
    mosquitto_lib_init();
    // A fresh session each time: what was in flight is sent again by this
    // process, not by the broker's memory of an earlier one.
    client_ = mosquitto_new(nullptr, true, this);
    if (client_ == nullptr)
        return;
    mosquitto_int_option(client_, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    mosquitto_int_option(client_, MOSQ_OPT_TCP_NODELAY, 1);
    // The library sends what it holds at once rather than queueing it again.
    mosquitto_int_option(client_, MOSQ_OPT_SEND_MAXIMUM, static_cast<int>(kInFlightWindow));
    mosquitto_connect_callback_set(client_, &MosquittoOutlet::onConnect);
    mosquitto_disconnect_callback_set(client_, &MosquittoOutlet::onDisconnect);
    mosquitto_publish_callback_set(client_, &MosquittoOutlet::onPublish);
    mosquitto_reconnect_delay_set(client_, 1, 8, true);
    const std::string offline(kOffline);
    mosquitto_will_set(client_, settings_.willTopic.c_str(), static_cast<int>(offline.size()), offline.data(),
                       1, true);
}

MosquittoOutlet::~MosquittoOutlet() {
    if (client_ != nullptr) {
        if (threadRunning_)
            stopThread(false);
        mosquitto_destroy(client_);
    }
    mosquitto_lib_cleanup();
}

std::string MosquittoOutlet::connect(std::chrono::milliseconds timeout) {
    const std::string where = "the broker at " + settings_.broker.text();
    if (client_ == nullptr)
        return where + " cannot be used: " + std::strerror(errno);
    {
        const std::lock_guard lock(mutex_);
        state_ = State::Connecting;
    }
    const int rc = mosquitto_connect_async(client_, settings_.broker.host.c_str(), settings_.broker.port,
                                           kKeepAliveSeconds);
    if (rc != MOSQ_ERR_SUCCESS)
        return where + " cannot be reached: " + describe(rc);
    if (const int started = mosquitto_loop_start(client_); started != MOSQ_ERR_SUCCESS)
        return where + " cannot be served: " + describe(started);
    threadRunning_ = true;
    std::unique_lock lock(mutex_);
    const bool answered = changed_.wait_for(lock, timeout, [this] { return state_ != State::Connecting; });
    if (answered && state_ == State::Connected)
        return {};
    const std::string why =
        answered ? failure_ : "no answer within " + std::to_string(timeout.count() / 1000) + " s";
    state_ = State::Failed;
    lock.unlock();
    stopThread(false);
    return where + " did not accept the connection: " + why;
}

void MosquittoOutlet::setRetained(const std::string& topic, std::string payload) {
    const std::lock_guard lock(mutex_);
    outbox_.setRetained(topic, std::move(payload));
    pump();
}

void MosquittoOutlet::publish(const std::string& topic, std::string payload) {
    const std::lock_guard lock(mutex_);
    outbox_.addMeasurement(topic, std::move(payload));
    // Each message handed over wakes the network thread, and the library's
    // work for it would slow the live loop: a fast sensor's frames go in
    // batches, of which this thread hands over the first and the network
    // thread the rest as soon as that one is out. The last frames of a batch
    // go at the next frame, the next status change or the end.
    const auto now = Outbox::Clock::now();
    if (outbox_.wakeDue(now)) {
        outbox_.woken(now);
        pump(1);
    }
}

void MosquittoOutlet::pump(std::size_t limit) {
    if (state_ != State::Connected)
        return;
    for (std::size_t n = 0; n < limit; ++n) {
        auto message = outbox_.take();
        if (!message)
            return;
        int mid = 0;
        const int rc = mosquitto_publish(client_, &mid, message->topic.c_str(),
                                         static_cast<int>(message->payload.size()), message->payload.data(),
                                         message->qos, message->retained());
        if (rc != MOSQ_ERR_SUCCESS) {
            // Not connected after all (the loss is on its way to us), or a
            // message the broker cannot take: the outbox decides what waits.
            outbox_.refused(*message);
            return;
        }
        outbox_.handed(*message, mid);
    }
}

FinishResult MosquittoOutlet::finish(std::chrono::milliseconds patience) {
    std::unique_lock lock(mutex_);
    pump(); // the last batch
    // As long as the broker confirms something within `patience`, the rest
    // is worth waiting for.
    while (!outbox_.settled()) {
        const std::uint64_t seen = events_;
        if (!changed_.wait_for(lock, patience, [&] { return events_ != seen || outbox_.settled(); }))
            break;
    }
    const bool connected = state_ == State::Connected && outbox_.online();
    FinishResult result{outbox_.counts(), outbox_.pending(), outbox_.settled()};
    state_ = State::Finished;
    lock.unlock();
    if (threadRunning_)
        stopThread(connected);
    return result;
}

void MosquittoOutlet::stopThread(bool connected) {
    // The goodbye: the broker forgets the last will. Without a connection
    // the thread may sit in a reconnect pause, which only a cancel ends.
    mosquitto_disconnect(client_);
    mosquitto_loop_stop(client_, !connected);
    threadRunning_ = false;
}

void MosquittoOutlet::onConnect(struct mosquitto*, void* self, int rc) {
    auto& o = *static_cast<MosquittoOutlet*>(self);
    std::string line;
    {
        const std::lock_guard lock(o.mutex_);
        ++o.events_;
        if (o.state_ == State::Finished)
            return;
        if (rc != 0) {
            if (o.state_ == State::Connecting) {
                o.failure_ = describeConnack(rc);
                o.state_ = State::Failed;
            } else if (!o.lost_) {
                line = "the broker at " + o.settings_.broker.text() +
                       " refused to connect again: " + describeConnack(rc);
                o.lost_ = true;
            }
        } else {
            if (o.lost_)
                line = "connected to the broker at " + o.settings_.broker.text() + " again";
            o.lost_ = false;
            o.state_ = State::Connected;
            o.outbox_.connected();
            o.pump();
        }
    }
    o.changed_.notify_all();
    if (!line.empty())
        o.report_(line);
}

void MosquittoOutlet::onDisconnect(struct mosquitto*, void* self, int rc) {
    auto& o = *static_cast<MosquittoOutlet*>(self);
    std::string line;
    {
        const std::lock_guard lock(o.mutex_);
        ++o.events_;
        o.outbox_.disconnected();
        if (o.state_ == State::Connecting) {
            o.failure_ = describe(rc);
            o.state_ = State::Failed;
        } else if (o.state_ == State::Connected && rc != 0) {
            o.state_ = State::Reconnecting;
            if (!o.lost_) {
                line = "lost the broker at " + o.settings_.broker.text() + " (" + describe(rc) + "); " +
                       (o.settings_.qos == 0 ? "measurements are dropped until it is back"
                                             : "measurements wait for it (at most " +
                                                   std::to_string(o.settings_.capacity) + ")");
                o.lost_ = true;
            }
        }
    }
    o.changed_.notify_all();
    if (!line.empty())
        o.report_(line);
}

void MosquittoOutlet::onPublish(struct mosquitto*, void* self, int mid) {
    auto& o = *static_cast<MosquittoOutlet*>(self);
    {
        const std::lock_guard lock(o.mutex_);
        ++o.events_;
        o.outbox_.confirmed(mid);
        // Each confirmation takes the next message along at once. Holding
        // them back for bursts stalls the broker, whose next confirmation
        // waits for our side to acknowledge its last one.
        o.pump();
    }
    o.changed_.notify_all();
}

} // namespace tavrino::publish
