#include "app/record_review.h"

#include "app/session.h"
#include "common/texts.h"
#include "parameters/file_texts.h"
#include "recorder/record_file.h"
#include "recorder/texts.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavrino::app {

namespace rt = recorder::texts;

namespace {

void tell(Session& s, std::string_view text) {
    s.op().message(kInfoTitle.in(s.language()), text);
}

} // namespace

bool openRecordFile(Session& s) {
    // A running recording feeds the panel its live signals.
    if (s.recorder.intervalRecording || s.recorder.triggeredRecording)
        return false;
    const Language language = s.language();
    FileRequest request;
    request.mode = FileRequest::Mode::Open;
    request.startDirectory = directoryOf(s.shell.paths.recorderFile);
    request.filter = recorder::kRecordFileFilter;
    request.title = rt::kSelectFileTitle.str(language);
    const FileChoice choice = s.op().selectFile(request);
    if (!choice.chosen()) {
        tell(s, parameters::file::kNoFileSelected.in(language));
        return false;
    }
    return loadRecordFile(s, choice.path);
}

bool loadRecordFile(Session& s, const std::string& path) {
    std::optional<recorder::RecordColumns> file = recorder::readRecordFile(path);
    if (!file) {
        tellFileNotRead(s.op(), s.language(), path);
        return false;
    }
    if (file->lines() == 0) {
        tell(s, rt::kNoRecordLines.str(s.language()) + path);
        return false;
    }
    const std::size_t skipped = file->skippedLines;
    const std::size_t firstSkipped = file->firstSkippedLine;
    RecordReviewState& review = s.recordReview;
    review.file = std::move(file);
    review.path = path;
    review.cursor = 0;
    review.notify(RecordReviewChange::File);
    s.op().showChildPanel(ChildPanel::SignalGraph);
    if (skipped > 0)
        tell(s, rt::linesSkipped(s.language(), skipped, firstSkipped, path));
    return true;
}

void endRecordReview(Session& s) {
    RecordReviewState& review = s.recordReview;
    if (!review.reviewing())
        return;
    review.file.reset();
    review.path.clear();
    review.cursor = 0;
    review.notify(RecordReviewChange::File);
}

void moveReviewCursor(Session& s, double x) {
    RecordReviewState& review = s.recordReview;
    if (!review.reviewing() || !std::isfinite(x))
        return;
    const double last = static_cast<double>(review.file->lines() - 1);
    const auto line = static_cast<std::size_t>(std::clamp(std::round(x), 0.0, last));
    if (line == review.cursor)
        return;
    review.cursor = line;
    review.notify(RecordReviewChange::Cursor);
}

} // namespace tavrino::app
