#pragma once

// The one way the program writes a file, whatever the file holds (settings,
// data, record files). A write never destroys what the path names:
//
//   * replacing writes a temporary file of its own beside the target (a name
//     no other file has), flushes it to disk and renames it over the target,
//     so the target is either the old file or the whole new one;
//   * a symbolic link stays a link: the file it names is the one replaced;
//   * an existing target keeps its permissions;
//   * a target that is not a regular file (a directory, a FIFO, a device)
//     or that is read-only (no write permission bit, also for the superuser)
//     is refused and left as it was;
//   * appending never waits: it opens without blocking and refuses what is
//     not a regular file.
//
// The statuses are the INI store's (ini/ini.h): kIniOk, or a negative code;
// a refused target gives kIniNotWritable. Callers tell the operator "File
// could not be saved!" with the path.

#include <functional>
#include <string>
#include <string_view>

namespace tavrino {

// Takes the next piece of the file; kIniOk, or a negative status that stops
// the write.
using FileSink = std::function<int(std::string_view)>;
// Writes the whole file through the sink; kIniOk or the first failure.
using FileContents = std::function<int(const FileSink&)>;

// Replaces the file at `path` with what `contents` writes.
[[nodiscard]] int replaceFile(const std::string& path, const FileContents& contents) noexcept;
[[nodiscard]] int replaceFile(const std::string& path, std::string_view contents) noexcept;

// Adds `bytes` to the end of the file at `path`, creating it when missing.
// The bytes go in whole or not at all: after a failed write (a full disk)
// the file is cut back to its size before. Nothing to add still checks that
// the file could take it.
[[nodiscard]] int appendToFile(const std::string& path, std::string_view bytes) noexcept;

// Reads the whole regular file at `path` into `text`: kIniOk, or
// kIniCouldNotOpenFile for a path that names nothing readable or no regular
// file (a FIFO is refused without waiting for a writer), or kIniReadError.
[[nodiscard]] int readRegularFile(const std::string& path, std::string& text) noexcept;

} // namespace tavrino
