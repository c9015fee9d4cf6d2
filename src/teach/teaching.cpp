#include "teach/teaching.h"

#include <algorithm>
#include <utility>

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

bool setSelectionTo(TeachTable& table, const std::vector<GridCell>& cells, double value) {
    if (!cellFits(value))
        return false;
    for (GridCell c : cells)
        if (isValueCell(c))
            table.setCell(c.row, c.column, value);
    return true;
}

void resetSelection(TeachTable& table, const std::vector<GridCell>& cells) {
    setSelectionTo(table, cells, 0.0);
}

bool incrementSelection(TeachTable& table, const std::vector<GridCell>& cells, double increment) {
    if (cells.empty() || !isValueCell(cells.front()))
        return false;
    const double start = table.cell(cells.front().row, cells.front().column);
    // Each value from the start, not by adding up: no drift over the cells.
    std::vector<std::pair<GridCell, double>> values;
    for (GridCell c : cells)
        if (isValueCell(c))
            values.emplace_back(c, start + static_cast<double>(values.size()) * increment);
    // A run that leaves what the sensor can hold is refused whole, not cut
    // off half way.
    for (const auto& [cell, value] : values)
        if (!cellFits(value))
            return false;
    for (const auto& [cell, value] : values)
        table.setCell(cell.row, cell.column, value);
    return true;
}

} // namespace tavrino::teach
