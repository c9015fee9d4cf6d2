#pragma once

// The JSON payloads of the publishing topics: one measurement, the sensor's
// identity and its parameters. Pure functions of their inputs.

#include "measurement/record.h"
#include "parameters/options.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrino::publish {

// The program named in the identity payload.
inline constexpr std::string_view kPublishingProgram = "TAVRINO4 VXR QLM Scope V3.2";

// `time` in UTC as ISO 8601 with milliseconds: "2026-03-07T09:05:01.123Z".
[[nodiscard]] std::string utcTimestamp(std::chrono::system_clock::time_point time);

// {"seq": n, "time": ..., "X": .., "Y": .., "Z": .., "rawX": .., "rawY": ..,
// "rawZ": .., "cs": [csX, csY, csI], "ref": [refX, refY, refI], "deltaE": ..,
// "colorNo": 0..2 or null, "in0": 0|1, "temp": .., "dpSet": .., "sat": bool}
// with the colour-space values, references and delta E to six decimals.
// Nothing when a value is infinite or NaN: such a frame cannot be told
// truthfully in JSON.
[[nodiscard]] std::optional<std::string> measurementPayload(const measurement::MeasurementRecord& record,
                                                            std::uint64_t seq, std::string_view time);

// {"firmware": ..., "name": ..., "serial": n, "program": ...}.
[[nodiscard]] std::string identityPayload(std::string_view firmware, std::string_view name,
                                          std::uint16_t serial);

// Every word of the parameter file by its key, in word order, then
// "COLOR SPACE NAME" (null for a COLOR SPACE that names no space).
[[nodiscard]] std::string parametersPayload(const parameters::ParameterWords& words);

} // namespace tavrino::publish
