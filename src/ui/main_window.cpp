#include "ui/main_window.h"

#include "app/connection.h"
#include "app/live_measurement.h"
#include "app/quit.h"
#include "app/texts.h"
#include "parameters/parameter_file.h"
#include "ui/command_bar.h"
#include "ui/page_selector.h"
#include "ui/pages/calibration_page.h"
#include "ui/pages/connection_page.h"
#include "ui/pages/offset_adjustment_page.h"
#include "ui/pages/recorder_page.h"
#include "ui/pages/scope_page.h"
#include "ui/pages/sensor_parameter_page.h"
#include "ui/pages/table_settings_page.h"
#include "ui/pages/teach_table_page.h"
#include "ui/pages/zero_point_offset_page.h"
#include "ui/panels/big_colour_number_panel.h"
#include "ui/panels/calibration_panel.h"
#include "ui/panels/double_parameter_panel.h"
#include "ui/panels/mean_value_teach_panel.h"
#include "ui/panels/measurement_display_panel.h"
#include "ui/panels/password_panel.h"
#include "ui/panels/recorded_value_teach_panel.h"
#include "ui/panels/scope_panel.h"
#include "ui/panels/signal_graph_panel.h"
#include "ui/plots/live_graphs.h"
#include "ui/qt_text.h"
#include "ui/scope_report.h"
#include "ui/tab_order.h"
#include "ui/texts.h"
#include "ui/window_placement.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

// How often a close that waits for a callback we do not count looks again.
constexpr int kQuitRetryMs = 20;

// Margins of the window's content and the gap between pages and child panel.
constexpr int kMargin = 9;
constexpr int kGap = 6;

} // namespace

