#pragma once

namespace tavrino {

// Pages of the main tab control, in page order.
enum class MainTab : int {
    Connection = 0,
    SensorParameter = 1,
    TeachTable = 2,
    Recorder = 3,
    Calibration = 4,
    TableSettings = 5,
    Scope = 6,
    ZeroPointOffset = 7,
    OffsetAdjustment = 8,
};
inline constexpr int kMainTabCount = 9;

// The child panels that share one place beside the main tab control.
enum class ChildPanel : int {
    MeasurementDisplay = 0,
    SignalGraph = 1,
    MeanValueTeach = 2,
    RecordedValueTeach = 3,
    Scope = 4,
    DoubleParameter = 5,
    Calibration = 6,
};
inline constexpr int kChildPanelCount = 7;

// Groups of controls that logic dims and undims as a whole.
enum class Dimmable : int {
    // accept, change baud rate and hardware-info file on the connection page:
    // usable only after a confirmed connection check
    ConfirmedConnectionButtons = 0,
    // the buttons that start an exchange with the sensor (SEND, GET, GO, ...)
    SensorButtons = 1,
    // every control that must not be used while a measurement loop runs
    LoopButtons = 2,
};

} // namespace tavrino
