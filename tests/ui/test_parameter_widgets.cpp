// The parameter controls on the sensor parameter page, the teach table page
// and the double-parameter panel: the option rules as the operator meets
// them through the widgets, the teach table grid and the two parameter
// tables, both ways between widgets and models.
#include "ui_fixture.h"
#include "widget_helpers.h"

#include "parameters/texts.h"
#include "ui/page_selector.h"
#include "ui/pages/sensor_parameter_page.h"
#include "ui/pages/teach_table_page.h"
#include "ui/panels/double_parameter_panel.h"
#include "ui/panels/measurement_display_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QSlider>

#include <string>
#include <vector>

namespace tavrino::test {
namespace {

using parameters::Control;
namespace pt = parameters::texts;

class ParameterWidgetTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        build();
    }

    ui::ParameterField* field(Control c) { return fieldOf(*window, c); }
    QComboBox* combo(Control c) { return field(c)->comboBox(); }
    QSpinBox* spin(Control c) { return field(c)->spinBox(); }
    bool tabVisible(MainTab tab) { return window->mainTabs()->isPageVisible(static_cast<int>(tab)); }
    // Values as a loaded parameter set brings them, without any commit.
    void preset(std::initializer_list<std::pair<Control, int>> values) {
        for (const auto& [c, v] : values)
            session->parameters.controls.setValue(c, v);
    }
    std::vector<std::string> messages() const { return scripted.messages(); }
};

// ---- the option rules through the widgets ----

TEST_F(ParameterWidgetTest, XyzOffsetWithDoubleSwitchesToSingleAndDimsPowerMode) {
    chooseControl(*window, Control::PowerMode, 1);
    // DOUBLE: the double-parameter sets apply, not the own light settings.
    EXPECT_FALSE(field(Control::Power)->slider()->isEnabled());
    EXPECT_FALSE(combo(Control::Gain)->isEnabled());
    EXPECT_TRUE(messages().empty());

    chooseControl(*window, Control::Calibration, 5);
    EXPECT_EQ(messages(), std::vector<std::string>{std::string(pt::kDoubleNotWithOffset.en)});
    EXPECT_EQ(combo(Control::PowerMode)->currentText(), "SINGLE");
    EXPECT_FALSE(combo(Control::PowerMode)->isEnabled());
    EXPECT_EQ(session->parameters.controls.code(Control::PowerMode), 0);
    EXPECT_TRUE(tabVisible(MainTab::OffsetAdjustment));
    for (QWidget* w :
         {static_cast<QWidget*>(field(Control::Power)->slider()), static_cast<QWidget*>(spin(Control::Power)),
          static_cast<QWidget*>(combo(Control::Gain)), static_cast<QWidget*>(spin(Control::Integral1))})
        EXPECT_TRUE(w->isEnabled());

    // Below XYZ OFFSET the page goes and POWER MODE can be changed again.
    chooseControl(*window, Control::Calibration, 0);
    EXPECT_FALSE(tabVisible(MainTab::OffsetAdjustment));
    EXPECT_TRUE(combo(Control::PowerMode)->isEnabled());
}

TEST_F(ParameterWidgetTest, FactoryCalibrationDimsTheLightSettingsSilently) {
    chooseControl(*window, Control::Average, 2); // INTEGRAL 2 free of the AVERAGE 1 rule
    chooseControl(*window, Control::Calibration, 1);
    EXPECT_TRUE(messages().empty());
    for (Control c : {Control::Power, Control::Gain, Control::Integral1, Control::Integral2})
        EXPECT_FALSE(field(c)->editor()->isEnabled()) << static_cast<int>(c);
    EXPECT_TRUE(combo(Control::PowerMode)->isEnabled());
}

