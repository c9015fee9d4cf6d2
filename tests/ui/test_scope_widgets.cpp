// The scope page and panel: trigger-field dimming, cursors and their deltas,
// a scan against the simulated sensor and BREAK while it waits, and the
// printed report read back from a PDF file.
#include "ui_fixture.h"
#include "widget_helpers.h"

#include "app/scope.h"
#include "app/scope_capture.h"
#include "scope/capture_file.h"
#include "scope/report.h"
#include "ui/page_selector.h"
#include "ui/pages/connection_page.h"
#include "ui/pages/scope_page.h"
#include "ui/panels/measurement_display_panel.h"
#include "ui/panels/scope_panel.h"
#include "ui/plots/scope_graph.h"
#include "ui/scope_report.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace tavrino::test {
namespace {

class ScopeWidgetsTest : public UiTest {
protected:
    // The scope panel laid out on screen, so its graphs map pixels as the operator sees them.
    ui::ScopeGraph* shownScopeGraph() {
        window->ShowChildPanelDisp(ChildPanel::Scope);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ui::ScopeGraph* graph = window->scopePanel()->scopeGraph();
        graph->replot();
        return graph;
    }
};

TEST_F(ScopeWidgetsTest, TriggerModeDimsTheFieldsItDoesNotUse) {
    build();
    ui::ScopePage* page = window->scopePage();
    struct Case {
        int mode;
        bool levelUsable, preTriggerUsable;
    };
    for (const Case& c : {Case{1, true, true}, Case{0, false, false}, Case{2, true, true},
                          Case{3, false, true}, Case{4, false, true}}) {
        SCOPED_TRACE(c.mode);
        choose(page->triggerModeSelector(), c.mode);
        EXPECT_EQ(session->scope.settings.triggerMode, c.mode);
        EXPECT_EQ(page->triggerLevelField()->isEnabled(), c.levelUsable);
        EXPECT_EQ(page->preTriggerField()->isEnabled(), c.preTriggerUsable);
    }
}

TEST_F(ScopeWidgetsTest, ARightDoubleClickEmptiesTheComment) {
    build();
    QPlainTextEdit* box = window->scopePage()->commentBox();
    QTest::keyClicks(box, QStringLiteral("belt 3"));
    EXPECT_EQ(session->scope.comment, "belt 3");
    QTest::mouseDClick(box->viewport(), Qt::RightButton);
    EXPECT_TRUE(box->toPlainText().isEmpty());
    EXPECT_EQ(session->scope.comment, "");
}

void sendMouse(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, target->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

TEST_F(ScopeWidgetsTest, DraggingACursorShowsDeltaXInMsAndDeltaY) {
    build();
    session->scope.cycle = scope::CycleTime{1000.0, 1.0};
    scope::ScanSettings settings = session->scope.settings;
    settings.scanRate = 4;
    app::setScopeSettings(*session, settings);
    ui::ScopePanel* panel = window->scopePanel();
    ui::ScopeGraph* graph = shownScopeGraph();

    const QPointF from(graph->xAxis->coordToPixel(32.0), graph->yAxis->coordToPixel(0.0));
    ASSERT_EQ(graph->cursorAt(from), 0);
    const QPointF to(graph->xAxis->coordToPixel(75.5), graph->yAxis->coordToPixel(1000.0));
    sendMouse(graph, QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(graph, QEvent::MouseMove, to, Qt::LeftButton);
    sendMouse(graph, QEvent::MouseButtonRelease, to, Qt::NoButton);

    // |75.5 - 96| = 20 whole samples x 1 ms x scan rate 4.
    EXPECT_EQ(panel->deltaXDisplay()->text(), "80.000");
    EXPECT_EQ(panel->deltaYDisplay()->text(), "1000");
    EXPECT_NEAR(panel->digitalGraph()->cursorX(0), 75.5, 1e-6);
    EXPECT_NEAR(panel->digitalGraph()->cursorX(1), 96.0, 1e-6);
}

TEST_F(ScopeWidgetsTest, CtrlDragZoomsBothGraphsAndZoomOneToOneResets) {
    build();
    ui::ScopePanel* panel = window->scopePanel();
    ui::ScopeGraph* graph = shownScopeGraph();
    const auto pixel = [graph](double x, double y) {
        return QPointF(graph->xAxis->coordToPixel(x), graph->yAxis->coordToPixel(y));
    };
    const auto send = [graph](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, graph->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::ControlModifier);
        QCoreApplication::sendEvent(graph, &event);
    };
    // From beside the cursors, so only the rectangle is drawn.
    send(QEvent::MouseButtonPress, pixel(10, 3000), Qt::LeftButton);
    send(QEvent::MouseMove, pixel(60, 1000), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, pixel(60, 1000), Qt::NoButton);
    EXPECT_NEAR(graph->xAxis->range().lower, 10, 0.5);
    EXPECT_NEAR(graph->xAxis->range().upper, 60, 0.5);
    EXPECT_NEAR(graph->yAxis->range().lower, 1000, 20);
    EXPECT_EQ(panel->digitalGraph()->xAxis->range(), graph->xAxis->range());
    EXPECT_EQ(session->scope.x1, 32.0); // the cursors stayed

    QTest::mouseClick(panel->zoomButton(), Qt::LeftButton);
    EXPECT_EQ(graph->xAxis->range(), QCPRange(0, 128));
    EXPECT_EQ(graph->yAxis->range(), QCPRange(0, 4100));
    EXPECT_EQ(panel->digitalGraph()->xAxis->range(), QCPRange(0, 128));
}

TEST_F(ScopeWidgetsTest, ColourSpaceSignalTakesItsRangeAndDecimalsAndNames) {
    build();
    chooseControl(*window, parameters::Control::ColorSpace, 2);
    ui::ScopePage* page = window->scopePage();
    ui::ScopePanel* panel = window->scopePanel();
    choose(page->recordedSignalSelector(), 1);
    ui::ScopeGraph* graph = panel->scopeGraph();
    EXPECT_EQ(graph->yAxis->range(), QCPRange(-790, 725));
    EXPECT_EQ(graph->yAxis->numberPrecision(), 1);
    EXPECT_EQ(page->triggerLevelField()->decimals(), 2);
    EXPECT_EQ(panel->deltaYDisplay()->text(), "0.00");
    const auto& coordinates = session->parameters.controls.captions().coordinates;
    EXPECT_EQ(panel->displayedSignalSelector()->itemText(3).toStdString(), coordinates[2]);
}

TEST_F(ScopeWidgetsTest, TheLevelFieldAndTheLevelSentAgreeWhenItsDecimalsDrop) {
    build();
    chooseControl(*window, parameters::Control::ColorSpace, 1);
    ui::ScopePage* page = window->scopePage();
    QDoubleSpinBox* level = page->triggerLevelField();
    choose(page->recordedSignalSelector(), 1);
    ASSERT_EQ(level->decimals(), 2);
    level->setValue(12.7);
    emit level->editingFinished();
    ASSERT_EQ(session->scope.settings.triggerLevel, 12.7);

    choose(page->recordedSignalSelector(), 0);
    EXPECT_EQ(level->decimals(), 0);
    EXPECT_EQ(level->text(), "13");
    EXPECT_EQ(session->scope.settings.triggerLevel, 13.0);
}

TEST_F(ScopeWidgetsTest, RightClickShowsTheHelpOnly) {
    build();
    session->shell.language = Language::German;
    ui::ScopePage* page = window->scopePage();
    QTest::mouseClick(page->scanButton(), Qt::RightButton);
    ASSERT_EQ(scripted.calls.size(), 1u);
    EXPECT_EQ(scripted.calls[0].text, "Datenrekorder starten und das Ergebnis im Graph anzeigen.");
    EXPECT_FALSE(session->scope.indicatorShown);
}

class ScopeSimTest : public SimUiTest {
protected:
    void connectToSim() {
        ASSERT_NO_FATAL_FAILURE(buildConnected());
        window->mainTabs()->setCurrentIndex(static_cast<int>(MainTab::Scope));
    }
};

TEST_F(ScopeSimTest, AScanIsPlottedAndTheSelectorShowsOneTrace) {
    connectToSim();
    ui::ScopePage* page = window->scopePage();
    ui::ScopePanel* panel = window->scopePanel();
    choose(page->triggerModeSelector(), 0);
    QTest::mouseClick(page->scanButton(), Qt::LeftButton);
    ASSERT_TRUE(session->scope.hasResult);
    EXPECT_EQ(window->findChild<QStackedWidget*>()->currentWidget(), panel);
    EXPECT_EQ(panel->scopeGraph()->graphCount(), 3);
    EXPECT_EQ(panel->digitalGraph()->graphCount(), 3);
    EXPECT_FALSE(panel->scanningIndicator()->isVisibleTo(panel));
    choose(panel->displayedSignalSelector(), 3);
    ASSERT_EQ(panel->scopeGraph()->graphCount(), 1);
    EXPECT_EQ(panel->scopeGraph()->graph(0)->pen().color(), QColor(Qt::blue));

    QTest::mouseClick(panel->closeButton(), Qt::LeftButton);
    EXPECT_EQ(window->findChild<QStackedWidget*>()->currentWidget(), window->measurementDisplayPanel());
    EXPECT_EQ(window->mainTabs()->currentIndex(), static_cast<int>(MainTab::SensorParameter));
}

TEST_F(ScopeSimTest, BreakEndsAWaitingScan) {
    connectToSim();
    ui::ScopePage* page = window->scopePage();
    ui::ScopePanel* panel = window->scopePanel();
    choose(page->triggerModeSelector(), 1);
    page->triggerLevelField()->setValue(30000.0); // a level the blue trace never reaches
    emit page->triggerLevelField()->editingFinished();

    bool indicatorShown = false, breakUsable = false, scanUsable = true;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (session->flags.scopeRunning != 1)
            return;
        poll.stop();
        indicatorShown = panel->scanningIndicator()->isVisibleTo(panel);
        breakUsable = page->breakButton()->isEnabled();
        scanUsable = page->scanButton()->isEnabled();
        QTest::mouseClick(page->breakButton(), Qt::LeftButton);
    });
    poll.start(5);
    QTest::mouseClick(page->scanButton(), Qt::LeftButton);
    EXPECT_TRUE(indicatorShown);
    EXPECT_TRUE(breakUsable);
    EXPECT_FALSE(scanUsable);
    EXPECT_FALSE(session->scope.hasResult);
    EXPECT_EQ(session->flags.scopeRunning, 0);
    EXPECT_TRUE(page->scanButton()->isEnabled());
    // The link is free again: the next exchange goes through.
    QTest::mouseClick(page->cycleTimeButton(), Qt::LeftButton);
    EXPECT_EQ(page->scanFrequencyDisplay()->text(), "10000");
    EXPECT_EQ(page->cycleTimeDisplay()->text(), "0.100");
}

