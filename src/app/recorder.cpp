#include "app/recorder.h"

#include "app/connection.h"
#include "app/live_measurement.h"
#include "link/orders.h"
#include "measurement/fetch.h"
#include "parameters/file_texts.h"
#include "recorder/record_file.h"
#include "recorder/texts.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <chrono>

namespace tavrino::app {

namespace {

namespace rt = recorder::texts;
using recorder::RecordMode;

void tell(Session& s, std::string_view text) {
    s.op().message(kInfoTitle.in(s.language()), text);
}

void tell(Session& s, const Text& text) {
    tell(s, text.in(s.language()));
}

bool ask(Session& s, const Text& question) {
    return s.op().confirm(kInfoTitle.in(s.language()), question.in(s.language()));
}

// One of the recorder's activity flags (START red, triggered button red,
// manual button dimmed) set for as long as it lives.
class Activity {
public:
    Activity(RecorderState& recorder, bool RecorderState::*flag) : recorder_(recorder), flag_(flag) {
        set(true);
    }
    ~Activity() { set(false); }
    Activity(const Activity&) = delete;
    Activity& operator=(const Activity&) = delete;

private:
    void set(bool on) {
        recorder_.*flag_ = on;
        recorder_.notify(RecorderChange::Activity);
    }
    RecorderState& recorder_;
    bool RecorderState::*flag_;
};

// A recording shows its live signals, also where a file was in review.
void resetSignalGraph(Session& s) {
    endRecordReview(s);
    s.graphs().InitPanelGraph();
}

// The measurement display, the graphs and the signal graph panel follow a
// recorded frame.
void showRecordedFrame(Session& s) {
    SetPanelData(s);
    s.graphs().ShowGraph();
    s.graphs().SetPanelGraphData();
}

// "File could not be saved!" and the file.
void tellNotSaved(Session& s, const std::string& path) {
    tell(s, std::string(parameters::file::kFileNotSaved.in(s.language())) + "\n" + path);
}

void tellLinesNotWritten(Session& s) {
    tell(s, rt::linesNotWritten(s.language(), s.recorder.unwrittenLines, s.shell.paths.recorderFile));
}

// The end of every run: "File has been saved!" when the run ended as the
// operator or its count ended it and every line went into the file.
// Otherwise that would claim more than the file got: a run that a
// communication failure ended says how many lines it wrote, and lost lines
// are counted.
void tellRecordingEnd(Session& s, bool endedByFailure) {
    const RecorderState& r = s.recorder;
    if (!endedByFailure) {
        if (r.unwrittenLines == 0)
            tell(s, rt::kFileSaved);
        else
            tellLinesNotWritten(s);
        return;
    }
    const std::string& path = s.shell.paths.recorderFile;
    std::string text = rt::recordingBroken(s.language(), r.writtenLines, path);
    if (r.unwrittenLines > 0)
        text += "\n\n" + rt::linesNotWritten(s.language(), r.unwrittenLines, path);
    tell(s, text);
}

// The counting at the end of each interval cycle, whether its exchange
// succeeded or not.
void countCycle(Session& s) {
    RecorderState& r = s.recorder;
    if (r.mode == RecordMode::NumberOfValues) {
        ++r.recordedCount;
        r.remaining = static_cast<int>(r.numberOfValues) - static_cast<int>(r.recordedCount);
        if (r.recordedCount >= r.numberOfValues)
            s.flags.running = 0;
    } else if (r.mode == RecordMode::Continuous) {
        r.seriesCount += 1;
        if (r.lineLimit > 0 && r.seriesCount >= r.lineLimit)
            s.flags.running = 0;
    }
    r.notify(RecorderChange::Counts);
}

// One frame the sensor sent by itself, now the link's last reply. False when
// it stopped short of a measurement (reported).
bool recordStreamedFrame(Session& s) {
    // A frame without payload carries no measurement to record.
    if (s.link.lastReply().length == 0)
        return true;
    if (s.link.expectPayload(measurement::kPayloadSize) != 1)
        return false;
    RecorderState& r = s.recorder;
    measurement::acceptFrame(s.live.record, s.link.replyPayload(), s.link.lastReply().length, true);
    r.seriesCount += 1;
    if (r.lineLimit > 0 && r.seriesCount >= r.lineLimit)
        s.flags.running = 0;
    showRecordedFrame(s);
    ToFile(s);
    r.notify(RecorderChange::Counts);
    return true;
}

bool linkOpen(const Session& s) {
    return s.link.protocol() == link::Protocol::TcpIp ? s.link.tcpConnected() : s.link.serialOpen();
}

// StopAutoSend after every end of the triggered loop. After a failure that
// ended it (the start refused, the line broken) the stop still goes out, as
// the sensor may have begun sending; its own failure would only repeat the
// report.
int stopAfterRecording(Session& s, int recorded) {
    if (recorded >= 0)
        return StopAutoSend(s);
    const link::SensorLink::FailureAlreadyReported reported(s.link);
    return StopAutoSend(s);
}

} // namespace

// ---------------------------------------------------------------- the file

bool SelRecFile(Session& s) {
    const Language language = s.language();
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.startDirectory = directoryOf(s.shell.paths.recorderFile);
    request.defaultName = recorder::kRecordFileName;
    request.filter = recorder::kRecordFileFilter;
    request.title = rt::kSelectFileTitle.str(language);
    const FileChoice choice = s.op().selectFile(request);
    if (!choice.chosen()) {
        tell(s, parameters::file::kNoFileSelected);
        return false;
    }
    if (choice.kind == FileChoice::Kind::Existing) {
        if (!ask(s, rt::kFileExists))
            return false;
        tell(s, rt::kFileInUse);
    }
    s.shell.paths.recorderFile = choice.path;
    s.shell.notify(ShellChange::Paths);
    return WriteFileHeader(s);
}

bool WriteFileHeader(Session& s) {
    const auto colourSpace =
        static_cast<std::uint16_t>(s.parameters.controls.code(parameters::Control::ColorSpace));
    const std::string& path = s.shell.paths.recorderFile;
    if (recorder::writeNewRecordFile(path,
                                     recorder::recordHeader(s.language(), s.shell.panelId, colourSpace)))
        return true;
    // Every later line would be lost as well: the operator hears of it now.
    tellNotSaved(s, path);
    return false;
}

bool AppendToRecFile(Session& s, const std::string& path) {
    // Nothing appended yet: only whether the file would take lines at all,
    // so that a recording never starts into a file that loses every line.
    if (!recorder::appendToRecordFile(path, {})) {
        tellNotSaved(s, path);
        return false;
    }
    s.shell.paths.recorderFile = path;
    s.shell.notify(ShellChange::Paths);
    return true;
}

void ToFile(Session& s) {
    const std::string line =
        recorder::recordLine(s.live.record, recorder::localTimestamp(std::chrono::system_clock::now()));
    if (recorder::appendToRecordFile(s.shell.paths.recorderFile, line))
        ++s.recorder.writtenLines;
    else
        ++s.recorder.unwrittenLines;
}

// ---------------------------------------------------------------- the page

void CalcRecTime(Session& s) {
    RecorderState& r = s.recorder;
    r.recordedCount = 0;
    r.remaining = r.numberOfValues;
    const double usable = recorder::usableInterval(r.interval);
    if (usable != r.interval) {
        r.interval = usable;
        r.notify(RecorderChange::Fields);
    }
    r.recordTime = recorder::splitRecordTime(r.interval, r.numberOfValues);
    r.notify(RecorderChange::RecordTime);
    r.notify(RecorderChange::Counts);
}

void InitRecordPanel(Session& s) {
    s.recorder.notify(RecorderChange::Mode);
}

void recorderPageShown(Session& s) {
    InitRecordPanel(s);
    if (s.recorder.mode == RecordMode::NumberOfValues)
        CalcRecTime(s);
}

void CBF_RingRecordMode(Session& s, RecordMode mode) {
    CBF_ButtonRecordStop(s);
    RecorderState& r = s.recorder;
    r.mode = mode;
    if (mode == RecordMode::Manual) {
        r.recordedCount = 0;
        r.notify(RecorderChange::Counts);
    }
    if (mode == RecordMode::NumberOfValues)
        CalcRecTime(s);
    resetSignalGraph(s);
    InitRecordPanel(s);
}

void CBF_NumericRecordInterval(Session& s, double seconds) {
    s.recorder.interval = seconds;
    s.recorder.notify(RecorderChange::Fields);
    CalcRecTime(s);
}

void CBF_NumericRecordValues(Session& s, std::uint16_t values) {
    s.recorder.numberOfValues = std::max(values, RecorderState::kValuesFieldMin);
    s.recorder.notify(RecorderChange::Fields);
    CalcRecTime(s);
}

void showRecorderHelp(Session& s, recorder::RecorderControl c) {
    if (const Text* text = recorder::recorderHelp(c))
        tell(s, *text);
}

// ---------------------------------------------------------------- modes 0 and 1

int Record(Session& s) {
    if (!ask(s, rt::kRightFile))
        return 0;
    tell(s, rt::kFileInUse);
    int result = 0;
    {
        const Activity red(s.recorder, &RecorderState::intervalRecording);
        result = RecordFrame(s);
        tellRecordingEnd(s, result < 0);
    }
    return result;
}

int RecordFrame(Session& s) {
    RecorderState& r = s.recorder;
    s.flags.running = 1;
    CalcRecTime(s);
    r.seriesCount = 0;
    r.writtenLines = 0;
    r.unwrittenLines = 0;
    r.notify(RecorderChange::Counts);
    const std::chrono::nanoseconds period = recorder::intervalDuration(r.interval);
    const auto stopped = [&s] { return s.flags.running != 1; };
    const std::uint64_t failuresBefore = s.link.failureCount();
    int result = 1;
    while (s.flags.running == 1) {
        // The interval runs from the start of the request.
        const QDeadlineTimer cycleEnd(period, Qt::PreciseTimer);
        if (measurement::fetchFrame(s.link, s.live.record, true) == 1) {
            showRecordedFrame(s);
            ToFile(s);
        } else {
            result = -1;
            // A failed exchange has cleared the flag; a refused one (another
            // exchange waits) would be refused again on every cycle.
            s.flags.running = 0;
        }
        countCycle(s);
        if (s.flags.running != 1)
            break;
        s.link.pause(cycleEnd, stopped);
    }
    // Also a failure between two requests (the connection lost while
    // waiting for the next cycle) ended the recording.
    return s.link.failureCount() == failuresBefore ? result : -1;
}

int recordAtInterval(Session& s) {
    // A callback nested in a waiting exchange or in a running recording.
    if (s.link.exchangeRunning() || s.recorder.intervalRecording || s.recorder.triggeredRecording)
        return 0;
    const ButtonsDimmed dimmed(s);
    resetSignalGraph(s);
    return Record(s);
}

// ---------------------------------------------------------------- mode 2

void RecordManually(Session& s) {
    RecorderState& r = s.recorder;
    r.writtenLines = 0;
    r.unwrittenLines = 0;
    showRecordedFrame(s);
    ToFile(s);
    ++r.recordedCount;
    r.notify(RecorderChange::Counts);
    if (r.unwrittenLines > 0)
        tellLinesNotWritten(s);
}

// ---------------------------------------------------------------- mode 3

int TriggeredRecord(Session& s) {
    RecorderState& r = s.recorder;
    r.writtenLines = 0;
    r.unwrittenLines = 0;
    // Set before the start request, so that a stop during it still counts.
    s.flags.running = 1;
    if (s.link.request(link::order::AutoSend, 1) != 1) {
        s.flags.running = 0;
        return -1;
    }
    r.seriesCount = 0;
    r.notify(RecorderChange::Counts);
    const auto stopped = [&s] { return s.flags.running != 1; };
    while (s.flags.running == 1) {
        const int got = s.link.receiveUnsolicited(stopped);
        if (got == 0)
            break;
        if (got != 1 || !recordStreamedFrame(s)) {
            s.flags.running = 0;
            return -1;
        }
    }
    return 1;
}

int StopAutoSend(Session& s) {
    // Over a line that is gone nothing can carry the stop; the failure that
    // closed it has been reported.
    if (!linkOpen(s))
        return -1;
    // The recording ended with its loop: frames the sensor sent before it
    // took the stop are read so that the next exchange finds its own reply,
    // and dropped.
    return s.link.requestPastStream(link::order::AutoSend, 0, link::order::Measure, [] {});
}

int recordTriggered(Session& s) {
    if (s.link.exchangeRunning() || s.recorder.intervalRecording || s.recorder.triggeredRecording)
        return 0;
    if (!ask(s, rt::kRightFile))
        return 0;
    const ButtonsDimmed dimmed(s);
    tell(s, rt::kFileInUse);
    const Activity red(s.recorder, &RecorderState::triggeredRecording);
    resetSignalGraph(s);
    const int result = TriggeredRecord(s);
    const int stopped = stopAfterRecording(s, result);
    tellRecordingEnd(s, result < 0);
    // A sensor that did not take the stop may still be sending.
    return stopped == 1 ? result : -1;
}

// ---------------------------------------------------------------- buttons

void CBF_ButtonSelRecFile(Session& s) {
    SelRecFile(s);
}

void CBF_ButtonRecordStart(Session& s) {
    recordAtInterval(s);
}

void CBF_ButtonRecordStop(Session& s) {
    s.flags.running = 0;
    s.link.wakeWaits();
}

void CBF_ButtonTriggeredRecord(Session& s) {
    recordTriggered(s);
}

void CBF_ButtonManualRecord(Session& s) {
    if (s.recorder.manualRecording)
        return;
    const Activity dimmed(s.recorder, &RecorderState::manualRecording);
    RecordManually(s);
}

} // namespace tavrino::app
