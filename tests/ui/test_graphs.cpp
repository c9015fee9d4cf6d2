// The live graphs on the real widgets: the taught shapes and the cursors
// where the graph logic puts them, grey shapes and the hit marking, the
// background pictures, zoom, maximise, the signal graph panel, and replots
// at display rate however many frames arrive.
#include "ui_fixture.h"
#include "widget_helpers.h"

#include "app/live_measurement.h"
#include "measurement/texts.h"
#include "ui/panels/measurement_display_panel.h"
#include "ui/panels/signal_graph_panel.h"
#include "ui/plot_menu.h"
#include "ui/plots/live_graphs.h"
#include "ui/plots/projection_plot.h"
#include "ui/plots/quad_arrangement.h"
#include "ui/plots/strip_chart.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>

namespace tavrino::test {
namespace {

using parameters::Control;

class GraphTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        build();
        graphs = window->liveGraphs();
        widgets = window->measurementDisplayPanel()->graphWidgets();
        widgets.pages->setCurrentIndex(2);
    }

    void teachRow(int row, const std::array<double, 6>& cells) {
        auto& p = session->parameters;
        for (int column = 0; column < 6; ++column)
            parameters::editTeachCell(p.controls, p.teachTable, p.set, *window, row, column,
                                      cells[static_cast<std::size_t>(column)]);
    }

    // One decoded frame, as the live loop hands it on.
    void frame(double csX, double csY, double csI, int colourNo) {
        measurement::MeasurementRecord& r = session->live.record;
        r.prevColorNo = r.colorNo;
        r.csX = csX;
        r.csY = csY;
        r.csI = csI;
        r.colorNo = static_cast<std::int16_t>(colourNo);
        app::SetPanelData(*session);
        window->ShowGraph();
    }

    [[nodiscard]] QColor colour(int row, int projection) const {
        return ui::ProjectionPlot::colourOf(
            graphs->shape(static_cast<std::size_t>(row), static_cast<std::size_t>(projection)));
    }

    ui::LiveGraphs* graphs = nullptr;
    ui::LiveGraphWidgets widgets;
};

QPointF corner(QCPItemPosition* p) {
    return p->coords();
}

TEST_F(GraphTest, TaughtBlockLiesWhereTheLogicSays) {
    chooseControl(*window, Control::ColorSpace, 1);
    chooseControl(*window, Control::ShapeMode, 0);
    teachRow(0, {10, 20, 50, 5, 6, 7});
    auto* top = qobject_cast<QCPItemRect*>(graphs->shape(0, 0));
    auto* side = qobject_cast<QCPItemRect*>(graphs->shape(0, 1));
    ASSERT_NE(top, nullptr);
    ASSERT_NE(side, nullptr);
    EXPECT_EQ(corner(top->topLeft), QPointF(5, 26));
    EXPECT_EQ(corner(top->bottomRight), QPointF(15, 14));
    EXPECT_EQ(corner(side->topLeft), QPointF(5, 57));
    EXPECT_EQ(corner(side->bottomRight), QPointF(15, 43));
    EXPECT_EQ(top->brush().style(), Qt::NoBrush);
    EXPECT_EQ(colour(0, 0), QColor(255, 0, 0)); // row colour 0
    // Every row is drawn, taught or not; only the taught one bounds the view.
    EXPECT_EQ(widgets.projections[2]->shapeCount(), 3u);
    EXPECT_EQ(graphs->viewBounds()[0], (measurement::Span{5, 15}));

    chooseControl(*window, Control::ShapeMode, 1);
    EXPECT_NE(qobject_cast<QCPItemEllipse*>(graphs->shape(0, 0)), nullptr);
    EXPECT_NE(qobject_cast<QCPItemRect*>(graphs->shape(0, 2)), nullptr);
}

TEST_F(GraphTest, CursorFollowsTheMeasurementAndTheViewKeepsIt) {
    chooseControl(*window, Control::ColorSpace, 1);
    teachRow(0, {10, 20, 50, 5, 6, 7});
    frame(70, -60, 20, 255);
    ASSERT_TRUE(graphs->refresh());
    const auto* plot = widgets.projections[0];
    EXPECT_EQ(plot->cursor()->position->coords(), QPointF(70, -60));
    EXPECT_TRUE(plot->xAxis->range().contains(70));
    EXPECT_TRUE(plot->yAxis->range().contains(-60));
    EXPECT_EQ(widgets.projections[2]->cursor()->position->coords(), QPointF(-60, 20));
    EXPECT_FALSE(graphs->refresh()); // nothing new
}

