#include "simulated_sensor.h"

#include "common/convert.h"
#include "link/frame.h"
#include "link/orders.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace tavrino::sim {

namespace word = parameters::word;
namespace order = link::order;
using namespace std::chrono_literals;

namespace {

constexpr std::size_t kParameterBlockSize = 64;
constexpr std::size_t kTeachBlockSize = 96;
constexpr std::size_t kRingSize = 128;
constexpr std::uint16_t kOffsetMax = 4095;
// A request whose bytes stop for this long is given up.
constexpr SimTime kFrameGap = 500ms;
// After a bad header the rest of that request is ignored until the line is
// quiet for this long.
constexpr SimTime kResyncGap = 20ms;
// Pieces of a split frame go out this far apart, so that they arrive apart.
constexpr SimTime kSplitGap = 2ms;
constexpr std::uint16_t kOversizeLength = 2048;
constexpr std::uint16_t kErrInvalidOrder = 1;
constexpr std::uint16_t kErrCommunication = 2;

void putText(std::vector<std::uint8_t>& out, const std::string& text, std::size_t size) {
    out.assign(size, 0);
    std::memcpy(out.data(), text.data(), std::min(text.size(), size - 1));
}

std::vector<std::uint8_t> parameterBytes(const parameters::ParameterWords& words) {
    std::vector<std::uint8_t> out(kParameterBlockSize);
    for (std::size_t i = 0; i < words.size(); ++i)
        link::writeU16(out.data() + 2 * i, words[i]);
    return out;
}

std::vector<std::uint8_t> teachBytes(const TeachWords& words) {
    std::vector<std::uint8_t> out(kTeachBlockSize);
    for (std::size_t i = 0; i < words.size(); ++i)
        link::writeU32(out.data() + 4 * i, static_cast<std::uint32_t>(words[i]));
    return out;
}

// The calibration block as the PC sends it: parameter words, ROWS, white
// point, the reference's raw values and the white-balance factors.
void writeBlock(std::vector<std::uint8_t>& area, const parameters::ParameterWords& p, std::uint16_t rows,
                const std::array<std::uint16_t, 3>& whitePoint,
                const std::array<std::uint16_t, 3>& reference) {
    const std::size_t fromParameters[] = {word::Power,           word::Gain,         word::Integral1,
                                          word::Integral2,       word::DoublePower1, word::DoubleGain1,
                                          word::DoubleIntegral1, word::DoublePower2, word::DoubleGain2,
                                          word::DoubleIntegral2, word::CorrectionX,  word::CorrectionX + 1,
                                          word::CorrectionX + 2, word::CubeRootX,    word::CubeRootX + 1,
                                          word::CubeRootX + 2};
    std::uint8_t* b = area.data() + kCalibrationTableSize;
    for (std::size_t i = 0; i < 16; ++i)
        link::writeU16(b + 2 * i, p[fromParameters[i]]);
    link::writeU16(b + 2 * block::Rows, rows);
    for (std::size_t c = 0; c < 3; ++c) {
        link::writeU16(b + 2 * (block::Xn + c), whitePoint[c]);
        link::writeU16(b + 2 * (block::Xn + 3 + c), reference[c]);
        link::writeU16(b + 2 * (block::WhiteBalanceX + c), 1024);
    }
}

// Deterministic hardware information: identification words, then the
// production data of this serial number.
std::array<std::uint8_t, kHardwareInfoSize> hardwareInfo(std::uint16_t serial,
                                                         const std::array<std::uint16_t, 3>& dark) {
    std::array<std::uint8_t, kHardwareInfoSize> out{};
    const std::uint16_t head[] = {0x4154, 0x5256, 0x0327, serial, 0x0400, dark[0], dark[1], dark[2]};
    for (std::size_t i = 0; i < 8; ++i)
        link::writeU16(out.data() + 2 * i, head[i]);
    std::uint32_t x = 0x9E3779B9u ^ serial;
    for (std::size_t i = 16; i < out.size(); ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        out[i] = static_cast<std::uint8_t>(x);
    }
    return out;
}

std::array<std::uint8_t, kTableSettingsSize> defaultTableSettings() {
    std::array<std::uint8_t, kTableSettingsSize> out{};
    const char* colours[] = {"16711680", "8453888", "255"};
    for (std::size_t n = 0; n < 3; ++n)
        std::memcpy(out.data() + 24 * n, colours[n], std::strlen(colours[n]));
    return out;
}

} // namespace

