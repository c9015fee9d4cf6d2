// The calibration and offset flows against a scripted sensor: what goes out
// byte by byte, what the replies fill in, and the operator's questions.

#include "app/calibration.h"
#include "app/connection.h"
#include "app/session.h"
#include "calibration/sensor_data.h"
#include "calibration/texts.h"
#include "link/orders.h"
#include "support/loopback_link.h"
#include "support/peers.h"
#include "support/recording_graphs.h"
#include "support/scripted_operator.h"
#include "support/test_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tavrino::app {
namespace {

namespace order = link::order;
namespace c = calibration;

struct Request {
    int order;
    int argument;
    std::vector<std::uint8_t> payload;
};

class CalibrationFlowTest : public ::testing::Test {
protected:
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session session{op, graphs, test::testDirectory("calibration")};
    test::TcpPeer peer;
    std::vector<Request> requests;
    std::map<std::pair<int, int>, QByteArray> replies; // (order, argument) -> payload
    std::uint16_t replyArgument = 0;
    int failOrder = -1; // answered with an error frame

    void SetUp() override {
        // Records of their full size unless a test puts others in.
        for (int slot : {c::kFactorySlot, c::kUserSlot}) {
            replies[{order::ReadCalibration, slot}] = QByteArray(c::kTableBytes, '\0');
            replies[{order::ReadCalibration, slot + 1}] = QByteArray(c::kFactorsAndBlockBytes, '\0');
        }
        replies[{order::GetParameters, 0}] = QByteArray(64, '\0');
        replies[{order::GetParameters, 2}] = QByteArray(96, '\0');
        replies[{order::HardwareInfo, link::kHardwareInfoKey}] = QByteArray(512, '\0');
        peer.onRequest = [this](const QByteArray& request) { answer(request); };
        ASSERT_TRUE(test::openLoopbackLink(session, peer.port(), op));
    }

    void answer(const QByteArray& request) {
        const auto* b = reinterpret_cast<const std::uint8_t*>(request.constData());
        const int o = b[1];
        const int a = link::readU16(b + 2);
        requests.push_back({o, a, std::vector<std::uint8_t>(b + link::kHeaderSize, b + request.size())});
        if (o == failOrder) {
            peer.send(test::frame(0, 1)); // invalid order
            return;
        }
        peer.send(test::frame(o, replyArgument, replies[{o, a}]));
    }

    static QByteArray bytes(const std::vector<std::uint8_t>& v) {
        return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<int>(v.size()));
    }

    [[nodiscard]] std::string text(const Text& t) const { return std::string(t.in(session.language())); }
};

TEST_F(CalibrationFlowTest, SendTransmitsAll64RowsAndTheBlock) {
    auto& t = session.calibration.tables;
    t.rows = 3;
    t.actual[63] = {1, 2, 3};
    t.factors[63] = {4, 5, 6};
    t.whitePoint = {10, 11, 12};
    op.confirmAnswers = {true};
    sendCalibrationButton(session);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(op.calls.front().title, text(c::kUserCalibrationTitle));
    EXPECT_EQ(requests[0].order, order::SendCalibration);
    EXPECT_EQ(requests[0].argument, 2);
    EXPECT_EQ(requests[0].payload, c::encodeTable(t.actual));
    EXPECT_EQ(requests[1].argument, 3);
    ASSERT_EQ(requests[1].payload.size(), c::kFactorsAndBlockBytes);
    const c::FactorsAndBlock sent = c::decodeFactorsAndBlock(requests[1].payload);
    EXPECT_EQ(sent.factors[63], (c::RawTriple{4, 5, 6}));
    EXPECT_EQ(sent.block.rows, 3);
    EXPECT_EQ(sent.block.whitePoint, t.whitePoint);
    EXPECT_EQ(sent.block.whiteBalance, (c::RawTriple{1024, 1024, 1024}));
}

TEST_F(CalibrationFlowTest, DeclinedSendSendsNothingAndEepromNoticeGoesToTheLog) {
    op.confirmAnswers = {false};
    sendCalibrationButton(session);
    EXPECT_TRUE(requests.empty());
    replyArgument = 3;
    ASSERT_EQ(SendCalibrationData(session, c::kUserSlot), 1);
    EXPECT_EQ(op.currentTab, MainTab::Connection);
    const std::string notice = text(kInfoTitle) + "\n3" + text(c::kEepromNotice) + "\n\n";
    EXPECT_EQ(op.connectionLog, notice + notice);
}

