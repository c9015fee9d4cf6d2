#pragma once

// Reviewing a record file: OPEN RECORD FILE reads a record file of any
// record mode into the signal graph panel, which shows every signal over the
// file's lines with a cursor on one line. The panel shows the live signals
// again once a recording resets it.

#include "common/observers.h"
#include "recorder/record_reader.h"

#include <cstddef>
#include <optional>
#include <string>

namespace tavrino::app {

class Session;

enum class RecordReviewChange {
    File,   // a file was loaded, or the review ended
    Cursor, // the cursor moved to another line
};

class RecordReviewState : public Notifying<RecordReviewChange> {
public:
    RecordReviewState() = default;
    RecordReviewState(const RecordReviewState&) = delete;
    RecordReviewState& operator=(const RecordReviewState&) = delete;

    // The file in review; nothing while the panel shows the live signals.
    std::optional<recorder::RecordColumns> file;
    std::string path;
    std::size_t cursor = 0; // the line under the cursor, from 0

    [[nodiscard]] bool reviewing() const { return file.has_value(); }
};

// The OPEN RECORD FILE button: the file dialog, starting where the record
// file is, then loadRecordFile. True when a file is in review.
bool openRecordFile(Session& s);
// Reads `path` into the review and brings the signal graph panel to the
// front. A file that cannot be read, or holds no record line, is reported
// and changes nothing; lines that are not record lines are skipped and
// reported in one message after loading.
bool loadRecordFile(Session& s, const std::string& path);
// Back to the live signals; the file's memory is given back.
void endRecordReview(Session& s);
// Puts the cursor on the line nearest to `x` (a line's index).
void moveReviewCursor(Session& s, double x);

} // namespace tavrino::app
