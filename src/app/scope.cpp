#include "app/scope.h"

#include "app/connection.h"
#include "link/frame.h"

#include <cmath>
#include <cstring>

namespace tavrino::app {

namespace {

constexpr Text kBadHeader{"ACHTUNG! \nEmpfangener header frame ist ungueltig!",
                          "ATTENTION! \nReceived header frame is incorrect!"};

void sendBreak(Session& s) {
    s.scope.breakPending = false;
    (void)s.link.request(scope::kOrderScan, scope::kArgumentBreak, 0);
}

int sendStart(Session& s) {
    const auto payload = scope::encodeStartRequest(s.scope.settings);
    std::memcpy(s.link.stagingPayload(), payload.data(), payload.size());
    return s.link.request(scope::kOrderScan, scope::kArgumentStart,
                          static_cast<std::uint16_t>(payload.size()));
}

// Receives frame `k` into `out`. 1, 0 broken, -1 failure (reported).
int receiveFrame(Session& s, int k, int& start, scope::ScanResult& out) {
    const auto wait = s.link.protocol() == link::Protocol::TcpIp ? link::SensorLink::PayloadWait::UntilStopped
                                                                 : link::SensorLink::PayloadWait::Limited;
    const int r = s.link.receiveUnsolicited([&s] { return s.flags.scopeRunning == 0; }, wait);
    if (r != 1)
        return r;
    const auto& h = s.link.lastReply();
    const std::size_t expected = scope::framePayloadSize(k);
    // A frame without payload or longer than this frame's record is no frame
    // of this scan; one that stops short is a frame that lacks samples.
    if (h.length == 0 || h.length > expected) {
        s.link.SetTimeout(kBadHeader);
        return -1;
    }
    if (s.link.expectPayload(expected) != 1)
        return -1;
    const auto& set = s.scope.settings;
    if (k == 0)
        start = scope::startPosition(set.triggerMode, set.preTrigger, static_cast<std::int16_t>(h.argument));
    scope::convertFrame(k, s.link.replyPayload(), start, set.recordedSignal, out);
    return 1;
}

int receiveFrames(Session& s, scope::ScanResult& out) {
    int start = 0;
    for (int k = 0; k < scope::kFrames; ++k) {
        const int r = receiveFrame(s, k, start, out);
        if (r != 1)
            return r;
    }
    scope::buildDigitalTraces(out);
    return 1;
}

// The scan fills a buffer of its own: a broken or failed scan leaves the
// plotted one as it was.
scope::ScanResult& pendingResult(Session& s) {
    return s.scope.pending;
}

void setIndicator(Session& s, bool shown) {
    s.scope.indicatorShown = shown;
    s.scope.notify(ScopeChange::Indicator);
}

// Where the first `limit` characters of the UTF-8 `text` end: a cut there
// never splits a character, and an umlaut counts once, not per byte.
std::size_t characterEnd(std::string_view text, std::size_t limit) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && characters++ == limit)
            return i;
    }
    return text.size();
}

void setScanning(Session& s, bool on) {
    s.scope.scanning = on;
    s.scope.notify(ScopeChange::Scanning);
}

} // namespace

int GetScopeData(Session& s) {
    s.scope.breakPending = false;
    setScanning(s, true);
    int r = sendStart(s);
    if (r == 1 && s.scope.breakPending) {
        r = 0; // BREAK during the start exchange: no wait at all
    } else if (r == 1) {
        // The operator must be able to break the wait.
        s.dimming.setDimmed(DimControl::ScopeBreak, false);
        s.flags.scopeRunning = 1;
        r = receiveFrames(s, pendingResult(s));
    }
    setScanning(s, false);
    if (s.scope.breakPending)
        sendBreak(s);
    if (r != 1)
        return r;
    s.scope.result = s.scope.pending;
    s.scope.hasResult = true;
    s.scope.notify(ScopeChange::Result);
    return 1;
}

