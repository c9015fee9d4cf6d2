// Every graph's context menu (its help, the picture's export and copy) and a
// record file reviewed in the signal graph panel, on the real widgets.
#include "ui_fixture.h"
#include "widget_helpers.h"

#include "app/record_review.h"
#include "measurement/texts.h"
#include "recorder/record_file.h"
#include "recorder/texts.h"
#include "support/file_bytes.h"
#include "ui/help.h"
#include "ui/pages/recorder_page.h"
#include "ui/panels/measurement_display_panel.h"
#include "ui/panels/recorded_value_teach_panel.h"
#include "ui/panels/scope_panel.h"
#include "ui/panels/signal_graph_panel.h"
#include "ui/plot_menu.h"
#include "ui/plots/cloud_plot.h"
#include "ui/plots/live_graphs.h"
#include "ui/plots/projection_plot.h"
#include "ui/plots/record_view.h"
#include "ui/plots/scope_graph.h"
#include "ui/plots/strip_chart.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include <filesystem>
#include <string>
#include <vector>

namespace tavrino::test {
namespace {

std::string pdfText(const std::string& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QString::fromStdString(pdf), QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished());
    return process.readAllStandardOutput().toStdString();
}

class GraphPictureTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        build();
        window->resize(1100, 800);
        window->show();
        session->shell.paths.recorderFile = programDirectory() + "/RecordFile.dat";
    }

    // Every kind of graph the program draws.
    [[nodiscard]] std::vector<std::pair<const char*, QCustomPlot*>> everyGraph() const {
        const ui::LiveGraphWidgets g = window->measurementDisplayPanel()->graphWidgets();
        auto* teach =
            static_cast<ui::RecordedValueTeachPanel*>(window->childPanel(ChildPanel::RecordedValueTeach));
        return {
            {"strip chart", g.xyz},
            {"projection", g.projections[1]},
            {"signal graph", window->signalGraphPanel()->graph(0)},
            {"record view", window->signalGraphPanel()->recordView()},
            {"scope graph", window->scopePanel()->scopeGraph()},
            {"digital graph", window->scopePanel()->digitalGraph()},
            {"teach cloud", teach->graph(0)},
        };
    }

    // The menu of `plot` as its right click opens it.
    QMenu* rightClick(QCustomPlot* plot) {
        QTest::mouseClick(plot, Qt::RightButton, {}, QPoint(10, 10));
        QMenu* menu = window->help().plotMenu().menu();
        menu->hide();
        return menu;
    }

    void exportPicture(QCustomPlot* plot, const std::string& path) {
        QMenu* menu = rightClick(plot);
        scripted.fileAnswers.push_back({FileChoice::Kind::New, path});
        menu->actions().at(2)->trigger();
    }
};

TEST_F(GraphPictureTest, EveryGraphsMenuHasItsHelpTheExportAndTheCopy) {
    for (const auto& [name, plot] : everyGraph()) {
        SCOPED_TRACE(name);
        scripted.calls.clear();
        QMenu* menu = rightClick(plot);
        // The right click itself shows no help: the menu offers it.
        EXPECT_EQ(scripted.count("message"), 0u);
        std::vector<std::string> entries;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                entries.push_back(a->text().toStdString());
        EXPECT_EQ(entries,
                  (std::vector<std::string>{"Help", "Export picture\xE2\x80\xA6", "Copy to clipboard"}));
        menu->actions().at(0)->trigger();
        ASSERT_EQ(scripted.messages().size(), 1u);
        EXPECT_EQ(scripted.messages()[0], window->help().helpOf(plot)->en);

        QApplication::clipboard()->clear();
        menu->actions().at(3)->trigger();
        const QImage copied = QApplication::clipboard()->image();
        EXPECT_GE(copied.width(), plot->width());
        EXPECT_GE(copied.height(), plot->height());
    }
    // German captions after the language switch.
    session->shell.language = Language::German;
    QMenu* menu = rightClick(everyGraph()[0].second);
    EXPECT_EQ(menu->actions().at(2)->text().toStdString(), "Bild exportieren\xE2\x80\xA6");
    EXPECT_EQ(menu->actions().at(3)->text().toStdString(), "In Zwischenablage kopieren");
}

