#pragma once

// The program's session on the simulated sensor, for the benchmarks that
// run the program's operations.
#include "app/connection.h"
#include "app/session.h"
#include "sim_process.h"
#include "support/scripted_operator.h"

#include <string>

namespace tavrino::bench {

// Opens the session's link to the simulator over loopback TCP, as the
// connection page would with its address and port. Empty on success,
// otherwise what went wrong.
inline std::string openOverTcp(app::Session& session, const SimProcess& sim,
                               const test::ScriptedOperator& op) {
    if (!sim.error().empty())
        return sim.error();
    link::ConnectionSettings& settings = session.connection.settings;
    settings.protocol = link::Protocol::TcpIp;
    settings.serverAddress = "127.0.0.1";
    settings.portNumber = std::to_string(sim.tcpPort());
    app::OpenLink(session);
    return session.link.tcpConnected() ? std::string{} : "TCP: " + op.connectionLog;
}

} // namespace tavrino::bench
