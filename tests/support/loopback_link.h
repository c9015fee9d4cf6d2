#pragma once

// The session's link to a scripted or simulated sensor on a loopback TCP
// port. For tests of the program's operations (they link tavrino_app).

#include "app/connection.h"
#include "app/session.h"
#include "support/scripted_operator.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrino::test {

// Points the session's connection settings at `port` on 127.0.0.1, as the
// operator would on the connection page.
inline void useLoopbackTcp(app::Session& session, unsigned port) {
    link::ConnectionSettings& settings = session.connection.settings;
    settings.protocol = link::Protocol::TcpIp;
    settings.serverAddress = "127.0.0.1";
    settings.portNumber = std::to_string(port);
}

// useLoopbackTcp, then the link opened; a failure carries the connection log.
inline ::testing::AssertionResult openLoopbackLink(app::Session& session, unsigned port,
                                                   const ScriptedOperator& op) {
    useLoopbackTcp(session, port);
    if (app::OpenLink(session) && session.link.tcpConnected())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no link to 127.0.0.1:" << port << ": " << op.connectionLog;
}

} // namespace tavrino::test
