#pragma once

// The printed scope report: its text lines in order, before the picture of
// the scope panel. Printing itself is the desktop program's.

#include "common/language.h"

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

} // namespace tavrino::scope
