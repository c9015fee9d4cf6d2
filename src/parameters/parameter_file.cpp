#include "parameters/parameter_file.h"

#include "common/texts.h"
#include "parameters/file_texts.h"
#include "teach/teach_table.h"

#include <string>

namespace tavrino::parameters {

namespace {

// The directory part of a remembered path; both separators occur because the
// path may come from a settings file written on another system.
std::string directoryOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

FileChoice askForFile(Operator& op, std::string& path, FileRequest::Mode mode) {
    FileRequest request;
    request.mode = mode;
    request.startDirectory = directoryOf(path);
    request.defaultName = file::kDefaultFileName;
    request.filter = file::kFileFilter;
    request.title = file::kDialogTitle;
    FileChoice choice = op.selectFile(request);
    // A cancelled dialog keeps the last path, so the next one starts there again.
    if (choice.chosen())
        path = choice.path;
    return choice;
}

void tellNoFileSelected(Operator& op, Language language) {
    op.message(kInfoTitle.in(language), file::kNoFileSelected.in(language));
}

// Whether the file is of the expected kind, or the operator accepts it anyway.
bool acceptFile(IniDocument* ini, Operator& op, Language language) {
    std::string value;
    // A missing item leaves the text empty, which never matches.
    Ini_GetString(ini, file::kGeneralInfoSection, file::kFileTypeKey, value);
    if (value != file::kParameterFileType &&
        !op.confirm(kInfoTitle.in(language), file::kNotAParameterFile.in(language)))
        return false;
    Ini_GetString(ini, file::kGeneralInfoSection, file::kScopeVersionKey, value);
    if (value != file::kScopeVersion &&
        !op.confirm(kInfoTitle.in(language), file::kVersionMismatch.in(language)))
        return false;
    return true;
}

// Whether a word's control offers `value`: a value beyond it names no
// setting the program knows (CALIBRATION 9 is no calibration mode) and must
// not turn into another one when the control takes it. A correction word
// holds any correction value the table offers.
bool offeredByControl(std::size_t w, std::int32_t value) {
    if (w >= word::CorrectionX)
        return value >= 0 && value <= 0xFFFF;
    const OptionEntry& option = kOptionTable[w];
    return value >= option.min && value <= option.max;
}

} // namespace

std::string_view parameterListName(std::size_t word) {
    // The one key whose listed name differs from the key itself.
    if (word == word::ExternTeach)
        return "EXTEACH";
    return kParameterFileKeys.at(word);
}

std::string teachVectorSection(int row) {
    return std::string(file::kTeachVectorSectionPrefix) + std::to_string(row);
}

std::string teachCellKey(int cell) {
    return std::string(file::kCellKeyPrefix) + std::to_string(cell);
}

void AppendParaToIniHandle(IniDocument* ini, const ParameterSet& set) {
    for (std::size_t w = 0; w < kFileWordCount; ++w)
        Ini_PutInt(ini, file::kParameterSection, kParameterFileKeys[w], set.words[w]);
}

void AppendTechVecToIniHandle(IniDocument* ini, const ParameterSet& set) {
    for (int row = 0; row < static_cast<int>(set.teach.size()); ++row) {
        const std::string section = teachVectorSection(row);
        for (int cell = 0; cell < static_cast<int>(set.teach[row].size()); ++cell)
            Ini_PutDouble(ini, section, teachCellKey(cell), set.teach[row][cell]);
    }
}

int AcquireParaFromIniHandle(IniDocument* ini, ParameterSet& set, Operator& op, Language language) {
    std::string failures(file::kParameterReadFailures.in(language));
    int missing = 0;
    for (std::size_t w = 0; w < kFileWordCount; ++w) {
        std::int32_t value = 0;
        // A value its control does not offer counts as one that could not
        // be read; the option rules judge the combinations later.
        if (Ini_GetInt(ini, file::kParameterSection, kParameterFileKeys[w], &value) == 1 &&
            offeredByControl(w, value)) {
            set.words[w] = static_cast<std::uint16_t>(value);
        } else {
            set.words[w] = kParameterFileDefaults[w];
            failures += parameterListName(w);
            failures += '\n';
            ++missing;
        }
    }
    if (missing > 0)
        op.message(kInfoTitle.in(language), failures);
    return missing;
}

int AcquireTechVecFromIniHandle(IniDocument* ini, ParameterSet& set, Operator& op, Language language) {
    std::string failures(file::kTeachVectorReadFailures.in(language));
    int incomplete = 0;
    for (int row = 0; row < static_cast<int>(set.teach.size()); ++row) {
        const std::string section = teachVectorSection(row);
        bool complete = true;
        for (int cell = 0; cell < static_cast<int>(set.teach[row].size()); ++cell) {
            double value = 0.0;
            // A cell the sensor cannot hold counts as one that could not be read.
            if (Ini_GetDouble(ini, section, teachCellKey(cell), &value) == 1 && teach::cellFits(value)) {
                set.teach[row][cell] = value;
            } else {
                set.teach[row][cell] = 0.0;
                complete = false;
            }
        }
        if (!complete) {
            failures += section;
            failures += '\n';
            ++incomplete;
        }
    }
    if (incomplete > 0)
        op.message(kInfoTitle.in(language), failures);
    return incomplete;
}

ParameterFileResult SendParaToFile(Operator& op, Language language, ParameterSet& set, std::string& path,
                                   ParameterPanel& panel) {
    const FileChoice choice = askForFile(op, path, FileRequest::Mode::Save);
    if (!choice.chosen()) {
        tellNoFileSelected(op, language);
        return ParameterFileResult::Cancelled;
    }
    panel.readControls();

    IniHandle ini = Ini_New(false);
    Ini_PutString(ini.get(), file::kGeneralInfoSection, file::kFileTypeKey, file::kParameterFileType);
    Ini_PutString(ini.get(), file::kGeneralInfoSection, file::kScopeVersionKey, file::kScopeVersion);
    AppendParaToIniHandle(ini.get(), set);
    AppendTechVecToIniHandle(ini.get(), set);
    const int status = Ini_WriteToFile(ini.get(), choice.path);
    Ini_Dispose(ini);

    // A file that could not be written must not pass for saved parameters.
    if (status < 0) {
        std::string text(file::kFileNotSaved.in(language));
        text += '\n';
        text += choice.path;
        op.message(kInfoTitle.in(language), text);
        return ParameterFileResult::NotSaved;
    }
    return ParameterFileResult::Saved;
}

ParameterFileResult ReadParaFromFile(Operator& op, Language language, ParameterSet& set, std::string& path,
                                     ParameterPanel& panel) {
    const FileChoice choice = askForFile(op, path, FileRequest::Mode::Open);
    if (choice.kind != FileChoice::Kind::Existing) {
        tellNoFileSelected(op, language);
        return ParameterFileResult::Cancelled;
    }

    IniHandle ini = Ini_New(false);
    // A file that cannot be read must not load as a file without keys, which
    // would put every default into the set (and from there to the sensor).
    switch (Ini_LoadFile(ini.get(), choice.path)) {
    case IniFileLoad::Read:
        break;
    case IniFileLoad::Missing:
        tellNoFileSelected(op, language);
        return ParameterFileResult::Cancelled;
    case IniFileLoad::Unreadable:
        tellFileNotRead(op, language, choice.path);
        return ParameterFileResult::Unreadable;
    }

    ParameterFileResult result = ParameterFileResult::Declined;
    if (acceptFile(ini.get(), op, language)) {
        AcquireParaFromIniHandle(ini.get(), set, op, language);
        AcquireTechVecFromIniHandle(ini.get(), set, op, language);
        result = ParameterFileResult::Read;
    } else {
        op.message(kInfoTitle.in(language), file::kNoParameterRead.in(language));
    }
    Ini_Dispose(ini);

    // Even a declined file rewrites the controls (from the unchanged set) and
    // re-applies the rules, as every load does.
    panel.showParameterSet();
    return result;
}

} // namespace tavrino::parameters
