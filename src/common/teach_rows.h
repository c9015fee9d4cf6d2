#pragma once

#include <array>

namespace tavrino {

// The teach table as the program holds it in memory: three rows of six
// cells (three coordinates, three tolerances), rows 0..2 as on the wire.
using TeachRow = std::array<double, 6>;
using TeachRows = std::array<TeachRow, 3>;

} // namespace tavrino
