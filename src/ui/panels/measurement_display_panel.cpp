#include "ui/panels/measurement_display_panel.h"

#include "measurement/texts.h"
#include "ui/control_texts.h"
#include "ui/help.h"
#include "ui/led.h"
#include "ui/number_cells.h"
#include "ui/plots/projection_plot.h"
#include "ui/plots/quad_arrangement.h"
#include "ui/plots/strip_chart.h"
#include "ui/qt_text.h"
#include "ui/scrolling.h"
#include "ui/texts.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

using parameters::Element;

constexpr int kDisplayWidth = 90;
constexpr std::array kDeviationElements{Element::DifferenceDisplay1, Element::DifferenceDisplay2,
                                        Element::DifferenceDisplay3};
constexpr std::array kReferenceElements{Element::ReferenceDisplay1, Element::ReferenceDisplay2,
                                        Element::ReferenceDisplay3};

QLineEdit* display(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

QLabel* caption(QWidget* parent, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

constexpr std::size_t kSamples = measurement::GraphHistories::kSamples;

StripChart* xyzChart(QWidget* parent) {
    return new StripChart(kSamples, {Qt::red, Qt::green, Qt::blue}, parent);
}

} // namespace

MeasurementDisplayPanel::MeasurementDisplayPanel(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kMeasurementDisplayHeading, parent), session_(context.session),
      statusCaption_(new QLabel(this)), status_(display(this)), comPortCaption_(new QLabel(this)),
      comPort_(display(this)), serverCaption_(new QLabel(this)), server_(display(this)),
      graphTabs_(new QTabWidget(this)), deltaECaption_(caption(this)), colourNumberCaption_(caption(this)),
      in0Caption_(caption(this)), saturationCaption_(caption(this)),
      in0_(new Led(QColor(0, 200, 0), Qt::black, this)),
      saturation_(new Led(QColor(230, 0, 0), QColor(70, 70, 70), this)), signalGraph_(new QPushButton(this)),
      repaint_(new QTimer(this)), subscription_(context.session.connection,
                                                [this](app::ConnectionChange change) {
                                                    if (change == app::ConnectionChange::LinkDisplay)
                                                        refreshLinkDisplay();
                                                    else if (change == app::ConnectionChange::SensorIdentity)
                                                        refreshIdentity();
                                                }),
      controlsSubscription_(context.session.parameters.controls,
                            [this](const parameters::ControlChange& change) { onControlChange(change); }) {
    namespace mt = measurement::texts;
    HelpRegistry& help = context.help;

    // Everything scrolls when the window is made smaller than the panel.
    // Only upwards and downwards: a sideways bar would keep itself in place.
    // The page shows through, as it does around the area.
    QVBoxLayout* column = addScrollingColumn(
        this, body(), {.sideways = Sideways::Never, .backdrop = Backdrop::PageShowsThrough});

    // Status and link.
    auto* top = new QGridLayout;
    statusCaption_->setBuddy(status_);
    comPortCaption_->setBuddy(comPort_);
    serverCaption_->setBuddy(server_);
    top->addWidget(statusCaption_, 0, 0);
    top->addWidget(status_, 0, 1, 1, 3);
    top->addWidget(comPortCaption_, 1, 0);
    top->addWidget(comPort_, 1, 1);
    top->addWidget(serverCaption_, 1, 2);
    top->addWidget(server_, 1, 3);
    top->addWidget(signalGraph_, 0, 4);
    top->setColumnStretch(1, 1);
    top->setColumnStretch(3, 2);
    column->addLayout(top);

    // The live values: a caption left of each display, three per row.
    auto* live = new QGridLayout;
    auto place = [live](int row, std::size_t column, QLabel* label, QWidget* widget) {
        label->setBuddy(widget);
        live->addWidget(label, row, 2 * static_cast<int>(column));
        live->addWidget(widget, row, 2 * static_cast<int>(column) + 1);
    };
    for (std::size_t i = 0; i < 3; ++i) {
        xyz_[OnPanel][i].edit = numberDisplay(this, kDisplayWidth);
        place(0, i, caption(this, qs(texts::kXyzCaptions[i])), xyz_[OnPanel][i].edit);
        coordinates_[i].edit = numberDisplay(this, kDisplayWidth);
        coordinateCaptions_[i] = caption(this);
        place(1, i, coordinateCaptions_[i], coordinates_[i].edit);
        deviations_[i].edit = numberDisplay(this, kDisplayWidth);
        deviationCaptions_[i] = caption(this);
        place(2, i, deviationCaptions_[i], deviations_[i].edit);
    }
    deltaE_.edit = numberDisplay(this, kDisplayWidth);
    colourNumber_.edit = numberDisplay(this, kDisplayWidth);
    place(3, 0, deltaECaption_, deltaE_.edit);
    place(3, 1, colourNumberCaption_, colourNumber_.edit);
    in0Caption_->setBuddy(in0_);
    saturationCaption_->setBuddy(saturation_);
    auto* lamps = new QHBoxLayout;
    lamps->addWidget(in0Caption_);
    lamps->addWidget(in0_);
    lamps->addSpacing(12);
    lamps->addWidget(saturationCaption_);
    lamps->addWidget(saturation_);
    lamps->addStretch(1);
    live->addLayout(lamps, 3, 4, 1, 2);
    live->setColumnStretch(6, 1);
    column->addLayout(live);

    // The graph pages: X Y Z over time, the colour-space coordinates (with
    // the CS REF references), and the three-sided view.
    graphs_.pages = graphTabs_;
    for (std::size_t page = 0; page < kGraphPageCount; ++page)
        graphTabs_->addTab(buildGraphPage(page, graphTabs_), QString());
    // The three-sided view is the page in front at start-up.
    graphTabs_->setCurrentIndex(kGraphPageCount - 1);
    column->addWidget(graphTabs_, 1);

    // Right-click help of every display.
    help.add(graphTabs_, texts::kGraphTabHelp);
    for (const auto& set : xyz_)
        for (const NumberDisplay& x : set)
            help.add(x.edit, mt::kXyzHelp);
    help.add(coordinates_[0].edit, mt::kCoordinateHelp);
    help.add(coordinates_[1].edit, mt::kCoordinateHelp);
    help.add(coordinates_[2].edit, mt::kIntensityHelp);
    for (const NumberDisplay& d : deviations_)
        help.add(d.edit, mt::kDeviationHelp);
    for (const NumberDisplay& r : reference_)
        help.add(r.edit, texts::kReferenceDisplayHelp);
    help.add(deltaE_.edit, mt::kDeltaEHelp);
    help.add(colourNumber_.edit, mt::kColourNumberHelp);
    help.add(comPort_, texts::kComPortDisplayHelp);
    help.add(server_, texts::kServerDisplayHelp);
    help.add(in0_, mt::kIn0Help);
    help.add(saturation_, mt::kSaturationHelp);
    addGraphHelp(help);
    help.addWithRightDoubleClick(status_, texts::kSensorStatusHelp,
                                 [this] { emit clearConnectionLogRequested(); });

    // Installed after the help, so this sees the double clicks first.
    colourNumber_.edit->installEventFilter(this);

    repaint_->setInterval(kRepaintIntervalMs);
    connect(repaint_, &QTimer::timeout, this, [this] { updateDisplays(); });
    connect(signalGraph_, &QPushButton::clicked, this, &MeasurementDisplayPanel::signalGraphRequested);
    connect(graphs_.maximise, &QPushButton::clicked, this,
            [this] { graphs_.arrangement->setMaximised(true); });
    connect(graphs_.minimise, &QPushButton::clicked, this,
            [this] { graphs_.arrangement->setMaximised(false); });

    retranslate(session_.language());
    applyCaptions();
    applyShown();
    refreshLinkDisplay();
    refreshIdentity();
    paint(session_.live.display);
}

void MeasurementDisplayPanel::retranslate(Language language) {
    TitledWidget::retranslate(language);
    statusCaption_->setText(qs(texts::kSensorStatusLabel, language));
    comPortCaption_->setText(qs(texts::kComPortDisplayLabel, language));
    serverCaption_->setText(qs(texts::kServerDisplayLabel, language));
    deltaECaption_->setText(qs(texts::kDeltaECaption, language));
    colourNumberCaption_->setText(qs(texts::kColourNumberCaption, language));
    in0Caption_->setText(qs(texts::kIn0Caption, language));
    saturationCaption_->setText(qs(texts::kSaturationCaption, language));
    for (int page = 0; page < kGraphPageCount; ++page)
        graphTabs_->setTabText(page, qs(texts::kGraphTabLabels[static_cast<std::size_t>(page)], language));
    signalGraph_->setText(qs(texts::kShowSignalGraphButton, language));
    graphs_.maximise->setText(qs(texts::kMaximiseGraphButton, language));
    graphs_.minimise->setText(qs(texts::kMinimiseGraphButton, language));
}

// ---- graph pages ----

// The XYZ page and the colour-space page show their XYZ displays (and the CS
// REF references) above the charts; the three-sided view is all graphs.
QWidget* MeasurementDisplayPanel::buildGraphPage(std::size_t page, QWidget* parent) {
    auto* widget = new QWidget(parent);
    auto* layout = new QVBoxLayout(widget);
    if (page == 2) {
        layout->addWidget(buildThreeSidedView(widget), 1);
        return widget;
    }
    auto* values = new QGridLayout;
    for (std::size_t i = 0; i < 3; ++i) {
        const int column = 2 * static_cast<int>(i);
        NumberDisplay& x = xyz_[page + 1][i];
        x.edit = numberDisplay(widget, kDisplayWidth);
        QLabel* axis = caption(widget, qs(texts::kXyzCaptions[i]));
        axis->setBuddy(x.edit);
        values->addWidget(axis, 0, column);
        values->addWidget(x.edit, 0, column + 1);
        if (page == 1) {
            reference_[i].edit = numberDisplay(widget, kDisplayWidth);
            referenceCaptions_[i] = caption(widget);
            referenceCaptions_[i]->setBuddy(reference_[i].edit);
            values->addWidget(referenceCaptions_[i], 1, column);
            values->addWidget(reference_[i].edit, 1, column + 1);
        }
    }
    values->setColumnStretch(6, 1);
    layout->addLayout(values);
    if (page == 0) {
        graphs_.xyz = xyzChart(widget);
        layout->addWidget(graphs_.xyz, 1);
        return widget;
    }
    const std::array<QColor, 3> colours{Qt::red, Qt::darkGreen, Qt::blue};
    for (std::size_t i = 0; i < 3; ++i) {
        graphs_.coordinates[i] = new StripChart(kSamples, {colours[i]}, widget);
        layout->addWidget(graphs_.coordinates[i], 1);
    }
    return widget;
}

QWidget* MeasurementDisplayPanel::buildThreeSidedView(QWidget* parent) {
    auto* view = new QWidget(parent);
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* buttons = new QHBoxLayout;
    graphs_.maximise = new QPushButton(view);
    graphs_.minimise = new QPushButton(view);
    buttons->addWidget(graphs_.maximise);
    buttons->addWidget(graphs_.minimise);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    for (auto& projection : graphs_.projections)
        projection = new ProjectionPlot(view);
    graphs_.xyz3D = xyzChart(view);
    graphs_.arrangement = new QuadArrangement(
        {graphs_.projections[0], graphs_.projections[1], graphs_.projections[2], graphs_.xyz3D}, view);
    layout->addWidget(graphs_.arrangement, 1);
    return view;
}

void MeasurementDisplayPanel::addGraphHelp(HelpRegistry& help) {
    namespace mt = measurement::texts;
    help.add(graphs_.xyz, mt::kXyzChartHelp);
    help.add(graphs_.xyz3D, mt::kXyzChartHelp);
    help.name(graphs_.xyz, texts::kXyzGraphName);
    help.name(graphs_.xyz3D, texts::kXyzGraphName);
    for (std::size_t i = 0; i < 3; ++i) {
        help.add(graphs_.coordinates[i], mt::kColourSpaceChartHelp);
        help.name(graphs_.coordinates[i], texts::kColourSpaceGraphNames[i]);
        help.add(graphs_.projections[i], mt::kThreeSidedViewHelp);
        help.name(graphs_.projections[i], texts::kProjectionNames[i]);
    }
    help.add(signalGraph_, mt::kOpenSignalGraphHelp);
    help.add(graphs_.maximise, texts::kMaximiseGraphHelp);
    help.add(graphs_.minimise, texts::kMinimiseGraphHelp);
}

QLineEdit* MeasurementDisplayPanel::xyzDisplay(XyzSet set, int channel) const {
    return xyz_.at(static_cast<std::size_t>(set)).at(static_cast<std::size_t>(channel)).edit;
}

void MeasurementDisplayPanel::setSensorStatus(std::string_view text) {
    // The status texts end in line breaks meant for the connection log.
    QString shown = qs(text);
    while (shown.endsWith(QLatin1Char('\n')))
        shown.chop(1);
    status_->setText(shown.replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

// ---- live values ----

bool MeasurementDisplayPanel::updateDisplays() {
    if (!watch_.takeNew(session_.live.display))
        return false;
    paint(session_.live.display);
    return true;
}

void MeasurementDisplayPanel::showNumber(NumberDisplay& display, double value) {
    if (display.valid && display.shown == value)
        return;
    display.valid = true;
    display.shown = value;
    setFixedText(text_, value, display.decimals);
    display.edit->setText(text_);
}

void MeasurementDisplayPanel::paint(const measurement::MeasurementDisplay& d) {
    for (auto& set : xyz_)
        for (std::size_t i = 0; i < 3; ++i)
            showNumber(set[i], d.xyz[i]);
    for (std::size_t i = 0; i < 3; ++i) {
        showNumber(reference_[i], d.reference[i]);
        showNumber(coordinates_[i], d.coordinates[i]);
    }
    showNumber(deltaE_, d.deltaE);
    showNumber(colourNumber_, d.colourNumber);
    in0_->setOn(d.in0High);
    saturation_->setOn(d.saturated);
    showNumber(deviations_[0], d.deviations.d1);
    showNumber(deviations_[1], d.deviations.d2);
    showNumber(deviations_[2], d.deviations.dI);
}

// ---- following the parameter controls ----

void MeasurementDisplayPanel::onControlChange(const parameters::ControlChange& change) {
    switch (change.kind) {
    case parameters::ControlChange::Kind::Captions:
        applyCaptions();
        break;
    case parameters::ControlChange::Kind::Element:
        applyShown();
        break;
    default:
        break;
    }
}

void MeasurementDisplayPanel::applyCaptions() {
    const parameters::CoordinateCaptions& c = session_.parameters.controls.captions();
    for (std::size_t i = 0; i < 3; ++i) {
        const int decimals = c.display.coordinateDecimals[i];
        coordinateCaptions_[i]->setText(qs(c.coordinates[i]));
        deviationCaptions_[i]->setText(qs(c.differences[i]));
        referenceCaptions_[i]->setText(qs(texts::kReferencePrefix) + qs(c.coordinates[i]));
        for (NumberDisplay* d : {&coordinates_[i], &deviations_[i], &reference_[i]}) {
            d->decimals = decimals;
            d->valid = false;
        }
    }
    deltaE_.decimals = c.display.tableDecimals;
    deltaE_.valid = false;
    // The values shown so far, in the new format.
    paint(session_.live.display);
}

void MeasurementDisplayPanel::applyShown() {
    const parameters::ParameterControls& controls = session_.parameters.controls;
    auto follow = [&controls](Element e, QWidget* a, QWidget* b) {
        const bool shown = controls.shown(e);
        a->setVisible(shown);
        b->setVisible(shown);
    };
    for (std::size_t i = 0; i < 3; ++i) {
        follow(kDeviationElements[i], deviationCaptions_[i], deviations_[i].edit);
        follow(kReferenceElements[i], referenceCaptions_[i], reference_[i].edit);
    }
    follow(Element::DeltaEDisplay, deltaECaption_, deltaE_.edit);
    follow(Element::ColourNumberDisplay, colourNumberCaption_, colourNumber_.edit);
    follow(Element::In0Indicator, in0Caption_, in0_);
}

// ---- events ----

bool MeasurementDisplayPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched == colourNumber_.edit && mouse->button() == Qt::LeftButton) {
            emit bigColourNumberRequested();
            return true;
        }
    }
    return TitledWidget::eventFilter(watched, event);
}

void MeasurementDisplayPanel::showEvent(QShowEvent* event) {
    TitledWidget::showEvent(event);
    // What arrived while another panel was in front.
    updateDisplays();
    repaint_->start();
}

void MeasurementDisplayPanel::hideEvent(QHideEvent* event) {
    TitledWidget::hideEvent(event);
    repaint_->stop();
}

// ---- link and sensor ----

void MeasurementDisplayPanel::refreshLinkDisplay() {
    const app::LinkDisplay& link = session_.connection.linkDisplay;
    comPort_->setText(link.comDevice.empty() ? QString::number(link.comPort)
                                             : QString::fromStdString(link.comDevice));
    server_->setText(qs(link.serverAddress));
    comPortCaption_->setVisible(link.comPortVisible);
    comPort_->setVisible(link.comPortVisible);
    serverCaption_->setVisible(link.serverAddressVisible);
    server_->setVisible(link.serverAddressVisible);
}

void MeasurementDisplayPanel::refreshIdentity() {
    status_->setToolTip(qs(session_.connection.sensor.firmware));
}

} // namespace tavrino::ui
