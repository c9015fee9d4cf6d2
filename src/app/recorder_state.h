#pragma once

// The recorder page's model: record mode, interval, number of values, the
// counters and record time it shows, and what the running recording makes
// of its controls. The record file path is the shell's (it is one of the
// remembered paths).

#include "common/observers.h"
#include "recorder/record_time.h"
#include "recorder/recorder_panel.h"

#include <cstdint>

namespace tavrino::app {

enum class RecorderChange {
    Mode,       // the record mode, and with it which controls show (InitRecordPanel)
    Fields,     // interval and number of values
    RecordTime, // days, hours, minutes, seconds
    Counts,     // recorded values, remaining, series count
    Activity,   // a recording started or ended (START and the triggered button red)
};

class RecorderState : public Notifying<RecorderChange> {
public:
    // The fields' ranges. The interval field takes values below the minimum
    // so that CalcRecTime can raise them and show it.
    static constexpr double kIntervalFieldMax = 86400.0;
    static constexpr std::uint16_t kValuesFieldMin = 1;

    RecorderState() = default;
    RecorderState(const RecorderState&) = delete;
    RecorderState& operator=(const RecorderState&) = delete;

    recorder::RecordMode mode = recorder::RecordMode::NumberOfValues;
    double interval = 1.0;             // seconds
    std::uint16_t numberOfValues = 10; // mode 0
    std::uint16_t recordedCount = 0;   // modes 0 and 2
    int remaining = 10;                // mode 0: number of values - recorded count
    double seriesCount = 0;            // modes 1 and 3, from 1 in each run
    recorder::RecordTime recordTime = recorder::splitRecordTime(interval, numberOfValues);

    // An interval recording runs: interval, number of values and START are
    // indicators only, START is red.
    bool intervalRecording = false;
    // A triggered recording runs: its button is red.
    bool triggeredRecording = false;
    // The manual record button is dimmed while its line is written.
    bool manualRecording = false;

    // The command-line tool's -n for modes 1 and 3: the run ends after this
    // many lines. 0 (the page) ends only by the stopping actions.
    double lineLimit = 0;
    // Lines of the current run written to the file, and those that could
    // not be.
    unsigned long writtenLines = 0;
    unsigned long unwrittenLines = 0;

    [[nodiscard]] bool visible(recorder::RecorderControl c) const {
        return recorder::recorderControlVisible(c, mode);
    }
};

} // namespace tavrino::app
