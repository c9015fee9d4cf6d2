// The link against the simulated sensor, embedded in the test process: over
// TCP on a free loopback port and over its pseudo-terminal.

#include "faults.h"
#include "link/orders.h"
#include "link/sensor_link.h"
#include "link/texts.h"
#include "measurement/record.h"
#include "sim_server.h"
#include "support/scripted_operator.h"

#include <gtest/gtest.h>

#include <QHostAddress>

#include <string>

namespace tavrino::test {
namespace {

namespace order = link::order;
namespace texts = link::texts;

enum class Line { Tcp, Pty };

class SimLinkTest : public ::testing::TestWithParam<Line> {
protected:
    RunFlags flags;
    ScriptedOperator op;
    Language language = Language::English;
    sim::SimServer server{sim::SensorConfig{}};
    link::SensorLink link{flags, op, language};
    link::ConnectionSettings settings;

    void SetUp() override {
        QString error;
        if (GetParam() == Line::Tcp) {
            ASSERT_TRUE(server.listenTcp(QHostAddress::LocalHost, 0, &error)) << error.toStdString();
            settings.serverAddress = "127.0.0.1";
            settings.portNumber = std::to_string(server.tcpPort());
            link.InitTCP_IP(settings);
            ASSERT_TRUE(link.tcpConnected()) << op.connectionLog;
        } else {
            ASSERT_TRUE(server.openPty(&error)) << error.toStdString();
            settings.comDevice = server.ptyPath().toStdString();
            link.InitRS232(settings);
            ASSERT_TRUE(link.serialOpen()) << op.connectionLog;
        }
    }

    void addFault(const std::string& description) {
        std::string error;
        const auto fault = sim::parseFault(description, error);
        ASSERT_TRUE(fault) << error;
        server.sensor().addFault(*fault);
        server.poke();
    }
};

TEST_P(SimLinkTest, FirmwareText) {
    ASSERT_EQ(link.request(order::FirmwareText, 0), 1) << op.connectionLog;
    ASSERT_EQ(link.lastReply().length, link::kFirmwareTextSize);
    const auto* text = reinterpret_cast<const char*>(link.replyPayload());
    EXPECT_EQ(std::string(text), "TAVRINO4 VXR QLM V3.2.7 B");
    for (std::size_t i = std::string(text).size(); i < link::kFirmwareTextSize; ++i)
        EXPECT_EQ(text[i], '\0') << i;
}

TEST_P(SimLinkTest, MeasurementsDecodeBelievably) {
    measurement::MeasurementRecord record;
    for (int pass = 0; pass < 3; ++pass) {
        ASSERT_EQ(link.request(order::Measure, 0), 1) << op.connectionLog;
        ASSERT_EQ(link.lastReply().length, measurement::kPayloadSize);
        EXPECT_EQ(link.lastReply().order, order::Measure);
        measurement::acceptFrame(record, link.replyPayload(), link.lastReply().length, true);
        for (int raw : {record.rawX, record.rawY, record.rawZ}) {
            EXPECT_GE(raw, 0);
            EXPECT_LE(raw, 4095);
        }
        EXPECT_GT(record.rawX + record.rawY + record.rawZ, 0);
        EXPECT_TRUE(record.colorNo == measurement::kNoColour || (record.colorNo >= 0 && record.colorNo <= 2))
            << record.colorNo;
        EXPECT_TRUE(record.in0 == 0 || record.in0 == 1) << record.in0;
        EXPECT_EQ(record.dpSet, 0); // single power mode by default
    }
    EXPECT_EQ(op.connectionLog, "");
}

TEST_P(SimLinkTest, UnknownOrderGetsTheInvalidOrderReport) {
    EXPECT_EQ(link.request(0x99, 0), -1);
    EXPECT_EQ(op.connectionLog, std::string(texts::kInvalidOrder.en) + "\n\n");
    EXPECT_EQ(link.request(order::FirmwareText, 0), 1);
}

TEST_P(SimLinkTest, DroppedMeasurementTimesOutAndTheLinkRecovers) {
    addFault("drop:8:1");
    EXPECT_EQ(link.request(order::Measure, 0), -1);
    EXPECT_EQ(op.connectionLog, std::string(texts::kTimeout.en) + "\n\n");
    EXPECT_EQ(link.request(order::Measure, 0), 1) << op.connectionLog;
}

INSTANTIATE_TEST_SUITE_P(Sim, SimLinkTest, ::testing::Values(Line::Tcp, Line::Pty),
                         [](const auto& info) { return info.param == Line::Tcp ? "Tcp" : "Pty"; });

} // namespace
} // namespace tavrino::test
