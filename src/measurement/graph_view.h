#pragma once

// What the graphs of the live measurement draw, as numbers: the default
// ranges and margins of each colour space, the tolerance shapes of the teach
// rows seen from three sides, the view bounds of the three-sided view and
// its rescaling around the current measurement, and the signal graph's
// traces. The widgets only draw what these return.

#include "common/teach_rows.h"
#include "measurement/record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavrino::measurement {

struct Span {
    double low = 0;
    double high = 0;
    friend bool operator==(const Span&, const Span&) = default;
};

// The three axes of a colour space: coordinate 1, coordinate 2, intensity.
using AxisSpans = std::array<Span, 3>;

// The default range of each axis (the strip charts' fixed ranges); a value
// that names no colour space gives the ranges of xyY.
[[nodiscard]] AxisSpans defaultAxisRanges(std::uint16_t colourSpace);
// Added on every side of the three-sided view.
[[nodiscard]] double viewMargin(std::uint16_t colourSpace);

// The picture under the coordinate 1 / coordinate 2 projection, placed by its
// lower-left corner and size in graph units.
struct Background {
    std::string_view file;
    double left = 0;
    double bottom = 0;
    double width = 0;
    double height = 0;
};
// Nothing for the colour spaces that show the grid lines instead.
[[nodiscard]] std::optional<Background> backgroundOf(std::uint16_t colourSpace);

// The three projections of the three-sided view and the axes each shows:
// coordinate 1 / coordinate 2, coordinate 1 / intensity, coordinate 2 /
// intensity.
inline constexpr std::size_t kProjections = 3;
struct ProjectionAxes {
    std::size_t horizontal;
    std::size_t vertical;
};
inline constexpr std::array<ProjectionAxes, kProjections> kProjectionAxes{{{0, 1}, {0, 2}, {1, 2}}};

// The tolerance of each axis by shape mode: coordinate 1 always tol1;
// coordinate 2 tol2 for BLOCK, tol1 otherwise; intensity tol3 for BLOCK,
// tol2 for CYLINDER, tol1 for SPHERE. Another shape mode counts as BLOCK.
[[nodiscard]] std::array<double, 3> shapeTolerances(const TeachRow& row, std::uint16_t shapeMode);

enum class ShapeKind { Rectangle, Ellipse };

// One tolerance shape in one projection: a rectangle over the extents, or
// the full ellipse inscribed in them.
struct Shape {
    ShapeKind kind = ShapeKind::Rectangle;
    Span horizontal;
    Span vertical;
    friend bool operator==(const Shape&, const Shape&) = default;
};
using RowShapes = std::array<Shape, kProjections>;

// The shapes of one teach row: BLOCK rectangles everywhere; CYLINDER an
// ellipse seen along the intensity axis and rectangles from the sides;
// SPHERE ellipses everywhere.
[[nodiscard]] RowShapes rowShapes(const TeachRow& row, std::uint16_t shapeMode);

// The bounds of the three-sided view after its shapes were drawn: the rows
// whose two coordinates and intensity are all nonzero, each with its
// tolerances; with no such row, the default range of coordinate 1 on all
// three axes.
[[nodiscard]] AxisSpans viewBounds(const TeachRows& rows, std::uint16_t shapeMode, std::uint16_t colourSpace);

// What one projection shows.
struct ProjectionView {
    Span horizontal;
    Span vertical;
    friend bool operator==(const ProjectionView&, const ProjectionView&) = default;
};

// The three projections around the bounds and the current measurement
// (csX, csY, csI): each axis widened to include it, both axes of a projection
// scaled alike from the larger of their spans, `margin` on every side.
[[nodiscard]] std::array<ProjectionView, kProjections>
rescaledViews(const AxisSpans& bounds, const std::array<double, 3>& current, double margin);

// ---- the signal graph panel ----

// X, Y, Z, csX, csY, csI, temperature.
inline constexpr std::size_t kSignals = 7;
using SignalValues = std::array<double, kSignals>;

// The seven values of a record as the signal graph plots them.
[[nodiscard]] SignalValues signalValues(const MeasurementRecord& record);
// The graph the signal selector shows: 0..6 itself, any other value X (0).
[[nodiscard]] std::size_t selectedSignal(int selector);

// One line segment per signal, from the previous sample to this one.
struct SignalSegment {
    double fromSample = 0;
    double toSample = 0;
    SignalValues from{};
    SignalValues to{};
};

// The sample counter and the previous values: init() at the start of a
// recording, add() per recorded frame. The counter is 16-bit and wraps.
class SignalTrace {
public:
    void init(const SignalValues& current);
    [[nodiscard]] SignalSegment add(const SignalValues& current);
    [[nodiscard]] std::uint16_t counter() const { return counter_; }

private:
    std::uint16_t counter_ = 0;
    std::uint16_t previousSample_ = 0;
    SignalValues previous_{};
};

} // namespace tavrino::measurement
