// Pictures of the main window, every page and every child panel in both
// languages, for a person to look at. Not a test: tools/screenshots.sh runs
// it, against the simulated sensor when one is given with --connect.
//
//   tavrino-screenshots --out DIR [--connect tcp:HOST:PORT | serial:DEVICE]
//
// The operator's popups are answered without a person (No, Offline, nothing
// chosen) and their texts printed on stderr.
#include "app/connect_option.h"
#include "app/live_measurement.h"
#include "app/recorded_value_teach.h"
#include "app/scope.h"
#include "app/scope_capture.h"
#include "app/session.h"
#include "app/table_settings.h"
#include "app/teaching.h"
#include "parameters/parameter_controls.h"
#include "ui/command_bar.h"
#include "ui/graph_relay.h"
#include "ui/gui_operator.h"
#include "ui/main_window.h"
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
#include "ui/panels/mean_value_teach_panel.h"
#include "ui/panels/measurement_display_panel.h"
#include "ui/panels/password_panel.h"
#include "ui/panels/recorded_value_teach_panel.h"
#include "ui/panels/scope_panel.h"
#include "ui/panels/signal_graph_panel.h"
#include "ui/parameter_field.h"
#include "ui/plot_menu.h"
#include "ui/plots/cloud_plot.h"
#include "ui/plots/live_graphs.h"
#include "ui/plots/projection_plot.h"
#include "ui/plots/record_view.h"
#include "ui/plots/scope_graph.h"
#include "ui/raw_value_displays.h"
#include "ui/scope_report.h"
#include "ui/texts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <array>
#include <cmath>
#include <cstdio>
#include <deque>
#include <optional>
#include <string>

namespace {

using namespace tavrino;

class UnattendedPopups : public Operator {
public:
    void message(std::string_view title, std::string_view text) override {
        std::fprintf(stderr, "[%.*s] %.*s\n", static_cast<int>(title.size()), title.data(),
                     static_cast<int>(text.size()), text.data());
    }
    bool confirm(std::string_view title, std::string_view text) override {
        message(title, text);
        return answerYes;
    }
    // Questions are answered Yes while a scenario needs it.
    bool answerYes = false;
    bool okCancel(std::string_view title, std::string_view text, std::string_view,
                  std::string_view) override {
        message(title, text);
        return false;
    }
    std::optional<std::string> prompt(std::string_view title, std::string_view text, std::size_t) override {
        message(title, text);
        return std::nullopt;
    }
    ConnectFailureChoice closeOrOffline(std::string_view title, std::string_view text,
                                        std::string_view) override {
        message(title, text);
        return ConnectFailureChoice::Offline;
    }
    // File dialogs take these answers in turn, then nothing chosen.
    std::deque<FileChoice> fileAnswers;
    FileChoice selectFile(const FileRequest&) override {
        if (fileAnswers.empty())
            return {};
        FileChoice choice = fileAnswers.front();
        fileAnswers.pop_front();
        return choice;
    }
    void appendConnectionLog(std::string_view) override {}
    void setSensorStatus(std::string_view) override {}
    void showMainTab(MainTab) override {}
    void showChildPanel(ChildPanel) override {}
    void setDimmed(Dimmable, bool) override {}
};

const char* const kPageNames[kMainTabCount] = {"connection", "sensor_parameter",  "teach_table",
                                               "recorder",   "calibration",       "table_settings",
                                               "scope",      "zero_point_offset", "offset_adjustment"};
const char* const kPanelNames[kChildPanelCount] = {"measurement_display",  "signal_graph", "mean_value_teach",
                                                   "recorded_value_teach", "scope",        "double_parameter",
                                                   "calibration"};

class Camera {
public:
    explicit Camera(QString dir) : dir_(std::move(dir)) {}

