#include "app/quit.h"

namespace tavrino::app {

void EndRunsForQuit(Session& s) {
    s.flags.running = 0;
    s.flags.scopeRunning = 0;
    s.assistant.abandoned = s.assistant.running;
    s.link.wakeWaits();
}

} // namespace tavrino::app
