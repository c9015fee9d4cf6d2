#pragma once

#include "common/language.h"

#include <string_view>

namespace tavrino::calibration {

// Shown (title kInfoTitle) when the white point computed from the reference
// exceeds what the sensor accepts.
inline constexpr Text kWhitePointTooHigh{
    "Xn,Yn or Zn ist zu hoch. \nDer Maximalwert ist 60000. Reduzieren Sie POWER und versuchen Sie es nochmal",
    "Xn,Yn or Zn ist to high. \nMaximum value is 60000.\nReduce POWER and try again!"};

} // namespace tavrino::calibration

namespace tavrino::calibration {

// Calibration factors that the 16-bit field could not hold; the list of
// rows and channels follows.
inline constexpr Text kFactorsLimited{
    "Folgende Kalibrierfaktoren lagen ausserhalb 0..65535 (Messwert 0 oder ungueltig) und wurden begrenzt:",
    "The following calibration factors were outside 0..65535 (measured value 0 or invalid) and were "
    "limited:"};
inline constexpr Text kRowWord{"Zeile", "Row"};

// Calibration files.
inline constexpr Text kNoFileSelected{"Keine Datei ausgewaehlt! \nAktion wird nicht ausgefuehrt!",
                                      "No file was selected! \nProcess will not be done!"};
inline constexpr Text kFileExists{"Datei existiert bereits! \nWollen Sie die bestehende Datei auswaehlen?",
                                  "File already exists! \nDo you want to select existing file?"};
inline constexpr Text kNotReferenceFile{
    "Gewaehlte Datei ist keine Referenzwerte Datei! \nTrotzdem fortfahren?",
    "Selected file is not a reference values file! \nDo you want to proceed anyway?"};
inline constexpr Text kNotSetValuesFile{
    "Gewaehlte Datei ist keine Kalibrier-Sollwerte Datei! \nTrotzdem fortfahren?",
    "Selected file is not a calibration setvalues file! \nDo you want to proceed anyway?"};
inline constexpr Text kNotActualFile{
    "Gewaehlte Datei ist keine Aktuelle-Messwerte Datei! \nTrotzdem fortfahren?",
    "Selected file is not a acutal values file! \nDo you want to proceed anyway?"};
inline constexpr Text kWrongVersion{
    "Gewaehlte Datei und Scope-Version stimmen nicht ueberein! \nTrotzdem fortfahren?",
    "Selected file and scope version do not match! \nDo you want to proceed anyway?"};
inline constexpr Text kNoParameterRead{"Keine Parameter eingelesen!", "No parameter were read!"};
inline constexpr Text kReportHeaderSettings{
    "Folgende Kalibrierungseinstellungen konnten nicht eingelesen \nwerden und wurden auf Voreinstellung "
    "gesetzt:\n\n",
    "Following calibration settings could not \nbe read and where set to default value:\n\n"};
inline constexpr Text kReportHeaderRows{
    "Folgende Tabelleneintraege konnten nicht eingelesen werden \nund wurden auf Voreinstellung gesetzt:\n\n",
    "Following table values could not be \nread and where set to default value:\n\n"};
inline constexpr Text kFileNotSaved{"Datei konnte nicht gespeichert werden!", "File could not be saved!"};

inline constexpr Text kLoadReferenceTitle{"Lade Referenz Einstellungen von einer Datei.",
                                          "Get REFERENCE settings from file."};
inline constexpr Text kSaveReferenceTitle{"Speichere die Referenz Einstellungen in eine Datei.",
                                          "Save REFERENCE settings to file."};
inline constexpr Text kLoadSetValuesTitle{"Lade Sollwerte aus einer Datei.", "Get SETVALUE from file."};
inline constexpr Text kSaveSetValuesTitle{"Speichere die Sollwert in eine Datei.",
                                          "Save SETVALUE TABLE to file."};
inline constexpr Text kLoadActualTitle{"Lade XYZ Messwerte aus einer Datei.",
                                       "Get ACTUAL XYZ VALUE from file."};
inline constexpr Text kSaveActualTitle{"Speichere die Messwerte in eine Datei.",
                                       "Save ACTUAL XYZ VALUE to file."};

// Reset actions.
inline constexpr Text kResetReferenceQuestion{
    "Wollen Sie die Referenzeinstellungen \nwirklich zuruecksetzen?",
    "Do you really want to reset \nall REFERENCE settings?"};
inline constexpr Text kResetSetValuesQuestion{"Wollen Sie die Sollwerttabelle \nwirklich zuruecksetzen?",
                                              "Do you really want to reset the table SETVALUE?"};
inline constexpr Text kResetActualQuestion{"Wollen Sie die XYZ Messwerttabelle \nwirklich zuruecksetzen?",
                                           "Do you really want to reset the table ACTUAL XYZ VALUES?"};

// Confirmations.
inline constexpr Text kAssignReferenceQuestion{
    "Stellen Sie sicher, dass dem Sensor die Referenzoberflaeche vorliegt. \nAchten Sie darauf, das die "
    "Referenz parameter richtig eingestellt sind.",
    "Make sure that the sensor looks to the REFERENCE target.\n\nMake also sure that the REFERENCE parameter "
    "are "
    "adjusted correctly."};
inline constexpr Text kUserCalibrationTitle{"BENUTZERKALIBRIERUNG!", "USER CALIBRATION!"};
inline constexpr Text kFactoryCalibrationTitle{"WERKSKALIBRIERUNG!", "FACTORY CALIBRATION!"};
inline constexpr Text kSendCalibrationQuestion{
    "Moechten Sie die Kalibrierdaten \nwirklich zum Sensor senden?",
    "Do you really want to send the \ncalibration data to the sensor?"};
inline constexpr Text kWrongPassword{"Passwort falsch. \nBitte versuchen Sie es erneut.",
                                     "Wrong password. \nPlease try again."};
// Appended after "%s\n%d" to the connection log when a send reply carries a
// non-zero argument word.
inline constexpr Text kEepromNotice{
    " Parameter im EEPROM sind nicht plausibel und wurden auf ihre Grundeinstellung gesetzt!",
    " Parameter from EEPROM did not pass plausibility check and were set to default value!"};
inline constexpr Text kRamNotice{
    " Parameter im RAM sind nicht plausibel und wurden auf ihre Grundeinstellung gesetzt!",
    " Parameter in RAM did not pass plausibility check and were set to default value!"};
inline constexpr Text kCoverReceiverQuestion{"Sicherstellen, dass der Empfaenger des Sensors verdeckt ist!",
                                             "Make sure, that the receiver of the sensor is covered!"};

// Passwords of the password panel, compared case-sensitively.
inline constexpr std::string_view kOffsetPassword = "brasco";
inline constexpr std::string_view kFactorySendPassword = "TELVAR";
inline constexpr std::string_view kFactoryReadPassword = "MOBRI";

} // namespace tavrino::calibration