TEST_F(ParameterWidgetTest, AverageAndIntegral2KeepTheIntegratorInRange) {
    struct Case {
        int average;
        int integral2;
        int shown;
        bool dimmed;
        bool message;
    };
    const Case cases[] = {
        {1, 5000, 1, true, false},       // AVERAGE 1: INTEGRAL 2 is 1, whatever it was
        {4, 65535, 65535, false, false}, // below the limit: no correction
        {7, 40000, 37458, false, true},  // above: the highest allowed value, and why
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.average);
        scripted.calls.clear();
        chooseControl(*window, Control::Average, 2);
        chooseControl(*window, Control::Integral2, c.integral2);
        scripted.calls.clear();
        chooseControl(*window, Control::Average, c.average);
        EXPECT_EQ(spin(Control::Integral2)->value(), c.shown);
        EXPECT_EQ(session->parameters.controls.code(Control::Integral2), c.shown);
        EXPECT_EQ(spin(Control::Integral2)->isEnabled(), !c.dimmed);
        EXPECT_EQ(messages().size(), c.message ? 1u : 0u);
    }
}

TEST_F(ParameterWidgetTest, DirectOutputAllowsTwoTeachVectors) {
    chooseControl(*window, Control::DigitalOutmode, 3); // binary: three rows
    chooseControl(*window, Control::MaxVecNo, 3);
    EXPECT_TRUE(messages().empty());
    window->showMainTab(MainTab::SensorParameter);

    chooseControl(*window, Control::DigitalOutmode, 1);
    EXPECT_EQ(messages(), std::vector<std::string>{std::string(pt::kMaxVecNoTooHigh.en)});
    EXPECT_EQ(spin(Control::MaxVecNo)->value(), 2);
    EXPECT_EQ(window->mainTabs()->currentIndex(), static_cast<int>(MainTab::TeachTable));
    QTableWidget* grid = window->teachTablePage()->grid();
    const QColor green(0, 128, 0), red(255, 0, 0);
    EXPECT_EQ(grid->verticalHeaderItem(0)->foreground().color(), green);
    EXPECT_EQ(grid->verticalHeaderItem(1)->foreground().color(), green);
    EXPECT_EQ(grid->verticalHeaderItem(2)->foreground().color(), red);
}

TEST_F(ParameterWidgetTest, LchRemovesTheColourOutputAndTheTeachPages) {
    chooseControl(*window, Control::DigitalOutmode, 3);
    chooseControl(*window, Control::Trigger, 1);
    ASSERT_TRUE(tabVisible(MainTab::TeachTable));

    chooseControl(*window, Control::ColorSpace, 3);
    EXPECT_EQ(combo(Control::DigitalOutmode)->currentText(), "OFF");
    EXPECT_FALSE(combo(Control::DigitalOutmode)->isEnabled());
    EXPECT_FALSE(tabVisible(MainTab::TeachTable));
    EXPECT_FALSE(tabVisible(MainTab::TableSettings));
    EXPECT_EQ(combo(Control::Trigger)->currentData().toInt(), 0);
    EXPECT_EQ(combo(Control::ExternTeach)->currentData().toInt(), 0);
    // The measurement display panel loses its five teach-related displays.
    ui::MeasurementDisplayPanel* panel = window->measurementDisplayPanel();
    for (QWidget* w : {panel->deviationDisplay(0), panel->deviationDisplay(1), panel->deviationDisplay(2),
                       panel->deltaEDisplay(), panel->colourNumberDisplay()})
        EXPECT_TRUE(w->isHidden());

    chooseControl(*window, Control::ColorSpace, 1);
    EXPECT_TRUE(combo(Control::DigitalOutmode)->isEnabled());
    EXPECT_FALSE(tabVisible(MainTab::TeachTable)); // DIGITAL OUTMODE stays OFF
}

TEST_F(ParameterWidgetTest, WhiteBalanceTakesIn0FromTheAnalogueOutput) {
    // A loaded set with CS REF and the IN0 edge; CS REF itself already turns
    // the edge off before IN0 is looked at, so one message tells it all.
    preset({{Control::AnalogOutmode, 3}, {Control::AnalogOut, 1}});
    chooseControl(*window, Control::Calibration, 4);
    EXPECT_EQ(messages(), std::vector<std::string>{std::string(pt::kIn0TakenNoCsRef.en)});
    EXPECT_EQ(combo(Control::AnalogOutmode)->currentText(), "XYZ");
    EXPECT_EQ(combo(Control::AnalogOut)->currentText(), "CONT");
}

