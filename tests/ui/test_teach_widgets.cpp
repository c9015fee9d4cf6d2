// The teach table page's block edits on the grid's real selection and its
// teach-tolerance entries; the table settings page following its mode.

#include "app/recorded_value_teach.h"
#include "app/table_settings.h"
#include "ui/number_cells.h"
#include "ui/pages/table_settings_page.h"
#include "ui/pages/teach_table_page.h"
#include "ui/panels/mean_value_teach_panel.h"
#include "ui/panels/recorded_value_teach_panel.h"
#include "ui/plots/cloud_plot.h"
#include "ui_fixture.h"
#include "widget_helpers.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

namespace tavrino::test {
namespace {

QAction* entry(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

TEST_F(UiTest, BlockEditsActOnTheDraggedAndCtrlClickedCells) {
    build();
    ui::TeachTablePage* page = window->teachTablePage();
    QTableWidget* grid = page->grid();
    QItemSelectionModel* selection = grid->selectionModel();
    // A drag over row 1, columns 5..7 (the last is the colour cell), and a
    // Ctrl-click on row 0, column 1.
    selection->select(QItemSelection(grid->model()->index(1, 4), grid->model()->index(1, 6)),
                      QItemSelectionModel::Select);
    selection->select(grid->model()->index(0, 0), QItemSelectionModel::Select);
    scripted.promptAnswers = {std::string("7.5")};
    entry(page->gridMenu(), "Set selection to")->trigger();

    EXPECT_EQ(grid->item(0, 0)->text(), "7.5000");
    EXPECT_EQ(grid->item(1, 4)->text(), "7.5000");
    EXPECT_EQ(grid->item(1, 5)->text(), "7.5000");
    EXPECT_EQ(grid->item(1, 6)->text(), "");
    EXPECT_EQ(grid->item(1, 3)->text(), "0.0000");
    EXPECT_EQ(session->parameters.set.teach[1][5], 7.5);

    entry(page->gridMenu(), "Teach tolerance off")->trigger();
    EXPECT_EQ(session->parameters.teachToleranceOff, 1);
    EXPECT_FALSE(entry(page->gridMenu(), "Teach tolerance off")->isEnabled());
    EXPECT_TRUE(entry(page->gridMenu(), "Teach tolerance on")->isEnabled());
}

TEST_F(UiTest, TableSettingsPageFollowsTheRowColourMode) {
    build();
    auto* page = static_cast<ui::TableSettingsPage*>(window->page(MainTab::TableSettings));
    window->showMainTab(MainTab::TableSettings);
    for (const int mode : {1, 0}) {
        page->modeSelect()->setCurrentIndex(mode);
        const bool automatic = mode == 1;
        EXPECT_EQ(session->tableSettings.automatic(), automatic);
        EXPECT_EQ(page->rowSelect()->isEnabled(), !automatic);
        EXPECT_EQ(page->colourSelect()->isEnabled(), !automatic);
        EXPECT_EQ(page->setRowColourButton()->isEnabled(), !automatic);
        EXPECT_EQ(page->measuredColour()->isVisibleTo(page), automatic);
    }
    // A painted row shows in both tables.
    app::selectRow(*session, 1);
    app::selectColour(*session, 0x00FF00);
    page->setRowColourButton()->click();
    EXPECT_EQ(page->table()->item(1, 1)->background().color(), QColor(0, 255, 0));
    EXPECT_EQ(window->teachTablePage()->grid()->item(1, 6)->background().color(), QColor(0, 255, 0));
    // The operator's specification goes into the model.
    page->table()->item(2, 0)->setText(QStringLiteral("Deckel gr\u00fcn"));
    EXPECT_EQ(session->rowColours.specification(2), "Deckel gr\xC3\xBCn");
}

TEST_F(UiTest, MeanValuePanelCapturesTheRecordAndRecomputesOnAnEdit) {
    build();
    auto* panel = window->findChild<ui::MeanValueTeachPanel*>();
    ASSERT_NE(panel, nullptr);
    for (const double x : {1.0, 3.0}) {
        session->live.record.csX = x;
        session->live.record.csY = 2;
        session->live.record.csI = 4 - x;
        panel->captureButton()->click();
    }
    EXPECT_EQ(panel->counterDisplay()->text(), "2");
    EXPECT_EQ(panel->meanTable()->item(0, 0)->text(), "2.0000");
    EXPECT_EQ(panel->maxDeltaEDisplay()->text(), "1.4142");
    // As the cell editor stores a typed value.
    panel->valueTable()->item(1, 1)->setData(ui::kFullValueRole, 4.0);
    EXPECT_EQ(panel->meanTable()->item(0, 1)->text(), "3.0000");
    scripted.confirmAnswers = {false};
    panel->resetButton()->click();
    EXPECT_EQ(panel->counterDisplay()->text(), "2");
}

TEST_F(UiTest, RecordedValuePanelPlotsEveryStoredFrameAndItsCursorsAgree) {
    build();
    window->resize(1024, 768);
    window->show();
    window->teachTablePage()->teachRecordedValueButton()->click();
    auto* panel = window->findChild<ui::RecordedValueTeachPanel*>();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(panel->isVisible());
    const std::vector<teach::Triple> frames = {{0.2, 0.3, 20}, {0.4, 0.5, 60}, {0.4, 0.6, 60}};
    for (const teach::Triple& f : frames) {
        session->live.record.csX = f[0];
        session->live.record.csY = f[1];
        session->live.record.csI = f[2];
        app::SetTP2Data(*session);
        for (std::size_t g = 0; g < 3; ++g)
            EXPECT_EQ(panel->graph(g)->pointCount(), session->teachPanels.recorded.counter());
    }
    panel->repaintIfDirty();
    EXPECT_EQ(panel->counterDisplay()->text(), "3");
    EXPECT_EQ(panel->graph(2)->cursorPosition(), (teach::PlotPoint{0.6, 60}));

    // A press beside the point of entries 1 and 2 in CSXI: the cursor
    // snaps onto it and the earlier entry is taken in all three graphs.
    ui::CloudPlot* csxi = panel->graph(1);
    csxi->replot();
    const QPoint near(static_cast<int>(csxi->xAxis->coordToPixel(0.4)) + 3,
                      static_cast<int>(csxi->yAxis->coordToPixel(60)) - 2);
    QTest::mousePress(csxi, Qt::LeftButton, {}, near);
    EXPECT_EQ(panel->graph(0)->cursorPosition(), (teach::PlotPoint{0.4, 0.5}));
    EXPECT_EQ(panel->graph(1)->cursorPosition(), (teach::PlotPoint{0.4, 60}));
    EXPECT_EQ(panel->graph(2)->cursorPosition(), (teach::PlotPoint{0.5, 60}));
    panel->repaintIfDirty();
    EXPECT_EQ(panel->valueDisplay(1)->text(), "0.5000");
    QTest::keyClick(panel->graph(0), Qt::Key_Left);
    EXPECT_EQ(panel->graph(2)->cursorPosition(), (teach::PlotPoint{0.3, 20}));

    // After a reset the old points leave the picture even when more new
    // ones arrive before the next repaint.
    ui::CloudPlot* csxy = panel->graph(0);
    csxy->replot();
    const auto redAt = [csxy](double x, double y) {
        const QImage picture = csxy->grab().toImage();
        return picture.pixelColor(static_cast<int>(csxy->xAxis->coordToPixel(x)),
                                  static_cast<int>(csxy->yAxis->coordToPixel(y))) == QColor(255, 0, 0);
    };
    EXPECT_TRUE(redAt(0.4, 0.5)); // entry 0 has the cursor on it
    scripted.confirmAnswers = {true};
    panel->resetButton()->click();
    EXPECT_EQ(csxy->pointCount(), 0);
    for (const double x : {0.5, 0.55, 0.6, 0.65}) {
        session->live.record.csX = x;
        session->live.record.csY = x; // off the cursor's lines, which stand on the newest
        app::SetTP2Data(*session);
    }
    csxy->replot();
    EXPECT_FALSE(redAt(0.4, 0.5));
    EXPECT_TRUE(redAt(0.55, 0.55));

    // START is dimmed with the other exchange buttons.
    session->dimming.SetButtonsDimmed(0, true);
    EXPECT_FALSE(panel->startButton()->isEnabled());
    session->dimming.SetButtonsDimmed(0, false);
    EXPECT_TRUE(panel->startButton()->isEnabled());
}

TEST_F(UiTest, TeachCellsTheSensorCannotHoldAreRefusedAtEntry) {
    using parameters::Control;
    build();
    window->show();
    chooseControl(*window, Control::DigitalOutmode, 3); // the teach table page is there
    window->showMainTab(MainTab::TeachTable);
    QTableWidget* grid = window->teachTablePage()->grid();
    const teach::TeachTable& table = session->parameters.teachTable;

    editCell(grid, 1, 2, "32767.5");
    EXPECT_EQ(table.cell(1, 2), 32767.5);
    for (const char* typed : {"999999", "32768", "-32768.5", "abc"}) {
        editCell(grid, 1, 2, typed);
        EXPECT_EQ(table.cell(1, 2), 32767.5) << typed;
        EXPECT_EQ(session->parameters.set.teach[1][2], 32767.5) << typed;
        EXPECT_EQ(grid->item(1, 2)->text(), "32767.5000") << typed;
    }

    // The same for a block edit's answer.
    grid->setCurrentCell(0, 0);
    scripted.promptAnswers = {std::string("999999")};
    entry(window->teachTablePage()->gridMenu(), "Set selection to")->trigger();
    EXPECT_EQ(table.cell(0, 0), 0.0);
    EXPECT_EQ(grid->item(0, 0)->text(), "0.0000");

    // And for a captured value of the mean-value panel, which is taught.
    auto* panel = window->findChild<ui::MeanValueTeachPanel*>();
    ASSERT_NE(panel, nullptr);
    session->live.record.csX = 0.25;
    panel->captureButton()->click();
    panel->valueTable()->item(0, 0)->setData(ui::kFullValueRole, 999999.0); // as the cell editor stores it
    EXPECT_EQ(session->teachPanels.meanCaptures.rows()[0][0], 0.25);
    EXPECT_EQ(panel->valueTable()->item(0, 0)->text(), "0.2500");
    EXPECT_EQ(panel->meanTable()->item(0, 0)->text(), "0.2500");
}

TEST_F(UiTest, TeachPanelsShowCoordinatesWithTheDecimalsOfTheColourSpace) {
    using parameters::Control;
    build();
    auto* mean = window->findChild<ui::MeanValueTeachPanel*>();
    auto* recorded = window->findChild<ui::RecordedValueTeachPanel*>();
    ASSERT_NE(mean, nullptr);
    ASSERT_NE(recorded, nullptr);
    session->live.record.csX = 0.123456;
    session->live.record.csY = 12.3456;
    session->live.record.csI = 50.123456;
    mean->captureButton()->click();
    app::SetTP2Data(*session);

    struct Case {
        int colourSpace;
        std::array<const char*, 3> shown;
    };
    const Case cases[] = {
        {1, {"0.12", "12.35", "50.12"}},       // L*a*b*
        {2, {"0.12", "12.35", "50.12"}},       // L*u*v*
        {3, {"0.12", "12.35", "50.12"}},       // L*C*h*
        {4, {"0.1235", "12.3456", "50.123"}},  // u'v'L*
        {0, {"0.1235", "12.3456", "50.1235"}}, // xyY
    };
    for (const Case& c : cases) {
        chooseControl(*window, Control::ColorSpace, c.colourSpace);
        recorded->repaintIfDirty();
        for (std::size_t i = 0; i < 3; ++i) {
            const int column = static_cast<int>(i);
            EXPECT_EQ(mean->valueTable()->item(0, column)->text(), c.shown[i]) << c.colourSpace;
            EXPECT_EQ(mean->meanTable()->item(0, column)->text(), c.shown[i]) << c.colourSpace;
            EXPECT_EQ(recorded->valueDisplay(i)->text(), c.shown[i]) << c.colourSpace;
        }
    }
}

} // namespace
} // namespace tavrino::test
