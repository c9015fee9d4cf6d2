#include "parameters/rules.h"
#include "support/recording_graphs.h"
#include "support/scripted_operator.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavrino::parameters {
namespace {

// The operator's texts, written out here so a changed byte shows.
const Text kDoubleNotWithOffset{
    "Bei KALIB = XYZ OFFSET ist DOPPEL nicht moeglich. \nPOWER MODUS wird auf SINGLE gesetzt.",
    "DOUBLE is not possible with CALIB = XYZ OFFSET. \nPOWER MODE is set to SINGLE."};
const Text kIntegral2Overflow{
    "Die Kombination aus MITTELWERT und INGEGRAL2 wuerde im \nSensor einen Ueberlauf generieren. \nINTEGRAL2 "
    "wird auf seinen hoechsten zulaessigen Wert gesetzt. \nEine Reduzierung von MITTELWERT laest eine "
    "Erhoehung von INTEGRAL2 zu.",
    "The combination of AVERAGE and INGEGRAL2 \nwould generate an overflow in the sensor. \nINTEGRAL2 is set "
    "to its highest allowed value. \nReduce AVERAGE for an higher INTEGRAL2."};
const Text kMaxVecNoTooHigh{
    "ACHTUNG! \n\nMAXCOL-No. ist zu hoch. \n\nWenn OUTMODE=DIRECT HI oder LO ist, darf er hoechstens 2 sein. "
    "\nWenn OUTMODE=BINARY HI or LO ist, kann er maximal 3 sein. \n\nMAXCOL-No. will be set to maximum "
    "value.",
    "ATTENTION! \n\nMAXCOL-No. is too high. \n\nIf OUTMODE=DIRECT HI or LO, the maximum number is 2. \nIf "
    "OUTMODE=BINARY HI or LO, the maximum number is 3. \n\nMAXCOL-No. will be set to maximum value."};
const Text kNoCsRef{"Eingang wird fuer Weisslichtabgleich \noder Offset Ermittlung verwendet. \nCS REF ist "
                    "nicht moeglich. \nANALOG OUTMODE wird auf XYZ gesetzt.",
                    "Input is used for white \nbalance or offset detection. \nCS REF is not possible. "
                    "\nANALOG OUTMODE is set to XYZ."};
const Text kNoAnalogOutEdge{"Eingang wird fuer Weisslichtabgleich \noder Offset Ermittlung verwendet. \nIN0 "
                            "L->H ist nicht moeglich. \nANA OUT wird auf CONT gesetzt.",
                            "Input is used for white \nbalance or offset detection. \nIN0 L->H is not "
                            "possible. \nANA OUT is set to CONT."};
const Text kNoTeachOrTrigger{
    "Eingang wird fuer Weisslichtabgleich oder Offset Ermittlung verwendet. \nIN0 kann nicht fuer EXTEACH "
    "oder TRIGGER verwendet werden.",
    "Input is used for white balance or offset detection. \nNo usage for EXTEACH or TRIGGER possible."};
const Text kUsedByAnalogOut{
    "Eingang wird fuer ANA OUT verwendet. \nIN0 kann nicht fuer EXTEACH oder TRIGGER verwendet werden.",
    "Input is used for ANA OUT. \nNo usage for EXTEACH or TRIGGER possible."};
const Text kResetQuestion{"Wollen Sie die Tabelle zuruecksetzen?", "Do you want to reset the table?"};
const Text kToleranceQuestion{"Wollen Sie einen Toleranzwert einstellen?",
                              "Do you want to set a tolerance value?"};
const Text kTolerancePrompt{"Toleranz eingeben!", "Insert a tolerance value!"};
const Text kInvalidTolerance{"Ungueltiger Wert. \nToleranz wird auf 0 gesetzt.",
                             "Invalid value. \nTolerance is set to 0."};
const Text kColourTolerancePrompt{"Farbtoleranz eingeben!", "Insert a color tolerance value!"};
const Text kIntensityTolerancePrompt{"Intensitaetstoleranz eingeben", "Insert a intensity toleranc value!"};

const Language kLanguages[] = {Language::German, Language::English};

std::string languageName(Language l) {
    return l == Language::German ? "German" : "English";
}

using Values = std::vector<std::pair<Control, double>>;
using Step = void (ParameterRules::*)();

class RulesTest : public ::testing::Test {
protected:
    ParameterControls controls;
    teach::TeachTable table;
    ParameterSet set;
    test::ScriptedOperator op;
    Language language = Language::English;
    test::RecordingGraphs graphs;
    ParameterRules rules{controls, table, set, op, graphs, language};