    bool take(QWidget* widget, const QString& name) {
        QCoreApplication::processEvents(); // pending layout and paint requests
        const QString path = dir_ + QLatin1Char('/') + name + QStringLiteral(".png");
        const bool ok = widget->grab().save(path);
        std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
        failed_ = failed_ || !ok;
        return ok;
    }
    [[nodiscard]] bool failed() const { return failed_; }
    [[nodiscard]] QString path(const QString& file) const { return dir_ + QLatin1Char('/') + file; }

private:
    QString dir_;
    bool failed_ = false;
};

// Chooses an entry of a parameter ring as the operator does.
void choose(ui::MainWindow& window, parameters::Control c, int code) {
    ui::ParameterField* field = window.sensorParameterPage()->field(c);
    if (field == nullptr)
        field = window.teachTablePage()->field(c);
    QComboBox* combo = field != nullptr ? field->comboBox() : nullptr;
    if (combo == nullptr || !combo->isEnabled())
        return;
    const int index = combo->findData(code);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// Runs the live measurement for a moment, as GO and then STOP would.
void measureBriefly(ui::MainWindow& window, app::Session& session) {
    if (session.flags.sensorConnected != 1)
        return;
    QTimer::singleShot(400, &window, [&session] { session.flags.running = 0; });
    window.commandBar()->goButton()->click();
}

// Runs the live measurement for `ms` milliseconds.
void measureFor(ui::MainWindow& window, app::Session& session, int ms) {
    if (session.flags.sensorConnected != 1)
        return;
    QTimer::singleShot(ms, &window, [&session] { session.flags.running = 0; });
    window.commandBar()->goButton()->click();
}

// Lets the displays that follow the live measurement paint its last frame,
// the one an ASSIGN takes right after.
void showLastFrame() {
    QTest::qWait(2 * ui::RawValueDisplays::kRepaintIntervalMs + 10);
}

// Three live colours taught into rows 0..2 with automatic row colours, a
// block of tolerances reset from the context menu, the table settings sent
// to the sensor, the defaults painted and the sensor's copy read back.
void teachScenario(ui::MainWindow& window, app::Session& session, Camera& camera) {
    choose(window, parameters::Control::MaxVecNo, 3);
    auto* settings = static_cast<ui::TableSettingsPage*>(window.page(MainTab::TableSettings));
    settings->modeSelect()->setCurrentIndex(1);
    ui::TeachTablePage* teach = window.teachTablePage();
    teach->autoIncrement()->setChecked(true);
    teach->rowNumber()->setValue(0);
    QTest::mouseClick(window.mainTabs()->button(static_cast<int>(MainTab::TeachTable)), Qt::LeftButton);
    for (int row = 0; row < 3; ++row) {
        measureFor(window, session, 2600);
        teach->teachDataToButton()->click();
    }
    camera.take(&window, QStringLiteral("teach_taught_en"));
    QTableWidget* grid = teach->grid();
    grid->setRangeSelected(QTableWidgetSelectionRange(2, 3, 2, 6), true);
    for (QAction* a : teach->gridMenu()->actions())
        if (a->text() == QStringLiteral("Reset selection"))
            a->trigger();
    camera.take(&window, QStringLiteral("teach_block_reset_en"));

    for (int row = 0; row < 3; ++row)
        session.rowColours.setSpecification(row, "Row " + std::to_string(row) + " specification text");
    app::CBF_ButtonSaveTableSettingsToEE(session);
    QTest::mouseClick(window.mainTabs()->button(static_cast<int>(MainTab::TableSettings)), Qt::LeftButton);
    camera.take(&window, QStringLiteral("table_settings_sent_en"));
    session.rowColours.reset();
    teach::paintRowColours(session.rowColours, session.parameters.teachTable);
    settings->modeSelect()->setCurrentIndex(0);
    camera.take(&window, QStringLiteral("table_settings_defaults_en"));
    app::CBF_ButtonGetTableSettingsFromEE(session);
    camera.take(&window, QStringLiteral("table_settings_from_ee_en"));
}

// Teaches the current measurement into row 0 and a shape around a point
// beside it into row 1, in the shape mode given, as the operator's edits of
// the grid would.
void teachAroundMeasurement(app::Session& session, int shapeMode) {
    auto& p = session.parameters;
    p.controls.setValue(parameters::Control::ShapeMode, shapeMode);
    p.rules.commit(parameters::Control::ShapeMode);
    const measurement::MeasurementRecord& r = session.live.record;
    const bool small = std::abs(r.csX) < 2 && std::abs(r.csY) < 2;
    const double tolerance = small ? 0.02 : 8;
    const double intensity = r.csI != 0 ? r.csI : 1;
    const std::array<std::array<double, 6>, 2> rows{{
        {r.csX, r.csY, intensity, tolerance, tolerance * 1.5, tolerance * 2},
        {r.csX + 3 * tolerance, r.csY - 2 * tolerance, intensity * 0.8, tolerance * 2, tolerance, tolerance},
    }};
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 6; ++column)
            parameters::editTeachCell(p.controls, p.teachTable, p.set, session.graphs(), row, column,
                                      rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
}

// The three graph pages of the measurement display panel.
void takeGraphPages(ui::MainWindow& window, Camera& camera, const QString& suffix) {
    QTabWidget* tabs = window.measurementDisplayPanel()->graphTabs();
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QTest::qWait(80); // the graphs draw at display rate
        camera.take(window.measurementDisplayPanel(),
                    QStringLiteral("graph_page%1_%2").arg(page + 1).arg(suffix));
    }
}

// Feeds the signal graph panel with frames as the recorder would.
void recordBriefly(ui::MainWindow& window, app::Session& session, int frames) {
    if (session.flags.sensorConnected != 1)
        return;
    window.InitPanelGraph();
    for (int i = 0; i < frames; ++i) {
        if (app::fetchLiveFrame(session) != 1)
            return;
        app::SetPanelData(session);
        window.SetPanelGraphData();
    }
}

// A calibration as the operator makes it: a reference set value typed and
// assigned, three set-value rows assigned from the passing scene, the factors
// computed, sent to the user slot and read back; then the password box and
// both offset pages.
void calibrationScenario(ui::MainWindow& window, app::Session& session, Camera& camera,
                         UnattendedPopups& popups, const QString& lang) {
    popups.answerYes = true;
    ui::CalibrationPage* page = window.calibrationPage();
    auto* panel = static_cast<ui::CalibrationPanel*>(window.childPanel(ChildPanel::Calibration));
    QTest::mouseClick(window.mainTabs()->button(static_cast<int>(MainTab::Calibration)), Qt::LeftButton);
    const auto edit = [panel](ui::CalibTable table, int row, int column, double value) {
        ui::CalibTableModel* model = panel->model(table);
        model->setData(model->index(row, column), value, Qt::EditRole);
    };
    edit(ui::CalibTable::ReferenceSetValue, 0, 0, 95.0);
    edit(ui::CalibTable::ReferenceSetValue, 0, 1, -0.5);
    edit(ui::CalibTable::ReferenceSetValue, 0, 2, 2.25);
    measureFor(window, session, 300);
    showLastFrame();
    page->button(ui::CalibrationPage::AssignReference)->click();
    camera.take(&window, QStringLiteral("calibration_reference_%1").arg(lang));
    page->rowsField()->setValue(3);
    page->rowNoField()->setValue(1);
    const double setValues[3][3] = {{53.2, 80.1, 67.2}, {87.7, -86.2, 83.2}, {32.3, 79.2, -107.9}};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            edit(ui::CalibTable::SetValues, row, column, setValues[row][column]);
        measureFor(window, session, 1200);
        showLastFrame();
        page->button(ui::CalibrationPage::AssignToRow)->click();
    }
    page->button(ui::CalibrationPage::Calculate)->click();
    camera.take(&window, QStringLiteral("calibration_setvalue_%1").arg(lang));
    page->button(ui::CalibrationPage::Send)->click();
    page->button(ui::CalibrationPage::Read)->click();
    camera.take(&window, QStringLiteral("calibration_sensor_data_%1").arg(lang));
    if (session.flags.sensorConnected == 1) {
        // The live values without and with the user calibration just sent.
        window.ShowChildPanelDisp(ChildPanel::MeasurementDisplay);
        for (const int mode : {0, 2}) {
            choose(window, parameters::Control::Calibration, mode);
            session.parameters.transfer.SendPara();
            measureFor(window, session, 300);
            camera.take(window.measurementDisplayPanel(),
                        QStringLiteral("calibration_live_mode%1_%2").arg(mode).arg(lang));
        }
        choose(window, parameters::Control::Calibration, 5);
        session.parameters.transfer.SendPara();
        window.ShowChildPanelDisp(ChildPanel::Calibration);
    }
    panel->scrollAllBox()->setChecked(true);
    panel->tabs()->setCurrentIndex(1);
    panel->view(ui::CalibTable::SetValues)->verticalScrollBar()->setValue(30);
    camera.take(&window, QStringLiteral("calibration_scroll_all_%1").arg(lang));
    panel->view(ui::CalibTable::SetValues)->verticalScrollBar()->setValue(0);
    panel->scrollAllBox()->setChecked(false);

