// The calibration page and panel on the real widgets: Scroll All, edits
// through the table views, the tint while a question is open, the password
// box and the visibility of both offset pages.

#include "app/live_measurement.h"
#include "calibration/conversion.h"
#include "ui/number_cells.h"
#include "ui/page_selector.h"
#include "ui/pages/calibration_page.h"
#include "ui/pages/offset_adjustment_page.h"
#include "ui/pages/zero_point_offset_page.h"
#include "ui/panels/calibration_panel.h"
#include "ui/panels/password_panel.h"
#include "ui_fixture.h"
#include "widget_helpers.h"

#include <QBrush>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

#include <functional>

namespace tavrino::test {
namespace {

using ui::CalibTable;

// Lets a test look at the widgets while a question is open.
class PeekingOperator : public ScriptedOperator {
public:
    std::function<void()> whileAsked;
    bool confirm(std::string_view title, std::string_view text) override {
        if (whileAsked)
            whileAsked();
        return ScriptedOperator::confirm(title, text);
    }
};

class CalibrationUiTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        gui = std::make_unique<ui::GuiOperator>(&peeking);
    }

    // The main window at its default size with the calibration page chosen.
    void open() {
        build();
        window->resize(ui::kDefaultWidth, ui::kDefaultHeight);
        window->show();
        QTest::mouseClick(window->mainTabs()->button(static_cast<int>(MainTab::Calibration)), Qt::LeftButton);
        panel = static_cast<ui::CalibrationPanel*>(window->childPanel(ChildPanel::Calibration));
        page = window->calibrationPage();
        ASSERT_TRUE(panel->isVisible());
    }

    [[nodiscard]] QColor background(CalibTable table, int row = 0) const {
        ui::CalibTableModel* m = panel->model(table);
        return m->data(m->index(row, 0), Qt::BackgroundRole).value<QBrush>().color();
    }
    [[nodiscard]] QColor rowLabel(CalibTable table, int row) const {
        return panel->model(table)->headerData(row, Qt::Vertical, Qt::BackgroundRole).value<QBrush>().color();
    }
    [[nodiscard]] QString shown(CalibTable table, int row, int column) const {
        ui::CalibTableModel* m = panel->model(table);
        return m->data(m->index(row, column), Qt::DisplayRole).toString();
    }

    PeekingOperator peeking;
    ui::CalibrationPanel* panel = nullptr;
    ui::CalibrationPage* page = nullptr;
};

// Types into a cell's editor: F2, the text, Enter.
void typeIntoCell(QTableView* view, int row, int column, const QString& text) {
    view->setCurrentIndex(view->model()->index(row, column));
    QTest::keyClick(view, Qt::Key_F2);
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : view->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible())
            editor = e;
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    const QPointer<QLineEdit> open(editor);
    EXPECT_TRUE(QTest::qWaitFor([&open] { return open.isNull() || !open->isVisible(); }));
}

int firstRow(const QTableView* view) {
    return view->verticalScrollBar()->value();
}

TEST_F(CalibrationUiTest, ScrollAllKeepsTheSixTablesAtOneRow) {
    open();
    panel->tabs()->setCurrentIndex(static_cast<int>(app::CalibPage::SetValue));
    const auto& views = panel->scrolledViews();
    views[0]->verticalScrollBar()->setValue(7);
    EXPECT_EQ(firstRow(views[2]), 0) << "unchecked: each table scrolls alone";

    panel->scrollAllBox()->setChecked(true);
    for (QTableView* v : {views[0], views[1], views[2], views[3]})
        EXPECT_EQ(firstRow(v), 0) << "checking it scrolls all to the top";
    views[3]->verticalScrollBar()->setValue(20);
    for (QTableView* v : {views[0], views[1], views[2]})
        EXPECT_EQ(firstRow(v), 20);
    // The SENSOR DATA tables were on a page not shown; they follow when it is.
    panel->tabs()->setCurrentIndex(static_cast<int>(app::CalibPage::SensorData));
    EXPECT_EQ(session->calibration.page, app::CalibPage::SensorData);
    EXPECT_EQ(firstRow(views[4]), 20);
    EXPECT_EQ(firstRow(views[5]), 20);
    views[5]->verticalScrollBar()->setValue(33);
    EXPECT_EQ(firstRow(views[4]), 33);
    panel->tabs()->setCurrentIndex(static_cast<int>(app::CalibPage::SetValue));
    EXPECT_EQ(firstRow(views[0]), 33);
}

