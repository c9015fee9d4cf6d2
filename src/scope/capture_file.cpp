#include "scope/capture_file.h"

#include "ini/file_writer.h"
#include "ini/ini.h"
#include "scope/timing.h"

#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>
#include <type_traits>
#include <vector>

namespace tavrino::scope {

namespace {

constexpr std::string_view kDateKey = "date";
constexpr std::string_view kPanelIdKey = "panel id";
constexpr std::string_view kTriggerKey = "trigger";
constexpr std::string_view kPreTriggerKey = "pretrigger";
constexpr std::string_view kRateKey = "rate";
constexpr std::string_view kSignalKey = "signal";
constexpr std::string_view kLevelKey = "level";
constexpr std::string_view kCycleKey = "cycle time ms";
constexpr std::string_view kCommentKey = "comment";
constexpr int kColumns = 7;

// Line breaks and the backslash escaped, so that a text stays on its line.
std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '\\' && (next == '\\' || next == 'n' || next == 'r')) {
            out += next == 'n' ? '\n' : next == 'r' ? '\r' : '\\';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The shortest text that reads back as the same number.
std::string exactText(double value) {
    std::array<char, 400> buffer{};
    const auto r =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return r.ec == std::errc() ? std::string(buffer.data(), r.ptr) : std::string("0");
}

void appendHeader(std::string& out, std::string_view key, std::string_view value) {
    out += "# ";
    out += key;
    out += ": ";
    out += value;
    out += '\n';
}

void appendRow(std::string& out, const ScanResult& r, std::size_t i) {
    out += std::to_string(i);
    for (const auto* trace : {&r.red, &r.green, &r.blue}) {
        out += ',';
        out += fixedText((*trace)[i], 6);
    }
    for (const auto* digital : {&r.digital0, &r.digital1, &r.digital2}) {
        out += ',';
        out += std::to_string((*digital)[i]);
    }
    out += '\n';
}

template <class Number> std::optional<Number> numberFrom(std::string_view text) {
    Number value{};
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || text.empty())
        return std::nullopt;
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(value))
            return std::nullopt;
    }
    return value;
}

std::optional<int> intIn(std::string_view text, int low, int high) {
    const auto v = numberFrom<int>(text);
    if (!v || *v < low || *v > high)
        return std::nullopt;
    return v;
}

// The lines of `text`, a CR before the LF taken off.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t comma = line.find(',');
        fields.push_back(line.substr(0, comma));
        if (comma == std::string_view::npos)
            return fields;
        line.remove_prefix(comma + 1);
    }
}

// The settings the header must give; the others (date, panel ID, comment)
// may be missing.
struct HeaderSeen {
    bool trigger = false, preTrigger = false, rate = false, signal = false, level = false, cycle = false;
    [[nodiscard]] bool complete() const { return trigger && preTrigger && rate && signal && level && cycle; }
};

// One "# key: value" line into `c`. False when a known key has a value out of
// its range; unknown keys are notes and are passed over.
bool takeHeader(std::string_view key, std::string_view value, Capture& c, HeaderSeen& seen) {
    ScanSettings& s = c.settings;
    auto setInt = [&value](int& target, bool& flag, int low, int high) {
        const auto v = intIn(value, low, high);
        if (v)
            target = *v;
        return (flag = v.has_value());
    };
    auto setDouble = [&value](double& target, bool& flag, double low, double high) {
        const auto v = numberFrom<double>(value);
        flag = v && *v >= low && *v <= high;
        if (flag)
            target = *v;
        return flag;
    };
    if (key == kDateKey)
        c.date = std::string(value);
    else if (key == kPanelIdKey)
        c.panelId = unescaped(value);
    else if (key == kCommentKey)
        c.comment = unescaped(value);
    else if (key == kTriggerKey)
        return setInt(s.triggerMode, seen.trigger, 0, 4);
    else if (key == kPreTriggerKey)
        return setInt(s.preTrigger, seen.preTrigger, 0, kSamples - 1);
    else if (key == kRateKey)
        return setInt(s.scanRate, seen.rate, 0, 65535);
    else if (key == kSignalKey)
        return setInt(s.recordedSignal, seen.signal, 0, 65535);
    else if (key == kLevelKey)
        return setDouble(s.triggerLevel, seen.level, std::numeric_limits<double>::lowest(),
                         std::numeric_limits<double>::max());
    else if (key == kCycleKey)
        return setDouble(c.cycleMs, seen.cycle, 0.0, 1e9);
    return true;
}

