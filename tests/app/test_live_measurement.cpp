// The live measurement against a scripted sensor (frames chosen byte by byte,
// STOP, SEND, GET and tab switches while a reply is awaited, failures) and
// against the simulated sensor.

#include "app/connection.h"
#include "app/live_measurement.h"
#include "app/session.h"
#include "link/orders.h"
#include "parameters/wire.h"
#include "sim_server.h"
#include "support/loopback_link.h"
#include "support/measurement_frame.h"
#include "support/peers.h"
#include "support/recording_graphs.h"
#include "support/scripted_operator.h"
#include "support/sim_loopback.h"
#include "support/test_directory.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Counts the allocations of the calling thread while `counting` is set, to
// show that the display update allocates nothing.
namespace {
struct AllocationCount {
    bool counting = false;
    long count = 0;
};
thread_local AllocationCount allocations;
} // namespace

void* operator new(std::size_t size) {
    if (allocations.counting)
        ++allocations.count;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace tavrino::app {
namespace {

namespace order = link::order;
using measurement::Deviations;
using measurement::DisplayColour;
using measurement::MeasurementDisplay;
using measurement::MeasurementRecord;
using parameters::TransferTarget;

using Frame = test::MeasurementFrame;

QByteArray payloadOf(const Frame& f) {
    return test::measurementPayload(f);
}

// A live measurement on a scripted sensor. Order 8 is answered with the
// queued frames (a zero frame when none is left); parameter transfers are
// acknowledged; `intercept` may take over any request.
class LiveTest : public ::testing::Test {
protected:
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session session{op, graphs, test::testDirectory("app")};
    test::TcpPeer peer;
    std::deque<QByteArray> replies;                         // order-8 payloads, in order
    std::function<bool(int order, int argument)> intercept; // true: it answered itself
    std::vector<std::pair<int, int>> orders;                // every request: order, argument
    std::size_t stopAfter = 1;                              // frames shown before STOP
    std::vector<MeasurementDisplay> shown;                  // the display after each frame
    std::vector<MeasurementRecord> records;                 // the record after each frame
    std::vector<std::array<bool, 3>> dimmedDuringLoop;      // GO, SEND, connect

    void SetUp() override {
        peer.onRequest = [this](const QByteArray& request) {
            const int o = static_cast<std::uint8_t>(request[1]);
            const int a = link::readU16(reinterpret_cast<const std::uint8_t*>(request.constData()) + 2);
            orders.emplace_back(o, a);
            if (!intercept || !intercept(o, a))
                answer(o, a);
        };
        ASSERT_TRUE(test::openLoopbackLink(session, peer.port(), op));
        graphs.onShow = [this] {
            // The graphs are also redrawn after a GET; only a new frame counts.
            if (!shown.empty() ? session.live.display.frame == shown.back().frame
                               : session.live.display.frame == 0)
                return;
            shown.push_back(session.live.display);
            records.push_back(session.live.record);
            dimmedDuringLoop.push_back({session.dimming.dimmed(DimControl::GoButton),
                                        session.dimming.dimmed(DimControl::SendButton),
                                        session.dimming.dimmed(DimControl::ConnectButton)});
            if (shown.size() >= stopAfter)
                CBF_ButtonStop(session);
        };
    }

    void answer(int o, int a) {
        switch (o) {
        case order::Measure: {
            QByteArray payload = replies.empty() ? payloadOf({}) : replies.front();
            if (!replies.empty())
                replies.pop_front();
            peer.send(test::frame(o, 0, payload));
            break;
        }
        case order::GetParameters: {
            QByteArray block(a == 0 ? 64 : 96, '\0');
            auto* p = reinterpret_cast<std::uint8_t*>(block.data());
            if (a == 0)
                parameters::encodeParameterBlock(session.parameters.set, p);
            else
                std::copy(session.parameters.set.teachBlock.begin(), session.parameters.set.teachBlock.end(),
                          p);
            peer.send(test::frame(o, 0, block));
            break;
        }
        case order::SendParameters:
        case order::StoreRamInEeprom:
        case order::LoadEepromIntoRam:
            peer.send(test::frame(o, 0));
            break;
        default:
            peer.send(test::frame(0, 1)); // invalid order
        }
    }

    // An error reply: the link reports it and clears the running flag.
    void fail() { peer.send(test::frame(0, 1)); }

    // Runs `action` while the exchange that the peer just received waits,
    // and answers it afterwards.
    void duringWait(int o, int a, std::function<void()> action) {
        QTimer::singleShot(0, &peer, [this, o, a, action = std::move(action)] {
            action();
            answer(o, a);
        });
    }

    [[nodiscard]] std::vector<int> orderNumbers() const {
        std::vector<int> out;
        for (const auto& [o, a] : orders)
            out.push_back(o);
        return out;
    }
};

// ---------------------------------------------------------------- displays

struct DisplayCase {
    const char* name;
    Frame in;
    Deviations deviations;
    DisplayColour colour;
    DisplayColour paint;
    bool in0High;
    bool saturated;
};

// Taught rows: the first three columns are what deviations subtract.
const TeachRows kTeach{{
    {0.25, 0.5, 40, 1, 1, 1},
    {0.125, 0.25, 50, 2, 2, 2},
    {-1.5, 2.0, 60, 3, 3, 3},
}};

std::vector<DisplayCase> displayCases() {
    return {
        {"NoColour255",
         {.csX = 0.3125, .csY = 0.4375, .csI = 45, .deltaE = 2.25, .colorNo = 255},
         {2.25, 2.25, 2.25},
         {0, 0, 0},
         {0, 0, 0},
         false,
         false},
        {"ColourNumberBeyondRows",
         {.csX = 1, .deltaE = -1, .colorNo = 3},
         {-1, -1, -1},
         {},
         {},
         false,
         false},
        {"Row1",
         {.csX = 0.5, .csY = 0.75, .csI = 55.5, .deltaE = 0.5, .colorNo = 1, .in0 = 1},
         {0.375, 0.5, 5.5},
         {0, 0, 0},
         {0, 0, 0},
         true,
         false},
        {"Row0SaturatedTwo",
         {.csX = 0.25, .csY = 0.25, .csI = 39, .X = 4095, .Y = 0, .Z = -16, .colorNo = 0, .sat = 2},
         {0.0, -0.25, -1.0},
         {255, 0, -1},
         {255, 0, 0},
         false,
         true},
        {"Row2NegativeCoordinate",
         {.csX = -1.0,
          .csY = 1.5,
          .csI = 61,
          .X = 4096,
          .Y = 15,
          .Z = 16,
          .colorNo = 2,
          .in0 = -5,
          .sat = -1},
         {0.5, -0.5, 1.0},
         {256, 0, 1},
         {255, 0, 1},
         true,
         true},
    };
}

TEST_F(LiveTest, EveryFrameReachesEveryDisplay) {
    const auto cases = displayCases();
    for (const auto& c : cases)
        replies.push_back(payloadOf(c.in));
    stopAfter = cases.size();
    session.parameters.teachTable.setCells(kTeach); // GO reads it from the panel

    CBF_ButtonGo(session);

    ASSERT_EQ(shown.size(), cases.size()) << op.connectionLog;
    EXPECT_EQ(orderNumbers(), std::vector<int>(cases.size(), order::Measure));
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const DisplayCase& c = cases[i];
        const MeasurementDisplay& d = shown[i];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(d.frame, i + 1);
        EXPECT_DOUBLE_EQ(d.deviations.d1, c.deviations.d1);
        EXPECT_DOUBLE_EQ(d.deviations.d2, c.deviations.d2);
        EXPECT_DOUBLE_EQ(d.deviations.dI, c.deviations.dI);
        EXPECT_EQ(d.colour, c.colour);
        EXPECT_EQ(d.paintColour, c.paint);
        EXPECT_EQ(d.in0High, c.in0High);
        EXPECT_EQ(d.saturated, c.saturated);
        EXPECT_EQ(d.colourNumber, c.in.colorNo);
        EXPECT_DOUBLE_EQ(d.deltaE, c.in.deltaE);
        // The first frame follows the all-zero record.
        EXPECT_EQ(records[i].prevColorNo, i == 0 ? 0 : cases[i - 1].in.colorNo);
        // The loop runs with GO dimmed; SEND stays usable (it only notes a wish).
        EXPECT_EQ(dimmedDuringLoop[i], (std::array<bool, 3>{true, false, true}));
    }
    EXPECT_EQ(session.flags.running, 0);
    EXPECT_FALSE(session.dimming.dimmed(DimControl::GoButton));
    EXPECT_FALSE(session.dimming.dimmed(DimControl::ConnectButton));
}

TEST_F(LiveTest, ValuesGoUnchangedToTheirDisplaysAndHistories) {
    const Frame a{.csX = 0.3125,
                  .csY = -0.0625,
                  .csI = 77.75,
                  .refX = 0.5,
                  .refY = -2.5,
                  .refI = 99.5,
                  .deltaE = 3.0,
                  .X = 1200,
                  .Y = -3,
                  .Z = 32767,
                  .rawX = 3501,
                  .rawY = -32768,
                  .rawZ = 17,
                  .colorNo = 255,
                  .in0 = 0,
                  .temp = -40,
                  .dpSet = 1,
                  .sat = 0};
    const Frame b{.csX = 1.5, .csY = 2.5, .csI = 3.5, .X = 10, .Y = 20, .Z = 30, .temp = 512, .dpSet = 0};
    replies = {payloadOf(a), payloadOf(b)};
    stopAfter = 2;

    CBF_ButtonGo(session);

    ASSERT_EQ(shown.size(), 2U) << op.connectionLog;
    const MeasurementDisplay& d = shown[0];
    EXPECT_EQ(d.xyz, (std::array<int, 3>{1200, -3, 32767}));
    EXPECT_EQ(d.reference, (std::array<double, 3>{0.5, -2.5, 99.5}));
    EXPECT_EQ(d.coordinates, (std::array<double, 3>{0.3125, -0.0625, 77.75}));
    EXPECT_EQ(d.raw, (std::array<int, 3>{3501, -32768, 17}));
    EXPECT_EQ(d.temperature, -40);
    EXPECT_EQ(d.doubleParameterSet, 1);
    EXPECT_EQ(shown[1].temperature, 512);
    EXPECT_EQ(shown[1].doubleParameterSet, 0);

    // Newest last; what came before the two frames is still zero.
    const auto& h = session.live.histories;
    const std::size_t n = measurement::GraphHistories::kSamples;
    EXPECT_EQ(h.csX[n - 2], 0.3125);
    EXPECT_EQ(h.csX[n - 1], 1.5);
    EXPECT_EQ(h.csY[n - 1], 2.5);
    EXPECT_EQ(h.csI[n - 2], 77.75);
    EXPECT_EQ(h.csI[n - 3], 0.0);
    const std::array<double, 6> lastTwoTriples{1200, -3, 32767, 10, 20, 30};
    EXPECT_TRUE(std::equal(lastTwoTriples.begin(), lastTwoTriples.end(), h.xyz.end() - 6));
    EXPECT_EQ(h.xyz[h.xyz.size() - 7], 0.0);
}

TEST(LiveDisplay, DisplayUpdateAllocatesNothing) {
    measurement::MeasurementDisplay display;
    measurement::GraphHistories histories;
    MeasurementRecord record;
    record.colorNo = 1;
    record.X = 33;
    allocations = {true, 0};
    for (int i = 0; i < 1000; ++i)
        measurement::updateDisplay(display, histories, record, kTeach);
    const long count = allocations.count;
    allocations = {};
    EXPECT_EQ(count, 0);
    EXPECT_EQ(display.frame, 1000U);
}

// ---------------------------------------------------------------- ending the loop

TEST_F(LiveTest, StopWhileAReplyIsAwaitedEndsAfterThatReply) {
    stopAfter = 100;
    replies = {payloadOf({.X = 48, .colorNo = 2})};
    intercept = [this](int o, int a) {
        if (o != order::Measure || orders.size() != 1)
            return false;
        duringWait(o, a, [this] { CBF_ButtonStop(session); });
        return true;
    };

    CBF_ButtonGo(session);

    EXPECT_EQ(orderNumbers(), std::vector<int>{order::Measure});
    ASSERT_EQ(shown.size(), 1U); // the reply was still shown
    EXPECT_EQ(session.live.display.colourNumber, 2);
    EXPECT_EQ(session.flags.running, 0);
    EXPECT_FALSE(session.dimming.dimmed(DimControl::GoButton));
    EXPECT_TRUE(op.messages().empty());
}

struct TabCase {
    const char* name;
    MainTab tab;
    bool stops;
    std::optional<ChildPanel> panel; // child panel shown afterwards
};

class LiveTabTest : public LiveTest, public ::testing::WithParamInterface<TabCase> {};

TEST_P(LiveTabTest, TabSwitchDuringTheLoop) {
    const TabCase& c = GetParam();
    session.dimming.setConfirmedConnectionButtons(false); // as after a confirmed connection
    stopAfter = 2;
    intercept = [this, &c](int o, int a) {
        if (o != order::Measure || orders.size() != 1)
            return false;
        duringWait(o, a, [this, &c] { mainTabChanged(session, c.tab); });
        return true;
    };

    CBF_ButtonGo(session);

    EXPECT_EQ(shown.size(), c.stops ? 1U : 2U);
    EXPECT_EQ(orders.size(), c.stops ? 1U : 2U);
    EXPECT_EQ(session.shell.currentMainTab, c.tab);
    EXPECT_EQ(session.shell.currentChildPanel, c.panel.value_or(ChildPanel::MeasurementDisplay));
    EXPECT_EQ(session.dimming.dimmed(DimControl::AcceptButton), c.tab == MainTab::Connection);
}

INSTANTIATE_TEST_SUITE_P(Tabs, LiveTabTest,
                         ::testing::Values(TabCase{"Connection", MainTab::Connection, true, std::nullopt},
                                           TabCase{"Scope", MainTab::Scope, true, ChildPanel::Scope},
                                           TabCase{"Recorder", MainTab::Recorder, false, std::nullopt},
                                           TabCase{"Calibration", MainTab::Calibration, false,
                                                   ChildPanel::Calibration},
                                           TabCase{"TeachTable", MainTab::TeachTable, false, std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LiveTest, FailedExchangeKeepsTheRecordAndTheNextGoStartsFromIt) {
    const Frame a{.csX = 0.75, .X = 100, .colorNo = 1, .temp = 9};
    replies = {payloadOf(a)};
    stopAfter = 100;
    intercept = [this](int o, int) {
        if (o != order::Measure || orders.size() != 2)
            return false;
        fail();
        return true;
    };

    CBF_ButtonGo(session);

    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(orders.size(), 2U); // no pass after the failure
    EXPECT_EQ(session.live.record.raw, records[0].raw);
    EXPECT_EQ(session.live.record.colorNo, 1);
    EXPECT_EQ(session.live.record.temp, 9);
    EXPECT_EQ(session.live.display.frame, 1U); // no display changed for the failed pass
    EXPECT_EQ(op.sensorStatus, "TIMEOUT!");
    EXPECT_EQ(session.shell.currentMainTab, MainTab::Connection);
    EXPECT_EQ(session.flags.running, 0);
    EXPECT_FALSE(session.dimming.dimmed(DimControl::GoButton));

    intercept = nullptr;
    replies = {payloadOf({.colorNo = 255})};
    stopAfter = 2;
    CBF_ButtonGo(session);
    ASSERT_EQ(shown.size(), 2U) << op.connectionLog;
    EXPECT_EQ(records[1].prevColorNo, 1);
}

TEST(LiveOffline, GoWithoutALineEndsAtOnce) {
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session session{op, graphs, test::testDirectory("app")};
    std::vector<std::pair<DimControl, bool>> goChanges;
    session.dimming.subscribe([&](DimControl c, bool dimmed) {
        if (c == DimControl::GoButton)
            goChanges.emplace_back(c, dimmed);
    });

    CBF_ButtonGo(session);

    EXPECT_EQ(graphs.calls, std::vector<std::string>{"init"});
    EXPECT_EQ(session.flags.running, 0);
    EXPECT_EQ(op.count("status"), 1U);
    EXPECT_EQ(op.sensorStatus, "TIMEOUT!");
    EXPECT_EQ(session.live.display.frame, 0U);
    const std::vector<std::pair<DimControl, bool>> expected{{DimControl::GoButton, true},
                                                            {DimControl::GoButton, false}};
    EXPECT_EQ(goChanges, expected);
}

// ---------------------------------------------------------------- pending transfers

struct PendingCase {
    const char* name;
    bool send;
    TransferTarget target;
    std::vector<std::pair<int, int>> orders;
};

class LivePendingTest : public LiveTest, public ::testing::WithParamInterface<PendingCase> {};

TEST_P(LivePendingTest, TransferPressedDuringTheLoopGoesOutBeforeTheNextFrame) {
    const PendingCase& c = GetParam();
    session.parameters.controls.selectTarget(c.target);
    stopAfter = 2;
    intercept = [this, &c](int o, int) {
        if (o != order::Measure || orders.size() != 1)
            return false;
        if (c.send)
            session.parameters.transfer.sendButton();
        else
            session.parameters.transfer.getButton();
        // Pressed while a loop runs: noted, nothing exchanged at once.
        EXPECT_EQ(orders.size(), 1U);
        return false;
    };

    CBF_ButtonGo(session);

    EXPECT_EQ(orders, c.orders);
    EXPECT_EQ(shown.size(), 2U);
    EXPECT_EQ(session.flags.sendPending, 0);
    EXPECT_EQ(session.flags.getPending, 0);
    EXPECT_TRUE(op.messages().empty()) << op.messages().front();
}

INSTANTIATE_TEST_SUITE_P(
    Transfers, LivePendingTest,
    ::testing::Values(
        PendingCase{"SendRam", true, TransferTarget::Ram, {{8, 0}, {1, 0}, {1, 2}, {8, 0}}},
        PendingCase{"SendEeprom", true, TransferTarget::Eeprom, {{8, 0}, {1, 0}, {1, 2}, {3, 0}, {8, 0}}},
        PendingCase{"GetRam", false, TransferTarget::Ram, {{8, 0}, {2, 0}, {2, 2}, {8, 0}}},
        PendingCase{"GetEeprom", false, TransferTarget::Eeprom, {{8, 0}, {4, 0}, {2, 0}, {2, 2}, {8, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LiveTest, FailedPendingSendEndsTheLoopWithoutAnotherFrame) {
    stopAfter = 100;
    intercept = [this](int o, int) {
        if (o == order::Measure && orders.size() == 1)
            session.flags.sendPending = 1;
        if (o != order::SendParameters)
            return false;
        fail();
        return true;
    };

    CBF_ButtonGo(session);

    EXPECT_EQ(orderNumbers(), (std::vector<int>{order::Measure, order::SendParameters}));
    EXPECT_EQ(shown.size(), 1U);
    EXPECT_EQ(session.flags.running, 0);
    EXPECT_FALSE(session.dimming.dimmed(DimControl::GoButton));
}

TEST_F(LiveTest, GoInsideAnotherExchangeStartsNoLoop) {
    intercept = [this](int o, int a) {
        if (o == order::GetParameters && a == 0)
            CBF_ButtonGo(session); // a callback nested in GET's wait
        return false;
    };

    EXPECT_EQ(session.parameters.transfer.GetPara(), 1) << op.connectionLog;

    EXPECT_EQ(orders, (std::vector<std::pair<int, int>>{{2, 0}, {2, 2}}));
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(op.messages().empty()); // nothing refused
    EXPECT_EQ(session.flags.running, 0);
}

// ---------------------------------------------------------------- GO and the panels

struct PanelCase {
    const char* name;
    MainTab tab;
    ChildPanel before;
    ChildPanel after;
};

class LivePanelTest : public ::testing::TestWithParam<PanelCase> {};

TEST_P(LivePanelTest, GoShowsTheMeasurementDisplayUnlessAnotherPanelNeedsTheValues) {
    const PanelCase& c = GetParam();
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session session{op, graphs, test::testDirectory("app")};
    session.op().showMainTab(c.tab);
    session.op().showChildPanel(c.before);
    CBF_ButtonGo(session); // offline: the loop ends at once
    EXPECT_EQ(session.shell.currentChildPanel, c.after);
    EXPECT_EQ(op.currentPanel, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Panels, LivePanelTest,
    ::testing::Values(PanelCase{"SignalGraph", MainTab::SensorParameter, ChildPanel::SignalGraph,
                                ChildPanel::MeasurementDisplay},
                      PanelCase{"RecordedValueTeach", MainTab::TeachTable, ChildPanel::RecordedValueTeach,
                                ChildPanel::MeasurementDisplay},
                      PanelCase{"DoubleParameter", MainTab::SensorParameter, ChildPanel::DoubleParameter,
                                ChildPanel::DoubleParameter},
                      PanelCase{"MeanValueTeach", MainTab::TeachTable, ChildPanel::MeanValueTeach,
                                ChildPanel::MeanValueTeach},
                      PanelCase{"CalibrationPage", MainTab::Calibration, ChildPanel::SignalGraph,
                                ChildPanel::SignalGraph}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- simulated sensor

TEST(LiveSimulator, FramesFromTheSimulatorAndASendDuringTheLoop) {
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session session{op, graphs, test::testDirectory("app")};
    sim::SimServer server{sim::SensorConfig{}};
    ASSERT_TRUE(test::listenOnLoopback(server));
    ASSERT_TRUE(test::openLoopbackLink(session, server.tcpPort(), op));

    session.parameters.controls.setValue(parameters::Control::Power, 777);
    constexpr std::size_t kFrames = 40;
    std::vector<MeasurementRecord> records;
    graphs.onShow = [&] {
        records.push_back(session.live.record);
        if (records.size() == 5)
            session.parameters.transfer.sendButton();
        if (records.size() == kFrames)
            CBF_ButtonStop(session);
    };

    CBF_ButtonGo(session);

    ASSERT_EQ(records.size(), kFrames) << op.connectionLog;
    EXPECT_EQ(server.sensor().memory().ramParameters[parameters::word::Power], 777);
    for (std::size_t i = 1; i < kFrames; ++i)
        EXPECT_EQ(records[i].prevColorNo, records[i - 1].colorNo);
    const auto& h = session.live.histories;
    const std::size_t n = measurement::GraphHistories::kSamples;
    for (std::size_t i = 0; i < kFrames; ++i) {
        const MeasurementRecord& r = records[kFrames - 1 - i];
        EXPECT_EQ(h.csX[n - 1 - i], r.csX);
        EXPECT_EQ(h.xyz[3 * (n - 1 - i) + 1], r.Y);
    }
    const MeasurementRecord& last = records.back();
    EXPECT_EQ(session.live.display.xyz, (std::array<int, 3>{last.X, last.Y, last.Z}));
    EXPECT_EQ(session.live.display.frame, kFrames);
    EXPECT_TRUE(op.messages().empty());
}

} // namespace
} // namespace tavrino::app
