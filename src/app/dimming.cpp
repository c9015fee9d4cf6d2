#include "app/dimming.h"

#include <algorithm>

namespace tavrino::app {

namespace {

// Dimmed and undimmed together by SetButtonsDimmed, whatever the scope.
constexpr DimControl kAlways[] = {
    DimControl::GoButton,
    DimControl::ConnectButton,
    DimControl::DisconnectButton,
    DimControl::BaudRateSelect,
    DimControl::CalibrationSend,
    DimControl::CalibrationGet,
    DimControl::ZeroPointSend,
    DimControl::ZeroPointGet,
    DimControl::ZeroPointCalc,
    DimControl::OffsetAdjustmentSend,
    DimControl::OffsetAdjustmentGet,
    DimControl::RecorderSelectFile,
    DimControl::RecorderStart,
    DimControl::RecorderTriggered,
    DimControl::RecorderMode,
    DimControl::ScopeScan,
    DimControl::ScopeBreak,
    DimControl::ScopeCycleTime,
    DimControl::RecordedTeachStart,
    DimControl::DoubleParameterStart,
};

// The main window's transfer controls: scope 0 only.
constexpr DimControl kTransfer[] = {
    DimControl::SendButton,   DimControl::GetButton,  DimControl::RamSelect,
    DimControl::EepromSelect, DimControl::FileSelect,
};

// Usable only after a confirmed connection.
constexpr DimControl kConfirmed[] = {
    DimControl::AcceptButton,
    DimControl::ChangeBaudRateButton,
    DimControl::HardwareInfoButton,
};

} // namespace

DimmingModel::DimmingModel() {
    for (DimControl c : kConfirmed)
        dimmed_[index(c)] = true;
}

void DimmingModel::setDimmed(DimControl c, bool dimmed) {
    if (dimmed_[index(c)] == dimmed)
        return;
    dimmed_[index(c)] = dimmed;
    observers_.notify(c, dimmed);
}

void DimmingModel::SetButtonsDimmed(int scope, bool dim) {
    for (DimControl c : kAlways)
        setDimmed(c, dim);
    if (scope == 0)
        for (DimControl c : kTransfer)
            setDimmed(c, dim);
    if (dim) {
        setDimmed(DimControl::ChangeBaudRateButton, true);
        setDimmed(DimControl::HardwareInfoButton, true);
    }
}

void DimmingModel::setConfirmedConnectionButtons(bool dim) {
    for (DimControl c : kConfirmed)
        setDimmed(c, dim);
}

void DimmingModel::apply(Dimmable group, bool dim) {
    switch (group) {
    case Dimmable::ConfirmedConnectionButtons:
        setConfirmedConnectionButtons(dim);
        break;
    case Dimmable::SensorButtons:
        SetButtonsDimmed(0, dim);
        break;
    case Dimmable::LoopButtons:
        SetButtonsDimmed(1, dim);
        break;
    }
}

} // namespace tavrino::app
