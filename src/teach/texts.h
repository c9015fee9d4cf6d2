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

// The mean-value teach panel.
inline constexpr Text kOpenMeanPanelHelp{"Oeffnet ein Fenster um Mittelwerte zu teachen.",
                                         "Opens a panel to teach mean values."};
inline constexpr Text kCaptureHelp{"Hol Daten und trage sie in die Tabelle ein.",
                                   "Get data frame and assign to table."};
inline constexpr Text kUndoHelp{"Die letzte erfasste Zeile aus der Tabelle entfernen.",
                                "Remove the last frame from table."};
inline constexpr Text kMeanResetHelp{"Setzt die TEACH TABELLE zurueck. \nAlle Zellen werden auf 0 gesetzt.",
                                     "Reset the TEACH TABLE. \nAll cells are set to 0."};
inline constexpr Text kMeanTeachHelp{
    "Mittelwerte werden in die im No.: \nFunktionsfeld ausgewaehlte Zeile eingetragen.",
    "Mean values are assigned to the \nTEACH TABLE row selected \nin the No.: function field."};
inline constexpr Text kValueTableHelp{"Tabelle um die aufgenommenen Werte aufzulisten.",
                                      "Table to list the captured values."};
inline constexpr Text kMeanTableHelp{"Tabelle um die Mittelwerte aufzulisten.",
                                     "Table to list the mean values."};
inline constexpr Text kCaptureCounterHelp{"Zeigt die Anzahl der aufgenommenen Frames an.",
                                          "Displays the number of captured frames."};
inline constexpr Text kMaxDeltaEHelp{"Zeigt den Farbabstand von allen Tabellenwerten.",
                                     "Displays delta E of all captured table data."};
inline constexpr Text kCloseTeachPanelHelp{"Schliesst PANEL und kehrt zu HAUPT PANEL zurueck.",
                                           "Close PANEL and return to MAIN PANEL."};

// The recorded-value teach panel.
inline constexpr Text kOpenRecordedPanelHelp{"Oeffnet ein Fenster um Daten aufzuzeichnen.",
                                             "Opens a panel to teach recorded data frames."};
inline constexpr Text kRecordStartHelp{"Startet die Aufzeichnung von Werten.", "Start recording of data."};
inline constexpr Text kRecordResetHelp{"Setzt Graphen und Zaehler zurueck.", "Reset graphs and counter."};
inline constexpr Text kRecordTeachHelp{
    "Teacht die Cursorposition zu der \nim Zeilen No.: Funktionsfeld ausgewaehlten Zeile der TEACH TABELLE.",
    "Teach cursor position to the \nTEACH TABLE row selected \nin the ROW No.: function field."};
inline constexpr Text kRecordGraphHelp{
    "Anzeige fuer aufgenommene Werte. \nCursor bewegen um die Position zu waehlen, \ndie in die Tabelle "
    "gelernt "
    "werden soll.",
    "Display for recorded values. \nMove cursor to select a position \nwhich should be taught to the table."};
inline constexpr Text kRecordCounterHelp{"Zeigt die Anzahl der aufgezeichneten Werte an.",
                                         "Displays the number of recorded values."};

} // namespace tavrino::teach::texts