TEST_F(GraphPictureTest, ExportedPicturesAreDrawnAndNameTheAxes) {
    // L*a*b*: the projection's axes are "a*" and "L*".
    chooseControl(*window, parameters::Control::ColorSpace, 1);
    const ui::LiveGraphWidgets g = window->measurementDisplayPanel()->graphWidgets();
    g.pages->setCurrentIndex(2);
    ui::ProjectionPlot* projection = g.projections[1];
    const std::string svg = programDirectory() + "/projection.svg";
    const std::string pdf = programDirectory() + "/projection.PDF";
    const std::string png = programDirectory() + "/scope.png";
    const std::string scopePdf = programDirectory() + "/scope.pdf";
    // The scope panel in front: its graph has the size it is seen at.
    window->ShowChildPanelDisp(ChildPanel::Scope);
    QApplication::processEvents();
    exportPicture(projection, svg);
    exportPicture(projection, pdf);
    exportPicture(window->scopePanel()->scopeGraph(), png);
    exportPicture(window->scopePanel()->scopeGraph(), scopePdf);
    EXPECT_TRUE(scripted.messages().empty());

    const std::string horizontal = projection->xAxis->label().toStdString();
    const std::string vertical = projection->yAxis->label().toStdString();
    EXPECT_EQ(horizontal, "a*");
    EXPECT_EQ(vertical, "L*");
    const std::string svgText = readFileBytes(svg);
    EXPECT_NE(svgText.find("<svg"), std::string::npos);
    EXPECT_NE(svgText.find(">" + horizontal + "<"), std::string::npos);
    const std::string text = pdfText(pdf);
    EXPECT_NE(text.find(horizontal), std::string::npos) << text;
    EXPECT_NE(text.find(vertical), std::string::npos) << text;
    // The scope's axis as its tick labels name it.
    const QVector<QString> ticks = window->scopePanel()->scopeGraph()->xAxis->tickVectorLabels();
    ASSERT_FALSE(ticks.isEmpty());
    EXPECT_NE(pdfText(scopePdf).find(ticks.back().toStdString()), std::string::npos)
        << ticks.back().toStdString() << " in " << pdfText(scopePdf);
    // A PNG at twice the graph's pixels.
    const QImage picture(QString::fromStdString(png));
    EXPECT_EQ(picture.size(), window->scopePanel()->scopeGraph()->size() * 2);

    // A name of another kind writes nothing and says so once.
    scripted.calls.clear();
    exportPicture(projection, programDirectory() + "/projection.bmp");
    EXPECT_EQ(scripted.count("message"), 1u);
    EXPECT_FALSE(std::filesystem::exists(programDirectory() + "/projection.bmp"));
}

// ---------------------------------------------------------------- review

class RecordReviewWidgetTest : public GraphPictureTest {
protected:
    static constexpr int kLines = 100'000;
    std::string file;

    void SetUp() override {
        GraphPictureTest::SetUp();
        file = programDirectory() + "/review.dat";
        std::string text = recorder::recordHeader(Language::English, "", 1);
        for (int i = 0; i < kLines; ++i) {
            measurement::MeasurementRecord r;
            r.X = static_cast<std::int16_t>(i % 1000);
            r.csX = i * 0.5;
            r.temp = static_cast<std::int16_t>(20 + i % 7);
            text += recorder::recordLine(r, {2026, 12, 8, i / 3600 % 24, i / 60 % 60, i % 60});
            if (i == 10)
                text += "a line that is none\r\n";
        }
        writeFileBytes(file, text);
    }

    ui::SignalGraphPanel* panel() const { return window->signalGraphPanel(); }
};

TEST_F(RecordReviewWidgetTest, OpenRecordFileShowsEverySignalDecimatedWithACursor) {
    QPushButton* open = window->recorderPage()->openRecordFileButton();
    EXPECT_EQ(open->text(), "OPEN RECORD FILE");
    scripted.fileAnswers.push_back({FileChoice::Kind::Existing, file});
    open->click();
    EXPECT_EQ(scripted.messages(),
              std::vector<std::string>{recorder::texts::linesSkipped(Language::English, 1, 16, file)});
    EXPECT_EQ(session->shell.currentChildPanel, ChildPanel::SignalGraph);
    ui::RecordView* view = panel()->recordView();
    QApplication::processEvents();
    ASSERT_TRUE(view->isVisible());
    // The whole file in view, drawn as at most two points per pixel column.
    EXPECT_EQ(view->xAxis->range(), QCPRange(0, kLines - 1));
    EXPECT_GT(view->pointsDrawn(), 0);
    EXPECT_LE(view->pointsDrawn(), 2 * view->width());
    EXPECT_EQ(view->yAxis->label(), "X");

    // Zoomed in on a few lines, each is drawn.
    view->xAxis->setRange(500, 520);
    EXPECT_EQ(view->pointsDrawn(), 21);
    // A click puts the cursor on the line under it; the readout shows it.
    const int x = qRound(view->xAxis->coordToPixel(510));
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(x, view->height() / 2));
    EXPECT_EQ(session->recordReview.cursor, 510u);
    EXPECT_EQ(panel()->valueDisplay(0)->text(), "510");
    EXPECT_EQ(panel()->valueDisplay(3)->text(), "255.000000");
    EXPECT_EQ(panel()->counterDisplay()->text(), "511");
    EXPECT_NE(panel()->readout()->text().toStdString().find("12-08-2026 00:08:30"), std::string::npos)
        << panel()->readout()->text().toStdString();
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(session->recordReview.cursor, 511u);

    // Another signal: the temperature, under the file's own heading for it.
    panel()->SetGraphVisible(6);
    EXPECT_EQ(view->yAxis->label(), "TEMP");
    EXPECT_EQ(view->xAxis->range(), QCPRange(500, 520)); // the view stays
    EXPECT_EQ(panel()->valueDisplay(6)->text(), "20");
    panel()->SetGraphVisible(4);
    EXPECT_EQ(view->yAxis->label(), "b*");
    // The file's headings name its colour-space values everywhere in the
    // panel, whatever colour space the sensor is set to now.
    EXPECT_EQ(panel()->signalSelector()->itemText(4), "b*");

    // A recording that starts shows the live signals again.
    app::endRecordReview(*session);
    EXPECT_FALSE(view->isVisible());
    EXPECT_FALSE(panel()->readout()->isVisible());
    EXPECT_EQ(panel()->signalSelector()->itemText(4), "y");
}

} // namespace
} // namespace tavrino::test
