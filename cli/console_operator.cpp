#include "cli/console_operator.h"

#include <cerrno>
#include <filesystem>
#include <string>

namespace tavrino::cli {

namespace {
void writeLine(std::FILE* f, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), f);
    if (text.empty() || text.back() != '\n')
        std::fputc('\n', f);
    std::fflush(f);
}
} // namespace

void ConsoleOperator::message(std::string_view, std::string_view text) {
    if (!quiet)
        writeLine(stderr, text);
}

bool ConsoleOperator::confirm(std::string_view, std::string_view text) {
    writeLine(stderr, text);
    writeLine(stderr, answerYes ? "-> Yes" : "-> No");
    return answerYes;
}

bool ConsoleOperator::okCancel(std::string_view, std::string_view text, std::string_view okLabel,
                               std::string_view cancelLabel) {
    writeLine(stderr, text);
    writeLine(stderr, "-> " + std::string(answerYes ? okLabel : cancelLabel));
    return answerYes;
}

std::optional<std::string> ConsoleOperator::prompt(std::string_view, std::string_view text, std::size_t) {
    // Nothing can be typed in: the prompt counts as cancelled.
    writeLine(stderr, text);
    return std::nullopt;
}

ConnectFailureChoice ConsoleOperator::closeOrOffline(std::string_view, std::string_view text,
                                                     std::string_view) {
    if (!quiet)
        writeLine(stderr, text);
    if (closeOrOfflineAnswer == ConnectFailureChoice::Close)
        closeRequested = true;
    return closeOrOfflineAnswer;
}

FileChoice ConsoleOperator::selectFile(const FileRequest&) {
    if (presetFile.empty())
        return {};
    std::error_code ec;
    const bool exists = std::filesystem::is_regular_file(presetFile, ec);
    return {exists ? FileChoice::Kind::Existing : FileChoice::Kind::New, presetFile};
}

void ConsoleOperator::appendConnectionLog(std::string_view text) {
    if (quiet)
        return;
    connectionLog += text;
    errno = 0;
    const bool written =
        std::fwrite(text.data(), 1, text.size(), logStream) == text.size() && std::fflush(logStream) == 0;
    if (written)
        return;
    if (logWriteError == 0)
        logWriteError = errno != 0 ? errno : EIO;
    clearerr(logStream);
}

void ConsoleOperator::appendFailureToConnectionLog(std::string_view text) {
    connectionLog += text;
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

} // namespace tavrino::cli
