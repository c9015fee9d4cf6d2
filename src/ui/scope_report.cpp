#include "ui/scope_report.h"

#include "app/scope_capture.h"
#include "app/session.h"
#include "ui/qt_text.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextLayout>
#include <QWidget>

namespace tavrino::ui {

namespace {

constexpr Text kPageOf{"Seite %1 von %2", "Page %1 of %2"};

// Where each block of the report goes: the page and the top edge on it.
struct Placement {
    int page = 0;
    double top = 0.0;
    double height = 0.0;
};

QFont reportFont(int points) {
    // Arial where it is installed, a sans serif of the same size where not.
    QFont font(QStringLiteral("Arial"), points);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

class ReportLayout {
public:
    ReportLayout(QPrinter& printer, QPainter& painter, Language language)
        : printer_(printer), painter_(painter), language_(language) {
        const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
        width_ = page.width();
        footer_ = QFontMetricsF(reportFont(scope::kReportTextPoints), &printer).height() * 2;
        bodyHeight_ = page.height() - footer_;
    }

    [[nodiscard]] double width() const { return width_; }

    // The next block of `height`; on a new page when it does not fit.
    Placement place(double height) {
        if (cursor_ > 0 && cursor_ + height > bodyHeight_) {
            ++page_;
            cursor_ = 0;
        }
        const Placement p{page_, cursor_, height};
        cursor_ += height;
        return p;
    }

    [[nodiscard]] int pages() const { return page_ + 1; }

    void footer(int page, const QString& text) {
        painter_.setFont(reportFont(scope::kReportTextPoints));
        const QRectF area(0, bodyHeight_, width_, footer_);
        painter_.drawText(area, Qt::AlignLeft | Qt::AlignBottom, text);
        painter_.drawText(area, Qt::AlignRight | Qt::AlignBottom, pageText(page));
    }

    [[nodiscard]] bool newPage() { return printer_.newPage(); }

private:
    [[nodiscard]] QString pageText(int page) const {
        return qs(kPageOf.in(language_)).arg(page + 1).arg(pages());
    }

    QPrinter& printer_;
    QPainter& painter_;
    Language language_;
    double width_ = 0;
    double footer_ = 0;
    double bodyHeight_ = 0;
    int page_ = 0;
    double cursor_ = 0;
};

// One line as printed: a report line, or the part of a longer one that
// fits the page width.
struct PrintedLine {
    QString text;
    int points = scope::kReportTextPoints;
    Placement placement;
};

QString withoutTrailingSpace(QString text) {
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

// `line` broken into the parts that fit `width`: at word boundaries, inside
// a word only where a word alone is wider. An empty line stays one line.
std::vector<QString> wrapped(const scope::ReportLine& line, QPaintDevice* device, double width) {
    const QString text = qs(line.text);
    if (text.isEmpty())
        return {QString()};
    QTextLayout layout(text, reportFont(line.points), device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    std::vector<QString> parts;
    layout.beginLayout();
    for (QTextLine part = layout.createLine(); part.isValid(); part = layout.createLine()) {
        part.setLineWidth(width);
        parts.push_back(withoutTrailingSpace(text.mid(part.textStart(), part.textLength())));
    }
    layout.endLayout();
    return parts;
}

std::vector<PrintedLine> placedLines(const std::vector<scope::ReportLine>& lines, QPrinter& printer,
                                     ReportLayout& layout) {
    std::vector<PrintedLine> out;
    for (const scope::ReportLine& line : lines) {
        const double height = QFontMetricsF(reportFont(line.points), &printer).lineSpacing();
        for (QString& part : wrapped(line, &printer, layout.width()))
            out.push_back({std::move(part), line.points, layout.place(height)});
    }
    return out;
}

} // namespace

ReportResult printScopeReport(QPrinter& printer, const ReportContent& content, const QDateTime& printed,
                              Language language) {
    QPainter painter;
    if (!painter.begin(&printer))
        return ReportResult::NotCreated;
    ReportLayout layout(printer, painter, language);
    const QImage& picture = content.picture;
    const std::vector<PrintedLine> placed = placedLines(content.lines, printer, layout);
    const double scale = picture.isNull() ? 0.0 : layout.width() / picture.width();
    const Placement image = layout.place(picture.height() * scale);
    const std::vector<PrintedLine> below = placedLines(content.below, printer, layout);

    const QString stamp = QLocale().toString(printed.date(), QLocale::ShortFormat) + QStringLiteral("  ") +
                          QLocale().toString(printed.time(), QLocale::ShortFormat);
    int page = 0;
    bool ok = true;
    auto toPage = [&](int wanted) {
        while (page < wanted) {
            layout.footer(page, stamp);
            ok = layout.newPage() && ok;
            ++page;
        }
    };
    auto print = [&](const std::vector<PrintedLine>& lines) {
        for (const PrintedLine& line : lines) {
            toPage(line.placement.page);
            painter.setFont(reportFont(line.points));
            // Measured to fit above; a glyph that comes out a hair wider is
            // printed rather than cut.
            painter.drawText(QRectF(0, line.placement.top, layout.width(), line.placement.height),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, line.text);
        }
    };
    print(placed);
    toPage(image.page);
    if (!picture.isNull())
        painter.drawImage(QRectF(0, image.top, layout.width(), image.height), picture);
    print(below);
    layout.footer(page, stamp);
    return painter.end() && ok ? ReportResult::Printed : ReportResult::PrintFailed;
}

void printScopeReportOn(app::Session& s, QWidget* panel, QPrinter& printer) {
    const Language language = s.language();
    ReportContent content{
        scope::reportLines(language, s.shell.panelId, s.scope.comment), panel->grab().toImage(), {}};
    if (s.scope.hasResult)
        content.below = scope::statisticsLines(language, app::scopeStatistics(s), app::scopeTraceNames(s),
                                               s.scope.axes.valueDecimals);
    const ReportResult result = printScopeReport(printer, content, QDateTime::currentDateTime(), language);
    const Text& text = result == ReportResult::NotCreated ? scope::kReportNotCreated
                       : result == ReportResult::Printed  ? scope::kPrintSuccessful
                                                          : scope::kPrintError;
    s.op().message(kInfoTitle.in(language), text.in(language));
}

void PrintScopeGraph(app::Session& s, QWidget* panel, QWidget* dialogParent) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printScopeReportOn(s, panel, printer);
}

} // namespace tavrino::ui