MainWindow::MainWindow(app::Session& session, QWidget* parent)
    : QMainWindow(parent), session_(session),
      help_(session.op(), session.shell.language), context_{session, help_, callbacks_}, title_(new QLabel),
      logo_(new QLabel), tabs_(new PageSelector(kFirstSelectorRow)), stack_(new QStackedWidget),
      commandBar_(new CommandBar(context_, this)),
      subscription_(session.shell, [this](app::ShellChange change) { onShellChange(change); }),
      controlsSubscription_(session.parameters.controls,
                            [this](const parameters::ControlChange& change) {
                                if (change.kind == parameters::ControlChange::Kind::Element)
                                    followElement(static_cast<parameters::Element>(change.index));
                            }),
      calibrationSubscription_(session.calibration, [this](app::CalibrationChange change) {
          if (change == app::CalibrationChange::ZeroPointPage)
              followZeroPointPage();
      }) {
    quitApplication = [] { QCoreApplication::quit(); };
    setWindowTitle(qs(texts::kWindowTitle));
    // Pictures of the graphs go where the record file is, as the data do.
    help_.plotMenu().setPictureDirectory(
        [this] { return app::directoryOf(session_.shell.paths.recorderFile); });

    // Title line: 20 points, black on the window's background.
    QFont titleFont = title_->font();
    titleFont.setPointSize(20);
    title_->setFont(titleFont);
    QPalette titlePalette = title_->palette();
    titlePalette.setColor(QPalette::WindowText, Qt::black);
    title_->setPalette(titlePalette);
    logo_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // The pages, in page order (the tab index is the page's number).
    connectionPage_ = new ConnectionPage(context_, tabs_);
    sensorParameterPage_ = new SensorParameterPage(context_, tabs_);
    teachTablePage_ = new TeachTablePage(context_, tabs_);
    recorderPage_ = new RecorderPage(context_, tabs_);
    calibrationPage_ = new CalibrationPage(context_, tabs_);
    pages_ = {connectionPage_,
              sensorParameterPage_,
              teachTablePage_,
              recorderPage_,
              calibrationPage_,
              new TableSettingsPage(context_, tabs_),
              scopePage_ = new ScopePage(context_, tabs_),
              new ZeroPointOffsetPage(context_, tabs_),
              new OffsetAdjustmentPage(context_, tabs_)};
    for (TitledWidget* page : pages_)
        tabs_->addPage(page);
    for (int i = 0; i < kMainTabCount; ++i)
        help_.add(tabs_->button(i), app::texts::kMainTabHelp);

    // The child panels share one place; the stack index is the panel's number.
    // A braced list is evaluated in order, so they are built in panel order.
    panels_ = {measurementDisplay_ = new MeasurementDisplayPanel(context_, stack_),
               signalGraph_ = new SignalGraphPanel(context_, stack_),
               new MeanValueTeachPanel(context_, stack_),
               new RecordedValueTeachPanel(context_, stack_),
               scopePanel_ = new ScopePanel(context_, stack_),
               doubleParameter_ = new DoubleParameterPanel(context_, stack_),
               new CalibrationPanel(context_, stack_)};
    for (TitledWidget* panel : panels_)
        stack_->addWidget(panel);
    // The background pictures lie beside the program.
    liveGraphs_ = new LiveGraphs(session_, measurementDisplay_->graphWidgets(), signalGraph_,
                                 QCoreApplication::applicationDirPath(), this);

    // Windows of their own.
    bigColourNumber_ = new BigColourNumberPanel(context_, this);
    password_ = new PasswordPanel(context_, this);

    // The title line and the logo above, of a fixed height, and a page area
    // of a fixed width: the child panel's corner never moves.
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, kMargin);
    layout->setSpacing(0);
    auto* header = new QWidget(central);
    header->setFixedHeight(kChildPanelTop);
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(15, 5, kMargin, 0);
    headerRow->addWidget(title_, 1);
    headerRow->addWidget(logo_, 0, Qt::AlignTop);
    layout->addWidget(header);
    auto* work = new QHBoxLayout;
    work->setContentsMargins(kMargin, 0, kMargin, 0);
    work->setSpacing(kGap);
    tabs_->setFixedWidth(kChildPanelLeft - kMargin - kGap);
    work->addWidget(tabs_);
    work->addWidget(stack_, 1);
    layout->addLayout(work, 1);
    // SEND, GET, the select buttons, GO and STOP stay visible below every page.
    auto* commands = new QHBoxLayout;
    commands->setContentsMargins(kMargin, kGap, kMargin, 0);
    commands->addWidget(commandBar_);
    layout->addLayout(commands);
    setCentralWidget(central);

    connect(tabs_, &PageSelector::currentChanged, this, &MainWindow::CBF_TabMain1);
    connect(measurementDisplay_, &MeasurementDisplayPanel::bigColourNumberRequested, this,
            &MainWindow::openBigColourNumberPanel);
    connect(measurementDisplay_, &MeasurementDisplayPanel::clearConnectionLogRequested, this,
            [this] { connectionPage_->connectionLog()->clear(); });
    connect(measurementDisplay_, &MeasurementDisplayPanel::signalGraphRequested, this,
            [this] { ShowChildPanelDisp(ChildPanel::SignalGraph); });
    connect(calibrationPage_, &CalibrationPage::passwordRequested, password_, &PasswordPanel::openForEntry);
    connect(signalGraph_, &SignalGraphPanel::closeRequested, this,
            [this] { ShowChildPanelDisp(ChildPanel::MeasurementDisplay); });
    connect(scopePage_, &ScopePage::printRequested, this,
            [this] { callbacks_.run([this] { PrintScopeGraph(session_, scopePanel_, this); }); });
    addKeys();

    resize(kDefaultWidth, kDefaultHeight);
    retranslate(session_.language());
}

MainWindow::~MainWindow() = default;

TitledWidget* MainWindow::page(MainTab tab) const {
    const int i = static_cast<int>(tab);
    return i >= 0 && i < kMainTabCount ? pages_[static_cast<std::size_t>(i)] : nullptr;
}

TitledWidget* MainWindow::childPanel(ChildPanel panel) const {
    const int i = static_cast<int>(panel);
    return i >= 0 && i < kChildPanelCount ? panels_[static_cast<std::size_t>(i)] : nullptr;
}

