#include "publish/payload.h"

#include "calibration/colour_space.h"
#include "parameters/parameter_file.h"
#include "publish/json.h"

#include <array>
#include <cstdio>

namespace tavrino::publish {

std::string utcTimestamp(std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    const auto ms = floor<milliseconds>(time);
    const auto day = floor<days>(ms);
    const year_month_day date{day};
    const hh_mm_ss clock{ms - day};
    char text[40];
    const int n = std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", int(date.year()),
                                unsigned(date.month()), unsigned(date.day()), int(clock.hours().count()),
                                int(clock.minutes().count()), int(clock.seconds().count()),
                                int(clock.subseconds().count()));
    return {text, static_cast<std::size_t>(n)};
}

std::optional<std::string> measurementPayload(const measurement::MeasurementRecord& r, std::uint64_t seq,
                                              std::string_view time) {
    JsonObject json;
    json.integer("seq", static_cast<long long>(seq));
    json.text("time", time);
    json.integer("X", r.X);
    json.integer("Y", r.Y);
    json.integer("Z", r.Z);
    json.integer("rawX", r.rawX);
    json.integer("rawY", r.rawY);
    json.integer("rawZ", r.rawZ);
    const std::array<double, 3> cs{r.csX, r.csY, r.csI};
    const std::array<double, 3> ref{r.refX, r.refY, r.refI};
    if (!json.fixed6Array("cs", cs.data(), cs.size()) || !json.fixed6Array("ref", ref.data(), ref.size()) ||
        !json.fixed6("deltaE", r.deltaE))
        return std::nullopt;
    // 255 is "no teach row hit"; anything else outside the rows is no hit
    // either.
    if (r.colorNo >= 0 && r.colorNo <= 2)
        json.integer("colorNo", r.colorNo);
    else
        json.null("colorNo");
    json.integer("in0", r.in0 != 0 ? 1 : 0);
    json.integer("temp", r.temp);
    json.integer("dpSet", r.dpSet);
    json.boolean("sat", r.sat != 0);
    return json.take();
}

std::string identityPayload(std::string_view firmware, std::string_view name, std::uint16_t serial) {
    JsonObject json;
    json.text("firmware", firmware);
    json.text("name", name);
    json.integer("serial", serial);
    json.text("program", kPublishingProgram);
    return json.take();
}

std::string parametersPayload(const parameters::ParameterWords& words) {
    JsonObject json;
    for (std::size_t w = 0; w < parameters::kFileWordCount; ++w)
        json.integer(parameters::kParameterFileKeys[w], words[w]);
    const std::string_view space = calibration::colourSpaceName(words[parameters::word::ColorSpace]);
    if (space.empty())
        json.null("COLOR SPACE NAME");
    else
        json.text("COLOR SPACE NAME", space);
    return json.take();
}

} // namespace tavrino::publish