// What a poppler tool prints.
std::string popplerOutput(const QString& tool, QStringList arguments) {
    QProcess process;
    process.start(tool, arguments);
    EXPECT_TRUE(process.waitForFinished());
    return process.readAllStandardOutput().toStdString();
}

struct PdfCase {
    Language language;
    const char* panelId;
    const char* comment;
    std::vector<std::string> expected; // in this order
    std::vector<std::string> absent;
    const char* message;
};

class ScopeReportPdfTest : public UiTest, public ::testing::WithParamInterface<PdfCase> {};

TEST_P(ScopeReportPdfTest, PrintsTheLinesInOrderAboveThePicture) {
    const PdfCase& c = GetParam();
    build();
    session->shell.language = c.language;
    session->shell.panelId = c.panelId;
    app::setScopeComment(*session, c.comment);
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ui::printScopeReportOn(*session, window->scopePanel(), printer);
    EXPECT_EQ(scripted.messages().back(), c.message);

    const std::string text =
        popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    std::size_t at = 0;
    for (const std::string& line : c.expected) {
        const std::size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << " after " << at << " in\n" << text;
        at = found + line.size();
    }
    for (const std::string& line : c.absent)
        EXPECT_EQ(text.find(line), std::string::npos) << line;
    // The panel's picture: one image on the page.
    EXPECT_NE(popplerOutput(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).find(" image "),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ScopeReportPdfTest,
    ::testing::Values(PdfCase{Language::German,
                              "L7",
                              "Band 3",
                              {"Screenshot des Scope-Bildschirms.", "TAVRINO4 VXR QLM Scope V3.2",
                               "Fenster ID:L7", "Kommentar:", "Band 3", "Seite 1 von 1"},
                              {},
                              "Ausdruck erfolgreich!"},
                      PdfCase{Language::English,
                              "",
                              "",
                              {"Scope Screen Shot", "TAVRINO4 VXR QLM Scope V3.2", "Page 1 of 1"},
                              {"Comment:", "Panel ID"},
                              "Print successful!"}));

// A word of a PDF page as pdftotext places it, in points from the top left.
struct PdfWord {
    std::string text;
    int page = 0;
    double left = 0, top = 0, right = 0, bottom = 0;
};
struct PdfLayout {
    double pageWidth = 0, pageHeight = 0;
    int pages = 0;
    std::vector<PdfWord> words;
};

PdfLayout pdfLayout(const QString& pdf) {
    const QString html = QString::fromStdString(
        popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    constexpr const char* kItem =
        R"re(<page width="([\d.]+)" height="([\d.]+)">)re"
        R"re(|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">)re"
        R"re(([^<]*)</word>)re";
    static const QRegularExpression item(QString::fromLatin1(kItem));
    PdfLayout layout;
    for (auto it = item.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            layout.pageWidth = m.captured(1).toDouble();
            layout.pageHeight = m.captured(2).toDouble();
            ++layout.pages;
            continue;
        }
        layout.words.push_back({m.captured(7).toStdString(), layout.pages, m.captured(3).toDouble(),
                                m.captured(4).toDouble(), m.captured(5).toDouble(),
                                m.captured(6).toDouble()});
    }
    return layout;
}

