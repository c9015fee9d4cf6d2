#include "app/publishing.h"

#include "app/connection.h"
#include "publish/payload.h"

#include <string>
#include <utility>

namespace tavrino::app {

LivePublisher::LivePublisher(Session& s, publish::Outlet& outlet, PublishingPlan plan, Waiter& waiter,
                             PublishingReport& report)
    : s_(s), outlet_(outlet), plan_(std::move(plan)), waiter_(waiter), report_(report), rate_(plan_.maxRate) {
}

void LivePublisher::run() {
    announce();
    // A stop request arrives only while the loop or a pause waits, so a
    // request seen here is never overwritten by the loop setting its flag.
    while (!stopped_) {
        GetData(s_, *this);
        if (stopped_)
            break;
        // The link has reported why the sensor is gone.
        setStatus(publish::kOffline);
        if (!reconnect())
            break;
        announce();
    }
    setStatus(publish::kOffline);
}

void LivePublisher::stop() {
    stopped_ = true;
    CBF_ButtonStop(s_);
}

void LivePublisher::frameMeasured(const measurement::MeasurementRecord& record) {
    if (!rate_.due(publish::RateLimit::Clock::now()))
        return;
    const std::string time = publish::utcTimestamp(std::chrono::system_clock::now());
    auto payload = publish::measurementPayload(record, published_ + 1, time);
    if (!payload) {
        ++unpublishable_;
        return;
    }
    outlet_.publish(plan_.topics.measurement, std::move(*payload));
    ++published_;
    if (plan_.count && published_ >= *plan_.count)
        stop();
}

void LivePublisher::announce() {
    const SensorIdentity& sensor = s_.connection.sensor;
    outlet_.setRetained(plan_.topics.identity,
                        publish::identityPayload(sensor.firmware, sensor.name, sensor.serialNumber));
    // The words as the sensor sent them with its connection check: what it
    // measures with, before any option rule of the program's controls.
    outlet_.setRetained(plan_.topics.parameters, publish::parametersPayload(s_.parameters.set.words));
    setStatus(publish::kOnline);
}

void LivePublisher::setStatus(std::string_view status) {
    outlet_.setRetained(plan_.topics.status, std::string(status));
}

bool LivePublisher::reconnect() {
    for (int attempt = 1;; ++attempt) {
        waiter_.pause(kSensorRetryInterval, [this] { return stopped_; });
        if (stopped_)
            return false;
        report_.reconnecting(attempt);
        if (ConnectToSensor(s_) == 1) {
            report_.reconnected();
            return true;
        }
    }
}

} // namespace tavrino::app
