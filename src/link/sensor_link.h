#pragma once

#include "common/language.h"
#include "common/operator.h"
#include "common/run_flags.h"
#include "link/connection_settings.h"
#include "link/frame.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QDeadlineTimer;

namespace tavrino::link {

class Transport;

// The device the serial port opens: `comDevice` when set, otherwise the port
// number's default device, "COMn" on Windows and "/dev/ttyS(n-1)" elsewhere
// (COM1 is the first serial device, /dev/ttyS0). Empty for a port number
// below 1.
[[nodiscard]] QString serialDeviceName(const ConnectionSettings& settings);

// The sensor link: owns the transports and the frame buffers and runs one
// exchange at a time. Every failure is reported once through the Operator
// (connection log, "TIMEOUT!" status, connection page) and ends in -1.
//
// Waiting never blocks the event loop: a wait runs a local event loop that
// wakes on arriving bytes, transport errors, a lost connection, its deadline
// and wakeWaits(), so the operator's controls stay usable meanwhile. Such a
// nested callback must not start another exchange; if it does, the new one is
// refused as a program fault and the waiting exchange goes on unaffected.
class SensorLink : public QObject {
    Q_OBJECT
public:
    // The reply wait limit, for the header and again for the payload.
    static constexpr int kReplyTimeLimitMs = 3000;

    SensorLink(RunFlags& flags, Operator& op, const Language& language, QObject* parent = nullptr);
    ~SensorLink() override;

    // Frame buffers: place a payload, FillTxBuf, DataExchange(length + 8).
    [[nodiscard]] std::uint8_t* stagingPayload() { return buffers_.stagingPayload(); }
    void FillTxBuf(int order, std::uint16_t argument, std::uint16_t length);
    // 1: a valid reply is in the receive buffer; -1: failure already reported.
    int DataExchange(int count);
    // FillTxBuf + DataExchange with the payload already staged; records the
    // last order number sent.
    int request(int order, std::uint16_t argument, std::uint16_t length = 0);
    // request() for an order whose reply carries a record of `replySize`
    // bytes: a shorter reply fails as expectPayload() says.
    int requestRecord(int order, std::uint16_t argument, std::size_t replySize, std::uint16_t length = 0);
    // Whether the last reply's payload holds a record of `size` bytes: 1 if
    // so; otherwise the reply counts as a bad data frame, reported once, and
    // -1. A short record is never decoded, with its missing bytes read as 0.
    int expectPayload(std::size_t size);

    [[nodiscard]] const ReplyHeader& lastReply() const { return buffers_.lastReply(); }
    [[nodiscard]] const std::uint8_t* replyPayload() const { return buffers_.replyPayload(); }
    [[nodiscard]] const std::uint8_t* transmitBuffer() const { return buffers_.transmit(); }
    [[nodiscard]] std::uint8_t lastOrderSent() const { return lastOrder_; }
    void setLastOrderSent(std::uint8_t order) { lastOrder_ = order; }
    // Bytes of the current or last frame placed in the receive buffer.
    [[nodiscard]] std::size_t receivedCount() const { return received_; }

    // Opening and closing the transports, with the settings of the
    // connection page: the serial line at the settings' device and baud rate,
    // or the TCP connection to the settings' server and port. Selects that
    // protocol for the following exchanges.
    void InitRS232(const ConnectionSettings& settings);
    void InitTCP_IP(const ConnectionSettings& settings);
    // The one of the two that the settings' protocol names.
    void open(const ConnectionSettings& settings);
    // Opens `transport` as the link's serial or TCP transport (by its kind)
    // and selects that protocol. InitRS232/InitTCP_IP use it; tests use it to
    // put their own stream under the link. Same reporting as those two.
    void openTransport(std::unique_ptr<Transport> transport);
    void closeSerial();
    void disconnectTcp();
    void closeAll();
    [[nodiscard]] int lastOpenResult() const { return lastOpenResult_; }
    [[nodiscard]] bool tcpConnected() const;
    [[nodiscard]] bool serialOpen() const;
    [[nodiscard]] bool exchangeRunning() const { return waiting_; }
    // The protocol of the transport opened last: the one exchanges use.
    [[nodiscard]] Protocol protocol() const { return protocol_; }

    // The communication-failure handler: the failure message is `text`.
    void SetTimeout(const Text& text);
    // The text of the last communication failure, in the language it was shown.
    [[nodiscard]] const std::string& failureMessage() const { return failureMessage_; }
    // How many communication failures were reported so far: a loop tells by
    // it whether one ended it, also one that came between its exchanges (a
    // server closing the connection).
    [[nodiscard]] std::uint64_t failureCount() const { return failureCount_; }

    // While one lives, a failure is handled as every failure (flags cleared,
    // counted, waits ended) but adds nothing to the connection log: for an
    // exchange that follows a failure already reported and would only repeat
    // it (the stop of the automatic sending after a failed recording).
    class FailureAlreadyReported {
    public:
        explicit FailureAlreadyReported(SensorLink& link) : link_(link), outer_(link.failureReported_) {
            link_.failureReported_ = true;
        }
        ~FailureAlreadyReported() { link_.failureReported_ = outer_; }
        FailureAlreadyReported(const FailureAlreadyReported&) = delete;
        FailureAlreadyReported& operator=(const FailureAlreadyReported&) = delete;