TEST_F(CalibrationFlowTest, ReadBackFillsSensorDataAndAFailureKeepsTheFirstTable) {
    c::RawRows values{};
    values[0] = {7, 8, 9};
    c::CalibrationBlock block;
    block.parameters[10] = 128; // correction X 1.0
    block.rows = 5;
    replies[{order::ReadCalibration, 2}] = bytes(c::encodeTable(values));
    replies[{order::ReadCalibration, 3}] =
        bytes(c::encodeFactorsAndBlock(c::CalibrationTables::unitFactors(), block));
    ASSERT_EQ(ReadCalibrationData(session, c::kUserSlot), 1);
    const auto& sensor = session.calibration.tables.sensor;
    EXPECT_EQ(sensor.values[0], (c::RawTriple{7, 8, 9}));
    EXPECT_EQ(sensor.block.rows, 5);
    EXPECT_EQ(c::correctionFactor(sensor.block.parameters[10]), 1.0);

    values[0] = {1, 1, 1};
    replies[{order::ReadCalibration, 0}] = bytes(c::encodeTable(values));
    session.calibration.tables.sensor.block.rows = 42;
    // The second read fails: the first table is already in, the block is not.
    peer.onRequest = [this](const QByteArray& request) {
        const auto* b = reinterpret_cast<const std::uint8_t*>(request.constData());
        if (link::readU16(b + 2) == 1)
            failOrder = order::ReadCalibration;
        answer(request);
    };
    EXPECT_EQ(ReadCalibrationData(session, c::kFactorySlot), -1);
    EXPECT_EQ(sensor.values[0], (c::RawTriple{1, 1, 1}));
    EXPECT_EQ(sensor.block.rows, 42);
}

TEST_F(CalibrationFlowTest, Passwords) {
    struct Case {
        const char* entry;
        bool closes;
        std::size_t requests;
    } cases[] = {{"brasco", true, 0}, {"MOBRI", true, 2}, {"mobri", false, 0}, {"", false, 0}};
    for (const Case& k : cases) {
        requests.clear();
        op.calls.clear();
        EXPECT_EQ(passwordClosesBox(k.entry), k.closes) << k.entry;
        EXPECT_EQ(passwordEntered(session, k.entry), k.closes) << k.entry;
        EXPECT_EQ(requests.size(), k.requests) << k.entry;
        if (!k.closes) {
            EXPECT_EQ(op.calls.back().text, text(c::kWrongPassword));
        }
    }
    EXPECT_TRUE(session.calibration.zeroPointPageVisible);
    op.confirmAnswers = {true};
    requests.clear();
    EXPECT_TRUE(passwordEntered(session, "TELVAR"));
    EXPECT_EQ(op.calls.back().title, text(c::kFactoryCalibrationTitle));
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].argument, 0);
    EXPECT_EQ(requests[1].argument, 1);
}

TEST_F(CalibrationFlowTest, OffsetsGetFillsBothPagesAndSendsCarryTheirArgument) {
    replies[{order::GetOffset, 0}] = bytes(c::encodeOffsetRecord({{1, 2, 3}, {4, 5, 6}}));
    ASSERT_EQ(GetOffset(session), 1);
    EXPECT_EQ(session.calibration.zeroPoint, (c::RawTriple{1, 2, 3}));
    EXPECT_EQ(session.calibration.xyzOffset, (c::RawTriple{4, 5, 6}));

    session.live.record.rawX = 100;
    session.live.record.rawY = 200;
    session.live.record.rawZ = 300;
    requests.clear();
    assignXyzOffsetButton(session);
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(session.calibration.xyzOffset, (c::RawTriple{100, 200, 300}));

    replyArgument = 3;
    zeroPointSendButton(session);
    xyzOffsetSendButton(session);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].order, order::SendOffset);
    EXPECT_EQ(requests[0].argument, 0);
    EXPECT_EQ(requests[0].payload, (std::vector<std::uint8_t>{1, 0, 2, 0, 3, 0}));
    EXPECT_EQ(requests[1].argument, 1);
    EXPECT_EQ(requests[1].payload, (std::vector<std::uint8_t>{100, 0, 200, 0, 44, 1}));
    EXPECT_NE(op.connectionLog.find("\n3" + text(c::kRamNotice) + "\n\n"), std::string::npos);

    requests.clear();
    op.confirmAnswers = {false, true};
    EXPECT_EQ(CalcOffset(session), -1);
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(CalcOffset(session), 1);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].order, order::MeasureZeroOffset);
    EXPECT_EQ(requests[0].argument, 1);
    EXPECT_EQ(requests[1].order, order::GetOffset);
}