TEST_F(CalibrationUiTest, EditsReachTheTablesAndTheComputedCellsFollow) {
    open();
    panel->tabs()->setCurrentIndex(static_cast<int>(app::CalibPage::SetValue));
    // L*a*b* (50, 0, 0) into row 1: its XYZ row is computed at once.
    typeIntoCell(panel->view(CalibTable::SetValues), 0, 0, "50");
    const auto& t = session->calibration.tables;
    EXPECT_EQ(t.setValues[0][0], 50.0);
    const calibration::Triple xyz = calibration::setValueToXyz(2, {50, 0, 0});
    EXPECT_EQ(shown(CalibTable::XyzSetValues, 0, 1), ui::fixedText(xyz[1], 4));

    // A raw value beyond 16 bits is refused; the cell keeps what it had.
    typeIntoCell(panel->view(CalibTable::ActualValues), 4, 2, "70000");
    EXPECT_EQ(t.actual[4][2], 0);
    typeIntoCell(panel->view(CalibTable::ActualValues), 4, 2, "4711");
    EXPECT_EQ(t.actual[4][2], 4711);
    EXPECT_EQ(shown(CalibTable::ActualValues, 4, 2), "4711");
    // Computed tables take no edits.
    EXPECT_FALSE(panel->model(CalibTable::Factors)->flags(panel->model(CalibTable::Factors)->index(0, 0)) &
                 Qt::ItemIsEditable);

    // ROWS colours the row labels; the selector names the columns.
    typeInto(page->rowsField(), 3);
    EXPECT_EQ(t.rows, 3);
    EXPECT_EQ(rowLabel(CalibTable::Factors, 2), rowLabel(CalibTable::SetValues, 0));
    EXPECT_NE(rowLabel(CalibTable::Factors, 3), rowLabel(CalibTable::Factors, 2));
    EXPECT_EQ(panel->model(CalibTable::SetValues)->headerData(1, Qt::Horizontal, Qt::DisplayRole), "a*");
    choose(page->setValueSpaceSelector(), 1);
    EXPECT_EQ(panel->model(CalibTable::SetValues)->headerData(1, Qt::Horizontal, Qt::DisplayRole), "x");
}

TEST_F(CalibrationUiTest, TablesAreRedWhileTheResetIsAsked) {
    open();
    const QColor editable = background(CalibTable::ActualValues);
    const QColor computed = background(CalibTable::Factors);
    EXPECT_NE(editable, computed);
    QColor asked;
    QColor untouched;
    QColor factorsAsked;
    peeking.whileAsked = [&] {
        asked = background(CalibTable::ActualValues);
        factorsAsked = background(CalibTable::Factors);
        untouched = background(CalibTable::SetValues);
    };
    session->calibration.tables.actual[0][0] = 99;
    peeking.confirmAnswers = {false};
    page->button(ui::CalibrationPage::ResetActual)->click();
    EXPECT_EQ(asked.red(), 255);
    EXPECT_LT(asked.green(), 128);
    EXPECT_EQ(factorsAsked, asked);
    EXPECT_EQ(untouched, editable);
    EXPECT_EQ(background(CalibTable::ActualValues), editable);
    EXPECT_EQ(background(CalibTable::Factors), computed);
    EXPECT_EQ(session->calibration.tables.actual[0][0], 99) << "No resets nothing";
}