// "# key: value" or "# key:" split; nothing for any other line.
std::optional<std::pair<std::string_view, std::string_view>> headerLine(std::string_view line) {
    if (!line.starts_with("# "))
        return std::nullopt;
    line.remove_prefix(2);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    std::string_view value = line.substr(colon + 1);
    if (value.starts_with(' '))
        value.remove_prefix(1);
    return std::pair{line.substr(0, colon), value};
}

bool takeRow(std::string_view line, std::size_t i, ScanResult& r) {
    const auto fields = fieldsOf(line);
    if (fields.size() != kColumns || intIn(fields[0], 0, kSamples - 1) != static_cast<int>(i))
        return false;
    std::array<double, 3> values{};
    for (std::size_t t = 0; t < 3; ++t) {
        const auto v = numberFrom<double>(fields[t + 1]);
        if (!v)
            return false;
        values[t] = *v;
    }
    // The digital traces are the state bits at their drawing offsets.
    const auto d0 = intIn(fields[4], 2, 3);
    const auto d1 = intIn(fields[5], 0, 1);
    const auto d2 = intIn(fields[6], 4, 5);
    if (!d0 || !d1 || !d2)
        return false;
    r.red[i] = values[0];
    r.green[i] = values[1];
    r.blue[i] = values[2];
    r.digital0[i] = *d0;
    r.digital1[i] = *d1;
    r.digital2[i] = *d2;
    r.states[i] = static_cast<std::int16_t>((*d0 - 2) | (*d1 << 1) | ((*d2 - 4) << 2));
    return true;
}

CaptureReading failed(CaptureReading::Verdict verdict, std::size_t index) {
    CaptureReading r;
    r.verdict = verdict;
    r.line = static_cast<int>(index) + 1;
    return r;
}

} // namespace

std::string captureText(const Capture& c) {
    const ScanSettings& s = c.settings;
    std::string out;
    out += kCaptureTitleLine;
    out += '\n';
    appendHeader(out, kDateKey, c.date);
    appendHeader(out, kPanelIdKey, escaped(c.panelId));
    appendHeader(out, kTriggerKey, std::to_string(s.triggerMode));
    appendHeader(out, kPreTriggerKey, std::to_string(s.preTrigger));
    appendHeader(out, kRateKey, std::to_string(s.scanRate));
    appendHeader(out, kSignalKey, std::to_string(s.recordedSignal));
    appendHeader(out, kLevelKey, exactText(s.triggerLevel));
    appendHeader(out, kCycleKey, exactText(c.cycleMs));
    appendHeader(out, kCommentKey, escaped(c.comment));
    out += kCaptureColumns;
    out += '\n';
    for (std::size_t i = 0; i < kSamples; ++i)
        appendRow(out, c.result, i);
    return out;
}

int writeCaptureFile(const std::string& path, const Capture& capture) {
    return replaceFile(path, captureText(capture));
}

CaptureReading parseCapture(std::string_view text) {
    using Verdict = CaptureReading::Verdict;
    const std::vector<std::string_view> lines = linesOf(text);
    if (lines.empty() || lines[0] != kCaptureTitleLine)
        return failed(Verdict::NotACapture, 0);
    CaptureReading reading;
    HeaderSeen seen;
    std::size_t i = 1;
    for (; i < lines.size() && lines[i] != kCaptureColumns; ++i) {
        const auto header = headerLine(lines[i]);
        if (!header || !takeHeader(header->first, header->second, reading.capture, seen))
            return failed(Verdict::BadLine, i);
    }
    if (i == lines.size() || !seen.complete())
        return failed(Verdict::NotACapture, i);
    const std::size_t first = i + 1;
    for (std::size_t k = 0; k < kSamples; ++k) {
        if (first + k >= lines.size() || !takeRow(lines[first + k], k, reading.capture.result))
            return failed(Verdict::BadLine, first + k);
    }
    for (std::size_t k = first + kSamples; k < lines.size(); ++k) {
        if (!lines[k].empty())
            return failed(Verdict::BadLine, k);
    }
    reading.verdict = Verdict::Read;
    return reading;
}

CaptureReading readCaptureFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return {};
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return {};
    if (size > kCaptureSizeLimit)
        return failed(CaptureReading::Verdict::NotACapture, 0);
    std::string text;
    if (readRegularFile(path, text) != kIniOk)
        return {};
    return parseCapture(text);
}

} // namespace tavrino::scope
