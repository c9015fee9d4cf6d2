#pragma once

// Texts of the parameter controls, the option rules and the parameter transfer.
// All are shown in a popup titled kInfoTitle unless noted.

#include "common/language.h"

#include <string>
#include <string_view>

namespace tavrino::parameters::texts {

// ---- Help texts of the parameter controls (right click) ----
inline constexpr Text kSensorIdHelp{
    "Sensor-Identifikation einfuegen. \nDiese ID wird in einigen Fenstern der Software angezeigt.",
    "Insert sensor identification. \nThis ID will be displayed in some panels of the software."};
inline constexpr Text kLanguageHelp{"Sprache auswaehlen.", "Select a language."};
inline constexpr Text kColorSpaceHelp{"Waehle einen Farbraum.", "Select a Color Space."};
inline constexpr Text kCalibrationHelp{
    "Waehle eine Kalibrierung. \nOFF: Keine Kalibrierung.   FCAL: Werkskalibrierung.    UCAL. "
    "Anwenderkalibrierung. \n\nWaehle FCAL WB oder UCAL WB fuer einen Weisslichtabgleich ueber IN0. \nDer "
    "Weisslichtabgleich wird bei einer positiven Flanke an IN0 durchgefuehrt. \n\nXYZ OFFSET: Ein fuer jeden "
    "Kanal einstellbarer Offset wird vom XYZ Signal abgezogen. \nXYZ OFFSET IN0: Der abzuziehende Offset "
    "wird ueber IN0 vorgegeben.",
    "Select a calibration. \nOFF: No calibration.   FCAL: Factory calibration.   UCAL: User calibration. "
    "\n\nSelect FCAL WB or UCAL WB for a white balance with IN0. \nWhite balance will be done, when IN0 goes "
    "high. \n\nXYZ OFFSET: An offset adjustable for each channel is subtracted from the XYZ signal. \nXYZ "
    "OFFSET IN0: The offset to be subtracted is specified via IN0."};
inline constexpr Text kPowerModeHelp{
    "Waehle ob der Sensor mit einem oder zwei Parametersaetzen arbeiten soll. \n\nDruecken Sie SET DP um die "
    "zwei Parametersaezte einzustellen. \n\nPOWER, VERST und INTEGRAL bilden ein Parameter Satz \nSINGLE: "
    "Der Sensor arbeitet den Parametern in der Registerkarte PARA1 \nDOPPEL: Der Sensor arbeitet mit zwei "
    "Parametersaetzen \nEin Satz fuer helle und einer fuer dunkle Oberflaechen \nDie Umschaltung erfolgt "
    "automatisch Sensorintern.",
    "Select whether the sensor should work with SINGLE or DOUBLE. \n\nPush SET DP to adjust the double "
    "parameter sets. \n\nPOWER, GAIN and INTEGRAL determine a double parameter set. \n\nSINGLE: Sensor works "
    "with the adjusted parameter set in TAB PARA1. \n\nDOUBLE: Sensor works with two parameter sets. \nOne "
    "set for briht targets and one for dark targets. \nSensor selects automatically the proper set."};
inline constexpr Text kPowerHelp{
    "Intensitaet der Sende-LED einstellen. \n0 = keine Intensitaet,  1000 = volle Intensitaet.",
    "Select the intensity of the transmitter LED. \n0 = no intensity,  1000 = full intensity."};
inline constexpr Text kLedModeHelp{"Betriebsmodus der LED waehlen. \n\nDC: Lichtquelle ist permanent "
                                   "eingeschaltet. \n\nAC: Lichtquelle ist moduliert.",
                                   "Select the LED operation mode. \n\nDC: Light source is permanant on. "
                                   "\n\nAC: Light source is modulated."};
inline constexpr Text kGainHelp{"Verstaerkerstufe des Empfaengers waehlen. \nVST1 ist die niedrigste "
                                "Verstaerkung. \nVST8 ist die hoechste Verstaerkung.",
                                "Select amplification stage of the receiver. \nAMP1 is the lowest "
                                "amplification. \nAMP8 is the highest amplification."};
inline constexpr Text kAverageHelp{"Die Anzahl der Scanwerte (gemessene Werte) waehlen \nueber die das "
                                   "Rohsignal gemittelt wird (Mittelwert!).",
                                   "Select the number of scanning values (measured values) \nover which the "
                                   "raw signal is averaged (meanvalue!)."};
inline constexpr Text kIntegralHelp{
    "Mit INTEGRAL1 waehlt man wie oft die Rohsignale X Y Z aufsummiert werden. \n\nMit INTEGRAL2 waehlt man "
    "wie oft die gemittelte Signal X Y Z aufsummiert werden.",
    "INTEGRAL1 selects how often the raw signals X Y Z are added up. \n\nINTEGRAL2 selects how often the "
    "averaged signals X Y Z are added up."};
inline constexpr Text kAnalogOutmodeHelp{
    "Waehle welche Signale analog ausgegeben werden sollen. \n\nBei CS REF werden die aktuellen "
    "Farbkoordinaten \nbei einer positiven Flanke an IN0 zu 5V gesetzt.",
    "Select the signals which should be output analog. \n\nIf CS REF is selected the present analog Color "
    "Space values \nwill be set to 5V reference at a rising edge of IN0."};
inline constexpr Text kAnalogOutSignalHelp{"Waehle das anaolge Ausgangssignal.",
                                           "Select the analog output signals."};
inline constexpr Text kAnalogOutHelp{
    "CONT: \nKontinuierliche Ausgabe des Analogsignals. \n\nIN0 L->H: \nAnalogsignal wird mit steigender "
    "Flanke an IN0 ausgegeben. \nEs bleibt bis zur naechsten Flanke unveraendert.",
    "CONT: \nContinuous analog output.  \n\nIN0 L->H: \nAnalogue output at a rising edge of IN0. \nThe "
    "signal is frozen until the next rising edge of IN0."};
inline constexpr Text kAnalogZoomHelp{
    "Waehle einen Zoom Faktor fuer den analogen Ausgang \nwenn ANALOG OUTMODE gleich CS REF ist.",
    "Select a zoom factor for the anlog output \nwhen ANALOG OUTMODE is CS REF."};
inline constexpr Text kDigitalOutmodeHelp{
    "Waehle wie die dititalen Ausgaenge angesteuert werden sollen. \n\nDIREKT LO: \nWenn eine Farbe (Zeile 0 "
    "oder 1 in der TEACH TABELLE) erkannt wird, wird der entsprechende Digitalausgang auf LO gesetzt, alle "
    "anderen auf HI. \nWenn keine Farbe erkannt wird, ist C-No: 255. Die Digitalausgaenge sind auf HI "
    "gesetzt. \n\nDIREKT HI: \nWenn eine Farbe (Zeile 0 oder 1 in der TEACH TABELLE) erkannt wird, wird der "
    "entsprechende Digitalausgang auf HI gesetzt, alle anderen auf LO. \nWenn keine Farbe erkannt wird, ist "
    "C-No: 255. Die Digitalausgaenge sind auf LO gesetzt. \n\nBINAER HI: \nWenn eine Farbe (Zeile 0-2 in der "
    "TEACH TABELLE) erkannt wird, wird diese Farbe in C-No: dargestellt \nund binaer codiert an den "
    "Digitalausgaengen ausgegeben. \nWenn keine Farbe erkannt wird, ist C-No: 255. Die Digitalausgaenge sind "
    "auf HI gesetzt. \n\nBINAER LO: \nWenn eine Farbe (Zeile 0-2 in der TEACH TABELLE) erkannt wird, wird "
    "diese Farbe in C-No: dargestellt \nund binaer codiert an den Digitalausgaengen ausgegeben. \nWenn keine "
    "Farbe erkannt wird, ist C-No: 255. Die Digitalausgaenge sind auf LO gesetzt.",
    "Select how to control the 2 digital outputs. \n\nDIRECT HI: \nIf a color (row 0 or 1 in the TEACH "
    "TABLE) is detected, the corresponding digital output is set to HI. \nIf no color is detected, C-No: is "
    "255. The digital outputs (OUT0 and OUT1) are set to LO. \n\nDIRECT LO: \nIf a color (row 0 or 1 in the "
    "TEACH TABLE) is detected, the corresponding digital output is set to LO. \nIf no color is detected, "
    "C-No: is 255. The digital outputs are set to HI. \n\nBINARY HI: \nIf a color (row 0-2 in the TEACH "
    "TABLE) is detected, it is set binary to the digital outputs. \nIf no color is detected, C-No: is 255. "
    "The digital outputs are set to HI. \n\nBINARY LO: \nIf a color (row 0-2 in the TEACH TABLE) is "
    "detected, it is set reverse binary to the digital outputs. \nIf no color is detected, C-No: is 255. The "
    "digital outputs are set to LO."};
inline constexpr Text kMaxVecNoHelp{
    "Die Anzahl der Farbvektoren waehlen welche in der \nTEACH TABELLE ueberprueft werden, beginnend mit "
    "Zeile 0. \n\nAktive Zeilen werden in der TEACH TABELLE \ngruen hinterlegt, inaktive rot.",
    "Select the number of color vectors which should be \nchecked in the TEACH TABLE beginning with row 0. "
    "\n\nActive rows in the TEACH TABLE are \nlabelled green, inactive are labelled red."};
inline constexpr Text kIntlimHelp{"Intensitaetslimit waehlen. \nEs wird der Fehlerzustand ausgegeben, wenn "
                                  "die aktuelle \nIntensitaet (X+Y+Z)/3 unter dieses Grenze faellt.",
                                  "Select an intensity limit. \nFailure condition is output,when the current "
                                  "intensity \ncalculated by (X+Y+Z)/3 falls below this limit."};
inline constexpr Text kEvaluationModeHelp{
    "TREFFER = Aktuell erkanntes Signal liegt innerhalb einer gelernten Zeile in der Teach Tabelle. "
    "\n\nERSTER TREFFER: Der erste Treffer in der Teach Tabelle wird ausgegeben. \n\nBESTER TREFFER: Der "
    "beste Treffer (kuerzester Abstand zu den gelernten Farben) wird ausgegeben.",
    "HIT = Current detected signal lies within a taught row in the teach table. \n\nFIRST HIT: First HIT in "
    "the teach table will be output. \n\nBEST HIT: Best HIT (shortest distance to the taught colors) will be "
    "output."};
inline constexpr Text kShapeModeHelp{"Formmodus waehlen: \n\nBLOCK = Farbblock im Raum. \n\nZYLINDER = "
                                     "Farbzylinder im Raum. \n\nKUGEL = Farbkugel im Raum.",
                                     "Select a shape mode: \n\nBLOCK = Color block. \n\nCYLINDER = Color "
                                     "cylinder. \n\nSPHERE = Color sphere."};
inline constexpr Text kExternTeachHelp{
    "Externen Teach-Modus waehlen. \n\nAUS: Kein externes Teachen. \n\nEIN: Externes Teachen in allen Zeilen "
    "der Teach-Tabelle (s. Manual). \nACHTUNG! Die gelernten Werte werden im EEPROM des Sensors gespeichert. "
    "\nWenn Sie waehrend des externen Teach im GO Modus sind, \nbekommen sie einen TIMEOUT wegen des "
    "Datentransfers mit dem EEPROM.",
    "Select external teach mode. \n\nOFF: No external teach. \n\nON: External teach to all rows of the teach "
    "table (see manual). \nATTENTION! The taught values are stored to the EEPROM of the sensor. \nIf you are "
    "in the GO mode during an external teach, \nyou will get a TIMEOUT, because of the EEPROM transfer."};
inline constexpr Text kTriggerHelp{
    "Triggermodus des Sensors waehlen. \n\nKONT: Kontinuierliche Farbkontrolle (kein Triggerereignis "
    "benoetigt). \n\nEXT2: Farbkontrolle so lang Trigger (IN0) high ist. \nWenn Trigger auf low schaltet "
    "wird die zuletzt erkannte Farbe am Ausgang gehalten. \n\nEXT3: Farbkontrolle so lang Trigger (IN0) high "
    "ist. \nWenn Trigger auf low schaltet wird der Fehlerfall ausgegeben. \n\nSENDER: Beleuchtung ist aktiv "
    "wenn Trigger (IN0) high ist. \n\nLED TRIG ist gruen wenn der Sensor getriggered ist.",
    "Select the trigger mode for the sensor. \n\nCONT: Continuous color detection (no trigger event "
    "required). \n\nEXT1: Color detection as long as trigger (IN0) is high. \nWhen trigger goes low, the "
    "last detected color will be hold at the output. \n\nEXT2: Color detection as long as trigger (IN0) is "
    "high. \nWhen trigger goes low, fail condition is output. \n\nTRANS: Transmitter is active when trigger "
    "(IN0) is high. \n\nLED TRIG is green when the sensor is triggered."};

// ---- Help texts of SEND, GET and the RAM/EEPROM/FILE select buttons ----
inline constexpr Text kSendHelp{
    "Alle Parameter der PC-Nutzeroberflaeche werden an den Sensor oder in eine auswaehlbare Datei "
    "uebertragen. \nDas Ziel der Parameteruebertragung wird mit der Button-Auswahl (RAM, EEPROM, DATEI) "
    "bestimmt. \n\nFunktionstaste: F9",
    "All the parameters of the PC-User-Interface are transferred to the sensor or to a selectable file. "
    "\nThe target of the parameter transfer is determined by the select button (RAM, EEPROM, FILE). "
    "\n\nShortcut Key: F9."};
inline constexpr Text kGetHelp{
    "Sensor- oder Dateiparameter werden auf die PC-Nutzeroberflaeche uebertragen. \nDie Quelle der "
    "Parameteruebertragung wird mit der Button-Auswahl (RAM, EEPROM, DATEI) bestimmt. \n\nFunktionstaste: "
    "F10",
    "Sensor or file parameters are transferred to the PC-User-Interface. \nThe source of the parameter "
    "transfer is determined by the select button (RAM, EEPROM, FILE). \n\nShortcut Key: F10."};
inline constexpr Text kSelectTargetHelp{
    "Waehlen Sie die Quelle bzw. das Ziel fuer die Parameteruebertragung.",
    "Select source respectively the target for the parameter transfer."};

// ---- Plausibility notices, appended to the connection log after the count of
// parameters the sensor replaced by their defaults ----
inline constexpr Text kRamNotPlausible{
    " Parameter im RAM sind nicht plausibel und wurden auf ihre Grundeinstellung gesetzt!",
    " Parameter in RAM did not pass plausibility check and were set to default value!"};
inline constexpr Text kEepromNotPlausible{
    " Parameter im EEPROM sind nicht plausibel und wurden auf ihre Grundeinstellung gesetzt!",
    " Parameter from EEPROM did not pass plausibility check and were set to default value!"};

// ---- Corrections made by the option rules ----
inline constexpr Text kDoubleNotWithOffset{
    "Bei KALIB = XYZ OFFSET ist DOPPEL nicht moeglich. \nPOWER MODUS wird auf SINGLE gesetzt.",
    "DOUBLE is not possible with CALIB = XYZ OFFSET. \nPOWER MODE is set to SINGLE."};
inline constexpr Text kIntegral2Overflow{
    "Die Kombination aus MITTELWERT und INGEGRAL2 wuerde im \nSensor einen Ueberlauf generieren. \nINTEGRAL2 "
    "wird auf seinen hoechsten zulaessigen Wert gesetzt. \nEine Reduzierung von MITTELWERT laest eine "
    "Erhoehung von INTEGRAL2 zu.",
    "The combination of AVERAGE and INGEGRAL2 \nwould generate an overflow in the sensor. \nINTEGRAL2 is set "
    "to its highest allowed value. \nReduce AVERAGE for an higher INTEGRAL2."};
inline constexpr Text kMaxVecNoTooHigh{
    "ACHTUNG! \n\nMAXCOL-No. ist zu hoch. \n\nWenn OUTMODE=DIRECT HI oder LO ist, darf er hoechstens 2 sein. "
    "\nWenn OUTMODE=BINARY HI or LO ist, kann er maximal 3 sein. \n\nMAXCOL-No. will be set to maximum "
    "value.",
    "ATTENTION! \n\nMAXCOL-No. is too high. \n\nIf OUTMODE=DIRECT HI or LO, the maximum number is 2. \nIf "
    "OUTMODE=BINARY HI or LO, the maximum number is 3. \n\nMAXCOL-No. will be set to maximum value."};
inline constexpr Text kIn0TakenNoCsRef{
    "Eingang wird fuer Weisslichtabgleich \noder Offset Ermittlung verwendet. \nCS REF ist nicht moeglich. "
    "\nANALOG OUTMODE wird auf XYZ gesetzt.",
    "Input is used for white \nbalance or offset detection. \nCS REF is not possible. \nANALOG OUTMODE is "
    "set to XYZ."};
inline constexpr Text kIn0TakenNoAnalogOutEdge{
    "Eingang wird fuer Weisslichtabgleich \noder Offset Ermittlung verwendet. \nIN0 L->H ist nicht moeglich. "
    "\nANA OUT wird auf CONT gesetzt.",
    "Input is used for white \nbalance or offset detection. \nIN0 L->H is not possible. \nANA OUT is set to "
    "CONT."};
inline constexpr Text kIn0TakenNoTeachOrTrigger{
    "Eingang wird fuer Weisslichtabgleich oder Offset Ermittlung verwendet. \nIN0 kann nicht fuer EXTEACH "
    "oder TRIGGER verwendet werden.",
    "Input is used for white balance or offset detection. \nNo usage for EXTEACH or TRIGGER possible."};
inline constexpr Text kIn0UsedByAnalogOut{
    "Eingang wird fuer ANA OUT verwendet. \nIN0 kann nicht fuer EXTEACH oder TRIGGER verwendet werden.",
    "Input is used for ANA OUT. \nNo usage for EXTEACH or TRIGGER possible."};

// ---- External teach set-up ----
inline constexpr Text kResetTableQuestion{"Wollen Sie die Tabelle zuruecksetzen?",
                                          "Do you want to reset the table?"};
inline constexpr Text kToleranceQuestion{"Wollen Sie einen Toleranzwert einstellen?",
                                         "Do you want to set a tolerance value?"};
inline constexpr Text kTolerancePrompt{"Toleranz eingeben!", "Insert a tolerance value!"};
inline constexpr Text kInvalidTolerance{"Ungueltiger Wert. \nToleranz wird auf 0 gesetzt.",
                                        "Invalid value. \nTolerance is set to 0."};
inline constexpr Text kColourTolerancePrompt{"Farbtoleranz eingeben!", "Insert a color tolerance value!"};
inline constexpr Text kIntensityTolerancePrompt{"Intensitaetstoleranz eingeben",
                                                "Insert a intensity toleranc value!"};

// ---- A correction value that cannot be sent ----
// "nan" or "inf" as the double-parameter panel shows the value.
inline std::string correctionNotFinite(Language language, std::string_view axis, std::string_view value) {
    std::string text = language == Language::German ? "Der Korrekturwert " : "The correction value ";
    text += axis;
    text += language == Language::German ? " ist keine endliche Zahl: " : " is not a finite number: ";
    text += value;
    text +=
        language == Language::German ? "\nEs werden keine Parameter gesendet." : "\nNo parameters are sent.";
    return text;
}

} // namespace tavrino::parameters::texts
