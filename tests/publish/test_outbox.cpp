// What waits for the broker and in which order: the queue's bound with the
// oldest dropped first, QoS 0 without a broker, retained topics before
// measurements and again after every reconnect, the window of messages in
// flight; and the rate limit.

#include "publish/outbox.h"
#include "publish/rate.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace tavrino::publish {
namespace {

// Hands over everything the outbox releases, numbering the messages as the
// connection would; the ids handed, in order.
struct Connection {
    explicit Connection(Outbox& b) : box(b) {}

    Outbox& box;
    int nextId = 1;
    std::vector<Outgoing> taken;
    std::vector<int> ids;

    std::size_t drain() {
        std::size_t n = 0;
        while (auto m = box.take()) {
            box.handed(*m, nextId);
            ids.push_back(nextId++);
            taken.push_back(std::move(*m));
            ++n;
        }
        return n;
    }
    std::vector<std::string> payloads() const {
        std::vector<std::string> out;
        for (const Outgoing& m : taken)
            out.push_back(m.payload);
        return out;
    }
};

TEST(Outbox, FullQueueDropsTheOldestAndCountsThem) {
    Outbox box(1);
    const std::size_t extra = 5;
    for (std::size_t i = 1; i <= kQueueCapacity + extra; ++i)
        box.addMeasurement("m", std::to_string(i));
    EXPECT_EQ(box.counts().accepted, kQueueCapacity + extra);
    EXPECT_EQ(box.counts().dropped, extra);
    EXPECT_EQ(box.pending(), kQueueCapacity);
    box.connected();
    const auto first = box.take();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->payload, std::to_string(extra + 1));
    EXPECT_EQ(first->qos, 1);
    EXPECT_FALSE(first->retained());
}

TEST(Outbox, QueuedMeasurementsGoOutInOrderAfterTheConnection) {
    Outbox box(1, 4, 100);
    for (int i = 1; i <= 6; ++i)
        box.addMeasurement("m", std::to_string(i));
    Connection c{box};
    EXPECT_EQ(c.drain(), 0U) << "nothing goes out before the broker accepted";
    box.connected();
    c.drain();
    EXPECT_EQ(c.payloads(), (std::vector<std::string>{"3", "4", "5", "6"}));
    EXPECT_EQ(box.counts().dropped, 2U);
    for (const int id : c.ids)
        box.confirmed(id);
    EXPECT_TRUE(box.settled());
    EXPECT_EQ(box.counts().delivered, 4U);
}

TEST(Outbox, QosZeroWithoutABrokerIsDroppedAndCounted) {
    Outbox box(0);
    box.addMeasurement("m", "1");
    EXPECT_EQ(box.counts().dropped, 1U);
    box.connected();
    Connection c{box};
    EXPECT_EQ(c.drain(), 0U);
    box.addMeasurement("m", "2");
    box.addMeasurement("m", "3");
    EXPECT_EQ(c.drain(), 2U);
    box.confirmed(c.ids[0]);
    // What was written is out; what was still in flight is lost with the
    // connection, and so is what waited behind it.
    box.addMeasurement("m", "4");
    box.disconnected();
    EXPECT_EQ(box.counts().delivered, 1U);
    EXPECT_EQ(box.counts().dropped, 3U);
    EXPECT_TRUE(box.settled());
    box.connected();
    EXPECT_EQ(c.drain(), 0U);
}

TEST(Outbox, QosOneInFlightAtALossIsConfirmedBeforeAnythingNewGoes) {
    Outbox box(1);
    box.connected();
    Connection c{box};
    box.addMeasurement("m", "1");
    box.addMeasurement("m", "2");
    c.drain();
    box.confirmed(c.ids[0]);
    box.disconnected();
    box.addMeasurement("m", "3");
    box.setRetained("status", "online");
    EXPECT_EQ(box.pending(), 2U);
    EXPECT_EQ(box.counts().dropped, 0U);
    // The connection sends "2" again by itself; "3" and the status must not
    // overtake it.
    box.connected();
    EXPECT_EQ(c.drain(), 0U);
    box.confirmed(c.ids[1]);
    c.taken.clear();
    c.drain();
    ASSERT_EQ(c.taken.size(), 2U);
    EXPECT_EQ(c.taken[0].payload, "online");
    EXPECT_EQ(c.taken[1].payload, "3");
    box.confirmed(c.ids[2]);
    box.confirmed(c.ids[3]);
    EXPECT_EQ(box.counts().delivered, 3U);
    EXPECT_TRUE(box.settled());
}