    private:
        SensorLink& link_;
        bool outer_;
    };

    // Reads a frame the sensor sends by itself (triggered frames, scope
    // frames): waits without limit for its header and then, with the normal
    // limit, for its payload. `stop` is asked before the wait and whenever the
    // wait wakes; whoever makes it true calls wakeWaits(). Bytes that arrived
    // since the last frame are kept. A frame whose first bytes have arrived
    // is read to its end (with the normal limit for the rest) before `stop`
    // counts, so a stop never leaves half a frame on the line.
    // 1 frame received, 0 stopped, -1 failure.
    // With PayloadWait::UntilStopped the payload is waited for like the
    // header, without limit until `stop` holds (a TCP scan, whose frames only
    // count once all of them are in).
    enum class PayloadWait { Limited, UntilStopped };
    int receiveUnsolicited(const std::function<bool()>& stop, PayloadWait payloadWait = PayloadWait::Limited);

    // A request while the sensor may still be sending frames of `streamOrder`
    // by itself (the stop of its automatic sending): what already arrived is
    // kept, frames with that order echo ahead of the reply are read (each
    // good one handed to `onStreamFrame` as the last reply, which must not
    // start an exchange), and bytes that start no valid header are skipped
    // one by one. The reply limit applies to every frame. So nothing the
    // sensor sent before the reply is left over for the next exchange.
    // Results as request().
    int requestPastStream(int order, std::uint16_t argument, int streamOrder,
                          const std::function<void()>& onStreamFrame);

    // Waits until `deadline` has passed or `stop` holds, in a local event
    // loop as the exchanges wait, so the operator's controls stay live;
    // wakeWaits() makes it ask `stop` again. No exchange is running meanwhile.
    // True when `stop` ended it.
    bool pause(const QDeadlineTimer& deadline, const std::function<bool()>& stop);

    // Ends any wait at once without a report (program shutdown).
    void abortWait();

    // Observer for --trace: every frame sent (true) and received (false).
    std::function<void(bool sent, const std::uint8_t* bytes, std::size_t size)> trace;

public slots:
    // Makes a running wait check its stop condition again. Call it after
    // clearing a flag that a wait's stop condition reads.
    void wakeWaits();

private:
    enum class WaitResult { Ready, TimedOut, Stopped, Failed, Aborted };
    class BusyScope;
    struct Wait;

    [[nodiscard]] Transport* active() const;
    void attach(std::unique_ptr<Transport> transport);
    void reportBusy();
    [[nodiscard]] bool refuseIfBusy();
    void onTransportError(Transport* transport, bool fatal);
    void onTransportDisconnected(Transport* transport);
    void failureOf(Transport* transport, const Text& text);
    // The one local event loop every wait of the link runs. `done` is asked
    // first (nothing is built when it already holds) and again each time the
    // loop wakes: bytes arrived, a transport signal, wakeWaits(), or the
    // deadline's timer. `deadline` is read anew each time, so `done` may move
    // it. True when `done` ended the wait, false when the deadline passed.
    bool waitUntil(const QDeadlineTimer& deadline, const std::function<bool()>& done);
    void pump(std::size_t needed);
    // `finishBegunFrame`: once bytes of a frame have come, its rest is awaited
    // within the reply limit before a stop counts.
    WaitResult waitFor(std::size_t needed, const std::function<bool()>* stop, bool finishBegunFrame = true);
    // A frame wait's result as an operation result: 1 ready, 0 stopped, -1
    // failed (a time-out is reported here, other failures where they came).
    int resultOf(WaitResult result);
    // The selected transport with the receive buffer cleared for a new frame;
    // null once a closed line has been reported.
    Transport* lineForFrame();
    // The payload after a header that `headerResult` accepted, and the trace
    // of what was received. The operation's result.
    int finishFrame(int headerResult, const std::function<bool()>* payloadStop = nullptr);
    int receiveHeader(const std::function<bool()>* stop);
    int acceptHeader(HeaderVerdict verdict, const ReplyHeader& header);
    int receiveReplyPastStream(int streamOrder, const std::function<void()>& onStreamFrame);
    int receivePayload(const std::function<bool()>* stop = nullptr);
    void traceReceived();

    RunFlags& flags_;
    Operator& op_;
    const Language& language_;
    FrameBuffers buffers_;
    std::unique_ptr<Transport> serial_;
    std::unique_ptr<Transport> tcp_;
    QPointer<Transport> current_; // the transport of the running wait
    Wait* innermost_ = nullptr;   // the wait running last, linked to those around it
    std::size_t received_ = 0;
    std::string failureMessage_;
    std::uint64_t failureCount_ = 0;
    // A FailureAlreadyReported lives.
    bool failureReported_ = false;
    int lastOpenResult_ = 0;
    bool waiting_ = false;
    bool failed_ = false;  // the running operation's failure has been reported
    bool aborted_ = false; // abortWait() during the running operation
    std::uint8_t lastOrder_ = 0;
    Protocol protocol_ = Protocol::Rs232;
};

} // namespace tavrino::link