std::string hexBytes(std::span<const std::uint8_t> bytes, std::size_t limit) {
    return link::hexText(bytes.data(), bytes.size(), limit);
}

SimulatedSensor::SimulatedSensor(SensorConfig config)
    : config_(std::move(config)), model_(config_.scene, config_.seed, config_.in0HalfPeriod) {
    // Factory state of the memories.
    auto& m = memory_;
    m.ramParameters = m.eepromParameters = parameters::defaultParameterWords();
    m.baudIndex = m.eepromBaudIndex = config_.baudIndex;
    m.zeroPoint = model_.darkSignal(m.ramParameters);
    m.tableSettings = defaultTableSettings();
    m.hardwareInfo = hardwareInfo(config_.serialNumber, m.zeroPoint);

    // Factory calibration: one white row whose factors map the channels'
    // sensitivities onto the standard observer; white point at raw Y of white.
    const Xyz white = builtInScene("white")->targets.front().xyz;
    const auto whiteRaw = model_.rawOf(m.ramParameters, white);
    const double toReference = whiteRaw[1] / 100.0;
    const double nominal[] = {white.x, white.y, white.z};
    std::array<std::uint16_t, 3> whitePoint{}, reference{};
    for (std::size_t c = 0; c < 3; ++c) {
        reference[c] = static_cast<std::uint16_t>(std::lround(whiteRaw[c]));
        whitePoint[c] = static_cast<std::uint16_t>(nominal[c] * toReference);
    }
    for (int area = 0; area < 4; ++area) {
        auto& bytes = m.calibration[static_cast<std::size_t>(area)];
        bytes.assign(area % 2 ? kFactorAreaSize : kCalibrationTableSize, 0);
        if (area % 2)
            for (std::size_t i = 0; i < 3 * kCalibrationRows; ++i)
                link::writeU16(bytes.data() + 2 * i, 1024);
    }
    for (std::size_t c = 0; c < 3; ++c) {
        link::writeU16(m.calibration[0].data() + 2 * c, reference[c]);
        link::writeU16(m.calibration[1].data() + 2 * c,
                       static_cast<std::uint16_t>(1024.0 * nominal[c] * toReference / reference[c]));
    }
    writeBlock(m.calibration[1], m.ramParameters, 1, whitePoint, reference);
    writeBlock(m.calibration[3], m.ramParameters, 0, {0, 0, 0}, {0, 0, 0});

    // Factory teach table: white, red and green as this sensor sees them,
    // cylinders around them; the two words the PC leaves alone hold a
    // checksum of the row and its number.
    const char* taught[] = {"white", "red", "green"};
    const double tolerances[] = {0.03, 0.2, 0.2};
    const Scene cycle = *builtInScene("cycle");
    for (std::size_t r = 0; r < 3; ++r) {
        const auto it = std::find_if(cycle.targets.begin(), cycle.targets.end(),
                                     [&](const SceneTarget& t) { return t.name == taught[r]; });
        const Coordinates c = model_.coordinatesOf(m, it->xyz);
        const double cells[] = {c.c1, c.c2, c.intensity, tolerances[0], tolerances[1], tolerances[2]};
        std::int32_t sum = 0;
        for (std::size_t i = 0; i < 6; ++i) {
            m.ramTeach[8 * r + i] = clampToI32(cells[i] * 65536.0).value;
            sum = static_cast<std::int32_t>(static_cast<std::uint32_t>(sum) +
                                            static_cast<std::uint32_t>(m.ramTeach[8 * r + i]));
        }
        m.ramTeach[8 * r + 6] = sum;
        m.ramTeach[8 * r + 7] = static_cast<std::int32_t>(r + 1);
    }
    m.eepromTeach = m.ramTeach;
}

SimTime SimulatedSensor::byteTime() const {
    return SimTime{static_cast<std::int64_t>(10e9 / link::baudRateForIndex(memory_.baudIndex))};
}

void SimulatedSensor::log(const std::string& line) const {
    if (logger_)
        logger_(line);
}

void SimulatedSensor::addFault(const Fault& fault) {
    faults_.push_back(fault);
    log("fault armed: " + toString(fault));
}

Fault* SimulatedSensor::findFault(FaultKind kind, int forOrder) {
    for (Fault& f : faults_)
        if (f.kind == kind && (f.order < 0 || f.order == forOrder))
            return &f;
    return nullptr;
}