    void given(const Values& values) {
        for (const auto& [c, v] : values)
            controls.setValue(c, v);
    }
    // Messages shown, each checked for its title.
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& call : op.calls) {
            if (call.kind != "message")
                continue;
            EXPECT_EQ(call.title, language == Language::German ? "Info!" : "Message!");
            out.push_back(call.text);
        }
        return out;
    }
    std::vector<std::string> expected(const std::vector<const Text*>& texts) const {
        std::vector<std::string> out;
        for (const Text* t : texts)
            out.push_back(t->str(language));
        return out;
    }
};

struct RuleCase {
    const char* name;
    Values given;
    Step step;
    Values expect;
    std::vector<const Text*> messages;
    std::vector<Control> dimmed{};
    std::vector<Control> undimmed{};
    std::vector<Element> shown{};
    std::vector<Element> hidden{};
    std::vector<Control> hiddenControls{};
    std::vector<Control> shownControls{};
};

const Step kPass = &ParameterRules::InitPanelCtrlAttr;
using C = Control;
using E = Element;

// Short names for the case table below.
constexpr C Cal = C::Calibration, PMode = C::PowerMode, Avg = C::Average, Int2 = C::Integral2,
            Dig = C::DigitalOutmode, MaxVec = C::MaxVecNo, Trig = C::Trigger, Ext = C::ExternTeach,
            AnaMode = C::AnalogOutmode, AnaOut = C::AnalogOut, Zoom = C::AnalogZoom;
const std::vector<C> kLightSettings{C::Power, C::Gain, C::Integral1, C::Integral2};
const std::vector<E> kTeachPagesAndDisplays{
    E::TeachTablePage,     E::TableSettingsPage, E::DifferenceDisplay1, E::DifferenceDisplay2,
    E::DifferenceDisplay3, E::DeltaEDisplay,     E::ColourNumberDisplay};
const std::vector<E> kReferenceDisplays{E::ReferenceDisplay1, E::ReferenceDisplay2, E::ReferenceDisplay3};

std::vector<E> plus(std::vector<E> a, std::initializer_list<E> b) {
    a.insert(a.end(), b);
    return a;
}

