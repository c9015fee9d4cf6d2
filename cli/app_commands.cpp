// Connection management from the command line: info, hwinfo, baud. They
// connect as the connect button does, so the connection check, the baud-rate
// change and the hardware information file run the desktop program's
// operations.
#include "app/connection.h"
#include "cli/cli_context.h"

#include <string>

namespace tavrino::cli {

namespace {

// Connects to the endpoint of the command line as the connect button does:
// kExitOk when connected, else the status the command ends with. A
// connection that cannot be made or checked is answered with Offline, which
// sends nothing more.
int connect(CliContext& ctx) {
    const auto endpoint = ctx.endpoint();
    if (!endpoint)
        return kExitUsage;
    ctx.op().closeOrOfflineAnswer = ConnectFailureChoice::Offline;
    ctx.useEndpoint(*endpoint);
    return app::ConnectToSensor(ctx.session()) == 1 ? kExitOk : kExitFailure;
}

} // namespace

int commandInfo(CliContext& ctx) {
    ctx.op().logStream = stdout;
    const int status = connect(ctx);
    // The log is what info prints: a log that did not reach stdout is a
    // failed command, whatever the sensor said.
    if (const int error = ctx.op().logWriteError; error != 0) {
        reportUnwrittenOutput(error);
        return kExitFailure;
    }
    return status;
}

int commandHwInfo(CliContext& ctx, const std::string& file) {
    if (file.empty())
        return usageError("hwinfo needs -o FILE");
    if (const int status = connect(ctx); status != kExitOk)
        return status;
    app::Session& s = ctx.session();
    app::SetButtonsDimmed(s, 0, true);
    const int result = app::GenerateHWInfoFile(s, file);
    app::SetButtonsDimmed(s, 0, false);
    return result == 1 ? kExitOk : kExitFailure;
}

int commandBaud(CliContext& ctx, const std::string& index) {
    const auto baudIndex = parseInteger(index, 0, 7);
    if (!baudIndex)
        return usageError("baud: the baud-rate index is 0..7");
    if (!ctx.options().serial || ctx.options().tcp)
        return usageError("baud works on the serial line only: --serial DEVICE [--baud INDEX]");
    if (const int status = connect(ctx); status != kExitOk)
        return status;
    // What the change-baud-rate button does with the new index selected.
    app::Session& s = ctx.session();
    app::baudIndexChanged(s, static_cast<int>(*baudIndex));
    return app::changeBaudrateButton(s) == 1 ? kExitOk : kExitFailure;
}

} // namespace tavrino::cli