// ---- start-up ----

void MainWindow::InitAll() {
    // The session starts with the initial flags and the parameter set read
    // from the parameter controls.
    ShowLogo();
    app::loadPanelSettings(session_); // language, window, paths, addresses
    // The controls show the option rules' outcome for the set they start
    // with, before any parameter set was read: pages, displays and dimmed
    // controls as well as the captions and decimals of the colour space.
    session_.parameters.rules.InitPanelCtrlAttr();
    SetUserDefinedMenuItems();

    session_.op().showMainTab(MainTab::SensorParameter);
    tabs_->setPageVisible(static_cast<int>(MainTab::ZeroPointOffset), false);
    ShowChildPanelDisp(ChildPanel::MeasurementDisplay);

    if (session_.shell.windowRestore == app::WindowRestore::Maximise)
        showMaximized();
    else
        show();
}

void MainWindow::connectAtStartup() {
    CallbackDepth::Scope scope(callbacks_);
    if (quitRequested_)
        return;
    app::ConnectAtStartup(session_, startConnection_);
}

// ---- logo ----

void MainWindow::ShowLogo() {
    const QString file = QString::fromLatin1(kLogoFile);
    ShowLogo(QPixmap(file).isNull() ? QString::fromLatin1(kBuiltInLogo) : file);
}

void MainWindow::ShowLogo(const QString& logoFile) {
    title_->setText(qs(texts::kWindowTitle));
    title_->setToolTip(qs(texts::kTitleTooltip));
    const QPixmap picture(logoFile);
    if (picture.isNull())
        logo_->clear();
    else
        logo_->setPixmap(picture);
}

// ---- pages and panels ----

void MainWindow::ShowChildPanelDisp(ChildPanel panel) {
    // Through the session, so the requested panel is remembered there.
    session_.op().showChildPanel(panel);
}

void MainWindow::showChildPanelWidget(ChildPanel panel) {
    TitledWidget* shown = childPanel(panel);
    if (shown == nullptr)
        shown = measurementDisplay_;
    stack_->setCurrentWidget(shown);
}

void MainWindow::showMainTab(MainTab tab) {
    const int index = static_cast<int>(tab);
    if (index < 0 || index >= kMainTabCount)
        return;
    programmaticTabSwitch_ = true;
    tabs_->setPageVisible(index, true);
    tabs_->setCurrentIndex(index);
    programmaticTabSwitch_ = false;
}

void MainWindow::CBF_TabMain1(int index) {
    if (programmaticTabSwitch_)
        return; // the operator's switch only
    CallbackDepth::Scope scope(callbacks_);
    app::mainTabChanged(session_, static_cast<MainTab>(index));
}

void MainWindow::appendConnectionLog(std::string_view text) {
    connectionPage_->appendLog(text);
}

void MainWindow::setSensorStatus(std::string_view text) {
    measurementDisplay_->setSensorStatus(text);
}

void MainWindow::applyDimming(Dimmable group, bool dimmed) {
    session_.dimming.apply(group, dimmed);
}

// ---- graphs ----

void MainWindow::InitGraphs() {
    liveGraphs_->InitGraphs();
}
void MainWindow::ShowGraph() {
    liveGraphs_->ShowGraph();
}
void MainWindow::deleteProjectionPlots() {
    liveGraphs_->deleteProjectionPlots();
}
void MainWindow::refreshScopeCaptions() {
    scopePanel_->refreshCaptions();
}
void MainWindow::InitPanelGraph() {
    liveGraphs_->InitPanelGraph();
}
void MainWindow::SetPanelGraphData() {
    liveGraphs_->SetPanelGraphData();
}

// ---- keyboard ----