void SimulatedSensor::connectionOpened(SimTime now) {
    now_ = std::max(now_, now);
    rx_.clear();
    resyncing_ = false;
    requests_ = 0;
    lineDown_ = false;
    lineArrival_ = now_;
    nextStreamEdge_.reset();
    scan_.active = false;
    actions_.clear();
}

std::vector<Action> SimulatedSensor::takeActions() {
    std::vector<Action> out;
    out.swap(actions_);
    return out;
}

void SimulatedSensor::receive(std::span<const std::uint8_t> bytes, SimTime now) {
    now_ = std::max(now_, now);
    for (std::uint8_t b : bytes) {
        SimTime at = now_;
        if (config_.lineRate) {
            // The byte is complete on the sensor's side one byte time after
            // the line is free.
            lineArrival_ = std::max(lineArrival_, now) + byteTime();
            at = lineArrival_;
        }
        acceptByte(b, at);
    }
}

void SimulatedSensor::acceptByte(std::uint8_t byte, SimTime at) {
    if (lineDown_)
        return;
    const SimTime gap = at - lastByte_;
    lastByte_ = at;
    if (resyncing_) {
        if (gap < kResyncGap)
            return;
        resyncing_ = false;
    }
    if (!rx_.empty() && gap > kFrameGap) {
        log("incomplete request dropped: " + hexBytes(rx_));
        rx_.clear();
    }
    if (rx_.empty() && byte != link::kStartByte)
        return; // line noise between frames
    rx_.push_back(byte);
    if (rx_.size() < link::kHeaderSize)
        return;
    if (rx_.size() == link::kHeaderSize) {
        const bool headerOk = link::crc8Update(rx_.data(), 0, link::kHeaderSize) == 0;
        if (!headerOk || link::readU16(rx_.data() + 4) > link::kMaxRequestPayload) {
            log("rx " + hexBytes(rx_) + "  <- bad header");
            rx_.clear();
            resyncing_ = true;
            send(0, {0, kErrCommunication, {}}, at);
            return;
        }
    }
    if (rx_.size() == link::kHeaderSize + link::readU16(rx_.data() + 4))
        handleRequest(at);
}

void SimulatedSensor::handleRequest(SimTime at) {
    std::vector<std::uint8_t> frame;
    frame.swap(rx_);
    const int requestOrder = frame[1];
    const std::uint16_t argument = link::readU16(frame.data() + 2);
    const std::span<const std::uint8_t> payload(frame.data() + link::kHeaderSize,
                                                frame.size() - link::kHeaderSize);
    log("rx " + hexBytes(frame));
    if (link::crc8Update(payload.data(), 0, payload.size()) != frame[6]) {
        log("   bad data CRC");
        send(requestOrder, {0, kErrCommunication, {}}, at);
        return;
    }
    ++requests_;
    if (const Fault* f = findFault(FaultKind::PortError, -1); f && requests_ > f->value) {
        log("fault " + toString(*f) + ": line hung up");
        actions_.push_back({Action::Kind::HangUp, {}, at, {}});
        lineDown_ = true;
        return;
    }
    const int baudBefore = memory_.baudIndex;
    Reply reply = execute(requestOrder, argument, payload, at);
    // A new baud rate takes effect after the reply, which still goes out at
    // the old rate.
    const int baudAfter = memory_.baudIndex;
    memory_.baudIndex = baudBefore;
    send(requestOrder, std::move(reply), at);
    memory_.baudIndex = baudAfter;
    if (const Fault* f = findFault(FaultKind::Disconnect, -1); f && requests_ == f->value) {
        log("fault " + toString(*f) + ": connection closed");
        actions_.push_back({Action::Kind::Close, {}, at, {}});
        lineDown_ = true;
    }
}

