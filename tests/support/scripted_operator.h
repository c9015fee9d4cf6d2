#pragma once

#include "common/operator.h"

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavrino::test {

// An Operator that records every call and answers from queues. A question
// without a queued answer fails the test loudly instead of guessing.
class ScriptedOperator : public Operator {
public:
    struct Call {
        std::string kind; // "message", "confirm", "okCancel", "prompt", "closeOrOffline", "file", "log",
                          // "status", "tab", "panel", "dim"
        std::string title;
        std::string text;
        int value = 0;
    };

    std::vector<Call> calls;
    std::deque<bool> confirmAnswers;
    std::deque<bool> okCancelAnswers; // true: OK
    std::deque<std::optional<std::string>> promptAnswers;
    std::deque<ConnectFailureChoice> closeOrOfflineAnswers;
    std::deque<FileChoice> fileAnswers;
    std::vector<FileRequest> fileRequests;
    std::string connectionLog;
    std::string sensorStatus;
    std::optional<MainTab> currentTab;
    std::optional<ChildPanel> currentPanel;
    bool dimmed[3] = {false, false, false};

    void message(std::string_view title, std::string_view text) override {
        calls.push_back({"message", std::string(title), std::string(text), 0});
    }
    bool confirm(std::string_view title, std::string_view text) override {
        calls.push_back({"confirm", std::string(title), std::string(text), 0});
        if (confirmAnswers.empty())
            throw std::logic_error("unscripted confirm: " + std::string(text));
        bool a = confirmAnswers.front();
        confirmAnswers.pop_front();
        return a;
    }
    bool okCancel(std::string_view title, std::string_view text, std::string_view okLabel,
                  std::string_view cancelLabel) override {
        calls.push_back({"okCancel", std::string(title), std::string(text), 0});
        labels.emplace_back(std::string(okLabel) + "/" + std::string(cancelLabel));
        if (okCancelAnswers.empty())
            throw std::logic_error("unscripted OK/Cancel: " + std::string(text));
        bool a = okCancelAnswers.front();
        okCancelAnswers.pop_front();
        return a;
    }
    // The button labels of each OK/Cancel question, "OK/Cancel".
    std::vector<std::string> labels;
    std::optional<std::string> prompt(std::string_view title, std::string_view text,
                                      std::size_t maxLength) override {
        calls.push_back({"prompt", std::string(title), std::string(text), static_cast<int>(maxLength)});
        if (promptAnswers.empty())
            throw std::logic_error("unscripted prompt: " + std::string(text));
        auto a = promptAnswers.front();
        promptAnswers.pop_front();
        return a;
    }
    ConnectFailureChoice closeOrOffline(std::string_view title, std::string_view text,
                                        std::string_view) override {
        calls.push_back({"closeOrOffline", std::string(title), std::string(text), 0});
        if (closeOrOfflineAnswers.empty())
            throw std::logic_error("unscripted close/offline: " + std::string(text));
        auto a = closeOrOfflineAnswers.front();
        closeOrOfflineAnswers.pop_front();
        return a;
    }
    FileChoice selectFile(const FileRequest& request) override {
        calls.push_back({"file", request.title, request.defaultName, static_cast<int>(request.mode)});
        fileRequests.push_back(request);
        if (fileAnswers.empty())
            throw std::logic_error("unscripted file dialog: " + request.title);
        auto a = fileAnswers.front();
        fileAnswers.pop_front();
        return a;
    }
    void appendConnectionLog(std::string_view text) override {
        calls.push_back({"log", {}, std::string(text), 0});
        connectionLog += text;
    }
    void setSensorStatus(std::string_view text) override {
        calls.push_back({"status", {}, std::string(text), 0});
        sensorStatus = text;
    }
    void showMainTab(MainTab tab) override {
        calls.push_back({"tab", {}, {}, static_cast<int>(tab)});
        currentTab = tab;
    }
    void showChildPanel(ChildPanel panel) override {
        calls.push_back({"panel", {}, {}, static_cast<int>(panel)});
        currentPanel = panel;
    }
    void setDimmed(Dimmable group, bool dim) override {
        calls.push_back({"dim", {}, {}, static_cast<int>(group) * 2 + (dim ? 1 : 0)});
        dimmed[static_cast<int>(group)] = dim;
    }

    // Messages shown in message boxes, in order.
    [[nodiscard]] std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& c : calls)
            if (c.kind == "message")
                out.push_back(c.text);
        return out;
    }
    [[nodiscard]] std::size_t count(const std::string& kind) const {
        std::size_t n = 0;
        for (const auto& c : calls)
            n += c.kind == kind ? 1 : 0;
        return n;
    }
};

} // namespace tavrino::test
