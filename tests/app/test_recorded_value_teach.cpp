// The recorded-value teach panel's flows against a scripted sensor:
// recording, what ends it, the full buffer, the cursor and teaching the
// point under it, the asked reset.

#include "app/connection.h"
#include "app/live_measurement.h"
#include "app/recorded_value_teach.h"
#include "link/orders.h"
#include "support/loopback_link.h"
#include "support/measurement_frame.h"
#include "support/peers.h"
#include "support/recording_graphs.h"
#include "support/scripted_operator.h"
#include "support/test_directory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace tavrino::app {
namespace {

using teach::Triple;

struct Frame {
    Triple cs{};
    int colorNo = 255;
};

// A measurement frame's payload: csX, csY, csI and the colour number.
QByteArray payloadOf(const Frame& f) {
    return test::measurementPayload({.csX = f.cs[0], .csY = f.cs[1], .csI = f.cs[2], .colorNo = f.colorNo});
}

class RecordedTeachTest : public ::testing::Test {
protected:
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session session{op, graphs, test::testDirectory("app")};
    test::TcpPeer peer;
    std::deque<Frame> frames; // order 8 answers; an error reply when none is left
    std::vector<int> orders;  // every request's order
    int notifiedFrames = 0;
    std::function<void()> onFrame; // after each recorded frame
    std::vector<bool> sendDimmed;  // SEND dimmed at each recorded frame

    void SetUp() override {
        peer.onRequest = [this](const QByteArray& request) {
            const int o = static_cast<std::uint8_t>(request[1]);
            orders.push_back(o);
            if (o != link::order::Measure || frames.empty()) {
                peer.send(test::frame(0, 1)); // an error reply
                return;
            }
            peer.send(test::frame(o, 0, payloadOf(frames.front())));
            frames.pop_front();
        };
        ASSERT_TRUE(test::openLoopbackLink(session, peer.port(), op));
        session.teachPanels.subscribe([this](TeachPanelChange c) {
            if (c != TeachPanelChange::RecordedFrame)
                return;
            ++notifiedFrames;
            sendDimmed.push_back(session.dimming.dimmed(DimControl::SendButton));
            if (onFrame)
                onFrame();
        });
    }