TEST_F(ParameterWidgetTest, TriggerWinsOverExternTeach) {
    preset({{Control::DigitalOutmode, 3}, {Control::Trigger, 1}, {Control::ExternTeach, 1}});
    chooseControl(*window, Control::EvaluationMode, 0); // any commit runs the pass
    EXPECT_EQ(combo(Control::ExternTeach)->currentText(), "OFF");
    EXPECT_FALSE(combo(Control::ExternTeach)->isEnabled());
    EXPECT_EQ(combo(Control::Trigger)->currentText(), "EXT1");
    EXPECT_TRUE(combo(Control::Trigger)->isEnabled());
}

TEST_F(ParameterWidgetTest, AnalogueOutputModeShowsAndHidesItsControls) {
    chooseControl(*window, Control::AnalogOutmode, 0);
    for (Control c : {Control::AnalogOutSignal, Control::AnalogOut, Control::AnalogZoom}) {
        EXPECT_TRUE(combo(c)->isHidden()) << static_cast<int>(c);
        EXPECT_TRUE(field(c)->caption()->isHidden());
    }
    ui::MeasurementDisplayPanel* panel = window->measurementDisplayPanel();
    chooseControl(*window, Control::AnalogOutmode, 3); // CS REF
    EXPECT_FALSE(combo(Control::AnalogOut)->isHidden());
    EXPECT_FALSE(combo(Control::AnalogOut)->isEnabled());
    EXPECT_TRUE(combo(Control::AnalogZoom)->isEnabled());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(panel->referenceDisplay(i)->isHidden());
    chooseControl(*window, Control::AnalogOutmode, 1);
    EXPECT_FALSE(combo(Control::AnalogZoom)->isEnabled());
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(panel->referenceDisplay(i)->isHidden());
}

TEST_F(ParameterWidgetTest, ExternTeachPreparesTheTableFromTheAnswers) {
    chooseControl(*window, Control::DigitalOutmode, 3);
    chooseControl(*window, Control::ShapeMode, 2); // SPHERE
    chooseControl(*window, Control::MaxVecNo, 2);
    session->parameters.teachTable.setCell(2, 0, 0.3);
    scripted.confirmAnswers = {true, true};
    scripted.promptAnswers = {std::string("2.5")};
    chooseControl(*window, Control::ExternTeach, 1);

    QTableWidget* grid = window->teachTablePage()->grid();
    EXPECT_EQ(grid->item(0, 3)->text(), "2.5000");
    EXPECT_EQ(grid->item(1, 3)->text(), "2.5000");
    EXPECT_EQ(grid->item(2, 3)->text(), "0.0000");
    EXPECT_EQ(grid->item(2, 0)->text(), "0.0000"); // the reset cleared it
    EXPECT_EQ(scripted.count("confirm"), 2u);
}

TEST_F(ParameterWidgetTest, ModelChangesShowWithoutCommitting) {
    // What a GET writes into the controls: no rule runs until a commit.
    preset({{Control::PowerMode, 1}, {Control::Calibration, 5}, {Control::Power, 321}});
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(combo(Control::PowerMode)->currentText(), "DOUBLE");
    EXPECT_EQ(combo(Control::Calibration)->currentText(), "XYZ OFFSET");
    EXPECT_EQ(spin(Control::Power)->value(), 321);
    EXPECT_EQ(field(Control::Power)->slider()->value(), 321);
}

TEST_F(ParameterWidgetTest, PowerSliderAndFieldMoveTogether) {
    field(Control::Power)->slider()->setValue(640); // dragged
    EXPECT_EQ(spin(Control::Power)->value(), 640);
    EXPECT_EQ(session->parameters.controls.code(Control::Power), 640);
    typeInto(spin(Control::Power), 75);
    EXPECT_EQ(field(Control::Power)->slider()->value(), 75);
    EXPECT_EQ(session->parameters.controls.code(Control::Power), 75);
}

