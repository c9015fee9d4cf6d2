#pragma once

#include "common/observers.h"

// Which operator controls are dimmed: one flag per named control that starts
// an exchange with the sensor. Widgets register for the controls they show
// and follow the flags; logic changes the flags through SetButtonsDimmed and
// the named groups below, never through widgets.

#include "common/ids.h"

#include <array>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace tavrino::app {

enum class DimControl : int {
    // main window
    GoButton,
    SendButton,
    GetButton,
    RamSelect,
    EepromSelect,
    FileSelect,
    // connection page
    ConnectButton,
    DisconnectButton,
    BaudRateSelect,
    AcceptButton,
    ChangeBaudRateButton,
    HardwareInfoButton,
    // calibration page: its two sensor transfer buttons
    CalibrationSend,
    CalibrationGet,
    // zero-point offset page: its three sensor buttons
    ZeroPointSend,
    ZeroPointGet,
    ZeroPointCalc,
    // offset adjustment page: its two sensor buttons
    OffsetAdjustmentSend,
    OffsetAdjustmentGet,
    // recorder page: its four start and select controls
    RecorderSelectFile,
    RecorderStart,
    RecorderTriggered,
    RecorderMode,
    // scope page: its three scan controls
    ScopeScan,
    ScopeBreak,
    ScopeCycleTime,
    // recorded-value teach panel
    RecordedTeachStart,
    // double-parameter panel
    DoubleParameterStart,
};
inline constexpr std::size_t kDimControlCount = 28;

class DimmingModel {
public:
    using Observer = Observers<DimControl, bool>::Observer;

    // Everything usable except the accept, change-baud-rate and hardware-info
    // buttons, which wait for a confirmed connection.
    DimmingModel();

    [[nodiscard]] bool dimmed(DimControl c) const { return dimmed_[index(c)]; }
    // Notifies only on an actual change.
    void setDimmed(DimControl c, bool dimmed);

    // A widget that shows control `c` registers it; SetButtonsDimmed touches
    // every control of its list whether registered or not, so a page built
    // later starts with the right state.
    void registerControl(DimControl c) { registered_[index(c)] = true; }
    [[nodiscard]] bool registered(DimControl c) const { return registered_[index(c)]; }

    // The exchange controls, all to `dim`. Scope 0 includes SEND, GET and the
    // three select buttons of the main window; scope 1 leaves them alone.
    // Accept, change baud rate and hardware info are dimmed here but never
    // undimmed: only a confirmed connection undims them.
    void SetButtonsDimmed(int scope, bool dim);

    // The accept, change-baud-rate and hardware-info buttons.
    void setConfirmedConnectionButtons(bool dim);

    // What lower layers ask through the operator seam: SensorButtons is
    // SetButtonsDimmed(0, dim), ConfirmedConnectionButtons the three buttons
    // above, LoopButtons SetButtonsDimmed(1, dim).
    void apply(Dimmable group, bool dim);

    int subscribe(Observer observer) { return observers_.subscribe(std::move(observer)); }
    void unsubscribe(int id) { observers_.unsubscribe(id); }

private:
    static std::size_t index(DimControl c) { return static_cast<std::size_t>(c); }

    std::array<bool, kDimControlCount> dimmed_{};
    std::array<bool, kDimControlCount> registered_{};
    Observers<DimControl, bool> observers_;
};

} // namespace tavrino::app
