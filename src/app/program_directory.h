#pragma once

#include <optional>
#include <string>

namespace tavrino::app {

// The program directory: `dataDir` when given (--data-dir), otherwise the
// executable's directory when it is writable, otherwise the per-user
// application data directory (created when missing). Needs a Qt application
// object for the executable's directory.
[[nodiscard]] std::string programDirectoryFor(const std::optional<std::string>& dataDir);

} // namespace tavrino::app
