#include "teach/recorded_values.h"

#include <limits>

namespace tavrino::teach {

namespace {

GraphAxes axesOf(std::size_t graph) {
    return kRecordedGraphAxes[graph < kRecordedGraphs ? graph : 0];
}

bool lies(PlotPoint p, PlotPoint from, Direction d) {
    switch (d) {
    case Direction::Left:
        return p.x < from.x;
    case Direction::Right:
        return p.x > from.x;
    case Direction::Up:
        return p.y > from.y;
    case Direction::Down:
        return p.y < from.y;
    }
    return false;
}

// The nearest stored entry (in pixels) among those `accept` lets through.
template <class Accept>
std::optional<std::size_t> nearest(const RecordedValues& values, std::size_t graph, PlotPoint to,
                                   PixelScale scale, Accept accept) {
    const GraphAxes a = axesOf(graph);
    std::optional<std::size_t> best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < values.counter(); ++i) {
        const Triple& e = values.entry(i);
        const PlotPoint p{e[a.horizontal], e[a.vertical]};
        if (!accept(p))
            continue;
        const double dx = (p.x - to.x) / scale.x;
        const double dy = (p.y - to.y) / scale.y;
        const double distance = dx * dx + dy * dy;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

} // namespace

PlotPoint pointIn(std::size_t graph, const Triple& values) {
    const GraphAxes a = axesOf(graph);
    return {values[a.horizontal], values[a.vertical]};
}

RecordedValues::RecordedValues() : entries_(std::make_unique<std::array<Triple, kCapacity>>()) {}

bool RecordedValues::store(const Triple& values) {
    if (full())
        return false;
    (*entries_)[counter_] = values;
    ++counter_;
    return true;
}

std::size_t findEntry(const RecordedValues& values, std::size_t graph, PlotPoint cursor) {
    for (std::size_t i = 0; i < values.counter(); ++i)
        if (pointIn(graph, values.entry(i)) == cursor)
            return i;
    return 0;
}

std::optional<std::size_t> nearestEntry(const RecordedValues& values, std::size_t graph, PlotPoint to,
                                        PixelScale scale) {
    return nearest(values, graph, to, scale, [](PlotPoint) { return true; });
}

std::optional<std::size_t> nextEntry(const RecordedValues& values, std::size_t graph, PlotPoint from,
                                     Direction direction, PixelScale scale) {
    return nearest(values, graph, from, scale, [&](PlotPoint p) { return lies(p, from, direction); });
}

} // namespace tavrino::teach
