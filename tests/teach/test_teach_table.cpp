#include "teach/prompt_number.h"
#include "teach/teach_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tavrino::teach {
namespace {

TeachTable filledTable() {
    TeachTable t;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kValueColumns; ++c)
            t.setCell(r, c, r * 10 + c + 0.125);
    t.setRowNumber(2);
    return t;
}

TEST(TeachTableTest, ACellFitsWhenTheSensorsSignedWordHoldsIt) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        std::optional<std::int32_t> word;
    };
    const Case cases[] = {
        {32767.99998, 2147483646},       // 2147483646.69
        {32767.99998474121, 2147483647}, // the highest word
        {32768.0, std::nullopt},         // one past it
        {999999.0, std::nullopt},        // far beyond
        {-32768.0, -2147483647 - 1},     // the lowest word
        {-32768.00002, std::nullopt},    // -2147483649.3: below the lowest word
        {-32768.00001, -2147483647 - 1}, // -2147483648.7 truncates toward zero into it
        {std::nan(""), std::nullopt},    // no number
        {kInf, std::nullopt},            // no finite number
        {-kInf, std::nullopt},           // no finite number
        {0.0, 0},                        // nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cellWord(c.value), c.word) << c.value;
        EXPECT_EQ(cellFits(c.value), c.word.has_value()) << c.value;
    }
}

TEST(TeachTableTest, ClearingResetsValuesAndNumberButKeepsColours) {
    TeachTable t = filledTable();
    const Rgb rowColour{12, 34, 56};
    t.setColourCell(1, rowColour);
    t.setBackground(0, 2, Rgb{1, 2, 3});
    t.markActiveRows(2);

    t.clearValues();

    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kValueColumns; ++c)
            EXPECT_EQ(t.cell(r, c), 0.0) << r << "," << c;
    EXPECT_EQ(t.rowNumber(), 0);
    EXPECT_EQ(t.colourCell(1), rowColour);
    EXPECT_EQ(t.background(0, 2), (Rgb{1, 2, 3}));
    EXPECT_EQ(t.rowLabelColour(1), kActiveRowLabel);
}

TEST(TeachTableTest, RowLabelsFollowTheNumberOfActiveRows) {
    struct Case {
        int count;
        std::array<Rgb, 3> labels;
    };
    const Rgb g = kActiveRowLabel, r = kInactiveRowLabel;
    for (const Case& c : {Case{1, {g, r, r}}, Case{2, {g, g, r}}, Case{3, {g, g, g}}, Case{0, {r, r, r}}}) {
        TeachTable t;
        t.markActiveRows(c.count);
        for (int row = 0; row < kRows; ++row)
            EXPECT_EQ(t.rowLabelColour(row), c.labels[row]) << c.count << " row " << row;
    }
    EXPECT_EQ(kActiveRowLabel, (Rgb{0, 128, 0}));
    EXPECT_EQ(kInactiveRowLabel, (Rgb{255, 0, 0}));
}

TEST(TeachTableTest, IndicesOutsideTheGridChangeNothing) {
    TeachTable t = filledTable();
    const TeachRows before = t.cells();
    int changes = 0;
    t.subscribe([&](const TableChange&) { ++changes; });
    t.setCell(3, 0, 1.0);
    t.setCell(-1, 0, 1.0);
    t.setCell(0, 6, 1.0); // the colour column holds no value
    t.setBackground(0, 7, Rgb{});
    EXPECT_EQ(t.cells(), before);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(t.cell(0, 6), 0.0);
    t.setRowNumber(7);
    EXPECT_EQ(t.rowNumber(), 2);
}

TEST(TeachTableTest, ObserversHearEveryRealChangeOnceAndCanLeave) {
    TeachTable t;
    std::vector<TableChange::Kind> seen;
    const int id = t.subscribe([&](const TableChange& c) { seen.push_back(c.kind); });
    t.setCell(1, 2, 0.5);
    t.setCell(1, 2, 0.5); // same value: no change
    t.setCell(0, 0, std::numeric_limits<double>::quiet_NaN());
    t.setCell(0, 0, std::numeric_limits<double>::quiet_NaN());
    t.setColourCell(2, Rgb{9, 9, 9});
    t.setHeadings({"x", "y", "Y:100", "xyTol", "YTol", ""});
    t.setHeadings({"x", "y", "Y:100", "xyTol", "YTol", ""});
    t.setDecimals(2);
    t.markActiveRows(3);
    t.setRowNumber(1);
    using K = TableChange::Kind;
    EXPECT_EQ(seen, (std::vector<K>{K::Cell, K::Cell, K::Background, K::Headings, K::Decimals, K::RowLabels,
                                    K::RowNumber}));
    t.unsubscribe(id);
    t.setCell(1, 2, 0.75);
    EXPECT_EQ(seen.size(), 7u);
}

TEST(PromptNumberTest, ReadsTheFirstNumberAfterAnyLeadingText) {
    struct Case {
        const char* answer;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"2.5", 2.5},
        {"tol 2.5", 2.5},
        {"  7", 7.0},
        {"-3", -3.0},
        {"x-.5", -0.5},
        {"+4", 4.0},
        {".25", 0.25},
        {"1e3", 1000.0},
        {"3 4", 3.0},
        {"1,5", 1.0}, // the decimal point is always "."
        {"2.5abc", 2.5},
        {"abc 2.5x", 2.5},
        {"--", std::nullopt},
        {"tol -", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {".", std::nullopt},
        {"- .5", 0.5},
        {"1e999", std::nullopt}, // no finite number
    };
    for (const Case& c : cases)
        EXPECT_EQ(parsePromptNumber(c.answer), c.value) << '"' << c.answer << '"';
}

TEST(TeachTableTest, HitMarkingFollowsTheHitRowAndLeavesTheColourCell) {
    TeachTable t;
    t.setColourCell(2, Rgb{1, 2, 3});
    markHitRow(t, hitChange(255, 2));
    EXPECT_EQ(t.background(2, 0), kHitBackground);
    EXPECT_EQ(t.background(2, 5), kHitBackground);
    EXPECT_EQ(t.colourCell(2), (Rgb{1, 2, 3}));
    markHitRow(t, hitChange(2, 0));
    EXPECT_EQ(t.background(2, 5), kWhite);
    EXPECT_EQ(t.background(0, 3), kHitBackground);
}

} // namespace
} // namespace tavrino::teach