const std::vector<RuleCase>& ruleCases() {
    // clang-format off
    static const std::vector<RuleCase> cases = {
        // name, given, step, expected values, messages, dimmed, undimmed, shown, hidden, hidden controls, shown controls
        {"XYZ OFFSET with DOUBLE becomes SINGLE", {{Cal, 5}, {PMode, 1}, {Avg, 2}, {Int2, 10}}, kPass,
         {{PMode, 0}, {Int2, 10}}, {&kDoubleNotWithOffset}, {PMode}, kLightSettings, {E::OffsetAdjustmentPage}},
        {"XYZ OFFSET IN0 with SINGLE: no message", {{Cal, 6}, {Avg, 2}}, kPass,
         {{PMode, 0}}, {}, {PMode}, kLightSettings, {E::OffsetAdjustmentPage, E::In0Indicator}},
        {"FCAL fixes the light settings silently", {{Cal, 1}, {Avg, 2}}, kPass,
         {{Cal, 1}}, {}, kLightSettings, {PMode}, {}, {E::OffsetAdjustmentPage, E::In0Indicator}},
        {"DOUBLE fixes the light settings", {{PMode, 1}, {Avg, 2}}, kPass,
         {{PMode, 1}}, {}, kLightSettings, {PMode}},
        {"AVERAGE 1 sets INTEGRAL 2 to 1", {{Avg, 1}, {Int2, 500}}, kPass,
         {{Int2, 1}}, {}, {Int2}, {C::Power, C::Gain, C::Integral1}},
        {"AVERAGE 4 allows the highest INTEGRAL 2", {{Avg, 4}, {Int2, 65535}}, &ParameterRules::InitCalib,
         {{Int2, 65535}}, {}, {}, {Int2}},
        {"AVERAGE 7 limits INTEGRAL 2", {{Avg, 7}, {Int2, 40000}}, &ParameterRules::InitCalib,
         {{Int2, 37458}}, {&kIntegral2Overflow}},
        {"AVERAGE 1024 limits INTEGRAL 2 to 256", {{Avg, 1024}, {Int2, 257}}, kPass,
         {{Int2, 256}}, {&kIntegral2Overflow}},
        {"AVERAGE 1024 keeps INTEGRAL 2 256", {{Avg, 1024}, {Int2, 256}}, kPass,
         {{Int2, 256}}, {}},
        {"DIRECT allows two teach vectors", {{Dig, 1}, {MaxVec, 3}}, kPass,
         {{MaxVec, 2}}, {&kMaxVecNoTooHigh}},
        {"BINARY allows three teach vectors", {{Dig, 4}, {MaxVec, 3}}, kPass,
         {{MaxVec, 3}}, {}, {}, {}, kTeachPagesAndDisplays, {E::In0Indicator}},
        {"no colour output: MAX VEC NO is not checked", {{Dig, 0}, {MaxVec, 3}}, &ParameterRules::InitMaxVecNo,
         {{MaxVec, 3}}, {}},
        {"L*C*h* switches the colour output off", {{C::ColorSpace, 3}, {Dig, 3}, {Trig, 1}}, kPass,
         {{Dig, 0}, {Trig, 0}, {Ext, 0}}, {}, {Dig}, {}, {},
         plus(kTeachPagesAndDisplays, {E::BigColourNumberPanel, E::In0Indicator})},
        {"L*a*b* leaves DIGITAL OUTMODE free", {{C::ColorSpace, 1}, {Dig, 3}}, kPass,
         {{Dig, 3}}, {}, {}, {Dig}},
        {"white balance takes IN0 from CS REF (in the pass ANALOG OUT is CONT already)",
         {{Cal, 4}, {AnaMode, 3}, {AnaOut, 1}}, kPass,
         {{AnaMode, 1}, {AnaOut, 0}}, {&kNoCsRef}, {Zoom}, {}, {E::In0Indicator}},
        {"white balance takes IN0 from CS REF and the edge (IN0 step alone)",
         {{Cal, 4}, {AnaMode, 3}, {AnaOut, 1}}, &ParameterRules::InitForDigInput,
         {{AnaMode, 1}, {AnaOut, 0}}, {&kNoCsRef, &kNoAnalogOutEdge}, {Zoom}},
        {"offset IN0 takes IN0 from the analogue edge", {{Cal, 6}, {AnaOut, 1}}, kPass,
         {{AnaOut, 0}, {AnaMode, 1}}, {&kNoAnalogOutEdge}, {}, {}, {E::In0Indicator}},
        {"white balance takes IN0 from external teach", {{Cal, 3}, {Dig, 3}, {Ext, 1}}, kPass,
         {{Ext, 0}, {Trig, 0}}, {&kNoTeachOrTrigger}, {Ext, Trig}},
        {"white balance, TRIGGER and EXTERN TEACH off: nothing to say", {{Cal, 3}, {Dig, 3}}, kPass,
         {{Ext, 0}, {Trig, 0}}, {}, {}, {Ext, Trig}},
        {"TRIGGER wins over EXTERN TEACH", {{Dig, 3}, {Trig, 1}, {Ext, 1}}, kPass,
         {{Trig, 1}, {Ext, 0}}, {}, {Ext}, {Trig}, {E::In0Indicator}},
        {"EXTERN TEACH dims TRIGGER", {{Dig, 1}, {Ext, 1}}, kPass,
         {{Trig, 0}, {Ext, 1}}, {}, {Trig}, {Ext}, {E::In0Indicator}},
        {"both off: both free, IN0 unused", {{Dig, 1}}, kPass,
         {{Trig, 0}, {Ext, 0}}, {}, {}, {Trig, Ext}, {}, {E::In0Indicator}},
        {"the analogue edge takes IN0 from TRIGGER", {{Dig, 3}, {AnaOut, 1}, {Trig, 2}}, kPass,
         {{Trig, 0}, {Ext, 0}, {AnaOut, 1}}, {&kUsedByAnalogOut}, {Trig, Ext}, {}, {E::In0Indicator}},
        {"the analogue edge blocks TRIGGER silently when it is off", {{Dig, 3}, {AnaOut, 1}}, kPass,
         {{Trig, 0}}, {}, {Trig, Ext}},
        {"CS REF takes IN0 from EXTERN TEACH", {{Dig, 2}, {AnaMode, 3}, {Ext, 1}}, kPass,
         {{Ext, 0}, {AnaMode, 3}}, {&kUsedByAnalogOut}, {Trig, Ext, AnaOut}, {Zoom},
         plus(kReferenceDisplays, {E::In0Indicator})},
        {"analogue output off hides its settings", {{AnaMode, 0}, {AnaOut, 1}}, kPass,
         {{AnaOut, 0}}, {}, {Zoom}, {AnaOut}, {}, plus(kReferenceDisplays, {E::In0Indicator}),
         {C::AnalogOutSignal, AnaOut, Zoom}},
        {"XYZ output with the IN0 edge", {{AnaMode, 1}, {AnaOut, 1}}, kPass,
         {{AnaOut, 1}}, {}, {Zoom}, {AnaOut}, {E::In0Indicator}, kReferenceDisplays,
         {}, {C::AnalogOutSignal, AnaOut, Zoom}},
        {"no colour output switches TRIGGER and EXTERN TEACH off", {{Dig, 0}, {Trig, 2}, {Ext, 1}},
         &ParameterRules::InitDigOutmode,
         {{Trig, 0}, {Ext, 0}}, {}, {}, {}, {}, plus(kTeachPagesAndDisplays, {E::BigColourNumberPanel})},
    };
    // clang-format on
    return cases;
}