    QTest::mouseDClick(page->decoration(), Qt::RightButton);
    ui::PasswordPanel* password = window.passwordPanel();
    QTest::keyClicks(password->passwordField(), QStringLiteral("secret"));
    camera.take(password, QStringLiteral("password_%1").arg(lang));
    password->passwordField()->setText(QStringLiteral("brasco"));
    QTest::keyClick(password->passwordField(), Qt::Key_Return);
    auto* zero = static_cast<ui::ZeroPointOffsetPage*>(window.page(MainTab::ZeroPointOffset));
    zero->getButton()->click();
    camera.take(&window, QStringLiteral("zero_point_offset_%1").arg(lang));
    QTest::mouseClick(window.mainTabs()->button(static_cast<int>(MainTab::OffsetAdjustment)), Qt::LeftButton);
    measureFor(window, session, 300);
    showLastFrame();
    static_cast<ui::OffsetAdjustmentPage*>(window.page(MainTab::OffsetAdjustment))->assignButton()->click();
    camera.take(&window, QStringLiteral("offset_adjustment_%1").arg(lang));
    zero->closeButton()->click();
    popups.answerYes = false;
}

void chooseLanguage(ui::MainWindow& window, Language language);

// Records `chunks` bursts of `frames` frames with the recorded-value panel,
// a pause between them, so the clouds show how the scene's colours change.
// With `untilHit` the bursts go on until a taught row is hit (at most 20000
// frames more), so that the teach table shows the hit marking.
void recordInBursts(ui::RecordedValueTeachPanel& panel, app::Session& session, int chunks, int frames,
                    bool untilHit) {
    for (int chunk = 1; chunk <= chunks && session.flags.sensorConnected == 1; ++chunk) {
        const int until = session.teachPanels.recorded.counter() + frames;
        const int id = session.teachPanels.subscribe([&session, until, untilHit](app::TeachPanelChange) {
            const int n = session.teachPanels.recorded.counter();
            const int colour = session.live.record.colorNo;
            const bool hit = colour >= 0 && colour <= 2;
            if (n >= until && (!untilHit || hit || n >= until + 20000))
                app::CBF_ButtonStop(session);
        });
        panel.startButton()->click();
        session.teachPanels.unsubscribe(id);
        QTest::qWait(700);
    }
}

