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
