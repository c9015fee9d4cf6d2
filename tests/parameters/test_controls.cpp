#include "parameters/options.h"
#include "parameters/parameter_controls.h"
#include "support/recording_graphs.h"
#include "teach/teach_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace tavrino::parameters {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ParameterControlsTest, StartsAtTheDefaultsWithEverythingShownAndTargetRam) {
    ParameterControls c;
    const auto defaults = defaultParameterWords();
    for (std::size_t w = 0; w < word::CorrectionX; ++w)
        EXPECT_EQ(c.value(static_cast<Control>(w)), defaults[w]) << w;
    EXPECT_EQ(c.value(Control::CorrectionY), 1.0);
    EXPECT_EQ(c.target(), TransferTarget::Ram);
    EXPECT_TRUE(c.shown(Element::TeachTablePage));
    EXPECT_FALSE(c.dimmed(Control::Power));
    EXPECT_EQ(c.captions().coordinates[2], "Y:100");
}

TEST(ParameterControlsTest, ValuesStayInsideTheControlsRange) {
    struct Case {
        Control control;
        double input;
        double stored;
    };
    const Case cases[] = {
        {Control::Power, 1200, 1000},
        {Control::Power, -5, 0},
        {Control::Power, 12.9, 12}, // integer controls hold integers
        {Control::Gain, 0, 1},
        {Control::Gain, kNaN, 1},
        {Control::MaxVecNo, 2.7, 2},
        {Control::Integral2, 70000, 65535},
        {Control::ColorSpace, 9, 4},
        {Control::CorrectionX, 1.234567891234, 1.234567891234}, // full precision
        {Control::CorrectionX, -1, 0},
        {Control::CorrectionX, 600, 65535.0 / 128.0},
        {Control::CorrectionZ, kInf, kInf}, // kept as computed: SEND refuses it
        {Control::CorrectionZ, -kInf, -kInf},
    };
    for (const Case& k : cases) {
        ParameterControls c;
        c.setValue(k.control, k.input);
        EXPECT_EQ(c.value(k.control), k.stored) << static_cast<int>(k.control) << " <- " << k.input;
    }
    ParameterControls c;
    c.setValue(Control::CorrectionY, kNaN);
    EXPECT_TRUE(std::isnan(c.value(Control::CorrectionY)));
}

TEST(ParameterControlsTest, ReadingAndWritingTheSetKeepsFullDoubles) {
    ParameterControls c;
    teach::TeachTable table;
    c.setValue(Control::Power, 777);
    c.setValue(Control::Integral2, 40000);
    c.setValue(Control::ShapeMode, 2);
    c.setValue(Control::DoubleIntegral2, 250);
    c.setValue(Control::CorrectionX, 1.5);
    c.setValue(Control::CorrectionY, 2.0 / 3.0);
    c.setValue(Control::CorrectionZ, 511.9921875);
    const TeachRows rows{{{0.3127123456789, 0.329, 100.0 / 3.0, 0.02, 0.04, 0.0},
                          {-12.345678901234, 80.0, 50.5, 10.0, 5.0, 0.0},
                          {1e-9, -1e-9, 0.1, 0.2, 0.3, 0.7}}};
    table.setCells(rows);

    ParameterSet set;
    GetPanelValues(c, table, set);
    EXPECT_EQ(set.words[word::Power], 777);
    EXPECT_EQ(set.words[word::Integral2], 40000);
    EXPECT_EQ(set.words[word::ShapeMode], 2);
    EXPECT_EQ(set.words[word::DoubleIntegral2], 250);
    EXPECT_EQ(set.words[word::CorrectionX], 192);
    EXPECT_EQ(set.words[word::CubeRootX], 5907);
    EXPECT_EQ(set.words[word::CorrectionX + 1], 85); // 85.33 truncated
    EXPECT_EQ(set.words[word::CubeRootX + 1], 4508); // cbrt(85.333) x 1024, from the untruncated product
    EXPECT_EQ(set.words[word::CorrectionX + 2], 65535);
    EXPECT_EQ(set.teach, rows); // no rounding by the display decimals

    ParameterControls shown;
    teach::TeachTable shownTable;
    SetPanelValues(set, shown, shownTable);
    for (std::size_t w = 0; w < word::CorrectionX; ++w)
        EXPECT_EQ(shown.value(static_cast<Control>(w)), c.value(static_cast<Control>(w))) << w;
    EXPECT_EQ(shown.value(Control::CorrectionX), 1.5);
    EXPECT_EQ(shown.value(Control::CorrectionY), 85.0 / 128.0); // what the sensor has
    EXPECT_EQ(shown.value(Control::CorrectionZ), 511.9921875);
    EXPECT_EQ(shownTable.cells(), rows);

    // A second round trip changes nothing any more.
    ParameterSet again;
    GetPanelValues(shown, shownTable, again);
    EXPECT_EQ(again.words[word::CorrectionX + 1], 85);
    EXPECT_EQ(again.words[word::Power], 777);
    EXPECT_EQ(again.teach, rows);
}

