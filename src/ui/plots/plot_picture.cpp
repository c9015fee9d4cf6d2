#include "ui/plots/plot_picture.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace tavrino::ui {

namespace {

constexpr double kPixelScale = 2.0;
constexpr double kPointsPerInch = 72.0;
const QSize kDefaultSize(640, 480);

QSize pictureSize(const QCustomPlot& plot) {
    QSize size = plot.size();
    if (!plot.testAttribute(Qt::WA_Resized) && !plot.isVisible())
        size = plot.minimumSize().expandedTo(kDefaultSize);
    return size.expandedTo(plot.minimumSize()).expandedTo(QSize(1, 1));
}

// Draws the plot on a device that has begun painting at `size`.
bool drawVector(QCustomPlot& plot, QPaintDevice& device, QSize size) {
    QCPPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    painter.setWindow(QRect(QPoint(0, 0), size));
    plot.toPainter(&painter, size.width(), size.height());
    return painter.end();
}

// What `draw` writes into memory: the bytes, or nothing when drawing failed
// or wrote nothing. The writer `draw` makes ends before the bytes are read.
template <typename Draw> std::optional<std::string> drawnBytes(Draw draw) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!draw(buffer) || data.isEmpty())
        return std::nullopt;
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

std::optional<std::string> pngOf(QCustomPlot& plot) {
    return drawnBytes([&](QBuffer& buffer) { return plotImage(plot).save(&buffer, "PNG"); });
}

std::optional<std::string> svgOf(QCustomPlot& plot, QSize size) {
    return drawnBytes([&](QBuffer& buffer) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(plot.accessibleName());
        // Text as large beside the lines as on screen.
        svg.setResolution(plot.logicalDpiX());
        return drawVector(plot, svg, size);
    });
}

std::optional<std::string> pdfOf(QCustomPlot& plot, QSize size) {
    return drawnBytes([&](QBuffer& buffer) {
        // One page the size of the graph, without margins, at the screen's
        // resolution: a pixel of the graph is a pixel of the page, and the
        // text is as large beside the lines as on screen.
        QPdfWriter pdf(&buffer);
        pdf.setTitle(plot.accessibleName());
        const int dpi = plot.logicalDpiX();
        pdf.setResolution(dpi);
        const QSizeF points(size.width() * kPointsPerInch / dpi, size.height() * kPointsPerInch / dpi);
        QPageLayout page(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                         QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        page.setMode(QPageLayout::FullPageMode);
        pdf.setPageLayout(page);
        return drawVector(plot, pdf, size);
    });
}

} // namespace

std::optional<std::string> plotPicture(QCustomPlot& plot, app::PictureFormat format) {
    const QSize size = pictureSize(plot);
    switch (format) {
    case app::PictureFormat::Png:
        return pngOf(plot);
    case app::PictureFormat::Svg:
        return svgOf(plot, size);
    case app::PictureFormat::Pdf:
        return pdfOf(plot, size);
    }
    return std::nullopt;
}

QImage plotImage(QCustomPlot& plot) {
    const QSize size = pictureSize(plot);
    return plot.toPixmap(size.width(), size.height(), kPixelScale).toImage();
}

} // namespace tavrino::ui
