#pragma once

// A record file read back for review: the time and the nine values of every
// line, column by column, whatever record mode wrote it and whether or not
// its header is there. A line that is neither a header line nor a record
// line is skipped and counted, so one message can name them all after the
// file is loaded.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrino::recorder {

// X, Y, Z, the three colour-space coordinates, delta E, COLOR and TEMP: the
// values of a record line after its date and time.
inline constexpr std::size_t kRecordValues = 9;
inline constexpr std::size_t kCoordinateColumn = 3; // the first colour-space value
inline constexpr std::size_t kDeltaEColumn = 6;
inline constexpr std::size_t kColourColumn = 7;
inline constexpr std::size_t kTemperatureColumn = 8;

// "MM-DD-YYYY HH:MM:SS": a line's date and time as the file shows them.
using RecordTimeText = std::array<char, 19>;

struct RecordColumns {
    // The colour-space headings of the file's heading line; empty without one.
    std::array<std::string, 3> coordinateHeadings;
    std::string panelId; // from the panel ID line, empty without one
    std::vector<RecordTimeText> times;
    std::array<std::vector<double>, kRecordValues> values;
    std::size_t skippedLines = 0;
    std::size_t firstSkippedLine = 0; // its number in the file (from 1), 0 when none

    [[nodiscard]] std::size_t lines() const { return times.size(); }
    [[nodiscard]] std::string_view time(std::size_t line) const {
        return {times[line].data(), times[line].size()};
    }
};

// The lines of a record file's text (CR LF or LF line ends).
[[nodiscard]] RecordColumns parseRecordFile(std::string_view text);

// Reads and parses the file; nothing when it cannot be opened or read.
[[nodiscard]] std::optional<RecordColumns> readRecordFile(const std::string& path);

// A point of a trace as drawn: x is the line's index from 0.
struct TracePoint {
    double x;
    double y;
};

// The points that draw `values` (value i at x = i) over the view from x
// `from` to `to`, `columns` pixel columns wide. With no more than two values
// per column every value in view is drawn; with more, each column's minimum
// and maximum in the order they were recorded, so no peak is lost and the
// points drawn never outnumber twice the columns. The values just outside
// the view come along so that the line runs on to its edges.
[[nodiscard]] std::vector<TracePoint> decimate(std::span<const double> values, double from, double to,
                                               int columns);

} // namespace tavrino::recorder