// The recorded-value panel with a few thousand frames recorded while the
// scene changed colour, the cursor dragged onto a point of CSXY and stepped
// with the arrow keys, in both languages; then the mean-value panel with ten
// captures taken from the live measurement.
void teachPanelScenario(ui::MainWindow& window, app::Session& session, Camera& camera) {
    auto* recorded = window.findChild<ui::RecordedValueTeachPanel*>();
    // The sensor evaluates the three taught rows.
    session.parameters.controls.setValue(parameters::Control::MaxVecNo, 3);
    session.parameters.rules.commit(parameters::Control::MaxVecNo);
    if (session.flags.sensorConnected == 1)
        session.parameters.transfer.SendPara();
    QTest::mouseClick(window.mainTabs()->button(static_cast<int>(MainTab::TeachTable)), Qt::LeftButton);
    window.teachTablePage()->teachRecordedValueButton()->click();
    recordInBursts(*recorded, session, 11, 300, false);
    // Row 0 taught from the colour in front of the sensor now, so the last
    // burst hits it.
    measureBriefly(window, session);
    window.teachTablePage()->rowNumber()->setValue(0);
    window.teachTablePage()->teachDataToButton()->click();
    if (session.flags.sensorConnected == 1)
        session.parameters.transfer.SendPara();
    window.teachTablePage()->teachRecordedValueButton()->click();
    recordInBursts(*recorded, session, 1, 300, true);
    QTest::qWait(80);
    camera.take(&window, QStringLiteral("recorded_value_teach_recorded_en"));
    ui::CloudPlot* csxy = recorded->graph(0);
    const teach::Triple first = session.teachPanels.recorded.entry(0);
    const QPoint near(static_cast<int>(csxy->xAxis->coordToPixel(first[0])) + 4,
                      static_cast<int>(csxy->yAxis->coordToPixel(first[1])) - 3);
    QTest::mousePress(csxy, Qt::LeftButton, {}, near);
    QTest::mouseMove(csxy, near + QPoint(2, 1));
    QTest::mouseRelease(csxy, Qt::LeftButton, {}, near + QPoint(2, 1));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(csxy, Qt::Key_Right);
    QTest::qWait(80);
    camera.take(&window, QStringLiteral("recorded_value_teach_cursor_en"));
    camera.take(recorded, QStringLiteral("recorded_value_teach_panel_en"));
    chooseLanguage(window, Language::German);
    QTest::qWait(80);
    camera.take(&window, QStringLiteral("recorded_value_teach_cursor_de"));
    chooseLanguage(window, Language::English);
    recorded->teachButton()->click();
    QTest::qWait(80);
    camera.take(&window, QStringLiteral("recorded_value_teach_taught_en"));

    window.teachTablePage()->teachMeanValueButton()->click();
    auto* mean = window.findChild<ui::MeanValueTeachPanel*>();
    for (int i = 0; i < 10; ++i) {
        measureFor(window, session, 300);
        mean->captureButton()->click();
    }
    QTest::qWait(80);
    camera.take(&window, QStringLiteral("mean_value_teach_ten_en"));
    chooseLanguage(window, Language::German);
    QTest::qWait(80);
    camera.take(&window, QStringLiteral("mean_value_teach_ten_de"));
    chooseLanguage(window, Language::English);
}