TEST_F(RulesTest, CorrectionsDimmingAndVisibilityInBothLanguages) {
    for (const RuleCase& k : ruleCases()) {
        for (Language l : kLanguages) {
            SCOPED_TRACE(std::string(k.name) + " / " + languageName(l));
            ParameterControls fresh;
            controls = fresh; // observers of the old model are none
            op.calls.clear();
            language = l;
            given(k.given);
            (rules.*k.step)();
            for (const auto& [c, v] : k.expect)
                EXPECT_EQ(controls.value(c), v) << "control " << static_cast<int>(c);
            EXPECT_EQ(messages(), expected(k.messages));
            for (C c : k.dimmed)
                EXPECT_TRUE(controls.dimmed(c)) << "dimmed " << static_cast<int>(c);
            for (C c : k.undimmed)
                EXPECT_FALSE(controls.dimmed(c)) << "undimmed " << static_cast<int>(c);
            for (E e : k.shown)
                EXPECT_TRUE(controls.shown(e)) << "shown " << static_cast<int>(e);
            for (E e : k.hidden)
                EXPECT_FALSE(controls.shown(e)) << "hidden " << static_cast<int>(e);
            for (C c : k.hiddenControls)
                EXPECT_TRUE(controls.hidden(c)) << "hidden control " << static_cast<int>(c);
            for (C c : k.shownControls)
                EXPECT_FALSE(controls.hidden(c)) << "shown control " << static_cast<int>(c);
        }
    }
}

TEST_F(RulesTest, TooManyTeachVectorsShowTheTeachPageFirstAndMarkTheRows) {
    given({{C::DigitalOutmode, 1}, {C::MaxVecNo, 3}});
    rules.InitPanelCtrlAttr();
    ASSERT_GE(op.calls.size(), 2u);
    EXPECT_EQ(op.calls[0].kind, "tab");
    EXPECT_EQ(op.calls[0].value, static_cast<int>(MainTab::TeachTable));
    EXPECT_EQ(op.calls[1].kind, "message");
    EXPECT_EQ(table.rowLabelColour(0), teach::kActiveRowLabel);
    EXPECT_EQ(table.rowLabelColour(1), teach::kActiveRowLabel);
    EXPECT_EQ(table.rowLabelColour(2), teach::kInactiveRowLabel);
    EXPECT_EQ(op.count("tab"), 1u);
}

TEST_F(RulesTest, RowLabelsStayWhenThereIsNoColourOutput) {
    table.markActiveRows(3);
    given({{C::DigitalOutmode, 0}, {C::MaxVecNo, 1}});
    rules.InitPanelCtrlAttr();
    EXPECT_EQ(table.rowLabelColour(2), teach::kActiveRowLabel);
    given({{C::DigitalOutmode, 3}});
    rules.InitPanelCtrlAttr();
    EXPECT_EQ(table.rowLabelColour(1), teach::kInactiveRowLabel);
}

