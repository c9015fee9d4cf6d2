#pragma once

// The recorder: the record file selection and header, the record time, the
// interval loop (modes 0 and 1), manual lines (mode 2) and the triggered
// loop (mode 3), and the recorder page's callbacks. The desktop program's
// buttons and the command-line tool's record command call these.
//
// Everything runs on the one UI thread. The loops run inside their button's
// callback; between requests (interval) and while frames are awaited
// (triggered) a local event loop runs, so STOP, tab switches, the close box
// and the failure handler clear the running flag, and the loop ends after
// its current cycle.

#include "app/session.h"
#include "recorder/recorder_panel.h"

namespace tavrino::app {

// The file dialog, the questions and the header. True when a file was taken
// and its header written.
bool SelRecFile(Session& s);
// Opens the record file, writes the header with the COLOR SPACE of the
// sensor parameter page now; the operator hears of a failure.
bool WriteFileHeader(Session& s);
// Takes the existing file at `path` as the record file to add lines to (no
// header). False, and the operator told, when it cannot take lines: it is not
// a regular file (a FIFO, a device, a directory) or it is read-only.
bool AppendToRecFile(Session& s, const std::string& path);
// One record line from the current measurement record; a line that could
// not be written is counted in the recorder's unwrittenLines.
void ToFile(Session& s);
// Counters reset, interval raised to the minimum (and shown), record time.
void CalcRecTime(Session& s);
// The page shows the controls of the current record mode.
void InitRecordPanel(Session& s);

// START (modes 0 and 1): the question, the file-in-use message, the loop and
// "File has been saved!" (or how many lines were written after a failure,
// or lost). 1 done, 0 the operator answered No, -1 an exchange failed
// (reported by the link).
int Record(Session& s);
// The interval loop; 1, or -1 when an exchange failed.
int RecordFrame(Session& s);
// Mode 2: the current record as one line, no request.
void RecordManually(Session& s);
// The loop of mode 3 after order 30 argument 1; 1, or -1 on a failure.
int TriggeredRecord(Session& s);
// Order 30 argument 0, reading past the frames still on their way. They
// came after the recording ended and are not recorded. 1, or -1 when the
// stop could not be sent or failed: the sensor may still be sending.
int StopAutoSend(Session& s);

// The START button: dims the sensor buttons, resets the signal graph panel,
// Record, undims. Results as Record.
int recordAtInterval(Session& s);
// The triggered record button: the question, dimming, TriggeredRecord, the
// stop of the automatic sending after every end, the closing message.
// Results as Record; -1 also when the stop failed.
int recordTriggered(Session& s);

void CBF_ButtonSelRecFile(Session& s);
void CBF_ButtonRecordStart(Session& s);
// STOP: clears the running flag; the recording ends after its current cycle.
void CBF_ButtonRecordStop(Session& s);
void CBF_ButtonTriggeredRecord(Session& s);
void CBF_ButtonManualRecord(Session& s);
void CBF_RingRecordMode(Session& s, recorder::RecordMode mode);
void CBF_NumericRecordInterval(Session& s, double seconds);
void CBF_NumericRecordValues(Session& s, std::uint16_t values);

// The recorder page came to the front: its layout, and in mode 0 the record
// time.
void recorderPageShown(Session& s);

// Right click on a control of the recorder page.
void showRecorderHelp(Session& s, recorder::RecorderControl c);

} // namespace tavrino::app