TEST_F(ParameterWidgetTest, DimmedControlCannotBeChanged) {
    chooseControl(*window, Control::Calibration, 5);
    QComboBox* mode = combo(Control::PowerMode);
    ASSERT_FALSE(mode->isEnabled());
    QTest::keyClick(mode, Qt::Key_Down);
    EXPECT_EQ(session->parameters.controls.code(Control::PowerMode), 0);
    // Even a selection that reaches the list leaves the control as it was.
    mode->setCurrentIndex(1);
    emit mode->activated(1);
    EXPECT_EQ(session->parameters.controls.code(Control::PowerMode), 0);
    EXPECT_EQ(mode->currentText(), "SINGLE");

    QSpinBox* integral2 = spin(Control::Integral2); // dimmed by AVERAGE 1
    ASSERT_FALSE(integral2->isEnabled());
    integral2->setValue(99);
    EXPECT_EQ(session->parameters.controls.code(Control::Integral2), 1);
    EXPECT_EQ(integral2->value(), 1);
}

TEST_F(ParameterWidgetTest, RightClickShowsTheControlsHelp) {
    const std::pair<Control, Text> cases[] = {
        {Control::Power, pt::kPowerHelp},        {Control::Calibration, pt::kCalibrationHelp},
        {Control::Integral2, pt::kIntegralHelp}, {Control::MaxVecNo, pt::kMaxVecNoHelp},
        {Control::Trigger, pt::kTriggerHelp},
    };
    for (const auto& [c, help] : cases) {
        scripted.calls.clear();
        ui::ParameterField* f = field(c);
        window->showMainTab(window->teachTablePage()->field(c) != nullptr ? MainTab::TeachTable
                                                                          : MainTab::SensorParameter);
        QWidget* target = f->comboBox() ? static_cast<QWidget*>(f->comboBox()) : f->spinBox();
        QTest::mouseClick(target, Qt::RightButton);
        EXPECT_EQ(messages(), std::vector<std::string>{std::string(help.en)}) << static_cast<int>(c);
        EXPECT_EQ(session->parameters.controls.value(c), parameters::ParameterControls().value(c));
    }
}

// ---- the teach table grid ----

TEST_F(ParameterWidgetTest, GridFollowsTheColourSpaceAndShapeMode) {
    QTableWidget* grid = window->teachTablePage()->grid();
    auto headings = [grid] {
        QStringList out;
        for (int c = 0; c < grid->columnCount(); ++c)
            out << grid->horizontalHeaderItem(c)->text();
        return out;
    };
    session->parameters.teachTable.setCell(0, 0, 12.3456789);
    chooseControl(*window, Control::ColorSpace, 1); // L*a*b*, CYLINDER
    EXPECT_EQ(headings(), QStringList({"a*", "b*", "L*", "a*b*Tol", "L*Tol", "", "Color"}));
    EXPECT_EQ(grid->item(0, 0)->text(), "12.35");
    chooseControl(*window, Control::ColorSpace, 0); // xyY
    chooseControl(*window, Control::ShapeMode, 0);  // BLOCK
    EXPECT_EQ(headings(), QStringList({"x", "y", "Y:100", "xTol", "yTol", "YTol", "Color"}));
    EXPECT_EQ(grid->item(0, 0)->text(), "12.3457");
    chooseControl(*window, Control::ColorSpace, 4); // u'v'L*
    EXPECT_EQ(grid->item(0, 0)->text(), "12.346");
    // Shown rounded, held in full.
    EXPECT_EQ(session->parameters.teachTable.cell(0, 0), 12.3456789);
}

TEST_F(ParameterWidgetTest, GridEditsStoreTheTypedValue) {
    chooseControl(*window, Control::DigitalOutmode, 3); // the teach table page is there
    chooseControl(*window, Control::ColorSpace, 1);     // two decimals
    window->showMainTab(MainTab::TeachTable);
    QTableWidget* grid = window->teachTablePage()->grid();
    session->parameters.teachTable.setCell(1, 4, 0.123456789);
    EXPECT_EQ(grid->item(1, 4)->text(), "0.12");

    // Typing stores what was typed, and the parameter set follows the grid.
    editCell(grid, 1, 2, "0.987654321");
    EXPECT_EQ(session->parameters.teachTable.cell(1, 2), 0.987654321);
    EXPECT_EQ(session->parameters.set.teach[1][2], 0.987654321);
    EXPECT_EQ(grid->item(1, 2)->text(), "0.99");
    editCell(grid, 0, 5, "-3,5");
    EXPECT_EQ(session->parameters.teachTable.cell(0, 5), -3.5);

    // Not a number: the cell keeps its value.
    editCell(grid, 1, 2, "abc");
    EXPECT_EQ(session->parameters.teachTable.cell(1, 2), 0.987654321);
    // Opening the editor and leaving it keeps the full value of a cell shown rounded.
    editCell(grid, 1, 4, "");
    EXPECT_EQ(session->parameters.teachTable.cell(1, 4), 0.123456789);
}

