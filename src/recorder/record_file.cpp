#include "recorder/record_file.h"

#include "calibration/colour_space.h"
#include "ini/file_writer.h"
#include "ini/ini.h"
#include "recorder/texts.h"

#include <array>
#include <charconv>
#include <ctime>
#include <system_error>

namespace tavrino::recorder {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// At least `width` digits, with leading zeros.
void appendDigits(std::string& out, int value, int width) {
    char buf[16];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value < 0 ? 0 : value);
    const auto length = ec == std::errc() ? static_cast<int>(end - buf) : 0;
    for (int i = length; i < width; ++i)
        out += '0';
    out.append(buf, static_cast<std::size_t>(length));
}

void appendInteger(std::string& out, int value) {
    char buf[16];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec == std::errc())
        out.append(buf, end);
}

} // namespace

std::string formatFixed(double value) {
    // Large enough for the widest double in fixed notation.
    std::array<char, 400> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, 6);
    if (ec != std::errc())
        return "nan";
    return {buf.data(), end};
}

std::string recordHeader(Language language, std::string_view panelId, std::uint16_t colourSpace) {
    std::string out = "\n";
    out += texts::kTitleLabel.in(language);
    out += kRecordedProgram;
    out += kLineEnd;
    if (!panelId.empty()) {
        out += texts::kIdLabel.in(language);
        out += panelId;
        out += kLineEnd;
    }
    out += kLineEnd;
    const calibration::Labels coordinates = calibration::coordinateLabels(colourSpace);
    const std::string_view headings[] = {
        "DATE",         "TIME",         "X",       "Y",     "Z",   coordinates[0],
        coordinates[1], coordinates[2], "delta E", "COLOR", "TEMP"};
    for (std::size_t i = 0; i < std::size(headings); ++i) {
        if (i > 0)
            out += '\t';
        out += headings[i];
    }
    out += kLineEnd;
    return out;
}

Timestamp localTimestamp(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::string recordLine(const measurement::MeasurementRecord& r, const Timestamp& when) {
    std::string out;
    out.reserve(128);
    appendDigits(out, when.month, 2);
    out += '-';
    appendDigits(out, when.day, 2);
    out += '-';
    appendDigits(out, when.year, 4);
    out += '\t';
    appendDigits(out, when.hour, 2);
    out += ':';
    appendDigits(out, when.minute, 2);
    out += ':';
    appendDigits(out, when.second, 2);
    for (const int v : {int{r.X}, int{r.Y}, int{r.Z}}) {
        out += '\t';
        appendInteger(out, v);
    }
    for (const double v : {r.csX, r.csY, r.csI, r.deltaE}) {
        out += '\t';
        out += formatFixed(v);
    }
    for (const int v : {int{r.colorNo}, int{r.temp}}) {
        out += '\t';
        appendInteger(out, v);
    }
    out += kLineEnd;
    return out;
}

bool writeNewRecordFile(const std::string& path, std::string_view header) {
    return replaceFile(path, header) == kIniOk;
}

bool appendToRecordFile(const std::string& path, std::string_view line) {
    return appendToFile(path, line) == kIniOk;
}

} // namespace tavrino::recorder
