// The link-level commands: ping, measure, raw.
#include "app/connection.h"
#include "cli/cli_context.h"
#include "link/orders.h"
#include "measurement/fetch.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace tavrino::cli {

int commandPing(CliContext& ctx, const Arguments& args) {
    if (!args.empty())
        return usageError("ping takes no arguments");
    if (!ctx.openLink())
        return ctx.openFailureStatus;
    if (ctx.link->request(link::order::FirmwareText, 0) != 1)
        return kExitFailure;
    // The firmware text need not carry its terminating zero.
    const std::string firmware =
        app::payloadText(ctx.link->replyPayload(), ctx.link->lastReply().length, link::kFirmwareTextSize);
    std::printf("%s\n", firmware.c_str());
    return kExitOk;
}

int commandMeasure(CliContext& ctx, const Arguments& args) {
    long count = 1;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-n" && i + 1 < args.size()) {
            auto n = parseInteger(args[++i], 1, 100000000);
            if (!n)
                return usageError("measure: -n needs a positive number");
            count = *n;
        } else {
            return usageError("measure: unknown argument " + args[i]);
        }
    }
    if (!ctx.openLink())
        return ctx.openFailureStatus;
    measurement::MeasurementRecord record;
    std::string line;
    line.reserve(256);
    for (long i = 0; i < count; ++i) {
        if (measurement::fetchFrame(*ctx.link, record, true) != 1)
            return kExitFailure;
        const auto& r = record;
        line.clear();
        auto addInt = [&](long v) {
            line += std::to_string(v);
            line += '\t';
        };
        auto addDouble = [&](double v) {
            line += formatFixed6(v);
            line += '\t';
        };
        addInt(r.X);
        addInt(r.Y);
        addInt(r.Z);
        addInt(r.rawX);
        addInt(r.rawY);
        addInt(r.rawZ);
        addDouble(r.csX);
        addDouble(r.csY);
        addDouble(r.csI);
        addDouble(r.refX);
        addDouble(r.refY);
        addDouble(r.refI);
        addDouble(r.deltaE);
        addInt(r.colorNo);
        addInt(r.in0);
        addInt(r.temp);
        addInt(r.dpSet);
        addInt(r.sat);
        line.back() = '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    std::fflush(stdout);
    return kExitOk;
}

int commandRaw(CliContext& ctx, const Arguments& args) {
    if (args.size() < 2 || args.size() > 3)
        return usageError("raw ORDER ARG [HEX]");
    auto order = parseInteger(args[0], 0, 255);
    auto argument = parseInteger(args[1], 0, 65535);
    if (!order || !argument)
        return usageError("raw: ORDER must be 0..255 and ARG 0..65535");
    std::vector<std::uint8_t> payload;
    if (args.size() == 3) {
        auto parsed = parseHex(args[2]);
        if (!parsed || parsed->size() > link::kMaxRequestPayload)
            return usageError("raw: HEX must be pairs of hexadecimal digits (at most 2040 bytes)");
        payload = std::move(*parsed);
    }
    if (!ctx.openLink())
        return ctx.openFailureStatus;
    if (!payload.empty())
        std::memcpy(ctx.link->stagingPayload(), payload.data(), payload.size());
    if (ctx.link->request(static_cast<int>(*order), static_cast<std::uint16_t>(*argument),
                          static_cast<std::uint16_t>(payload.size())) != 1)
        return kExitFailure;
    const auto& h = ctx.link->lastReply();
    std::printf("%u\t%u\t%u\t%s\n", h.order, h.argument, h.length,
                hexBytes(ctx.link->replyPayload(), h.length).c_str());
    return kExitOk;
}

} // namespace tavrino::cli