TEST(ParameterControlsTest, WordsOutsideAControlsRangeAreShownAtItsLimit) {
    ParameterSet set;
    set.words = defaultParameterWords();
    set.words[word::Gain] = 0;
    set.words[word::MaxVecNo] = 9;
    ParameterControls c;
    teach::TeachTable table;
    SetPanelValues(set, c, table);
    EXPECT_EQ(c.value(Control::Gain), 1);
    EXPECT_EQ(c.value(Control::MaxVecNo), 3);
}

TEST(ParameterControlsTest, SelectButtonsShowTheOneTarget) {
    ParameterControls c;
    int changes = 0;
    c.subscribe([&](const ControlChange& ch) { changes += ch.kind == ControlChange::Kind::Target; });
    for (TransferTarget t : {TransferTarget::Eeprom, TransferTarget::File, TransferTarget::Ram}) {
        c.selectTarget(t);
        EXPECT_EQ(c.target(), t);
        EXPECT_EQ(c.selectButtonOn(TransferTarget::Ram), t == TransferTarget::Ram);
        EXPECT_EQ(c.selectButtonOn(TransferTarget::Eeprom), t == TransferTarget::Eeprom);
        EXPECT_EQ(c.selectButtonOn(TransferTarget::File), t == TransferTarget::File);
    }
    c.selectTarget(static_cast<TransferTarget>(7));
    EXPECT_EQ(c.target(), TransferTarget::Ram);
    EXPECT_EQ(changes, 3);
}

TEST(ParameterControlsTest, ObserversHearRealChangesOnly) {
    ParameterControls c;
    std::vector<ControlChange> seen;
    const int id = c.subscribe([&](const ControlChange& ch) { seen.push_back(ch); });
    c.setValue(Control::Power, 500); // the default already
    c.setValue(Control::Power, 501);
    c.setValue(Control::Power, 501.7); // truncates to the same
    c.setDimmed(Control::Gain, true);
    c.setDimmed(Control::Gain, true);
    c.setHidden(Control::AnalogZoom, true);
    c.setShown(Element::In0Indicator, false);
    c.setGraphManualScaling(1, true);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0].kind, ControlChange::Kind::Value);
    EXPECT_EQ(seen[0].index, static_cast<int>(Control::Power));
    EXPECT_EQ(seen[1].kind, ControlChange::Kind::Dimmed);
    EXPECT_EQ(seen[2].kind, ControlChange::Kind::Hidden);
    EXPECT_EQ(seen[3].kind, ControlChange::Kind::Element);
    EXPECT_EQ(seen[3].index, static_cast<int>(Element::In0Indicator));
    EXPECT_EQ(seen[4].kind, ControlChange::Kind::Graph);
    EXPECT_FALSE(c.editable(Control::Gain));
    EXPECT_FALSE(c.editable(Control::AnalogZoom));
    EXPECT_TRUE(c.editable(Control::Power));
    c.unsubscribe(id);
    c.setValue(Control::Power, 10);
    EXPECT_EQ(seen.size(), 5u);
}

// The grid's operations that the parameter set and the graphs follow: the
// set reads the grid as it is after the change, then the graphs are asked.
TEST(ParameterControlsTest, TableResetAndCellEditsCarryTheSetAndTheGraphsAlong) {
    ParameterControls controls;
    teach::TeachTable table;
    ParameterSet set;
    test::RecordingGraphs graphs;
    TeachRows old;
    for (auto& row : old)
        row.fill(7.5);
    table.setCells(old);
    table.setRowNumber(2);
    table.setColourCell(1, teach::Rgb{1, 2, 3});
    GetPanelValues(controls, table, set);

    editTeachCell(controls, table, set, graphs, 1, 4, 0.25);
    EXPECT_EQ(set.teach[1][4], 0.25);
    EXPECT_EQ(graphs.calls, (std::vector<std::string>{"init", "show"}));

    graphs.calls.clear();
    ResetTable(controls, table, set, graphs);
    EXPECT_EQ(set.teach, TeachRows{});
    EXPECT_EQ(table.cells(), TeachRows{});
    EXPECT_EQ(table.rowNumber(), 0);
    EXPECT_EQ(table.colourCell(1), (teach::Rgb{1, 2, 3}));
    EXPECT_EQ(graphs.calls, (std::vector<std::string>{"delete plots", "init"}));
}

} // namespace
} // namespace tavrino::parameters
