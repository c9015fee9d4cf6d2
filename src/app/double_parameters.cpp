#include "app/double_parameters.h"

#include "app/connection.h"
#include "app/live_measurement.h"
#include "assistant/search.h"
#include "assistant/texts.h"

#include <chrono>

namespace tavrino::app {

namespace {

namespace t = assistant::texts;
namespace word = parameters::word;
using assistant::Stage;
using parameters::Control;

void tell(Session& s, const Text& text) {
    s.op().message(kInfoTitle.in(s.language()), text.in(s.language()));
}

// The cancel message, unless the program is closing.
bool cancelled(Session& s) {
    if (!s.assistant.abandoned)
        tell(s, t::kCancelled);
    return false;
}

bool askOk(Session& s, const Text& text) {
    if (s.assistant.abandoned)
        return false;
    const Language l = s.language();
    return s.op().okCancel(kInfoTitle.in(l), text.in(l), t::kOk.in(l), t::kCancel.in(l));
}

void report(Session& s, const assistant::Progress& progress) {
    s.assistant.progress = progress;
    s.assistant.notify(AssistantChange::Progress);
}

void report(Session& s, Stage stage, int target = 0) {
    report(s, assistant::Progress{.stage = stage, .target = target});
}

// The step reported with the setting the parameter set now holds.
void reportStep(Session& s, Stage stage, int target, int step, int steps) {
    const auto& w = s.parameters.set.words;
    report(s, {stage, target, step, steps, w[word::Power], w[word::Gain], w[word::Integral1]});
}

int highestValue(const measurement::MeasurementRecord& r) {
    return assistant::highestValue({r.X, r.Y, r.Z, r.rawX, r.rawY, r.rawZ});
}

std::array<int, 3> rawOf(const measurement::MeasurementRecord& r) {
    return {r.rawX, r.rawY, r.rawZ};
}

void runRules(parameters::ParameterRules& rules) {
    rules.InitCSpace();
    rules.InitCalib();
    rules.InitAnaOutmode();
    rules.InitDigOutmode();
    rules.InitMaxVecNo();
    rules.InitForDigInput();
}

// The parameter set onto the page (and through the option rules), to the
// sensor, the pause, one measurement. False when a step failed: a failed
// exchange has been reported by the link, and one that reports success but
// cleared the connected flag counts as failed too.
bool applyChange(Session& s, bool withRules) {
    if (s.assistant.abandoned)
        return false;
    ParameterState& p = s.parameters;
    parameters::SetPanelValues(p.set, p.controls, p.teachTable);
    if (withRules)
        runRules(p.rules);
    if (p.transfer.SendPara() != 1)
        return false;
    AssistantPause(s, assistant::kPauseMs);
    if (s.flags.sensorConnected == 0 || s.assistant.abandoned)
        return false;
    return GetDPData(s) == 1 && s.flags.sensorConnected != 0;
}

// The double-parameter table row `row` (0 or 1) from the page's POWER, GAIN
// and INTEGRAL 1.
void assignSet(Session& s, int row) {
    parameters::ParameterControls& c = s.parameters.controls;
    const int first = static_cast<int>(Control::DoublePower1) + 3 * row;
    c.setValue(static_cast<Control>(first), c.value(Control::Power));
    c.setValue(static_cast<Control>(first + 1), c.value(Control::Gain));
    c.setValue(static_cast<Control>(first + 2), c.value(Control::Integral1));
}

void assignXyz(Session& s, int row) {
    s.assistant.xyz[static_cast<std::size_t>(row)] = rawOf(s.live.record);
    s.assistant.notify(AssistantChange::Xyz);
}

// The assistant's run: `running` shown meanwhile, and the live-measurement
// flag it borrows cleared afterwards, so that SEND and GET act at once again.
class AssistantRun {
public:
    explicit AssistantRun(Session& s) : s_(s) {
        s_.assistant.abandoned = false;
        s_.assistant.running = true;
        report(s_, Stage::Idle);
    }
    ~AssistantRun() {
        s_.flags.running = 0;
        s_.assistant.running = false;
        report(s_, succeeded_ ? Stage::Succeeded : Stage::Cancelled);
    }
    AssistantRun(const AssistantRun&) = delete;
    AssistantRun& operator=(const AssistantRun&) = delete;

