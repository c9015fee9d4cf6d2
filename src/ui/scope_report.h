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

enum class ReportResult {
    NotCreated, // the report could not be started on the printer
    Printed,
    PrintFailed, // started, but a page or the end of the job failed
};

// What a report prints: lines, the picture across the page width, and lines
// under the picture.
struct ReportContent {
    std::vector<scope::ReportLine> lines;
    QImage picture;
    std::vector<scope::ReportLine> below;
};

// Prints on `printer` as it is set up. Every line is wrapped to the page
// width; a page ends between two lines.
[[nodiscard]] ReportResult printScopeReport(QPrinter& printer, const ReportContent& content,
                                            const QDateTime& printed, Language language);

// The session's report with `panel`'s picture on `printer`, and under it the
// measurements between the cursors when there is a scan, then "Print
// successful!" or "Print error!", or "Could not initialize report..." alone
// when it could not be started.
void printScopeReportOn(app::Session& s, QWidget* panel, QPrinter& printer);

// The print button: the report of the session's scope on the printer the
// operator chooses in the print dialog, with `panel`'s picture. A cancelled
// dialog prints nothing and says nothing.
void PrintScopeGraph(app::Session& s, QWidget* panel, QWidget* dialogParent);

} // namespace tavrino::ui
