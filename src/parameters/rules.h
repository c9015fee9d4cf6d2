#pragma once

#include "calibration/colour_space.h"
#include "common/graphs.h"
#include "common/language.h"
#include "common/operator.h"
#include "parameters/parameter_controls.h"
#include "parameters/parameter_file.h"
#include "parameters/parameter_set.h"
#include "teach/teach_table.h"

#include <optional>

namespace tavrino::parameters {

// Option codes the rules depend on.
namespace code {
inline constexpr int CalibrationOff = 0;
inline constexpr int CalibrationFcalWb = 3; // FCAL WB and UCAL WB start the white balance at IN0
inline constexpr int CalibrationUcalWb = 4;
inline constexpr int CalibrationXyzOffset = 5; // and above: the offset adjustment page applies
inline constexpr int CalibrationXyzOffsetIn0 = 6;
inline constexpr int ColorSpaceLch = static_cast<int>(calibration::ColourSpace::LCh);
inline constexpr int AnalogOutmodeOff = 0;
inline constexpr int AnalogOutmodeXyz = 1;
inline constexpr int AnalogOutmodeCsRef = 3;
inline constexpr int AnalogOutIn0Edge = 1;
inline constexpr int DigitalOutmodeOff = 0;
inline constexpr int DigitalOutmodeBinaryHi = 3; // and above: binary coding of the colour number
inline constexpr int ShapeBlock = calibration::kShapeBlock;
} // namespace code

// The sensor adds AVERAGE x INTEGRAL 2 values of up to 4095 in a 30-bit range.
inline constexpr double kIntegratorLimit = 1073741824.0;
inline constexpr int kLargestSample = 4095;

// Whether the digital input IN0 serves a purpose with the current values.
[[nodiscard]] bool in0Used(const ParameterControls& controls);

// The help text of a control (right click); nothing for the cells of the
// double-parameter and correction tables, whose help is their panel's.
[[nodiscard]] std::optional<Text> helpText(Control c);

// The rules between the options: one re-evaluation pass over the controls
// that corrects forbidden combinations (telling the operator why), dims or
// hides what does not apply, and relabels everything that shows colour
// coordinates. Each step reads its inputs from the controls, so later steps
// see the corrections of earlier ones. The pass makes no exchange with the
// sensor; corrected values reach it with the next SEND.
class ParameterRules : public ParameterPanel {
public:
    ParameterRules(ParameterControls& controls, teach::TeachTable& table, ParameterSet& set, Operator& op,
                   Graphs& graphs, const Language& language);

    // The whole pass: the six steps below in this order.
    void InitPanelCtrlAttr();
    void InitCSpace();
    void InitCalib();
    void InitAnaOutmode();
    void InitDigOutmode();
    void InitMaxVecNo();
    void InitForDigInput();

    // What a commit of a control does.
    void commitColorSpace(); // pass, graphs rebuilt and redrawn
    void commitShapeMode();  // pass, parameter set refreshed, graphs rebuilt and redrawn
    void commitGeneric();    // pass
    // Switching external teach on: pass, then optionally reset the table and
    // fill the tolerance columns of the active rows from the operator's answers.
    void commitExternTeach();
    // Routes a commit of any parameter control to the operation above that
    // belongs to it; POWER, GAIN, ANALOG ZOOM, INTLIM and the table cells
    // commit nothing.
    void commit(Control c);

    // After a parameter set was loaded (from the sensor or a file): shows it in
    // the controls, runs the six steps in order, rebuilds and redraws the graphs.
    void showParameterSet() override;
    // The controls and the teach table into the parameter set (GetPanelValues).
    void readControls() override;

    // Right click on a control.
    void showHelp(Control c) const;

private:
    void tell(const Text& text) const;
    // Rebuilds and redraws the graphs.
    void rebuildGraphs();
    // Prompts for one tolerance and writes it into `column` of the active rows;
    // an answer without a number leaves the column at 0 and says so.
    void askTolerance(const Text& prompt, int column, int rows);

    ParameterControls& controls_;
    teach::TeachTable& table_;
    ParameterSet& set_;
    Operator& op_;
    Graphs& graphs_;
    const Language& language_;
};

} // namespace tavrino::parameters
