#pragma once

// Whole files as bytes, for tests that check what the program wrote or give
// it a file to read. Standard C++ only.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tavrino::test {

// The file's bytes; empty when it cannot be read.
inline std::string readFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Replaces the file's content with `bytes`; false when not all of them could
// be written.
inline bool writeFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.flush();
    return static_cast<bool>(out);
}

} // namespace tavrino::test
