#pragma once

// What waits to go to the broker, and in which order: the retained messages
// (status, identity, parameters; the newest per topic) and the measurements,
// oldest first. The broker connection takes messages from here while it is
// up; while it is down, measurements at QoS 1 wait in a bounded queue and
// those at QoS 0 are dropped. Every dropped measurement is counted.
//
// Plain state without locks or I/O: the MQTT adapter guards it with its own
// mutex and feeds it the connection's events.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tavrino::publish {

// Measurements kept while the broker cannot take them.
inline constexpr std::size_t kQueueCapacity = 100000;
// Measurements handed to the connection and not yet confirmed: enough to
// keep a plant network busy; the connection's own bookkeeping grows with
// every message it holds.
inline constexpr std::size_t kInFlightWindow = 64;
// A fast sensor's frames are handed over in batches: every wake-up of the
// network thread costs more than the frame itself. A batch is this many
// measurements or this old, whichever comes first.
inline constexpr std::size_t kBatchSize = 128;
inline constexpr std::chrono::milliseconds kBatchDelay{10};

struct Outgoing {
    enum class Kind { Retained, Measurement };
    Kind kind = Kind::Measurement;
    std::string topic;
    std::string payload;
    int qos = 0;
    [[nodiscard]] bool retained() const { return kind == Kind::Retained; }
};

struct OutboxCounts {
    std::uint64_t accepted = 0;  // measurements given to the outbox
    std::uint64_t delivered = 0; // measurements the broker confirmed (QoS 1) or that were written (QoS 0)
    std::uint64_t dropped = 0;   // measurements given up: queue full, or QoS 0 without a broker
};

class Outbox {
public:
    // `qos` is the measurements' (0 or 1); retained messages always go at 1.
    explicit Outbox(int qos, std::size_t capacity = kQueueCapacity, std::size_t window = kInFlightWindow);

    // The newest payload of a retained topic. Sent once the connection is up,
    // and again after every reconnect (a restarted broker may have lost it).
    void setRetained(const std::string& topic, std::string payload);
    // One measurement: queued (the oldest dropped when the queue is full),
    // or dropped at once at QoS 0 while the broker is away.
    void addMeasurement(const std::string& topic, std::string payload);

    // The broker accepted the connection: every retained topic goes again.
    // QoS 1 messages still in flight are sent again by the connection itself
    // once it has told us; nothing new goes before they are confirmed, so
    // that the broker receives everything in order.
    void connected();
    // The connection is gone. QoS 1 messages in flight stay with the
    // connection, which sends them again; at QoS 0 what was in flight or
    // queued is lost and counted.
    void disconnected();
    [[nodiscard]] bool online() const { return online_; }

    // Takes the next message to hand to the connection: retained ones first
    // (in the order they were set), then measurements, oldest first. Nothing
    // while offline, while what was in flight at a reconnect is not yet
    // confirmed, while `window` measurements are in flight, or when all has
    // been handed over.
    [[nodiscard]] std::optional<Outgoing> take();
    using Clock = std::chrono::steady_clock;
    // Whether what waits is worth waking the connection for at `now`: a
    // retained message at once; measurements once a batch has gathered or
    // the last wake-up is kBatchDelay old. Never while messages are in
    // flight: the connection takes the rest as it confirms them.
    [[nodiscard]] bool wakeDue(Clock::time_point now) const;
    // The connection was woken at `now` to take what waits.
    void woken(Clock::time_point now) { lastWake_ = now; }

    // The connection took `message` under message id `id`.
    void handed(const Outgoing& message, int id);
    // The connection refused `message`: a measurement is dropped, a retained
    // message waits for the next connection.
    void refused(const Outgoing& message);
    // The broker confirmed message `id` (or, at QoS 0, it was written).
    void confirmed(int id);

    // Nothing waits and nothing is in flight.
    [[nodiscard]] bool settled() const;
    // Measurements queued or in flight, not yet confirmed.
    [[nodiscard]] std::size_t pending() const;
    [[nodiscard]] const OutboxCounts& counts() const { return counts_; }

private:
    struct RetainedSlot {
        std::string topic;
        std::string payload;
        bool due = true;
    };

    int qos_;
    std::size_t capacity_;
    std::size_t window_;
    bool online_ = false;
    bool resending_ = false; // what was in flight at the reconnect is not yet confirmed
    std::vector<RetainedSlot> retained_;
    std::deque<Outgoing> queue_;
    // Message ids in flight: true for a measurement.
    std::unordered_map<int, bool> inFlight_;
    std::size_t measurementsInFlight_ = 0;
    Clock::time_point lastWake_{};
    OutboxCounts counts_;
};

} // namespace tavrino::publish
