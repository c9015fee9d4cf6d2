#include "link/sensor_link.h"

#include "link/orders.h"
#include "link/texts.h"
#include "link/transport.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QMetaObject>
#include <QScopeGuard>
#include <QTimer>
#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <utility>

namespace tavrino::link {

QString serialDeviceName(const ConnectionSettings& settings) {
    if (!settings.comDevice.empty())
        return QString::fromStdString(settings.comDevice);
    if (settings.comPort < 1)
        return {};
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(settings.comPort);
#else
    return QStringLiteral("/dev/ttyS%1").arg(settings.comPort - 1);
#endif
}

// Marks the link busy for the lifetime of one exchange, frame wait or
// connect, and remembers the transport that operation uses.
class SensorLink::BusyScope {
public:
    BusyScope(SensorLink& link, Transport* transport) : link_(link) {
        link_.waiting_ = true;
        link_.failed_ = false;
        link_.aborted_ = false;
        link_.current_ = transport;
    }
    ~BusyScope() {
        link_.waiting_ = false;
        link_.current_ = nullptr;
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    SensorLink& link_;
};

SensorLink::SensorLink(RunFlags& flags, Operator& op, const Language& language, QObject* parent)
    : QObject(parent), flags_(flags), op_(op), language_(language) {}

SensorLink::~SensorLink() {
    // Nothing a closing transport signals may reach a link being destroyed.
    for (const auto* t : {serial_.get(), tcp_.get()})
        if (t)
            QObject::disconnect(t, nullptr, this, nullptr);
}

// ---------------------------------------------------------------- frames

void SensorLink::FillTxBuf(int order, std::uint16_t argument, std::uint16_t length) {
    buffers_.FillTxBuf(order, argument, length);
}

int SensorLink::request(int order, std::uint16_t argument, std::uint16_t length) {
    if (refuseIfBusy())
        return -1;
    lastOrder_ = static_cast<std::uint8_t>(order & 0xFF);
    buffers_.FillTxBuf(order, argument, length);
    return DataExchange(static_cast<int>(buffers_.transmitLength()));
}

int SensorLink::requestRecord(int order, std::uint16_t argument, std::size_t replySize,
                              std::uint16_t length) {
    const int result = request(order, argument, length);
    return result == 1 ? expectPayload(replySize) : result;
}

int SensorLink::expectPayload(std::size_t size) {
    if (buffers_.lastReply().length >= size)
        return 1;
    SetTimeout(texts::kBadData);
    return -1;
}

// ---------------------------------------------------------------- transports

Transport* SensorLink::active() const {
    return protocol_ == Protocol::TcpIp ? tcp_.get() : serial_.get();
}

bool SensorLink::tcpConnected() const {
    return tcp_ && tcp_->isOpen();
}

bool SensorLink::serialOpen() const {
    return serial_ && serial_->isOpen();
}

void SensorLink::InitRS232(const ConnectionSettings& settings) {
    if (refuseIfBusy())
        return;
    flags_.running = 0;
    closeSerial();
    openTransport(
        std::make_unique<SerialTransport>(serialDeviceName(settings), baudRateForIndex(settings.baudIndex)));
}

void SensorLink::InitTCP_IP(const ConnectionSettings& settings) {
    if (refuseIfBusy())
        return;
    if (tcpConnected())
        disconnectTcp();
    // A port number outside 1..65535 is refused by the transport as an
    // invalid parameter.
    const unsigned number = portNumberOf(settings.portNumber);
    const auto port = number <= 0xFFFF ? static_cast<quint16>(number) : quint16{0};
    // The wait cursor belongs to the front end; the connect itself keeps the
    // event loop running, so the window stays responsive.
    openTransport(std::make_unique<TcpTransport>(QString::fromStdString(settings.serverAddress), port));
}

void SensorLink::open(const ConnectionSettings& settings) {
    if (settings.protocol == Protocol::TcpIp)
        InitTCP_IP(settings);
    else
        InitRS232(settings);
}

void SensorLink::openTransport(std::unique_ptr<Transport> transport) {
    if (refuseIfBusy() || !transport)
        return;
    protocol_ = transport->kind() == Transport::Kind::Tcp ? Protocol::TcpIp : Protocol::Rs232;
    attach(std::move(transport));
}

void SensorLink::attach(std::unique_ptr<Transport> transport) {
    Transport* t = transport.get();
    auto& slot = t->kind() == Transport::Kind::Tcp ? tcp_ : serial_;
    if (slot)
        slot->close();
    slot = std::move(transport);

    connect(t, &Transport::readyRead, this, &SensorLink::wakeWaits);
    connect(t, &Transport::errorOccurred, this, [this, t](bool fatal) { onTransportError(t, fatal); });
    connect(t, &Transport::disconnected, this, [this, t] { onTransportDisconnected(t); });

    int result = 0;
    {
        BusyScope busy(*this, t);
        result = t->open();
        if (aborted_) {
            // Shutdown during the connect: nobody is left to read a report.
            lastOpenResult_ = result;
            return;
        }
    }
    lastOpenResult_ = result;
    if (result >= 0)
        return;
    if (t->kind() == Transport::Kind::Tcp) {
        SetTimeout(texts::tcpFailure(result));
        return;
    }
    const Text failure = texts::serialOpenFailure(result);
    const auto* serial = qobject_cast<const SerialTransport*>(t);
    if (!serial || !serial->notATerminal()) {
        SetTimeout(failure);
        return;
    }
    // The code's text alone would send the operator after baud rates or
    // permissions; the path says what is wrong.
    const std::string path = serial->device().toStdString();
    const std::string de = std::string(failure.de) + "\n" + path + std::string(texts::kNotASerialPort.de);
    const std::string en = std::string(failure.en) + "\n" + path + std::string(texts::kNotASerialPort.en);
    SetTimeout(Text{de, en});
}

void SensorLink::closeSerial() {
    if (!serial_)
        return;
    if (waiting_ && current_ == serial_.get())
        abortWait();
    serial_->close();
}

void SensorLink::disconnectTcp() {
    if (!tcp_)
        return;
    if (waiting_ && current_ == tcp_.get())
        abortWait();
    tcp_->close();
}

void SensorLink::closeAll() {
    disconnectTcp();
    closeSerial();
}

void SensorLink::onTransportError(Transport* transport, bool fatal) {
    // TCP reports the loss of its connection as a disconnect; its other
    // errors show up as a missing reply.
    if (!fatal)
        return;
    // Closing the port inside its own error signal is not safe; the queued
    // call is dropped if the transport goes away first.
    QMetaObject::invokeMethod(
        transport, [transport] { transport->close(); }, Qt::QueuedConnection);
    if (transport->kind() == Transport::Kind::Tcp) {
        failureOf(transport, texts::tcpFailure(transport->errorCode()));
        return;
    }
    // A serial line that fails while a reply is awaited (a hung-up adapter or
    // terminal) is a reply that did not come; while idle the port's own
    // failure is all there is to say.
    const bool awaitingReply = waiting_ && transport == current_;
    failureOf(transport, awaitingReply ? texts::kTimeout : texts::serialOpenFailure(transport->errorCode()));
}

void SensorLink::onTransportDisconnected(Transport* transport) {
    failureOf(transport, texts::kServerClosed);
}

void SensorLink::failureOf(Transport* transport, const Text& text) {
    if (transport == current_)
        failed_ = true;
    // A transport that is not the selected one (an old serial port beside a
    // TCP connection) is not what the operator works with.
    if (transport == current_ || transport == active())
        SetTimeout(text);
    wakeWaits();
}

// ---------------------------------------------------------------- failures

void SensorLink::SetTimeout(const Text& text) {
    failureMessage_ = text.str(language_);
    ++failureCount_;
    flags_.running = 0;
    flags_.sensorConnected = 0;
    flags_.scopeRunning = 0;
    op_.setSensorStatus(texts::kTimeoutStatus);
    if (!failureReported_)
        op_.appendFailureToConnectionLog(failureMessage_ + "\n\n");
    op_.setDimmed(Dimmable::ConfirmedConnectionButtons, true);
    op_.showMainTab(MainTab::Connection);
    // Loops waiting for frames test these flags.
    wakeWaits();
}

void SensorLink::reportBusy() {
    op_.message(kInfoTitle.in(language_), texts::kExchangeBusy.in(language_));
}

bool SensorLink::refuseIfBusy() {
    if (!waiting_)
        return false;
    reportBusy();
    return true;
}

// ---------------------------------------------------------------- waiting

// A running wait's local event loop and the wait it runs inside of: a
// callback nested in one wait may start another (a pause), and wakeWaits()
// reaches them all.
struct SensorLink::Wait {
    QEventLoop loop;
    Wait* outer = nullptr;
};

namespace {

// Whole milliseconds, rounded up, so that a timer never ends a wait early.
int timerMsUntil(const QDeadlineTimer& deadline) {
    const qint64 ns = deadline.remainingTimeNSecs();
    return static_cast<int>(std::min<qint64>((ns + 999'999) / 1'000'000, 1 << 30));
}

QDeadlineTimer replyLimit() {
    return QDeadlineTimer(SensorLink::kReplyTimeLimitMs, Qt::PreciseTimer);
}

} // namespace

void SensorLink::wakeWaits() {
    for (Wait* w = innermost_; w != nullptr; w = w->outer)
        w->loop.quit();
}

void SensorLink::abortWait() {
    if (!waiting_)
        return;
    aborted_ = true;
    if (current_)
        current_->abortOpen();
    wakeWaits();
}

bool SensorLink::waitUntil(const QDeadlineTimer& deadline, const std::function<bool()>& done) {
    // What is already there needs no local event loop, which would otherwise
    // be built for every frame (a payload usually arrives with its header).
    if (done())
        return true;
    Wait wait;
    wait.outer = innermost_;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, &wait.loop, &QEventLoop::quit);
    innermost_ = &wait;
    const auto restore = qScopeGuard([&] { innermost_ = wait.outer; });
    for (;;) {
        // `done` has just been asked: a wake-up that came while it ran left
        // its trace in what it asks, so none is missed by not sleeping on it.
        if (deadline.hasExpired())
            return false;
        if (!deadline.isForever())
            timer.start(timerMsUntil(deadline));
        wait.loop.exec();
        if (done())
            return true;
    }
}

void SensorLink::pump(std::size_t needed) {
    // Bytes go into the receive buffer at the received count, never beyond
    // the frame being received, so a frame that follows stays queued for the
    // next wait.
    Transport* t = current_;
    if (!t)
        return;
    needed = std::min(needed, kReceiveBufferSize);
    while (received_ < needed) {
        const std::size_t n = t->read(buffers_.receive() + received_, needed - received_);
        if (n == 0)
            break;
        received_ += n;
    }
}

SensorLink::WaitResult SensorLink::waitFor(std::size_t needed, const std::function<bool()>* stop,
                                           bool finishBegunFrame) {
    bool limited = stop == nullptr;
    QDeadlineTimer deadline = limited ? replyLimit() : QDeadlineTimer(QDeadlineTimer::Forever);
    WaitResult result = WaitResult::TimedOut;
    const auto settled = [&](WaitResult r) {
        result = r;
        return true;
    };
    const bool ended = waitUntil(deadline, [&] {
        pump(needed);
        if (received_ >= needed) // enough bytes win over the clock
            return settled(WaitResult::Ready);
        if (aborted_)
            return settled(WaitResult::Aborted);
        if (failed_)
            return settled(WaitResult::Failed);
        if (!limited && finishBegunFrame && received_ > 0) {
            // A frame the sensor sends by itself has begun: its rest follows
            // within the reply limit, and a stop waits for it, so that the
            // next reader finds the line at the start of a frame.
            limited = true;
            deadline = replyLimit();
        }
        if (stop && !limited && (*stop)())
            return settled(WaitResult::Stopped);
        return false;
    });
    return ended ? result : WaitResult::TimedOut;
}

int SensorLink::resultOf(WaitResult result) {
    switch (result) {
    case WaitResult::Ready:
        return 1;
    case WaitResult::TimedOut:
        SetTimeout(texts::kTimeout);
        return -1;
    case WaitResult::Stopped:
        return 0;
    case WaitResult::Failed:
    case WaitResult::Aborted:
        break;
    }
    return -1;
}

Transport* SensorLink::lineForFrame() {
    buffers_.clearReceive();
    received_ = 0;
    Transport* t = active();
    if (t && t->isOpen())
        return t;
    // Nothing can answer on a closed line; say so at once rather than after
    // the full wait.
    SetTimeout(texts::kTimeout);
    return nullptr;
}

int SensorLink::finishFrame(int headerResult, const std::function<bool()>* payloadStop) {
    int result = headerResult;
    if (result == 1 && buffers_.lastReply().length > 0)
        result = receivePayload(payloadStop);
    traceReceived();
    return result;
}

int SensorLink::receiveHeader(const std::function<bool()>* stop) {
    if (const int waited = resultOf(waitFor(kHeaderSize, stop)); waited != 1)
        return waited;
    ReplyHeader header;
    HeaderVerdict verdict = checkReplyHeader(buffers_.receive(), header);
    if (stop != nullptr &&
        (verdict == HeaderVerdict::InvalidOrder || verdict == HeaderVerdict::CommunicationError))
        // Frames the sensor sends by itself are not answers; an order echo 0
        // means nothing there.
        verdict = header.length > kMaxReplyPayload ? HeaderVerdict::Oversize : HeaderVerdict::Good;
    return acceptHeader(verdict, header);
}

int SensorLink::acceptHeader(HeaderVerdict verdict, const ReplyHeader& header) {
    switch (verdict) {
    case HeaderVerdict::Good:
        buffers_.setLastReply(header);
        return 1;
    case HeaderVerdict::BadHeader:
    case HeaderVerdict::Oversize:
        // A payload beyond the receive buffer cannot be taken; the header is
        // refused as a whole and the last reply header stays as it was.
        SetTimeout(texts::kBadHeader);
        return -1;
    case HeaderVerdict::InvalidOrder:
        buffers_.setLastReply(header);
        SetTimeout(texts::kInvalidOrder);
        return -1;
    case HeaderVerdict::CommunicationError:
        buffers_.setLastReply(header);
        SetTimeout(texts::kCommunicationError);
        return -1;
    }
    return -1;
}

int SensorLink::receivePayload(const std::function<bool()>* stop) {
    const std::size_t length = buffers_.lastReply().length;
    // A payload awaited until stopped (a scan's frames) may be stopped at any
    // byte: the whole scan is dropped, so no reader is left mid-frame.
    if (const int waited = resultOf(waitFor(kHeaderSize + length, stop, false)); waited != 1)
        return waited;
    if (!checkPayload(buffers_.replyPayload(), length, buffers_.lastReply().dataCrc)) {
        SetTimeout(texts::kBadData);
        return -1;
    }
    return 1;
}

void SensorLink::traceReceived() {
    if (trace && received_ > 0)
        trace(false, buffers_.receive(), received_);
}

int SensorLink::DataExchange(int count) {
    if (refuseIfBusy())
        return -1;
    Transport* t = lineForFrame();
    if (!t)
        return -1;
    BusyScope busy(*this, t);
    const auto size = static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(kTransmitBufferSize)));
    // Whatever arrived before the request belongs to no reply of it.
    t->discardPending();
    if (trace)
        trace(true, buffers_.transmit(), size);
    t->write(buffers_.transmit(), size);
    return finishFrame(receiveHeader(nullptr));
}

int SensorLink::requestPastStream(int order, std::uint16_t argument, int streamOrder,
                                  const std::function<void()>& onStreamFrame) {
    if (refuseIfBusy())
        return -1;
    lastOrder_ = static_cast<std::uint8_t>(order & 0xFF);
    buffers_.FillTxBuf(order, argument, 0);
    Transport* t = lineForFrame();
    if (!t)
        return -1;
    BusyScope busy(*this, t);
    // Unlike DataExchange nothing pending is discarded: a frame cut in two
    // would leave its rest to be taken for the reply.
    if (trace)
        trace(true, buffers_.transmit(), buffers_.transmitLength());
    t->write(buffers_.transmit(), buffers_.transmitLength());
    return finishFrame(receiveReplyPastStream(streamOrder, onStreamFrame));
}

int SensorLink::receiveReplyPastStream(int streamOrder, const std::function<void()>& onStreamFrame) {
    for (;;) {
        // These waits have the reply limit and no stop: anything but Ready is
        // a failure.
        if (resultOf(waitFor(kHeaderSize, nullptr)) != 1)
            return -1;
        std::uint8_t* bytes = buffers_.receive();
        ReplyHeader header;
        const HeaderVerdict verdict = checkReplyHeader(bytes, header);
        if (verdict == HeaderVerdict::BadHeader) {
            // No frame starts here (the rest of one the sensor was sending):
            // look one byte further.
            std::memmove(bytes, bytes + 1, kHeaderSize - 1);
            received_ = kHeaderSize - 1;
            continue;
        }
        const bool streamed =
            verdict == HeaderVerdict::Good && header.order == streamOrder && header.order != lastOrder_;
        if (!streamed)
            return acceptHeader(verdict, header);
        // A frame sent before the sensor took the request.
        if (resultOf(waitFor(kHeaderSize + header.length, nullptr)) != 1)
            return -1;
        traceReceived();
        if (checkPayload(buffers_.replyPayload(), header.length, header.dataCrc)) {
            buffers_.setLastReply(header);
            onStreamFrame();
        }
        buffers_.clearReceive();
        received_ = 0;
    }
}

bool SensorLink::pause(const QDeadlineTimer& deadline, const std::function<bool()>& stop) {
    return waitUntil(deadline, stop);
}

int SensorLink::receiveUnsolicited(const std::function<bool()>& stop, PayloadWait payloadWait) {
    if (refuseIfBusy())
        return -1;
    if (stop())
        return 0;
    Transport* t = lineForFrame();
    if (!t)
        return -1;
    BusyScope busy(*this, t);
    return finishFrame(receiveHeader(&stop), payloadWait == PayloadWait::UntilStopped ? &stop : nullptr);
}

} // namespace tavrino::link