void MainWindow::addKeys() {
    // Tab goes from the page selector through the page in front to the
    // child panel and the command bar below them, as they stand
    // (focusNextPrevChild). Tab leaves a table; the arrow keys go from cell
    // to cell.
    tabOrder_ = visualTabOrder(centralWidget());
    for (auto* view : centralWidget()->findChildren<QAbstractItemView*>())
        view->setTabKeyNavigation(false);
    // Escape closes the child panel in front, as its CLOSE button does.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        const auto* panel = qobject_cast<const TitledWidget*>(stack_->currentWidget());
        QAbstractButton* close = panel != nullptr ? panel->closeButton() : nullptr;
        if (close != nullptr && close->isEnabled() && close->isVisible())
            close->click();
    });
    // F1 shows the help of the control with the focus, as its right click does.
    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(helpKey, &QShortcut::activated, this,
            [this] { help_.show(help_.controlOf(QApplication::focusWidget())); });
}

bool MainWindow::focusNextPrevChild(bool next) {
    return moveFocusInOrder(tabOrder_, next) || QMainWindow::focusNextPrevChild(next);
}

// ---- language ----

void MainWindow::retranslate(Language language) {
    qtTranslation_.apply(language);
    for (int i = 0; i < kMainTabCount; ++i) {
        tabs_->setPageText(i, qs(texts::kTabLabels[static_cast<std::size_t>(i)], language));
        pages_[static_cast<std::size_t>(i)]->retranslate(language);
    }
    for (TitledWidget* panel : panels_)
        panel->retranslate(language);
    bigColourNumber_->retranslate(language);
    commandBar_->retranslate(language);
    password_->retranslate(language);
    SetUserDefinedMenuItems();
    // After the captions: names and descriptions follow them.
    help_.retranslate();
}

void MainWindow::SetUserDefinedMenuItems() {
    teachTablePage_->SetUserDefinedMenuItems();
}

void MainWindow::onShellChange(app::ShellChange change) {
    switch (change) {
    case app::ShellChange::Language:
        retranslate(session_.language());
        break;
    case app::ShellChange::Window:
        applyWindowSettings();
        break;
    case app::ShellChange::CloseRequested:
        // The operator chose Close in the failed-connection popup: the
        // program ends without storing the settings.
        requestQuit(false);
        break;
    default:
        break;
    }
}

void MainWindow::followElement(parameters::Element element) {
    using parameters::Element;
    const bool shown = session_.parameters.controls.shown(element);
    MainTab tab;
    switch (element) {
    case Element::OffsetAdjustmentPage:
        tab = MainTab::OffsetAdjustment;
        break;
    case Element::TeachTablePage:
        tab = MainTab::TeachTable;
        break;
    case Element::TableSettingsPage:
        tab = MainTab::TableSettings;
        break;
    case Element::BigColourNumberPanel:
        if (!shown)
            bigColourNumber_->hide();
        return;
    default:
        return; // the displays of the measurement display panel follow themselves
    }
    // Hiding the page in front brings another one forward; that is not the
    // operator's switch, so it must not stop a running loop.
    programmaticTabSwitch_ = true;
    tabs_->setPageVisible(static_cast<int>(tab), shown);
    programmaticTabSwitch_ = false;
    session_.shell.currentMainTab = static_cast<MainTab>(tabs_->currentIndex());
}

void MainWindow::followZeroPointPage() {
    programmaticTabSwitch_ = true;
    tabs_->setPageVisible(static_cast<int>(MainTab::ZeroPointOffset),
                          session_.calibration.zeroPointPageVisible);
    programmaticTabSwitch_ = false;
    session_.shell.currentMainTab = static_cast<MainTab>(tabs_->currentIndex());
}

void MainWindow::openBigColourNumberPanel() {
    session_.parameters.controls.setShown(parameters::Element::BigColourNumberPanel, true);
    if (!bigColourNumber_->isVisible())
        placeBigColourNumberPanel();
    bigColourNumber_->show();
    bigColourNumber_->raise();
}

