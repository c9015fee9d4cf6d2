#include "app/session.h"

#include <algorithm>

namespace tavrino::app {

void SessionOperator::showChildPanel(ChildPanel panel) {
    currentChildPanel_ = panel;
    outer_.showChildPanel(panel);
    if (notify_)
        notify_(SessionChange::ChildPanel);
}

void SessionOperator::setDimmed(Dimmable group, bool dimmed) {
    dimming_.apply(group, dimmed);
    outer_.setDimmed(group, dimmed);
}

Session::Session(Operator& op, std::string programDirectory)
    : programDirectory_(std::move(programDirectory)),
      op_(op, dimming, currentChildPanel, currentMainTab, [this](SessionChange change) { notify(change); }),
      link(flags, op_, language), rules(controls, teachTable, parameterSet, op_, language),
      transfer(link, flags, parameterSet, controls, teachTable, rules, op_, language),
      paths(defaultFilePaths(programDirectory_)) {
    // The parameter set starts as the controls' defaults.
    parameters::GetPanelValues(controls, teachTable, parameterSet);
    teach::paintRowColours(rowColours, teachTable);
}

Session::~Session() {
    // A wait still running would return into a destroyed session.
    link.abortWait();
    link.closeAll();
}

std::string Session::panelSettingsFile() const {
    return joinPath(programDirectory_, kPanelSettingsFileName);
}

PanelSettings Session::panelSettings() const {
    PanelSettings s;
    s.panelId = panelId;
    s.language = languageIndex(language);
    s.windowRestore = windowRestore;
    s.window = window;
    s.paths = paths;
    s.serverAddresses = serverAddresses.entries();
    s.connection = connection;
    return s;
}

void Session::applyPanelSettings(const PanelSettings& s) {
    panelId = s.panelId;
    language = languageFromIndex(s.language);
    windowRestore = s.windowRestore;
    window = s.window;
    paths = s.paths;
    serverAddresses.clear();
    for (const auto& address : s.serverAddresses)
        serverAddresses.append(address);
    notify(SessionChange::PanelId);
    notify(SessionChange::Language);
    notify(SessionChange::Window);
    notify(SessionChange::Paths);
    notify(SessionChange::ServerAddresses);
}

int Session::subscribe(Observer observer) {
    const int id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void Session::unsubscribe(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void Session::notify(SessionChange change) const {
    const auto observers = observers_;
    for (const auto& [id, observer] : observers)
        observer(change);
}

} // namespace tavrino::app