void chooseLanguage(ui::MainWindow& window, Language language) {
    QComboBox* select = window.connectionPage()->languageSelect();
    const int index = language == Language::German ? 0 : 1;
    select->setCurrentIndex(index);
    emit select->activated(index);
}

void sendMouse(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers) {
    QMouseEvent event(type, at, target->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, modifiers);
    QCoreApplication::sendEvent(target, &event);
}

// A left drag on `graph` from one pair of graph coordinates to another.
void drag(ui::ScopeGraph* graph, QPointF from, QPointF to, Qt::KeyboardModifiers modifiers) {
    const auto pixel = [graph](QPointF p) {
        return QPointF(graph->xAxis->coordToPixel(p.x()), graph->yAxis->coordToPixel(p.y()));
    };
    sendMouse(graph, QEvent::MouseButtonPress, pixel(from), Qt::LeftButton, modifiers);
    sendMouse(graph, QEvent::MouseMove, pixel(to), Qt::LeftButton, modifiers);
    sendMouse(graph, QEvent::MouseButtonRelease, pixel(to), Qt::NoButton, modifiers);
}

// The cycle time, a scan on a rising edge, the cursors moved, a zoom and the
// printed report (to a PDF file beside the pictures).
// The capture saved, a new scan over it, then the capture opened again: the
// scope panel as it was saved, with the measurements between the cursors.
void captureScenario(ui::MainWindow& window, app::Session& session, Camera& camera, const QString& lang) {
    const std::string path = camera.path(QStringLiteral("scope_capture_%1.csv").arg(lang)).toStdString();
    if (!app::writeScopeCapture(session, path))
        return;
    window.scopePage()->commentBox()->setPlainText(QStringLiteral("A later scan"));
    window.scopePage()->scanButton()->click();
    if (app::openScopeCapture(session, path) == 1)
        camera.take(&window, QStringLiteral("scope_capture_opened_%1").arg(lang));
}

