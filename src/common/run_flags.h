#pragma once

#include <cstdint>

namespace tavrino {

// The program-wide flags that loops and transfers test between their steps.
// Any code may clear `running` or `scopeRunning`; a loop notices it at the end
// of the pass in which it was cleared.
struct RunFlags {
    std::int16_t running = 0;         // live measurement, recorder and teach loops
    std::int16_t scopeRunning = 0;    // scope scan
    std::int16_t sensorConnected = 0; // set by a successful connection check
    std::int16_t sendPending = 0;     // SEND pressed while a loop runs
    std::int16_t getPending = 0;      // GET pressed while a loop runs
};

} // namespace tavrino
