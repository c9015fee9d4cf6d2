#pragma once

#include "support/build_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace tavrino::test {

// A fresh, empty directory for the running test in the build's test output:
// <area>/<suite>.<test>, with the slashes of parameterised names replaced.
inline std::string testDirectory(std::string_view area) {
    namespace fs = std::filesystem;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    const fs::path dir = tavrino::test::testOutputDir() / area / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir.string();
}

} // namespace tavrino::test
