#pragma once

#include "common/operator.h"

#include <cstdio>
#include <string>

namespace tavrino::cli {

// The operator of the command-line tool: messages and the connection log go
// to stderr (or the log to stdout where a command prints it), questions are
// answered from the command's options, file dialogs from a preset path.
class ConsoleOperator : public Operator {
public:
    // Answer to every Yes/No question (No unless --yes).
    bool answerYes = false;
    // Answer to the Close/Offline popup: Close ends the command.
    ConnectFailureChoice closeOrOfflineAnswer = ConnectFailureChoice::Close;
    // Path a file dialog "chooses"; empty means nothing chosen.
    std::string presetFile;
    // Where the connection log goes.
    std::FILE* logStream = stderr;
    // The error number of the first connection-log text that could not be
    // written to logStream; 0 while all of it was.
    int logWriteError = 0;
    // Set when the operator chose Close: the command ends with status 1.
    bool closeRequested = false;
    // Everything appended to the connection log, in order.
    std::string connectionLog;
    // While set nothing is written or logged: repeated connection checks of
    // one outage that would only say the same again.
    bool quiet = false;

    void message(std::string_view title, std::string_view text) override;
    bool confirm(std::string_view title, std::string_view text) override;
    // Answered with `okLabel` when answerYes is set, else with `cancelLabel`.
    bool okCancel(std::string_view title, std::string_view text, std::string_view okLabel,
                  std::string_view cancelLabel) override;
    std::optional<std::string> prompt(std::string_view title, std::string_view text,
                                      std::size_t maxLength) override;
    ConnectFailureChoice closeOrOffline(std::string_view title, std::string_view text,
                                        std::string_view closeLabel) override;
    FileChoice selectFile(const FileRequest& request) override;
    void appendConnectionLog(std::string_view text) override;
    // To stderr also where the log goes to stdout.
    void appendFailureToConnectionLog(std::string_view text) override;
    void setSensorStatus(std::string_view) override {}
    void showMainTab(MainTab) override {}
    void showChildPanel(ChildPanel) override {}
    void setDimmed(Dimmable, bool) override {}
};

} // namespace tavrino::cli
