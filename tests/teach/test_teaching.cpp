// Teaching into the teach table and the block edits of its context menu.

#include "teach/teaching.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace tavrino::teach {
namespace {

constexpr int kBlock = 0, kCylinder = 1, kSphere = 2;
constexpr int kXyY = 0, kLab = 1, kUvL = 4;

TEST(TeachingTest, DefaultTolerancesFollowShapeAndColourSpace) {
    struct Case {
        int shape, space;
        std::array<double, 3> tolerances;
    };
    const Case cases[] = {
        {kCylinder, kLab, {10, 5, 0}}, {kBlock, kXyY, {0.02, 0.02, 0.04}}, {kBlock, kUvL, {0.02, 0.02, 5}},
        {kSphere, kUvL, {5, 0, 0}},    {kSphere, kXyY, {0.04, 0, 0}},      {3, kLab, {0, 0, 0}},
        {kBlock, 5, {0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(defaultTolerances(c.shape, c.space), c.tolerances) << c.shape << "/" << c.space;
}

TEST(TeachingTest, TeachWritesRowNumberAndMovesOnWithAutoIncrement) {
    struct Case {
        int row;
        bool autoIncrement;
        int next;
    };
    for (const Case& c : {Case{0, true, 1}, Case{1, true, 2}, Case{2, true, 2}, Case{0, false, 0}}) {
        TeachTable table;
        RowColours rows;
        table.setRowNumber(c.row);
        TeachSettings settings;
        settings.shapeMode = kCylinder;
        settings.colourSpace = kLab;
        settings.autoIncrement = c.autoIncrement;
        TeachDataTo(table, rows, {1.5, -2.5, 60}, settings);
        EXPECT_EQ(table.cells()[static_cast<std::size_t>(c.row)], (TeachRow{1.5, -2.5, 60, 10, 5, 0}))
            << c.row;
        EXPECT_EQ(table.rowNumber(), c.next) << c.row;
    }
}

TEST(TeachingTest, ToleranceOffKeepsTheOperatorsTolerances) {
    TeachTable table;
    RowColours rows;
    for (int c = 3; c < 6; ++c)
        table.setCell(0, c, 7.0 + c);
    TeachSettings settings;
    settings.toleranceOn = false;
    TeachDataTo(table, rows, {0.3, 0.4, 50}, settings);
    EXPECT_EQ(table.cells()[0], (TeachRow{0.3, 0.4, 50, 10, 11, 12}));
}

TEST(TeachingTest, AutomaticRowColourPaintsTheTaughtRowOnly) {
    for (const bool automatic : {true, false}) {
        TeachTable table;
        RowColours rows;
        paintRowColours(rows, table);
        table.setRowNumber(1);
        TeachSettings settings;
        settings.automaticRowColour = automatic;
        settings.displayColour = {10, 20, 30};
        TeachDataTo(table, rows, {}, settings);
        const std::int32_t expected = automatic ? rgbToInt({10, 20, 30}) : kDefaultRowColours[1];
        EXPECT_EQ(rows.colour(1), expected) << automatic;
        EXPECT_EQ(table.colourCell(1), intToRgb(expected)) << automatic;
        EXPECT_EQ(rows.colour(0), kDefaultRowColours[0]);
    }
}

TEST(BlockEditTest, CellsAreVisitedRowByRowWhateverOrderTheyWereSelectedIn) {
    const std::vector<GridCell> ctrlSelected{{2, 0}, {0, 6}, {0, 1}, {1, 3}, {0, 1}, {3, 0}, {0, 7}};
    EXPECT_EQ(visitingOrder(ctrlSelected), (std::vector<GridCell>{{0, 1}, {0, 6}, {1, 3}, {2, 0}}));
}

TEST(BlockEditTest, IncrementWritesStartPlusMultiplesAndSkipsTheColourColumn) {
    TeachTable table;
    table.setCell(0, 4, 1.0);
    table.setColourCell(0, Rgb{1, 2, 3});
    // A 1 x 3 selection over columns 5..7: the last is the colour cell.
    ASSERT_TRUE(incrementSelection(table, {{0, 4}, {0, 5}, {0, 6}}, 0.5));
    EXPECT_EQ(table.cell(0, 4), 1.0);
    EXPECT_EQ(table.cell(0, 5), 1.5);
    EXPECT_EQ(table.colourCell(0), (Rgb{1, 2, 3}));

    TeachTable row;
    row.setCell(1, 0, 1.0);
    ASSERT_TRUE(incrementSelection(row, {{1, 0}, {1, 1}, {1, 2}}, 0.5));
    EXPECT_EQ(row.cells()[1], (TeachRow{1, 1.5, 2, 0, 0, 0}));
}

TEST(BlockEditTest, IncrementStartingOnTheColourCellChangesNothing) {
    TeachTable table;
    table.setCell(1, 0, 4.0);
    EXPECT_FALSE(incrementSelection(table, {{0, 6}, {1, 0}, {1, 1}}, 1.0));
    EXPECT_FALSE(incrementSelection(table, {}, 1.0));
    EXPECT_EQ(table.cells()[1], (TeachRow{4, 0, 0, 0, 0, 0}));
}

TEST(BlockEditTest, SetAndResetChangeOnlyValueCells) {
    TeachTable table;
    table.setColourCell(2, Rgb{9, 9, 9});
    const std::vector<GridCell> cells = visitingOrder({{2, 5}, {2, 6}, {1, 5}, {1, 6}});
    setSelectionTo(table, cells, 3.25);
    EXPECT_EQ(table.cell(1, 5), 3.25);
    EXPECT_EQ(table.cell(2, 5), 3.25);
    EXPECT_EQ(table.cell(2, 4), 0.0);
    EXPECT_EQ(table.colourCell(2), (Rgb{9, 9, 9}));
    resetSelection(table, {{2, 5}});
    EXPECT_EQ(table.cell(2, 5), 0.0);
    EXPECT_EQ(table.cell(1, 5), 3.25);
}

TEST(BlockEditTest, ValuesTheSensorCannotHoldChangeNothing) {
    TeachTable table;
    table.setCell(0, 0, 32767.0);
    table.setCell(0, 2, 5.0);
    const TeachRows before = table.cells();
    const std::vector<GridCell> row{{0, 0}, {0, 1}, {0, 2}};
    EXPECT_FALSE(setSelectionTo(table, row, 999999.0));
    EXPECT_FALSE(setSelectionTo(table, row, -40000.0));
    // 32767, 32767.5 and 32768: the last is beyond, so none is written.
    EXPECT_FALSE(incrementSelection(table, row, 0.5));
    EXPECT_EQ(table.cells(), before);

    EXPECT_TRUE(setSelectionTo(table, row, -32768.0));
    EXPECT_EQ(table.cell(0, 2), -32768.0);
}

} // namespace
} // namespace tavrino::teach
