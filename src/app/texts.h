#pragma once

// Operator texts of connection management and the panel settings.

#include "common/language.h"
#include "parameters/file_texts.h"

#include <string_view>

namespace tavrino::app::texts {

// --- Connecting --------------------------------------------------------------

inline constexpr Text kTryToConnect{"Verbindungsaufbau!\n", "Try to connect!\n"};
inline constexpr Text kCouldNotConnect{
    "Verbindung konnte nicht aufgebaut werden! \nFenster schliessen oder im Offline-Modus arbeiten!",
    "Could not establish connection! \nClose window or work in offline mode!"};
inline constexpr Text kCloseLabel{"Schliessen", "Close"};
inline constexpr std::string_view kOfflineLabel = "Offline";
inline constexpr Text kFirmwareMismatch{
    "Sensor-Firmware und Scope-Version stimmen nicht ueberein! \nFirmware des verbundenen Sensors ist:",
    "Sensor firmware and scope version do not match! \nFirmware of connected sensor is:"};
inline constexpr std::string_view kSensorLabel = "Sensor:";
inline constexpr Text kSerialNumberLabel{"Seriennummer:", "Serial number:"};
inline constexpr Text kNextCalibrationLabel{"Naechste Kalibrierung:", "Next calibration:"};
inline constexpr Text kNoSensorConnected{"Kein Sensor verbunden!\n\n", "No sensor connected!\n\n"};

// --- Baud rate, COM ports ----------------------------------------------------

inline constexpr Text kChangeBaudrate{"Baudrate aendern!\n", "Try to change baudrate!\n"};
inline constexpr Text kDone{"Erledigt!\n", "Success!\n"};
inline constexpr Text kConfirmNewBaudrate{"ACHTUNG!!!   Neue Baudrate mit EEPROM und SENDEN bestaetigen!\n\n",
                                          "ATTENTION!!!   Confirm new baudrate with EEPROM and SEND!\n\n"};
inline constexpr Text kComPortsAvailable{"Folgende COM PORTS sind verfuegbar:\n",
                                         "Following COM PORTS are available:\n"};

// --- Hardware information file -------------------------------------------------

inline constexpr std::string_view kHardwareFileType = "Hardware Initial File";
inline constexpr std::string_view kHardwareScopeVersion = "TAVRINO4 VXR QLM Scope V3.2.0";
inline constexpr std::string_view kHardwareDialogTitle = "HardwareInitialFile";
inline constexpr std::string_view kIniFilter = "*.ini";
inline constexpr Text kNoFileSelected{"Keine Datei ausgewaehlt! \nAktion wird nicht ausgefuehrt!",
                                      "No file was selected! \nProcess will not be done!"};
inline constexpr Text kFileSaved{"Datei wurde gespeichert!", "File has been saved!"};
// Followed by "\n" and the path.
// Shared with the parameter file: every failed save reads the same.
using parameters::file::kFileNotSaved;

// --- Help texts ------------------------------------------------------------------

inline constexpr Text kProtocolHelp{"Waehlen Sie die RS232 oder TCP/IP Schnittstelle.",
                                    "Select RS232 or TCP/IP Interface."};
inline constexpr Text kFindComPortsHelp{"Zeigt eine Liste der verfuegbaren COM PORTS.",
                                        "Shows a list of available COM PORTS."};
inline constexpr Text kComPortHelp{"Waehlen Sie einen seriellen COM-Port.", "Select a serial COM-PORT."};
inline constexpr Text kBaudRateHelp{
    "Waehlen Sie die Baudrate fuer die Datenuebertragung. \n\nAchtung! Sensor und Nutzeroberflaeche "
    "\nmuessen "
    "mit der gleichen Baudrate arbeiten.",
    "Select the Baudrate for data transfer. \n\nAttention! Sensor and user surface \nmust work with the same "
    "Baudrate."};
inline constexpr Text kServerAddressHelp{"Waehlen Sie einen Server per Bezeichnung oder IP-Adresse.",
                                         "Select a Server by name or IP address."};
inline constexpr Text kPortNumberHelp{"Waehlen Sie eine Port-Nummer.", "Select a port number."};
inline constexpr Text kConnectHelp{"Verbindungsaufbau zum Sensor.", "Try to connect sensor."};
inline constexpr Text kDisconnectHelp{"Verbindungsabbruch vom Sensor.", "Disconnect from sensor."};
inline constexpr Text kAcceptHelp{
    "Verbindungseinstellungen bestaetigen \nund zum Parametrierungs-Reiter wechseln.",
    "Accept settings for communication \nand switch to para-panel."};
inline constexpr Text kChangeBaudRateHelp{
    "Ausgewaehlte Baudrate auf Sensor speichern. \n\nNeue Baudrate mit EEPROM und SENDEN bestaetigen.",
    "Save selected Baudrate to sensor. \n\nConfirm new baudrate with EEPROM and SEND."};
inline constexpr Text kHardwareInfoHelp{
    "Hardware Initialisierungs-Datei auf Festplatte speichern. \nSenden Sie diese Datei an den Hersteller "
    "fuer "
    "Support.",
    "Save Hardware Initial File to disk. \nSend this file to your supplier for assistance."};
inline constexpr Text kLanguageHelp{"Sprache auswaehlen.", "Select a language."};
inline constexpr Text kSensorIdHelp{
    "Sensor-Identifikation einfuegen. \nDiese ID wird in einigen Fenstern der Software angezeigt.",
    "Insert sensor identification. \nThis ID will be displayed in some panels of the software."};
inline constexpr Text kMainTabHelp{"Waehlen Sie eine Registerkarte.", "Select TAB-window."};

// --- Pictures of the graphs ----------------------------------------------------

inline constexpr Text kExportPictureTitle{"Bild exportieren", "Export picture"};
// Followed by the path.
inline constexpr Text kUnknownPictureKind{
    "Unbekannte Bildart! \nDer Dateiname muss auf .png, .svg oder .pdf enden:\n",
    "Unknown kind of picture! \nThe file name must end in .png, .svg or .pdf:\n"};
inline constexpr Text kReplacePicture{"Datei existiert bereits! \nWollen Sie sie ersetzen?",
                                      "File already exists! \nDo you want to replace it?"};

} // namespace tavrino::app::texts
