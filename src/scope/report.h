#pragma once

// The printed scope report: its text lines in order, before the picture of
// the scope panel. Printing itself is the desktop program's.

#include "common/language.h"
#include "scope/statistics.h"

#include <array>

#include <string>
#include <string_view>
#include <vector>

namespace tavrino::scope {

inline constexpr Text kReportTitle{"Screenshot des Scope-Bildschirms.", "Scope Screen Shot"};
inline constexpr std::string_view kReportProgram = "TAVRINO4 VXR QLM Scope V3.2";
inline constexpr Text kReportPanelId{"Fenster ID:", "Panel ID: "};
inline constexpr Text kReportComment{"Kommentar:", "Comment:"};
inline constexpr Text kReportNotCreated{"Bericht konnte nicht initialisiert werden...",
                                        "Could not initialize report..."};
inline constexpr Text kPrintSuccessful{"Ausdruck erfolgreich!", "Print successful!"};
inline constexpr Text kPrintError{"Druckfehler!", "Print error!"};

inline constexpr Text kStatisticsHeading{"MESSUNG ZWISCHEN DEN CURSORN (POSITIONEN %1 BIS %2)",
                                         "MEASUREMENT BETWEEN THE CURSORS (POSITIONS %1 TO %2)"};
inline constexpr Text kMinimumLabel{"MIN", "MIN"};
inline constexpr Text kMaximumLabel{"MAX", "MAX"};
inline constexpr Text kMeanLabel{"MITTELWERT", "MEAN"};
inline constexpr Text kPeakToPeakLabel{"SPITZE-SPITZE", "PEAK-PEAK"};

inline constexpr int kReportTitlePoints = 20;
inline constexpr int kReportTextPoints = 10;

// One line of the report; an empty text is an empty line.
struct ReportLine {
    std::string text;
    int points = kReportTextPoints;
    friend bool operator==(const ReportLine&, const ReportLine&) = default;
};

// The title, the program line, the identification line when there is a
// panel ID, an empty line, and the comment with its heading and an empty
// line when there is a comment. Each line of the comment ("\n" or "\r\n"
// between them) is a report line of its own.
[[nodiscard]] std::vector<ReportLine> reportLines(Language language, std::string_view panelId,
                                                  std::string_view comment);

// Decimals of the statistics: the scope's value decimals, one more for the
// mean, which falls between the samples.
[[nodiscard]] int statisticsDecimals(int valueDecimals, bool mean);

// The lines printed under the picture: a heading with the positions
// measured, then one line per trace, named by `traceNames`.
[[nodiscard]] std::vector<ReportLine> statisticsLines(Language language, const CursorStatistics& statistics,
                                                      const std::array<std::string, 3>& traceNames,
                                                      int valueDecimals);

} // namespace tavrino::scope
