#pragma once

// Captions and help texts of the main window, its pages and panels. Texts of
// the operations themselves live with the code that shows them.

#include "common/language.h"

#include <array>
#include <string_view>

namespace tavrino::ui::texts {

inline constexpr std::string_view kWindowTitle = "TAVRINO4 VXR QLM Scope V3.2";
inline constexpr std::string_view kTitleTooltip = "TAVRINO4 VXR QLM Scope V3.2.0";

// Labels of the main tab pages, in page order.
inline constexpr std::array<Text, 9> kTabLabels{{
    {"VERBINDUNG", "CONNECT"},
    {"PARA1", "PARA1"},
    {"TEACH", "TEACH"},
    {"RECORDER", "RECORDER"},
    {"KALIB", "CALIB"},
    {"TABELLE", "TABLE"},
    {"SCOPE", "SCOPE"},
    {"NULLPUNKT", "ZERO POINT"},
    {"OFFSET", "OFFSET"},
}};

// ---- headings of the pages ----
inline constexpr Text kConnectionHeading{"VERBINDUNGSEINSTELLUNGEN", "CONNECTION SETTINGS"};
inline constexpr Text kSensorParameterHeading{"SENSOR PARAMETER", "SENSOR PARAMETERS"};
inline constexpr Text kTeachTableHeading{"TEACH TABELLE", "TEACH TABLE"};
inline constexpr Text kRecorderHeading{"RECORDER", "RECORDER"};
inline constexpr Text kCalibrationHeading{"KALIBRIERUNG", "CALIBRATION"};
inline constexpr Text kTableSettingsHeading{"TABELLEN-EINSTELLUNGEN", "TABLE SETTINGS"};
inline constexpr Text kScopeHeading{"SCOPE", "SCOPE"};
inline constexpr Text kZeroPointOffsetHeading{"NULLPUNKT-OFFSET", "ZERO POINT OFFSET"};
inline constexpr Text kOffsetAdjustmentHeading{"OFFSET-ABGLEICH", "OFFSET ADJUSTMENT"};

// ---- headings of the panels ----
inline constexpr Text kMeasurementDisplayHeading{"MESSWERTE", "MEASUREMENT"};
inline constexpr Text kSignalGraphHeading{"SIGNALVERLAUF", "SIGNAL GRAPH"};
inline constexpr Text kMeanValueTeachHeading{"MITTELWERT-TEACH", "MEAN VALUE TEACH"};
inline constexpr Text kRecordedValueTeachHeading{"TEACH AUS AUFZEICHNUNG", "RECORDED VALUE TEACH"};
inline constexpr Text kScopePanelHeading{"SCOPE", "SCOPE"};
inline constexpr Text kDoubleParameterHeading{"DOPPEL PARAMETER", "DOUBLE PARAMETER"};
inline constexpr Text kCalibrationPanelHeading{"KALIBRIERTABELLEN", "CALIBRATION TABLES"};
inline constexpr Text kBigColourNumberTitle{"FARBNUMMER", "COLOR NUMBER"};
inline constexpr Text kPasswordTitle{"PASSWORT", "PASSWORD"};
inline constexpr Text kPasswordLabel{"Passwort eingeben:", "Enter password:"};

// ---- recorder page and big colour-number panel ----
inline constexpr Text kPanelIdLabel{"Sensor-ID:", "Sensor ID:"};
inline constexpr Text kRecordFileLabel{"Aufzeichnungsdatei:", "Record file:"};

// ---- measurement display panel ----
inline constexpr Text kSensorStatusLabel{"Sensor-Status", "Sensor status"};
inline constexpr Text kSensorStatusHelp{
    "Zeigt den Status des Sensors an. \nRechter Doppelklick loescht das Verbindungsprotokoll.",
    "Displays the status of the sensor. \nRight double click clears the connection log."};
inline constexpr Text kComPortDisplayLabel{"COM Port", "COM port"};
inline constexpr Text kServerDisplayLabel{"Server", "Server"};
inline constexpr Text kGraphTabHelp{"Waehlen Sie eine Registerkarte.", "Select TAB-window."};
inline constexpr std::array<Text, 3> kGraphTabLabels{{
    {"XYZ", "XYZ"},
    {"FARBRAUM", "COLOR SPACE"},
    {"3-SEITEN-ANSICHT", "THREE-SIDED VIEW"},
}};
// The three-sided view's two buttons and the signal graph panel.
inline constexpr Text kMaximiseGraphButton{"MAXIMIEREN", "MAXIMIZE"};
inline constexpr Text kMinimiseGraphButton{"MINIMIEREN", "MINIMIZE"};
inline constexpr Text kShowSignalGraphButton{"SIGNALVERLAUF", "SIGNAL GRAPH"};
inline constexpr Text kCloseSignalGraphButton{"SCHLIESSEN", "CLOSE"};
inline constexpr Text kSignalSelectorLabel{"SIGNAL", "SIGNAL"};
inline constexpr Text kSampleCounterLabel{"Zaehler", "Counter"};
inline constexpr Text kTemperatureSignal{"TEMP", "TEMP"};

// ---- connection page: captions ----
inline constexpr Text kProtocolLabel{"Schnittstelle", "Interface"};
inline constexpr Text kComPortLabel{"COM Port", "COM port"};
inline constexpr Text kBaudRateLabel{"Baudrate", "Baudrate"};
inline constexpr Text kServerAddressLabel{"Server (Name/IP)", "Server (name/IP)"};
inline constexpr Text kPortNumberLabel{"Port-Nummer", "Port number"};
inline constexpr Text kSensorIdLabel{"Sensor-ID", "Sensor ID"};
inline constexpr Text kLanguageLabel{"Sprache", "Language"};
inline constexpr Text kConnectionLogLabel{"Verbindungsprotokoll", "Connection log"};
inline constexpr Text kFindComPortsButton{"COM PORTS SUCHEN", "FIND COM PORTS"};
inline constexpr Text kConnectButton{"VERBINDEN", "CONNECT"};
inline constexpr Text kDisconnectButton{"TRENNEN", "DISCONNECT"};
inline constexpr Text kAcceptButton{"UEBERNEHMEN", "ACCEPT"};
inline constexpr Text kChangeBaudRateButton{"BAUDRATE AENDERN", "CHANGE BAUDRATE"};
inline constexpr Text kHardwareInfoButton{"HW-INFO-DATEI", "HW INFO FILE"};

// ---- the buttons and labels of the popups ----
inline constexpr Text kOkButton{"OK", "OK"};
inline constexpr Text kCancelButton{"Abbrechen", "Cancel"};
inline constexpr Text kYesButton{"Ja", "Yes"};
inline constexpr Text kNoButton{"Nein", "No"};
inline constexpr Text kOpenButton{"Oeffnen", "Open"};
inline constexpr Text kSaveButton{"Speichern", "Save"};
inline constexpr Text kLookInLabel{"Suchen in:", "Look in:"};
inline constexpr Text kFileNameLabel{"Dateiname:", "File name:"};
inline constexpr Text kFileTypeLabel{"Dateityp:", "Files of type:"};

// ---- every graph: context menu ----
inline constexpr Text kMenuExportPicture{"Bild exportieren…", "Export picture…"};
inline constexpr Text kMenuCopyPicture{"In Zwischenablage kopieren", "Copy to clipboard"};

// ---- teach table grid: context menu ----
inline constexpr Text kMenuHelp{"Hilfe", "Help"};
inline constexpr Text kMenuSetSelectionTo{"Auswahl auf ... setzen", "Set selection to"};
inline constexpr Text kMenuIncrementSelection{"Auswahl um ... erhoehen", "Increment selection with"};
inline constexpr Text kMenuResetSelection{"Auswahl zuruecksetzen", "Reset selection"};
inline constexpr Text kMenuTeachTolOff{"Teach-Toleranz aus", "Teach tolerance off"};
inline constexpr Text kMenuTeachTolOn{"Teach Toleranz ein", "Teach tolerance on"};
inline constexpr Text kTeachGridHelp{
    "Zellen-Wert mit linkem Doppelklick oder F2 aendern. \n\nEinen Zellbereich bei gehaltener linker "
    "Maustaste durch Ziehen ueber die Zellen auswaehlen. \n\nAuswahl auf ... stellen: Stellt die Auswahl "
    "auf einen einstellbaren Wert. \nAuswahl um ... erhoehen: Ausgewaehlte Zellen werden um einen "
    "einstellbaren Wert erhoeht, beginnend mit der ersten Zelle. \nAuswahl zuruecksetzen: Setzt den "
    "ausgewaehlten Beriechn zurueck. \nTeach-Toleranz aus: Toleranz wird nicht verandert. \nTeach-Toleranz "
    "ein: Toleranz wird automatisch auf einen Standardwert gestellt.",
    "Change cell value with a left double click or with F2. \n\nSelect a range of cells by holding down "
    "the left mouse button and dragging the mouse over the cells to select. \n\nSet selection to: Set the "
    "selection to an adjustable value. \nIncrement selection with: Selected cells will be incremented with "
    "an adjustable value beginning with the first cell. \nReset selection: Reset the selected "
    "range.\nTeach tolerance off: Tolerance will not be changed. \nTeach tolerance on: Tolerance will be "
    "set automatically to a default value."};

// ---- parameter controls: captions, indexed by parameters::Control (words 0..19) ----
inline constexpr std::array<Text, 20> kParameterCaptions{{
    {"POWER", "POWER"},
    {"POWER MODUS", "POWER MODE"},
    {"VERSTAERKUNG", "GAIN"},
    {"INTEGRAL 1", "INTEGRAL 1"},
    {"INTEGRAL 2", "INTEGRAL 2"},
    {"MITTELWERT", "AVERAGE"},
    {"LED MODUS", "LED MODE"},
    {"FARBRAUM", "COLOR SPACE"},
    {"KALIBRIERUNG", "CALIBRATION"},
    {"DIGITAL OUTMODE", "DIGITAL OUTMODE"},
    {"MAX VEC NO", "MAX VEC NO"},
    {"INTLIM", "INTLIM"},
    {"AUSWERTEMODUS", "EVALUATION MODE"},
    {"FORMMODUS", "SHAPE MODE"},
    {"EXTERNER TEACH", "EXTERN TEACH"},
    {"TRIGGER", "TRIGGER"},
    {"ANALOG OUTMODE", "ANALOG OUTMODE"},
    {"ANALOG OUT SIGNAL", "ANALOG OUT SIGNAL"},
    {"ANALOG OUT", "ANALOG OUT"},
    {"ANALOG ZOOM", "ANALOG ZOOM"},
}};

// ---- main window: parameter transfer and live measurement buttons ----
// The German captions are the names the German instructions use ("SENDE
// klicken", "LOS druecken").
inline constexpr Text kSendButton{"SENDE", "SEND"};
inline constexpr Text kGetButton{"GET", "GET"};
inline constexpr Text kRamButton{"RAM", "RAM"};
inline constexpr Text kEepromButton{"EEPROM", "EEPROM"};
inline constexpr Text kFileButton{"DATEI", "FILE"};
inline constexpr Text kGoButton{"LOS", "GO"};
inline constexpr Text kStopButton{"STOP", "STOP"};

// ---- measurement display panel: live displays ----
inline constexpr std::array<std::string_view, 3> kXyzCaptions{"X", "Y", "Z"};
inline constexpr Text kDeltaECaption{"delta E", "delta E"};
inline constexpr Text kColourNumberCaption{"C-No:", "C-No:"};
inline constexpr Text kIn0Caption{"IN0", "IN0"};
inline constexpr Text kSaturationCaption{"SAETTIGUNG", "SATURATION"};
// Put before the coordinate name on the CS REF reference displays.
inline constexpr std::string_view kReferencePrefix = "REF ";

// ---- teach table grid ----
inline constexpr Text kColourColumnHeading{"Farbe", "Color"};

// ---- teach table page: teaching ----
inline constexpr Text kRowNumberLabel{"Nr.:", "No.:"};
inline constexpr Text kAutoIncrementLabel{"Auto-Inkrement", "Auto increment"};
inline constexpr Text kTeachDataToButton{"TEACH DATEN NACH", "TEACH DATA TO"};
inline constexpr Text kResetTableButton{"TABELLE ZURUECKSETZEN", "RESET TABLE"};
inline constexpr Text kTeachMeanValueButton{"MITTELWERT TEACHEN", "TEACH MEAN VALUE"};
inline constexpr Text kTeachRecordedValueButton{"AUFZEICHNUNG TEACHEN", "TEACH RECORDING"};
inline constexpr Text kRowNumberHelp{
    "Die aktuelle Nummer einer Zeile der Teach-Tabelle fuer TEACH DATEN NACH auswaehlen.",
    "Select the current number of a row in the TEACH TABLE for TEACH DATA TO."};
inline constexpr Text kAutoIncrementHelp{"Automatisches Erhoehen von Nr.:", "Auto increment of No.:"};
inline constexpr Text kResetTableHelp{"Setzt die TEACH TABELLE zurueck. \nAlle Zellen werden auf 0 gesetzt.",
                                      "Reset the TEACH TABLE. \nAll cells are set to 0."};
inline constexpr Text kTeachDataToHelp{
    "Aktuell gemessene Farbraumkoordinaten werden in die \nim No.: Funktionsfeld gewaehlte Zeile der TEACH "
    "TABELLE eingetragen.",
    "Current measured chromaticity coordinates are assigned \nto the TEACH TABLE row selected in the No.: "
    "function field."};

// ---- table settings page ----
inline constexpr Text kSpecificationColumnHeading{"Zeilenspezifikation", "Row specification"};
inline constexpr Text kRowColourModeLabel{"Zeilenfarbe", "Row color"};
inline constexpr std::array<Text, 2> kRowColourModes{{{"MANUELL", "MANUAL"}, {"AUTOMATISCH", "AUTOMATIC"}}};
inline constexpr Text kRowSelectLabel{"Zeile", "Row"};
inline constexpr Text kColourSelectLabel{"Farbe", "Color"};
inline constexpr Text kSetRowColourButton{"ZEILENFARBE SETZEN", "SET ROW COLOR"};
inline constexpr Text kDefaultColoursButton{"STANDARDFARBEN", "DEFAULT COLORS"};
inline constexpr Text kSaveToFileButton{"IN DATEI SPEICHERN", "SAVE TO FILE"};
inline constexpr Text kGetFromFileButton{"AUS DATEI LESEN", "GET FROM FILE"};
inline constexpr Text kSaveToEeButton{"IN EE SPEICHERN", "SAVE TO EE"};
inline constexpr Text kGetFromEeButton{"AUS EE LESEN", "GET FROM EE"};
inline constexpr Text kTemperatureLabel{"Temperatur", "Temperature"};
inline constexpr Text kMeasuredColourLabel{"Gemessene Farbe", "Measured color"};
inline constexpr Text kTemperatureHelp{"Zeigt die aktuelle Temperatur im Sensor an. \nNicht in Grad Celsius!",
                                       "Displays actual temperature in the sensor.\nNot in degree Celsius!"};
inline constexpr Text kRowColourModeHelp{
    "Auswahlmodus fuer Indikatorfarben der Zeilen. \n\nManuell: Indikatorfarben koennen manuell gewaehlt "
    "werden. \n\nAutomatisch: Indikatorfarben werden automatisch gewaehlt, \nentsprechend der vom Sensor "
    "erkannten Farbe.",
    "Set mode for the row indicator colors. \n\nManually: Indicator colors can be set manually. "
    "\n\nAutomatically: Indicator colors will be set automatically, \naccording to the color detected from "
    "the sensor."};
inline constexpr Text kRowSelectHelp{"Zeile auswaehlen, die editiert werden soll.",
                                     "Select a row, which should be set."};
inline constexpr Text kColourSelectHelp{"Indikatorfarbe waehlen.", "Select a indicator color."};
inline constexpr Text kSetRowColourHelp{"Ausgewaehlte Farbe der Zeile zugeordnet.",
                                        "Assign selected color to row."};
inline constexpr Text kSaveToFileHelp{
    "Indikatorfarben und Zeilenspezifikation \nwerden in eine waehlbare Datei gespeichert.",
    "Indicator colors and row specifications \nwill be saved to a selectable file."};
inline constexpr Text kGetFromFileHelp{
    "Indikatorfarben und Zeilenspezifikation werden \naus einer waehlbaren Datei auf der Festplatte gelesen "
    "\nund der Teachtabelle und Spezifikationstabelle zugeordnet.",
    "Indicator colors and row specifications will be \nread from a selectable file from the hard disk \nand "
    "assigned to the teach table and specification table."};
inline constexpr Text kSaveToEeHelp{"Indikatorfarben und Zeilenspezifikation \nwerden im Sensor gespeichert.",
                                    "Indicator colors and row specifications \nwill be saved to the sensor."};
inline constexpr Text kGetFromEeHelp{
    "Indikatorfarben und Zeilenspezifikation werden \naus dem Sensor gelesen und der Teachtabelle \nund "
    "Spezifikationstabelle zugeordnet.",
    "Indicator colors and row specifications will be \nread from the sensor and assigned to the \nteach "
    "table and specification table."};
inline constexpr Text kDefaultColoursHelp{"Voreingestellte Zeilenfarben einstellen.",
                                          "Set default row colors."};

// ---- double-parameter panel: its two parameter tables ----
inline constexpr Text kDoubleParameterTableLabel{"PARAMETERSAETZE", "PARAMETER SETS"};
inline constexpr std::array<Text, 3> kDoubleParameterColumns{{
    {"POWER", "POWER"},
    {"VERST", "GAIN"},
    {"INTEGRAL", "INTEGRAL"},
}};
inline constexpr Text kCorrectionTableLabel{"KORREKTURWERTE", "CORRECTION VALUES"};
inline constexpr std::array<std::string_view, 3> kCorrectionColumns{"X", "Y", "Z"};
inline constexpr Text kXyzTableLabel{"RAW X Y Z", "RAW X Y Z"};
inline constexpr Text kActiveSetLabel{"SATZ", "SET"};
inline constexpr std::array<std::string_view, 3> kRawCaptions{"RAW X", "RAW Y", "RAW Z"};
inline constexpr std::array<Text, 3> kAssignButtons{{
    {"EINTRAG 1", "ASSIGN 1"},
    {"EINTRAG 2", "ASSIGN 2"},
    {"EINTRAG 3", "ASSIGN 3"},
}};
inline constexpr Text kStartAssistantButton{"START ASSISTENT", "START ASSISTANT"};
inline constexpr Text kCloseButton{"SCHLIESSEN", "CLOSE"};
inline constexpr Text kSetDpButton{"SET DP", "SET DP"};
inline constexpr Text kDoubleParameterTableHelp{
    "Tabelle fuer Doppel Parameter. \n1: helles Objekt \n2: dunkleres Objekt",
    "Table for Double Parameter. \n1: bright target \n2: darker target"};
inline constexpr Text kCorrectionTableHelp{
    "Korrekturfaktor fuer X Y Z wenn \nder Sensor mit Doppel Parameter 2 arbeitet.",
    "Correction value for X Y Z when \nthe sensor works with Double Parameter 2."};

} // namespace tavrino::ui::texts