TEST_F(ParameterWidgetTest, GridColourColumnShowsTheRowColour) {
    QTableWidget* grid = window->teachTablePage()->grid();
    session->parameters.teachTable.setColourCell(1, {10, 20, 30});
    EXPECT_EQ(grid->item(1, teach::kColourColumn)->background().color(), QColor(10, 20, 30));
    EXPECT_FALSE(grid->item(1, teach::kColourColumn)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(grid->item(1, 0)->flags() & Qt::ItemIsEditable);
}

// ---- the double-parameter panel ----

TEST_F(ParameterWidgetTest, DoubleParameterTablesFollowTheControls) {
    window->ShowChildPanelDisp(ChildPanel::DoubleParameter);
    ui::DoubleParameterPanel* panel = window->doubleParameterPanel();
    QTableWidget* sets = panel->doubleParameterTable();
    QTableWidget* corrections = panel->correctionTable();
    ASSERT_EQ(sets->rowCount(), 2);
    ASSERT_EQ(sets->columnCount(), 3);
    ASSERT_EQ(corrections->columnCount(), 3);

    // Defaults of the parameter file, then what a GET brings.
    EXPECT_EQ(sets->item(0, 0)->text(), "600");
    EXPECT_EQ(sets->item(1, 1)->text(), "6");
    EXPECT_EQ(corrections->item(0, 0)->text(), "1.0000");
    preset({{Control::DoublePower2, 750}});
    session->parameters.controls.setValue(Control::CorrectionY, 1.5);
    EXPECT_EQ(sets->item(1, 0)->text(), "750");
    EXPECT_EQ(corrections->item(0, 1)->text(), "1.5000");

    // Operator edits land in the controls, inside each control's range.
    editCell(sets, 0, 1, "9");
    EXPECT_EQ(session->parameters.controls.code(Control::DoubleGain1), 8);
    EXPECT_EQ(sets->item(0, 1)->text(), "8");
    editCell(sets, 1, 2, "17.9");
    EXPECT_EQ(session->parameters.controls.value(Control::DoubleIntegral2), 17.0);
    editCell(corrections, 0, 2, "1.23456789");
    EXPECT_EQ(session->parameters.controls.value(Control::CorrectionZ), 1.23456789);
    EXPECT_EQ(corrections->item(0, 2)->text(), "1.2346");
}

// ---- language ----

TEST_F(ParameterWidgetTest, CaptionsAndListsFollowTheLanguage) {
    session->shell.language = Language::German;
    session->shell.notify(app::ShellChange::Language);
    EXPECT_EQ(field(Control::PowerMode)->caption()->text(), "POWER MODUS");
    EXPECT_EQ(combo(Control::Gain)->itemText(0), "VST1");
    EXPECT_EQ(combo(Control::Trigger)->itemText(3), "SENDER");
    EXPECT_EQ(window->teachTablePage()->grid()->horizontalHeaderItem(teach::kColourColumn)->text(), "Farbe");
    EXPECT_EQ(window->doubleParameterPanel()->doubleParameterTable()->horizontalHeaderItem(1)->text(),
              "VERST");
    // The selection stays; only the labels change.
    EXPECT_EQ(combo(Control::Gain)->currentData().toInt(), 5);
    EXPECT_TRUE(messages().empty());

    session->shell.language = Language::English;
    session->shell.notify(app::ShellChange::Language);
    EXPECT_EQ(field(Control::PowerMode)->caption()->text(), "POWER MODE");
    EXPECT_EQ(combo(Control::Gain)->currentText(), "AMP5");
}

} // namespace
} // namespace tavrino::test
