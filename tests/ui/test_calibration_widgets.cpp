// The calibration page and panel on the real widgets: Scroll All, edits
// through the table views, the tint while a question is open, the password
// box, the visibility of both offset pages, the live raw values beside the
// ASSIGN buttons, the page's texts in both languages and the width of the
// SENSOR DATA columns.

#include "app/live_measurement.h"
#include "calibration/conversion.h"
#include "ui/number_cells.h"
#include "ui/page_selector.h"
#include "ui/pages/calibration_page.h"
#include "ui/pages/connection_page.h"
#include "ui/pages/offset_adjustment_page.h"
#include "ui/pages/zero_point_offset_page.h"
#include "ui/panels/calibration_panel.h"
#include "ui/panels/password_panel.h"
#include "ui/raw_value_displays.h"
#include "ui_fixture.h"
#include "widget_helpers.h"

#include <QApplication>
#include <QBrush>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <functional>
#include <vector>

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

void chooseLanguage(ui::MainWindow& window, Language language) {
    QComboBox* select = window.connectionPage()->languageSelect();
    const int index = language == Language::German ? 0 : 1;
    select->setCurrentIndex(index);
    emit select->activated(index);
}

// What three raw-value displays show, in channel order.
QStringList shownRaw(const ui::RawValueDisplays* raw) {
    QStringList texts;
    for (std::size_t i = 0; i < 3; ++i)
        texts << raw->display(i)->text();
    return texts;
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

// The raw values of the live measurement stand where ASSIGN, ASSIGN TO ROW
// and ASSIGN XYZ OFFSET take them: the operator sees what is assigned. Only
// the set in front repaints.
TEST_F(CalibrationUiTest, RawValuesShowWhereTheyAreAssigned) {
    open();
    chooseLanguage(*window, Language::German);
    ui::RawValueDisplays* reference = panel->rawDisplays(app::CalibPage::Reference);
    ui::RawValueDisplays* setValue = panel->rawDisplays(app::CalibPage::SetValue);
    auto* adjustment = static_cast<ui::OffsetAdjustmentPage*>(window->page(MainTab::OffsetAdjustment));
    const char* const captions[] = {"RAW X", "RAW Y", "RAW Z"};
    for (const ui::RawValueDisplays* raw : {reference, setValue, adjustment->rawDisplays()})
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(raw->caption(i)->text(), captions[i]);

    measurement::MeasurementRecord r;
    r.rawX = 1234;
    r.rawY = 32767;
    r.rawZ = 7;
    session->live.record = r;
    app::SetPanelData(*session);
    const QStringList expected{"1234", "32767", "7"};
    ASSERT_TRUE(reference->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownRaw(reference) == expected; }));
    EXPECT_FALSE(setValue->repaintTimer()->isActive()) << "its page is not in front";

    panel->tabs()->setCurrentIndex(static_cast<int>(app::CalibPage::SetValue));
    EXPECT_EQ(shownRaw(setValue), expected);
    EXPECT_FALSE(reference->repaintTimer()->isActive());
    page->button(ui::CalibrationPage::AssignToRow)->click();
    EXPECT_EQ(shownRaw(setValue),
              QStringList({shown(CalibTable::ActualValues, 0, 0), shown(CalibTable::ActualValues, 0, 1),
                           shown(CalibTable::ActualValues, 0, 2)}));

    QTest::mouseClick(window->mainTabs()->button(static_cast<int>(MainTab::SensorParameter)), Qt::LeftButton);
    chooseControl(*window, parameters::Control::Calibration, 5);
    QTest::mouseClick(window->mainTabs()->button(static_cast<int>(MainTab::OffsetAdjustment)),
                      Qt::LeftButton);
    ASSERT_TRUE(adjustment->rawDisplays()->isVisible());
    EXPECT_EQ(shownRaw(adjustment->rawDisplays()), expected);
    r.rawX = 99;
    session->live.record = r;
    app::SetPanelData(*session);
    EXPECT_TRUE(QTest::qWaitFor([&] { return adjustment->rawDisplays()->display(0)->text() == "99"; }));
    adjustment->assignButton()->click();
    EXPECT_EQ(adjustment->valueBox(0)->text(), "99");
    EXPECT_EQ(adjustment->valueBox(1)->text(), "32767");
}

