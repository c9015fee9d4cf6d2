// The recorded values: the counter up to the full buffer, the entry at a
// cursor position, the snap to the nearest point and the arrow-key steps,
// and the hit marking the recording leaves in the teach table.

#include "teach/recorded_values.h"
#include "teach/teach_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace tavrino::teach {
namespace {

RecordedValues recorded(const std::vector<Triple>& entries) {
    RecordedValues v;
    for (const Triple& t : entries)
        v.store(t);
    return v;
}

TEST(RecordedValuesTest, StoresUpToTheFullBufferAndResetKeepsTheEntries) {
    RecordedValues v;
    for (std::size_t i = 0; i + 1 < RecordedValues::kCapacity; ++i)
        ASSERT_TRUE(v.store({static_cast<double>(i), 0, 0}));
    EXPECT_EQ(v.counter(), 59999);
    EXPECT_FALSE(v.full());
    EXPECT_TRUE(v.store({7, 8, 9}));
    EXPECT_EQ(v.counter(), 60000);
    EXPECT_TRUE(v.full());
    EXPECT_FALSE(v.store({1, 1, 1}));
    EXPECT_EQ(v.counter(), 60000);
    EXPECT_EQ(v.entry(59999), (Triple{7, 8, 9}));

    v.resetCounter();
    EXPECT_EQ(v.counter(), 0);
    EXPECT_EQ(v.entry(59999), (Triple{7, 8, 9}));
    v.store({5, 5, 5});
    EXPECT_EQ(v.entry(0), (Triple{5, 5, 5}));
}

TEST(RecordedValuesTest, FindEntryTakesTheFirstExactMatchOfTheGraphsTwoCoordinates) {
    // Entries 1 and 3 share csX and csI (CSXI) but not csY.
    const RecordedValues v = recorded({{0.1, 0.2, 10}, {0.3, 0.4, 20}, {0.5, 0.6, 30}, {0.3, 0.9, 20}});
    struct Case {
        std::size_t graph;
        PlotPoint cursor;
        std::size_t entry;
    };
    const Case cases[] = {
        {1, {0.3, 20}, 1},       // recorded twice: the earlier
        {0, {0.3, 0.9}, 3},      // CSXY tells the two apart
        {2, {0.6, 30}, 2},       // CSYI: csY and csI
        {0, {0.5, 30}, 0},       // csI is not plotted in CSXY: no match
        {1, {0.3000001, 20}, 0}, // only exact positions match
        {2, {0.4, 20}, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(findEntry(v, c.graph, c.cursor), c.entry) << c.graph << " " << c.cursor.x;
}

TEST(RecordedValuesTest, SearchesSeeOnlyTheEntriesBelowTheCounter) {
    RecordedValues v = recorded({{1, 1, 1}, {2, 2, 2}});
    v.resetCounter();
    v.store({3, 3, 3});
    EXPECT_EQ(findEntry(v, 0, {2, 2}), 0u);
    EXPECT_EQ(nearestEntry(v, 0, {2, 2}, {}), 0u);
    EXPECT_EQ(nextEntry(v, 0, {3, 3}, Direction::Left, {}), std::nullopt);
    EXPECT_EQ(nearestEntry(RecordedValues{}, 0, {0, 0}, {}), std::nullopt);
}

TEST(RecordedValuesTest, NearestAndNextEntryMeasureInPixels) {
    // CSXI: x from 0 to 1, intensity from 0 to 100; one pixel is 0.01 across
    // and 1 up, so (0.5, 50) is nearer to (0.52, 50) than to (0.5, 53).
    const RecordedValues v = recorded({{0.5, 0, 53}, {0.52, 0, 50}, {0.2, 0, 50}, {0.5, 0, 40}});
    const PixelScale scale{0.01, 1};
    EXPECT_EQ(nearestEntry(v, 1, {0.5, 50}, scale), 1u);
    struct Case {
        Direction direction;
        std::optional<std::size_t> entry;
    };
    const Case cases[] = {
        {Direction::Right, 1},
        {Direction::Left, 2},
        {Direction::Up, std::nullopt},
        {Direction::Down, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nextEntry(v, 1, {0.5, 53}, c.direction, scale), c.entry) << static_cast<int>(c.direction);
}

TEST(RecordedValuesTest, HitMarkingFollowsTheColourNumberFromFrameToFrame) {
    struct Case {
        std::vector<int> colourNumbers;
        std::array<bool, 3> marked;
    };
    const Case cases[] = {
        {{1, 255}, {false, false, false}}, // no colour any more: row 1 white again
        {{2, 2, 2}, {false, false, true}}, // still hit: stays marked
        {{0, 1}, {false, true, false}},
    };
    for (const Case& c : cases) {
        TeachTable t;
        int previous = 255;
        for (const int n : c.colourNumbers) {
            markHitRow(t, hitChange(previous, n));
            previous = n;
        }
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kValueColumns; ++column)
                EXPECT_EQ(t.background(row, column),
                          c.marked[static_cast<std::size_t>(row)] ? kHitBackground : kWhite)
                    << c.colourNumbers.back() << " row " << row;
    }
}

} // namespace
} // namespace tavrino::teach
