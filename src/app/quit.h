#pragma once

#include "app/session.h"

namespace tavrino::app {

// What closing the program asks of everything that runs: every loop ends at
// the end of its current pass, the assistant at its next step without further
// questions, and every wait (an exchange, a frame wait, a pause) looks at its
// stop condition again now.
void EndRunsForQuit(Session& s);

} // namespace tavrino::app
