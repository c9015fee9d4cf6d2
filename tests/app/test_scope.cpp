// The scan and the cycle time against a scripted TCP sensor.

#include "app/connection.h"
#include "app/scope.h"
#include "app/scope_capture.h"
#include "app/session.h"
#include "scope/capture_file.h"
#include "support/file_bytes.h"
#include "support/german_locale.h"
#include "support/loopback_link.h"
#include "support/peers.h"
#include "support/recording_graphs.h"
#include "support/scripted_operator.h"
#include "support/test_directory.h"

#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <locale>

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

TEST_F(ScopeTest, TheCommentIsCutAtItsLimitInCharactersNotBytes) {
    const auto repeated = [](std::string_view character, std::size_t n) {
        std::string text;
        for (std::size_t i = 0; i < n; ++i)
            text += character;
        return text;
    };
    struct Case {
        std::string given;
        std::string kept;
    };
    const std::size_t limit = ScopeState::kCommentLimit;
    for (const Case& c :
         {Case{repeated("\xC3\xA4", limit), repeated("\xC3\xA4", limit)}, // ä, two bytes each
          Case{repeated("\xC3\xA4", limit + 6), repeated("\xC3\xA4", limit)},
          Case{repeated("a", limit + 1), repeated("a", limit)},
          Case{"a" + repeated("\xE2\x82\xAC", limit), "a" + repeated("\xE2\x82\xAC", limit - 1)}}) {
        setScopeComment(session, c.given);
        EXPECT_EQ(session.scope.comment, c.kept);
    }
}

// ---- captures ----

TEST_F(ScopeTest, ACaptureSavedAndOpenedGivesTheSameScanCursorsAndDeltaX) {
    const std::string dir = test::testDirectory("scope");
    const std::string path = dir + "/c.csv";
    session.shell.paths.recorderFile = dir + "/RecordFile.dat";
    setScopeSettings(session, scope::ScanSettings{1, 20, 3, 0, 2000.0});
    CBF_ButtonGetCycleTime(session); // 1 ms
    CBF_ButtonScopeScan(session);
    ASSERT_TRUE(session.scope.hasResult);
    moveScopeCursors(session, 10.0, 0.0, 50.0, 0.0);
    ASSERT_DOUBLE_EQ(session.scope.deltaX, 40 * 1.0 * 3);
    setScopeComment(session, "belt 3\nline 2");
    const scope::ScanResult scanned = session.scope.result;

    op.fileAnswers.push_back({FileChoice::Kind::New, path});
    CBF_ButtonSaveCapture(session);
    EXPECT_EQ(op.messages().back(), "File has been saved!");
    ASSERT_EQ(op.fileRequests.size(), 1U);
    EXPECT_EQ(op.fileRequests[0].mode, FileRequest::Mode::Save);
    EXPECT_EQ(op.fileRequests[0].startDirectory, dir);

    // Another cycle time, other settings, another comment and another scan.
    a = 2500;
    CBF_ButtonGetCycleTime(session);
    setScopeSettings(session, scope::ScanSettings{1, 5, 1, 0, 2000.0});
    setScopeComment(session, "later");
    CBF_ButtonScopeScan(session);
    ASSERT_NE(session.scope.result.red, scanned.red);
    op.currentPanel.reset();

    op.fileAnswers.push_back({FileChoice::Kind::Existing, path});
    CBF_ButtonOpenCapture(session);
    EXPECT_EQ(op.fileRequests.back().mode, FileRequest::Mode::Open);
    EXPECT_EQ(op.fileRequests.back().startDirectory, dir);
    const ScopeState& sc = session.scope;
    EXPECT_EQ(sc.result.red, scanned.red);
    EXPECT_EQ(sc.result.green, scanned.green);
    EXPECT_EQ(sc.result.blue, scanned.blue);
    EXPECT_EQ(sc.result.digital0, scanned.digital0);
    EXPECT_EQ(sc.result.digital1, scanned.digital1);
    EXPECT_EQ(sc.result.digital2, scanned.digital2);
    EXPECT_EQ(sc.settings.preTrigger, 20);
    EXPECT_EQ(sc.settings.scanRate, 3);
    EXPECT_EQ(sc.comment, "belt 3\nline 2");
    EXPECT_DOUBLE_EQ(sc.cycle.cycleMs, 1.0);
    EXPECT_DOUBLE_EQ(sc.cycle.frequency, 1000.0);
    EXPECT_EQ(sc.x1, 10.0);
    EXPECT_EQ(sc.x2, 50.0);
    EXPECT_DOUBLE_EQ(sc.deltaX, 120.0);
    EXPECT_EQ(op.currentPanel, ChildPanel::Scope);
}

