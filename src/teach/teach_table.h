#pragma once

#include "common/observers.h"

#include "common/teach_rows.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavrino::teach {

inline constexpr int kRows = 3;
inline constexpr int kValueColumns = 6;
// The grid shows the six values and, last, the cell that shows the row colour.
inline constexpr int kColumns = 7;
inline constexpr int kColourColumn = 6; // zero-based, like every column index here

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The sensor holds every value cell as a signed 32-bit word in 16.16 fixed
// point: the value x 65536, truncated toward zero.
inline constexpr double kCellScale = 65536.0;

// The word the sensor holds for `value`; nothing when the value does not fit
// a word (beyond -32768 .. 32767.99998, infinite or NaN). A value a parameter
// file gave back with 16 significant digits, a rounding error below the word
// it was saved from, still gives that word.
[[nodiscard]] std::optional<std::int32_t> cellWord(double value);
// Whether the sensor can hold `value` as a cell: the operator's entries are
// refused otherwise.
[[nodiscard]] inline bool cellFits(double value) {
    return cellWord(value).has_value();
}

inline constexpr Rgb kWhite{255, 255, 255};
// Row labels: rows the sensor evaluates are dark green, the others red.
inline constexpr Rgb kActiveRowLabel{0, 128, 0};
inline constexpr Rgb kInactiveRowLabel{255, 0, 0};

// What changed in the teach table, so a widget repaints only that.
struct TableChange {
    enum class Kind {
        Cell,       // one value cell (row, column)
        Cells,      // any number of value cells
        Background, // the background of one cell (row, column; column 6 is the colour cell)
        RowLabels,  // the colours of the row labels
        Headings,   // the six column headings
        Decimals,   // the decimals of the value cells
        RowNumber,  // No., the row TEACH DATA TO writes next
    };
    Kind kind = Kind::Cells;
    int row = -1;
    int column = -1;
};

// The teach table grid of the teach table page: three rows of six values
// (two coordinates, the intensity, three tolerances), the row-colour cell, the
// cell backgrounds, the row-label colours, the headings and decimals that
// follow the colour space and shape mode, and No. It is the master copy while
// the program runs; the parameter set's rows follow it when the parameter
// controls are read. Rows and columns are zero-based; the operator sees rows
// 0..2 and columns 1..7. Indices outside the grid are ignored.
class TeachTable {
public:
    using Observer = Observers<const TableChange&>::Observer;

    TeachTable();

    [[nodiscard]] double cell(int row, int column) const;
    void setCell(int row, int column, double value);
    [[nodiscard]] const TeachRows& cells() const { return cells_; }
    void setCells(const TeachRows& rows);

    // Background of any of the seven cells of a row; the colour cell's
    // background is the row colour the operator sees.
    [[nodiscard]] Rgb background(int row, int column) const;
    void setBackground(int row, int column, Rgb colour);
    [[nodiscard]] Rgb colourCell(int row) const { return background(row, kColourColumn); }
    void setColourCell(int row, Rgb colour) { setBackground(row, kColourColumn, colour); }

    // Row labels: green for rows 0 .. count-1, red for the rest. The table of
    // the table settings page shows the same colours.
    [[nodiscard]] Rgb rowLabelColour(int row) const;
    void markActiveRows(int count);

    [[nodiscard]] const std::array<std::string, kValueColumns>& headings() const { return headings_; }
    void setHeadings(const std::array<std::string, kValueColumns>& headings);
    [[nodiscard]] int decimals() const { return decimals_; }
    void setDecimals(int decimals);

    // No.: the row TEACH DATA TO writes next, 0..2.
    [[nodiscard]] int rowNumber() const { return rowNumber_; }
    void setRowNumber(int row);

    // Clears the grid: No. back to 0, every value cell 0; the colour cells
    // and row colours stay. The whole reset of the table, with the parameter
    // set and the graphs following, is ResetTable (parameters/parameter_controls.h).
    void clearValues();

    // Observers are called after every actual change.
    int subscribe(Observer observer) { return observers_.subscribe(std::move(observer)); }
    void unsubscribe(int id) { observers_.unsubscribe(id); }

private:
    void notify(const TableChange& change) const;

    TeachRows cells_{};
    std::array<std::array<Rgb, kColumns>, kRows> backgrounds_{};
    std::array<Rgb, kRows> rowLabels_{};
    std::array<std::string, kValueColumns> headings_{};
    int decimals_ = 4;
    int rowNumber_ = 0;
    Observers<const TableChange&> observers_;
};

} // namespace tavrino::teach

namespace tavrino::teach {

// The hit marking of the grid: the value cells of the hit row light blue,
// those of a row no longer hit white again.
inline constexpr Rgb kHitBackground{144, 192, 255};
void markHitRow(TeachTable& table, HitChange change);

} // namespace tavrino::teach
