#pragma once

// Names and help of the controls that have no caption or help text of their
// own elsewhere: what a screen reader reads for them, and what their right
// click shows.

#include "common/language.h"

#include <array>

namespace tavrino::ui::texts {

// ---- names of controls that no caption beside them names ----
inline constexpr Text kRowSpecificationsName{"ZEILENSPEZIFIKATIONEN", "ROW SPECIFICATIONS"};
inline constexpr Text kCapturedValuesName{"ERFASSTE WERTE", "CAPTURED VALUES"};
inline constexpr Text kMeanValueName{"MITTELWERT", "MEAN VALUE"};
inline constexpr Text kInstructionsName{"ANLEITUNG", "INSTRUCTIONS"};
// The graphs, which a screen reader reaches as they take the focus.
inline constexpr Text kXyzGraphName{"XYZ GRAFIK", "XYZ GRAPH"};
inline constexpr std::array<Text, 3> kColourSpaceGraphNames{{
    {"FARBRAUM GRAFIK 1", "COLOR SPACE GRAPH 1"},
    {"FARBRAUM GRAFIK 2", "COLOR SPACE GRAPH 2"},
    {"FARBRAUM GRAFIK 3", "COLOR SPACE GRAPH 3"},
}};
inline constexpr std::array<Text, 3> kProjectionNames{{
    {"3-SEITEN-ANSICHT 1", "THREE-SIDED VIEW 1"},
    {"3-SEITEN-ANSICHT 2", "THREE-SIDED VIEW 2"},
    {"3-SEITEN-ANSICHT 3", "THREE-SIDED VIEW 3"},
}};
inline constexpr Text kScopeGraphName{"SCOPE GRAFIK", "SCOPE GRAPH"};
inline constexpr Text kDigitalGraphName{"DIGITALE ZUSTAENDE", "DIGITAL STATES"};

// ---- help of controls that had none ----
// The connection log answers no right click; this is its description only.
inline constexpr Text kConnectionLogHelp{"Zeigt den Verlauf der Verbindung zum Sensor an.",
                                         "Displays the history of the connection to the sensor."};
inline constexpr Text kRowSpecificationsHelp{
    "Zeilenspezifikation: ein Text zu jeder Zeile der TEACH TABELLE \n(aendern mit Doppelklick oder F2). "
    "\nFarbe: Indikatorfarbe der Zeile.",
    "Row specification: a text for each row of the TEACH TABLE \n(change it with a double click or F2). "
    "\nColor: indicator color of the row."};
inline constexpr Text kComPortDisplayHelp{"Zeigt den COM-Port der Verbindung zum Sensor an.",
                                          "Displays the COM port of the connection to the sensor."};
inline constexpr Text kServerDisplayHelp{"Zeigt den Server der Verbindung zum Sensor an.",
                                         "Displays the server of the connection to the sensor."};
inline constexpr Text kReferenceDisplayHelp{"Zeigt die Referenz der Farbraumkoordinaten an, \ndie bei ANALOG "
                                            "OUTMODE CS REF mit einer positiven Flanke "
                                            "an IN0 gesetzt wird.",
                                            "Displays the reference of the color space coordinates, \nset at "
                                            "a rising edge of IN0 when ANALOG OUTMODE "
                                            "is CS REF."};
inline constexpr Text kMaximiseGraphHelp{"Zeigt den ersten Graphen der 3-Seiten-Ansicht allein und gross an.",
                                         "Shows the first graph of the three-sided view alone and enlarged."};
inline constexpr Text kMinimiseGraphHelp{"Zeigt wieder alle vier Graphen der 3-Seiten-Ansicht an.",
                                         "Shows all four graphs of the three-sided view again."};
inline constexpr Text kSignalValueHelp{"Zeigt den aktuellen Wert des Signals an.",
                                       "Displays the current value of the signal."};
inline constexpr Text kSampleCounterHelp{"Zaehlt die Messwerte im Signalverlauf.",
                                         "Counts the values in the signal graph."};
inline constexpr Text kCursorValuesHelp{"Zeigt die Werte am Cursor der Grafiken an.",
                                        "Displays the values at the cursor of the graphs."};
inline constexpr Text kAssistantInstructionsHelp{"Anleitung zum Assistenten fuer die Doppel Parameter.",
                                                 "Instructions for the double parameter assistant."};
inline constexpr Text kCalibrationInstructionsHelp{"Die Arbeitsschritte dieser Seite der Kalibriertabellen.",
                                                   "The steps of this page of the calibration tables."};
inline constexpr Text kCalibrationPagesHelp{"Waehlen Sie eine Seite der Kalibriertabellen.",
                                            "Select a page of the calibration tables."};
inline constexpr Text kDigitalGraphHelp{
    "Zeigt die drei digitalen Zustaende des Scans ueber der Zeit, \nmit den Cursorn der Scope-Grafik.",
    "Displays the three digital states of the scan over time, \nwith the cursors of the scope graph."};
inline constexpr Text kScopeCommentHelp{
    "Kommentar, der mit dem Scan gedruckt wird. \nRechter Doppelklick loescht den Kommentar.",
    "Comment printed with the scan. \nRight double click clears the comment."};
inline constexpr Text kPasswordHelp{"Passwort eingeben und mit Enter bestaetigen.",
                                    "Enter the password and confirm it with Enter."};

} // namespace tavrino::ui::texts
