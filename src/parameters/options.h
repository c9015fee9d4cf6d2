#pragma once

#include "common/language.h"
#include "parameters/parameter_set.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

namespace tavrino::parameters {

// The 32 words of the parameter block; `word::` in parameter_set.h names them.
using ParameterWords = std::array<std::uint16_t, kWordCount>;

// How the operator edits a word.
enum class ControlKind {
    Slider,        // slider with a numeric field
    Numeric,       // numeric field
    Ring,          // list of labelled codes
    TableCell,     // integer cell of the double-parameter table
    RealTableCell, // real cell; the word holds value x 128
    Derived,       // computed from other words, never edited
};

struct OptionCode {
    std::uint16_t code;
    Text label;
};

struct OptionEntry {
    std::string_view name; // key of the parameter file; derived words have a name of their own
    ControlKind kind;
    std::span<const OptionCode> codes; // empty unless kind is Ring
    std::uint16_t min;                 // plausible range the sensor accepts
    std::uint16_t max;
    std::uint16_t defaultValue; // 0 for derived words (see defaultParameterWords)
};

// The labelled codes of the ring options.
namespace option_codes {

// Labels are written German first, as Text holds them.
inline constexpr OptionCode kPowerMode[] = {{0, {"SINGLE", "SINGLE"}}, {1, {"DOPPEL", "DOUBLE"}}};
inline constexpr OptionCode kGain[] = {{1, {"VST1", "AMP1"}}, {2, {"VST2", "AMP2"}}, {3, {"VST3", "AMP3"}},
                                       {4, {"VST4", "AMP4"}}, {5, {"VST5", "AMP5"}}, {6, {"VST6", "AMP6"}},
                                       {7, {"VST7", "AMP7"}}, {8, {"VST8", "AMP8"}}};
inline constexpr OptionCode kLedMode[] = {{0, {"DC", "DC"}}, {1, {"AC", "AC"}}};
inline constexpr OptionCode kColorSpace[] = {{0, {"xyY", "xyY"}},
                                             {1, {"L*a*b*", "L*a*b*"}},
                                             {2, {"L*u*v*", "L*u*v*"}},
                                             {3, {"L*C*h*", "L*C*h*"}},
                                             {4, {"u'v'L*", "u'v'L*"}}};
inline constexpr OptionCode kCalibration[] = {{0, {"OFF", "OFF"}},
                                              {1, {"FCAL", "FCAL"}},
                                              {2, {"UCAL", "UCAL"}},
                                              {3, {"FCAL WB", "FCAL WB"}},
                                              {4, {"UCAL WB", "UCAL WB"}},
                                              {5, {"XYZ OFFSET", "XYZ OFFSET"}},
                                              {6, {"XYZ OFFSET IN0", "XYZ OFFSET IN0"}}};
inline constexpr OptionCode kDigitalOutmode[] = {{0, {"OFF", "OFF"}},
                                                 {1, {"DIREKT HI", "DIRECT HI"}},
                                                 {2, {"DIREKT LO", "DIRECT LO"}},
                                                 {3, {"BINAER HI", "BINARY HI"}},
                                                 {4, {"BINAER LO", "BINARY LO"}}};
inline constexpr OptionCode kEvaluationMode[] = {{0, {"ERSTER TREFFER", "FIRST HIT"}},
                                                 {1, {"BESTER TREFFER", "BEST HIT"}}};
inline constexpr OptionCode kShapeMode[] = {
    {0, {"BLOCK", "BLOCK"}}, {1, {"ZYLINDER", "CYLINDER"}}, {2, {"KUGEL", "SPHERE"}}};
inline constexpr OptionCode kExternTeach[] = {{0, {"AUS", "OFF"}}, {1, {"EIN", "ON"}}};
inline constexpr OptionCode kTrigger[] = {
    {0, {"KONT", "CONT"}}, {1, {"EXT1", "EXT1"}}, {2, {"EXT2", "EXT2"}}, {3, {"SENDER", "TRANS"}}};
inline constexpr OptionCode kAnalogOutmode[] = {
    {0, {"OFF", "OFF"}}, {1, {"XYZ", "XYZ"}}, {2, {"CS", "CS"}}, {3, {"CS REF", "CS REF"}}};
inline constexpr OptionCode kAnalogOutSignal[] = {{0, {"0-10V", "0-10V"}}, {1, {"4-20mA", "4-20mA"}}};
inline constexpr OptionCode kAnalogOut[] = {{0, {"KONT", "CONT"}}, {1, {"IN0 L->H", "IN0 L->H"}}};
inline constexpr OptionCode kAnalogZoom[] = {
    {0, {"x1", "x1"}}, {1, {"x2", "x2"}}, {2, {"x4", "x4"}}, {3, {"x8", "x8"}}};

} // namespace option_codes

// The upper end of a word that takes any value.
inline constexpr std::uint16_t kAnyWord = std::numeric_limits<std::uint16_t>::max();

// The one table of options, indexed by word: names, codes, ranges and defaults
// all come from here.
inline constexpr std::array<OptionEntry, kWordCount> kOptionTable{{
    {"POWER", ControlKind::Slider, {}, 0, 1000, 500},
    {"POWER MODE", ControlKind::Ring, option_codes::kPowerMode, 0, 1, 0},
    {"GAIN", ControlKind::Ring, option_codes::kGain, 1, 8, 5},
    {"INTEGRAL 1", ControlKind::Numeric, {}, 1, 250, 1},
    {"INTEGRAL 2", ControlKind::Numeric, {}, 1, kAnyWord, 1},
    {"AVERAGE", ControlKind::Numeric, {}, 1, 1024, 1},
    {"LED MODE", ControlKind::Ring, option_codes::kLedMode, 0, 1, 0},
    {"COLOR SPACE", ControlKind::Ring, option_codes::kColorSpace, 0, 4, 0},
    {"CALIBRATION", ControlKind::Ring, option_codes::kCalibration, 0, 6, 0},
    {"DIGITAL OUTMODE", ControlKind::Ring, option_codes::kDigitalOutmode, 0, 4, 0},
    {"MAX VEC NO", ControlKind::Numeric, {}, 1, 3, 1},
    {"INTLIM", ControlKind::Numeric, {}, 0, 4095, 0},
    {"EVALUATION MODE", ControlKind::Ring, option_codes::kEvaluationMode, 0, 1, 1},
    {"SHAPE MODE", ControlKind::Ring, option_codes::kShapeMode, 0, 2, 1},
    {"EXTERN TEACH", ControlKind::Ring, option_codes::kExternTeach, 0, 1, 0},
    {"TRIGGER", ControlKind::Ring, option_codes::kTrigger, 0, 3, 0},
    {"ANALOG OUTMODE", ControlKind::Ring, option_codes::kAnalogOutmode, 0, 3, 1},
    {"ANALOG OUT SIGNAL", ControlKind::Ring, option_codes::kAnalogOutSignal, 0, 1, 0},
    {"ANALOG OUT", ControlKind::Ring, option_codes::kAnalogOut, 0, 1, 0},
    {"ANALOG ZOOM", ControlKind::Ring, option_codes::kAnalogZoom, 0, 3, 0},
    {"DOUBLE PARA POWER1", ControlKind::TableCell, {}, 0, 1000, 600},
    {"DOUBLE PARA GAIN1", ControlKind::TableCell, {}, 1, 8, 6},
    {"DOUBLE PARA INTEGRAL1", ControlKind::TableCell, {}, 1, 250, 1},
    {"DOUBLE PARA POWER2", ControlKind::TableCell, {}, 0, 1000, 600},
    {"DOUBLE PARA GAIN2", ControlKind::TableCell, {}, 1, 8, 6},
    {"DOUBLE PARA INTEGRAL2", ControlKind::TableCell, {}, 1, 250, 1},
    {"CORRECTION VALUE X", ControlKind::RealTableCell, {}, 1, kAnyWord, 128},
    {"CORRECTION VALUE Y", ControlKind::RealTableCell, {}, 1, kAnyWord, 128},
    {"CORRECTION VALUE Z", ControlKind::RealTableCell, {}, 1, kAnyWord, 128},
    {"CUBE ROOT X", ControlKind::Derived, {}, 0, kAnyWord, 0},
    {"CUBE ROOT Y", ControlKind::Derived, {}, 0, kAnyWord, 0},
    {"CUBE ROOT Z", ControlKind::Derived, {}, 0, kAnyWord, 0},
}};

[[nodiscard]] const std::array<OptionEntry, kWordCount>& optionTable();
[[nodiscard]] const OptionEntry& optionEntry(std::size_t word);

// Label of a ring code, or nullptr when the word has no such code.
[[nodiscard]] const OptionCode* findCode(std::size_t word, std::uint16_t code);

// Every word at its default, the cube-root words derived from the defaults.
[[nodiscard]] ParameterWords defaultParameterWords();

// The sensor's check of a received parameter block: every word 0..28 outside
// its plausible range is replaced by its default; the cube-root words 29..31
// are recomputed from words 26..28 as trunc(cbrt(word) x 1024) without being
// counted. Returns how many words were replaced.
int plausibilityCheck(std::span<std::uint16_t, kWordCount> words);

} // namespace tavrino::parameters
