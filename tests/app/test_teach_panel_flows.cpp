// The mean-value teach panel's flows on the session: teaching the mean,
// the asked reset and closing the panel.

#include "app/teach_panels.h"
#include "support/recording_graphs.h"
#include "support/scripted_operator.h"
#include "support/test_directory.h"

#include <gtest/gtest.h>

namespace tavrino::app {
namespace {

class TeachPanelFlowTest : public ::testing::Test {
protected:
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session session{op, graphs, test::testDirectory("app")};

    void captureRecord(double x, double y, double i) {
        session.live.record.csX = x;
        session.live.record.csY = y;
        session.live.record.csI = i;
        CaptureFrame(session);
    }
    [[nodiscard]] teach::Triple taughtRow0() const {
        const auto& r = session.parameters.teachTable.cells()[0];
        return {r[0], r[1], r[2]};
    }
};

TEST_F(TeachPanelFlowTest, TeachPutsTheMeanIntoRowNoAndRebuildsTheGraphs) {
    captureRecord(1, 2, 3);
    captureRecord(3, 2, 1);
    CBF_ButtonTP1Teach(session);
    EXPECT_EQ(taughtRow0(), (teach::Triple{2, 2, 2}));
    EXPECT_EQ(graphs.count("init"), 1);
}

TEST_F(TeachPanelFlowTest, ResetFollowsTheAnswerAndTeachAfterResetTeachesZero) {
    struct Case {
        bool answer;
        int count;
        teach::Triple taught;
    };
    for (const Case& c : {Case{false, 1, {4, 5, 6}}, Case{true, 0, {0, 0, 0}}}) {
        ResetTeachMeanPanelTable(session);
        captureRecord(4, 5, 6);
        op.confirmAnswers.push_back(c.answer);
        EXPECT_EQ(CBF_ButtonTP1ResetTable(session), c.answer);
        EXPECT_EQ(session.teachPanels.meanCaptures.count(), c.count);
        CBF_ButtonTP1Teach(session);
        EXPECT_EQ(taughtRow0(), c.taught) << c.answer;
    }
}

TEST_F(TeachPanelFlowTest, CloseEndsTheLiveLoopAndShowsTheMeasurementDisplay) {
    session.flags.running = 1;
    CBF_ButtonCloseTeachPanel(session);
    EXPECT_EQ(session.flags.running, 0);
    ASSERT_FALSE(op.calls.empty());
    EXPECT_EQ(op.calls.back().kind, "panel");
    EXPECT_EQ(op.calls.back().value, static_cast<int>(ChildPanel::MeasurementDisplay));
}

} // namespace
} // namespace tavrino::app
