#pragma once

// Operator texts of teaching, the teach table's block edits and the table
// settings (row colours and specifications in files and in the sensor).

#include "common/language.h"

namespace tavrino::teach::texts {

inline constexpr Text kCellValuePrompt{"Zellen-Wert eintragen!", "Insert a cell value!"};

inline constexpr Text kNoFileSelected{"Keine Datei ausgewaehlt! \nAktion wird nicht ausgefuehrt!",
                                      "No file was selected! \nProcess will not be done!"};
inline constexpr Text kNotATableFile{
    "Gewaehltes File ist kein Parameterfile! \nTrotzdem fortfahren?",
    "Selected file is not a parameter file! \nDo you want to proceed anyway?"};
inline constexpr Text kVersionMismatch{
    "Gewaehlte Datei und Scope-Version stimmen nicht ueberein! \nTrotzdem fortfahren?",
    "Selected file and scope version do not match! \nDo you want to proceed anyway?"};
inline constexpr Text kNoParameterRead{"Keine Parameter eingelesen!", "No parameter were read!"};
// Followed by "\n" and the path.
inline constexpr Text kFileNotSaved{"Datei konnte nicht gespeichert werden!", "File could not be saved!"};
inline constexpr Text kSentToSensor{"Tabelleneinstellungen wurden \nan den Sensor uebertragen!",
                                    "Table settings have \nbeen sent to sensor!"};

} // namespace tavrino::teach::texts
