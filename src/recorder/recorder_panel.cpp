#include "recorder/recorder_panel.h"

#include "recorder/texts.h"

#include <array>

namespace tavrino::recorder {

namespace {

// One row per control, one column per mode: 0 values, 1 continuous,
// 2 manual, 3 triggered.
constexpr std::array<std::array<bool, kRecordModeCount>, kRecorderControlCount> kVisible{{
    {true, true, true, true},    // select-record-file button
    {true, true, true, true},    // record file path
    {true, true, true, true},    // record mode selector
    {true, true, false, false},  // interval
    {true, false, false, false}, // number of values
    {true, false, false, false}, // record time
    {true, false, true, false},  // recorded values
    {true, false, false, false}, // remaining
    {false, true, false, true},  // series count
    {true, true, false, false},  // START
    {true, true, false, true},   // STOP
    {false, false, true, false}, // manual record
    {false, false, false, true}, // triggered record
}};

} // namespace

bool recorderControlVisible(RecorderControl control, RecordMode mode) {
    return kVisible[static_cast<std::size_t>(control)][static_cast<std::size_t>(mode)];
}

const Text* recorderHelp(RecorderControl control) {
    switch (control) {
    case RecorderControl::SelectFile:
        return &texts::kSelectFileHelp;
    case RecorderControl::FilePath:
        return &texts::kFilePathHelp;
    case RecorderControl::Mode:
        return &texts::kModeHelp;
    case RecorderControl::Interval:
        return &texts::kIntervalHelp;
    case RecorderControl::NumberOfValues:
        return &texts::kNumberOfValuesHelp;
    case RecorderControl::RecordTime:
        return &texts::kRecordTimeHelp;
    case RecorderControl::RecordedValues:
        return &texts::kRecordedValuesHelp;
    case RecorderControl::Remaining:
        return &texts::kRemainingHelp;
    case RecorderControl::SeriesCount:
        return nullptr;
    case RecorderControl::Start:
    case RecorderControl::Triggered:
        return &texts::kStartHelp;
    case RecorderControl::Stop:
        return &texts::kStopHelp;
    case RecorderControl::Manual:
        return &texts::kManualHelp;
    }
    return nullptr;
}

} // namespace tavrino::recorder
