#include "parameters/rules.h"

#include "calibration/colour_space.h"
#include "parameters/texts.h"
#include "teach/prompt_number.h"

#include <array>
#include <cstdint>
#include <string>

namespace tavrino::parameters {

namespace {

// The longest answer the tolerance prompts accept.
constexpr std::size_t kPromptLength = 9;

bool in0TakenByCalibration(int calibration) {
    // FCAL WB and UCAL WB start the white balance at IN0; XYZ OFFSET IN0 takes
    // the offset at IN0.
    return calibration == code::CalibrationFcalWb || calibration == code::CalibrationUcalWb ||
           calibration == code::CalibrationXyzOffsetIn0;
}

constexpr std::array kTeachElements{Element::DifferenceDisplay1, Element::DifferenceDisplay2,
                                    Element::DifferenceDisplay3, Element::DeltaEDisplay,
                                    Element::ColourNumberDisplay};
constexpr std::array kReferenceDisplays{Element::ReferenceDisplay1, Element::ReferenceDisplay2,
                                        Element::ReferenceDisplay3};
constexpr std::array kOwnLightSettings{Control::Power, Control::Gain, Control::Integral1, Control::Integral2};
constexpr std::array kAnalogControls{Control::AnalogOutSignal, Control::AnalogOut, Control::AnalogZoom};

} // namespace

bool in0Used(const ParameterControls& c) {
    const int digital = c.code(Control::DigitalOutmode);
    return in0TakenByCalibration(c.code(Control::Calibration)) ||
           c.code(Control::AnalogOutmode) == code::AnalogOutmodeCsRef ||
           c.code(Control::AnalogOut) == code::AnalogOutIn0Edge ||
           (digital != code::DigitalOutmodeOff &&
            (c.code(Control::ExternTeach) != 0 || c.code(Control::Trigger) != 0));
}

std::optional<Text> helpText(Control c) {
    switch (c) {
    case Control::Power:
        return texts::kPowerHelp;
    case Control::PowerMode:
        return texts::kPowerModeHelp;
    case Control::Gain:
        return texts::kGainHelp;
    case Control::Integral1:
    case Control::Integral2:
        return texts::kIntegralHelp;
    case Control::Average:
        return texts::kAverageHelp;
    case Control::LedMode:
        return texts::kLedModeHelp;
    case Control::ColorSpace:
        return texts::kColorSpaceHelp;
    case Control::Calibration:
        return texts::kCalibrationHelp;
    case Control::DigitalOutmode:
        return texts::kDigitalOutmodeHelp;
    case Control::MaxVecNo:
        return texts::kMaxVecNoHelp;
    case Control::Intlim:
        return texts::kIntlimHelp;
    case Control::EvaluationMode:
        return texts::kEvaluationModeHelp;
    case Control::ShapeMode:
        return texts::kShapeModeHelp;
    case Control::ExternTeach:
        return texts::kExternTeachHelp;
    case Control::Trigger:
        return texts::kTriggerHelp;
    case Control::AnalogOutmode:
        return texts::kAnalogOutmodeHelp;
    case Control::AnalogOutSignal:
        return texts::kAnalogOutSignalHelp;
    case Control::AnalogOut:
        return texts::kAnalogOutHelp;
    case Control::AnalogZoom:
        return texts::kAnalogZoomHelp;
    default:
        return std::nullopt;
    }
}

ParameterRules::ParameterRules(ParameterControls& controls, teach::TeachTable& table, ParameterSet& set,
                               Operator& op, Graphs& graphs, const Language& language)
    : controls_(controls), table_(table), set_(set), op_(op), graphs_(graphs), language_(language) {}

void ParameterRules::tell(const Text& text) const {
    op_.message(kInfoTitle.in(language_), text.in(language_));
}

void ParameterRules::InitPanelCtrlAttr() {
    InitCSpace();
    InitCalib();
    InitAnaOutmode();
    InitDigOutmode();
    InitMaxVecNo();
    InitForDigInput();
}

void ParameterRules::InitCSpace() {
    const auto colourSpace = static_cast<std::uint16_t>(controls_.code(Control::ColorSpace));
    const auto shape = static_cast<std::uint16_t>(controls_.code(Control::ShapeMode));

    // The sensor cannot evaluate teach vectors in L*C*h*.
    if (colourSpace == code::ColorSpaceLch)
        controls_.setValue(Control::DigitalOutmode, code::DigitalOutmodeOff);
    controls_.setDimmed(Control::DigitalOutmode, colourSpace == code::ColorSpaceLch);

    const CoordinateCaptions captions = coordinateCaptions(colourSpace);
    controls_.setCaptions(captions);

    const auto headings = calibration::teachTableHeadings(colourSpace, shape);
    std::array<std::string, teach::kValueColumns> tableHeadings;
    for (std::size_t i = 0; i < headings.size(); ++i)
        tableHeadings[i] = headings[i];
    table_.setHeadings(tableHeadings);
    table_.setDecimals(captions.display.tableDecimals);

    // Graphs that scale themselves keep doing so.
    for (int i = 0; i < 3; ++i)
        if (controls_.graph(i).manualScaling)
            controls_.setGraphRange(i, captions.display.axisRanges[static_cast<std::size_t>(i)]);

    graphs_.refreshScopeCaptions();
}

void ParameterRules::InitCalib() {
    const int calibration = controls_.code(Control::Calibration);
    const int average = controls_.code(Control::Average);
    const int integral2 = controls_.code(Control::Integral2);

    if (calibration >= code::CalibrationXyzOffset) {
        controls_.setShown(Element::OffsetAdjustmentPage, true);
        // The offsets are adjusted for one parameter set only.
        if (controls_.code(Control::PowerMode) != 0)
            tell(texts::kDoubleNotWithOffset);
        controls_.setValue(Control::PowerMode, 0);
        controls_.setDimmed(Control::PowerMode, true);
    } else {
        controls_.setShown(Element::OffsetAdjustmentPage, false);
        controls_.setDimmed(Control::PowerMode, false);
    }

    // With DOUBLE the double-parameter sets apply, with a factory or user
    // calibration the calibrated settings.
    const bool ownSettings =
        controls_.code(Control::PowerMode) == 0 &&
        (calibration == code::CalibrationOff || calibration >= code::CalibrationXyzOffset);
    for (Control c : kOwnLightSettings)
        controls_.setDimmed(c, !ownSettings);

    if (average == 1) {
        controls_.setValue(Control::Integral2, 1);
        controls_.setDimmed(Control::Integral2, true);
    } else if (static_cast<double>(average) * integral2 * kLargestSample > kIntegratorLimit) {
        // Only above the limit: a product exactly at it is allowed. `average`
        // is at least 2 here, so the division is defined.
        const int highest = (static_cast<int>(kIntegratorLimit) / average) / kLargestSample;
        controls_.setValue(Control::Integral2, highest);
        tell(texts::kIntegral2Overflow);
    }
}

void ParameterRules::InitAnaOutmode() {
    const int mode = controls_.code(Control::AnalogOutmode);
    if (mode == code::AnalogOutmodeOff)
        controls_.setValue(Control::AnalogOut, 0);
    for (Control c : kAnalogControls)
        controls_.setHidden(c, mode == code::AnalogOutmodeOff);

    const bool csRef = mode == code::AnalogOutmodeCsRef;
    // CS REF takes its reference at IN0, so the output runs continuously.
    if (csRef)
        controls_.setValue(Control::AnalogOut, 0);
    controls_.setDimmed(Control::AnalogOut, csRef);
    controls_.setDimmed(Control::AnalogZoom, !csRef);
    for (Element e : kReferenceDisplays)
        controls_.setShown(e, csRef);
}

void ParameterRules::InitDigOutmode() {
    const bool colourOutput = controls_.code(Control::DigitalOutmode) != code::DigitalOutmodeOff;
    if (!colourOutput) {
        controls_.setValue(Control::Trigger, 0);
        controls_.setValue(Control::ExternTeach, 0);
        controls_.setShown(Element::BigColourNumberPanel, false);
    }
    controls_.setShown(Element::TeachTablePage, colourOutput);
    controls_.setShown(Element::TableSettingsPage, colourOutput);
    for (Element e : kTeachElements)
        controls_.setShown(e, colourOutput);
}

void ParameterRules::InitMaxVecNo() {
    int vectors = controls_.code(Control::MaxVecNo);
    const int digital = controls_.code(Control::DigitalOutmode);
    if (digital == code::DigitalOutmodeOff)
        return;
    // Two outputs name two rows directly, or three rows (and "none") in binary.
    const int highest = digital >= code::DigitalOutmodeBinaryHi ? 3 : 2;
    if (vectors > highest) {
        op_.showMainTab(MainTab::TeachTable);
        tell(texts::kMaxVecNoTooHigh);
        controls_.setValue(Control::MaxVecNo, highest);
        vectors = controls_.code(Control::MaxVecNo);
    }
    table_.markActiveRows(vectors);
}

void ParameterRules::InitForDigInput() {
    const int calibration = controls_.code(Control::Calibration);
    const int digital = controls_.code(Control::DigitalOutmode);
    const int analogMode = controls_.code(Control::AnalogOutmode);
    const int analogOut = controls_.code(Control::AnalogOut);
    const int trigger = controls_.code(Control::Trigger);
    const int externTeach = controls_.code(Control::ExternTeach);

    const auto blockTeachAndTrigger = [this] {
        controls_.setValue(Control::Trigger, 0);
        controls_.setValue(Control::ExternTeach, 0);
        controls_.setDimmed(Control::Trigger, true);
        controls_.setDimmed(Control::ExternTeach, true);
    };

    if (in0TakenByCalibration(calibration)) {
        if (analogMode == code::AnalogOutmodeCsRef) {
            tell(texts::kIn0TakenNoCsRef);
            controls_.setDimmed(Control::AnalogZoom, true);
            controls_.setValue(Control::AnalogOutmode, code::AnalogOutmodeXyz);
        }
        if (analogOut == code::AnalogOutIn0Edge) {
            tell(texts::kIn0TakenNoAnalogOutEdge);
            controls_.setValue(Control::AnalogOut, 0);
        }
        if (digital != code::DigitalOutmodeOff && (trigger != 0 || externTeach != 0)) {
            tell(texts::kIn0TakenNoTeachOrTrigger);
            blockTeachAndTrigger();
        }
    } else if (digital != code::DigitalOutmodeOff) {
        if (analogMode == code::AnalogOutmodeCsRef || analogOut == code::AnalogOutIn0Edge) {
            if (trigger != 0 || externTeach != 0)
                tell(texts::kIn0UsedByAnalogOut);
            blockTeachAndTrigger();
        } else {
            // TRIGGER and EXTERN TEACH exclude each other; with both on,
            // TRIGGER stays.
            const bool triggerOn = controls_.code(Control::Trigger) != 0;
            if (triggerOn)
                controls_.setValue(Control::ExternTeach, 0);
            controls_.setDimmed(Control::ExternTeach, triggerOn);
            const bool teachOn = controls_.code(Control::ExternTeach) != 0;
            if (teachOn)
                controls_.setValue(Control::Trigger, 0);
            controls_.setDimmed(Control::Trigger, teachOn);
        }
    }

    controls_.setShown(Element::In0Indicator, in0Used(controls_));
}

void ParameterRules::rebuildGraphs() {
    graphs_.InitGraphs();
    graphs_.ShowGraph();
}

void ParameterRules::readControls() {
    GetPanelValues(controls_, table_, set_);
}

void ParameterRules::commitColorSpace() {
    InitPanelCtrlAttr();
    rebuildGraphs();
}

void ParameterRules::commitShapeMode() {
    InitPanelCtrlAttr();
    GetPanelValues(controls_, table_, set_);
    rebuildGraphs();
}

void ParameterRules::commitGeneric() {
    InitPanelCtrlAttr();
}

void ParameterRules::askTolerance(const Text& prompt, int column, int rows) {
    const auto answer = op_.prompt(kInfoTitle.in(language_), prompt.in(language_), kPromptLength);
    // A cancelled prompt sets no tolerance either; the column keeps the 0 of
    // the reset, and the operator hears so as for an unreadable answer.
    const auto value = answer ? teach::parsePromptNumber(*answer) : std::nullopt;
    // A tolerance the sensor cannot hold is no valid value either.
    if (!value || !teach::cellFits(*value)) {
        tell(texts::kInvalidTolerance);
        return;
    }
    for (int row = 0; row < rows; ++row)
        table_.setCell(row, column, *value);
}

void ParameterRules::commitExternTeach() {
    InitPanelCtrlAttr();
    if (controls_.code(Control::ExternTeach) == 0)
        return;
    if (!op_.confirm(kInfoTitle.in(language_), texts::kResetTableQuestion.in(language_)))
        return;
    const int rows = controls_.code(Control::MaxVecNo);
    const int shape = controls_.code(Control::ShapeMode);
    ResetTable(controls_, table_, set_, graphs_);
    if (!op_.confirm(kInfoTitle.in(language_), texts::kToleranceQuestion.in(language_)))
        return;

    // Which tolerance columns the operator's answers fill, by shape (columns
    // counted 1..6 as the operator sees them; the code counts from 0):
    // - CYLINDER: column 4 is the one tolerance of the two colour coordinates
    //   together ("xyTol"); the intensity tolerance in column 5 is left to
    //   teaching.
    // - SPHERE: column 4 is the radius of the colour sphere ("deltaE"), the
    //   only tolerance of this shape.
    // - BLOCK: two answers, a colour tolerance and an intensity tolerance,
    //   stored in the order asked in the first two tolerance columns, 4 and 5:
    //   the layout of CYLINDER, whose column 4 is the colour and column 5 the
    //   intensity tolerance. The BLOCK headings name these two columns after
    //   the first and second coordinate; column 6 keeps the 0 of the reset.
    constexpr int kFirstTolerance = 3;  // column 4
    constexpr int kSecondTolerance = 4; // column 5
    if (shape != code::ShapeBlock) {
        askTolerance(texts::kTolerancePrompt, kFirstTolerance, rows);
    } else {
        askTolerance(texts::kColourTolerancePrompt, kFirstTolerance, rows);
        askTolerance(texts::kIntensityTolerancePrompt, kSecondTolerance, rows);
    }

    // The parameter set and the graphs follow the filled table, as after any
    // edit of the table.
    GetPanelValues(controls_, table_, set_);
    rebuildGraphs();
}

void ParameterRules::commit(Control c) {
    switch (c) {
    case Control::ColorSpace:
        commitColorSpace();
        return;
    case Control::ShapeMode:
        commitShapeMode();
        return;
    case Control::ExternTeach:
        commitExternTeach();
        return;
    case Control::Calibration:
    case Control::PowerMode:
    case Control::LedMode:
    case Control::Average:
    case Control::Integral1:
    case Control::Integral2:
    case Control::AnalogOutmode:
    case Control::AnalogOutSignal:
    case Control::AnalogOut:
    case Control::DigitalOutmode:
    case Control::MaxVecNo:
    case Control::EvaluationMode:
    case Control::Trigger:
        commitGeneric();
        return;
    default:
        return; // help only
    }
}

void ParameterRules::showParameterSet() {
    SetPanelValues(set_, controls_, table_);
    InitPanelCtrlAttr();
    rebuildGraphs();
}

void ParameterRules::showHelp(Control c) const {
    if (const auto text = helpText(c))
        tell(*text);
}

} // namespace tavrino::parameters