void scopeScenario(ui::MainWindow& window, app::Session& session, Camera& camera, const QString& lang) {
    if (session.flags.sensorConnected != 1)
        return;
    QTest::mouseClick(window.mainTabs()->button(static_cast<int>(MainTab::Scope)), Qt::LeftButton);
    ui::ScopePage* page = window.scopePage();
    ui::ScopePanel* panel = window.scopePanel();
    page->cycleTimeButton()->click();
    page->triggerModeSelector()->setCurrentIndex(1);
    emit page->triggerModeSelector()->activated(1);
    page->preTriggerField()->setValue(20);
    // A level the blue trace never reaches: the scan waits until BREAK.
    page->triggerLevelField()->setValue(30000);
    emit page->triggerLevelField()->editingFinished();
    QTimer::singleShot(300, page, [&window, &camera, page, lang] {
        camera.take(&window, QStringLiteral("scope_waiting_%1").arg(lang));
        page->breakButton()->click();
    });
    page->scanButton()->click();
    page->triggerLevelField()->setValue(1500); // passed once per pass of the white card
    emit page->triggerLevelField()->editingFinished();
    page->scanRateField()->setValue(lang == QStringLiteral("de") ? 4 : 2);
    emit page->scanRateField()->editingFinished();
    page->commentBox()->setPlainText(QStringLiteral(
        "Belt 3, white label passing\nRising edge of the blue trace through 1500 with 20 "
        "pre-trigger values: the white card arrives after the grey card. Checked after the belt "
        "speed of line 2 was changed."));
    page->scanButton()->click();
    camera.take(&window, QStringLiteral("scope_scan_%1").arg(lang));
    ui::ScopeGraph* graph = panel->scopeGraph();
    const double high = session.scope.result.blue[60];
    drag(graph, {32, 0}, {20.4, high}, Qt::NoModifier);
    drag(graph, {96, 0}, {70.8, 300}, Qt::NoModifier);
    camera.take(&window, QStringLiteral("scope_cursors_%1").arg(lang));
    drag(graph, {10, 3000}, {60, 1000}, Qt::ControlModifier);
    camera.take(&window, QStringLiteral("scope_zoom_%1").arg(lang));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(camera.path(QStringLiteral("scope_report_%1.pdf").arg(lang)));
    const ui::ReportContent content{
        scope::reportLines(session.language(), session.shell.panelId, session.scope.comment),
        panel->grab().toImage(),
        scope::statisticsLines(session.language(), app::scopeStatistics(session),
                               app::scopeTraceNames(session), session.scope.axes.valueDecimals)};
    const bool printed =
        ui::ReportResult::Printed ==
        ui::printScopeReport(printer, content, QDateTime::currentDateTime(), session.language());
    std::fprintf(stdout, "%s %s\n", printed ? "wrote" : "could not write",
                 qPrintable(printer.outputFileName()));
    panel->zoomButton()->click();
    camera.take(&window, QStringLiteral("scope_unzoomed_%1").arg(lang));
    captureScenario(window, session, camera, lang);
}

// Takes the next popup as soon as it shows, then closes it.
void takePopup(Camera& camera, const QString& name) {
    QTimer::singleShot(0, [&camera, name] {
        if (QWidget* popup = QApplication::activeModalWidget()) {
            camera.take(popup, name);
            popup->close();
        }
    });
}

// The window as it starts without a sensor, and the popups as the operator
// sees them, in both languages.
void popupScenario(ui::MainWindow& window, Camera& camera, const QString& dataDirectory) {
    ui::GuiOperator real;
    real.attach(&window);
    const Text question{"Wollen Sie die Tabelle zuruecksetzen?", "Do you want to reset the table?"};
    const Text prompt{"Toleranz eingeben!", "Insert a tolerance value!"};
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.startDirectory = dataDirectory.toStdString();
    request.defaultName = "Parameter.ini";
    request.filter = "*.ini";
    request.title = "Parameter.ini";
    for (const Language language : {Language::English, Language::German}) {
        chooseLanguage(window, language);
        const QString lang = language == Language::German ? QStringLiteral("de") : QStringLiteral("en");
        camera.take(&window, QStringLiteral("start_offline_%1").arg(lang));
        takePopup(camera, QStringLiteral("popup_message_%1").arg(lang));
        real.message(kInfoTitle.in(language), ui::texts::kSensorStatusHelp.in(language));
        takePopup(camera, QStringLiteral("popup_question_%1").arg(lang));
        real.confirm(kInfoTitle.in(language), question.in(language));
        takePopup(camera, QStringLiteral("popup_prompt_%1").arg(lang));
        real.prompt(kInfoTitle.in(language), prompt.in(language), 9);
        takePopup(camera, QStringLiteral("popup_file_%1").arg(lang));
        real.selectFile(request);
    }
    real.attach(nullptr);
}

