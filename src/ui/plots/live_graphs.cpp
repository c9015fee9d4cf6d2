#include "ui/plots/live_graphs.h"

#include "ui/panels/signal_graph_panel.h"
#include "ui/plots/projection_plot.h"
#include "ui/plots/quad_arrangement.h"
#include "ui/plots/strip_chart.h"
#include "ui/qt_text.h"

#include <QDir>
#include <QEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace tavrino::ui {

namespace {

using parameters::Control;
constexpr int kThreeSidedPage = 2;

} // namespace

LiveGraphs::LiveGraphs(app::Session& session, const LiveGraphWidgets& widgets, SignalGraphPanel* signalPanel,
                       QString pictureDirectory, QObject* parent)
    : QObject(parent), session_(session), widgets_(widgets), signalPanel_(signalPanel),
      pictureDirectory_(std::move(pictureDirectory)), timer_(new QTimer(this)),
      controlsSubscription_(session.parameters.controls,
                            [this](const parameters::ControlChange& change) { onControlChange(change); }),
      rowColourSubscription_(session.rowColours, [this](const teach::RowColours::Change& change) {
          if (change.kind == teach::RowColours::Change::Kind::Colour)
              InitGraphs();
      }) {
    timer_->setSingleShot(true);
    timer_->setInterval(kRefreshIntervalMs);
    for (StripChart* chart : {widgets_.xyz, widgets_.xyz3D})
        chart->setFixedRange(0, kXyzHigh);
    connectWidgets();
    applyCoordinateCaptions();
    // The colour-space charts start with the fixed ranges, as the XYZ charts
    // do; a double click makes them scale themselves.
    for (int i = 0; i < 3; ++i) {
        session_.parameters.controls.setGraphManualScaling(i, true);
        applyCoordinateScaling(i);
    }
    InitGraphs();
}

void LiveGraphs::connectWidgets() {
    connect(timer_, &QTimer::timeout, this, [this] { refresh(); });
    for (StripChart* chart : {widgets_.xyz, widgets_.xyz3D}) {
        connect(chart, &StripChart::leftClicked, this, [this, chart] { zoomXyz(chart, false); });
        connect(chart, &StripChart::leftDoubleClicked, this, [this, chart] { zoomXyz(chart, true); });
    }
    for (StripChart* chart : widgets_.coordinates) {
        connect(chart, &StripChart::leftClicked, this, [this] { zoomCoordinates(false); });
        connect(chart, &StripChart::leftDoubleClicked, this, [this] { zoomCoordinates(true); });
    }
    for (ProjectionPlot* projection : widgets_.projections)
        connect(projection, &ProjectionPlot::leftDoubleClicked, this, &LiveGraphs::toggleGreyShapes);
    // The three graphs that come back into view were not drawn meanwhile.
    connect(widgets_.minimise, &QPushButton::clicked, this, [this] {
        pageDirty_[kThreeSidedPage] = true;
        requestRefresh();
    });
    // A page or panel coming into view shows what arrived meanwhile.
    connect(widgets_.pages, &QTabWidget::currentChanged, this, &LiveGraphs::requestRefresh);
    widgets_.pages->installEventFilter(this);
    signalPanel_->installEventFilter(this);
}

bool LiveGraphs::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show)
        requestRefresh();
    return QObject::eventFilter(watched, event);
}

// ---- the logic's requests ----

void LiveGraphs::InitGraphs() {
    const std::uint16_t space = colourSpace();
    const auto shapeMode = static_cast<std::uint16_t>(session_.parameters.controls.code(Control::ShapeMode));
    const TeachRows& rows = session_.parameters.set.teach;
    for (ProjectionPlot* projection : widgets_.projections)
        projection->clearPlots();
    drawBackground(space);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const measurement::RowShapes shapes = measurement::rowShapes(rows[r], shapeMode);
        const QColor colour = grey_ ? greyShape() : rowColour(static_cast<int>(r));
        for (std::size_t p = 0; p < measurement::kProjections; ++p)
            shapes_[r][p] = widgets_.projections[p]->addShape(shapes[p], colour);
    }
    bounds_ = measurement::viewBounds(rows, shapeMode, space);
    margin_ = measurement::viewMargin(space);
    pageDirty_[kThreeSidedPage] = true;
    requestRefresh();
}

