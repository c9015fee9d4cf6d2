// The scan and the cycle time against a scripted TCP sensor.

#include "app/connection.h"
#include "app/scope.h"
#include "app/session.h"
#include "support/loopback_link.h"
#include "support/peers.h"
#include "support/recording_graphs.h"
#include "support/scripted_operator.h"
#include "support/test_directory.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace tavrino::app {
namespace {

// Frame k of a scan whose ring sample j is j + 1000 k (states: j % 8).
QByteArray scanFrame(int k, int triggerIndex) {
    const int size = static_cast<int>(scope::framePayloadSize(k));
    QByteArray payload(size, '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(payload.data());
    for (int j = 0; j < scope::kSamples; ++j) {
        if (k == 0)
            link::writeU16(p + 2 * j, static_cast<std::uint16_t>(j % 8));
        else
            link::writeU32(p + 4 * j, static_cast<std::uint32_t>(j + 1000 * k));
    }
    return test::frame(scope::kOrderScan, static_cast<std::uint16_t>(k == 0 ? triggerIndex : 0), payload);
}

QByteArray scanFrames(int triggerIndex) {
    QByteArray all;
    for (int k = 0; k < scope::kFrames; ++k)
        all += scanFrame(k, triggerIndex);
    return all;
}

enum class Delivery { OneSegment, Pieces, BadDataCrc, Short };

class ScopeTest : public ::testing::Test {
protected:
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session session{op, graphs, test::testDirectory("scope")};
    test::TcpPeer peer;
    Delivery delivery = Delivery::OneSegment;
    std::int32_t a = 5000, b = 500;

    void SetUp() override {
        peer.onRequest = [this](const QByteArray& request) { answer(request); };
        ASSERT_TRUE(test::openLoopbackLink(session, peer.port(), op));
        session.scope.settings = scope::ScanSettings{1, 20, 1, 0, 2000.0};
    }

    void answer(const QByteArray& request) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(request.constData());
        const int order = bytes[1];
        const int argument = link::readU16(bytes + 2);
        if (order == scope::kOrderCycleTime) {
            QByteArray payload(8, '\0');
            link::writeU32(reinterpret_cast<std::uint8_t*>(payload.data()), static_cast<std::uint32_t>(a));
            link::writeU32(reinterpret_cast<std::uint8_t*>(payload.data()) + 4,
                           static_cast<std::uint32_t>(b));
            peer.send(test::frame(order, 0, payload));
            return;
        }
        peer.send(test::frame(order, static_cast<std::uint16_t>(argument)));
        if (order == scope::kOrderScan && argument == scope::kArgumentStart)
            sendScan();
    }

    void sendScan() {
        QByteArray data = scanFrames(100);
        switch (delivery) {
        case Delivery::OneSegment:
            peer.send(data);
            break;
        case Delivery::Pieces:
            peer.sendPieces(data, 100);
            break;
        case Delivery::BadDataCrc:
            data[1304 + 8 + 40] = static_cast<char>(data[1304 + 8 + 40] ^ 1);
            peer.send(data);
            break;
        case Delivery::Short:
            peer.send(data.left(data.size() - 1));
            QTimer::singleShot(20, &peer, [this] { BreakDataScan(session); });
            break;
        }
    }

    [[nodiscard]] int lastOrder() const { return static_cast<std::uint8_t>(peer.requests.back()[1]); }
    [[nodiscard]] int lastArgument() const {
        return link::readU16(reinterpret_cast<const std::uint8_t*>(peer.requests.back().constData()) + 2);
    }
};

class ScopeDeliveryTest : public ScopeTest, public ::testing::WithParamInterface<Delivery> {};

TEST_P(ScopeDeliveryTest, PlotsTheFramesReorderedAroundTheTrigger) {
    delivery = GetParam();
    ASSERT_EQ(GetScopeData(session), 1);
    const auto& r = session.scope.result;
    EXPECT_TRUE(session.scope.hasResult);
    EXPECT_EQ(r.red[0], 1080.0);
    EXPECT_EQ(r.blue[20], 3100.0);
    EXPECT_EQ(r.digital0[0], 2); // ring state 80 % 8 = 0
    EXPECT_EQ(session.flags.scopeRunning, 1);
}

INSTANTIATE_TEST_SUITE_P(Segments, ScopeDeliveryTest,
                         ::testing::Values(Delivery::OneSegment, Delivery::Pieces));

TEST_F(ScopeTest, ABadDataCrcEndsTheScanWithoutPlotting) {
    delivery = Delivery::BadDataCrc;
    EXPECT_EQ(GetScopeData(session), -1);
    EXPECT_FALSE(session.scope.hasResult);
    EXPECT_EQ(session.flags.scopeRunning, 0);
}

TEST_F(ScopeTest, BreakWhileWaitingEndsTheScanAndSendsTheBreakRequest) {
    delivery = Delivery::Short;
    EXPECT_EQ(GetScopeData(session), 0);
    EXPECT_FALSE(session.scope.hasResult);
    ASSERT_TRUE(test::waitUntil([this] { return lastOrder() == scope::kOrderScan && lastArgument() == 0; }));
    EXPECT_FALSE(session.link.exchangeRunning());
}

TEST_F(ScopeTest, CycleTimeFromTheReply) {
    GetCycleTime(session);
    EXPECT_DOUBLE_EQ(session.scope.cycle.frequency, 1000.0);
    EXPECT_DOUBLE_EQ(session.scope.cycle.cycleMs, 1.0);
    b = 0;
    GetCycleTime(session);
    EXPECT_EQ(session.scope.cycle.frequency, 0.0);
    EXPECT_EQ(session.scope.cycle.cycleMs, 0.0);
}

TEST_F(ScopeTest, RecordedSignalSetsTheAxesUpAndScanRateTheDeltas) {
    session.scope.cycle = scope::CycleTime{1000.0, 1.0};
    scope::ScanSettings settings = session.scope.settings;
    settings.recordedSignal = scope::kColourSpaceSignal;
    setScopeSettings(session, settings);
    EXPECT_EQ(session.scope.axes.yMax, 1.0); // COLOR SPACE 0
    EXPECT_EQ(session.scope.axes.valueDecimals, 4);
    settings.scanRate = 3;
    setScopeSettings(session, settings);
    EXPECT_DOUBLE_EQ(session.scope.deltaX, 64 * 3.0); // default cursors 32 and 96
}

TEST_F(ScopeTest, TheLevelSentIsTheLevelShownWithTheFieldsDecimals) {
    struct Case {
        int colourSpace;
        int signal;
        double level;
        double shown;
        std::int32_t sent;
    };
    const Case cases[] = {
        {1, scope::kColourSpaceSignal, 12.345678, 12.35, 809369}, // 12.35 x 65536 = 809369.6
        {1, 0, 12.7, 13.0, 13},
        {1, 0, -12.7, -13.0, -13},
        {0, scope::kColourSpaceSignal, 0.123456, 0.1235, 8093}, // 0.1235 x 65536 = 8093.7
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        session.parameters.controls.setValue(parameters::Control::ColorSpace, c.colourSpace);
        scope::ScanSettings settings = session.scope.settings;
        settings.recordedSignal = c.signal == 0 ? scope::kColourSpaceSignal : 0;
        setScopeSettings(session, settings);
        settings.recordedSignal = c.signal;
        settings.triggerLevel = c.level;
        setScopeSettings(session, settings);
        EXPECT_EQ(session.scope.settings.triggerLevel, c.shown);

        peer.requests.clear();
        CBF_ButtonScopeScan(session);
        ASSERT_FALSE(peer.requests.empty());
        const QByteArray& start = peer.requests.front();
        ASSERT_EQ(static_cast<std::uint8_t>(start[1]), scope::kOrderScan);
        EXPECT_EQ(link::readI32(reinterpret_cast<const std::uint8_t*>(start.constData()) + 8), c.sent);
    }
}

TEST_F(ScopeTest, BreakWithoutAScanSendsTheBreakRequestAndUndims) {
    CBF_ButtonScopeBreak(session);
    EXPECT_EQ(lastOrder(), scope::kOrderScan);
    EXPECT_EQ(lastArgument(), 0);
    EXPECT_FALSE(session.dimming.dimmed(DimControl::ScopeScan));
}

} // namespace
} // namespace tavrino::app
