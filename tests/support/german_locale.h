#pragma once

#include "support/build_paths.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace tavrino::test {

// Puts the C library under a German locale, where "%f" writes a decimal
// comma: the one installed on the machine, or else one built with localedef
// into the test output under `area`. Each caller names its own area, because
// tests run in parallel and one of them would read another's half-built
// locale. The caller sets LC_ALL back to "C" when done.
inline bool useGermanLocale(std::string_view area) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
        if (std::setlocale(LC_ALL, name) != nullptr)
            return true;
    const std::filesystem::path dir = tavrino::test::testOutputDir() / area / "locale";
    if (!std::filesystem::exists(dir / "de_DE.UTF-8")) {
        std::filesystem::create_directories(dir);
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + (dir / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        [[maybe_unused]] const int status = std::system(command.c_str());
    }
    ::setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

} // namespace tavrino::test