void BreakDataScan(Session& s) {
    s.flags.scopeRunning = 0;
    if (s.scope.scanning) {
        s.scope.breakPending = true;
        s.link.wakeWaits();
        return;
    }
    sendBreak(s);
}

int GetCycleTime(Session& s) {
    scope::CycleTime t;
    const int r = s.link.requestRecord(scope::kOrderCycleTime, 0, scope::kCycleTimeReplySize);
    if (r == 1) {
        const std::uint8_t* p = s.link.replyPayload();
        t = scope::cycleTimeFromReply(link::readI32(p), link::readI32(p + 4));
    }
    s.scope.cycle = t;
    s.scope.notify(ScopeChange::CycleTime);
    return r;
}

void calcScopDeltaXY(Session& s) {
    auto& sc = s.scope;
    sc.deltaX = scope::deltaXMs(sc.x1, sc.x2, sc.cycle.cycleMs, sc.settings.scanRate);
    sc.deltaY = std::fabs(sc.y1 - sc.y2);
    sc.notify(ScopeChange::Deltas);
}

void initScopePanel(Session& s) {
    const int colourSpace = s.parameters.controls.code(parameters::Control::ColorSpace);
    s.scope.axes = scope::axisSetup(colourSpace, s.scope.settings.recordedSignal);
    s.scope.notify(ScopeChange::Axes);
    // The trigger level field shows the level with the new decimals; the
    // level sent must be the one shown, not the finer one it was rounded from.
    const double shown = scope::roundedToDecimals(s.scope.settings.triggerLevel, s.scope.axes.valueDecimals);
    if (shown != s.scope.settings.triggerLevel) {
        s.scope.settings.triggerLevel = shown;
        s.scope.notify(ScopeChange::Settings);
    }
    calcScopDeltaXY(s);
}

void setScopeSettings(Session& s, const scope::ScanSettings& settings) {
    const scope::ScanSettings before = s.scope.settings;
    s.scope.settings = settings;
    s.scope.notify(ScopeChange::Settings);
    if (settings.recordedSignal != before.recordedSignal)
        initScopePanel(s);
    else if (settings.scanRate != before.scanRate)
        calcScopDeltaXY(s);
}

void setScopeComment(Session& s, std::string_view comment) {
    s.scope.comment = std::string(comment.substr(0, characterEnd(comment, ScopeState::kCommentLimit)));
    s.scope.notify(ScopeChange::Settings);
}

void moveScopeCursors(Session& s, double x1, double y1, double x2, double y2) {
    auto& sc = s.scope;
    sc.x1 = x1;
    sc.y1 = y1;
    sc.x2 = x2;
    sc.y2 = y2;
    calcScopDeltaXY(s);
}

void CBF_ButtonScopeScan(Session& s) {
    // A scan started inside another wait would have its exchange refused.
    if (s.link.exchangeRunning())
        return;
    SetButtonsDimmed(s, 0, true);
    initScopePanel(s);
    setIndicator(s, true);
    s.op().showChildPanel(ChildPanel::Scope);
    (void)GetScopeData(s);
    setIndicator(s, false);
    SetButtonsDimmed(s, 0, false);
}

void CBF_ButtonScopeBreak(Session& s) {
    if (s.scope.scanning) {
        // The scan ends at once and undims the buttons itself; undimming here
        // would let SCAN start again before that scan has returned.
        BreakDataScan(s);
        return;
    }
    SetButtonsDimmed(s, 0, true);
    BreakDataScan(s);
    SetButtonsDimmed(s, 0, false);
}

void CBF_ButtonGetCycleTime(Session& s) {
    if (s.link.exchangeRunning())
        return;
    SetButtonsDimmed(s, 0, true);
    (void)GetCycleTime(s);
    calcScopDeltaXY(s);
    SetButtonsDimmed(s, 0, false);
}

void CBF_ButtonCloseScope(Session& s) {
    s.op().showChildPanel(ChildPanel::MeasurementDisplay);
    s.op().showMainTab(MainTab::SensorParameter);
}

} // namespace tavrino::app
