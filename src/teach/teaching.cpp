#include "teach/teaching.h"

#include <algorithm>

namespace tavrino::teach {

namespace {

constexpr int kShapeCount = 3;
constexpr int kColourSpaceCount = 5;
constexpr int kFirstTolerance = 3; // column 4 as the operator counts

// [shape][column 4..6][colour space]
constexpr double kDefaultTolerances[kShapeCount][3][kColourSpaceCount] = {
    // BLOCK
    {{0.02, 10, 10, 10, 0.02}, {0.02, 10, 10, 10, 0.02}, {0.04, 5, 5, 5, 5}},
    // CYLINDER
    {{0.02, 10, 10, 10, 0.02}, {0.04, 5, 5, 5, 5}, {0, 0, 0, 0, 0}},
    // SPHERE
    {{0.04, 10, 10, 10, 5}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
};

} // namespace

std::array<double, 3> defaultTolerances(int shapeMode, int colourSpace) {
    if (shapeMode < 0 || shapeMode >= kShapeCount || colourSpace < 0 || colourSpace >= kColourSpaceCount)
        return {};
    const auto& shape = kDefaultTolerances[shapeMode];
    return {shape[0][colourSpace], shape[1][colourSpace], shape[2][colourSpace]};
}

void TeachDataTo(TeachTable& table, RowColours& rows, const std::array<double, 3>& coordinates,
                 const TeachSettings& settings) {
    const int n = table.rowNumber();
    for (int c = 0; c < 3; ++c)
        table.setCell(n, c, coordinates[static_cast<std::size_t>(c)]);
    if (settings.toleranceOn) {
        const auto tolerances = defaultTolerances(settings.shapeMode, settings.colourSpace);
        for (int c = 0; c < 3; ++c)
            table.setCell(n, kFirstTolerance + c, tolerances[static_cast<std::size_t>(c)]);
    }
    if (settings.autoIncrement && n < kRows - 1)
        table.setRowNumber(n + 1);
    if (settings.automaticRowColour)
        paintRowColour(rows, table, n, rgbToInt(settings.displayColour));
}

bool isValueCell(GridCell cell) {
    return cell.row >= 0 && cell.row < kRows && cell.column >= 0 && cell.column < kValueColumns;
}

std::vector<GridCell> visitingOrder(std::vector<GridCell> cells) {
    std::erase_if(cells, [](GridCell c) {
        return c.row < 0 || c.row >= kRows || c.column < 0 || c.column >= kColumns;
    });
    std::sort(cells.begin(), cells.end(),
              [](GridCell a, GridCell b) { return a.row != b.row ? a.row < b.row : a.column < b.column; });
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    return cells;
}

void setSelectionTo(TeachTable& table, const std::vector<GridCell>& cells, double value) {
    for (GridCell c : cells)
        if (isValueCell(c))
            table.setCell(c.row, c.column, value);
}

void resetSelection(TeachTable& table, const std::vector<GridCell>& cells) {
    setSelectionTo(table, cells, 0.0);
}

bool incrementSelection(TeachTable& table, const std::vector<GridCell>& cells, double increment) {
    if (cells.empty() || !isValueCell(cells.front()))
        return false;
    const double start = table.cell(cells.front().row, cells.front().column);
    int step = 0;
    for (GridCell c : cells) {
        if (!isValueCell(c))
            continue;
        // Each value from the start, not by adding up: no drift over the cells.
        table.setCell(c.row, c.column, start + step * increment);
        ++step;
    }
    return true;
}

} // namespace tavrino::teach