TEST_F(RulesTest, ColourSpaceAndShapeSetCaptionsDecimalsAndManualRanges) {
    struct Case {
        int colourSpace;
        int shape;
        std::array<std::string, 6> headings;
        int tableDecimals;
        std::array<int, 3> decimals;
        calibration::AxisRange first;
    };
    const Case cases[] = {
        {0, 0, {"x", "y", "Y:100", "xTol", "yTol", "YTol"}, 4, {4, 4, 4}, {0, 0.85}},
        {1, 1, {"a*", "b*", "L*", "a*b*Tol", "L*Tol", ""}, 2, {2, 2, 2}, {-80, 80}},
        {2, 2, {"u*", "v*", "L*", "deltaE", "", ""}, 2, {2, 2, 2}, {-790, 725}},
        {3, 0, {"C*", "h*", "L*", "C*Tol", "h*Tol", "L*Tol"}, 2, {2, 2, 2}, {0, 540}},
        {4, 2, {"u'", "v'", "L*", "deltaE", "", ""}, 3, {4, 4, 3}, {0, 0.65}},
        {0, 2, {"x", "y", "Y:100", "CTO", "", ""}, 4, {4, 4, 4}, {0, 0.85}},
    };
    controls.setGraphManualScaling(0, true); // graphs 1 and 2 scale themselves
    const calibration::AxisRange untouched{-1, 1};
    controls.setGraphRange(1, untouched);
    int n = 0;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.colourSpace * 10 + k.shape);
        given({{C::ColorSpace, k.colourSpace}, {C::ShapeMode, k.shape}});
        rules.InitCSpace();
        EXPECT_EQ(graphs.count("scope"), ++n);
        EXPECT_EQ(table.headings(), k.headings);
        EXPECT_EQ(table.decimals(), k.tableDecimals);
        EXPECT_EQ(controls.captions().display.tableDecimals, k.tableDecimals);
        EXPECT_EQ(controls.captions().display.coordinateDecimals, k.decimals);
        EXPECT_EQ(controls.captions().coordinates[0], k.headings[0]);
        EXPECT_EQ(controls.graph(0).range, k.first);
        EXPECT_EQ(controls.graph(1).range, untouched);
    }
    EXPECT_EQ(controls.captions().differences[0], "delta x");
    EXPECT_EQ(controls.captions().plots[2], "y/Y:100");
}

TEST_F(RulesTest, CommitsRunWhatTheirControlNeeds) {
    std::vector<std::string>& calls = graphs.calls;

    // Help-only controls run no pass: the forbidden combination stays.
    given({{C::Calibration, 5}, {C::PowerMode, 1}});
    for (C c : {C::Power, C::Gain, C::AnalogZoom, C::Intlim, C::DoublePower1, C::CorrectionX})
        rules.commit(c);
    EXPECT_EQ(controls.value(C::PowerMode), 1);
    EXPECT_TRUE(calls.empty());

    rules.commit(C::LedMode);
    EXPECT_EQ(controls.value(C::PowerMode), 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"scope"}));

    calls.clear();
    rules.commit(C::ColorSpace);
    EXPECT_EQ(calls, (std::vector<std::string>{"scope", "init", "show"}));

    calls.clear();
    table.setCell(1, 3, 0.75);
    given({{C::ShapeMode, 0}});
    rules.commit(C::ShapeMode);
    EXPECT_EQ(calls, (std::vector<std::string>{"scope", "init", "show"}));
    EXPECT_EQ(set.teach[1][3], 0.75); // the parameter set follows the table
    EXPECT_EQ(set.words[word::ShapeMode], 0);
    EXPECT_EQ(table.headings()[3], "xTol");
}

