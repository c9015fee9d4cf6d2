#pragma once

#include "common/language.h"

// Right-click help of the calibration page, its panel and the two offset
// pages.

namespace tavrino::calibration::help {

// ---- calibration page ----
inline constexpr Text kReferenceSpace{
    "Farbraum des Referenz-Sollwertes. \nDer Sollwert wird sofort nach XYZ umgerechnet.",
    "Color space of the REFERENCE setvalue. \nThe setvalue is converted to XYZ at once."};
inline constexpr Text kSetValueSpace{
    "Farbraum der Sollwerttabelle. \nDie Sollwerte werden sofort nach XYZ umgerechnet.",
    "Color space of the SETVALUE table. \nThe setvalues are converted to XYZ at once."};
inline constexpr Text kRows{
    "Anzahl der Sollwertzeilen, die zur Berechnung der Kalibrierfaktoren verwendet werden (0..64). "
    "\nGruene Zeilen werden verwendet, rote nicht.",
    "Number of SETVALUE rows used for the calculation of the calibration factors (0..64). "
    "\nGreen rows are used, red rows are not."};
inline constexpr Text kRowNo{"Zeile der XYZ Messwerttabelle, die ASSIGN TO ROW fuellt.",
                             "Row of the ACTUAL XYZ VALUE table that ASSIGN TO ROW fills."};
inline constexpr Text kAutoAdvance{"Wenn aktiviert, springt No.: nach ASSIGN TO ROW auf die naechste Zeile.",
                                   "When checked, No.: moves to the next row after ASSIGN TO ROW."};
inline constexpr Text kAssignReference{
    "Sensor auf die Referenzoberflaeche richten, GO starten und ASSIGN druecken: \nRAW X, RAW Y, RAW Z "
    "werden als Messwert der Referenz uebernommen und der Weisspunkt berechnet.",
    "Place the sensor at the REFERENCE target, start GO and press ASSIGN: \nRAW X, RAW Y, RAW Z are taken "
    "as the actual value of the reference and the white point is calculated."};
inline constexpr Text kAssignToRow{
    "Sensor auf das Ziel der Zeile No.: richten, GO starten und ASSIGN TO ROW druecken: \nRAW X, RAW Y, "
    "RAW Z werden in diese Zeile der XYZ Messwerttabelle uebernommen.",
    "Place the sensor at the target of row No.:, start GO and press ASSIGN TO ROW: \nRAW X, RAW Y, RAW Z "
    "are taken into this row of the ACTUAL XYZ VALUE table."};
inline constexpr Text kResetReference{"Setzt alle Referenzeinstellungen zurueck.",
                                      "Resets all REFERENCE settings."};
inline constexpr Text kResetSetValues{"Setzt die Sollwerttabelle auf 0 zurueck.",
                                      "Resets the SETVALUE table to 0."};
inline constexpr Text kResetActual{
    "Setzt die XYZ Messwerttabelle auf 0 und alle Kalibrierfaktoren auf 1024 zurueck.",
    "Resets the ACTUAL XYZ VALUE table to 0 and every calibration factor to 1024."};
inline constexpr Text kLoadReference{"Laedt die Referenz Einstellungen aus einer Datei.",
                                     "Loads the REFERENCE settings from a file."};
inline constexpr Text kSaveReference{"Speichert die Referenz Einstellungen in eine Datei.",
                                     "Saves the REFERENCE settings to a file."};
inline constexpr Text kLoadSetValues{"Laedt die Sollwerttabelle aus einer Datei.",
                                     "Loads the SETVALUE table from a file."};
inline constexpr Text kSaveSetValues{"Speichert die Sollwerttabelle in eine Datei.",
                                     "Saves the SETVALUE table to a file."};
inline constexpr Text kLoadActual{"Laedt die XYZ Messwerttabelle aus einer Datei.",
                                  "Loads the ACTUAL XYZ VALUE table from a file."};
inline constexpr Text kSaveActual{"Speichert die XYZ Messwerttabelle in eine Datei.",
                                  "Saves the ACTUAL XYZ VALUE table to a file."};
inline constexpr Text kCalculate{
    "Berechnet die Kalibrierfaktoren der Zeilen 1..ROWS aus Weisspunkt, XYZ Sollwerten und XYZ Messwerten.",
    "Calculates the calibration factors of rows 1..ROWS from the white point, the XYZ setvalues and the "
    "actual XYZ values."};
inline constexpr Text kSend{
    "Sendet die XYZ Messwerte, die Kalibrierfaktoren und die Kalibriereinstellungen in den "
    "Benutzerkalibrierspeicher des Sensors (UCAL).",
    "Sends the actual XYZ values, the calibration factors and the calibration settings to the user "
    "calibration memory of the sensor (UCAL)."};
inline constexpr Text kRead{
    "Liest die Benutzerkalibrierung des Sensors und zeigt sie auf der Seite SENSOR DATA.",
    "Reads the user calibration of the sensor and shows it on the SENSOR DATA page."};

// ---- calibration panel ----
inline constexpr Text kReferenceSetValueTable{
    "Sollwert der Referenz im Referenz-Farbraum; \neditierbar oder aus einer Referenzdatei.",
    "Setvalue of the reference in the REFERENCE color space; \neditable or from a reference file."};
inline constexpr Text kReferenceActualTable{
    "Gemessene RAW X, RAW Y, RAW Z der Referenz (ASSIGN); editierbar.",
    "Measured RAW X, RAW Y, RAW Z of the reference (ASSIGN); editable."};
inline constexpr Text kReferenceXyzTable{"XYZ des Referenz-Sollwertes (berechnet).",
                                         "XYZ of the REFERENCE setvalue (calculated)."};
inline constexpr Text kWhitePointTable{"Weisspunkt Xn, Yn, Zn aus der Referenz (berechnet, max. 60000).",
                                       "White point Xn, Yn, Zn from the reference (calculated, max. 60000)."};
inline constexpr Text kSetValueTable{
    "Sollwerte der Kalibrierziele im Sollwert-Farbraum; editierbar oder aus einer Sollwertdatei.",
    "Setvalues of the calibration targets in the SETVALUE color space; editable or from a setvalue file."};
inline constexpr Text kXyzSetValueTable{"XYZ der Sollwerte (berechnet).",
                                        "XYZ of the setvalues (calculated)."};
inline constexpr Text kActualTable{
    "Gemessene RAW X, RAW Y, RAW Z der Kalibrierziele (ASSIGN TO ROW); editierbar.",
    "Measured RAW X, RAW Y, RAW Z of the calibration targets (ASSIGN TO ROW); editable."};
inline constexpr Text kFactorTable{"Kalibrierfaktoren (1024 = 1.0), berechnet mit CALCULATE.",
                                   "Calibration factors (1024 = 1.0), calculated by CALCULATE."};
inline constexpr Text kSensorTables{"Vom Sensor gelesene Kalibrierdaten (nur lesen).",
                                    "Calibration data read from the sensor (read only)."};
inline constexpr Text kScrollAll{"Wenn aktiviert, scrollen alle sechs Tabellen mit 64 Zeilen gemeinsam.",
                                 "When checked, all six tables of 64 rows scroll together."};
inline constexpr Text kClosePanel{"Schliesst die Kalibriertabellen.", "Closes the calibration tables."};

// ---- raw values beside the ASSIGN buttons ----
inline constexpr Text kRawValues{"Zeigt RAW X, RAW Y, RAW Z der laufenden Messung (GO) an: \ndie Werte, die "
                                 "die ASSIGN Tasten uebernehmen.",
                                 "Displays RAW X, RAW Y, RAW Z of the running measurement (GO): \nthe values "
                                 "that the ASSIGN buttons take over."};

// ---- offset pages ----
inline constexpr Text kZeroPointValues{"Nullpunkt-Offset X, Y, Z des Sensors.",
                                       "Zero point offset X, Y, Z of the sensor."};
inline constexpr Text kZeroPointSend{"Sendet den Nullpunkt-Offset zum Sensor.",
                                     "Sends the zero point offset to the sensor."};
inline constexpr Text kOffsetGet{"Liest Nullpunkt-Offset und XYZ-Offset vom Sensor.",
                                 "Reads the zero point offset and the XYZ offset from the sensor."};
inline constexpr Text kZeroPointCalc{
    "Empfaenger des Sensors abdecken und CALC druecken: \nder Sensor misst seinen Nullpunkt-Offset.",
    "Cover the receiver of the sensor and press CALC: \nthe sensor measures its zero point offset."};
inline constexpr Text kZeroPointClose{"Schliesst die Seite.", "Closes the page."};
inline constexpr Text kXyzOffsetValues{
    "XYZ-Offset X, Y, Z; editierbar oder mit ASSIGN XYZ OFFSET uebernommen.",
    "XYZ offset X, Y, Z; editable or taken by ASSIGN XYZ OFFSET."};
inline constexpr Text kAssignXyzOffset{
    "Die zu kompensierende Oberflaeche vor den Sensor legen, GO starten, die Sensorparameter (POWER, GAIN, "
    "...) pruefen und ASSIGN XYZ OFFSET druecken. \nDanach mit SEND XYZ OFFSET im EEPROM des Sensors "
    "speichern.",
    "Place the surface to be compensated in front of the sensor, start GO, make sure the sensor parameters "
    "(POWER, GAIN, ...) are right and press ASSIGN XYZ OFFSET. \nThen press SEND XYZ OFFSET to store the "
    "values in the EEPROM of the sensor."};
inline constexpr Text kXyzOffsetSend{"Sendet den XYZ-Offset zum Sensor.",
                                     "Sends the XYZ offset to the sensor."};

} // namespace tavrino::calibration::help
