#pragma once

// Texts of the double-parameter panel and its assistant.

#include "common/language.h"

namespace tavrino::assistant::texts {

inline constexpr Text kFirstPrompt{"Platzieren Sie die hellste Farbe vor \ndem Sensor und druecken Sie OK.",
                                   "Place the brightest color in front \nof the sensor and click OK."};
inline constexpr Text kBeforeFirstSearch{
    "Zuerst werden voreingestellte Parameter zum Sensor gesendet. \nDann stellt sich der Sensor automatisch "
    "auf "
    "die Oberflaeche ein. \nDieser Vorgang kann bis zu einer Minute dauern.",
    "Default parameters will first be sent to the sensor. \nThen the sensor will automatically adjust itself "
    "to the surface. \nThis process may take up to one minute."};
inline constexpr Text kSecondPrompt{
    "Platzieren Sie eine dunklere (nicht die dunkelste) Farbe vor \ndem Sensor und druecken Sie OK.",
    "Place a darker (not the darkest) color \nin front of the sensor and click OK."};
inline constexpr Text kCancelled{
    "Die Parametrierung wurde abgebrochen \noder kann nicht durchgefuehrt werden. "
    "\nEs werden keine Parameter zum Sensor gesendet.",
    "Parameterisation has been cancelled or can not be done. \nNo parameters are "
    "sent to the sensor."};
inline constexpr Text kSucceeded{"Double Parameter wurden \nzum Sensor gesendet.",
                                 "Double parameters have \nbeen sent to the sensor."};
inline constexpr Text kOk{"OK", "OK"};
inline constexpr Text kCancel{"Abbruch", "Cancel"};

inline constexpr Text kSaturated{
    "Der hoechste Wert der Rohwerte muss um die 3000 liegen. \nBitte einen passenden "
    "Doppel Parameter einstellen.",
    "The highest value of the raw values must be around 3000. \nPlease adjust proper "
    "double parameter"};

inline constexpr Text kInstructions{
    "START ASSISTENT druecken um automatisch passende DOPPEL PARAMETER einzustellen. \n\nFolgen Sie diesen "
    "Schritten fuer eine manuelle Einstellung: \n\nDas hellste Objekt unter dem Sensor platzieren. \nPOWER "
    "MODUS muss SINGLE sein. \n\nLOS druecken und einen passenden POWER, VERST und INTEGRAL Wert einstellen, "
    "so "
    "dass der hoechste Wert von X Y Z bei circa 3000 liegt. \n\nEINTRAG 1 waehlen um die DOPPEL PARAMETER "
    "und X "
    "Y Z Werte des hellen Objekts in die Tabellen einzutragen. \n\nJetzt das dunklere Objekt (nicht das "
    "dunkelste) unter dem Sensor platzieren. \n\nEINTRAG 2 waehlen um die X Y Z Werte des dunkleren Objekts "
    "in "
    "die Tabelle ein zu tragen. \n\nAnschliessend einen passenden POWER, VERST und INTEGRAL Wert einstellen "
    "so "
    "dass der hoechste Wert von X Y Z bei circa 3000 liegt. \n\nEINTRAG 3 waehlen um die DOPPEL PARAMETER "
    "und X "
    "Y Z Werte des dunkleren Objekts in die Tabellen ein zu tragen. \n\nPOWER MODUS=DOPPELT waehlen und "
    "SENDE "
    "klicken um die Parameter und Korrekturfaktoren an den Sensor zu uebertragen. ",
    "Push START ASSISTANT to adjust automatically proper DOUBLE PARAMETERS. \n\nFollow these steps for "
    "manual "
    "setup: \n\nPlace the sensor to the brightest target. \nPOWER MODE must be SINGLE. \n\nPush GO and "
    "adjust a "
    "proper POWER, GAIN and INTEGRAL value so that the highest value of X Y Z is approximately 3000. "
    "\n\nPush "
    "ASSIGN 1 to assign the DOUBLE PARAMETER and X Y Z values of the bright target to the tables. \n\nNow "
    "place "
    "a darker (not the darkest) target to the sensor. \n\nPush ASSIGN 2 to assign the X Y Z values of the "
    "darker target to the table. \n\nAfter that adjust a proper POWER, GAIN and INTEGRAL value so that the "
    "highest value of X Y Z is approximately 3000. \n\nPush ASSIGN 3 to assign the DOUBLE PARAMETER and X Y "
    "Z "
    "values of the darker target to the tables. \n\nNow select POWER MODE=DOUBLE and push SEND to send the "
    "parameters and correction values to the sensor. "};

// ---- help texts (right click) ----
inline constexpr Text kSetDpHelp{
    "Die beiden Parametersets fuer POWER MODUS = DOPPEL einstellen. \nEinstellung "
    "muss im POWER MODUS = SINGLE gemacht werden.",
    "Adjust the two parameter sets for POWER MODE = DOUBLE. \nAdjustment must be "
    "done with POWER MODE  = SINGLE."};
inline constexpr Text kCloseHelp{"Schliesst PANEL und kehrt zu HAUPT PANEL zurueck.",
                                 "Close PANEL and return to MAIN PANEL."};
inline constexpr Text kStartHelp{
    "Assistent starten um die passenden DOPPEL \nPARAMETER fuer POWER MODUS = "
    "DOPPELT ein zu stellen.",
    "Start assistant to adjust proper DOUBLE \nPARAMETERS for POWER MODE = DOUBLE."};
inline constexpr Text kAssign1Help{
    "DOPPEL PARAMETER 1 und RAW X Y Z des \nhellsten Objekts der Tabelle zuweisen.",
    "Assign DOUBLE PARAMETER 1 and RAW X Y Z \nof the bright target to the tables."};
inline constexpr Text kAssign2Help{"RAW X Y Z des dunkleren Objekts der Tabelle zuweisen.",
                                   "Assign RAW X Y Z of the darker target to the table."};
inline constexpr Text kAssign3Help{
    "DOPPEL PARAMETER 2 und RAW X Y Z des \ndunkleren Objekts der Tabelle zuweisen.",
    "Assign DOUBLE PARAMETER 2 and RAW X Y Z \nof the darker target to the tables."};
inline constexpr Text kXyzTableHelp{
    "Tabelle der X Y Z Werte mit den \nunterschiedlichen Objekten und Doppel "
    "Parametern.",
    "Table of X Y Z values with the \ndifferent targets and Double Parameters."};
inline constexpr Text kActiveSetHelp{
    "Zeigt an mit welchem DOPPEL PARAMETER SET \nder Sensor arbeitet wenn POWER MODUS = DOPPELT. \n\nSensor "
    "arbeitet mit den Werten in TAB PARA1, wenn das Display 0 anzeigt.",
    "Shows with which DOUBLE PARAMETER SET \nthe sensor works when POWER MODE = DOUBLE. \n\nSensor works "
    "with "
    "the values in TAB PARA1, when the display shows 0."};

// ---- progress of the assistant (shown on the panel, and on stderr by the
// command-line tool) ----
inline constexpr Text kBrightTarget{"Helles Objekt", "Bright target"};
inline constexpr Text kDarkerTarget{"Dunkleres Objekt", "Darker target"};
inline constexpr Text kStageStarting{"Voreingestellte Parameter werden gesendet ...",
                                     "Sending the default parameters ..."};
inline constexpr Text kStageGain{"VERST-Phase", "GAIN phase"};
inline constexpr Text kStageIntegral{"INTEGRAL-Phase", "INTEGRAL phase"};
inline constexpr Text kStagePower{"POWER-Suche", "POWER search"};
inline constexpr Text kStageMeasuring{"Messung mit Satz 1", "measuring with set 1"};
inline constexpr Text kStageFinishing{"Doppel Parameter werden gesendet ...",
                                      "Sending the double parameters ..."};
inline constexpr Text kStageSucceeded{"Assistent beendet.", "Assistant finished."};
inline constexpr Text kStageCancelled{"Assistent abgebrochen.", "Assistant cancelled."};
inline constexpr Text kStep{"Schritt", "step"};
inline constexpr Text kOf{"von", "of"};
inline constexpr Text kGainName{"VERST", "GAIN"};

} // namespace tavrino::assistant::texts
