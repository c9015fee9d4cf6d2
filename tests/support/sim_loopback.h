#pragma once

// For tests that link the simulated sensor (tavrino_sim).

#include "sim_server.h"

#include <QHostAddress>
#include <QString>

#include <gtest/gtest.h>

namespace tavrino::test {

// Starts `server` on a free loopback TCP port (then its tcpPort()); a failure
// carries the reason.
inline ::testing::AssertionResult listenOnLoopback(sim::SimServer& server) {
    QString error;
    if (server.listenTcp(QHostAddress::LocalHost, 0, &error))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << error.toStdString();
}

} // namespace tavrino::test
