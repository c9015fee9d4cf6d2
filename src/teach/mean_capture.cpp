#include "teach/mean_capture.h"

#include "teach/teach_table.h"

#include <algorithm>
#include <cmath>

namespace tavrino::teach {

std::size_t MeanCaptures::capture(const Triple& values) {
    const std::size_t row = std::min<std::size_t>(count_, kRows - 1);
    count_ = static_cast<std::uint16_t>(row + 1);
    rows_[row] = values;
    recompute();
    return row;
}

void MeanCaptures::undo() {
    if (count_ > 0)
        --count_;
    rows_[count_] = Triple{};
    recompute();
}

void MeanCaptures::reset() {
    *this = MeanCaptures{};
}

bool MeanCaptures::setCell(std::size_t row, std::size_t column, double value) {
    // The mean is taught into the teach table, so a capture holds only what
    // a teach cell can; the mean of such values is one too.
    if (row >= kRows || column >= 3 || !cellFits(value))
        return false;
    rows_[row][column] = value;
    recompute();
    return true;
}

void MeanCaptures::recompute() {
    mean_ = Triple{};
    maxDeltaE_ = 0;
    if (count_ == 0)
        return;
    for (std::size_t k = 0; k < count_; ++k)
        for (std::size_t c = 0; c < 3; ++c)
            mean_[c] += rows_[k][c];
    for (double& m : mean_)
        m /= count_;
    for (std::size_t k = 0; k < count_; ++k) {
        const Triple& r = rows_[k];
        const double d = std::hypot(r[0] - mean_[0], r[1] - mean_[1], r[2] - mean_[2]);
        maxDeltaE_ = std::max(maxDeltaE_, d);
    }
}

} // namespace tavrino::teach