    void stopAfter(int n) {
        onFrame = [this, n] {
            if (notifiedFrames == n)
                CBF_ButtonStop(session);
        };
    }
    [[nodiscard]] const teach::RecordedValues& recorded() const { return session.teachPanels.recorded; }
};

TEST_F(RecordedTeachTest, StartRecordsEveryFrameWithoutServingSendOrTouchingTheDisplays) {
    frames = {{{0.25, 0.5, 40}, 1}, {{0.5, 0.75, 50}, 1}, {{1.0, 1.5, 60}, 255}};
    stopAfter(3);
    session.flags.sendPending = 1;
    const auto displayed = session.live.display.frame;

    CBF_ButtonTP2Start(session);

    // Only frames: the SEND pressed before waits for the live loop.
    EXPECT_EQ(orders, std::vector<int>(3, link::order::Measure));
    ASSERT_EQ(recorded().counter(), 3);
    EXPECT_EQ(recorded().entry(1), (Triple{0.5, 0.75, 50}));
    EXPECT_EQ(session.teachPanels.recordedShown, (Triple{1.0, 1.5, 60}));
    EXPECT_EQ(session.live.display.frame, displayed);
    EXPECT_EQ(graphs.count("init"), 1);
    EXPECT_EQ(sendDimmed, (std::vector<bool>{true, true, true}));
    EXPECT_FALSE(session.dimming.dimmed(DimControl::SendButton));
    // Row 1 was hit and then no row: white again.
    EXPECT_EQ(session.parameters.teachTable.background(1, 0), teach::kWhite);

    // A new START appends.
    frames = {{{2, 2, 2}}};
    stopAfter(4);
    CBF_ButtonTP2Start(session);
    EXPECT_EQ(recorded().counter(), 4);
    EXPECT_EQ(recorded().entry(0), (Triple{0.25, 0.5, 40}));
}

TEST_F(RecordedTeachTest, WhatEndsTheRecording) {
    struct Case {
        const char* name;
        std::function<void(Session&)> atSecondFrame;
        int frames;
    };
    const Case cases[] = {
        {"a failed exchange", nullptr, 2},
        {"the connection page", [](Session& s) { mainTabChanged(s, MainTab::Connection); }, 2},
        {"the scope page", [](Session& s) { mainTabChanged(s, MainTab::Scope); }, 2},
    };
    for (const Case& c : cases) {
        session.teachPanels.recorded.resetCounter();
        notifiedFrames = 0;
        frames = {{{1, 1, 1}}, {{2, 2, 2}}};
        if (c.atSecondFrame)
            frames.push_back({{3, 3, 3}});
        onFrame = [&] {
            if (notifiedFrames == 2 && c.atSecondFrame)
                c.atSecondFrame(session);
        };
        CBF_ButtonTP2Start(session);
        EXPECT_EQ(recorded().counter(), c.frames) << c.name;
        EXPECT_EQ(session.flags.running, 0) << c.name;
        if (!OpenLink(session))
            FAIL() << "no new link after " << c.name;
    }
}

TEST_F(RecordedTeachTest, AFullBufferEndsTheRecordingAndTakesNoMoreFrames) {
    while (recorded().counter() < teach::RecordedValues::kCapacity - 1)
        session.teachPanels.recorded.store({0, 0, 0});
    frames = {{{1, 2, 3}}, {{4, 5, 6}}, {{7, 8, 9}}};
    CBF_ButtonTP2Start(session);
    EXPECT_EQ(recorded().counter(), 60000);
    EXPECT_EQ(recorded().entry(59999), (Triple{1, 2, 3}));
    EXPECT_EQ(orders.size(), 1u);
    // Full: the next START stops at its first frame and records nothing.
    CBF_ButtonTP2Start(session);
    EXPECT_EQ(orders.size(), 2u);
    EXPECT_EQ(notifiedFrames, 1);
    EXPECT_EQ(session.teachPanels.recordedShown, (Triple{1, 2, 3}));
}

TEST_F(RecordedTeachTest, TheCursorSelectsAnEntryAndTeachPutsItIntoRowNo) {
    for (const Triple& t : {Triple{0.1, 0.2, 30}, Triple{0.3, 0.4, 20}, Triple{0.3, 0.9, 20}})
        session.teachPanels.recorded.store(t);
    session.parameters.teachTable.setRowNumber(2);
    SetCursorTP2(session, 1, {0.3, 20});
    EXPECT_EQ(session.teachPanels.recordedShown, (Triple{0.3, 0.4, 20}));
    CBF_ButtonTP2Teach(session);
    const auto& row = session.parameters.teachTable.cells()[2];
    EXPECT_EQ((Triple{row[0], row[1], row[2]}), (Triple{0.3, 0.4, 20}));
    EXPECT_EQ(session.parameters.set.teach[2][0], 0.3);
    EXPECT_EQ(graphs.count("init"), 1);
    SetCursorTP2(session, 0, {5, 5}); // nothing there: entry 0
    EXPECT_EQ(session.teachPanels.recordedShown, (Triple{0.1, 0.2, 30}));
}

TEST_F(RecordedTeachTest, ResetFollowsTheAnswerAndKeepsTheBuffer) {
    session.teachPanels.recorded.store({1, 2, 3});
    session.teachPanels.recorded.store({4, 5, 6});
    int resets = 0;
    session.teachPanels.subscribe(
        [&](TeachPanelChange c) { resets += c == TeachPanelChange::RecordedReset; });
    op.confirmAnswers = {false, true};
    EXPECT_FALSE(CBF_ButtonTP2Reset(session));
    EXPECT_EQ(recorded().counter(), 2);
    EXPECT_EQ(resets, 0);
    EXPECT_TRUE(CBF_ButtonTP2Reset(session));
    EXPECT_EQ(recorded().counter(), 0);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(recorded().entry(1), (Triple{4, 5, 6}));
    // Nothing recorded: a cursor move selects nothing.
    session.teachPanels.recordedShown = {9, 9, 9};
    SetCursorTP2(session, 0, {1, 2});
    EXPECT_EQ(session.teachPanels.recordedShown, (Triple{9, 9, 9}));
}

} // namespace
} // namespace tavrino::app
