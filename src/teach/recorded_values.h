#pragma once

// The recorded values of the recorded-value teach panel: a buffer of 60,000
// frames (csX, csY, csI each), filled from entry 0 upward up to the counter,
// and the searches over its three projections: the first entry at a cursor
// position, the entry nearest to a point and the next entry in a direction.

#include "teach/mean_capture.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace tavrino::teach {

// The three projections of the recorded values and the coordinates each
// plots: CSXY (csX, csY), CSXI (csX, csI), CSYI (csY, csI).
inline constexpr std::size_t kRecordedGraphs = 3;
struct GraphAxes {
    std::size_t horizontal;
    std::size_t vertical;
};
inline constexpr std::array<GraphAxes, kRecordedGraphs> kRecordedGraphAxes{{{0, 1}, {0, 2}, {1, 2}}};

// A point of one projection.
struct PlotPoint {
    double x = 0;
    double y = 0;
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};
// Where `values` lies in projection `graph` (0..2; others count as 0).
[[nodiscard]] PlotPoint pointIn(std::size_t graph, const Triple& values);

class RecordedValues {
public:
    static constexpr std::size_t kCapacity = 60000;

    // The whole buffer is allocated here, once; recording never allocates.
    RecordedValues();

    // Stores `values` as entry counter() and counts it, if there is room.
    // False when the buffer was already full (nothing stored).
    bool store(const Triple& values);
    [[nodiscard]] bool full() const { return counter_ >= kCapacity; }
    // Back to 0; the entries stay (the next recording overwrites them).
    void resetCounter() { counter_ = 0; }

    [[nodiscard]] std::uint16_t counter() const { return counter_; }
    // Any entry of the buffer; those at or above the counter are left-overs.
    [[nodiscard]] const Triple& entry(std::size_t index) const { return (*entries_)[index]; }

private:
    std::unique_ptr<std::array<Triple, kCapacity>> entries_;
    std::uint16_t counter_ = 0;
};

// The first stored entry whose two coordinates in `graph` equal the cursor
// position exactly; entry 0 when none does.
[[nodiscard]] std::size_t findEntry(const RecordedValues& values, std::size_t graph, PlotPoint cursor);

// How many graph units one pixel covers on each axis, so that distances are
// measured as the operator sees them.
struct PixelScale {
    double x = 1;
    double y = 1;
};

// The stored entry nearest to `to` in `graph`; nothing when none is stored.
[[nodiscard]] std::optional<std::size_t> nearestEntry(const RecordedValues& values, std::size_t graph,
                                                      PlotPoint to, PixelScale scale);

// Arrow-key moves: the stored entry nearest to `from` among those lying
// strictly to that side of it; nothing when there is none.
enum class Direction { Left, Right, Up, Down };
[[nodiscard]] std::optional<std::size_t> nextEntry(const RecordedValues& values, std::size_t graph,
                                                   PlotPoint from, Direction direction, PixelScale scale);

} // namespace tavrino::teach
