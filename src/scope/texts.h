#pragma once

// The scope's help texts, shown on a right click on their controls.

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

} // namespace tavrino::scope::texts
