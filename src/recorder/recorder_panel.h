#pragma once

// The recorder page's record modes and controls: which control each mode
// shows, and each control's help text.

#include "common/language.h"

#include <cstddef>
#include <cstdint>

namespace tavrino::recorder {

enum class RecordMode : std::int16_t {
    NumberOfValues = 0, // a fixed number of lines at the interval
    Continuous = 1,     // lines at the interval until stopped
    Manual = 2,         // one line per press, from the current record
    Triggered = 3,      // one line per frame the sensor sends by itself
};
inline constexpr int kRecordModeCount = 4;

// A stored or chosen mode number; anything outside 0..3 is mode 0.
[[nodiscard]] constexpr RecordMode recordModeFromIndex(int index) {
    return index >= 0 && index < kRecordModeCount ? static_cast<RecordMode>(index)
                                                  : RecordMode::NumberOfValues;
}

enum class RecorderControl : std::uint8_t {
    SelectFile,
    FilePath,
    Mode,
    Interval,
    NumberOfValues,
    RecordTime, // days, hours, minutes, seconds
    RecordedValues,
    Remaining,
    SeriesCount,
    Start,
    Stop,
    Manual,
    Triggered,
};
inline constexpr std::size_t kRecorderControlCount = 13;

// InitRecordPanel: whether `control` is shown in `mode`.
[[nodiscard]] bool recorderControlVisible(RecorderControl control, RecordMode mode);

// The control's right-click help; nullptr for the series count, which has
// none.
[[nodiscard]] const Text* recorderHelp(RecorderControl control);

} // namespace tavrino::recorder
