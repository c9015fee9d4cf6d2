#include "ui/scope_report.h"

#include "app/session.h"
#include "ui/qt_text.h"

#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
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

double lineHeight(const scope::ReportLine& line, QPrinter& printer) {
    return QFontMetricsF(reportFont(line.points), &printer).lineSpacing();
}

} // namespace

bool printScopeReport(QPrinter& printer, const std::vector<scope::ReportLine>& lines, const QImage& picture,
                      const QDateTime& printed, Language language) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    ReportLayout layout(printer, painter, language);
    std::vector<Placement> placements;
    for (const scope::ReportLine& line : lines)
        placements.push_back(layout.place(lineHeight(line, printer)));
    const double scale = picture.isNull() ? 0.0 : layout.width() / picture.width();
    const Placement image = layout.place(picture.height() * scale);

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
    for (std::size_t i = 0; i < lines.size(); ++i) {
        toPage(placements[i].page);
        painter.setFont(reportFont(lines[i].points));
        painter.drawText(QRectF(0, placements[i].top, layout.width(), placements[i].height),
                         Qt::AlignLeft | Qt::AlignVCenter, qs(lines[i].text));
    }
    toPage(image.page);
    if (!picture.isNull())
        painter.drawImage(QRectF(0, image.top, layout.width(), image.height), picture);
    layout.footer(page, stamp);
    return painter.end() && ok;
}

void printScopeReportOn(app::Session& s, QWidget* panel, QPrinter& printer) {
    const Language language = s.language();
    const auto lines = scope::reportLines(language, s.shell.panelId, s.scope.comment);
    const bool printed =
        printScopeReport(printer, lines, panel->grab().toImage(), QDateTime::currentDateTime(), language);
    s.op().message(kInfoTitle.in(language),
                   (printed ? scope::kPrintSuccessful : scope::kPrintError).in(language));
}

void PrintScopeGraph(app::Session& s, QWidget* panel, QWidget* dialogParent) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, dialogParent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printScopeReportOn(s, panel, printer);
}

} // namespace tavrino::ui
