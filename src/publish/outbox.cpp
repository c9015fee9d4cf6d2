#include "publish/outbox.h"

#include <algorithm>
#include <utility>

namespace tavrino::publish {

Outbox::Outbox(int qos, std::size_t capacity, std::size_t window)
    : qos_(qos), capacity_(std::max<std::size_t>(capacity, 1)), window_(std::max<std::size_t>(window, 1)) {}

void Outbox::setRetained(const std::string& topic, std::string payload) {
    // The newest value goes last, so that a consumer reading the topics in
    // the order they arrive sees the latest state last.
    std::erase_if(retained_, [&](const RetainedSlot& slot) { return slot.topic == topic; });
    retained_.push_back({topic, std::move(payload), true});
}

void Outbox::addMeasurement(const std::string& topic, std::string payload) {
    ++counts_.accepted;
    if (!online_ && qos_ == 0) {
        ++counts_.dropped;
        return;
    }
    if (queue_.size() >= capacity_) {
        queue_.pop_front();
        ++counts_.dropped;
    }
    queue_.push_back({Outgoing::Kind::Measurement, topic, std::move(payload), qos_});
}

void Outbox::connected() {
    online_ = true;
    resending_ = !inFlight_.empty();
    for (RetainedSlot& slot : retained_)
        slot.due = true;
}

void Outbox::disconnected() {
    online_ = false;
    if (qos_ != 0)
        return;
    counts_.dropped += measurementsInFlight_ + queue_.size();
    queue_.clear();
    std::erase_if(inFlight_, [](const auto& entry) { return entry.second; });
    measurementsInFlight_ = 0;
}

std::optional<Outgoing> Outbox::take() {
    if (!online_ || resending_)
        return std::nullopt;
    for (RetainedSlot& slot : retained_) {
        if (slot.due) {
            slot.due = false;
            return Outgoing{Outgoing::Kind::Retained, slot.topic, slot.payload, 1};
        }
    }
    if (queue_.empty() || measurementsInFlight_ >= window_)
        return std::nullopt;
    Outgoing next = std::move(queue_.front());
    queue_.pop_front();
    return next;
}

bool Outbox::wakeDue(Clock::time_point now) const {
    if (!online_ || !inFlight_.empty())
        return false;
    if (std::any_of(retained_.begin(), retained_.end(), [](const RetainedSlot& s) { return s.due; }))
        return true;
    return queue_.size() >= kBatchSize || (!queue_.empty() && now - lastWake_ >= kBatchDelay);
}

void Outbox::handed(const Outgoing& message, int id) {
    const bool measurement = !message.retained();
    // An id the connection reuses belongs to a message that is done.
    if (const auto old = inFlight_.find(id); old != inFlight_.end())
        confirmed(id);
    inFlight_[id] = measurement;
    if (measurement)
        ++measurementsInFlight_;
}

void Outbox::refused(const Outgoing& message) {
    if (!message.retained()) {
        ++counts_.dropped;
        return;
    }
    for (RetainedSlot& slot : retained_)
        if (slot.topic == message.topic && slot.payload == message.payload)
            slot.due = true;
}

void Outbox::confirmed(int id) {
    const auto entry = inFlight_.find(id);
    if (entry == inFlight_.end())
        return;
    if (entry->second) {
        --measurementsInFlight_;
        ++counts_.delivered;
    }
    inFlight_.erase(entry);
    if (inFlight_.empty())
        resending_ = false;
}

bool Outbox::settled() const {
    const bool retainedDue =
        std::any_of(retained_.begin(), retained_.end(), [](const RetainedSlot& s) { return s.due; });
    return queue_.empty() && inFlight_.empty() && !retainedDue;
}

std::size_t Outbox::pending() const {
    return queue_.size() + measurementsInFlight_;
}

} // namespace tavrino::publish
