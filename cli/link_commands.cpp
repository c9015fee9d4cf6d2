// The link-level commands: ping, measure, raw. They open the link as the
// connection page does, without the connection check, and make only the
// exchanges they name.
#include "app/connection.h"
#include "app/live_measurement.h"
#include "cli/cli_context.h"
#include "link/orders.h"

#include <cstring>
#include <string>

namespace tavrino::cli {

namespace {

// One frame as the TAB-separated line of `measure`.
std::string measurementLine(const measurement::MeasurementRecord& r) {
    std::string line;
    line.reserve(256);
    auto addInt = [&](long v) {
        line += std::to_string(v);
        line += '\t';
    };
    auto addDouble = [&](double v) {
        line += formatFixed6(v);
        line += '\t';
    };
    for (long v : {long{r.X}, long{r.Y}, long{r.Z}, long{r.rawX}, long{r.rawY}, long{r.rawZ}})
        addInt(v);
    for (double v : {r.csX, r.csY, r.csI, r.refX, r.refY, r.refI, r.deltaE})
        addDouble(v);
    for (long v : {long{r.colorNo}, long{r.in0}, long{r.temp}, long{r.dpSet}, long{r.sat}})
        addInt(v);
    line.back() = '\n';
    return line;
}

} // namespace

int commandPing(CliContext& ctx) {
    if (const int status = ctx.openEndpoint(); status != kExitOk)
        return status;
    link::SensorLink& link = ctx.session().link;
    if (link.request(link::order::FirmwareText, 0) != 1)
        return kExitFailure;
    // The firmware text need not carry its terminating zero.
    const std::string firmware =
        app::payloadText(link.replyPayload(), link.lastReply().length, link::kFirmwareTextSize);
    return writeOut(firmware + '\n') ? kExitOk : kExitFailure;
}

int commandMeasure(CliContext& ctx, const MeasureOptions& options) {
    if (const int status = ctx.openEndpoint(); status != kExitOk)
        return status;
    app::Session& s = ctx.session();
    for (long i = 0; i < options.count; ++i) {
        // The live loop's exchange: order 8 into the session's record.
        if (app::fetchLiveFrame(s) != 1)
            return kExitFailure;
        // Line by line, so a reader that stops (a closed pipe) ends the
        // command at the next frame.
        if (!writeOut(measurementLine(s.live.record)))
            return kExitFailure;
    }
    return kExitOk;
}

int commandRaw(CliContext& ctx, const RawOptions& options) {
    const auto order = parseInteger(options.order, 0, 255);
    const auto argument = parseInteger(options.argument, 0, 65535);
    if (!order || !argument)
        return usageError("raw: ORDER must be 0..255 and ARG 0..65535");
    std::vector<std::uint8_t> payload;
    if (options.hex) {
        auto parsed = parseHex(*options.hex);
        if (!parsed || parsed->size() > link::kMaxRequestPayload)
            return usageError("raw: HEX must be pairs of hexadecimal digits (at most 2040 bytes)");
        payload = std::move(*parsed);
    }
    if (const int status = ctx.openEndpoint(); status != kExitOk)
        return status;
    link::SensorLink& link = ctx.session().link;
    if (!payload.empty())
        std::memcpy(link.stagingPayload(), payload.data(), payload.size());
    if (link.request(static_cast<int>(*order), static_cast<std::uint16_t>(*argument),
                     static_cast<std::uint16_t>(payload.size())) != 1)
        return kExitFailure;
    const auto& h = link.lastReply();
    const std::string line = std::to_string(h.order) + '\t' + std::to_string(h.argument) + '\t' +
                             std::to_string(h.length) + '\t' + hexBytes(link.replyPayload(), h.length) + '\n';
    return writeOut(line) ? kExitOk : kExitFailure;
}

} // namespace tavrino::cli