TEST_F(RulesTest, HelpTextsInBothLanguages) {
    // INTEGRAL 1 and INTEGRAL 2 share one text.
    const Text integral{
        "Mit INTEGRAL1 waehlt man wie oft die Rohsignale X Y Z aufsummiert werden. \n\nMit "
        "INTEGRAL2 waehlt man wie oft die gemittelte Signal X Y Z aufsummiert werden.",
        "INTEGRAL1 selects how often the raw signals X Y Z are added up. \n\nINTEGRAL2 selects "
        "how often the averaged signals X Y Z are added up."};
    for (Language l : kLanguages) {
        op.calls.clear();
        language = l;
        rules.showHelp(C::Integral1);
        rules.showHelp(C::Integral2);
        EXPECT_EQ(messages(), (std::vector<std::string>{integral.str(l), integral.str(l)}));
    }
    for (std::size_t i = 0; i < word::DoublePower1; ++i)
        EXPECT_TRUE(helpText(static_cast<C>(i)).has_value()) << i;
    op.calls.clear();
    rules.showHelp(C::CorrectionY); // the double-parameter panel's help
    EXPECT_TRUE(op.calls.empty());
}

// ---- External teach ----

struct ExternTeachCase {
    const char* name;
    Values given;
    std::vector<bool> confirms;
    std::vector<std::optional<std::string>> answers;
    std::vector<const Text*> prompts;  // asked in this order
    std::vector<const Text*> messages; // shown in this order
    bool reset;                        // the table was cleared
    std::array<double, 3> column4;     // rows 0..2 afterwards
    std::array<double, 3> column5;
};

constexpr double kOld = 9.5; // what every cell holds before

const std::vector<ExternTeachCase>& externTeachCases() {
    constexpr C Shape = C::ShapeMode;
    // clang-format off
    static const std::vector<ExternTeachCase> cases = {
        // name, given, Yes/No answers, prompt answers, prompts, messages, reset, column 4, column 5
        {"SPHERE, two rows, 2.5", {{Shape, 2}, {MaxVec, 2}}, {true, true}, {"2.5"},
         {&kTolerancePrompt}, {}, true, {2.5, 2.5, 0}, {0, 0, 0}},
        {"CYLINDER, three rows, leading text", {{Shape, 1}, {MaxVec, 3}}, {true, true}, {"tol 0.04"},
         {&kTolerancePrompt}, {}, true, {0.04, 0.04, 0.04}, {0, 0, 0}},
        {"BLOCK asks colour and intensity", {{Shape, 0}, {MaxVec, 2}}, {true, true}, {"0.02", "5"},
         {&kColourTolerancePrompt, &kIntensityTolerancePrompt}, {}, true, {0.02, 0.02, 0}, {5, 5, 0}},
        {"BLOCK with an unreadable intensity", {{Shape, 0}, {MaxVec, 1}}, {true, true}, {"1.5", "none"},
         {&kColourTolerancePrompt, &kIntensityTolerancePrompt}, {&kInvalidTolerance}, true, {1.5, 0, 0}, {0, 0, 0}},
        {"unreadable tolerance stays 0", {{Shape, 2}, {MaxVec, 3}}, {true, true}, {"abc"},
         {&kTolerancePrompt}, {&kInvalidTolerance}, true, {0, 0, 0}, {0, 0, 0}},
        {"a tolerance the sensor cannot hold", {{Shape, 2}, {MaxVec, 2}}, {true, true}, {"40000"},
         {&kTolerancePrompt}, {&kInvalidTolerance}, true, {0, 0, 0}, {0, 0, 0}},
        {"cancelled prompt counts as no number", {{Shape, 2}, {MaxVec, 1}}, {true, true}, {std::nullopt},
         {&kTolerancePrompt}, {&kInvalidTolerance}, true, {0, 0, 0}, {0, 0, 0}},
        {"no reset: nothing changes", {{Shape, 2}, {MaxVec, 3}}, {false}, {},
         {}, {}, false, {kOld, kOld, kOld}, {kOld, kOld, kOld}},
        {"reset without tolerance", {{Shape, 2}, {MaxVec, 3}}, {true, false}, {},
         {}, {}, true, {0, 0, 0}, {0, 0, 0}},
    };
    // clang-format on
    return cases;
}

