// The recorder on the session against a scripted sensor: the record file
// selection, the interval loop's counting and its ends, lines that cannot be
// written, manual lines, and the triggered loop with frames together, in
// pieces and broken, and what the next exchange gets after it.

#include "app/connection.h"
#include "app/live_measurement.h"
#include "app/quit.h"
#include "app/recorder.h"
#include "app/session.h"
#include "link/orders.h"
#include "link/texts.h"
#include "recorder/record_file.h"
#include "recorder/texts.h"
#include "support/file_bytes.h"
#include "support/loopback_link.h"
#include "support/peers.h"
#include "support/recording_graphs.h"
#include "support/scripted_operator.h"
#include "support/test_directory.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace tavrino::app {
namespace {

namespace order = link::order;
using recorder::RecordMode;

constexpr std::string_view kSaved = recorder::texts::kFileSaved.en;

// A measurement payload whose X and colour number tell the frames apart.
QByteArray measurement(int x, int colour = 0) {
    measurement::MeasurementRecord r;
    r.X = static_cast<std::int16_t>(x);
    r.colorNo = static_cast<std::int16_t>(colour);
    const auto bytes = measurement::encodeRecord(r);
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

QByteArray streamed(int x) {
    return test::frame(order::Measure, 0, measurement(x));
}

class RecorderTest : public ::testing::Test {
protected:
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    std::string dir = test::testDirectory("app");
    Session session{op, graphs, dir};
    test::TcpPeer peer;
    std::vector<std::pair<int, int>> orders;
    // Answers a request; the default sends frame number n (X = 100 + n,
    // colour n) for order 8 and a plain reply otherwise.
    std::function<void(int order, int argument)> answer;
    int measured = 0;
    std::string file = dir + "/RecordFile.dat";

    void SetUp() override {
        peer.onRequest = [this](const QByteArray& request) {
            const int o = static_cast<std::uint8_t>(request[1]);
            const int a = link::readU16(reinterpret_cast<const std::uint8_t*>(request.constData()) + 2);
            orders.emplace_back(o, a);
            if (answer)
                answer(o, a);
            else
                standardAnswer(o, a);
        };
        ASSERT_TRUE(test::openLoopbackLink(session, peer.port(), op));
        session.shell.paths.recorderFile = file;
        session.recorder.interval = 0.25;
    }

    void standardAnswer(int o, int) {
        if (o == order::Measure) {
            peer.send(test::frame(o, 0, measurement(100 + measured, measured)));
            ++measured;
        } else {
            peer.send(test::frame(o, 0));
        }
    }

    // The file's record lines (those after the header's heading line).
    [[nodiscard]] std::vector<std::string> lines() const {
        const std::string text = test::readFileBytes(file);
        std::vector<std::string> out;
        std::size_t start = text.find("TEMP\r\n");
        start = start == std::string::npos ? 0 : start + 6;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            out.push_back(text.substr(start, end + 2 - start));
        return out;
    }

    [[nodiscard]] std::string lastMessage() const {
        const auto m = op.messages();
        return m.empty() ? std::string() : m.back();
    }

    void writeFile(const std::string& text) const { test::writeFileBytes(file, text); }
    [[nodiscard]] std::string fileText() const { return test::readFileBytes(file); }
};

// ---------------------------------------------------------------- the file

TEST_F(RecorderTest, SelectingTheRecordFile) {
    const std::string header = recorder::recordHeader(Language::English, "", 1);
    struct Case {
        const char* name;
        FileChoice::Kind chosen;
        std::vector<bool> answers;
        bool taken;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"nothing chosen",
         FileChoice::Kind::Nothing,
         {},
         false,
         {"No file was selected! \nProcess will not be done!"}},
        {"existing, No", FileChoice::Kind::Existing, {false}, false, {}},
        {"existing, Yes",
         FileChoice::Kind::Existing,
         {true},
         true,
         {std::string(recorder::texts::kFileInUse.en)}},
        {"new", FileChoice::Kind::New, {}, true, {}},
    };
    session.parameters.controls.setValue(parameters::Control::ColorSpace, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        op.calls.clear();
        session.shell.paths.recorderFile = dir + "/before.dat";
        writeFile("old line\r\n");
        op.fileAnswers.push_back({c.chosen, file});
        op.confirmAnswers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(SelRecFile(session), c.taken);
        EXPECT_EQ(op.messages(), c.messages);
        EXPECT_EQ(session.shell.paths.recorderFile, c.taken ? file : dir + "/before.dat");
        EXPECT_EQ(fileText(), c.taken ? header : "old line\r\n");
    }
    EXPECT_EQ(op.fileRequests.back().defaultName, "RecordFile.dat");
    EXPECT_EQ(op.fileRequests.back().startDirectory, dir);
}

// ---------------------------------------------------------------- modes 0 and 1

TEST_F(RecorderTest, ModeZeroWritesExactlyItsValuesAndShowsRemainingZero) {
    CBF_NumericRecordValues(session, 5);
    op.confirmAnswers = {true};
    EXPECT_EQ(recordAtInterval(session), 1);
    const auto written = lines();
    ASSERT_EQ(written.size(), 5u);
    EXPECT_NE(written[4].find("\t104\t"), std::string::npos) << written[4];
    EXPECT_EQ(session.recorder.recordedCount, 5);
    EXPECT_EQ(session.recorder.remaining, 0);
    EXPECT_EQ(orders, (std::vector<std::pair<int, int>>(5, {order::Measure, 0})));
    EXPECT_EQ(lastMessage(), kSaved);
    EXPECT_EQ(graphs.count("init panel graph"), 1);
    EXPECT_EQ(graphs.count("panel graph data"), 5);
    EXPECT_EQ(graphs.count("show"), 5);
    // The colour number of the frame before is kept, as the live loop does.
    EXPECT_EQ(session.live.record.colorNo, 4);
    EXPECT_EQ(session.live.record.prevColorNo, 3);
    EXPECT_FALSE(session.dimming.dimmed(DimControl::RecorderStart));
}

TEST_F(RecorderTest, RightFileQuestionAnsweredNoRecordsNothing) {
    op.confirmAnswers = {false};
    EXPECT_EQ(recordAtInterval(session), 0);
    EXPECT_TRUE(orders.empty());
    EXPECT_TRUE(op.messages().empty());
}

TEST_F(RecorderTest, FailedExchangeEndsAfterItsCycleWhichIsStillCounted) {
    answer = [this](int o, int a) {
        if (o == order::Measure && measured == 2)
            peer.send(test::frame(0, 1)); // invalid order
        else
            standardAnswer(o, a);
    };
    CBF_NumericRecordValues(session, 5);
    op.confirmAnswers = {true};
    EXPECT_EQ(recordAtInterval(session), -1);
    EXPECT_EQ(lines().size(), 2u);
    EXPECT_EQ(session.recorder.recordedCount, 3);
    EXPECT_EQ(session.recorder.remaining, 2);
    EXPECT_EQ(op.connectionLog, std::string(link::texts::kInvalidOrder.en) + "\n\n");
    // Not claimed as saved: what the file got instead.
    EXPECT_EQ(lastMessage(), recorder::texts::recordingBroken(Language::English, 2, file));
}

TEST_F(RecorderTest, ContinuousRecordingEndsWithATabSwitchAfterItsCycle) {
    CBF_RingRecordMode(session, RecordMode::Continuous);
    graphs.onPanelGraphData = [this] {
        if (graphs.count("panel graph data") == 3)
            mainTabChanged(session, MainTab::Scope);
    };
    op.confirmAnswers = {true};
    EXPECT_EQ(recordAtInterval(session), 1);
    EXPECT_EQ(lines().size(), 3u);
    EXPECT_EQ(session.recorder.seriesCount, 3);
    EXPECT_EQ(graphs.count("init panel graph"), 2); // the mode change and the start
}

TEST_F(RecorderTest, LinesThatCannotBeWrittenAreToldInsteadOfSaved) {
    session.shell.paths.recorderFile = "/dev/full";
    CBF_NumericRecordValues(session, 2);
    op.confirmAnswers = {true};
    EXPECT_EQ(recordAtInterval(session), 1);
    EXPECT_EQ(session.recorder.unwrittenLines, 2u);
    EXPECT_EQ(lastMessage(), recorder::texts::linesNotWritten(Language::English, 2, "/dev/full"));
    const auto messages = op.messages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), std::string(kSaved)), 0);
}