// Comment words are "K" and a number, so nothing else on the page is taken for one.
bool commentWord(const std::string& text) {
    return text.size() > 1 && text[0] == 'K' &&
           std::all_of(text.begin() + 1, text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

QString numberedWords(int count, const QString& separator) {
    QStringList words;
    for (int i = 1; i <= count; ++i)
        words << QStringLiteral("K%1").arg(i, 3, 10, QLatin1Char('0'));
    return words.join(separator);
}

TEST_F(ScopeWidgetsTest, ACommentOfManyLinesOrALongLineIsPrintedWholeWithinThePage) {
    struct Case {
        const char* name;
        QString comment;
        int minPages;
    };
    const Case cases[] = {
        {"one long line", numberedWords(120, QStringLiteral(" ")), 1},
        {"several lines", numberedWords(12, QStringLiteral("\n")), 1},
        {"more lines than a page holds", numberedWords(150, QStringLiteral("\n")), 2},
    };
    build();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app::setScopeComment(*session, c.comment.toStdString());
        const QString pdf = dir.filePath(QStringLiteral("comment.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        ui::printScopeReportOn(*session, window->scopePanel(), printer);
        EXPECT_EQ(scripted.messages().back(), "Print successful!");

        // A copy for the reviewer when TAVRINO_REVIEW_DIR names a directory.
        if (const QString review = qEnvironmentVariable("TAVRINO_REVIEW_DIR"); !review.isEmpty())
            QFile::copy(pdf, review + QStringLiteral("/review-21-report-%1.pdf").arg(&c - cases));
        const PdfLayout layout = pdfLayout(pdf);
        EXPECT_GE(layout.pages, c.minPages);
        const auto heading = std::find_if(layout.words.begin(), layout.words.end(),
                                          [](const PdfWord& w) { return w.text == "Comment:"; });
        ASSERT_NE(heading, layout.words.end());
        std::vector<std::string> printed;
        const PdfWord* previous = &*heading;
        for (auto w = heading + 1; w != layout.words.end(); ++w) {
            if (!commentWord(w->text))
                continue;
            printed.push_back(w->text);
            // Inside the page, each below the one before or beside it on the same line.
            EXPECT_GE(w->left, 0.0) << w->text;
            EXPECT_LE(w->right, layout.pageWidth) << w->text;
            EXPECT_LE(w->bottom, layout.pageHeight) << w->text;
            const bool sameLine = w->page == previous->page && std::abs(w->top - previous->top) < 1.0;
            const bool below =
                w->page > previous->page || (w->page == previous->page && w->top >= previous->bottom - 0.5);
            EXPECT_TRUE(sameLine ? w->left >= previous->right : below)
                << w->text << " after " << previous->text;
            previous = &*w;
        }
        std::vector<std::string> expected;
        for (const QString& word : c.comment.split(QRegularExpression(QStringLiteral("\\s+"))))
            expected.push_back(word.toStdString());
        EXPECT_EQ(printed, expected);
    }
}

TEST_F(ScopeWidgetsTest, AReportThatCannotBeStartedIsToldAsSuchAndNotAsAPrintError) {
    build();
    for (const Language language : {Language::English, Language::German}) {
        session->shell.language = language;
        scripted.calls.clear();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("missing/report.pdf")));
        ui::printScopeReportOn(*session, window->scopePanel(), printer);
        EXPECT_EQ(scripted.messages(),
                  std::vector<std::string>{std::string(scope::kReportNotCreated.in(language))});
    }
}

// ---- captures and the measurements between the cursors ----

// red: the position, green: 1000 + 10 x position, blue: 3000.
scope::Capture rampCapture() {
    scope::Capture c;
    c.settings = scope::ScanSettings{1, 20, 2, 0, 1500.0};
    c.cycleMs = 1.0;
    c.comment = "opened";
    for (int i = 0; i < scope::kSamples; ++i) {
        const auto k = static_cast<std::size_t>(i);
        c.result.red[k] = i;
        c.result.green[k] = 1000.0 + 10.0 * i;
        c.result.blue[k] = 3000.0;
    }
    scope::buildDigitalTraces(c.result);
    return c;
}

std::vector<std::string> statisticsRow(const ui::ScopePanel* panel, int trace) {
    std::vector<std::string> row;
    for (int column = 0; column < 4; ++column)
        row.push_back(panel->statisticsValue(trace, column)->text().toStdString());
    return row;
}

TEST_F(ScopeWidgetsTest, AnOpenedCaptureIsShownAsAScanWithTheMeasurementsBetweenTheCursors) {
    build();
    const std::string path = dir.filePath(QStringLiteral("c.csv")).toStdString();
    ASSERT_EQ(scope::writeCaptureFile(path, rampCapture()), 0);
    ui::ScopePage* page = window->scopePage();
    ui::ScopePanel* panel = window->scopePanel();
    scripted.fileAnswers.push_back({FileChoice::Kind::Existing, path});
    QTest::mouseClick(page->openCaptureButton(), Qt::LeftButton);

    EXPECT_EQ(window->findChild<QStackedWidget*>()->currentWidget(), panel);
    EXPECT_EQ(panel->scopeGraph()->graphCount(), 3);
    EXPECT_EQ(panel->digitalGraph()->graphCount(), 3);
    EXPECT_EQ(page->commentBox()->toPlainText(), "opened");
    EXPECT_EQ(page->scanRateField()->value(), 2);
    EXPECT_EQ(page->cycleTimeDisplay()->text(), "1.000");
    EXPECT_EQ(panel->deltaXDisplay()->text(), "128.000"); // (96 - 32) x 1 ms x 2
    EXPECT_EQ(panel->statisticsHeading()->text(), "MEASUREMENT BETWEEN THE CURSORS (POSITIONS 32 TO 96)");
    EXPECT_EQ(statisticsRow(panel, 0), (std::vector<std::string>{"32", "96", "64.0", "64"}));
    EXPECT_EQ(statisticsRow(panel, 1), (std::vector<std::string>{"1320", "1960", "1640.0", "640"}));
    EXPECT_EQ(statisticsRow(panel, 2), (std::vector<std::string>{"3000", "3000", "3000.0", "0"}));

    // Cursor 1 dragged past cursor 2: the order does not matter.
    ui::ScopeGraph* graph = shownScopeGraph();
    const QPointF from(graph->xAxis->coordToPixel(32.0), graph->yAxis->coordToPixel(0.0));
    const QPointF to(graph->xAxis->coordToPixel(120.2), graph->yAxis->coordToPixel(0.0));
    sendMouse(graph, QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(graph, QEvent::MouseMove, to, Qt::LeftButton);
    sendMouse(graph, QEvent::MouseButtonRelease, to, Qt::NoButton);
    EXPECT_EQ(statisticsRow(panel, 0), (std::vector<std::string>{"96", "120", "108.0", "24"}));

    QComboBox* language = window->connectionPage()->languageSelect();
    language->setCurrentIndex(languageIndex(Language::German));
    emit language->activated(languageIndex(Language::German));
    EXPECT_EQ(panel->statisticsHeading()->text(), "MESSUNG ZWISCHEN DEN CURSORN (POSITIONEN 96 BIS 120)");
}

TEST_F(ScopeWidgetsTest, TheReportPrintsTheMeasurementsUnderThePicture) {
    build();
    session->shell.language = Language::German;
    const std::string path = dir.filePath(QStringLiteral("c.csv")).toStdString();
    ASSERT_EQ(scope::writeCaptureFile(path, rampCapture()), 0);
    ASSERT_EQ(app::openScopeCapture(*session, path), 1);
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ui::printScopeReportOn(*session, window->scopePanel(), printer);
    ASSERT_EQ(scripted.messages().back(), "Ausdruck erfolgreich!");

    const std::string text =
        QString::fromStdString(
            popplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}))
            .replace(QRegularExpression(QStringLiteral(" +")), QStringLiteral(" "))
            .toStdString();
    std::size_t at = 0;
    for (const char* line : {"Kommentar:", "opened", "MESSUNG ZWISCHEN DEN CURSORN (POSITIONEN 32 BIS 96):",
                             "X: MIN 32 MAX 96 MITTELWERT 64.0 SPITZE-SPITZE 64",
                             "Y: MIN 1320 MAX 1960 MITTELWERT 1640.0 SPITZE-SPITZE 640",
                             "Z: MIN 3000 MAX 3000 MITTELWERT 3000.0 SPITZE-SPITZE 0"}) {
        const std::size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << " after " << at << " in\n" << text;
        at = found;
    }
    // Between the comment and the measurements: the picture across the page width.
    const PdfLayout layout = pdfLayout(pdf);
    const auto word = [&layout](const std::string& w) {
        return *std::find_if(layout.words.begin(), layout.words.end(),
                             [&w](const PdfWord& p) { return p.text == w; });
    };
    const QSize picture = window->scopePanel()->grab().size();
    const double pictureHeight = layout.pageWidth * 0.8 * picture.height() / picture.width();
    EXPECT_GT(word("MESSUNG").top - word("opened").bottom, pictureHeight);
}

} // namespace
} // namespace tavrino::test
