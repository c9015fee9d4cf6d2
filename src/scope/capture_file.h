#pragma once

// The scope capture file: one scan with the settings it was taken with, the
// cycle time and the comment, as UTF-8 text with LF line ends and "." in
// every number whatever the user's locale. A header of "# key: value" lines,
// the column line, then one line per output position:
//
//   # TAVRINO4 VXR QLM Scope V3.2 scope capture
//   # date: YYYY-MM-DD HH:MM:SS
//   # panel id: ...
//   # trigger: 0..4
//   # pretrigger: 0..127
//   # rate: ...
//   # signal: ...
//   # level: ...
//   # cycle time ms: ... (0 when not measured)
//   # comment: ... (line breaks as \n, a backslash as \\)
//   position,red,green,blue,digital0,digital1,digital2
//   0,1234.000000,...,2,0,4
//
// Reading checks every line: a capture is taken whole or not at all.

#include "scope/scan.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrino::scope {

inline constexpr std::string_view kCaptureTitleLine = "# TAVRINO4 VXR QLM Scope V3.2 scope capture";
inline constexpr std::string_view kCaptureColumns = "position,red,green,blue,digital0,digital1,digital2";
inline constexpr std::string_view kCaptureFileName = "ScopeCapture.csv";
inline constexpr std::string_view kCaptureFileFilter = "*.csv";
// Far more than the largest capture (a full comment of escaped characters
// included): a bigger file is something else and is not read into memory.
inline constexpr std::size_t kCaptureSizeLimit = 1024 * 1024;

struct Capture {
    std::string date; // "YYYY-MM-DD HH:MM:SS", local time of saving
    std::string panelId;
    ScanSettings settings;
    double cycleMs = 0.0; // 0 when not measured
    std::string comment;
    ScanResult result;
};

// The whole file.
[[nodiscard]] std::string captureText(const Capture& capture);

// Replaces the file at `path` through the program's file writer: the old
// file stays whole when the new one cannot be written. kIniOk (0) or a
// negative status of ini/ini.h.
[[nodiscard]] int writeCaptureFile(const std::string& path, const Capture& capture);

struct CaptureReading {
    enum class Verdict {
        Read,
        Unreadable,  // not a regular file, or it could not be read
        NotACapture, // the title line or a setting of the header is missing
        BadLine,     // the line `line` does not parse
    };
    Verdict verdict = Verdict::Unreadable;
    int line = 0; // 1-based; for NotACapture and BadLine
    Capture capture;
};

[[nodiscard]] CaptureReading parseCapture(std::string_view text);
[[nodiscard]] CaptureReading readCaptureFile(const std::string& path);

} // namespace tavrino::scope
