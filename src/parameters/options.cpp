#include "parameters/options.h"

#include "parameters/wire.h"

#include <limits>

namespace tavrino::parameters {

namespace {

// Labels are written German first, as Text holds them.
constexpr OptionCode kPowerMode[] = {{0, {"SINGLE", "SINGLE"}}, {1, {"DOPPEL", "DOUBLE"}}};
constexpr OptionCode kGain[] = {{1, {"VST1", "AMP1"}}, {2, {"VST2", "AMP2"}}, {3, {"VST3", "AMP3"}},
                                {4, {"VST4", "AMP4"}}, {5, {"VST5", "AMP5"}}, {6, {"VST6", "AMP6"}},
                                {7, {"VST7", "AMP7"}}, {8, {"VST8", "AMP8"}}};
constexpr OptionCode kLedMode[] = {{0, {"DC", "DC"}}, {1, {"AC", "AC"}}};
constexpr OptionCode kColorSpace[] = {{0, {"xyY", "xyY"}},
                                      {1, {"L*a*b*", "L*a*b*"}},
                                      {2, {"L*u*v*", "L*u*v*"}},
                                      {3, {"L*C*h*", "L*C*h*"}},
                                      {4, {"u'v'L*", "u'v'L*"}}};
constexpr OptionCode kCalibration[] = {{0, {"OFF", "OFF"}},
                                       {1, {"FCAL", "FCAL"}},
                                       {2, {"UCAL", "UCAL"}},
                                       {3, {"FCAL WB", "FCAL WB"}},
                                       {4, {"UCAL WB", "UCAL WB"}},
                                       {5, {"XYZ OFFSET", "XYZ OFFSET"}},
                                       {6, {"XYZ OFFSET IN0", "XYZ OFFSET IN0"}}};
constexpr OptionCode kDigitalOutmode[] = {{0, {"OFF", "OFF"}},
                                          {1, {"DIREKT HI", "DIRECT HI"}},
                                          {2, {"DIREKT LO", "DIRECT LO"}},
                                          {3, {"BINAER HI", "BINARY HI"}},
                                          {4, {"BINAER LO", "BINARY LO"}}};
constexpr OptionCode kEvaluationMode[] = {{0, {"ERSTER TREFFER", "FIRST HIT"}},
                                          {1, {"BESTER TREFFER", "BEST HIT"}}};
constexpr OptionCode kShapeMode[] = {
    {0, {"BLOCK", "BLOCK"}}, {1, {"ZYLINDER", "CYLINDER"}}, {2, {"KUGEL", "SPHERE"}}};
constexpr OptionCode kExternTeach[] = {{0, {"AUS", "OFF"}}, {1, {"EIN", "ON"}}};
constexpr OptionCode kTrigger[] = {
    {0, {"KONT", "CONT"}}, {1, {"EXT1", "EXT1"}}, {2, {"EXT2", "EXT2"}}, {3, {"SENDER", "TRANS"}}};
constexpr OptionCode kAnalogOutmode[] = {
    {0, {"OFF", "OFF"}}, {1, {"XYZ", "XYZ"}}, {2, {"CS", "CS"}}, {3, {"CS REF", "CS REF"}}};
constexpr OptionCode kAnalogOutSignal[] = {{0, {"0-10V", "0-10V"}}, {1, {"4-20mA", "4-20mA"}}};
constexpr OptionCode kAnalogOut[] = {{0, {"KONT", "CONT"}}, {1, {"IN0 L->H", "IN0 L->H"}}};
constexpr OptionCode kAnalogZoom[] = {
    {0, {"x1", "x1"}}, {1, {"x2", "x2"}}, {2, {"x4", "x4"}}, {3, {"x8", "x8"}}};

constexpr std::span<const OptionCode> kNone{};
constexpr std::uint16_t kMaxWord = std::numeric_limits<std::uint16_t>::max();

using K = ControlKind;
constexpr std::array<OptionEntry, kWordCount> kTable = {{
    {"POWER", K::Slider, kNone, 0, 1000, 500},
    {"POWER MODE", K::Ring, kPowerMode, 0, 1, 0},
    {"GAIN", K::Ring, kGain, 1, 8, 5},
    {"INTEGRAL 1", K::Numeric, kNone, 1, 250, 1},
    {"INTEGRAL 2", K::Numeric, kNone, 1, kMaxWord, 1},
    {"AVERAGE", K::Numeric, kNone, 1, 1024, 1},
    {"LED MODE", K::Ring, kLedMode, 0, 1, 0},
    {"COLOR SPACE", K::Ring, kColorSpace, 0, 4, 0},
    {"CALIBRATION", K::Ring, kCalibration, 0, 6, 0},
    {"DIGITAL OUTMODE", K::Ring, kDigitalOutmode, 0, 4, 0},
    {"MAX VEC NO", K::Numeric, kNone, 1, 3, 1},
    {"INTLIM", K::Numeric, kNone, 0, 4095, 0},
    {"EVALUATION MODE", K::Ring, kEvaluationMode, 0, 1, 1},
    {"SHAPE MODE", K::Ring, kShapeMode, 0, 2, 1},
    {"EXTERN TEACH", K::Ring, kExternTeach, 0, 1, 0},
    {"TRIGGER", K::Ring, kTrigger, 0, 3, 0},
    {"ANALOG OUTMODE", K::Ring, kAnalogOutmode, 0, 3, 1},
    {"ANALOG OUT SIGNAL", K::Ring, kAnalogOutSignal, 0, 1, 0},
    {"ANALOG OUT", K::Ring, kAnalogOut, 0, 1, 0},
    {"ANALOG ZOOM", K::Ring, kAnalogZoom, 0, 3, 0},
    {"DOUBLE PARA POWER1", K::TableCell, kNone, 0, 1000, 600},
    {"DOUBLE PARA GAIN1", K::TableCell, kNone, 1, 8, 6},
    {"DOUBLE PARA INTEGRAL1", K::TableCell, kNone, 1, 250, 1},
    {"DOUBLE PARA POWER2", K::TableCell, kNone, 0, 1000, 600},
    {"DOUBLE PARA GAIN2", K::TableCell, kNone, 1, 8, 6},
    {"DOUBLE PARA INTEGRAL2", K::TableCell, kNone, 1, 250, 1},
    {"CORRECTION VALUE X", K::RealTableCell, kNone, 1, kMaxWord, 128},
    {"CORRECTION VALUE Y", K::RealTableCell, kNone, 1, kMaxWord, 128},
    {"CORRECTION VALUE Z", K::RealTableCell, kNone, 1, kMaxWord, 128},
    {"CUBE ROOT X", K::Derived, kNone, 0, kMaxWord, 0},
    {"CUBE ROOT Y", K::Derived, kNone, 0, kMaxWord, 0},
    {"CUBE ROOT Z", K::Derived, kNone, 0, kMaxWord, 0},
}};

// The sensor only has the truncated correction word, so its cube root comes
// from that word (word / 128 x 128 is exact).
void deriveCubeRootWords(std::span<std::uint16_t, kWordCount> words) {
    for (std::size_t i = 0; i < 3; ++i)
        words[word::CubeRootX + i] = cubeRootWord(correctionValue(words[word::CorrectionX + i]));
}

} // namespace

const std::array<OptionEntry, kWordCount>& optionTable() {
    return kTable;
}

const OptionEntry& optionEntry(std::size_t w) {
    return kTable.at(w);
}

const OptionCode* findCode(std::size_t w, std::uint16_t code) {
    for (const OptionCode& c : optionEntry(w).codes)
        if (c.code == code)
            return &c;
    return nullptr;
}

ParameterWords defaultParameterWords() {
    ParameterWords words{};
    for (std::size_t i = 0; i < kWordCount; ++i)
        words[i] = kTable[i].defaultValue;
    deriveCubeRootWords(words);
    return words;
}

int plausibilityCheck(std::span<std::uint16_t, kWordCount> words) {
    int replaced = 0;
    for (std::size_t i = 0; i < word::CubeRootX; ++i) {
        const OptionEntry& option = kTable[i];
        if (words[i] < option.min || words[i] > option.max) {
            words[i] = option.defaultValue;
            ++replaced;
        }
    }
    deriveCubeRootWords(words);
    return replaced;
}

} // namespace tavrino::parameters
