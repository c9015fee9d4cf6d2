#pragma once

// The scope's help texts, shown on a right click on their controls, and the
// texts of the capture files.

#include "common/language.h"

namespace tavrino::scope::texts {

inline constexpr Text kCycleTimeHelp{
    "Zykluszeit des Sensors abfragen. \nSensor fuer 8 Sekunden nicht unterbrechen, \ndann Schaltflaeche "
    "klicken.",
    "Get cycle time from sensor. \nDon't interrupt the sensor for 8 seconds \nthen press the button."};
inline constexpr Text kScanFrequencyHelp{
    "Sensor Scanfrequenz. \nSensor fuer 8 Sekunden nicht unterbrechen, \ndann Schaltflaeche klicken.",
    "Sensor scanfrequency. \nDon't interrupt the sensor for 8 seconds \nthen press the button."};
inline constexpr Text kScanHelp{"Datenrekorder starten und das Ergebnis im Graph anzeigen.",
                                "Start data recording and display the result in the graph."};
inline constexpr Text kBreakHelp{"Datenrekorder abbrechen.", "Break data recording."};
inline constexpr Text kPrintHelp{"Einstellungen, Scope Graph und Kommentare drucken.",
                                 "Print settings,scope graph and comment."};
inline constexpr Text kTriggerModeHelp{
    "Trigger Modus auswaehlen! \nEINZELAUFNAHME: Datenrekorder startet nach Klick auf SCAN. \nSTEIGENDE "
    "FLANKE: "
    "Datenrekorder startet wenn die blaue Linie ueber TRIGGER LEVEL steigt. \nFALLENDE FLANKE: Datenrekorder "
    "startet wenn die blaue Linie unter TRIGGER LEVEL faellt. \nINTERN C-No.0: Datenrekorder startet wenn "
    "Farbnummer 0 erkannt wird. \nEXTERN IN0: Datenrekorder startet wenn IN0 high wird.",
    "Select trigger mode! \nSINGLE SHOT: Data recording starts after pushing SCAN. \nRISING EDGE: Data "
    "recording "
    "starts when blue line goes higher than TRIGGER LEVEL. \nFALLING EDGE: Data recording starts when blue "
    "line "
    "goes lower than TRIGGER LEVEL. \nINTERNAL C-No.0: Data recording starts when color number 0 is "
    "detected. "
    "\nEXTERNAL IN0: Data recording starts when IN0 goes high."};
inline constexpr Text kRecordedSignalHelp{"Signal auswaehlen, das aufgezeichnet werden soll.",
                                          "Select the signal which should be recorded."};
inline constexpr Text kPreTriggerHelp{
    "Anzahl der aufgenommenen Werte \ndie gespeichert werden bevor Triggerereignis eintritt.",
    "Number of recorded values \nwhich are stored before trigger occurred."};
inline constexpr Text kTriggerLevelHelp{"Rekorder startet wenn die blaue Linie das TRIGGER LEVEL passiert.",
                                        "Record starts when blue line passes TRIGGER LEVEL."};
inline constexpr Text kScanRateHelp{"Zeichnet pro SCAN RATE Zyklus einen Wert auf.",
                                    "Record a value every SCAN RATE scan."};
inline constexpr Text kCloseHelp{"Schliesst PANEL und kehrt zu HAUPT PANEL zurueck.",
                                 "Close PANEL and return to MAIN PANEL."};
inline constexpr Text kZoomHelp{
    "Zoom in: <Strg>+Linke Maustaste (ziehen zum auswaehlen).\nZoom out: ZOOM 1:1 klicken.",
    "Zoom in: <Ctrl>+Left Mouse Button (drag to select).\nZoom out: Press ZOOM 1:1."};
inline constexpr Text kDisplayedSignalHelp{"Signal auswaehlen welches im Graph dargestellt werden soll.",
                                           "Select a signal which should be displayed in the graph."};
inline constexpr Text kGraphHelp{
    "Zeigt Aufzeichnungs-Ergebnisse an. \nRote Linie ist X oder x oder a* oder u*. \nGruene Linie ist Y oder "
    "y "
    "oder b* oder v*. \nBlaue Linie ist Z or Y or L*. \n\nAktualisiere deltaX und deltaY durch Bewegen des "
    "Cursors. \nZoom in: <Strg>+Linke Maustaste (Ziehen zum Auswaehlen).\nZoom out: ZOOM 1:1 klicken.",
    "Displays record results.\nRed line is X or x or a* or u*. \nGreen line is Y or y or b* or v*. \nBlue "
    "line "
    "is Z or Y or L*. \n\nUpdate display deltaX and deltaY by moving the cursors. \nZoom in: <Ctrl>+Left "
    "Mouse "
    "Button (drag to select).\nZoom out: Press ZOOM 1:1."};
inline constexpr Text kDeltaXHelp{"Zeigt delta X in [ms] an. \nDie Berechnung basiert auf der im Fenster "
                                  "[ms] angezeigten Zykluszeit und der "
                                  "Scan Rate.",
                                  "Show delta X in [ms]. \nThe calculation is based on the cycle time "
                                  "shown\nin the display [ms] and the value "
                                  "of ScanRate."};
inline constexpr Text kDeltaYHelp{"Zeigt delta Y in [digit].", "Show delta Y in [digit]."};
inline constexpr Text kSaveCaptureHelp{
    "Speichert die angezeigte Aufnahme mit Einstellungen, Zykluszeit \nund Kommentar in eine Datei.",
    "Save the displayed capture with its settings, cycle time \nand comment to a file."};
inline constexpr Text kOpenCaptureHelp{
    "Oeffnet eine gespeicherte Aufnahme und zeigt sie \nim Scope Graph wie einen Scan an.",
    "Open a saved capture and display it \nin the scope graph like a scan."};
inline constexpr Text kStatisticsHelp{
    "Minimum, Maximum, Mittelwert und Spitze-Spitze jeder Linie \nzwischen Cursor 1 und Cursor 2. "
    "\nStehen beide Cursor auf demselben Wert, gilt die ganze Aufnahme.",
    "Minimum, maximum, mean and peak-to-peak of each line \nbetween cursor 1 and cursor 2. "
    "\nWith both cursors on the same sample the whole capture counts."};

// --- Capture files -------------------------------------------------------------

inline constexpr Text kCaptureDialogTitle{"Scope-Aufnahme", "Scope capture"};
inline constexpr Text kNoCapture{
    "Keine Aufnahme vorhanden! \nZuerst SCAN klicken oder eine Aufnahme oeffnen.",
    "There is no capture! \nPress SCAN or open a capture first."};
inline constexpr Text kCaptureExists{"Datei existiert bereits! \nWollen Sie sie ueberschreiben?",
                                     "File already exists! \nDo you want to overwrite it?"};
// Followed by "\n", the path, ", " and the line.
inline constexpr Text kNotACapture{"Die Datei ist keine Scope-Aufnahme! Nichts wurde geaendert.",
                                   "The file is not a scope capture! Nothing has been changed."};
inline constexpr Text kBadCaptureLine{
    "Die Scope-Aufnahme enthaelt eine ungueltige Zeile! Nichts wurde geaendert.",
    "The scope capture holds a line that cannot be read! Nothing has been changed."};
inline constexpr Text kLineLabel{"Zeile", "line"};

} // namespace tavrino::scope::texts
