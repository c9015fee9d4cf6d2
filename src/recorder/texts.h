#pragma once

// Operator texts of the recorder and the record file.

#include "common/language.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrino::recorder::texts {

// The record file dialog.
inline constexpr Text kSelectFileTitle{"Dateiname!", "Filename!"};
inline constexpr Text kFileExists{"Datei existiert bereits! \nWollen Sie die bestehende Datei auswaehlen?",
                                  "File already exists! \nDo you want to select existing file?"};
inline constexpr Text kFileInUse{
    "Stellen Sie sicher dass die Datei in keinem anderen Programm verwendet wird. \nAnsonsten kann sie nicht "
    "gespeichert werden.",
    "Make sure, that the file is not opened by any other program. \nOtherwise it can not be saved."};

// Recording.
inline constexpr Text kRightFile{"Sind Sie sicher dass Sie die richtige Datei gewaehlt haben?",
                                 "Are you sure, that you have selected the right file name?"};
inline constexpr Text kFileSaved{"Datei wurde gespeichert!", "File has been saved!"};

// Shown instead of kFileSaved when lines were lost: how many, then the path.
inline std::string linesNotWritten(Language language, unsigned long count, std::string_view path) {
    std::string text = language == Language::German ? "ACHTUNG! \n" : "ATTENTION! \n";
    text += std::to_string(count);
    text += language == Language::German
                ? " Zeile(n) konnte(n) nicht in die Rekorder-Datei geschrieben werden:\n"
                : " record line(s) could not be written to the record file:\n";
    text += path;
    return text;
}

// Shown instead of kFileSaved when a communication failure ended the
// recording: how many lines the file got, then the path.
inline std::string recordingBroken(Language language, unsigned long written, std::string_view path) {
    std::string text = language == Language::German
                           ? "ACHTUNG! \nDie Aufzeichnung wurde durch einen Kommunikationsfehler beendet. \n"
                           : "ATTENTION! \nThe recording was ended by a communication failure. \n";
    text += std::to_string(written);
    text += language == Language::German ? " Zeile(n) wurde(n) in die Rekorder-Datei geschrieben:\n"
                                         : " record line(s) have been written to the record file:\n";
    text += path;
    return text;
}

// The record file header.
inline constexpr Text kTitleLabel{"Ergebnisse von ... aufzeichnen:", "Record results of: "};
inline constexpr Text kIdLabel{"Fenster ID:", "Panel ID: "};

// The record mode selector, in mode order.
inline constexpr Text kModeNames[] = {
    {"ANZAHL WERTE", "NUMBER OF VALUES"},
    {"KONTINUIERLICH", "CONTINUOUS"},
    {"MANUELL", "MANUAL"},
    {"GETRIGGERT", "TRIGGERED"},
};

// Right-click help of the recorder page's controls.
inline constexpr Text kSelectFileHelp{"Rekorder-Datei fuer Datensicherung auswaehlen.",
                                      "Select a record file for data save."};
inline constexpr Text kFilePathHelp{"Zeigt den Speicherpfad des Rekorder-Files an.",
                                    "Shows the path of the record file."};
inline constexpr Text kModeHelp{"Wie ein Datenframe aufgezeichnet werden soll auswaehlen.",
                                "Select how to record data frame."};
inline constexpr Text kIntervalHelp{
    "Intervall in Sekunden fuer die Aufzeichnung waehlen. \nMinimales Intervall ist 0,25 Sekunden.",
    "Choose a interval in secondes for recording. \nMinimum interval is 0,25 second."};
inline constexpr Text kNumberOfValuesHelp{"Wie viele Datenframes aufgezeichnet werden sollen auswaehlen.",
                                          "Choose how many data frames should be recorded."};
inline constexpr Text kRecordTimeHelp{"Zeigt die Aufnahmezeit an bis alle Werte aufgenommen sein werden.",
                                      "Displays the time for recording \nwhen all VALUES will be recorded."};
inline constexpr Text kRecordedValuesHelp{"Zeigt an wie viele Werte bereits aufgenommen wurden.",
                                          "Displays how many values are already recorded."};
inline constexpr Text kRemainingHelp{"Zeigt an wie viele Werte noch aufgenommen werden.",
                                     "Displays how many values remain to be recorded."};
inline constexpr Text kStartHelp{"Daten-Rekorder starten.", "Start data record."};
inline constexpr Text kStopHelp{"Daten-Rekorder stoppen.", "Stop data record."};
inline constexpr Text kManualHelp{
    "Einen Frame manuell aufzeichnen \nund an eine existierende Datei anhaengen.",
    "Record one frame manually \nand append to existing file."};

// Reviewing a record file in the signal graph panel.
inline constexpr Text kOpenRecordFileHelp{
    "Eine Rekorder-Datei oeffnen und ihre Werte \nim Fenster SIGNALVERLAUF ansehen.",
    "Open a record file and review its values \nin the SIGNAL GRAPH panel."};
inline constexpr Text kNoRecordLines{"Die Datei enthaelt keine Aufzeichnung:\n",
                                     "The file holds no recorded lines:\n"};
inline constexpr Text kReviewLineLabel{"Zeile", "Line"};
inline constexpr Text kReviewGraphHelp{
    "Zeigt das mit SIGNAL gewaehlte Signal der Rekorder-Datei ueber ihre Zeilen. \nMausrad: zoomen, Ziehen: "
    "verschieben, Klick oder Pfeiltasten: Cursor setzen.",
    "Shows the signal selected with SIGNAL over the lines of the record file. \nWheel: zoom, drag: pan, "
    "click "
    "or arrow keys: move the cursor."};
inline constexpr Text kReviewReadoutHelp{"Zeigt Zeit und Werte der Zeile unter dem Cursor.",
                                         "Shows the time and the values of the line under the cursor."};

// After a record file was loaded with lines that are not record lines: how
// many, the first one's number, then the path.
inline std::string linesSkipped(Language language, std::size_t count, std::size_t first,
                                std::string_view path) {
    std::string text = std::to_string(count);
    text += language == Language::German ? " Zeile(n) der Rekorder-Datei konnte(n) nicht gelesen werden und "
                                           "wurde(n) uebersprungen (erste: Zeile "
                                         : " line(s) of the record file could not be read and have been "
                                           "skipped (first: line ";
    text += std::to_string(first);
    text += "):\n";
    text += path;
    return text;
}

} // namespace tavrino::recorder::texts
