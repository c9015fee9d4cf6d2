#include "app/table_settings.h"

#include "link/orders.h"
#include "parameters/texts.h"
#include "teach/texts.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tavrino::app {

namespace {

// The exchange buttons (SetButtonsDimmed(0, ...)) and the page's own two
// dimmed while a table settings exchange runs.
class TableExchangeScope {
public:
    explicit TableExchangeScope(Session& s) : s_(s) {
        s_.op().setDimmed(Dimmable::SensorButtons, true);
        setBusy(true);
    }
    ~TableExchangeScope() {
        s_.op().setDimmed(Dimmable::SensorButtons, false);
        setBusy(false);
    }
    TableExchangeScope(const TableExchangeScope&) = delete;
    TableExchangeScope& operator=(const TableExchangeScope&) = delete;

private:
    void setBusy(bool busy) {
        s_.tableSettings.busy = busy;
        s_.tableSettings.notify(TableSettingsChange::Busy);
    }
    Session& s_;
};

void setPending(Session& s, bool TableSettingsState::*pending) {
    s.tableSettings.*pending = true;
    s.tableSettings.busy = true;
    s.tableSettings.notify(TableSettingsChange::Busy);
}

void paintAll(Session& s) {
    teach::paintRowColours(s.rowColours, s.parameters.teachTable);
    s.graphs().InitGraphs();
}

} // namespace

void InitSrcPanel(Session& s, int mode) {
    const int m = mode == TableSettingsState::kAutomatic ? mode : TableSettingsState::kManual;
    if (s.tableSettings.rowColourMode == m)
        return;
    s.tableSettings.rowColourMode = m;
    s.tableSettings.notify(TableSettingsChange::Mode);
}

void selectRow(Session& s, int row) {
    s.tableSettings.selectedRow = std::clamp(row, 0, teach::kRows - 1);
    s.tableSettings.notify(TableSettingsChange::Selection);
}

void selectColour(Session& s, std::int32_t colour) {
    s.tableSettings.selectedColour = teach::clampColour(colour);
    s.tableSettings.notify(TableSettingsChange::Selection);
}

void SetRowColor(Session& s) {
    teach::paintRowColour(s.rowColours, s.parameters.teachTable, s.tableSettings.selectedRow,
                          s.tableSettings.selectedColour);
    s.graphs().InitGraphs();
}

bool CBF_ButtonTableAttrReset(Session& s) {
    if (!s.op().confirm(kInfoTitle.in(s.language()), parameters::texts::kResetTableQuestion.in(s.language())))
        return false;
    s.rowColours.reset();
    paintAll(s);
    return true;
}

teach::TableFileResult SaveTableSettingsToFile(Session& s) {
    const auto result =
        teach::SaveTableSettingsToFile(s.op(), s.language(), s.rowColours, s.shell.paths.tableAttributesFile);
    s.shell.notify(ShellChange::Paths);
    return result;
}

teach::TableFileResult GetTableSettingsFromFile(Session& s) {
    const auto result = teach::GetTableSettingsFromFile(s.op(), s.language(), s.rowColours,
                                                        s.shell.paths.tableAttributesFile);
    s.shell.notify(ShellChange::Paths);
    if (result == teach::TableFileResult::Read)
        paintAll(s);
    return result;
}

int SaveTableSettingsToEE(Session& s) {
    const teach::TableSettingsBlock block = teach::encodeTableSettingsBlock(s.rowColours);
    if (s.link.request(link::order::TableSettingsPrepare, link::kTableSettingsArea, 0) != 1)
        return -1;
    std::memcpy(s.link.stagingPayload(), block.data(), block.size());
    if (s.link.request(link::order::TableSettingsWrite, link::kTableSettingsArea,
                       static_cast<std::uint16_t>(block.size())) != 1)
        return -1;
    s.op().message(kInfoTitle.in(s.language()), teach::texts::kSentToSensor.in(s.language()));
    return 1;
}

int GetTableSettingsFromEE(Session& s) {
    link::writeU16(s.link.stagingPayload(), link::kTableSettingsValue);
    if (s.link.requestRecord(link::order::TableSettingsRead, link::kTableSettingsArea,
                             teach::kTableSettingsBlockSize, 2) != 1)
        return -1;
    const auto rows = teach::decodeTableSettingsBlock(s.link.replyPayload(), s.link.lastReply().length);
    for (int row = 0; row < teach::kRows; ++row) {
        const teach::TableSettingsRow& r = rows[static_cast<std::size_t>(row)];
        teach::paintRowColour(s.rowColours, s.parameters.teachTable, row, r.colour);
        s.rowColours.setSpecification(row, r.specification);
    }
    s.graphs().InitGraphs();
    return 1;
}

int CBF_ButtonSaveTableSettingsToEE(Session& s) {
    if (s.flags.running != 0) {
        setPending(s, &TableSettingsState::savePending);
        return 0;
    }
    TableExchangeScope scope(s);
    return SaveTableSettingsToEE(s);
}

int CBF_ButtonGetTableSettingsFromEE(Session& s) {
    if (s.flags.running != 0) {
        setPending(s, &TableSettingsState::getPending);
        return 0;
    }
    TableExchangeScope scope(s);
    return GetTableSettingsFromEE(s);
}

void serveTableSettingsRequests(Session& s) {
    TableSettingsState& t = s.tableSettings;
    if (!t.savePending && !t.getPending)
        return;
    const bool save = std::exchange(t.savePending, false);
    const bool get = std::exchange(t.getPending, false);
    // After a failure the link is down: the second request would only fail again.
    const int result = save ? SaveTableSettingsToEE(s) : 1;
    if (get && result == 1)
        GetTableSettingsFromEE(s);
    t.busy = false;
    t.notify(TableSettingsChange::Busy);
}

void finishTableSettingsRequests(Session& s) {
    TableSettingsState& t = s.tableSettings;
    if (!t.savePending && !t.getPending)
        return;
    // The loop stopped before it reached them. Served now unless the link
    // failed (the failure handler clears the connected flag), which would
    // only fail and be reported again.
    if (s.flags.sensorConnected != 0 && !s.link.exchangeRunning()) {
        serveTableSettingsRequests(s);
        return;
    }
    t.savePending = false;
    t.getPending = false;
    t.busy = false;
    t.notify(TableSettingsChange::Busy);
}

} // namespace tavrino::app
