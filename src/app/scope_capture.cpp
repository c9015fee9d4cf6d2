#include "app/scope_capture.h"

#include "app/scope.h"
#include "app/texts.h"
#include "common/texts.h"
#include "recorder/record_file.h"
#include "scope/capture_file.h"
#include "scope/texts.h"

#include <chrono>
#include <cstdio>

namespace tavrino::app {

namespace {

namespace st = scope::texts;
constexpr std::array<std::string_view, 3> kChannelNames{"X", "Y", "Z"};

void tell(Session& s, std::string_view text) {
    s.op().message(kInfoTitle.in(s.language()), text);
}

std::string nowText() {
    const recorder::Timestamp t = recorder::localTimestamp(std::chrono::system_clock::now());
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return buffer.data();
}

// A running scan reads the settings as its frames arrive and then replaces
// the result: a capture may change neither under it.
bool scanBusy(const Session& s) {
    return s.scope.scanning;
}

FileChoice chooseCaptureFile(Session& s, FileRequest::Mode mode) {
    FileRequest request;
    request.mode = mode;
    request.startDirectory = directoryOf(s.shell.paths.recorderFile);
    request.defaultName = scope::kCaptureFileName;
    request.filter = scope::kCaptureFileFilter;
    request.title = st::kCaptureDialogTitle.str(s.language());
    return s.op().selectFile(request);
}

void tellUnread(Session& s, const std::string& path, const scope::CaptureReading& reading) {
    const Language language = s.language();
    if (reading.verdict == scope::CaptureReading::Verdict::Unreadable) {
        tellFileNotRead(s.op(), language, path);
        return;
    }
    const Text& what = reading.verdict == scope::CaptureReading::Verdict::NotACapture ? st::kNotACapture
                                                                                      : st::kBadCaptureLine;
    tell(s, what.str(language) + "\n" + path + ", " + st::kLineLabel.str(language) + " " +
                std::to_string(reading.line));
}

// Everything a scan leaves behind, taken from the capture.
void showCapture(Session& s, scope::Capture capture) {
    ScopeState& sc = s.scope;
    sc.settings = capture.settings;
    setScopeComment(s, capture.comment);
    sc.cycle.cycleMs = capture.cycleMs;
    sc.cycle.frequency = capture.cycleMs > 0.0 ? 1000.0 / capture.cycleMs : 0.0;
    sc.notify(ScopeChange::CycleTime);
    initScopePanel(s);
    sc.result = capture.result;
    sc.hasResult = true;
    sc.notify(ScopeChange::Result);
    s.op().showChildPanel(ChildPanel::Scope);
}

} // namespace

std::array<std::string, 3> scopeTraceNames(const Session& s) {
    const bool colourSpace = s.scope.settings.recordedSignal == scope::kColourSpaceSignal;
    const auto& coordinates = s.parameters.controls.captions().coordinates;
    std::array<std::string, 3> names;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = colourSpace ? coordinates[i] : std::string(kChannelNames[i]);
    return names;
}

scope::CursorStatistics scopeStatistics(const Session& s) {
    return scope::cursorStatistics(s.scope.result, s.scope.x1, s.scope.x2);
}

bool writeScopeCapture(Session& s, const std::string& path) {
    scope::Capture capture;
    capture.date = nowText();
    capture.panelId = s.shell.panelId;
    capture.settings = s.scope.settings;
    capture.cycleMs = s.scope.cycle.cycleMs;
    capture.comment = s.scope.comment;
    capture.result = s.scope.result;
    if (scope::writeCaptureFile(path, capture) == 0)
        return true;
    tell(s, std::string(texts::kFileNotSaved.in(s.language())) + "\n" + path);
    return false;
}

int openScopeCapture(Session& s, const std::string& path) {
    scope::CaptureReading reading = scope::readCaptureFile(path);
    if (reading.verdict != scope::CaptureReading::Verdict::Read) {
        tellUnread(s, path, reading);
        return -1;
    }
    showCapture(s, std::move(reading.capture));
    return 1;
}

void CBF_ButtonSaveCapture(Session& s) {
    if (scanBusy(s))
        return;
    const Language language = s.language();
    if (!s.scope.hasResult) {
        tell(s, st::kNoCapture.in(language));
        return;
    }
    const FileChoice choice = chooseCaptureFile(s, FileRequest::Mode::Save);
    if (!choice.chosen()) {
        tell(s, texts::kNoFileSelected.in(language));
        return;
    }
    if (choice.kind == FileChoice::Kind::Existing &&
        !s.op().confirm(kInfoTitle.in(language), st::kCaptureExists.in(language)))
        return;
    if (writeScopeCapture(s, choice.path))
        tell(s, texts::kFileSaved.in(language));
}

void CBF_ButtonOpenCapture(Session& s) {
    if (scanBusy(s))
        return;
    const FileChoice choice = chooseCaptureFile(s, FileRequest::Mode::Open);
    if (!choice.chosen()) {
        tell(s, texts::kNoFileSelected.in(s.language()));
        return;
    }
    (void)openScopeCapture(s, choice.path);
}

} // namespace tavrino::app