TEST_F(RulesTest, ExternTeachResetsAndFillsTheToleranceColumns) {
    for (const ExternTeachCase& k : externTeachCases()) {
        for (Language l : kLanguages) {
            SCOPED_TRACE(std::string(k.name) + " / " + languageName(l));
            ParameterControls fresh;
            controls = fresh;
            language = l;
            op.calls.clear();
            op.confirmAnswers.assign(k.confirms.begin(), k.confirms.end());
            op.promptAnswers.assign(k.answers.begin(), k.answers.end());
            TeachRows old;
            for (auto& row : old)
                row.fill(kOld);
            table.setCells(old);
            table.setRowNumber(2);
            set.teach = old;
            graphs.calls.clear();
            given({{C::DigitalOutmode, 3}, {C::ExternTeach, 1}});
            given(k.given);

            rules.commitExternTeach();

            std::vector<std::string> questions, prompts;
            for (const auto& call : op.calls) {
                if (call.kind == "confirm")
                    questions.push_back(call.text);
                if (call.kind == "prompt") {
                    prompts.push_back(call.text);
                    EXPECT_EQ(call.value, 9);
                    EXPECT_EQ(call.title, kInfoTitle.in(l));
                }
            }
            std::vector<const Text*> asked{&kResetQuestion, &kToleranceQuestion};
            asked.resize(k.confirms.size());
            EXPECT_EQ(questions, expected(asked));
            EXPECT_EQ(prompts, expected(k.prompts));
            EXPECT_EQ(messages(), expected(k.messages));
            EXPECT_TRUE(op.confirmAnswers.empty());
            EXPECT_TRUE(op.promptAnswers.empty());
            EXPECT_EQ(graphs.count("delete plots"), k.reset ? 1 : 0);
            EXPECT_EQ(graphs.count("init") > 0, k.reset);
            // After a reset the parameter set follows the grid, whatever the
            // answers to the tolerance questions.
            EXPECT_EQ(set.teach, k.reset ? table.cells() : old);
            EXPECT_EQ(table.rowNumber(), k.reset ? 0 : 2);
            for (int r = 0; r < 3; ++r) {
                EXPECT_EQ(table.cell(r, 3), k.column4[r]) << "row " << r;
                EXPECT_EQ(table.cell(r, 4), k.column5[r]) << "row " << r;
                EXPECT_EQ(table.cell(r, 0), k.reset ? 0.0 : kOld);
                EXPECT_EQ(table.cell(r, 5), k.reset ? 0.0 : kOld);
            }
            if (k.reset && k.confirms.size() == 2) {
                EXPECT_EQ(set.teach, table.cells()); // the parameter set follows
            }
        }
    }
}

TEST_F(RulesTest, ExternTeachThatThePassSwitchesOffAsksNothing) {
    const Values cases[] = {
        {{C::DigitalOutmode, 0}, {C::ExternTeach, 1}},                  // no colour output
        {{C::DigitalOutmode, 3}, {C::ExternTeach, 1}, {C::Trigger, 1}}, // TRIGGER wins
        {{C::DigitalOutmode, 3}, {C::ExternTeach, 1}, {C::Calibration, 4}},
        {{C::DigitalOutmode, 3}, {C::ExternTeach, 0}},
    };
    for (const Values& v : cases) {
        ParameterControls fresh;
        controls = fresh;
        op.calls.clear();
        given(v);
        rules.commitExternTeach();
        EXPECT_EQ(controls.value(C::ExternTeach), 0);
        EXPECT_EQ(op.count("confirm"), 0u);
        EXPECT_EQ(op.count("prompt"), 0u);
    }
}

TEST_F(RulesTest, In0UseFollowsTheCorrectedValues) {
    struct Case {
        Values values;
        bool used;
    };
    const Case cases[] = {
        {{}, false},
        {{{C::Calibration, 3}}, true},
        {{{C::Calibration, 4}}, true},
        {{{C::Calibration, 5}}, false},
        {{{C::Calibration, 6}}, true},
        {{{C::AnalogOutmode, 3}}, true},
        {{{C::AnalogOut, 1}}, true},
        {{{C::Trigger, 1}}, false}, // without colour output TRIGGER does not count
        {{{C::DigitalOutmode, 1}, {C::Trigger, 1}}, true},
        {{{C::DigitalOutmode, 1}, {C::ExternTeach, 1}}, true},
    };
    for (const Case& k : cases) {
        ParameterControls c;
        for (const auto& [control, v] : k.values)
            c.setValue(control, v);
        EXPECT_EQ(in0Used(c), k.used);
    }
}

} // namespace
} // namespace tavrino::parameters
