#include "app/session.h"

namespace tavrino::app {

void SessionOperator::showChildPanel(ChildPanel panel) {
    shell_.currentChildPanel = panel;
    outer_.showChildPanel(panel);
    shell_.notify(ShellChange::ChildPanel);
}

void SessionOperator::setDimmed(Dimmable group, bool dimmed) {
    dimming_.apply(group, dimmed);
    outer_.setDimmed(group, dimmed);
}

ParameterState::ParameterState(link::SensorLink& link, RunFlags& flags, Operator& op, Graphs& graphs,
                               const Language& language, std::string& parameterFile)
    : rules(controls, teachTable, set, op, graphs, language),
      transfer(link, flags, set, controls, teachTable, rules, op, language, parameterFile) {
    // The parameter set starts as the controls' defaults.
    parameters::GetPanelValues(controls, teachTable, set);
}

Session::Session(Operator& op, Graphs& graphs, std::string programDirectory)
    : programDirectory_(std::move(programDirectory)), graphs_(graphs), shell(programDirectory_),
      op_(op, dimming, shell), link(flags, op_, shell.language),
      parameters(link, flags, op_, graphs_, shell.language, shell.paths.parameterFile), assistant(link) {
    teach::paintRowColours(rowColours, parameters.teachTable);
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
    s.panelId = shell.panelId;
    s.language = languageIndex(shell.language);
    s.windowRestore = shell.windowRestore;
    s.window = shell.window;
    s.paths = shell.paths;
    s.serverAddresses = connection.serverAddresses.entries();
    s.connection = connection.settings;
    return s;
}

void Session::applyPanelSettings(const PanelSettings& s) {
    shell.panelId = s.panelId;
    shell.language = languageFromIndex(s.language);
    shell.windowRestore = s.windowRestore;
    shell.window = s.window;
    shell.paths = s.paths;
    connection.serverAddresses.clear();
    for (const auto& address : s.serverAddresses)
        connection.serverAddresses.append(address);
    shell.notify(ShellChange::PanelId);
    shell.notify(ShellChange::Language);
    shell.notify(ShellChange::Window);
    shell.notify(ShellChange::Paths);
    connection.notify(ConnectionChange::ServerAddresses);
}

} // namespace tavrino::app