SimulatedSensor::Reply SimulatedSensor::execute(int req, std::uint16_t arg,
                                                std::span<const std::uint8_t> payload, SimTime at) {
    const Reply invalid{0, kErrInvalidOrder, {}};
    auto& m = memory_;
    switch (req) {
    case order::SendParameters:
        if (arg == 0 && payload.size() == kParameterBlockSize) {
            for (std::size_t i = 0; i < m.ramParameters.size(); ++i)
                m.ramParameters[i] = link::readU16(payload.data() + 2 * i);
            return {req, static_cast<std::uint16_t>(parameters::plausibilityCheck(m.ramParameters)), {}};
        }
        if (arg == 2 && payload.size() == kTeachBlockSize) {
            for (std::size_t i = 0; i < m.ramTeach.size(); ++i)
                m.ramTeach[i] = link::readI32(payload.data() + 4 * i);
            return {req, 0, {}};
        }
        return invalid;
    case order::GetParameters:
        if (arg == 0)
            return {req, 0, parameterBytes(m.ramParameters)};
        if (arg == 2)
            return {req, 0, teachBytes(m.ramTeach)};
        return invalid;
    case order::StoreRamInEeprom:
        m.eepromParameters = m.ramParameters;
        m.eepromTeach = m.ramTeach;
        m.eepromBaudIndex = m.baudIndex;
        return {req, 0, {}};
    case order::LoadEepromIntoRam: {
        m.ramParameters = m.eepromParameters;
        m.ramTeach = m.eepromTeach;
        return {req, static_cast<std::uint16_t>(parameters::plausibilityCheck(m.ramParameters)), {}};
    }
    case order::FirmwareText: {
        Reply r{req, 0, {}};
        putText(r.payload, config_.firmware, link::kFirmwareTextSize);
        return r;
    }
    case order::Measure: {
        const auto bytes = measurement::encodeRecord(model_.measure(m, at));
        return {req, 0, {bytes.begin(), bytes.end()}};
    }
    case order::SensorIdentity: {
        if (arg > 1)
            return invalid;
        const std::string& text = arg == 0 ? config_.sensorName : config_.nextCalibration;
        Reply r{req, arg == 0 ? config_.serialNumber : std::uint16_t{0}, {}};
        putText(r.payload, text, text.size() + 1);
        return r;
    }
    case order::AutoSend:
        if (arg > 1)
            return invalid;
        if (arg == 1)
            nextStreamEdge_ = nextStreamTime(at);
        else
            nextStreamEdge_.reset();
        return {req, 0, {}};
    case order::MeasureZeroOffset:
        if (arg != 1)
            return invalid;
        m.zeroPoint = model_.darkSignal(m.ramParameters);
        return {req, 0, {}};
    case order::SendOffset: {
        if (arg > 1 || payload.size() != 6)
            return invalid;
        auto& target = arg == 0 ? m.zeroPoint : m.xyzOffset;
        int replaced = 0;
        for (std::size_t c = 0; c < 3; ++c) {
            const std::uint16_t v = link::readU16(payload.data() + 2 * c);
            replaced += v > kOffsetMax;
            target[c] = v > kOffsetMax ? 0 : v;
        }
        return {req, static_cast<std::uint16_t>(replaced), {}};
    }
    case order::GetOffset: {
        Reply r{req, 0, std::vector<std::uint8_t>(12)};
        for (std::size_t c = 0; c < 3; ++c) {
            link::writeU16(r.payload.data() + 2 * c, m.zeroPoint[c]);
            link::writeU16(r.payload.data() + 6 + 2 * c, m.xyzOffset[c]);
        }
        return r;
    }
    case order::SendCalibration: {
        if (arg > 3 || payload.size() != m.calibration[arg].size())
            return invalid;
        auto& area = m.calibration[arg];
        std::copy(payload.begin(), payload.end(), area.begin());
        std::uint16_t replaced = 0;
        if (arg % 2 && m.blockWord(arg, block::Rows) > kCalibrationRows) {
            link::writeU16(area.data() + kCalibrationTableSize + 2 * block::Rows, kCalibrationRows);
            replaced = 1;
        }
        return {req, replaced, {}};
    }
    case order::ReadCalibration:
        if (arg > 3)
            return invalid;
        return {req, 0, m.calibration[arg]};
    case order::CycleTime: {
        // A / (B x 0.01) is the scan frequency.
        Reply r{req, 0, std::vector<std::uint8_t>(8)};
        link::writeU32(r.payload.data(), static_cast<std::uint32_t>(
                                             clampToI32(std::round(config_.scanFrequencyHz * 100.0)).value));
        link::writeU32(r.payload.data() + 4, 10000);
        return r;
    }
    case order::ScopeScan:
        if (arg == 1 && payload.size() == 12) {
            startScan(payload, at);
            return {req, 0, {}};
        }
        if (arg == 0) {
            scan_.active = false;
            return {req, 0, {}};
        }
        return invalid;
    case order::TableSettingsPrepare:
        return arg == link::kTableSettingsArea ? Reply{req, 0, {}} : invalid;
    case order::TableSettingsWrite:
        if (arg != link::kTableSettingsArea || payload.size() != kTableSettingsSize)
            return invalid;
        std::copy(payload.begin(), payload.end(), m.tableSettings.begin());
        return {req, 0, {}};
    case order::TableSettingsRead: {
        if (arg != link::kTableSettingsArea)
            return invalid;
        const std::size_t words =
            payload.size() >= 2 ? link::readU16(payload.data()) : kTableSettingsSize / 2;
        const std::size_t n = std::min(2 * words, kTableSettingsSize);
        return {req, 0, {m.tableSettings.begin(), m.tableSettings.begin() + static_cast<std::ptrdiff_t>(n)}};
    }
    case order::ChangeBaudrate:
        if (arg > 7)
            return invalid;
        m.baudIndex = arg;
        log("baud rate index " + std::to_string(arg) + " after this reply");
        return {req, 0, {}};
    case order::HardwareInfo:
        if (arg != link::kHardwareInfoKey)
            return invalid;
        return {req, 0, {m.hardwareInfo.begin(), m.hardwareInfo.end()}};
    default:
        return invalid;
    }
}

