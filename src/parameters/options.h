#pragma once

#include "common/language.h"
#include "parameters/parameter_set.h"

#include <array>
#include <cstddef>
#include <cstdint>
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

// The one table of options, indexed by word.
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