TEST(Outbox, RetainedTopicsFirstNewestLastAndAgainAfterEveryReconnect) {
    Outbox box(1);
    box.setRetained("status", "online");
    box.setRetained("identity", "{}");
    box.addMeasurement("m", "1");
    box.setRetained("status", "offline"); // replaces "online", which never went out
    box.connected();
    Connection c{box};
    c.drain();
    ASSERT_EQ(c.taken.size(), 3U);
    EXPECT_EQ(c.taken[0].topic, "identity");
    EXPECT_EQ(c.taken[1].topic, "status");
    EXPECT_EQ(c.taken[1].payload, "offline");
    EXPECT_TRUE(c.taken[1].retained());
    EXPECT_EQ(c.taken[1].qos, 1);
    EXPECT_EQ(c.taken[2].payload, "1");
    for (const int id : c.ids)
        box.confirmed(id);
    // A restarted broker may have forgotten them: a new connection sends both again.
    box.disconnected();
    box.connected();
    c.taken.clear();
    c.drain();
    ASSERT_EQ(c.taken.size(), 2U);
    EXPECT_EQ(c.taken[0].topic, "identity");
    EXPECT_EQ(c.taken[1].payload, "offline");
}

TEST(Outbox, RefusedRetainedWaitsRefusedMeasurementIsDropped) {
    Outbox box(1);
    box.connected();
    box.setRetained("status", "online");
    const auto status = box.take();
    ASSERT_TRUE(status);
    box.refused(*status);
    EXPECT_FALSE(box.settled());
    const auto again = box.take();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->payload, "online");
    box.handed(*again, 7);
    box.addMeasurement("m", "1");
    const auto m = box.take();
    ASSERT_TRUE(m);
    box.refused(*m);
    EXPECT_EQ(box.counts().dropped, 1U);
    box.confirmed(7);
    EXPECT_TRUE(box.settled());
}

TEST(Outbox, NoMoreThanTheWindowInFlight) {
    Outbox box(1, 1000, 3);
    box.connected();
    for (int i = 1; i <= 5; ++i)
        box.addMeasurement("m", std::to_string(i));
    Connection c{box};
    EXPECT_EQ(c.drain(), 3U);
    box.setRetained("status", "online"); // retained messages are not held back
    EXPECT_EQ(c.drain(), 1U);
    box.confirmed(c.ids[0]);
    EXPECT_EQ(c.drain(), 1U);
    EXPECT_EQ(c.payloads().back(), "4");
    EXPECT_EQ(box.pending(), 4U);
}

TEST(Outbox, AFastSensorsFramesWakeTheConnectionInBatches) {
    using namespace std::chrono;
    Outbox box(1);
    const Outbox::Clock::time_point t0 = Outbox::Clock::time_point{} + hours(1);
    box.addMeasurement("m", "0");
    EXPECT_FALSE(box.wakeDue(t0)) << "no connection yet";
    box.connected();
    EXPECT_TRUE(box.wakeDue(t0)) << "the first frame goes at once";
    box.woken(t0);
    Connection c{box};
    c.drain();
    box.confirmed(c.ids[0]);
    // Within the delay the frames gather until a batch is full ...
    for (std::size_t i = 1; i < kBatchSize; ++i) {
        box.addMeasurement("m", std::to_string(i));
        EXPECT_FALSE(box.wakeDue(t0 + 1ms)) << i;
    }
    box.addMeasurement("m", "last");
    EXPECT_TRUE(box.wakeDue(t0 + 1ms));
    // ... or until the delay has passed.
    Outbox slow(0);
    slow.connected();
    slow.woken(t0);
    slow.addMeasurement("m", "1");
    EXPECT_FALSE(slow.wakeDue(t0 + kBatchDelay - 1ms));
    EXPECT_TRUE(slow.wakeDue(t0 + kBatchDelay));
    // A status change does not wait.
    Outbox status(0);
    status.connected();
    status.woken(t0);
    status.setRetained("status", "offline");
    EXPECT_TRUE(status.wakeDue(t0));
}

TEST(Outbox, NoWakeWhileMessagesAreInFlight) {
    Outbox box(1);
    box.connected();
    box.addMeasurement("m", "1");
    Connection c{box};
    c.drain();
    box.addMeasurement("m", "2");
    const auto later = Outbox::Clock::now() + std::chrono::hours(1);
    EXPECT_FALSE(box.wakeDue(later)) << "the confirmation of 1 takes 2 along";
    box.confirmed(c.ids[0]);
    EXPECT_TRUE(box.wakeDue(later));
}

TEST(RateLimit, AtMostTheRateTheNewestFrameAtEachTurn) {
    using namespace std::chrono;
    const RateLimit::Clock::time_point start{};
    RateLimit limit(10.0); // one every 100 ms
    std::vector<milliseconds> published;
    for (milliseconds t{0}; t <= 1000ms; t += 30ms)
        if (limit.due(start + t))
            published.push_back(t);
    // Frames at 0, 30, 60, ...: the first one at or after each 100 ms turn.
    EXPECT_EQ(published,
              (std::vector<milliseconds>{0ms, 120ms, 240ms, 360ms, 480ms, 600ms, 720ms, 840ms, 960ms}));
}

TEST(RateLimit, WithoutALimitEveryFrameIsDue) {
    RateLimit limit(std::nullopt);
    const RateLimit::Clock::time_point at{};
    EXPECT_TRUE(limit.due(at));
    EXPECT_TRUE(limit.due(at));
}

} // namespace
} // namespace tavrino::publish
