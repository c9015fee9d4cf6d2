#pragma once

#include <array>

namespace tavrino {

// The teach table as the program holds it in memory: three rows of six
// cells (three coordinates, three tolerances), rows 0..2 as on the wire.
using TeachRow = std::array<double, 6>;
using TeachRows = std::array<TeachRow, 3>;

// Which teach rows a new frame marks and unmarks as hit: the row of the
// frame before loses its marking when the hit moved away from it, the row of
// this frame is marked. -1: none (a colour number outside 0..2 names no row).
struct HitChange {
    int unmark = -1;
    int mark = -1;
    friend bool operator==(const HitChange&, const HitChange&) = default;
};

[[nodiscard]] constexpr HitChange hitChange(int previousColourNo, int colourNo) {
    auto isRow = [](int n) { return n >= 0 && n <= 2; };
    return {previousColourNo != colourNo && isRow(previousColourNo) ? previousColourNo : -1,
            isRow(colourNo) ? colourNo : -1};
}

} // namespace tavrino
