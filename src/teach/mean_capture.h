#pragma once

// The mean-value captures: up to 100 rows of the three colour-space
// coordinates, their mean and the largest distance of any row from it.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tavrino::teach {

using Triple = std::array<double, 3>;

class MeanCaptures {
public:
    static constexpr std::size_t kRows = 100;

    // Appends a row; once all rows are taken the last row is overwritten and
    // the count stays at kRows. Returns the 0-based row written.
    std::size_t capture(const Triple& values);
    // Removes the last row (clears it); at count 0 clears row 0.
    void undo();
    void reset();
    // Sets one cell by hand. False (nothing changed) for a row or column
    // outside the table and for a value no teach cell can hold.
    bool setCell(std::size_t row, std::size_t column, double value);

    [[nodiscard]] std::uint16_t count() const { return count_; }
    [[nodiscard]] const std::array<Triple, kRows>& rows() const { return rows_; }
    [[nodiscard]] const Triple& mean() const { return mean_; }
    [[nodiscard]] double maxDeltaE() const { return maxDeltaE_; }

private:
    void recompute();

    std::array<Triple, kRows> rows_{};
    std::uint16_t count_ = 0;
    Triple mean_{};
    double maxDeltaE_ = 0;
};

} // namespace tavrino::teach