TEST_F(GraphTest, GreyShapesLeaveOnlyTheHitColouredAndTheGridMarksTheHit) {
    QTest::mouseDClick(widgets.projections[1], Qt::LeftButton, {}, QPoint(50, 50));
    ASSERT_TRUE(graphs->greyShapes());
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(colour(row, 1), ui::LiveGraphs::greyShape());
    frame(0.3, 0.3, 0.5, 0);
    EXPECT_EQ(colour(0, 2), QColor(255, 0, 0));
    frame(0.3, 0.3, 0.5, 2);
    EXPECT_EQ(colour(0, 2), ui::LiveGraphs::greyShape());
    EXPECT_EQ(colour(2, 2), QColor(0, 0, 255));
    const teach::TeachTable& grid = session->parameters.teachTable;
    EXPECT_EQ(grid.background(0, 0), teach::kWhite);
    EXPECT_EQ(grid.background(2, 5), teach::kHitBackground);
    EXPECT_EQ(grid.colourCell(2), (teach::Rgb{0, 0, 255}));

    QTest::mouseDClick(widgets.projections[0], Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_FALSE(graphs->greyShapes());
    EXPECT_EQ(colour(1, 0), QColor(128, 255, 0));
}

TEST_F(GraphTest, BackgroundPictureByColourSpaceAndPlainWithout) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(dir.filePath(QStringLiteral("FTxyChromaticityDiagram.bmp"))));
    graphs->setPictureDirectory(dir.path());
    ui::ProjectionPlot* plane = widgets.projections[0];
    ASSERT_NE(plane->background(), nullptr);
    EXPECT_EQ(plane->background()->topLeft->coords(), QPointF(0, 0.84));
    EXPECT_EQ(plane->background()->bottomRight->coords(), QPointF(0.74, 0));
    EXPECT_FALSE(plane->xAxis->grid()->visible());
    EXPECT_EQ(widgets.projections[1]->background(), nullptr);

    chooseControl(*window, Control::ColorSpace, 2); // L*u*v*: grid lines instead
    EXPECT_EQ(plane->background(), nullptr);
    EXPECT_TRUE(plane->xAxis->grid()->visible());
    chooseControl(*window, Control::ColorSpace, 1); // its picture is missing here
    EXPECT_EQ(plane->background(), nullptr);
    EXPECT_FALSE(plane->yAxis->grid()->visible());
}

TEST_F(GraphTest, StripChartZoomAndColourSpaceRanges) {
    widgets.pages->setCurrentIndex(1);
    chooseControl(*window, Control::ColorSpace, 1);
    // They start with the fixed ranges of the colour space.
    EXPECT_FALSE(widgets.coordinates[0]->autoscale());
    EXPECT_EQ(widgets.coordinates[0]->yAxis->range(), QCPRange(-80, 80));
    QTest::mouseDClick(widgets.coordinates[1], Qt::LeftButton, {}, QPoint(60, 30));
    for (ui::StripChart* chart : widgets.coordinates)
        EXPECT_TRUE(chart->autoscale());
    QTest::mouseClick(widgets.coordinates[2], Qt::LeftButton, {}, QPoint(60, 30));
    for (ui::StripChart* chart : widgets.coordinates)
        EXPECT_FALSE(chart->autoscale());
    EXPECT_EQ(widgets.coordinates[2]->yAxis->range(), QCPRange(-16, 100));
    EXPECT_EQ(widgets.coordinates[0]->yAxis->label(), "a*");
    // Fixed ranges follow the colour space.
    chooseControl(*window, Control::ColorSpace, 2);
    EXPECT_EQ(widgets.coordinates[0]->yAxis->range(), QCPRange(-790, 725));
    EXPECT_EQ(widgets.coordinates[1]->yAxis->label(), "v*");

    QTest::mouseDClick(widgets.xyz, Qt::LeftButton, {}, QPoint(60, 30));
    EXPECT_TRUE(widgets.xyz->autoscale());
    QTest::mouseClick(widgets.xyz, Qt::LeftButton, {}, QPoint(60, 30));
    EXPECT_EQ(widgets.xyz->yAxis->range(), QCPRange(0, 4096));
}

TEST_F(GraphTest, MaximiseCoversTheArrangementAndMinimiseRestoresIt) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    widgets.maximise->click();
    const QSize one = widgets.xyz3D->size();
    EXPECT_EQ(widgets.projections[0]->size(), QSize(2 * one.width() + 1, 2 * one.height() + 1));
    EXPECT_FALSE(widgets.xyz3D->isVisible());
    EXPECT_FALSE(widgets.projections[2]->isVisible());
    widgets.minimise->click();
    EXPECT_EQ(widgets.projections[0]->size(), one);
    EXPECT_TRUE(widgets.projections[1]->isVisible());
}

TEST_F(GraphTest, ManyFramesOneReplotPerRefresh) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    graphs->refresh();
    const std::size_t before = widgets.xyz3D->replots();
    const std::size_t hiddenBefore = widgets.xyz->replots();
    for (int i = 0; i < 1000; ++i)
        frame(0.3, 0.3, i, 255);
    EXPECT_EQ(widgets.xyz3D->replots(), before); // nothing drawn per frame
    ASSERT_TRUE(graphs->refreshTimer()->isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return widgets.xyz3D->replots() > before; }));
    EXPECT_EQ(widgets.xyz3D->replots(), before + 1);
    EXPECT_EQ(widgets.projections[0]->cursor()->position->coords(), QPointF(0.3, 0.3));
    EXPECT_EQ(widgets.xyz->replots(), hiddenBefore); // the hidden XYZ page waits until shown
}