// However the offsets are read (for the hardware information file, or by GET
// on either offset page), both pages show what the sensor holds.
TEST_F(CalibrationFlowTest, OffsetsReadForTheHardwareFileOrByGetReachBothPages) {
    const std::string file = test::testDirectory("calibration-hardware") + "/hw.ini";
    const struct Case {
        const char* name;
        std::function<void()> read;
    } cases[] = {
        {"hardware information file", [&] { EXPECT_EQ(GenerateHWInfoFile(session, file), 1); }},
        {"zero-point GET", [&] { zeroPointGetButton(session); }},
        {"XYZ offset GET", [&] { xyzOffsetGetButton(session); }},
    };
    int told = 0;
    const int id = session.calibration.subscribe([&told](CalibrationChange change) {
        if (change == CalibrationChange::Offsets)
            ++told;
    });
    std::uint16_t first = 1;
    for (const Case& k : cases) {
        const c::OffsetRecord record{{first, 2, 3}, {4, 5, 65535}};
        replies[{order::GetOffset, 0}] = bytes(c::encodeOffsetRecord(record));
        told = 0;
        k.read();
        EXPECT_EQ(session.calibration.zeroPoint, record.zeroPoint) << k.name;
        EXPECT_EQ(session.calibration.xyzOffset, record.xyz) << k.name;
        EXPECT_EQ(told, 1) << k.name;
        first += 10;
    }
    session.calibration.unsubscribe(id);
}

TEST_F(CalibrationFlowTest, FilesSaveAndLoadThroughTheDialogs) {
    const std::string dir = test::testDirectory("calibration-files");
    const std::string path = dir + "/ref.ini";
    std::filesystem::remove(path);
    auto& t = session.calibration.tables;
    t.referenceSetValue = {50, 0, 0};
    t.referenceActual = {1000, 2000, 3000};
    op.fileAnswers = {{FileChoice::Kind::New, path}};
    ASSERT_EQ(SaveCalibRefToFile(session), 1);
    EXPECT_EQ(op.fileRequests.back().defaultName, "CalibrationReferenceValues.ini");
    EXPECT_EQ(session.shell.paths.calibrationReferenceValueFile, path);

    c::resetReference(t);
    op.fileAnswers = {{FileChoice::Kind::Existing, path}};
    ASSERT_EQ(GetCalibRefFromFile(session), 1);
    EXPECT_EQ(t.referenceActual, (c::RawTriple{1000, 2000, 3000}));
    EXPECT_NE(t.referenceXyz[1], 0.0); // converted after the load
    EXPECT_EQ(t.whitePoint[1], static_cast<std::uint16_t>(100.0 / t.referenceXyz[1] * 2000));

    // The reference file in the set-value dialog: declined marker question.
    op.fileAnswers = {{FileChoice::Kind::Existing, path}};
    op.confirmAnswers = {false};
    EXPECT_EQ(GetCalibSetvalueFromFile(session), -1);
    EXPECT_EQ(op.calls.back().text, text(c::kNoParameterRead));

    // A save that cannot be written is told, with the path.
    const std::string bad = dir + "/missing-dir/x.ini";
    op.fileAnswers = {{FileChoice::Kind::New, bad}};
    EXPECT_EQ(SaveCalibActualValueToFile(session), -1);
    EXPECT_EQ(op.calls.back().text, text(c::kFileNotSaved) + "\n" + bad);
}

} // namespace
} // namespace tavrino::app