void SimulatedSensor::send(int faultOrder, Reply reply, SimTime at) {
    if (Fault* f = findFault(FaultKind::Drop, faultOrder); f && f->remaining != 0) {
        if (f->remaining > 0)
            --f->remaining;
        log("fault drop: no reply to order " + std::to_string(faultOrder));
        return;
    }
    if (const Fault* f = findFault(FaultKind::ErrorReply, faultOrder)) {
        reply = {0, static_cast<std::uint16_t>(f->value), {}};
        log("fault " + toString(*f));
    }
    if (const Fault* f = findFault(FaultKind::Plausibility, faultOrder)) {
        reply.argument = static_cast<std::uint16_t>(f->value);
        log("fault " + toString(*f));
    }
    if (const Fault* f = findFault(FaultKind::ShortPayload, faultOrder);
        f && reply.payload.size() > static_cast<std::size_t>(f->value)) {
        reply.payload.resize(static_cast<std::size_t>(f->value));
        log("fault " + toString(*f));
    }
    std::uint16_t length = static_cast<std::uint16_t>(reply.payload.size());
    if (const Fault* f = findFault(FaultKind::Oversize, faultOrder)) {
        length = kOversizeLength;
        log("fault " + toString(*f));
    }
    std::vector<std::uint8_t> bytes(link::kHeaderSize + std::max<std::size_t>(length, reply.payload.size()));
    std::copy(reply.payload.begin(), reply.payload.end(), bytes.begin() + link::kHeaderSize);
    link::writeHeader(bytes.data(), reply.order, reply.argument, length);
    if (const Fault* f = findFault(FaultKind::DataCrc, faultOrder)) {
        bytes[6] ^= 0xFF;
        bytes[7] = link::crc8Update(bytes.data(), 0, 7);
        log("fault " + toString(*f));
    }
    if (const Fault* f = findFault(FaultKind::HeaderCrc, faultOrder)) {
        bytes[7] ^= 0xFF;
        log("fault " + toString(*f));
    }
    if (const Fault* f = findFault(FaultKind::ShortHeader, faultOrder)) {
        bytes.resize(5);
        log("fault " + toString(*f));
    }
    SimTime notBefore = at;
    if (const Fault* f = findFault(FaultKind::Delay, faultOrder)) {
        notBefore += std::chrono::milliseconds(f->value);
        log("fault " + toString(*f));
    }
    log("tx " + hexBytes(bytes));
    const SimTime perByte = config_.lineRate ? byteTime() : SimTime{};
    std::size_t piece = bytes.size();
    if (const Fault* f = findFault(FaultKind::Split, faultOrder)) {
        piece = static_cast<std::size_t>(f->value);
        log("fault " + toString(*f));
    }
    for (std::size_t from = 0; from < bytes.size(); from += piece) {
        const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(from);
        const auto last = bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), from + piece));
        actions_.push_back({Action::Kind::Send, {first, last}, notBefore, perByte});
        notBefore += kSplitGap;
    }
}

