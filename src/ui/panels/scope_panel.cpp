#include "ui/panels/scope_panel.h"

#include "app/scope.h"
#include "app/scope_capture.h"
#include "scope/report.h"
#include "scope/texts.h"
#include "ui/control_texts.h"
#include "ui/help.h"
#include "ui/number_cells.h"
#include "ui/plots/scope_graph.h"
#include "ui/qt_text.h"
#include "ui/scrolling.h"
#include "ui/texts.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

constexpr int kDisplayWidth = 110;
constexpr Text kDeltaXLabel{"DELTA X [ms]", "DELTA X [ms]"};
constexpr Text kDeltaYLabel{"DELTA Y", "DELTA Y"};
constexpr Text kZoomButton{"ZOOM 1:1", "ZOOM 1:1"};
constexpr Text kDisplayedLabel{"SIGNAL", "SIGNAL"};
constexpr Text kAllTraces{"ALLE", "ALL"};
constexpr Text kScanning{"SCAN LAEUFT...", "SCANNING..."};
constexpr Text kCloseButton{"SCHLIESSEN", "CLOSE"};
constexpr std::array<Text, 4> kStatisticsColumns{scope::kMinimumLabel, scope::kMaximumLabel,
                                                 scope::kMeanLabel, scope::kPeakToPeakLabel};
constexpr int kTraceChoices = 4;

} // namespace

ScopePanel::ScopePanel(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kScopePanelHeading, parent), context_(context), session_(context.session),
      graph_(new ScopeGraph(this)), digital_(new DigitalGraph(this)), deltaXCaption_(new QLabel(this)),
      deltaX_(numberDisplay(this, kDisplayWidth)), deltaYCaption_(new QLabel(this)),
      deltaY_(numberDisplay(this, kDisplayWidth)), zoom_(new QPushButton(this)),
      displayedCaption_(new QLabel(this)), displayed_(new QComboBox(this)), indicator_(new QLabel(this)),
      close_(new QPushButton(this)), statistics_(new QFrame(this)),
      statisticsHeading_(new QLabel(statistics_)),
      scopeSubscription_(context.session.scope, [this](app::ScopeChange change) { onScopeChange(change); }) {
    build();
    registerHelp(context.help);
    connectControls();
    retranslate(session_.language());
    showAxes();
    showCursors();
    showDeltas();
    showStatistics();
}

QLabel* ScopePanel::statisticsValue(int trace, int column) const {
    return statisticsValues_.at(static_cast<std::size_t>(trace)).at(static_cast<std::size_t>(column));
}

void ScopePanel::buildStatistics() {
    statistics_->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(statistics_);
    grid->setContentsMargins(6, 3, 6, 3);
    grid->setVerticalSpacing(1);
    grid->addWidget(statisticsHeading_, 0, 0, 1, 5);
    for (std::size_t c = 0; c < statisticsCaptions_.size(); ++c) {
        statisticsCaptions_[c] = new QLabel(statistics_);
        statisticsCaptions_[c]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(statisticsCaptions_[c], 1, static_cast<int>(c) + 1);
    }
    for (std::size_t t = 0; t < traceNames_.size(); ++t) {
        traceNames_[t] = new QLabel(statistics_);
        grid->addWidget(traceNames_[t], static_cast<int>(t) + 2, 0);
        for (std::size_t c = 0; c < statisticsValues_[t].size(); ++c) {
            QLabel* value = new QLabel(statistics_);
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            value->setMinimumWidth(kDisplayWidth);
            grid->addWidget(value, static_cast<int>(t) + 2, static_cast<int>(c) + 1);
            statisticsValues_[t][c] = value;
        }
    }
}

void ScopePanel::build() {
    for (int i = 0; i < kTraceChoices; ++i)
        displayed_->addItem(QString(), i);
    displayed_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    indicator_->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0); font-weight: bold;"));
    indicator_->setVisible(false);
    graph_->setMinimumSize(220, 160);
    digital_->setMinimumSize(220, 70);
    digital_->setMaximumHeight(130);

    displayedCaption_->setBuddy(displayed_);
    deltaXCaption_->setBuddy(deltaX_);
    deltaYCaption_->setBuddy(deltaY_);
    auto* top = new QHBoxLayout;
    top->addWidget(displayedCaption_);
    top->addWidget(displayed_);
    top->addWidget(zoom_);
    top->addStretch(1);
    top->addWidget(indicator_);
    top->addStretch(1);
    top->addWidget(close_);
    auto* deltas = new QHBoxLayout;
    deltas->addWidget(deltaXCaption_);
    deltas->addWidget(deltaX_);
    deltas->addSpacing(20);
    deltas->addWidget(deltaYCaption_);
    deltas->addWidget(deltaY_);
    deltas->addStretch(1);

    // Everything scrolls when the window is made smaller than the panel.
    QVBoxLayout* column = addScrollingColumn(this, body());
    column->addLayout(top);
    column->addWidget(graph_, 3);
    column->addWidget(digital_, 1);
    column->addLayout(deltas);
    buildStatistics();
    column->addWidget(statistics_);
}

