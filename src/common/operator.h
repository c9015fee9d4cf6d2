#pragma once

#include "common/ids.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavrino {

// What a file dialog asks for.
struct FileRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    std::string startDirectory;
    std::string defaultName;
    std::string filter; // for example "*.ini"
    std::string title;
};

// What the operator chose in a file dialog.
struct FileChoice {
    enum class Kind { Nothing, Existing, New };
    Kind kind = Kind::Nothing;
    std::string path;

    [[nodiscard]] bool chosen() const { return kind != Kind::Nothing; }
};

// The answer to the failed-connection popup.
enum class ConnectFailureChoice { Close, Offline };

// Everything the program's logic asks of the person in front of it. The
// desktop program shows real dialogs, the command-line tool prints and answers
// from its options, tests answer from a script. Texts arrive already in the
// operator's language.
class Operator {
public:
    virtual ~Operator() = default;

    // Modal message box.
    virtual void message(std::string_view title, std::string_view text) = 0;
    // Yes/No question; true for Yes.
    virtual bool confirm(std::string_view title, std::string_view text) = 0;
    // A question with two buttons of the given labels; true for `okLabel`.
    virtual bool okCancel(std::string_view title, std::string_view text, std::string_view okLabel,
                          std::string_view cancelLabel) = 0;
    // Text entry of at most maxLength characters; nothing when cancelled.
    virtual std::optional<std::string> prompt(std::string_view title, std::string_view text,
                                              std::size_t maxLength) = 0;
    // The popup after a failed connection attempt: "Close" or "Offline".
    virtual ConnectFailureChoice closeOrOffline(std::string_view title, std::string_view text,
                                                std::string_view closeLabel) = 0;
    virtual FileChoice selectFile(const FileRequest& request) = 0;

    // The connection page's log text box.
    virtual void appendConnectionLog(std::string_view text) = 0;
    // A communication failure's entry in that log. Where a command prints the
    // log as its output, its failures still go where every report goes.
    virtual void appendFailureToConnectionLog(std::string_view text) { appendConnectionLog(text); }
    // The sensor status field of the measurement display panel.
    virtual void setSensorStatus(std::string_view text) = 0;
    virtual void showMainTab(MainTab tab) = 0;
    virtual void showChildPanel(ChildPanel panel) = 0;
    virtual void setDimmed(Dimmable group, bool dimmed) = 0;
};

} // namespace tavrino