void LiveGraphs::ShowGraph() {
    const measurement::MeasurementRecord& r = session_.live.record;
    const HitChange hit = hitChange(r.prevColorNo, r.colorNo);
    if (grey_)
        recolourHit(hit);
    teach::markHitRow(session_.parameters.teachTable, hit);
    pageDirty_.fill(true);
    requestRefresh();
}

void LiveGraphs::deleteProjectionPlots() {
    for (ProjectionPlot* projection : widgets_.projections) {
        projection->clearPlots();
        projection->replot(QCustomPlot::rpQueuedReplot);
    }
    shapes_ = {};
}

void LiveGraphs::InitPanelGraph() {
    latest_ = measurement::signalValues(session_.live.record);
    trace_.init(latest_);
    signalPanel_->clearTraces();
    signalDirty_ = true;
    requestRefresh();
}

void LiveGraphs::SetPanelGraphData() {
    latest_ = measurement::signalValues(session_.live.record);
    signalPanel_->addSegment(trace_.add(latest_));
    signalDirty_ = true;
    requestRefresh();
}

void LiveGraphs::toggleGreyShapes() {
    grey_ = !grey_;
    InitGraphs();
}

// ---- drawing at display rate ----

void LiveGraphs::requestRefresh() {
    if (!timer_->isActive())
        timer_->start();
}

bool LiveGraphs::refresh() {
    bool drew = false;
    const int page = widgets_.pages->currentIndex();
    if (widgets_.pages->isVisible() && page >= 0 && page < static_cast<int>(pageDirty_.size()) &&
        pageDirty_[static_cast<std::size_t>(page)]) {
        pageDirty_[static_cast<std::size_t>(page)] = false;
        refreshPage(page);
        drew = true;
    }
    if (signalDirty_ && signalPanel_->isVisible()) {
        signalDirty_ = false;
        signalPanel_->refresh(latest_, trace_.counter());
        drew = true;
    }
    if (drew)
        ++refreshes_;
    return drew;
}

void LiveGraphs::refreshPage(int page) {
    const measurement::GraphHistories& h = session_.live.histories;
    switch (page) {
    case 0:
        widgets_.xyz->setSamples(h.xyz.data());
        widgets_.xyz->replot();
        break;
    case 1:
        widgets_.coordinates[0]->setSamples(h.csX.data());
        widgets_.coordinates[1]->setSamples(h.csY.data());
        widgets_.coordinates[2]->setSamples(h.csI.data());
        for (StripChart* chart : widgets_.coordinates)
            chart->replot();
        break;
    default: {
        const measurement::MeasurementRecord& r = session_.live.record;
        const auto views = measurement::rescaledViews(bounds_, {r.csX, r.csY, r.csI}, margin_);
        const std::array<std::array<double, 2>, 3> cursors{{{r.csX, r.csY}, {r.csX, r.csI}, {r.csY, r.csI}}};
        for (std::size_t p = 0; p < measurement::kProjections; ++p) {
            widgets_.projections[p]->setView(views[p]);
            widgets_.projections[p]->moveCursor(cursors[p][0], cursors[p][1]);
            if (widgets_.projections[p]->isVisible())
                widgets_.projections[p]->replot();
        }
        widgets_.xyz3D->setSamples(h.xyz.data());
        if (widgets_.xyz3D->isVisible())
            widgets_.xyz3D->replot();
        break;
    }
    }
}

// ---- following the controls ----

void LiveGraphs::onControlChange(const parameters::ControlChange& change) {
    if (change.kind == parameters::ControlChange::Kind::Captions)
        applyCoordinateCaptions();
    else if (change.kind == parameters::ControlChange::Kind::Graph)
        applyCoordinateScaling(change.index);
}

