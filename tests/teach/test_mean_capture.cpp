// The mean-value captures: mean, max delta E, undo and the full table.

#include "teach/mean_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tavrino::teach {
namespace {

TEST(MeanCapturesTest, MeanAndMaxDeltaE) {
    struct Case {
        std::vector<Triple> captures;
        Triple mean;
        double maxDeltaE;
    };
    const Case cases[] = {
        {{{1, 2, 3}, {3, 2, 1}}, {2, 2, 2}, std::sqrt(2.0)},
        {{{1.5, -2, 60}}, {1.5, -2, 60}, 0},
        {{}, {0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        MeanCaptures m;
        for (const Triple& t : c.captures)
            m.capture(t);
        EXPECT_EQ(m.count(), c.captures.size());
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_DOUBLE_EQ(m.mean()[i], c.mean[i]);
        EXPECT_DOUBLE_EQ(m.maxDeltaE(), c.maxDeltaE);
    }
}

TEST(MeanCapturesTest, UndoAtZeroClearsRowOneAndKeepsCountZero) {
    MeanCaptures m;
    m.setCell(0, 1, 7);
    m.undo();
    EXPECT_EQ(m.count(), 0);
    EXPECT_EQ(m.rows()[0], (Triple{0, 0, 0}));
}

TEST(MeanCapturesTest, UndoRemovesTheLastRow) {
    MeanCaptures m;
    m.capture({1, 1, 1});
    m.capture({5, 5, 5});
    m.undo();
    EXPECT_EQ(m.count(), 1);
    EXPECT_EQ(m.rows()[1], (Triple{0, 0, 0}));
    EXPECT_EQ(m.mean(), (Triple{1, 1, 1}));
}

TEST(MeanCapturesTest, The101stCaptureOverwritesRow100) {
    MeanCaptures m;
    for (int i = 0; i < 100; ++i)
        m.capture({0, 0, 0});
    EXPECT_EQ(m.capture({100, 0, 0}), 99u);
    EXPECT_EQ(m.count(), 100);
    EXPECT_EQ(m.rows()[99], (Triple{100, 0, 0}));
    EXPECT_DOUBLE_EQ(m.mean()[0], 1.0);
}

TEST(MeanCapturesTest, AnEditedCellChangesTheMeanAtOnce) {
    MeanCaptures m;
    m.capture({1, 2, 3});
    EXPECT_TRUE(m.setCell(0, 2, 9));
    EXPECT_EQ(m.mean(), (Triple{1, 2, 9}));
    // The mean is taught: a value no teach cell holds is refused.
    EXPECT_FALSE(m.setCell(0, 1, 999999));
    EXPECT_EQ(m.rows()[0], (Triple{1, 2, 9}));
    EXPECT_EQ(m.mean(), (Triple{1, 2, 9}));
}

} // namespace
} // namespace tavrino::teach
