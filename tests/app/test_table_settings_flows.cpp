// Teaching, the teach table's operations and the table settings on the
// session: the steps that follow each one, and the table settings block
// byte for byte against a scripted sensor, also while the live loop runs.

#include "app/connection.h"
#include "app/live_measurement.h"
#include "app/table_settings.h"
#include "app/teaching.h"
#include "link/orders.h"
#include "support/loopback_link.h"
#include "support/peers.h"
#include "support/recording_graphs.h"
#include "support/scripted_operator.h"
#include "support/test_directory.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace tavrino::app {
namespace {

namespace order = link::order;
using teach::GridCell;

constexpr int kMeasurementPayload = 52;

class TableFlowTest : public ::testing::Test {
protected:
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session session{op, graphs, test::testDirectory("app")};
    test::TcpPeer peer;
    QByteArray storedBlock = QByteArray(72, '\0');
    std::vector<QByteArray> requests;
    std::function<void(int order)> duringWait; // runs while the request waits, before the answer
    int failOrder = -1;

    void SetUp() override {
        peer.onRequest = [this](const QByteArray& request) {
            requests.push_back(request);
            const int o = static_cast<std::uint8_t>(request[1]);
            if (duringWait) {
                auto action = duringWait;
                QTimer::singleShot(0, &peer, [this, action, o] {
                    action(o);
                    answer(o);
                });
                return;
            }
            answer(o);
        };
        ASSERT_TRUE(test::openLoopbackLink(session, peer.port(), op));
    }

    void answer(int o) {
        if (o == failOrder) {
            peer.send(test::frame(0, 1));
            return;
        }
        switch (o) {
        case order::Measure:
            peer.send(test::frame(o, 0, QByteArray(kMeasurementPayload, '\0')));
            break;
        case order::TableSettingsWrite:
            storedBlock = payloadOf(requests.back());
            [[fallthrough]];
        case order::TableSettingsPrepare:
            peer.send(test::frame(o, 0));
            break;
        case order::TableSettingsRead:
            peer.send(test::frame(o, 0, storedBlock));
            break;
        default:
            peer.send(test::frame(0, 1));
        }
    }