void LiveGraphs::applyCoordinateCaptions() {
    const parameters::CoordinateCaptions& captions = session_.parameters.controls.captions();
    const auto& names = captions.coordinates;
    for (std::size_t i = 0; i < 3; ++i)
        widgets_.coordinates[i]->setLabel(qs(names[i]));
    for (std::size_t p = 0; p < measurement::kProjections; ++p) {
        const auto axes = measurement::kProjectionAxes[p];
        widgets_.projections[p]->setAxisLabels(qs(names[axes.horizontal]), qs(names[axes.vertical]));
        widgets_.projections[p]->setCaption(qs(captions.plots[p]));
    }
    pageDirty_.fill(true);
    requestRefresh();
}

void LiveGraphs::applyCoordinateScaling(int graph) {
    if (graph < 0 || graph >= 3)
        return;
    const parameters::CoordinateGraph& g = session_.parameters.controls.graph(graph);
    StripChart* chart = widgets_.coordinates[static_cast<std::size_t>(graph)];
    chart->setFixedRange(g.range.min, g.range.max);
    chart->setAutoscale(!g.manualScaling);
    pageDirty_[1] = true;
    requestRefresh();
}

void LiveGraphs::zoomXyz(StripChart* chart, bool autoscale) {
    chart->setFixedRange(0, kXyzHigh);
    chart->setAutoscale(autoscale);
    chart->replot(QCustomPlot::rpQueuedReplot);
}

void LiveGraphs::zoomCoordinates(bool autoscale) {
    parameters::ParameterControls& controls = session_.parameters.controls;
    // The fixed ranges of the colour space the sensor parameter page shows now.
    const measurement::AxisSpans ranges = measurement::defaultAxisRanges(colourSpace());
    for (int i = 0; i < 3; ++i) {
        if (!autoscale) {
            const measurement::Span r = ranges[static_cast<std::size_t>(i)];
            controls.setGraphRange(i, {r.low, r.high});
        }
        controls.setGraphManualScaling(i, !autoscale);
    }
}

// ---- shapes and pictures ----

void LiveGraphs::recolourHit(HitChange hit) {
    for (std::size_t p = 0; p < measurement::kProjections; ++p) {
        if (hit.unmark >= 0 && shapes_[static_cast<std::size_t>(hit.unmark)][p] != nullptr)
            ProjectionPlot::recolour(shapes_[static_cast<std::size_t>(hit.unmark)][p], greyShape());
        if (hit.mark >= 0 && shapes_[static_cast<std::size_t>(hit.mark)][p] != nullptr)
            ProjectionPlot::recolour(shapes_[static_cast<std::size_t>(hit.mark)][p], rowColour(hit.mark));
    }
}

void LiveGraphs::drawBackground(std::uint16_t space) {
    ProjectionPlot* plane = widgets_.projections[0];
    const auto place = measurement::backgroundOf(space);
    // Under a picture the grid lines are hidden, also when the picture is
    // missing: the projection then stays plain.
    plane->setGridShown(!place);
    if (!place)
        return;
    const QPixmap& image = picture(space, place->file);
    if (!image.isNull())
        plane->setBackground(image, *place);
}

const QPixmap& LiveGraphs::picture(std::uint16_t space, std::string_view file) {
    std::optional<QPixmap>& cached = pictures_.at(space);
    if (!cached)
        cached = QPixmap(QDir(pictureDirectory_).filePath(qs(file)));
    return *cached;
}

void LiveGraphs::setPictureDirectory(const QString& directory) {
    pictureDirectory_ = directory;
    pictures_ = {};
    InitGraphs();
}

QColor LiveGraphs::rowColour(int row) const {
    const teach::Rgb c = session_.rowColours.rgb(row);
    return {c.red, c.green, c.blue};
}

std::uint16_t LiveGraphs::colourSpace() const {
    return static_cast<std::uint16_t>(session_.parameters.controls.code(Control::ColorSpace));
}

} // namespace tavrino::ui
