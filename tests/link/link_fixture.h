#pragma once

#include "link/orders.h"
#include "link/sensor_link.h"
#include "link/texts.h"
#include "link/transport.h"
#include "support/peers.h"
#include "support/scripted_operator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tavrino::test {

enum class Line { Tcp, Pty };

inline std::string lineName(Line line) {
    return line == Line::Tcp ? "Tcp" : "Pty";
}

inline QByteArray firmwareText() {
    QByteArray text("TAVRINO4 VXR QLM V3.2.7 B");
    text.append(QByteArray(static_cast<int>(link::kFirmwareTextSize) - text.size(), '\0'));
    return text;
}

inline QByteArray pattern(int size, int seed = 1) {
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = static_cast<char>((i * 37 + seed * 11) & 0xFF);
    return b;
}

inline std::string logged(const Text& text) {
    return std::string(text.en) + "\n\n";
}

// A link in English with a scripted operator, connected to a scripted peer.
class LinkFixture : public ::testing::Test {
protected:
    RunFlags flags;
    ScriptedOperator op;
    Language language = Language::English;
    link::SensorLink link{flags, op, language};
    link::ConnectionSettings settings;
    std::unique_ptr<Peer> peer;

    // The port is closed before its pseudo-terminal goes: the port's device
    // lock lives until then, and a test running beside this one may already
    // be given the freed terminal's number.
    void TearDown() override { link.closeAll(); }
    PtyPeer* pty = nullptr;

    void connectTcp() {
        auto p = std::make_unique<TcpPeer>();
        settings.serverAddress = "127.0.0.1";
        settings.portNumber = std::to_string(p->port());
        peer = std::move(p);
        link.InitTCP_IP(settings);
        ASSERT_TRUE(link.tcpConnected()) << op.connectionLog;
        ASSERT_EQ(link.lastOpenResult(), 0);
    }

    void connectPty() {
        auto p = std::make_unique<PtyPeer>();
        pty = p.get();
        settings.comDevice = p->path();
        peer = std::move(p);
        link.InitRS232(settings);
        ASSERT_TRUE(link.serialOpen()) << op.connectionLog;
        ASSERT_EQ(link.lastOpenResult(), 0);
    }

    void connect(Line line) {
        if (line == Line::Tcp)
            connectTcp();
        else
            connectPty();
    }

    // The peer answers every request with `reply`, in pieces of `piece` bytes
    // when piece > 0.
    void answerWith(const QByteArray& reply, int piece = 0) {
        peer->onRequest = [this, reply, piece](const QByteArray&) {
            if (piece > 0)
                peer->sendPieces(reply, piece);
            else
                peer->send(reply);
        };
    }

    [[nodiscard]] QByteArray payload() const {
        return QByteArray(reinterpret_cast<const char*>(link.replyPayload()), link.lastReply().length);
    }
};

} // namespace tavrino::test
