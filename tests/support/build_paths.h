#pragma once

// Where this build tree keeps the test output and the three programs. The
// paths are compiled into one small generated file of their own, so that no
// other test file depends on where the checkout lies and a second checkout
// reuses the compiler cache for everything else.

#include <filesystem>

namespace tavrino::test {

// <build>/test-output: every test writes below it.
std::filesystem::path testOutputDir();

// The simulated sensor, the command-line tool and the desktop program of
// this build tree. The desktop program's path is empty in a tree without it.
const char* simProgram();
const char* cliProgram();
const char* scopeProgram();

} // namespace tavrino::test
