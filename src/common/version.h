#pragma once

#include <string>
#include <string_view>

namespace tavrino {

// The build's own version, "3.2.<n>" (see cmake/TavrinoVersion.cmake).
[[nodiscard]] std::string_view buildVersion();

// What every program prints for --version: the product line, then the
// program's name with the build's version.
[[nodiscard]] std::string versionText(std::string_view program);

} // namespace tavrino
