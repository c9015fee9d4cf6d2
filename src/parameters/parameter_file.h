#pragma once

// The parameter file: the parameter set as an INI document, saved by SEND and
// loaded by GET when the transfer target is FILE. The same sections also go
// into the hardware information file.

#include "common/language.h"
#include "common/operator.h"
#include "ini/ini.h"
#include "parameters/options.h"
#include "parameters/parameter_set.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrino::parameters {

// Keys of section "PARAMETER", in word order (words 0..28): the option names.
inline constexpr std::array<std::string_view, kFileWordCount> kParameterFileKeys = [] {
    std::array<std::string_view, kFileWordCount> keys{};
    for (std::size_t w = 0; w < kFileWordCount; ++w)
        keys[w] = kOptionTable[w].name;
    return keys;
}();

// What a word becomes when its key cannot be read: the option default
// (correction values 1.0).
inline constexpr std::array<std::uint16_t, kFileWordCount> kParameterFileDefaults = [] {
    std::array<std::uint16_t, kFileWordCount> defaults{};
    for (std::size_t w = 0; w < kFileWordCount; ++w)
        defaults[w] = kOptionTable[w].defaultValue;
    return defaults;
}();

// The name under which an unreadable key is listed to the operator.
[[nodiscard]] std::string_view parameterListName(std::size_t word);

// "TEACH VECTOR 0".."TEACH VECTOR 2" and "CELL 0".."CELL 5".
[[nodiscard]] std::string teachVectorSection(int row);
[[nodiscard]] std::string teachCellKey(int cell);

// Adds section "PARAMETER" with words 0..28 as decimal integers.
void AppendParaToIniHandle(IniDocument* ini, const ParameterSet& set);
// Adds the three "TEACH VECTOR" sections with the six teach cells of each row.
void AppendTechVecToIniHandle(IniDocument* ini, const ParameterSet& set);

// Reads words 0..28; a key that is missing, not an integer or outside the
// range of its control takes its default and is listed in one message
// afterwards. Words 29..31 are left alone: they follow from the correction
// values when the controls are read next.
// Returns the number of keys that could not be read.
int AcquireParaFromIniHandle(IniDocument* ini, ParameterSet& set, Operator& op, Language language);
// Reads the 3 x 6 teach cells; a cell that cannot be read or that the sensor
// cannot hold becomes 0 and its row's section is listed in one message
// afterwards. The uninterpreted words of the teach-vector block are left
// alone. Returns the number of incomplete rows.
int AcquireTechVecFromIniHandle(IniDocument* ini, ParameterSet& set, Operator& op, Language language);

enum class ParameterFileResult {
    Saved,     // the file was written
    NotSaved,  // the file could not be written (the operator was told)
    Read,      // the file's parameters were taken into the set
    Declined,  // the operator refused a file of another type or version
    Cancelled, // no (existing) file was chosen
    // The chosen file is there but could not be opened or read (the operator
    // was told, with the path); nothing was taken and the controls are as
    // they were.
    Unreadable,
};

// The parameter controls as the parameter-file flows see them (the option
// rules implement it on the program's controls).
class ParameterPanel {
public:
    virtual ~ParameterPanel() = default;
    // Reads the controls into the parameter set (GetPanelValues).
    virtual void readControls() = 0;
    // Shows the parameter set in the controls, re-applies the option rules
    // and redraws the graphs.
    virtual void showParameterSet() = 0;
};

// SEND with target FILE. `path` is the remembered parameter file path; the
// dialog starts in its directory and a chosen path replaces it. Once a file
// is chosen the panel's controls are read into `set`, which is saved.
ParameterFileResult SendParaToFile(Operator& op, Language language, ParameterSet& set, std::string& path,
                                   ParameterPanel& panel);
// GET with target FILE. After every load attempt that opened a file, also a
// declined one, the panel shows the parameter set. A chosen file that has
// gone by the time it is read counts as a new name in the dialog: nothing
// was selected.
ParameterFileResult ReadParaFromFile(Operator& op, Language language, ParameterSet& set, std::string& path,
                                     ParameterPanel& panel);

} // namespace tavrino::parameters