TEST_F(ScopeTest, ACaptureSavedUnderAGermanLocaleWritesPoints) {
    const std::string path = test::testDirectory("scope") + "/c.csv";
    session.scope.result.red[0] = 1.5;
    session.scope.result.blue[127] = -2.25;
    session.scope.cycle = scope::CycleTime{10000.0, 0.1};
    session.scope.settings.triggerLevel = 1234.5;
    ASSERT_TRUE(test::useGermanLocale("scope")) << "no German locale and none could be built with localedef";
    const QLocale qtBefore;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::locale before = std::locale::global(std::locale("de_DE.UTF-8"));
    char printed[32];
    std::snprintf(printed, sizeof printed, "%f", 1.5);
    const bool written = writeScopeCapture(session, path);
    std::locale::global(before);
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(qtBefore);
    ASSERT_STREQ(printed, "1,500000"); // the locale was really in effect
    ASSERT_TRUE(written);
    const std::string text = test::readFileBytes(path);
    EXPECT_NE(text.find("\n0,1.500000,0.000000,0.000000,"), std::string::npos) << text;
    EXPECT_NE(text.find("\n127,0.000000,0.000000,-2.250000,"), std::string::npos) << text;
    EXPECT_NE(text.find("\n# cycle time ms: 0.1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n# level: 1234.5\n"), std::string::npos) << text;
}

struct BrokenCapture {
    const char* name;
    std::function<std::string(const std::string& valid)> contents; // nothing: the path is a directory
    const char* message;
};

class BrokenCaptureTest : public ScopeTest, public ::testing::WithParamInterface<BrokenCapture> {};

TEST_P(BrokenCaptureTest, IsToldOnceWithThePathAndChangesNothing) {
    const BrokenCapture& c = GetParam();
    const std::string dir = test::testDirectory("scope");
    std::string path = dir + "/c.csv";
    scope::Capture other;
    other.settings = scope::ScanSettings{2, 7, 5, scope::kColourSpaceSignal, 0.5};
    other.cycleMs = 3.0;
    other.comment = "other";
    other.result.red.fill(99.0);
    scope::buildDigitalTraces(other.result);
    const std::string text = c.contents(scope::captureText(other));
    if (text.empty())
        path = dir;
    else
        ASSERT_TRUE(test::writeFileBytes(path, text));
    session.shell.language = Language::German;
    setScopeComment(session, "mine");
    const scope::ScanSettings settings = session.scope.settings;
    const std::size_t callsBefore = op.calls.size();

    EXPECT_EQ(openScopeCapture(session, path), -1);
    ASSERT_EQ(op.calls.size(), callsBefore + 1);
    EXPECT_EQ(op.calls.back().kind, "message");
    EXPECT_EQ(op.calls.back().text, std::string(c.message) + "\n" + path + (text.empty() ? "" : ", ") +
                                        (text.empty() ? "" : c.name));
    EXPECT_FALSE(session.scope.hasResult);
    EXPECT_EQ(session.scope.comment, "mine");
    EXPECT_EQ(session.scope.settings.preTrigger, settings.preTrigger);
    EXPECT_EQ(session.scope.settings.recordedSignal, settings.recordedSignal);
    EXPECT_EQ(session.scope.cycle.cycleMs, 0.0);
    EXPECT_EQ(session.scope.result.red[0], 0.0);
}

std::string withRow(const std::string& valid, const std::string& row40) {
    std::size_t begin = 0;
    for (int i = 1; i < 40; ++i)
        begin = valid.find('\n', begin) + 1;
    return valid.substr(0, begin) + row40 + valid.substr(valid.find('\n', begin));
}

// The test names carry the line as the message gives it.
INSTANTIATE_TEST_SUITE_P(
    Files, BrokenCaptureTest,
    ::testing::Values(
        BrokenCapture{"Zeile 1", [](const std::string&) { return std::string("# a record file\n"); },
                      "Die Datei ist keine Scope-Aufnahme! Nichts wurde geaendert."},
        BrokenCapture{"Zeile 40", [](const std::string& v) { return withRow(v, "28,1.0,2.0,3.0,9,0,4"); },
                      "Die Scope-Aufnahme enthaelt eine ungueltige Zeile! Nichts wurde geaendert."},
        BrokenCapture{"Zeile 139", [](const std::string& v) { return v.substr(0, v.rfind("127,")); },
                      "Die Scope-Aufnahme enthaelt eine ungueltige Zeile! Nichts wurde geaendert."},
        BrokenCapture{"directory", [](const std::string&) { return std::string(); },
                      "Datei konnte nicht gelesen werden!"}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

} // namespace
} // namespace tavrino::app
