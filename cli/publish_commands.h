#pragma once

// publish: every frame of the live loop to a plant's MQTT broker.

#include "cli/cli_context.h"

#include <functional>

namespace CLI {
class App;
}

namespace tavrino::cli {

// Adds the publish command to `app`; when it is the one given, `run` is set
// to what runs it.
void addPublishCommand(CLI::App& app, std::function<int(CliContext&)>& run);

} // namespace tavrino::cli
