#include "parameters/transfer.h"

#include "link/orders.h"
#include "link/sensor_link.h"
#include "parameters/parameter_file.h"
#include "parameters/texts.h"
#include "parameters/wire.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace tavrino::parameters {

namespace {

constexpr std::uint16_t kParameterArgument = 0;
constexpr std::uint16_t kTeachVectorArgument = 2;

// Dims the controls that start exchanges for as long as it lives.
class ExchangeButtonsDimmed {
public:
    explicit ExchangeButtonsDimmed(Operator& op) : op_(op) { op_.setDimmed(Dimmable::SensorButtons, true); }
    ~ExchangeButtonsDimmed() { op_.setDimmed(Dimmable::SensorButtons, false); }
    ExchangeButtonsDimmed(const ExchangeButtonsDimmed&) = delete;
    ExchangeButtonsDimmed& operator=(const ExchangeButtonsDimmed&) = delete;

private:
    Operator& op_;
};

} // namespace

ParameterTransfer::ParameterTransfer(link::SensorLink& link, RunFlags& flags, ParameterSet& set,
                                     ParameterControls& controls, teach::TeachTable& table,
                                     ParameterRules& rules, Operator& op, const Language& language,
                                     std::string& parameterFile)
    : link_(link), flags_(flags), set_(set), controls_(controls), table_(table), rules_(rules), op_(op),
      language_(language), parameterFile_(parameterFile) {}

void ParameterTransfer::noticeReplacedParameters(const Text& notice) {
    const std::uint16_t replaced = link_.lastReply().argument;
    if (replaced == 0)
        return;
    op_.showMainTab(MainTab::Connection);
    std::string text(kInfoTitle.in(language_));
    text += '\n';
    text += std::to_string(replaced);
    text += notice.in(language_);
    text += "\n\n";
    op_.appendConnectionLog(text);
}

bool ParameterTransfer::correctionsSendable() const {
    constexpr std::string_view kAxes[] = {"X", "Y", "Z"};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        const double value = controls_.value(static_cast<Control>(word::CorrectionX + axis));
        if (std::isfinite(value))
            continue;
        const std::string_view shown = std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf";
        op_.message(kInfoTitle.in(language_), texts::correctionNotFinite(language_, kAxes[axis], shown));
        return false;
    }
    return true;
}

int ParameterTransfer::SendPara() {
    flags_.sendPending = 0;
    if (!correctionsSendable())
        return -1;
    GetPanelValues(controls_, table_, set_);
    encodeTeachBlock(set_);

    encodeParameterBlock(set_, link_.stagingPayload());
    int result = link_.request(link::order::SendParameters, kParameterArgument,
                               static_cast<std::uint16_t>(kParameterBlockSize));
    if (result != 1)
        return result;
    noticeReplacedParameters(texts::kRamNotPlausible);

    std::memcpy(link_.stagingPayload(), set_.teachBlock.data(), kTeachBlockSize);
    result = link_.request(link::order::SendParameters, kTeachVectorArgument,
                           static_cast<std::uint16_t>(kTeachBlockSize));
    if (result != 1)
        return result;
    noticeReplacedParameters(texts::kRamNotPlausible);

    if (controls_.target() == TransferTarget::Eeprom)
        result = link_.request(link::order::StoreRamInEeprom, 0, 0);
    return result;
}

int ParameterTransfer::GetPara() {
    flags_.getPending = 0;
    int result = 0;
    if (controls_.target() == TransferTarget::Eeprom) {
        result = link_.request(link::order::LoadEepromIntoRam, 0, 0);
        if (result != 1)
            return result;
        noticeReplacedParameters(texts::kEepromNotPlausible);
    }

    result = link_.requestRecord(link::order::GetParameters, kParameterArgument, kParameterBlockSize);
    if (result != 1)
        return result;
    decodeParameterBlock(set_, link_.replyPayload(), kParameterBlockSize);

    result = link_.requestRecord(link::order::GetParameters, kTeachVectorArgument, kTeachBlockSize);
    if (result != 1)
        return result;
    decodeTeachBlock(set_, link_.replyPayload(), kTeachBlockSize);

    rules_.showParameterSet();
    return result;
}

int ParameterTransfer::sendButton() {
    if (!correctionsSendable())
        return -1;
    if (controls_.target() == TransferTarget::File)
        return SendParaToFile(op_, language_, set_, parameterFile_, rules_) == ParameterFileResult::Saved
                   ? 1
                   : -1;
    if (flags_.running) {
        flags_.sendPending = 1;
        return 0;
    }
    ExchangeButtonsDimmed dimmed(op_);
    return SendPara();
}

int ParameterTransfer::getButton() {
    if (controls_.target() == TransferTarget::File)
        return ReadParaFromFile(op_, language_, set_, parameterFile_, rules_) == ParameterFileResult::Read
                   ? 1
                   : -1;
    if (flags_.running) {
        flags_.getPending = 1;
        return 0;
    }
    ExchangeButtonsDimmed dimmed(op_);
    return GetPara();
}

void ParameterTransfer::selectTarget(TransferTarget target) {
    controls_.selectTarget(target);
}

void ParameterTransfer::showSendHelp() const {
    op_.message(kInfoTitle.in(language_), texts::kSendHelp.in(language_));
}

void ParameterTransfer::showGetHelp() const {
    op_.message(kInfoTitle.in(language_), texts::kGetHelp.in(language_));
}

void ParameterTransfer::showSelectHelp() const {
    op_.message(kInfoTitle.in(language_), texts::kSelectTargetHelp.in(language_));
}

} // namespace tavrino::parameters
