// Connection management from the command line: info, hwinfo, baud. Each
// builds a session, so the connection check, the baud-rate change and the
// hardware information file run the same operations as the desktop program.
#include "app/connection.h"
#include "app/program_directory.h"
#include "app/session.h"
#include "cli/cli_context.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace tavrino::cli {

namespace {

// A session on the endpoint of the command line; nothing when the endpoint
// is malformed (the usage error has been written).
std::unique_ptr<app::Session> sessionFor(CliContext& ctx) {
    auto s = std::make_unique<app::Session>(ctx.op, app::programDirectoryFor(std::nullopt));
    s->language = ctx.language;
    if (ctx.link != nullptr)
        s->link.trace = ctx.link->trace;
    app::ConnectionSettings& c = s->connection;
    if (ctx.tcp) {
        const auto endpoint = parseTcpEndpoint(*ctx.tcp);
        if (!endpoint) {
            usageError("--tcp needs HOST:PORT");
            return nullptr;
        }
        c.protocol = app::kProtocolTcpIp;
        c.serverAddress = endpoint->host;
        c.portNumber = std::to_string(endpoint->port);
    } else {
        c.protocol = app::kProtocolRs232;
        c.comDevice = *ctx.serial;
        c.baudIndex = static_cast<std::int16_t>(ctx.baudIndex);
    }
    return s;
}

// Connects as the connect button does. A connection that cannot be made or
// checked is answered with Offline, which sends nothing more.
bool connect(CliContext& ctx, app::Session& s) {
    ctx.op.closeOrOfflineAnswer = ConnectFailureChoice::Offline;
    app::InitConnectPanel(s);
    app::SetButtonsDimmed(s, 0, true);
    app::TryToConnect(s);
    if (s.flags.sensorConnected != 1)
        return false;
    app::SetButtonsDimmed(s, 0, false);
    return true;
}

} // namespace

int commandInfo(CliContext& ctx, const Arguments& args) {
    if (!args.empty())
        return usageError("info takes no arguments");
    if (!ctx.hasEndpoint())
        return usageError("a sensor is needed: --tcp HOST:PORT or --serial DEVICE");
    ctx.op.logStream = stdout;
    auto s = sessionFor(ctx);
    if (!s)
        return kExitUsage;
    return connect(ctx, *s) ? kExitOk : kExitFailure;
}

int commandHwInfo(CliContext& ctx, const Arguments& args) {
    std::optional<std::string> file;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size())
            file = args[++i];
        else
            return usageError("hwinfo: unknown argument " + args[i]);
    }
    if (!file || file->empty())
        return usageError("hwinfo needs -o FILE");
    if (!ctx.hasEndpoint())
        return usageError("a sensor is needed: --tcp HOST:PORT or --serial DEVICE");
    auto s = sessionFor(ctx);
    if (!s)
        return kExitUsage;
    if (!connect(ctx, *s))
        return kExitFailure;
    app::SetButtonsDimmed(*s, 0, true);
    const int result = app::GenerateHWInfoFile(*s, file);
    app::SetButtonsDimmed(*s, 0, false);
    return result == 1 ? kExitOk : kExitFailure;
}

int commandBaud(CliContext& ctx, const Arguments& args) {
    if (args.size() != 1)
        return usageError("baud needs one baud-rate index");
    const auto index = parseInteger(args[0], 0, 7);
    if (!index)
        return usageError("baud: the baud-rate index is 0..7");
    if (!ctx.serial || ctx.tcp)
        return usageError("baud works on the serial line only: --serial DEVICE [--baud INDEX]");
    auto s = sessionFor(ctx);
    if (!s)
        return kExitUsage;
    if (!connect(ctx, *s))
        return kExitFailure;
    s->connection.baudIndex = static_cast<std::int16_t>(*index);
    app::SetButtonsDimmed(*s, 0, true);
    s->dimming.setConfirmedConnectionButtons(true);
    const int result = app::ChangeBaudrate(*s);
    app::SetButtonsDimmed(*s, 0, false);
    return result == 1 ? kExitOk : kExitFailure;
}

} // namespace tavrino::cli
