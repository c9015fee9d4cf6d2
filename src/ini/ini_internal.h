#pragma once

// Pieces of the INI store shared by its source files; not part of the API.

#include "ini/ini.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tavrino {

// --- Names and values ---------------------------------------------------------

// White space of the C locale; never depends on the process locale.
[[nodiscard]] constexpr bool iniIsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
[[nodiscard]] std::string_view iniTrim(std::string_view text);
[[nodiscard]] std::string_view iniTrimRight(std::string_view text);
// Case-insensitive (ASCII) comparison of names: <0, 0, >0.
[[nodiscard]] int iniCompareNames(std::string_view a, std::string_view b);
[[nodiscard]] inline bool iniNamesEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() && iniCompareNames(a, b) == 0;
}

[[nodiscard]] std::string iniEscape(std::string_view text);
[[nodiscard]] std::string iniUnescape(std::string_view written);
[[nodiscard]] std::string iniFormatInt(std::int32_t value);
[[nodiscard]] std::string iniFormatDouble(double value);
// Empty or all-blank values give nothing; malformed ones the Invalid status.
enum class IniParse { Empty, Ok, Invalid };
[[nodiscard]] IniParse iniParseInt(std::string_view text, std::int32_t& value);
[[nodiscard]] IniParse iniParseDouble(std::string_view text, double& value);

// --- Text format --------------------------------------------------------------

// Turns a stream of bytes, fed in pieces of any size, into lines and the lines
// into sections and items of the document.
class IniReader {
public:
    explicit IniReader(IniDocument& document);
    void feed(std::string_view bytes);
    // Ends the read. A read that failed part-way passes complete = false: the
    // unfinished last line is then dropped because it may be cut short.
    void finish(bool complete);

private:
    void endLine();
    void handleLine(std::string_view line);
    void handleSectionLine(std::string_view afterBracket);
    void handleItemLine(std::string_view line);
    void ignoredLine();
    void joinContinuationLines(IniDocument::Section& section);

    IniDocument& doc_;
    std::string line_;
    bool inLine_ = false; // characters seen since the last line end
    char lastEnd_ = '\0'; // CR or LF that ended the previous line, else NUL
    int lineNumber_ = 0;
    std::string pendingComment_;
    std::size_t current_; // section receiving items; npos before the first
    std::size_t firstNewSection_;
};

// Produces the text of a document and hands it to a sink in blocks of about
// bufferSize bytes. The sink returns 0 or a negative status, which stops the
// write.
class IniWriter {
public:
    using Sink = std::function<int(std::string_view)>;
    IniWriter(const IniDocument& document, Sink sink, std::size_t bufferSize);
    [[nodiscard]] int run();

private:
    int line(std::string_view text);
    int item(const IniDocument::Item& item);
    int flush();

    const IniDocument& doc_;
    Sink sink_;
    std::size_t bufferSize_;
    std::string buffer_;
};

// The longest line the reader takes. An item line may be longer than a file
// line (kIniMaxLineLength) when it was written by hand or by another
// program; a line longer than this is nothing the program's files hold and
// is ignored as a whole.
inline constexpr std::size_t kIniMaxReadLineLength = 64 * 1024;

inline constexpr std::size_t kIniWriteBufferSize = 16 * 1024;
inline constexpr std::size_t kIniReadBufferSize = 2048;

// --- Files --------------------------------------------------------------------

[[nodiscard]] int iniReadFile(IniDocument& document, const std::string& path);
// Whether anything is at the path, as far as the caller can tell: a path that
// cannot be examined (no search permission on a directory) counts as there.
[[nodiscard]] bool iniPathExists(const std::string& path) noexcept;
[[nodiscard]] int iniWriteFile(const IniDocument& document, const std::string& path);

} // namespace tavrino
