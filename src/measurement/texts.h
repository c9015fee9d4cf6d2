#pragma once

// Operator texts of the live measurement.

#include "common/language.h"

namespace tavrino::measurement::texts {

// Help texts (right click).
inline constexpr Text kGoHelp{"Startet Datenaustausch zwischen Sensor und PC. \n\nFunktionstaste: F11",
                              "Starts data transfer from sensor to PC. \n\nShortcut Key: F11."};
inline constexpr Text kStopHelp{"Stoppt Datenaustausch zwischen Sensor und PC. \n\nFunktionstaste: F12",
                                "Stops data transfer from sensor to PC. \n\nShortcut Key: F12."};
inline constexpr Text kGraphTabHelp{"Waehlen Sie eine Registerkarte.", "Select TAB-window."};
inline constexpr Text kXyzHelp{"Zeigt die aktuellen Normfarbwerte X Y Z an.",
                               "Displays the current intensity of X Y Z."};
inline constexpr Text kCoordinateHelp{
    "Zeigt die Farbwertkoordinaten der aktuellen Farboberflaeche an.",
    "Displays the chromaticity coordinates of \nthe color currently arriving at the receiver."};
inline constexpr Text kIntensityHelp{
    "Zeigt den akteullen Helligkeitswert \nder Oberflaeche an.",
    "Displays the intensity variable of the \ncolor currently arriving at the receiver."};
inline constexpr Text kDeviationHelp{"Zeigt die einzelne Abweichung der aktuellen Farbraumkoordinaten \nund "
                                     "des Helligkeitswertes zu einem Treffer an.",
                                     "Displays the single deviation of the current chromaticity "
                                     "\ncoordinates and intensity value to the color hit."};
inline constexpr Text kDeltaEHelp{
    "Zeigt den Farababstand zu einem Farbtreffer an. \n\nWenn keine Farbe erkannt ist, wird delta E "
    "\nabahaengig von EVALUATION MODE wie folgt angegeben. \nFIRST HIT: delta E ist der Abstand zur \nletzen "
    "gueltigen Farbe in der Tabelle. \nBEST HIT: delta E ist -1.",
    "Displays the color difference to a COLOR HIT. \n\nWhen no color is detected, delta E depends on the "
    "EVALUATION MODE as follows: \nFIRST HIT: delta E is the distance to the last enabled row in the TEACH "
    "TABLE. \nBEST HIT: delta E is -1."};
inline constexpr Text kColourNumberHelp{
    "Zeigt die aktuell erkannte Farbnummer entsprechend \nder Zeile in der TEACH TABELLE an. \nDoppelklicken "
    "oeffnet ein groesseres Fenster. \nGrosses Fenster mit einem Rechtsklick schliessen. \n\nFehlerfall ist "
    "255.",
    "Displays the current detected color number in \naccordance with the row in the TEACH TABLE. \nDouble "
    "click opens a big display. \nClose the big display with a right mouse click. \n\nFailure condition is "
    "255."};
inline constexpr Text kIn0Help{
    "Zeigt den Status von IN0 an. \nLED=schwarz --> IN0=LO \nLED=gruen --> IN0=HI",
    "Displays the state of the input IN0. \nLED=black --> IN0=LO \nLED=green --> IN0=HI"};
inline constexpr Text kSaturationHelp{"Leuchtet rot, wenn einer \nder Kanaele in Saettigung ist.",
                                      "Lights up red when one of \nthe channels is in saturation."};

// Help texts of the graphs (right click).
inline constexpr Text kXyzChartHelp{
    "Zeigt X Y Z. \nLinker Doppelklick startet Zoom-Funktion. \nLinksklick stopt Zoom-Funktion.",
    "Displays X Y Z. \nLeft double click starts zooming. \nLeft click stops zooming."};
inline constexpr Text kColourSpaceChartHelp{
    "Zeigt id einzelnen Farbraum Werte. \nLinker Doppelklick startet Zoom-Funktion. \nLinksklick stopt "
    "Zoom-Funktion.",
    "Displays the single color space values. \nLeft double click starts zooming. \nLeft click stops "
    "zooming."};
inline constexpr Text kThreeSidedViewHelp{
    "Zeigt einen dreiseitigen Blick auf die \ngelernten Farben und X Y Z in einem Extragraphen \n\nDoppelter "
    "Linksklick aendert die Formfarbe in grau. \nNur der Treffer ist farbig. \nErneuter Doppelklick links "
    "aktiviert Formfarben wieder.",
    "Displays a 3 sides view of the taught colors \nand X Y Z in an extra graph. \n\nLeft double click sets "
    "the shape color to gray. Only the HIT is colored. \nAnother left double click resets the shape color"};
inline constexpr Text kOpenSignalGraphHelp{"Wechselt zu einer graphischen Ansicht fuer jedes Signal.",
                                           "Switch to a graphical display for each signal."};
inline constexpr Text kCloseSignalGraphHelp{"Schliesst PANEL und kehrt zu HAUPT PANEL zurueck.",
                                            "Close PANEL and return to MAIN PANEL."};
inline constexpr Text kSignalSelectorHelp{"Signal das im Graph angezeigt werden soll auswaehlen.",
                                          "Select Signal to be displayed in the graph."};
inline constexpr Text kSignalGraphHelp{"Zeigt die ausgewaehlten Signale mit SIGNAL an.",
                                       "Displays the signals selected with SIGNAL."};

} // namespace tavrino::measurement::texts