// ---------------------------------------------------------------- mode 2 and the page

TEST_F(RecorderTest, ManualLineBeforeAnyMeasurementHoldsTheZeroRecord) {
    CBF_RingRecordMode(session, RecordMode::Manual);
    CBF_ButtonManualRecord(session);
    const auto written = lines();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].substr(20), "0\t0\t0\t0.000000\t0.000000\t0.000000\t0.000000\t0\t0\r\n");
    EXPECT_EQ(session.recorder.recordedCount, 1);
    EXPECT_TRUE(orders.empty());
    EXPECT_TRUE(op.messages().empty());
}

TEST_F(RecorderTest, RecorderPageShownInModeZeroRecomputesTheRecordTime) {
    session.recorder.interval = 0.1;
    session.recorder.numberOfValues = 10;
    std::vector<RecorderChange> changes;
    const int id = session.recorder.subscribe([&](RecorderChange c) { changes.push_back(c); });
    mainTabChanged(session, MainTab::Recorder);
    session.recorder.unsubscribe(id);
    EXPECT_EQ(session.recorder.interval, 0.25);
    EXPECT_EQ(session.recorder.recordTime, (recorder::RecordTime{0, 0, 0, 2.5}));
    EXPECT_EQ(session.recorder.remaining, 10);
    EXPECT_EQ(changes.front(), RecorderChange::Mode);
}

