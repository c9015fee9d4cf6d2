#pragma once

namespace tavrino::app {
class Session;
}

namespace tavrino::ui {

class CallbackDepth;
class HelpRegistry;

// What every page and panel is built with: the session whose models it
// shows, the right-click help registry and the callback counter that the
// shutdown waits on.
struct UiContext {
    app::Session& session;
    HelpRegistry& help;
    CallbackDepth& callbacks;
};

} // namespace tavrino::ui