void ScopePanel::registerHelp(HelpRegistry& help) {
    namespace t = scope::texts;
    help.add(graph_, t::kGraphHelp);
    help.add(zoom_, t::kZoomHelp);
    help.add(displayed_, t::kDisplayedSignalHelp);
    help.add(deltaX_, t::kDeltaXHelp);
    help.add(deltaY_, t::kDeltaYHelp);
    help.add(close_, t::kCloseHelp);
    help.add(statistics_, t::kStatisticsHelp);
    help.name(graph_, texts::kScopeGraphName);
    help.add(digital_, texts::kDigitalGraphHelp);
    help.name(digital_, texts::kDigitalGraphName);
    setCloseButton(close_);
}

void ScopePanel::connectControls() {
    app::Session& s = session_;
    connect(graph_, &ScopeGraph::cursorDragged, this, &ScopePanel::cursorDragged);
    connect(graph_, &ScopeGraph::zoomed, this, [this] {
        digital_->setXRange(graph_->xAxis->range());
        app::calcScopDeltaXY(session_);
    });
    connect(zoom_, &QPushButton::clicked, this, [&s] { app::initScopePanel(s); });
    connect(displayed_, &QComboBox::activated, this, [this] { showTraces(); });
    connect(close_, &QPushButton::clicked, this, [&s] { app::CBF_ButtonCloseScope(s); });
}

void ScopePanel::retranslate(Language language) {
    TitledWidget::retranslate(language);
    deltaXCaption_->setText(qs(kDeltaXLabel, language));
    deltaYCaption_->setText(qs(kDeltaYLabel, language));
    zoom_->setText(qs(kZoomButton, language));
    displayedCaption_->setText(qs(kDisplayedLabel, language));
    indicator_->setText(qs(kScanning, language));
    close_->setText(qs(kCloseButton, language));
    for (std::size_t c = 0; c < statisticsCaptions_.size(); ++c)
        statisticsCaptions_[c]->setText(qs(kStatisticsColumns[c], language));
    refreshCaptions();
    showStatistics();
}

void ScopePanel::refreshCaptions() {
    const std::array<std::string, 3> names = app::scopeTraceNames(session_);
    displayed_->setItemText(0, qs(kAllTraces, session_.language()));
    for (std::size_t i = 0; i < names.size(); ++i) {
        displayed_->setItemText(static_cast<int>(i) + 1, qs(names[i]));
        traceNames_[i]->setText(qs(names[i]));
    }
}

// ---- following the session ----

void ScopePanel::onScopeChange(app::ScopeChange change) {
    switch (change) {
    case app::ScopeChange::Result:
        showTraces();
        showStatistics();
        break;
    case app::ScopeChange::Axes:
        showAxes();
        showStatistics();
        break;
    case app::ScopeChange::Deltas:
        showCursors();
        showDeltas();
        showStatistics();
        break;
    case app::ScopeChange::Indicator:
        indicator_->setVisible(session_.scope.indicatorShown);
        break;
    case app::ScopeChange::Settings:
        refreshCaptions();
        break;
    case app::ScopeChange::Scanning:
    case app::ScopeChange::CycleTime:
        break;
    }
}

void ScopePanel::cursorDragged(int cursor, double x, double y) {
    const app::ScopeState& sc = session_.scope;
    if (cursor == 0)
        app::moveScopeCursors(session_, x, y, sc.x2, sc.y2);
    else
        app::moveScopeCursors(session_, sc.x1, sc.y1, x, y);
}

void ScopePanel::showAxes() {
    graph_->setAxes(session_.scope.axes);
    digital_->setXRange(graph_->xAxis->range());
}

void ScopePanel::showTraces() {
    if (!session_.scope.hasResult)
        return;
    graph_->plotTraces(session_.scope.result, displayed_->currentIndex());
    digital_->plotTraces(session_.scope.result);
}

void ScopePanel::showCursors() {
    const app::ScopeState& sc = session_.scope;
    graph_->setCursor(0, sc.x1, sc.y1);
    graph_->setCursor(1, sc.x2, sc.y2);
    digital_->setCursors(sc.x1, sc.x2);
}

void ScopePanel::showDeltas() {
    const app::ScopeState& sc = session_.scope;
    deltaX_->setText(qs(scope::fixedText(sc.deltaX, scope::deltaXDecimals(sc.deltaX))));
    deltaY_->setText(qs(scope::fixedText(sc.deltaY, sc.axes.valueDecimals)));
}

// Labels only: Qt repaints them with the next paint of the panel, however
// often a dragged cursor moves before it.
void ScopePanel::showStatistics() {
    const app::ScopeState& sc = session_.scope;
    if (!sc.hasResult) {
        statisticsHeading_->clear();
        for (auto& row : statisticsValues_)
            for (QLabel* value : row)
                value->clear();
        return;
    }
    const scope::CursorStatistics st = app::scopeStatistics(session_);
    const Language language = session_.language();
    statisticsHeading_->setText(qs(scope::kStatisticsHeading, language).arg(st.first).arg(st.last));
    const int plain = scope::statisticsDecimals(sc.axes.valueDecimals, false);
    const int mean = scope::statisticsDecimals(sc.axes.valueDecimals, true);
    for (std::size_t t = 0; t < statisticsValues_.size(); ++t) {
        const scope::TraceStatistics& v = st.traces[t];
        const std::array<std::string, 4> texts{
            scope::fixedText(v.minimum, plain), scope::fixedText(v.maximum, plain),
            scope::fixedText(v.mean, mean), scope::fixedText(v.peakToPeak, plain)};
        for (std::size_t c = 0; c < texts.size(); ++c)
            statisticsValues_[t][c]->setText(qs(texts[c]));
    }
}

} // namespace tavrino::ui