TEST_F(CalibrationUiTest, PasswordBoxStaysOpenOnAWrongEntryAndShowsTheZeroPointPage) {
    open();
    ui::PageSelector* pages = window->mainTabs();
    const int zeroPoint = static_cast<int>(MainTab::ZeroPointOffset);
    EXPECT_FALSE(pages->isPageVisible(zeroPoint));
    ui::PasswordPanel* box = window->passwordPanel();
    QTest::mouseDClick(page->decoration(), Qt::RightButton);
    ASSERT_TRUE(box->isVisible());
    EXPECT_TRUE(box->isModal());

    QTest::keyClicks(box->passwordField(), "Brasco");
    QTest::keyClick(box->passwordField(), Qt::Key_Return);
    ASSERT_FALSE(peeking.messages().empty());
    EXPECT_EQ(peeking.messages().back(), "Wrong password. \nPlease try again.");
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->passwordField()->text().isEmpty());
    EXPECT_FALSE(pages->isPageVisible(zeroPoint));

    QTest::keyClicks(box->passwordField(), "brasco");
    QTest::keyClick(box->passwordField(), Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(box->passwordField()->text().isEmpty());
    EXPECT_TRUE(pages->isPageVisible(zeroPoint));
    EXPECT_EQ(pages->currentIndex(), zeroPoint);
    for (const auto& call : peeking.calls)
        EXPECT_EQ(call.text.find("brasco"), std::string::npos) << "the entry is never shown";

    auto* zero = static_cast<ui::ZeroPointOffsetPage*>(window->page(MainTab::ZeroPointOffset));
    zero->closeButton()->click();
    EXPECT_FALSE(pages->isPageVisible(zeroPoint));
    EXPECT_EQ(pages->currentIndex(), static_cast<int>(MainTab::SensorParameter));
}

TEST_F(CalibrationUiTest, OffsetAdjustmentPageFollowsCalibrationFiveAndAbove) {
    open();
    ui::PageSelector* pages = window->mainTabs();
    const int adjustment = static_cast<int>(MainTab::OffsetAdjustment);
    QTest::mouseClick(pages->button(static_cast<int>(MainTab::SensorParameter)), Qt::LeftButton);
    chooseControl(*window, parameters::Control::Calibration, 4);
    EXPECT_FALSE(pages->isPageVisible(adjustment));
    chooseControl(*window, parameters::Control::Calibration, 5);
    EXPECT_TRUE(pages->isPageVisible(adjustment));
    chooseControl(*window, parameters::Control::Calibration, 4);
    EXPECT_FALSE(pages->isPageVisible(adjustment));
}

// Where each table reads its cells: the block's words on SENSOR DATA skip
// INTEGRAL 2 and show the correction words on the scale 128 = 1.0.
TEST_F(CalibrationUiTest, SensorDataTablesShowTheBlockWords) {
    open();
    calibration::CalibrationBlock& b = session->calibration.tables.sensor.block;
    for (std::size_t i = 0; i < b.parameters.size(); ++i)
        b.parameters[i] = static_cast<std::uint16_t>(100 + i);
    b.parameters[11] = 128;
    b.whitePoint = {9505, 10000, 10890};
    b.referenceActual = {1, 2, 3};
    session->calibration.notify(app::CalibrationChange::SensorData);
    struct Case {
        CalibTable table;
        int row, column;
        QString text;
    } cases[] = {
        {CalibTable::SensorParameters, 0, 2, "102"},      // INTEGRAL 1
        {CalibTable::SensorParameters, 1, 0, "104"},      // DOUBLE PARA POWER1
        {CalibTable::SensorParameters, 2, 2, "109"},      // DOUBLE PARA INTEGRAL2
        {CalibTable::SensorCorrection, 0, 1, "1.000000"}, // word 128
        {CalibTable::SensorWhitePoint, 0, 2, "10890"},    {CalibTable::SensorReferenceActual, 0, 0, "1"},
        {CalibTable::SensorWhiteBalance, 0, 1, "1024"},
    };
    for (const Case& k : cases)
        EXPECT_EQ(shown(k.table, k.row, k.column), k.text) << static_cast<int>(k.table);
    EXPECT_FALSE(panel->model(CalibTable::SensorValues)->editable());
}

// ---- against the simulated sensor ----

class SimCalibrationTest : public SimUiTest {
protected:
    void SetUp() override {
        SimUiTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(buildConnected());
        window->resize(ui::kDefaultWidth, ui::kDefaultHeight);
        window->show();
        QTest::mouseClick(window->mainTabs()->button(static_cast<int>(MainTab::Calibration)), Qt::LeftButton);
        panel = static_cast<ui::CalibrationPanel*>(window->childPanel(ChildPanel::Calibration));
        page = window->calibrationPage();
    }