    bool succeed() { return succeeded_ = true; }

private:
    Session& s_;
    bool succeeded_ = false;
};

// The final set: DOUBLE with the remembered AVERAGE, through the page and
// the option rules to the sensor.
bool sendDoubleParameters(Session& s, double average) {
    ParameterState& p = s.parameters;
    report(s, Stage::Finishing);
    // A correction value over a zero raw value would pass through the
    // parameter words below as a made-up number; it is refused instead.
    if (!p.transfer.correctionsSendable())
        return false;
    parameters::GetPanelValues(p.controls, p.teachTable, p.set);
    p.set.words[word::PowerMode] = 1;
    p.set.words[word::Average] = static_cast<std::uint16_t>(average);
    parameters::SetPanelValues(p.set, p.controls, p.teachTable);
    runRules(p.rules);
    return p.transfer.SendPara() == 1;
}

} // namespace

void AssistantPause(Session& s, int ms) {
    // What the steps after a pause check for: once the program closes there
    // is nothing left to wait for. A STOP is not among it: the search honours
    // it between its steps, and the measurement after a pause must see the
    // sensor settled.
    s.assistant.waiter().pause(std::chrono::milliseconds(ms),
                               [&s] { return s.assistant.abandoned || s.shell.closeRequested; });
}

void DPAssign1(Session& s) {
    assignSet(s, 0);
    assignXyz(s, AssistantState::kBrightWithSet1);
}

void DPAssign2(Session& s) {
    assignXyz(s, AssistantState::kDarkerWithSet1);
}

void DPAssign3(Session& s) {
    assignSet(s, 1);
    assignXyz(s, AssistantState::kDarkerWithSet2);
    const auto& xyz = s.assistant.xyz;
    const auto c = assistant::correctionValues(xyz[AssistantState::kDarkerWithSet1],
                                               xyz[AssistantState::kDarkerWithSet2]);
    // The controls keep a finite value inside the correction word's range
    // and a value over a zero raw value as it is.
    for (std::size_t axis = 0; axis < 3; ++axis)
        s.parameters.controls.setValue(static_cast<Control>(word::CorrectionX + axis), c[axis]);
}

bool CBF_ButtonAssign(Session& s, int which) {
    if ((which == 1 || which == 3) && assistant::saturated(rawOf(s.live.record))) {
        tell(s, t::kSaturated);
        return false;
    }
    if (which == 1)
        DPAssign1(s);
    else if (which == 2)
        DPAssign2(s);
    else if (which == 3)
        DPAssign3(s);
    else
        return false;
    return true;
}

int GetDPData(Session& s) {
    const int result = fetchLiveFrame(s);
    if (result == 1) {
        SetPanelData(s);
        s.graphs().ShowGraph();
    }
    return result;
}

int AdjustPower(Session& s, int target) {
    assistant::PowerSearch search(target);
    for (;;) {
        s.parameters.set.words[word::Power] = static_cast<std::uint16_t>(search.power());
        reportStep(s, Stage::PowerSearch, target, search.step() + 1, search.stepCount());
        if (!applyChange(s, false))
            return kSearchFailed;
        search.measured(highestValue(s.live.record));
        if (search.done())
            return kSearchSucceeded;
    }
}

int SetSensorPower(Session& s, int target) {
    ParameterState& p = s.parameters;
    parameters::GetPanelValues(p.controls, p.teachTable, p.set);
    auto& w = p.set.words;
    w[word::PowerMode] = 0;
    w[word::Power] = assistant::kSearchPower;
    w[word::Integral1] = assistant::kSearchIntegral;
    w[word::Integral2] = 1;
    w[word::Calibration] = parameters::code::CalibrationOff;
    s.flags.sensorConnected = 1;
    s.flags.running = 1;

    assistant::ExposureSearch search(target);
    for (;;) {
        // A STOP (or a tab switch) ends the search here, never inside the
        // POWER search. The assistant tells the operator.
        if (search.stopTested() && s.flags.running == 0)
            return kSearchFailed;
        w[word::Gain] = static_cast<std::uint16_t>(search.gain());
        w[word::Integral1] = static_cast<std::uint16_t>(search.integral1());
        const bool gainPhase = search.phase() == assistant::ExposureSearch::Phase::Gain;
        reportStep(s, gainPhase ? Stage::GainPhase : Stage::IntegralPhase, target, search.step(),
                   search.stepCount());
        if (!applyChange(s, true))
            return kSearchFailed;
        switch (search.measured(highestValue(s.live.record))) {
        case assistant::ExposureSearch::Outcome::Continue:
            break;
        case assistant::ExposureSearch::Outcome::Exceeded:
            return AdjustPower(s, target);
        case assistant::ExposureSearch::Outcome::Exhausted:
            return kSearchFailed;
        }
    }
}

bool StartAssistant(Session& s) {
    AssistantRun run(s);
    if (!askOk(s, t::kFirstPrompt))
        return cancelled(s);
    parameters::ParameterControls& c = s.parameters.controls;
    const double average = c.value(Control::Average);
    c.setValue(Control::Average, 1);
    report(s, Stage::Starting);

    ParameterState& p = s.parameters;
    parameters::GetPanelValues(p.controls, p.teachTable, p.set);
    // A first send that failed has been reported; searching on would only
    // report the same failure again.
    if (p.transfer.SendPara() != 1)
        return cancelled(s);
    AssistantPause(s, assistant::kFirstPauseMs);
    if (s.assistant.abandoned)
        return false;
    tell(s, t::kBeforeFirstSearch);

    if (SetSensorPower(s, assistant::kBrightTarget) != kSearchSucceeded)
        return cancelled(s);
    DPAssign1(s);

    if (!askOk(s, t::kSecondPrompt))
        return cancelled(s);
    report(s, Stage::Measuring, assistant::kDarkerTarget);
    if (GetDPData(s) != 1 || s.flags.sensorConnected == 0)
        return cancelled(s);
    DPAssign2(s);

    if (SetSensorPower(s, assistant::kDarkerTarget) != kSearchSucceeded)
        return cancelled(s);
    DPAssign3(s);

    // A final send that failed is no success.
    if (!sendDoubleParameters(s, average))
        return cancelled(s);
    tell(s, t::kSucceeded);
    return run.succeed();
}

bool CBF_ButtonStartAssistant(Session& s) {
    // Callbacks run nested inside a waiting exchange; the assistant's own
    // exchanges would all be refused there.
    if (s.link.exchangeRunning())
        return false;
    ButtonsDimmed dimmed(s);
    return StartAssistant(s);
}

void CBF_ButtonSetDp(Session& s) {
    s.op().showChildPanel(ChildPanel::DoubleParameter);
}

void CBF_ButtonCloseDp(Session& s) {
    s.op().showChildPanel(ChildPanel::MeasurementDisplay);
    s.op().showMainTab(MainTab::SensorParameter);
}

} // namespace tavrino::app
