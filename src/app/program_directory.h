#pragma once

#include <optional>
#include <string>

namespace tavrino::app {

// The program directory: `dataDir` when given (--data-dir), otherwise the
// executable's directory when the program runs from where it was built and
// that directory is writable, otherwise (an installed program, or one in a
// read-only place) the per-user application data directory, created when
// missing. Needs a Qt application object for the executable's directory.
[[nodiscard]] std::string programDirectoryFor(const std::optional<std::string>& dataDir);

// Where the pictures the program shows (the background pictures, the logo)
// lie: the installed program's shared data directory (`share/tavrino-scope`
// beside its `bin`), otherwise the executable's own directory.
[[nodiscard]] std::string pictureDirectory();

// The shared data directory of an installed program, empty when the
// executable does not sit in an installed layout.
[[nodiscard]] std::string installedDataDirectoryOf(const std::string& executableDir);

} // namespace tavrino::app