    static QByteArray payloadOf(const QByteArray& request) { return request.mid(8); }
    static int orderOf(const QByteArray& request) { return static_cast<std::uint8_t>(request[1]); }
    static int argumentOf(const QByteArray& request) {
        return link::readU16(reinterpret_cast<const std::uint8_t*>(request.constData()) + 2);
    }
    [[nodiscard]] std::vector<int> orders() const {
        std::vector<int> out;
        for (const QByteArray& r : requests)
            out.push_back(orderOf(r));
        return out;
    }
};

TEST_F(TableFlowTest, SaveToEeSendsTheBlockAndGetPaintsItBack) {
    session.rowColours.setColour(0, teach::kWhiteColour);
    session.rowColours.setSpecification(0, "ABCDEFGHIJKLMNOPQRST");
    ASSERT_EQ(CBF_ButtonSaveTableSettingsToEE(session), 1);
    ASSERT_EQ(orders(), (std::vector<int>{order::TableSettingsPrepare, order::TableSettingsWrite}));
    EXPECT_EQ(argumentOf(requests[0]), 7680);
    EXPECT_TRUE(payloadOf(requests[0]).isEmpty());
    EXPECT_EQ(argumentOf(requests[1]), 7680);
    const QByteArray block = payloadOf(requests[1]);
    ASSERT_EQ(block.size(), 72);
    EXPECT_EQ(block.left(24), QByteArray("16777215ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(block.mid(24, 8), QByteArray("8453888\0", 8));
    EXPECT_EQ(op.messages(), std::vector<std::string>{"Table settings have \nbeen sent to sensor!"});
    EXPECT_FALSE(op.dimmed[static_cast<int>(Dimmable::SensorButtons)]);
    EXPECT_EQ(op.count("dim"), 2u);

    session.rowColours.reset();
    teach::paintRowColours(session.rowColours, session.parameters.teachTable);
    requests.clear();
    ASSERT_EQ(CBF_ButtonGetTableSettingsFromEE(session), 1);
    ASSERT_EQ(orders(), std::vector<int>{order::TableSettingsRead});
    EXPECT_EQ(argumentOf(requests[0]), 7680);
    EXPECT_EQ(payloadOf(requests[0]), QByteArray("\x24\x00", 2));
    EXPECT_EQ(session.rowColours.colour(0), teach::kWhiteColour);
    EXPECT_EQ(session.rowColours.specification(0), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(session.parameters.teachTable.colourCell(0), (teach::Rgb{255, 255, 255}));
    EXPECT_EQ(graphs.calls, std::vector<std::string>{"init"});
    EXPECT_EQ(op.messages().size(), 1u); // no message on success
}

TEST_F(TableFlowTest, AFailedExchangeKeepsTheTablesAndReportsNoSuccess) {
    failOrder = order::TableSettingsWrite;
    EXPECT_EQ(CBF_ButtonSaveTableSettingsToEE(session), -1);
    EXPECT_TRUE(op.messages().empty());
    failOrder = order::TableSettingsRead;
    session.rowColours.setSpecification(2, "kept");
    EXPECT_EQ(CBF_ButtonGetTableSettingsFromEE(session), -1);
    EXPECT_EQ(session.rowColours.specification(2), "kept");
    EXPECT_EQ(graphs.count("init"), 0);
    EXPECT_FALSE(session.tableSettings.busy);
}

TEST_F(TableFlowTest, SaveToEePressedDuringTheLiveLoopGoesOutBetweenTwoFrames) {
    int frames = 0;
    bool pressed = false;
    duringWait = [&](int o) {
        if (o != order::Measure)
            return;
        ++frames;
        if (!pressed) {
            pressed = true;
            EXPECT_EQ(CBF_ButtonSaveTableSettingsToEE(session), 0);
            EXPECT_TRUE(session.tableSettings.busy);
        } else if (frames >= 2) {
            CBF_ButtonStop(session);
        }
    };
    CBF_ButtonGo(session);
    EXPECT_EQ(orders(), (std::vector<int>{order::Measure, order::TableSettingsPrepare,
                                          order::TableSettingsWrite, order::Measure}));
    EXPECT_FALSE(session.tableSettings.busy);
    EXPECT_EQ(op.messages(), std::vector<std::string>{"Table settings have \nbeen sent to sensor!"});
}

TEST_F(TableFlowTest, TeachDataToTakesTheDisplayedCoordinates) {
    session.live.display.coordinates = {0.3125, 0.25, 42};
    session.live.display.paintColour = {1, 2, 3};
    InitSrcPanel(session, TableSettingsState::kAutomatic);
    setAutoIncrement(session, true);
    CBF_ButtonTeachDataTo(session);
    const TeachRows& set = session.parameters.set.teach;
    EXPECT_EQ(set[0][0], 0.3125);
    EXPECT_EQ(set[0][2], 42);
    EXPECT_EQ(set[0][3], 0.02); // CYLINDER, xyY: the parameter defaults
    EXPECT_EQ(session.parameters.teachTable.rowNumber(), 1);
    EXPECT_EQ(session.rowColours.rgb(0), (teach::Rgb{1, 2, 3}));
    EXPECT_EQ(graphs.calls, std::vector<std::string>{"init"});
}

TEST_F(TableFlowTest, ResetTableAsksFirstAndKeepsTheRowColours) {
    teach::TeachTable& table = session.parameters.teachTable;
    table.setCell(1, 1, 5.0);
    table.setRowNumber(2);
    session.rowColours.setColour(1, 77);
    teach::paintRowColours(session.rowColours, table);
    op.confirmAnswers = {false, true};
    EXPECT_FALSE(CBF_ButtonResetTable(session));
    EXPECT_EQ(table.cell(1, 1), 5.0);
    EXPECT_TRUE(graphs.calls.empty());
    EXPECT_TRUE(CBF_ButtonResetTable(session));
    EXPECT_EQ(table.cell(1, 1), 0.0);
    EXPECT_EQ(table.rowNumber(), 0);
    EXPECT_EQ(session.parameters.set.teach[1][1], 0.0);
    EXPECT_EQ(table.colourCell(1), teach::intToRgb(77));
    EXPECT_EQ(graphs.calls, (std::vector<std::string>{"delete plots", "init"}));
    EXPECT_EQ(op.calls.at(0).text, "Do you want to reset the table?");
}

TEST_F(TableFlowTest, BlockEditsAskOnlyForASelectionAndFollowWithTheGraphs) {
    const std::vector<GridCell> selection{{0, 1}, {0, 0}, {0, 6}};
    CBF_GridCttSetSelectionTo(session, {});
    CBF_GridCttIncrementSelectionWith(session, {{0, 6}, {1, 0}});
    EXPECT_EQ(op.count("prompt"), 0u);

    op.promptAnswers = {std::string("--"), std::string("abc 2.5x")};
    CBF_GridCttSetSelectionTo(session, selection);
    EXPECT_TRUE(graphs.calls.empty());
    CBF_GridCttSetSelectionTo(session, selection);
    EXPECT_EQ(op.calls.at(0).text, "Insert a cell value!");
    EXPECT_EQ(op.calls.at(0).value, 9);
    EXPECT_EQ(session.parameters.set.teach[0][0], 2.5);
    EXPECT_EQ(session.parameters.set.teach[0][1], 2.5);
    EXPECT_EQ(graphs.calls, (std::vector<std::string>{"init", "show"}));

    CBF_GridCttResetSelection(session, selection);
    EXPECT_EQ(session.parameters.set.teach[0][0], 0.0);
}

TEST_F(TableFlowTest, DefaultColoursAlsoClearTheSpecifications) {
    teach::paintRowColour(session.rowColours, session.parameters.teachTable, 2, 0x123456);
    session.rowColours.setSpecification(0, "row text");
    op.confirmAnswers = {true};
    EXPECT_TRUE(CBF_ButtonTableAttrReset(session));
    EXPECT_EQ(session.rowColours.colour(2), 255);
    EXPECT_EQ(session.parameters.teachTable.colourCell(2), (teach::Rgb{0, 0, 255}));
    EXPECT_EQ(session.rowColours.specification(0), "");
    EXPECT_EQ(graphs.calls, std::vector<std::string>{"init"});
}

} // namespace
} // namespace tavrino::app
