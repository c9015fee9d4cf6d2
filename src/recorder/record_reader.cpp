#include "recorder/record_reader.h"

#include "common/language.h"
#include "ini/file_writer.h"
#include "ini/ini.h"
#include "recorder/texts.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tavrino::recorder {

namespace {

constexpr std::size_t kFields = 2 + kRecordValues;
// Columns written as integers: X, Y, Z, COLOR, TEMP.
constexpr std::array<bool, kRecordValues> kInteger{true, true, true, false, false, false, false, true, true};

bool startsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

bool startsWithEither(std::string_view line, const Text& label) {
    return startsWith(line, label.de) || startsWith(line, label.en);
}

// The line split at its TABs; false when it has not exactly kFields fields.
bool splitFields(std::string_view line, std::array<std::string_view, kFields>& fields) {
    std::size_t field = 0;
    while (true) {
        const std::size_t tab = line.find('\t');
        if (field == kFields)
            return false;
        fields[field++] = line.substr(0, tab);
        if (tab == std::string_view::npos)
            break;
        line.remove_prefix(tab + 1);
    }
    return field == kFields;
}

// Digits where `pattern` has '9', the pattern's own character elsewhere.
bool matches(std::string_view text, std::string_view pattern) {
    if (text.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == '9' ? !digit : text[i] != pattern[i])
            return false;
    }
    return true;
}

bool parseValue(std::string_view field, bool integer, double& value) {
    const char* end = field.data() + field.size();
    if (integer) {
        long long n = 0;
        auto [ptr, ec] = std::from_chars(field.data(), end, n);
        value = static_cast<double>(n);
        return ec == std::errc() && ptr == end && !field.empty();
    }
    auto [ptr, ec] = std::from_chars(field.data(), end, value, std::chars_format::fixed);
    return ec == std::errc() && ptr == end && !field.empty() && std::isfinite(value);
}

// Adds the record line to `out`; false (and nothing added) when it is not one.
bool addRecordLine(std::string_view line, RecordColumns& out) {
    std::array<std::string_view, kFields> fields;
    if (!splitFields(line, fields) || !matches(fields[0], "99-99-9999") || !matches(fields[1], "99:99:99"))
        return false;
    std::array<double, kRecordValues> values{};
    for (std::size_t i = 0; i < kRecordValues; ++i)
        if (!parseValue(fields[i + 2], kInteger[i], values[i]))
            return false;
    RecordTimeText time{};
    std::copy(fields[0].begin(), fields[0].end(), time.begin());
    time[10] = ' ';
    std::copy(fields[1].begin(), fields[1].end(), time.begin() + 11);
    out.times.push_back(time);
    for (std::size_t i = 0; i < kRecordValues; ++i)
        out.values[i].push_back(values[i]);
    return true;
}

// The header's lines: the title, the panel ID, the empty line and the
// column headings. True when `line` is one of them.
bool readHeaderLine(std::string_view line, RecordColumns& out) {
    if (line.empty() || startsWithEither(line, texts::kTitleLabel))
        return true;
    if (startsWithEither(line, texts::kIdLabel)) {
        const std::size_t label =
            startsWith(line, texts::kIdLabel.en) ? texts::kIdLabel.en.size() : texts::kIdLabel.de.size();
        out.panelId = std::string(line.substr(label));
        return true;
    }
    std::array<std::string_view, kFields> fields;
    if (!startsWith(line, "DATE\tTIME\t") || !splitFields(line, fields))
        return false;
    for (std::size_t i = 0; i < out.coordinateHeadings.size(); ++i)
        out.coordinateHeadings[i] = std::string(fields[2 + kCoordinateColumn + i]);
    return true;
}

} // namespace

RecordColumns parseRecordFile(std::string_view text) {
    RecordColumns out;
    // About a hundred bytes a line: room for all of them at once.
    const std::size_t expected = text.size() / 96 + 1;
    out.times.reserve(expected);
    for (auto& column : out.values)
        column.reserve(expected);
    std::size_t number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (addRecordLine(line, out) || readHeaderLine(line, out))
            continue;
        if (out.skippedLines++ == 0)
            out.firstSkippedLine = number;
    }
    return out;
}

std::optional<RecordColumns> readRecordFile(const std::string& path) {
    std::string text;
    if (readRegularFile(path, text) != kIniOk)
        return std::nullopt;
    return parseRecordFile(text);
}

std::vector<TracePoint> decimate(std::span<const double> values, double from, double to, int columns) {
    std::vector<TracePoint> points;
    if (values.empty() || !(to >= from) || columns < 1)
        return points;
    const auto n = static_cast<double>(values.size());
    // The lines in view, the view's edges rounded outwards.
    const double firstLine = std::clamp(std::floor(from), 0.0, n - 1);
    const double lastLine = std::clamp(std::ceil(to), 0.0, n - 1);
    const auto first = static_cast<std::size_t>(firstLine);
    const auto last = static_cast<std::size_t>(lastLine);
    const std::size_t count = last - first + 1;
    const auto perColumn = static_cast<std::size_t>(columns);
    if (count <= 2 * perColumn) {
        points.reserve(count);
        for (std::size_t i = first; i <= last; ++i)
            points.push_back({static_cast<double>(i), values[i]});
        return points;
    }
    points.reserve(2 * perColumn);
    for (std::size_t c = 0; c < perColumn; ++c) {
        const std::size_t begin = first + c * count / perColumn;
        const std::size_t end = first + (c + 1) * count / perColumn;
        const auto span = values.subspan(begin, end - begin);
        const auto [low, high] = std::minmax_element(span.begin(), span.end());
        auto lowAt = begin + static_cast<std::size_t>(low - span.begin());
        auto highAt = begin + static_cast<std::size_t>(high - span.begin());
        if (highAt < lowAt)
            std::swap(lowAt, highAt);
        points.push_back({static_cast<double>(lowAt), values[lowAt]});
        if (highAt != lowAt)
            points.push_back({static_cast<double>(highAt), values[highAt]});
    }
    return points;
}

} // namespace tavrino::recorder