// A record file reviewed in the signal graph panel after OPEN RECORD FILE,
// in both languages, zoomed and with the cursor moved; then a projection
// exported as SVG and the scope, after a scan, as PDF, through their menus.
void reviewScenario(ui::MainWindow& window, app::Session& session, Camera& camera, UnattendedPopups& popups,
                    const QString& file) {
    chooseLanguage(window, Language::English);
    QTest::mouseClick(window.mainTabs()->button(static_cast<int>(MainTab::Recorder)), Qt::LeftButton);
    popups.fileAnswers.push_back({FileChoice::Kind::Existing, file.toStdString()});
    window.recorderPage()->openRecordFileButton()->click();
    camera.take(&window, QStringLiteral("review_window_en"));
    ui::SignalGraphPanel* panel = window.signalGraphPanel();
    for (const int signal : {0, 3, 6}) {
        panel->SetGraphVisible(signal);
        camera.take(panel, QStringLiteral("review_signal_%1_en").arg(signal));
    }
    panel->SetGraphVisible(0);
    ui::RecordView* view = panel->recordView();
    const QCPRange whole = view->xAxis->range();
    view->xAxis->setRange(whole.lower + whole.size() * 0.25, whole.lower + whole.size() * 0.5);
    QCoreApplication::processEvents();
    const double middle = whole.lower + whole.size() * 0.4;
    QTest::mouseClick(view, Qt::LeftButton, {},
                      QPoint(qRound(view->xAxis->coordToPixel(middle)), view->height() / 2));
    camera.take(panel, QStringLiteral("review_zoom_cursor_en"));
    chooseLanguage(window, Language::German);
    camera.take(panel, QStringLiteral("review_zoom_cursor_de"));
    chooseLanguage(window, Language::English);

    ui::PlotMenu& menu = window.help().plotMenu();
    ui::ProjectionPlot* projection = window.measurementDisplayPanel()->graphWidgets().projections[0];
    popups.fileAnswers.push_back(
        {FileChoice::Kind::New, camera.path(QStringLiteral("projection.svg")).toStdString()});
    menu.exportPicture(*projection);
    if (session.flags.sensorConnected == 1) {
        QTest::mouseClick(window.mainTabs()->button(static_cast<int>(MainTab::Scope)), Qt::LeftButton);
        window.scopePage()->scanButton()->click();
    }
    popups.fileAnswers.push_back(
        {FileChoice::Kind::New, camera.path(QStringLiteral("scope.pdf")).toStdString()});
    menu.exportPicture(*window.scopePanel()->scopeGraph());
    camera.take(&window, QStringLiteral("review_scope_en"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Directory of the pictures."),
                                       QStringLiteral("DIR"));
    const QCommandLineOption connectOption(QStringLiteral("connect"),
                                           QStringLiteral("tcp:HOST:PORT or serial:DEVICE"),
                                           QStringLiteral("CONNECTION"));
    const QCommandLineOption calibrationOption(QStringLiteral("calibration"),
                                               QStringLiteral("Only the calibration scenario."));
    parser.addOption(outOption);
    parser.addOption(connectOption);
    parser.addOption(calibrationOption);
    const QCommandLineOption popupsOption(QStringLiteral("popups"),
                                          QStringLiteral("Only the start without a sensor and the popups."));
    parser.addOption(popupsOption);
    const QCommandLineOption reviewOption(QStringLiteral("review"),
                                          QStringLiteral("Only a record file reviewed and graphs exported."),
                                          QStringLiteral("RECORD FILE"));
    parser.addOption(reviewOption);
    parser.process(application);
    const QString out = parser.isSet(outOption) ? parser.value(outOption) : QStringLiteral("screenshots");
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "tavrino-screenshots: cannot create %s\n", qPrintable(out));
        return 1;
    }
    std::optional<app::ConnectOption> connection;
    if (parser.isSet(connectOption)) {
        connection = app::parseConnectOption(parser.value(connectOption).toStdString());
        if (!connection) {
            std::fprintf(stderr, "tavrino-screenshots: --connect needs tcp:HOST:PORT or serial:DEVICE\n");
            return 2;
        }
    }

    QTemporaryDir data;
    UnattendedPopups popups;
    ui::GuiOperator gui(&popups);
    ui::GraphRelay graphs;
    app::Session session(gui, graphs, data.path().toStdString());
    ui::MainWindow window(session);
    gui.attach(&window);
    graphs.attach(&window);
    window.quitApplication = [] {};
    window.InitAll();
    window.resize(ui::kDefaultWidth, ui::kDefaultHeight);
    if (parser.isSet(popupsOption)) {
        Camera camera(out);
        popupScenario(window, camera, data.path());
        window.requestQuit(false);
        graphs.attach(nullptr);
        gui.attach(nullptr);
        return camera.failed() ? 1 : 0;
    }
    if (connection) {
        window.setStartConnection(*connection);
        window.connectAtStartup();
    }

    Camera camera(out);
    ui::PageSelector* pages = window.mainTabs();
    if (parser.isSet(reviewOption)) {
        reviewScenario(window, session, camera, popups, parser.value(reviewOption));
        window.requestQuit(false);
        graphs.attach(nullptr);
        gui.attach(nullptr);
        return camera.failed() ? 1 : 0;
    }
    if (parser.isSet(calibrationOption)) {
        choose(window, parameters::Control::Calibration, 5);
        for (const Language language : {Language::English, Language::German}) {
            chooseLanguage(window, language);
            calibrationScenario(window, session, camera, popups,
                                language == Language::German ? QStringLiteral("de") : QStringLiteral("en"));
        }
        window.requestQuit(false);
        graphs.attach(nullptr);
        gui.attach(nullptr);
        return camera.failed() ? 1 : 0;
    }
    for (const Language language : {Language::English, Language::German}) {
        chooseLanguage(window, language);
        const QString lang = language == Language::German ? QStringLiteral("de") : QStringLiteral("en");
        // The most pages the rules show: colour output and offset calibration on.
        choose(window, parameters::Control::DigitalOutmode, 3);
        choose(window, parameters::Control::Calibration, 5);

        QTest::mouseClick(pages->button(static_cast<int>(MainTab::SensorParameter)), Qt::LeftButton);
        measureBriefly(window, session);
        camera.take(&window, QStringLiteral("main_%1").arg(lang));
        for (int i = 0; i < kMainTabCount; ++i) {
            if (!pages->isPageVisible(i))
                continue;
            QTest::mouseClick(pages->button(i), Qt::LeftButton);
            camera.take(&window, QStringLiteral("page_%1_%2_%3").arg(i).arg(kPageNames[i]).arg(lang));
        }
        QTest::mouseClick(pages->button(static_cast<int>(MainTab::SensorParameter)), Qt::LeftButton);
        for (int i = 0; i < kChildPanelCount; ++i) {
            window.ShowChildPanelDisp(static_cast<ChildPanel>(i));
            camera.take(window.childPanels()->currentWidget(),
                        QStringLiteral("panel_%1_%2").arg(kPanelNames[i]).arg(lang));
        }
        window.ShowChildPanelDisp(ChildPanel::MeasurementDisplay);
        emit window.measurementDisplayPanel()->bigColourNumberRequested();
        camera.take(window.bigColourNumberPanel(), QStringLiteral("panel_big_colour_number_%1").arg(lang));
        window.bigColourNumberPanel()->hide();
        camera.take(window.passwordPanel(), QStringLiteral("panel_password_%1").arg(lang));
    }

    // The sensor parameter page and the live values in every colour space.
    chooseLanguage(window, Language::English);
    const char* const spaces[] = {"xyY", "Lab", "Luv", "LCh", "uvL"};
    for (int space = 0; space < 5; ++space) {
        choose(window, parameters::Control::ColorSpace, space);
        if (space != 3) // L*C*h* has no colour output
            choose(window, parameters::Control::DigitalOutmode, 3);
        if (session.flags.sensorConnected == 1) // the sensor measures in the new space
            session.parameters.transfer.SendPara();
        measureBriefly(window, session);
        const QString suffix = QStringLiteral("cs%1_%2").arg(space).arg(spaces[space]);
        camera.take(window.page(MainTab::SensorParameter), QStringLiteral("sensor_parameter_") + suffix);
        camera.take(window.measurementDisplayPanel(), QStringLiteral("measurement_display_") + suffix);
        teachAroundMeasurement(session, space % 3);
        measureBriefly(window, session);
        takeGraphPages(window, camera, suffix);
    }
    window.ShowChildPanelDisp(ChildPanel::SignalGraph);
    recordBriefly(window, session, 300);
    for (const int signal : {0, 3, 6}) {
        window.signalGraphPanel()->SetGraphVisible(signal);
        QTest::qWait(80);
        camera.take(window.signalGraphPanel(), QStringLiteral("signal_graph_%1").arg(signal));
    }
    window.ShowChildPanelDisp(ChildPanel::MeasurementDisplay);

    teachScenario(window, session, camera);
    scopeScenario(window, session, camera, QStringLiteral("en"));
    chooseLanguage(window, Language::German);
    session.shell.panelId = "LINE 7";
    scopeScenario(window, session, camera, QStringLiteral("de"));
    teachPanelScenario(window, session, camera);

    window.requestQuit(false);
    if (session.link.tcpConnected())
        session.link.disconnectTcp();
    session.link.closeSerial();
    graphs.attach(nullptr);
    gui.attach(nullptr);
    return camera.failed() ? 1 : 0;
}
