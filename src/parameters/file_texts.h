#pragma once

// Names and operator texts of the parameter file.

#include "common/language.h"

#include <string_view>

namespace tavrino::parameters::file {

// --- File layout -------------------------------------------------------------

inline constexpr std::string_view kGeneralInfoSection = "GENERAL INFO";
inline constexpr std::string_view kFileTypeKey = "FILE TYPE:";
inline constexpr std::string_view kScopeVersionKey = "SCOPE VERSION:";
inline constexpr std::string_view kParameterFileType = "Parameter File";
inline constexpr std::string_view kScopeVersion = "TAVRINO4 VXR QLM Scope V3.2";

inline constexpr std::string_view kParameterSection = "PARAMETER";
// Followed by the row number 0..2.
inline constexpr std::string_view kTeachVectorSectionPrefix = "TEACH VECTOR ";
// Followed by the cell number 0..5.
inline constexpr std::string_view kCellKeyPrefix = "CELL ";

// --- File dialog ---------------------------------------------------------------

inline constexpr std::string_view kDefaultFileName = "Parameter.ini";
inline constexpr std::string_view kFileFilter = "*.ini";
inline constexpr std::string_view kDialogTitle = "Parameter";

// --- Operator texts ------------------------------------------------------------

inline constexpr Text kNoFileSelected{"Keine Datei ausgewaehlt! \nAktion wird nicht ausgefuehrt!",
                                      "No file was selected! \nProcess will not be done!"};
inline constexpr Text kNotAParameterFile{
    "Gewaehlte Datei ist keine Parameter-Datei! \nTrotzdem fortfahren?",
    "Selected file is not a parameter file! \nDo you want to proceed anyway?"};
inline constexpr Text kVersionMismatch{
    "Gewaehlte Datei und Scope-Version stimmen nicht ueberein! \nTrotzdem fortfahren?",
    "Selected file and scope version do not match! \nDo you want to proceed anyway?"};
inline constexpr Text kNoParameterRead{"Keine Parameter eingelesen!", "No parameter were read!"};
inline constexpr Text kParameterReadFailures{
    "Folgende Parameter konnten nicht eingelesen werden \nund wurden auf Voreinstellung gesetzt:\n\n",
    "Following parameter could not be read \nand were set to default value:\n\n"};
inline constexpr Text kTeachVectorReadFailures{
    "Folgende Teach-Vektoren konnten nicht eingelesen werden \nund wurden auf Voreinstellung gesetzt:\n\n",
    "Following teach vectors could not be read \nand were set to default value:\n\n"};
// Followed by "\n" and the path.
inline constexpr Text kFileNotSaved{"Datei konnte nicht gespeichert werden!", "File could not be saved!"};

} // namespace tavrino::parameters::file
