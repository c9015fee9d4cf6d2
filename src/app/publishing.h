#pragma once

// Publishing the live measurement to a plant's broker: the live loop with
// every frame handed to an outlet, the sensor's state on retained topics, and
// after a loss of the sensor a new connection check every 2 s until it
// answers again.

#include "app/live_measurement.h"
#include "app/session.h"
#include "common/waiter.h"
#include "publish/outlet.h"
#include "publish/rate.h"
#include "publish/topics.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace tavrino::app {

inline constexpr std::chrono::milliseconds kSensorRetryInterval{2000};

// What the front end hears of a lost sensor beyond the operator: the
// connection checks that follow it, so that it can keep one outage from
// being reported again with every check.
class PublishingReport {
public:
    virtual ~PublishingReport() = default;
    // Connection check number `attempt` (from 1) after the loss begins.
    virtual void reconnecting(int attempt) = 0;
    // The sensor passed the check; publishing goes on.
    virtual void reconnected() = 0;
};

struct PublishingPlan {
    publish::Topics topics;
    std::optional<std::uint64_t> count; // end after this many measurements
    std::optional<double> maxRate;      // at most this many measurements per second
};

class LivePublisher final : private LiveFrameConsumer {
public:
    LivePublisher(Session& s, publish::Outlet& outlet, PublishingPlan plan, Waiter& waiter,
                  PublishingReport& report);

    // With the sensor connected (its connection check passed): announces it
    // (identity, parameters, "online"), then publishes the frames of the live
    // loop until `count` measurements are out or stop() is called. A lost
    // sensor is "offline" until a connection check finds it again, which
    // announces it anew. Ends with "offline".
    void run();
    // Ends run() after the current frame, connection check or pause.
    void stop();

    [[nodiscard]] std::uint64_t published() const { return published_; }
    // Frames that JSON could not carry (a value not finite): not published.
    [[nodiscard]] std::uint64_t unpublishable() const { return unpublishable_; }

private:
    void frameMeasured(const measurement::MeasurementRecord& record) override;
    void announce();
    void setStatus(std::string_view status);
    // After a loss: a connection check every kSensorRetryInterval until one
    // passes (true) or stop() is called (false).
    bool reconnect();

    Session& s_;
    publish::Outlet& outlet_;
    PublishingPlan plan_;
    Waiter& waiter_;
    PublishingReport& report_;
    publish::RateLimit rate_;
    std::uint64_t published_ = 0;
    std::uint64_t unpublishable_ = 0;
    bool stopped_ = false;
};

} // namespace tavrino::app