void MainWindow::placeBigColourNumberPanel() {
    // Over the child panels' corner, moved in so that the whole window with
    // its frame is on the screen. Before it was first shown its frame is not
    // known yet; the main window's frame is the best guess.
    const QScreen* s = screen();
    if (s == nullptr)
        return;
    QWidget* big = bigColourNumber_;
    const QWidget* framed =
        big->testAttribute(Qt::WA_WState_Created) && big->frameGeometry() != big->geometry()
            ? big
            : static_cast<const QWidget*>(this);
    const QRect outer = framed->frameGeometry();
    const QRect inner = framed->geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QPoint corner = mapToGlobal(QPoint(kChildPanelLeft, kChildPanelTop));
    const QSize size = big->size().expandedTo(big->minimumSizeHint());
    const QRect wanted = QRect(corner, size).marginsAdded(frame);
    const QRect placed = fitInside(wanted, s->availableGeometry());
    // A window's position is that of its frame, its size that of its inside.
    big->resize(placed.marginsRemoved(frame).size());
    big->move(placed.topLeft());
}

// ---- window placement ----

void MainWindow::applyWindowSettings() {
    switch (session_.shell.windowRestore) {
    case app::WindowRestore::Keep:
        break;
    case app::WindowRestore::Maximise:
        setWindowState(windowState() | Qt::WindowMaximized);
        break;
    case app::WindowRestore::Place: {
        const app::WindowGeometry g = session_.shell.window;
        setWindowState(windowState() & ~Qt::WindowMaximized);
        move(g.left, g.top);
        resize(g.width, g.height);
        break;
    }
    }
    geometryRestored_ = true;
    syncWindowGeometry();
}

void MainWindow::syncWindowGeometry() {
    // Until the stored placement is applied, the window's own placement
    // would overwrite what was loaded.
    if (!geometryRestored_)
        return;
    app::WindowGeometry& g = session_.shell.window;
    g.zoomState = isMaximized() ? app::WindowGeometry::kMaximised : 0;
    g.left = x();
    g.top = y();
    g.width = width();
    g.height = height();
}

void MainWindow::restoreDefaultGeometry() {
    if (isMaximized() || isFullScreen())
        showNormal();
    resize(kDefaultWidth, kDefaultHeight);
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        const QSize frame = frameGeometry().size();
        move(area.center().x() - frame.width() / 2 + 1, area.center().y() - frame.height() / 2 + 1);
    }
    syncWindowGeometry();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    syncWindowGeometry();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    syncWindowGeometry();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        syncWindowGeometry();
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    // A right double click on the main window itself, not on a page or panel.
    QWidget* target = childAt(event->position().toPoint());
    const bool onMainWindow = target == nullptr || !(tabs_->isAncestorOf(target) || target == tabs_ ||
                                                     stack_->isAncestorOf(target) || target == stack_);
    if (event->button() == Qt::RightButton && onMainWindow) {
        restoreDefaultGeometry();
        event->accept();
        return;
    }
    QMainWindow::mouseDoubleClickEvent(event);
}

// ---- shutdown ----

void MainWindow::closeEvent(QCloseEvent* event) {
    // The window stays until every running callback has returned.
    event->ignore();
    requestQuit(true);
}

void MainWindow::requestQuit(bool storeSettings) {
    if (!quitRequested_) {
        quitRequested_ = true;
        storeOnQuit_ = storeSettings;
        app::EndRunsForQuit(session_);
    }
    finishQuit();
}

void MainWindow::finishQuit() {
    if (quitDone_)
        return;
    if (callbacks_.busy()) {
        callbacks_.onIdle = [this] { finishQuit(); };
        return;
    }
    if (session_.link.exchangeRunning() || QThread::currentThread()->loopLevel() > 1) {
        // Some wait runs that no counted callback started: look again shortly.
        QTimer::singleShot(kQuitRetryMs, this, &MainWindow::finishQuit);
        return;
    }
    quitDone_ = true;
    if (storeOnQuit_) {
        connectionPage_->commitTypedFields();
        syncWindowGeometry();
        app::storePanelSettings(session_);
    }
    bigColourNumber_->hide();
    hide();
    if (quitApplication)
        quitApplication();
}

} // namespace tavrino::ui
