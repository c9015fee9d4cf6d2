#include "app/calibration.h"

#include "app/connection.h"
#include "calibration/factors.h"
#include "calibration/sensor_data.h"
#include "calibration/texts.h"
#include "common/texts.h"
#include "link/orders.h"
#include "parameters/parameter_set.h"

#include <cstring>
#include <filesystem>
#include <span>
#include <utility>
#include <vector>

namespace tavrino::app {

namespace {

namespace c = calibration;
namespace word = parameters::word;
namespace order = link::order;
using c::CalibFile;

void tell(Session& s, std::string_view text) {
    s.op().message(kInfoTitle.in(s.language()), text);
}
void tell(Session& s, const Text& text) {
    tell(s, text.in(s.language()));
}
bool ask(Session& s, const Text& text, const Text& title = kInfoTitle) {
    return s.op().confirm(title.in(s.language()), text.in(s.language()));
}

void changed(Session& s, CalibrationChange what) {
    s.calibration.notify(what);
}

// Table groups coloured while a question, load or save runs; restored on leaving.
class Tinted {
public:
    Tinted(Session& s, std::vector<CalibGroup> groups, CalibTint tint) : s_(s), groups_(std::move(groups)) {
        set(tint);
    }
    ~Tinted() { set(CalibTint::Normal); }
    Tinted(const Tinted&) = delete;
    Tinted& operator=(const Tinted&) = delete;

private:
    void set(CalibTint tint) {
        for (CalibGroup g : groups_)
            s_.calibration.tint[static_cast<std::size_t>(g)] = tint;
        changed(s_, CalibrationChange::Tint);
    }
    Session& s_;
    std::vector<CalibGroup> groups_;
};

c::RawTriple liveRaw(const Session& s) {
    const auto& r = s.live.record;
    return {static_cast<std::uint16_t>(r.rawX), static_cast<std::uint16_t>(r.rawY),
            static_cast<std::uint16_t>(r.rawZ)};
}

// "%s\n%d%s\n\n" on the connection page's log, which is shown.
void replyNotice(Session& s, const Text& notice) {
    const std::uint16_t count = s.link.lastReply().argument;
    if (count == 0)
        return;
    s.op().showMainTab(MainTab::Connection);
    std::string text(kInfoTitle.in(s.language()));
    text += '\n' + std::to_string(count) + std::string(notice.in(s.language())) + "\n\n";
    s.op().appendConnectionLog(text);
}

int sendPayload(Session& s, int order, std::uint16_t argument, const std::vector<std::uint8_t>& bytes) {
    std::memcpy(s.link.stagingPayload(), bytes.data(), bytes.size());
    return s.link.request(order, argument, static_cast<std::uint16_t>(bytes.size()));
}

std::span<const std::uint8_t> reply(const Session& s) {
    return {s.link.replyPayload(), s.link.lastReply().length};
}

std::array<std::uint16_t, 16> blockParameterWords(Session& s) {
    parameters::GetPanelValues(s.parameters.controls, s.parameters.teachTable, s.parameters.set);
    const auto& w = s.parameters.set.words;
    std::array<std::uint16_t, 16> out{w[word::Power], w[word::Gain], w[word::Integral1], w[word::Integral2]};
    for (std::size_t i = 0; i < 6; ++i)
        out[4 + i] = w[word::DoublePower1 + i];
    for (std::size_t i = 0; i < 6; ++i)
        out[10 + i] = w[word::CorrectionX + i];
    return out;
}

std::string& rememberedPath(Session& s, CalibFile file) {
    switch (file) {
    case CalibFile::Reference:
        return s.shell.paths.calibrationReferenceValueFile;
    case CalibFile::SetValues:
        return s.shell.paths.calibrationSetvaluesFile;
    case CalibFile::ActualValues:
        break;
    }
    return s.shell.paths.calibrationActualValueFile;
}

std::vector<CalibGroup> groupsOf(CalibFile file) {
    switch (file) {
    case CalibFile::Reference:
        return {CalibGroup::Reference};
    case CalibFile::SetValues:
        return {CalibGroup::SetValues};
    case CalibFile::ActualValues:
        break;
    }
    return {CalibGroup::ActualValues};
}

std::optional<FileChoice> chooseFile(Session& s, CalibFile file, FileRequest::Mode mode,
                                     const std::optional<std::string>& path) {
    if (path) {
        std::error_code ec;
        const bool exists = std::filesystem::is_regular_file(*path, ec);
        return FileChoice{exists ? FileChoice::Kind::Existing : FileChoice::Kind::New, *path};
    }
    const c::CalibFileKind& kind = c::kindOf(file);
    FileRequest request;
    request.mode = mode;
    request.startDirectory = directoryOf(rememberedPath(s, file));
    request.defaultName = std::string(kind.defaultName);
    request.filter = "*.ini";
    request.title = (mode == FileRequest::Mode::Open ? kind.loadTitle : kind.saveTitle).str(s.language());
    return s.op().selectFile(request);
}

void remember(Session& s, CalibFile file, const std::string& path) {
    rememberedPath(s, file) = path;
    s.shell.notify(ShellChange::Paths);
}

// The marker and version questions; false (told) when one was declined.
bool headerAccepted(Session& s, IniDocument& ini, CalibFile file) {
    const c::HeaderCheck h = c::checkHeader(ini, file);
    if ((!h.markerMatches && !ask(s, c::kindOf(file).wrongMarker)) ||
        (!h.versionMatches && !ask(s, c::kWrongVersion))) {
        tell(s, c::kNoParameterRead);
        return false;
    }
    return true;
}

void afterLoad(Session& s, CalibFile file) {
    InitCalibPanel(s);
    CalcXYZfromSetvalue(s);
    if (file == CalibFile::Reference)
        CalcXnYnZn(s);
}

} // namespace

// ---- computations on the tables -------------------------------------------------

void InitCalibPanel(Session& s) {
    changed(s, CalibrationChange::Headings);
}

void CalcXYZfromSetvalue(Session& s) {
    c::convertSetValues(s.calibration.tables);
    changed(s, CalibrationChange::Tables);
}

void CalcXnYnZn(Session& s) {
    auto& t = s.calibration.tables;
    const c::WhitePoint w = c::CalcXnYnZn(t.referenceXyz, t.referenceActual);
    t.whitePoint = w.stored;
    changed(s, CalibrationChange::Tables);
    if (const auto message = w.message()) {
        Tinted red(s, {CalibGroup::WhitePoint}, CalibTint::Asking);
        tell(s, *message);
    }
}

void CalcCF(Session& s) {
    const c::FactorResult r = c::CalcCF(s.calibration.tables);
    changed(s, CalibrationChange::Tables);
    if (const auto message = r.message(s.language()))
        tell(s, *message);
}

int SendCalibrationData(Session& s, std::uint16_t slot) {
    auto& t = s.calibration.tables;
    const c::CalibrationBlock block = c::blockFor(blockParameterWords(s), t);
    if (sendPayload(s, order::SendCalibration, slot, c::encodeTable(t.actual)) != 1)
        return -1;
    replyNotice(s, c::kEepromNotice);
    if (sendPayload(s, order::SendCalibration, static_cast<std::uint16_t>(slot + 1),
                    c::encodeFactorsAndBlock(t.factors, block)) != 1)
        return -1;
    replyNotice(s, c::kEepromNotice);
    return 1;
}

int ReadCalibrationData(Session& s, std::uint16_t slot) {
    auto& sensor = s.calibration.tables.sensor;
    if (s.link.requestRecord(order::ReadCalibration, slot, c::kTableBytes) != 1)
        return -1;
    sensor.values = c::decodeTable(reply(s));
    changed(s, CalibrationChange::SensorData);
    if (s.link.requestRecord(order::ReadCalibration, static_cast<std::uint16_t>(slot + 1),
                             c::kFactorsAndBlockBytes) != 1)
        return -1;
    const c::FactorsAndBlock fb = c::decodeFactorsAndBlock(reply(s));
    sensor.factors = fb.factors;
    sensor.block = fb.block;
    changed(s, CalibrationChange::SensorData);
    return 1;
}

int confirmAndSendCalibration(Session& s, std::uint16_t slot) {
    const Text& title = slot == c::kFactorySlot ? c::kFactoryCalibrationTitle : c::kUserCalibrationTitle;
    if (!ask(s, c::kSendCalibrationQuestion, title))
        return 0;
    return SendCalibrationData(s, slot);
}

// ---- controls ---------------------------------------------------------------------

void showCalibPage(Session& s, CalibPage page) {
    s.calibration.page = page;
    changed(s, CalibrationChange::Page);
}

namespace {
void selectorCommitted(Session& s, CalibPage page) {
    showCalibPage(s, page);
    changed(s, CalibrationChange::Tables);
    InitCalibPanel(s);
    CalcXYZfromSetvalue(s);
}
} // namespace

void referenceSpaceCommitted(Session& s, std::uint16_t space) {
    s.calibration.tables.referenceSpace = space;
    selectorCommitted(s, CalibPage::Reference);
}

void setValueSpaceCommitted(Session& s, std::uint16_t space) {
    s.calibration.tables.setValueSpace = space;
    selectorCommitted(s, CalibPage::SetValue);
}

void rowsCommitted(Session& s, int rows) {
    s.calibration.tables.rows = c::clampRows(rows);
    selectorCommitted(s, CalibPage::SetValue);
}

void rowNoCommitted(Session& s, int rowNo) {
    s.calibration.tables.rowNo = c::clampRowNo(rowNo);
    changed(s, CalibrationChange::Tables);
}

void autoAdvanceCommitted(Session& s, bool on) {
    s.calibration.tables.autoAdvance = on;
    changed(s, CalibrationChange::Tables);
}

void referenceSetValueEdited(Session& s, std::size_t column, double value) {
    s.calibration.tables.referenceSetValue.at(column) = value;
    CalcXYZfromSetvalue(s);
    CalcXnYnZn(s);
}

void referenceActualEdited(Session& s, std::size_t column, std::uint16_t value) {
    s.calibration.tables.referenceActual.at(column) = value;
    CalcXnYnZn(s);
}

void setValueEdited(Session& s, std::size_t row, std::size_t column, double value) {
    s.calibration.tables.setValues.at(row).at(column) = value;
    CalcXYZfromSetvalue(s);
}

void actualValueEdited(Session& s, std::size_t row, std::size_t column, std::uint16_t value) {
    s.calibration.tables.actual.at(row).at(column) = value;
    changed(s, CalibrationChange::Tables);
}

void assignReferenceButton(Session& s) {
    showCalibPage(s, CalibPage::Reference);
    if (!ask(s, c::kAssignReferenceQuestion))
        return;
    s.calibration.tables.referenceActual = liveRaw(s);
    CalcXnYnZn(s);
}

void assignToRowButton(Session& s) {
    showCalibPage(s, CalibPage::SetValue);
    c::assignToRow(s.calibration.tables, liveRaw(s));
    changed(s, CalibrationChange::Tables);
}

void resetReferenceButton(Session& s) {
    bool yes = false;
    {
        Tinted red(s, {CalibGroup::Reference, CalibGroup::WhitePoint}, CalibTint::Asking);
        yes = ask(s, c::kResetReferenceQuestion);
    }
    if (!yes)
        return;
    c::resetReference(s.calibration.tables);
    changed(s, CalibrationChange::Tables);
    InitCalibPanel(s);
}

void resetSetValuesButton(Session& s) {
    bool yes = false;
    {
        Tinted red(s, {CalibGroup::SetValues}, CalibTint::Asking);
        yes = ask(s, c::kResetSetValuesQuestion);
    }
    if (!yes)
        return;
    c::resetSetValues(s.calibration.tables);
    changed(s, CalibrationChange::Tables);
}

void resetActualValuesButton(Session& s) {
    bool yes = false;
    {
        Tinted red(s, {CalibGroup::ActualValues, CalibGroup::Factors}, CalibTint::Asking);
        yes = ask(s, c::kResetActualQuestion);
    }
    if (!yes)
        return;
    c::resetActualValues(s.calibration.tables);
    changed(s, CalibrationChange::Tables);
}

void calculateFactorsButton(Session& s) {
    showCalibPage(s, CalibPage::SetValue);
    CalcCF(s);
}

void sendCalibrationButton(Session& s) {
    ButtonsDimmed dimmed(s);
    showCalibPage(s, CalibPage::SetValue);
    confirmAndSendCalibration(s, c::kUserSlot);
}

void readCalibrationButton(Session& s) {
    ButtonsDimmed dimmed(s);
    showCalibPage(s, CalibPage::SensorData);
    ReadCalibrationData(s, c::kUserSlot);
}

void closeCalibrationButton(Session& s) {
    s.op().showChildPanel(ChildPanel::MeasurementDisplay);
    s.op().showMainTab(MainTab::SensorParameter);
}

// ---- files -----------------------------------------------------------------------

int loadCalibrationFile(Session& s, CalibFile file, const std::optional<std::string>& path) {
    const std::optional<FileChoice> choice = chooseFile(s, file, FileRequest::Mode::Open, path);
    if (!choice || choice->kind != FileChoice::Kind::Existing) {
        tell(s, c::kNoFileSelected);
        return -1;
    }
    remember(s, file, choice->path);
    Tinted yellow(s, groupsOf(file), CalibTint::Loading);
    IniHandle ini = Ini_New(false);
    if (Ini_LoadFile(ini.get(), choice->path) == IniFileLoad::Unreadable) {
        tellFileNotRead(s.op(), s.language(), choice->path);
        return -1;
    }
    if (!headerAccepted(s, *ini, file))
        return -1;
    const std::string report = c::readCalibrationFile(*ini, file, s.calibration.tables);
    changed(s, CalibrationChange::Tables);
    if (!report.empty())
        tell(s, c::kindOf(file).reportHeader.str(s.language()) + report);
    afterLoad(s, file);
    return 1;
}

int saveCalibrationFile(Session& s, CalibFile file, const std::optional<std::string>& path) {
    const std::optional<FileChoice> choice = chooseFile(s, file, FileRequest::Mode::Save, path);
    if (!choice || !choice->chosen()) {
        tell(s, c::kNoFileSelected);
        return -1;
    }
    if (choice->kind == FileChoice::Kind::Existing && !ask(s, c::kFileExists))
        return -1;
    remember(s, file, choice->path);
    Tinted saving(s, groupsOf(file), CalibTint::Saving);
    IniHandle ini = c::calibrationDocument(file, s.calibration.tables);
    if (!ini || Ini_WriteToFile(ini.get(), choice->path) < 0) {
        tell(s, c::kFileNotSaved.str(s.language()) + "\n" + choice->path);
        return -1;
    }
    return 1;
}

// ---- password panel ----------------------------------------------------------------

bool passwordClosesBox(std::string_view entry) {
    return entry == c::kOffsetPassword || entry == c::kFactorySendPassword ||
           entry == c::kFactoryReadPassword;
}

bool passwordEntered(Session& s, std::string_view entry) {
    if (entry == c::kOffsetPassword) {
        s.calibration.zeroPointPageVisible = true;
        changed(s, CalibrationChange::ZeroPointPage);
        s.op().showMainTab(MainTab::ZeroPointOffset);
    } else if (entry == c::kFactorySendPassword) {
        ButtonsDimmed dimmed(s);
        confirmAndSendCalibration(s, c::kFactorySlot);
    } else if (entry == c::kFactoryReadPassword) {
        ButtonsDimmed dimmed(s);
        showCalibPage(s, CalibPage::SensorData);
        ReadCalibrationData(s, c::kFactorySlot);
    } else {
        tell(s, c::kWrongPassword);
        return false;
    }
    return true;
}

// ---- offsets -------------------------------------------------------------------------

int GetOffset(Session& s) {
    if (s.link.requestRecord(order::GetOffset, 0, c::kOffsetRecordBytes) != 1)
        return -1;
    const c::OffsetRecord record = c::decodeOffsetRecord(reply(s));
    s.calibration.zeroPoint = record.zeroPoint;
    s.calibration.xyzOffset = record.xyz;
    changed(s, CalibrationChange::Offsets);
    return 1;
}

namespace {
int sendOffset(Session& s, std::uint16_t argument, const c::RawTriple& values) {
    if (sendPayload(s, order::SendOffset, argument, c::encodeTriple(values)) != 1)
        return -1;
    replyNotice(s, c::kRamNotice);
    return 1;
}
} // namespace

int SendZpOffset(Session& s) {
    return sendOffset(s, 0, s.calibration.zeroPoint);
}
int SendAdjOffset(Session& s) {
    return sendOffset(s, 1, s.calibration.xyzOffset);
}

int CalcOffset(Session& s) {
    if (!ask(s, c::kCoverReceiverQuestion))
        return -1;
    ButtonsDimmed dimmed(s);
    if (s.link.request(order::MeasureZeroOffset, 1) != 1)
        return -1;
    return GetOffset(s);
}

void zeroPointSendButton(Session& s) {
    ButtonsDimmed dimmed(s);
    SendZpOffset(s);
}

void zeroPointGetButton(Session& s) {
    ButtonsDimmed dimmed(s);
    GetOffset(s);
}

void zeroPointCalcButton(Session& s) {
    CalcOffset(s);
}

void zeroPointCloseButton(Session& s) {
    s.calibration.zeroPointPageVisible = false;
    changed(s, CalibrationChange::ZeroPointPage);
    s.op().showMainTab(MainTab::SensorParameter);
}

void assignXyzOffsetButton(Session& s) {
    s.calibration.xyzOffset = liveRaw(s);
    changed(s, CalibrationChange::Offsets);
}

void xyzOffsetSendButton(Session& s) {
    ButtonsDimmed dimmed(s);
    SendAdjOffset(s);
}

void xyzOffsetGetButton(Session& s) {
    zeroPointGetButton(s);
}

void zeroPointEdited(Session& s, std::size_t axis, std::uint16_t value) {
    s.calibration.zeroPoint.at(axis) = value;
    changed(s, CalibrationChange::Offsets);
}

void xyzOffsetEdited(Session& s, std::size_t axis, std::uint16_t value) {
    s.calibration.xyzOffset.at(axis) = value;
    changed(s, CalibrationChange::Offsets);
}

} // namespace tavrino::app