    ui::CalibrationPanel* panel = nullptr;
    ui::CalibrationPage* page = nullptr;
};

// Rows assigned from live frames, factors computed, sent to the user slot and
// read back: the SENSOR DATA tables show what the sensor stored.
TEST_F(SimCalibrationTest, AssignedRowsTravelToTheSensorAndBack) {
    typeInto(page->rowsField(), 3);
    for (int row = 0; row < 3; ++row) {
        ASSERT_EQ(app::fetchLiveFrame(*session), 1);
        page->button(ui::CalibrationPage::AssignToRow)->click();
    }
    const auto& t = session->calibration.tables;
    EXPECT_EQ(t.rowNo, 4);
    EXPECT_EQ(t.actual[2][1], static_cast<std::uint16_t>(session->live.record.rawY));
    page->button(ui::CalibrationPage::Calculate)->click();
    scripted.confirmAnswers = {true};
    page->button(ui::CalibrationPage::Send)->click();
    EXPECT_TRUE(page->button(ui::CalibrationPage::Send)->isEnabled()) << "undimmed after the send";
    page->button(ui::CalibrationPage::Read)->click();

    EXPECT_EQ(panel->tabs()->currentIndex(), static_cast<int>(app::CalibPage::SensorData));
    ui::CalibTableModel* values = panel->model(CalibTable::SensorValues);
    ui::CalibTableModel* factors = panel->model(CalibTable::SensorFactors);
    for (int row = 0; row < 3; ++row)
        for (int k = 0; k < 3; ++k) {
            const auto r = static_cast<std::size_t>(row);
            const auto c = static_cast<std::size_t>(k);
            EXPECT_EQ(values->value(row, k), t.actual[r][c]) << row << "," << k;
            EXPECT_EQ(factors->value(row, k), t.factors[r][c]) << row << "," << k;
        }
    EXPECT_EQ(panel->sensorRowsDisplay()->text(), "3");
}

// GET fills both offset pages; ASSIGN XYZ OFFSET changes only the boxes until
// SEND XYZ OFFSET stores them in the sensor.
TEST_F(SimCalibrationTest, OffsetPagesGetAssignAndSend) {
    sim::SensorMemory& memory = server.sensor().memory();
    memory.zeroPoint = {11, 12, 13};
    memory.xyzOffset = {21, 22, 23};
    chooseControl(*window, parameters::Control::Calibration, 5);
    auto* zero = static_cast<ui::ZeroPointOffsetPage*>(window->page(MainTab::ZeroPointOffset));
    auto* adjustment = static_cast<ui::OffsetAdjustmentPage*>(window->page(MainTab::OffsetAdjustment));
    QTest::mouseClick(window->mainTabs()->button(static_cast<int>(MainTab::OffsetAdjustment)),
                      Qt::LeftButton);
    adjustment->getButton()->click();
    EXPECT_EQ(zero->valueField(2)->value(), 13);
    EXPECT_EQ(adjustment->valueBox(0)->text(), "21");
    const auto typeBox = [](QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    };
    typeBox(adjustment->valueBox(1), "7x");
    EXPECT_EQ(adjustment->valueBox(1)->text(), "22") << "not a number: the box keeps its value";
    typeBox(adjustment->valueBox(1), "4711");
    EXPECT_EQ(session->calibration.xyzOffset[1], 4711);

    ASSERT_EQ(app::fetchLiveFrame(*session), 1);
    adjustment->assignButton()->click();
    const QString rawX = QString::number(session->live.record.rawX);
    EXPECT_EQ(adjustment->valueBox(0)->text(), rawX);
    EXPECT_EQ(memory.xyzOffset[0], 21) << "nothing sent yet";
    adjustment->sendButton()->click();
    EXPECT_EQ(QString::number(memory.xyzOffset[0]), rawX);
    EXPECT_EQ(memory.zeroPoint[0], 11);
}

} // namespace
} // namespace tavrino::test
