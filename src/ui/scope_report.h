#pragma once

// The printed scope report: its lines, then the picture of the scope panel
// across the page width, with date, time and "page n of m" in the footer.

#include "scope/report.h"

#include <QDateTime>
#include <QImage>

#include <vector>

class QPrinter;
class QWidget;

namespace tavrino::app {
class Session;
}

namespace tavrino::ui {

// Prints on `printer` as it is set up. false when the printer could not be
// started or the job failed.
[[nodiscard]] bool printScopeReport(QPrinter& printer, const std::vector<scope::ReportLine>& lines,
                                    const QImage& picture, const QDateTime& printed, Language language);

// The session's report with `panel`'s picture on `printer`, then "Print
// successful!" or "Print error!".
void printScopeReportOn(app::Session& s, QWidget* panel, QPrinter& printer);

// The print button: the report of the session's scope on the printer the
// operator chooses in the print dialog, with `panel`'s picture. A cancelled
// dialog prints nothing and says nothing.
void PrintScopeGraph(app::Session& s, QWidget* panel, QWidget* dialogParent);

} // namespace tavrino::ui
