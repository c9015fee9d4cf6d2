#include "ui/panels/scope_panel.h"

#include "app/scope.h"
#include "scope/texts.h"
#include "ui/control_texts.h"
#include "ui/help.h"
#include "ui/number_cells.h"
#include "ui/plots/scope_graph.h"
#include "ui/qt_text.h"
#include "ui/scrolling.h"
#include "ui/texts.h"

#include <QComboBox>
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
constexpr std::array<std::string_view, 3> kChannelNames{"X", "Y", "Z"};
constexpr int kTraceChoices = 4;

} // namespace

ScopePanel::ScopePanel(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kScopePanelHeading, parent), context_(context), session_(context.session),
      graph_(new ScopeGraph(this)), digital_(new DigitalGraph(this)), deltaXCaption_(new QLabel(this)),
      deltaX_(numberDisplay(this, kDisplayWidth)), deltaYCaption_(new QLabel(this)),
      deltaY_(numberDisplay(this, kDisplayWidth)), zoom_(new QPushButton(this)),
      displayedCaption_(new QLabel(this)), displayed_(new QComboBox(this)), indicator_(new QLabel(this)),
      close_(new QPushButton(this)),
      scopeSubscription_(context.session.scope, [this](app::ScopeChange change) { onScopeChange(change); }) {
    build();
    registerHelp(context.help);
    connectControls();
    retranslate(session_.language());
    showAxes();
    showCursors();
    showDeltas();
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
}

void ScopePanel::registerHelp(HelpRegistry& help) {
    namespace t = scope::texts;
    help.add(graph_, t::kGraphHelp);
    help.add(zoom_, t::kZoomHelp);
    help.add(displayed_, t::kDisplayedSignalHelp);
    help.add(deltaX_, t::kDeltaXHelp);
    help.add(deltaY_, t::kDeltaYHelp);
    help.add(close_, t::kCloseHelp);
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
    refreshCaptions();
}

void ScopePanel::refreshCaptions() {
    const bool colourSpace = session_.scope.settings.recordedSignal == scope::kColourSpaceSignal;
    const auto& coordinates = session_.parameters.controls.captions().coordinates;
    displayed_->setItemText(0, qs(kAllTraces, session_.language()));
    for (std::size_t i = 0; i < 3; ++i)
        displayed_->setItemText(static_cast<int>(i) + 1,
                                qs(colourSpace ? std::string_view(coordinates[i]) : kChannelNames[i]));
}

// ---- following the session ----

void ScopePanel::onScopeChange(app::ScopeChange change) {
    switch (change) {
    case app::ScopeChange::Result:
        showTraces();
        break;
    case app::ScopeChange::Axes:
        showAxes();
        break;
    case app::ScopeChange::Deltas:
        showCursors();
        showDeltas();
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

} // namespace tavrino::ui
