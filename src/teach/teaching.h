#pragma once

// Teaching a measured colour into a row of the teach table, the default
// tolerances that teaching writes, and the block edits of the grid's
// context menu.

#include "teach/row_colours.h"
#include "teach/teach_table.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tavrino::teach {

// What a teach reads afresh every time besides the coordinates.
struct TeachSettings {
    int shapeMode = 0;   // 0 BLOCK, 1 CYLINDER, 2 SPHERE
    int colourSpace = 0; // 0 xyY .. 4 u'v'L*
    bool toleranceOn = true;
    bool autoIncrement = false;
    bool automaticRowColour = false;
    Rgb displayColour; // the colour of the current measurement, 0..255 per component
};

// The tolerances of columns 4, 5 and 6 that teaching writes for a shape mode
// and colour space; zeros for a shape or colour space the sensor does not know.
[[nodiscard]] std::array<double, 3> defaultTolerances(int shapeMode, int colourSpace);

// Writes the coordinates into row No. with the default tolerances (teach
// tolerance on), moves No. on to the next row (auto increment, rows 0 and 1
// only) and, with automatic row colours, paints the row with the display
// colour.
void TeachDataTo(TeachTable& table, RowColours& rows, const std::array<double, 3>& coordinates,
                 const TeachSettings& settings);

// A cell of the grid, zero-based; columns 0..5 hold values, 6 the row colour.
struct GridCell {
    int row = 0;
    int column = 0;
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

[[nodiscard]] bool isValueCell(GridCell cell);

// The selected cells in the order a block edit visits them: row by row from
// the top, left to right within a row; cells outside the grid and repeats
// dropped.
[[nodiscard]] std::vector<GridCell> visitingOrder(std::vector<GridCell> cells);

// The block edits on cells in visiting order; only value cells change.
// False (nothing changed) for a value the sensor cannot hold.
bool setSelectionTo(TeachTable& table, const std::vector<GridCell>& cells, double value);
void resetSelection(TeachTable& table, const std::vector<GridCell>& cells);
// The first cell keeps its value v, the following value cells get v + d,
// v + 2d, ... False (nothing changed) when the first cell is no value cell
// or a value of the run is one the sensor cannot hold.
bool incrementSelection(TeachTable& table, const std::vector<GridCell>& cells, double increment);

} // namespace tavrino::teach
