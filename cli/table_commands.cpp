// The table settings commands: the row colours and specifications the
// sensor keeps, written to a table attributes file, and a table attributes
// file sent to the sensor. They run the table settings page's operations.
#include "app/table_settings.h"
#include "cli/cli_context.h"

#include <string>

namespace tavrino::cli {

int commandTableGet(CliContext& ctx, const TableOptions& options) {
    if (const int status = ctx.openEndpoint(); status != kExitOk)
        return status;
    app::Session& s = ctx.session();
    if (app::GetTableSettingsFromEE(s) != 1)
        return kExitFailure;
    ctx.op().presetFile = options.file;
    return app::SaveTableSettingsToFile(s) == teach::TableFileResult::Saved ? kExitOk : kExitFailure;
}

int commandTableSend(CliContext& ctx, const TableOptions& options) {
    const auto endpoint = ctx.endpoint();
    if (!endpoint)
        return kExitUsage;
    if (!readableFile(options.file))
        return kExitFailure;
    ctx.op().presetFile = options.file;
    ctx.op().answerYes = options.yes;
    app::Session& s = ctx.session();
    if (app::GetTableSettingsFromFile(s) != teach::TableFileResult::Read)
        return kExitFailure;
    if (ctx.openLink(*endpoint) != kExitOk)
        return kExitFailure;
    return app::SaveTableSettingsToEE(s) == 1 ? kExitOk : kExitFailure;
}

} // namespace tavrino::cli
