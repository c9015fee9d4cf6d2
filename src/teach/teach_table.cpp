#include "teach/teach_table.h"

#include <algorithm>
#include <cmath>

namespace tavrino::teach {

namespace {

// A parameter file keeps a cell with 16 significant digits, which lie within
// 6e-16 of the cell, relative to it; read back, the cell may lie that far
// below the word it was saved from. Only differences of that size are taken
// onto the word; everything else truncates as it is (610.36 x 65536 is
// 40000552.96 and gives 40000552).
constexpr double kFileRounding = 2e-15;
// The signed 32-bit word range, exactly representable as doubles.
constexpr double kLowestWord = -2147483648.0;
constexpr double kHighestWord = 2147483647.0;

bool inGrid(int row, int column, int columns) {
    return row >= 0 && row < kRows && column >= 0 && column < columns;
}

// NaN equals NaN here, so storing the same NaN twice is not a change.
bool sameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

} // namespace

std::optional<std::int32_t> cellWord(double value) {
    double scaled = value * kCellScale;
    if (!std::isfinite(scaled))
        return std::nullopt;
    const double nearest = std::round(scaled);
    if (std::fabs(scaled - nearest) <= kFileRounding * std::fabs(nearest))
        scaled = nearest;
    const double word = std::trunc(scaled);
    if (word < kLowestWord || word > kHighestWord)
        return std::nullopt;
    return static_cast<std::int32_t>(word);
}

TeachTable::TeachTable() {
    for (auto& row : backgrounds_)
        row.fill(kWhite);
    // As with the parameter default MAX VEC NO 1 until the rules mark the rows.
    rowLabels_.fill(kInactiveRowLabel);
    rowLabels_[0] = kActiveRowLabel;
}

double TeachTable::cell(int row, int column) const {
    return inGrid(row, column, kValueColumns) ? cells_[row][column] : 0.0;
}

void TeachTable::setCell(int row, int column, double value) {
    if (!inGrid(row, column, kValueColumns))
        return;
    const bool changed = !sameValue(cells_[row][column], value);
    cells_[row][column] = value;
    if (changed)
        notify({TableChange::Kind::Cell, row, column});
}

void TeachTable::setCells(const TeachRows& rows) {
    bool changed = false;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kValueColumns; ++c)
            changed = changed || !sameValue(cells_[r][c], rows[r][c]);
    cells_ = rows;
    if (changed)
        notify({TableChange::Kind::Cells});
}

Rgb TeachTable::background(int row, int column) const {
    return inGrid(row, column, kColumns) ? backgrounds_[row][column] : kWhite;
}

void TeachTable::setBackground(int row, int column, Rgb colour) {
    if (!inGrid(row, column, kColumns) || backgrounds_[row][column] == colour)
        return;
    backgrounds_[row][column] = colour;
    notify({TableChange::Kind::Background, row, column});
}

Rgb TeachTable::rowLabelColour(int row) const {
    return row >= 0 && row < kRows ? rowLabels_[row] : kInactiveRowLabel;
}

void TeachTable::markActiveRows(int count) {
    auto labels = rowLabels_;
    for (int r = 0; r < kRows; ++r)
        labels[r] = r < count ? kActiveRowLabel : kInactiveRowLabel;
    if (labels == rowLabels_)
        return;
    rowLabels_ = labels;
    notify({TableChange::Kind::RowLabels});
}

void TeachTable::setHeadings(const std::array<std::string, kValueColumns>& headings) {
    if (headings == headings_)
        return;
    headings_ = headings;
    notify({TableChange::Kind::Headings});
}

void TeachTable::setDecimals(int decimals) {
    if (decimals == decimals_)
        return;
    decimals_ = decimals;
    notify({TableChange::Kind::Decimals});
}

void TeachTable::setRowNumber(int row) {
    row = std::clamp(row, 0, kRows - 1);
    if (row == rowNumber_)
        return;
    rowNumber_ = row;
    notify({TableChange::Kind::RowNumber});
}

void TeachTable::clearValues() {
    setRowNumber(0);
    setCells(TeachRows{});
}

void TeachTable::notify(const TableChange& change) const {
    observers_.notify(change);
}

} // namespace tavrino::teach

namespace tavrino::teach {

void markHitRow(TeachTable& table, HitChange change) {
    for (int column = 0; column < kValueColumns; ++column) {
        if (change.unmark >= 0)
            table.setBackground(change.unmark, column, kWhite);
        if (change.mark >= 0)
            table.setBackground(change.mark, column, kHitBackground);
    }
}

} // namespace tavrino::teach
