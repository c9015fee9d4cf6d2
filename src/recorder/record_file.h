#pragma once

// The record file: a short header and one TAB-separated line per recorded
// measurement, CR LF at every line end, numbers with "." whatever the
// user's locale. Spreadsheets and scripts read it, so every byte is fixed.

#include "common/language.h"
#include "measurement/record.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrino::recorder {

inline constexpr std::string_view kRecordFileName = "RecordFile.dat";
inline constexpr std::string_view kRecordFileFilter = "*.dat";
inline constexpr std::string_view kRecordedProgram = "TAVRINO4 VXR QLM Scope V3.2";

// "%f": six digits after the point, the point always ".".
[[nodiscard]] std::string formatFixed(double value);

// LF, the title line, the panel ID line (only for a panel ID that is not
// empty), an empty line and the eleven column headings with those of
// `colourSpace` (COLOR SPACE 0..4).
[[nodiscard]] std::string recordHeader(Language language, std::string_view panelId,
                                       std::uint16_t colourSpace);

// A moment of the PC's local clock, as the record line shows it.
struct Timestamp {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};
// `when` in the PC's local time zone.
[[nodiscard]] Timestamp localTimestamp(std::chrono::system_clock::time_point when);

// MM-DD-YYYY, HH:MM:SS, X, Y, Z, the three coordinates, delta E, colour
// number and temperature, TAB between the fields and CR LF at the end.
[[nodiscard]] std::string recordLine(const measurement::MeasurementRecord& record, const Timestamp& when);

// Makes `path` a record file holding only `header`: written beside it and
// then put in its place, so an existing file is either replaced whole or
// left as it was (ini/file_writer.h). A link is followed; a target that is
// not a regular file or is read-only is refused. False when it could not be
// written.
[[nodiscard]] bool writeNewRecordFile(const std::string& path, std::string_view header);

// Appends `line` to the file (made when missing) and closes it again. A line
// is written whole or not at all: after a failed write (a full disk) the
// file is cut back to its size before. Never waits (a FIFO is refused like
// every file that is not a regular one). False when it could not be written;
// an empty line only checks that the file could take lines.
[[nodiscard]] bool appendToRecordFile(const std::string& path, std::string_view line);

} // namespace tavrino::recorder
