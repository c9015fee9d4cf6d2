#include "measurement/graph_view.h"

#include "calibration/colour_space.h"

#include <algorithm>

namespace tavrino::measurement {

namespace {

constexpr std::uint16_t kShapeCylinder = calibration::kShapeCylinder;
constexpr std::uint16_t kShapeSphere = calibration::kShapeSphere;

// By colour space xyY, L*a*b*, L*u*v*, L*C*h*, u'v'L*.
constexpr std::array<double, calibration::kColourSpaceCount> kMargins{0.01, 1, 1, 1, 0.01};

constexpr std::array<std::optional<Background>, calibration::kColourSpaceCount> kBackgrounds{{
    Background{"FTxyChromaticityDiagram.bmp", 0, 0, 0.74, 0.84},
    Background{"FTColorWheel.bmp", -80, -80, 160, 160},
    std::nullopt,
    std::nullopt,
    Background{"FTUniformChromaticityScale.bmp", 0, 0, 0.625, 0.585},
}};

std::uint16_t known(std::uint16_t colourSpace) {
    return colourSpace < calibration::kColourSpaceCount ? colourSpace : 0;
}

Span around(double value, double tolerance) {
    return {value - tolerance, value + tolerance};
}

} // namespace

AxisSpans defaultAxisRanges(std::uint16_t colourSpace) {
    const auto settings = calibration::displaySettings(known(colourSpace));
    AxisSpans spans{};
    for (std::size_t i = 0; i < spans.size(); ++i)
        spans[i] = {settings->axisRanges[i].min, settings->axisRanges[i].max};
    return spans;
}

double viewMargin(std::uint16_t colourSpace) {
    return kMargins[known(colourSpace)];
}

std::optional<Background> backgroundOf(std::uint16_t colourSpace) {
    return colourSpace < kBackgrounds.size() ? kBackgrounds[colourSpace] : std::nullopt;
}

std::array<double, 3> shapeTolerances(const TeachRow& row, std::uint16_t shapeMode) {
    const double tol1 = row[3], tol2 = row[4], tol3 = row[5];
    switch (shapeMode) {
    case kShapeCylinder:
        return {tol1, tol1, tol2};
    case kShapeSphere:
        return {tol1, tol1, tol1};
    default:
        return {tol1, tol2, tol3};
    }
}

RowShapes rowShapes(const TeachRow& row, std::uint16_t shapeMode) {
    const auto tolerance = shapeTolerances(row, shapeMode);
    AxisSpans extents{};
    for (std::size_t k = 0; k < extents.size(); ++k)
        extents[k] = around(row[k], tolerance[k]);
    RowShapes shapes{};
    for (std::size_t p = 0; p < kProjections; ++p) {
        const bool ellipse = shapeMode == kShapeSphere || (shapeMode == kShapeCylinder && p == 0);
        shapes[p] = {ellipse ? ShapeKind::Ellipse : ShapeKind::Rectangle,
                     extents[kProjectionAxes[p].horizontal], extents[kProjectionAxes[p].vertical]};
    }
    return shapes;
}

AxisSpans viewBounds(const TeachRows& rows, std::uint16_t shapeMode, std::uint16_t colourSpace) {
    // Inverted to start with, so that the first usable row sets both ends.
    const Span first = defaultAxisRanges(colourSpace)[0];
    AxisSpans bounds{};
    bounds.fill({first.high, first.low});
    for (const TeachRow& row : rows) {
        // A row with a zero coordinate is drawn but taken for untaught.
        if (row[0] == 0 || row[1] == 0 || row[2] == 0)
            continue;
        const auto tolerance = shapeTolerances(row, shapeMode);
        for (std::size_t k = 0; k < bounds.size(); ++k) {
            bounds[k].low = std::min(bounds[k].low, row[k] - tolerance[k]);
            bounds[k].high = std::max(bounds[k].high, row[k] + tolerance[k]);
        }
    }
    for (Span& b : bounds)
        if (b.low > b.high)
            std::swap(b.low, b.high);
    return bounds;
}

std::array<ProjectionView, kProjections> rescaledViews(const AxisSpans& bounds,
                                                       const std::array<double, 3>& current, double margin) {
    std::array<double, 3> span{};
    std::array<double, 3> centre{};
    for (std::size_t k = 0; k < bounds.size(); ++k) {
        const double low = std::min(bounds[k].low, current[k]);
        const double high = std::max(bounds[k].high, current[k]);
        span[k] = high - low;
        centre[k] = low + span[k] / 2;
    }
    std::array<ProjectionView, kProjections> views{};
    for (std::size_t p = 0; p < kProjections; ++p) {
        const auto [h, v] = kProjectionAxes[p];
        const double half = std::max(span[h], span[v]) / 2 + margin;
        views[p] = {{centre[h] - half, centre[h] + half}, {centre[v] - half, centre[v] + half}};
    }
    return views;
}

// ---- the signal graph panel ----

SignalValues signalValues(const MeasurementRecord& r) {
    return {double(r.X), double(r.Y), double(r.Z), r.csX, r.csY, r.csI, double(r.temp)};
}

std::size_t selectedSignal(int selector) {
    return selector >= 0 && selector < static_cast<int>(kSignals) ? static_cast<std::size_t>(selector) : 0;
}

void SignalTrace::init(const SignalValues& current) {
    counter_ = 0;
    previousSample_ = counter_;
    previous_ = current;
}

SignalSegment SignalTrace::add(const SignalValues& current) {
    const SignalSegment segment{double(previousSample_), double(counter_), previous_, current};
    previous_ = current;
    previousSample_ = counter_;
    ++counter_;
    return segment;
}

} // namespace tavrino::measurement
