#pragma once

#include "common/language.h"

namespace tavrino::link::texts {

inline constexpr Text kBadHeader{"ACHTUNG! \nEmpfangener header frame ist ungueltig!",
                                 "ATTENTION! \nReceived header frame is incorrect!"};
inline constexpr Text kBadData{"ACHTUNG! \nEmpfangener Daten frame ist ungueltig!",
                               "ATTENTION! \nReceived data frame is incorrect!"};
inline constexpr Text kInvalidOrder{"Ungueltiger Befehl! \nPC und Sensor-Software ueberpruefen!",
                                    "Invalid order number! \nVerify PC and sensor software!"};
inline constexpr Text kCommunicationError{"Verbindungsfehler! \nEventuell Baudrate reduzieren!",
                                          "Communication error! \nYou may have to reduce baudrate!"};
inline constexpr Text kTimeout{
    "TIMEOUT! \nKeine Daten erhalten! \nVerbindungsfehler! \nSpannungsversorgung und COM Einstellungen "
    "ueberpruefen. \nVerbindungsaufbau wiederholen!",
    "TIMEOUT! \nNo data received! \nCommunication error! \nCheck power supply and COM settings. \nTry to "
    "connect again!"};
inline constexpr Text kServerClosed{"Server hat Verbindung beendet!", "Server has closed connection!"};
inline constexpr std::string_view kTimeoutStatus = "TIMEOUT!";

// Shown when a second exchange would start while one still waits: a program
// fault, never a sensor failure.
inline constexpr Text kExchangeBusy{
    "Programmfehler! \nEin Datenaustausch laeuft bereits; der neue Auftrag wurde verworfen.",
    "Program fault! \nAn exchange is already running; the new request was refused."};

// The line after a serial open failure when the path names something that
// can never be a serial port (a file, a directory, /dev/null); it follows the
// path.
inline constexpr Text kNotASerialPort{" ist keine serielle Schnittstelle.", " is not a serial port."};

// Serial open failures by the code of the serial library's open call.
[[nodiscard]] constexpr Text serialOpenFailure(int code) {
    switch (code) {
    case -1:
        return {"Unbekannter Systemfehler", "Unknown system error"};
    case -2:
        return {"Ungueltige Portnummer", "Invalid port number"};
    case -3:
        return {"Port ist nicht verfuegbar", "Port is not open"};
    case -4:
        return {"Unbekannter I/O Fehler", "Unknown I/0 error"};
    case -6:
        return {"Kein serieller Port gefunden", "No serial port found"};
    case -7:
        return {"Port kann nicht geoeffnet werden", "Cannot open port"};
    case -14:
        return {"Ungueltige Baudrate", "Invalid Baudrate"};
    case -99:
        return {"Timeout", "Timeout"};
    default:
        return {"RS-232 Fehler!", "RS-232 error!"};
    }
}

// TCP failures by the code of the TCP library.
[[nodiscard]] constexpr Text tcpFailure(int code) {
    switch (code) {
    case -1:
        return {"Dienst konnte nicht registriert werden", "Unable to register service"};
    case -2:
        return {"Verbindung konnte nicht aufgebaut werden", "Unable to establish connection"};
    case -3:
        return {"Server bereits vorhanden", "Existing server"};
    case -4:
        return {"Verbindungsfehler", "Failed to connect"};
    case -5:
        return {"Server nicht registriert", "Server not registered"};
    case -6:
        return {"Zu viele Nachrichtenuebertragungen", "Too many conversations"};
    case -7:
        return {"Lesen fehlgeschlagen", "Read failed"};
    case -8:
        return {"Schreiben fehlgeschlagen", "Write failed"};
    case -9:
        return {"Ungueltiger Parameter", "Invalid parameter"};
    case -10:
        return {"Ausserhalb des Speichers", "Out of memory"};
    case -11:
        return {"Timeout", "Time out error"};
    case -12:
        return {"Keine Verbindung hergestellt", "No connection established"};
    case -13:
        return {"Allgemeiner IO Fehler", "General IO error"};
    case -14:
        return {"Verbindung geschlossen", "Connection closed"};
    case -15:
        return {"Winsock DLL konnte nicht geladen werden", "Unable to load winsock DLL"};
    case -16:
        return {"Ungueltige Winsock DLL Version", "Incorrect winsock DLL version"};
    case -17:
        return {"Netzwerk Subsystem nicht bereit", "Network subsystem not ready"};
    case -18:
        return {"Verbindungen noch aktiv", "Connections still open"};
    case -19:
        return {"Verbindungstrennung bevorstehend", "Disconnect pending"};
    case -20:
        return {"Info nicht verfuegbar", "Info not available"};
    default:
        return {"Verbindung mit Server fehlgeschlagen", "Connection to server failed"};
    }
}

} // namespace tavrino::link::texts