TEST_F(GraphTest, SignalGraphPanelTracesAndSelector) {
    window->measurementDisplayPanel()->signalGraphButton()->click();
    ui::SignalGraphPanel* panel = window->signalGraphPanel();
    ASSERT_EQ(window->childPanels()->currentWidget(), panel);
    measurement::MeasurementRecord& r = session->live.record;
    r.X = 100;
    r.temp = 300;
    window->InitPanelGraph();
    for (int i = 1; i <= 3; ++i) {
        r.X = static_cast<std::int16_t>(100 + i);
        window->SetPanelGraphData();
    }
    // From the start value to the first sample at 0, then on sample by sample.
    QCPCurve* x = panel->trace(0);
    ASSERT_EQ(x->dataCount(), 4);
    EXPECT_EQ(x->data()->at(0)->key, 0);
    EXPECT_EQ(x->data()->at(0)->value, 100);
    EXPECT_EQ(x->data()->at(1)->value, 101);
    EXPECT_EQ(x->data()->at(3)->key, 2);
    ASSERT_TRUE(graphs->refresh());
    EXPECT_EQ(panel->counterDisplay()->text(), "3");
    EXPECT_EQ(panel->valueDisplay(0)->text(), "103");
    EXPECT_EQ(panel->valueDisplay(6)->text(), "300");

    choose(panel->signalSelector(), 6);
    EXPECT_TRUE(panel->graph(6)->isVisible());
    EXPECT_FALSE(panel->graph(0)->isVisible());
    panel->SetGraphVisible(9);
    EXPECT_TRUE(panel->graph(0)->isVisible());
    EXPECT_FALSE(panel->graph(6)->isVisible());

    window->InitPanelGraph();
    EXPECT_EQ(x->dataCount(), 0);
    panel->closeButton()->click();
    EXPECT_EQ(window->childPanels()->currentWidget(), window->measurementDisplayPanel());
}

QString captionOf(const QCustomPlot* plot) {
    for (QCPLayoutElement* element : plot->plotLayout()->elements(true))
        if (const auto* text = qobject_cast<const QCPTextElement*>(element); text && text->visible())
            return text->text();
    return {};
}

TEST_F(GraphTest, ProjectionsAreCaptionedForTheColourSpace) {
    struct Case {
        int colourSpace;
        std::array<const char*, 3> captions;
    };
    // Away from the start value first, and back to it.
    const Case cases[] = {
        {1, {"a*/b*", "a*/L*", "b*/L*"}},   {2, {"u*/v*", "u*/L*", "v*/L*"}},
        {3, {"C*/h*", "C*/L*", "h*/L*"}},   {4, {"u'/v'", "u'/L*", "v'/L*"}},
        {0, {"x/y", "x/Y:100", "y/Y:100"}},
    };
    for (const Case& c : cases) {
        chooseControl(*window, Control::ColorSpace, c.colourSpace);
        for (std::size_t p = 0; p < 3; ++p)
            EXPECT_EQ(captionOf(widgets.projections[p]), c.captions[p]) << c.colourSpace << " " << p;
    }
}

TEST_F(GraphTest, RightClickOnAGraphShowsItsHelp) {
    namespace mt = measurement::texts;
    const std::vector<std::pair<QWidget*, Text>> cases = {
        {widgets.xyz3D, mt::kXyzChartHelp},
        {widgets.coordinates[1], mt::kColourSpaceChartHelp},
        {widgets.projections[2], mt::kThreeSidedViewHelp},
        {window->measurementDisplayPanel()->signalGraphButton(), mt::kOpenSignalGraphHelp},
        {window->signalGraphPanel()->closeButton(), mt::kCloseSignalGraphHelp},
        {window->signalGraphPanel()->signalSelector(), mt::kSignalSelectorHelp},
        {window->signalGraphPanel()->graph(0), mt::kSignalGraphHelp},
    };
    for (const auto& [widget, help] : cases) {
        scripted.calls.clear();
        QTest::mouseClick(widget, Qt::RightButton, {}, QPoint(5, 5));
        // A graph's right click opens its menu, whose first entry is the help.
        if (qobject_cast<QCustomPlot*>(widget) != nullptr) {
            EXPECT_TRUE(scripted.calls.empty()) << help.en;
            QMenu* menu = window->help().plotMenu().menu();
            menu->hide();
            menu->actions().at(0)->trigger();
        }
        ASSERT_EQ(scripted.calls.size(), 1u) << help.en;
        EXPECT_EQ(scripted.calls[0].text, help.en);
    }
    EXPECT_FALSE(graphs->greyShapes());
}

} // namespace
} // namespace tavrino::test