// The page's captions and the panel's instructions are refilled by the
// language switch.
TEST_F(CalibrationUiTest, CalibrationTextsInBothLanguages) {
    open();
    const auto pageTexts = [this] {
        QStringList texts;
        for (const QGroupBox* box : page->findChildren<QGroupBox*>())
            texts << box->title();
        for (const QLabel* label : page->findChildren<QLabel*>())
            texts << label->text();
        return texts;
    };
    struct Case {
        Language language;
        QStringList onPage;
        QStringList setValueSteps;
        QString computedAtOnce;
    } cases[] = {
        {Language::German,
         {"PARAMETER",
          "Stellen Sie sicher, dass der Sensor mit den richtigen Parameterwerten eingestellt ist.",
          "REFERENZ", "SOLLWERTE TABELLE", "XYZ MESSWERTE TABELLE"},
         {"ROWS", "No.:", "ASSIGN TO ROW", "FAKTOREN BERECHNEN", "SENDEN"},
         "sofort berechnet"},
        {Language::English,
         {"PARAMETER", "Make sure that you have adjusted the sensor with proper parameter values.",
          "REFERENCE", "SETVALUE TABLE", "ACTUAL XYZ VALUE TABLE"},
         {"ROWS", "No.:", "ASSIGN TO ROW", "CALCULATE FACTORS", "SEND"},
         "computed at once"},
    };
    for (const Case& k : cases) {
        chooseLanguage(*window, k.language);
        const QStringList texts = pageTexts();
        for (const QString& text : k.onPage)
            EXPECT_TRUE(texts.contains(text)) << text.toStdString();
        const QString steps = panel->instructions(app::CalibPage::SetValue)->toPlainText();
        for (const QString& step : k.setValueSteps)
            EXPECT_TRUE(steps.contains(step)) << step.toStdString();
        // Both the reference's XYZ and the white point follow at once.
        EXPECT_EQ(panel->instructions(app::CalibPage::Reference)->toPlainText().count(k.computedAtOnce), 2)
            << k.computedAtOnce.toStdString();
    }
}

// The note and the raw values take no room from the tables: at the window's
// default size the calibration page and every page of the panel show whole,
// in both languages.
TEST_F(CalibrationUiTest, PageAndPanelFitTheDefaultWindow) {
    open();
    for (const Language language : {Language::German, Language::English}) {
        chooseLanguage(*window, language);
        for (int tab = 0; tab < panel->tabs()->count(); ++tab) {
            panel->tabs()->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            for (const QWidget* w : {static_cast<QWidget*>(page), static_cast<QWidget*>(panel)})
                for (const QScrollArea* area : w->findChildren<QScrollArea*>())
                    EXPECT_EQ(area->verticalScrollBar()->maximum(), 0)
                        << w->metaObject()->className() << " page " << tab << " language "
                        << static_cast<int>(language);
        }
    }
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

// SENSOR DATA's 64-row tables show every 16-bit number whole, in the
// default font and in a larger one.
class SensorColumnsTest : public CalibrationUiTest, public ::testing::WithParamInterface<double> {};

TEST_P(SensorColumnsTest, ShowTheirNumbersWhole) {
    // The font goes back whichever way the test ends.
    struct ScaledFont {
        QFont before = QApplication::font();
        explicit ScaledFont(double scale) {
            QFont scaled = before;
            scaled.setPointSizeF(before.pointSizeF() * scale);
            QApplication::setFont(scaled);
        }
        ~ScaledFont() { QApplication::setFont(before); }
    } font(GetParam());
    open();
    auto& sensor = session->calibration.tables.sensor;
    for (auto* rows : {&sensor.values, &sensor.factors})
        for (auto& row : *rows)
            row = {12889, 65535, 58888};
    session->calibration.notify(app::CalibrationChange::SensorData);
    panel->tabs()->setCurrentIndex(static_cast<int>(app::CalibPage::SensorData));
    QCoreApplication::processEvents();
    for (CalibTable table : {CalibTable::SensorValues, CalibTable::SensorFactors}) {
        QTableView* view = panel->view(table);
        ASSERT_TRUE(view->isVisible());
        const QAbstractItemView* asView = view;
        for (int column = 0; column < 3; ++column) {
            EXPECT_GE(view->columnWidth(column), asView->sizeHintForColumn(column))
                << static_cast<int>(table) << " column " << column;
            EXPECT_LE(view->columnViewportPosition(column) + view->columnWidth(column),
                      view->viewport()->width())
                << static_cast<int>(table) << " column " << column << " reaches under the scroll bar";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fonts, SensorColumnsTest, ::testing::Values(1.0, 1.4));

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