// ---------------------------------------------------------------- mode 3

TEST_F(RecorderTest, TriggeredFramesAfterTheStopAreDroppedAndTheNextExchangeGetsItsOwnReply) {
    struct Case {
        const char* name;
        std::function<void(Session&)> stop;
    };
    const Case cases[] = {
        {"STOP", [](Session& s) { CBF_ButtonRecordStop(s); }},
        {"tab switch", [](Session& s) { mainTabChanged(s, MainTab::Connection); }},
        {"close box", [](Session& s) { EndRunsForQuit(s); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile("");
        orders.clear();
        graphs.calls.clear();
        answer = [this](int o, int a) {
            if (o == order::AutoSend && a == 1) {
                peer.send(test::frame(o, 0) + streamed(1) + streamed(2) + streamed(3));
            } else if (o == order::AutoSend) {
                // Frames already on their way, and the reply only a little later.
                peer.send(streamed(4) + streamed(5));
                QTimer::singleShot(30, &peer, [this] { peer.send(test::frame(order::AutoSend, 0)); });
            } else {
                // Slower than the stop's late reply, which must not be taken
                // for this one.
                QTimer::singleShot(60, &peer, [this, o] { peer.send(test::frame(o, 0, measurement(777))); });
            }
        };
        graphs.onPanelGraphData = [this, &c] {
            if (graphs.count("panel graph data") == 3)
                c.stop(session);
        };
        op.confirmAnswers = {true};
        EXPECT_EQ(recordTriggered(session), 1);
        // The recording ended with the third frame; the two read past the
        // stop's reply are neither written nor counted nor shown.
        const auto written = lines();
        ASSERT_EQ(written.size(), 3u);
        EXPECT_NE(written[2].find("\t3\t0\t0\t"), std::string::npos) << written[2];
        EXPECT_EQ(session.recorder.seriesCount, 3);
        EXPECT_EQ(graphs.count("panel graph data"), 3);
        EXPECT_EQ(session.live.record.X, 3);
        EXPECT_EQ(lastMessage(), kSaved);
        EXPECT_FALSE(session.dimming.dimmed(DimControl::GoButton));
        // A GO right after it.
        ASSERT_EQ(fetchLiveFrame(session), 1);
        EXPECT_EQ(session.live.record.X, 777);
        EXPECT_EQ(orders, (std::vector<std::pair<int, int>>{{30, 1}, {30, 0}, {8, 0}}));
        EXPECT_EQ(op.connectionLog, "");
    }
}

TEST_F(RecorderTest, TriggeredFramesInPiecesAndAStopInsideAFrame) {
    answer = [this](int o, int a) {
        if (o == order::AutoSend && a == 1) {
            peer.send(test::frame(o, 0));
            peer.sendPieces(streamed(1), 5);
        } else {
            peer.send(test::frame(o, 0));
        }
    };
    graphs.onPanelGraphData = [this] {
        if (graphs.count("panel graph data") != 1)
            return;
        // Seven bytes of the next frame, STOP, then the rest of it.
        const QByteArray next = streamed(2);
        peer.send(next.left(7));
        QTimer::singleShot(50, &peer, [this] { CBF_ButtonRecordStop(session); });
        QTimer::singleShot(100, &peer, [this, next] { peer.send(next.mid(7)); });
    };
    op.confirmAnswers = {true};
    EXPECT_EQ(recordTriggered(session), 1);
    // The frame begun before STOP is read to its end; the stop's reply is
    // found after it.
    const auto written = lines();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_NE(written[1].find("\t2\t0\t0\t"), std::string::npos) << written[1];
    EXPECT_EQ(orders.back(), (std::pair<int, int>{30, 0}));
    EXPECT_EQ(op.connectionLog, "");
}

TEST_F(RecorderTest, TriggeredFailuresAreReportedOnceAndTheStopIsAlwaysSent) {
    const QByteArray refused = test::frame(0, 1);
    const QByteArray stopped = test::frame(order::AutoSend, 0);
    QByteArray broken = streamed(2);
    broken[20] = static_cast<char>(broken[20] ^ 0x5A);
    const std::string saved(kSaved);
    const std::string brokenAfter0 = recorder::texts::recordingBroken(Language::English, 0, file);
    const std::string brokenAfter1 = recorder::texts::recordingBroken(Language::English, 1, file);
    struct Case {
        const char* name;
        QByteArray afterStart; // what follows order 30 argument 1
        QByteArray afterStop;  // what follows order 30 argument 0
        std::size_t lines;
        const Text& logged; // the one report
        const std::string& told;
    };
    const Case cases[] = {
        {"start refused", refused, stopped, 0, link::texts::kInvalidOrder, brokenAfter0},
        {"start and stop refused", refused, refused, 0, link::texts::kInvalidOrder, brokenAfter0},
        {"bad data CRC", stopped + streamed(1) + broken, stopped, 1, link::texts::kBadData, brokenAfter1},
        {"bad data CRC, stop refused", stopped + streamed(1) + broken, refused, 1, link::texts::kBadData,
         brokenAfter1},
        // The two lines are in the file, but the sensor may go on sending.
        {"stop refused", stopped + streamed(1) + streamed(2), refused, 2, link::texts::kInvalidOrder, saved},
    };
    session.recorder.lineLimit = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile("");
        orders.clear();
        op.connectionLog.clear();
        answer = [this, &c](int o, int a) {
            peer.send(o != order::AutoSend ? test::frame(o, 0) : a == 1 ? c.afterStart : c.afterStop);
        };
        op.confirmAnswers = {true};
        EXPECT_EQ(recordTriggered(session), -1);
        EXPECT_EQ(lines().size(), c.lines);
        EXPECT_EQ(op.connectionLog, std::string(c.logged.en) + "\n\n");
        EXPECT_EQ(orders, (std::vector<std::pair<int, int>>{{30, 1}, {30, 0}}));
        EXPECT_EQ(lastMessage(), c.told);
    }
}

} // namespace
} // namespace tavrino::app