void SimulatedSensor::startScan(std::span<const std::uint8_t> settings, SimTime at) {
    scan_ = Scan{};
    scan_.active = true;
    scan_.level = link::readI32(settings.data());
    scan_.mode = link::readU16(settings.data() + 4);
    scan_.preTrigger = std::min<int>(link::readU16(settings.data() + 6), kRingSize - 1);
    const int rate = std::max<int>(link::readU16(settings.data() + 8), 1);
    scan_.signal = link::readU16(settings.data() + 10);
    scan_.period = SimTime{static_cast<std::int64_t>(rate * 1e9 / config_.scanFrequencyHz)};
    scan_.start = at + scan_.period;
    if (scan_.mode == 0 || scan_.mode > 4) {
        scan_.trigger = 0;
        scan_.last = kRingSize - 1;
    }
}

void SimulatedSensor::advanceScan(SimTime now) {
    Scan& s = scan_;
    while (s.active && s.start + s.next * s.period <= now) {
        const std::int64_t k = s.next++;
        const auto slot = static_cast<std::size_t>(k % kRingSize);
        const Measurement m = model_.measure(memory_, s.start + k * s.period);
        const auto prev = static_cast<std::size_t>((k + kRingSize - 1) % kRingSize);
        const std::int32_t prevBlue = s.values[2][prev];
        const bool prevIn0 = s.state[prev] & 1;
        s.state[slot] = m.stateBits;
        if (s.signal == 1) {
            s.values[0][slot] = clampToI32(m.csX * 65536.0).value;
            s.values[1][slot] = clampToI32(m.csY * 65536.0).value;
            s.values[2][slot] = clampToI32(m.csI * 65536.0).value;
        } else {
            s.values[0][slot] = m.X;
            s.values[1][slot] = m.Y;
            s.values[2][slot] = m.Z;
        }
        if (s.trigger < 0 && k >= s.preTrigger) {
            const std::int32_t blue = s.values[2][slot];
            bool fire = false;
            if (s.mode == 1)
                fire = k > 0 && prevBlue < s.level && blue >= s.level;
            else if (s.mode == 2)
                fire = k > 0 && prevBlue > s.level && blue <= s.level;
            else if (s.mode == 3)
                fire = m.colorNo == 0;
            else if (s.mode == 4)
                fire = k > 0 && !prevIn0 && m.in0;
            if (fire) {
                s.trigger = k;
                s.last = k + (kRingSize - 1) - s.preTrigger;
                log("scan triggered at sample " + std::to_string(k));
            }
        }
        if (k != s.last)
            continue;
        // The ring is complete: state samples, then the three signal values.
        s.active = false;
        const SimTime done = s.start + k * s.period;
        Reply states{order::ScopeScan, static_cast<std::uint16_t>(s.trigger % kRingSize),
                     std::vector<std::uint8_t>(2 * kRingSize)};
        for (std::size_t i = 0; i < kRingSize; ++i)
            link::writeU16(states.payload.data() + 2 * i, s.state[i]);
        send(order::ScopeScan, std::move(states), done);
        for (const auto& trace : s.values) {
            Reply r{order::ScopeScan, 0, std::vector<std::uint8_t>(4 * kRingSize)};
            for (std::size_t i = 0; i < kRingSize; ++i)
                link::writeU32(r.payload.data() + 4 * i, static_cast<std::uint32_t>(trace[i]));
            send(order::ScopeScan, std::move(r), done);
        }
    }
}

void SimulatedSensor::advance(SimTime now) {
    now_ = std::max(now_, now);
    if (lineDown_)
        return;
    while (nextStreamEdge_ && *nextStreamEdge_ <= now_) {
        const SimTime edge = *nextStreamEdge_;
        const auto bytes = measurement::encodeRecord(model_.measure(memory_, edge));
        send(order::Measure, {order::Measure, 0, {bytes.begin(), bytes.end()}}, edge);
        nextStreamEdge_ = nextStreamTime(edge);
    }
    advanceScan(now_);
}

SimTime SimulatedSensor::nextStreamTime(SimTime t) const {
    if (config_.streamPeriod > SimTime{})
        return t + config_.streamPeriod;
    return model_.nextRisingEdge(t);
}

std::optional<SimTime> SimulatedSensor::nextWakeup() const {
    std::optional<SimTime> next = nextStreamEdge_;
    if (scan_.active) {
        // Until the trigger is found, look at the samples every few ms.
        const SimTime scanNext = scan_.last >= 0
                                     ? scan_.start + scan_.last * scan_.period
                                     : std::max(scan_.start + scan_.next * scan_.period, now_ + 10ms);
        next = next ? std::min(*next, scanNext) : scanNext;
    }
    return next;
}

} // namespace tavrino::sim
