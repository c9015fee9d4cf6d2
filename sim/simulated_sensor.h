#pragma once

#include "faults.h"
#include "model.h"
#include "scene.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tavrino::sim {

struct SensorConfig {
    std::string firmware = "TAVRINO4 VXR QLM V3.2.7 B";
    std::string sensorName = "TAVRINO4-SIM";
    std::uint16_t serialNumber = 4711;
    std::string nextCalibration = "2027-12-01";
    Scene scene = *builtInScene("cycle");
    std::uint64_t seed = 1;
    double scanFrequencyHz = 10000.0;
    SimTime in0HalfPeriod = std::chrono::seconds(2); // IN0 high and low this long each
    int baudIndex = 4;
    bool lineRate = false; // pace every byte at 10 bits per baud of the current rate
    // The automatic sending of order 30 at this fixed period instead of at
    // the rising edges of IN0 (for tests and benchmarks of the triggered
    // recorder); zero: at the edges.
    SimTime streamPeriod{};
};

// Something the line has to do, in order, not before `notBefore`.
struct Action {
    enum class Kind {
        Send,   // write `bytes`
        Close,  // close the PC's connection
        HangUp, // hang the line up (serial error on the PC side)
    };
    Kind kind = Kind::Send;
    std::vector<std::uint8_t> bytes;
    SimTime notBefore{};
    SimTime byteTime{}; // with line-rate pacing the time each byte takes; 0 otherwise
};

// The sensor's firmware: the protocol state machine over a byte stream, its
// memories and the measurement model. It has no clock of its own; every call
// says what time it is, so the same calls give the same bytes.
class SimulatedSensor {
public:
    explicit SimulatedSensor(SensorConfig config = {});

    // A new PC connection: partial requests, streams and scans end, and the
    // per-connection fault counters start again.
    void connectionOpened(SimTime now);
    // Bytes from the PC, received at `now`.
    void receive(std::span<const std::uint8_t> bytes, SimTime now);
    // Lets time pass: sends trigger-stream frames and finished scans.
    void advance(SimTime now);
    // When advance() has something to do next, if anything.
    [[nodiscard]] std::optional<SimTime> nextWakeup() const;
    // What the line has to do, oldest first; the queue is emptied.
    [[nodiscard]] std::vector<Action> takeActions();

    void addFault(const Fault& fault);
    void clearFaults() { faults_.clear(); }
    [[nodiscard]] const std::vector<Fault>& faults() const { return faults_; }

    // Receives one line per request, reply and applied fault.
    void setLogger(std::function<void(const std::string&)> logger) { logger_ = std::move(logger); }
    void setLineRate(bool on) { config_.lineRate = on; }
    [[nodiscard]] bool lineRate() const { return config_.lineRate; }

    [[nodiscard]] int baudIndex() const { return memory_.baudIndex; }
    // Time of one byte (10 bits) at the current baud rate.
    [[nodiscard]] SimTime byteTime() const;
    [[nodiscard]] SensorMemory& memory() { return memory_; }
    [[nodiscard]] const SensorMemory& memory() const { return memory_; }
    [[nodiscard]] MeasurementModel& model() { return model_; }
    [[nodiscard]] bool autoSending() const { return nextStreamEdge_.has_value(); }
    [[nodiscard]] bool scanning() const { return scan_.active; }

private:
    struct Reply {
        int order = 0;
        std::uint16_t argument = 0;
        std::vector<std::uint8_t> payload;
    };
    struct Scan {
        bool active = false;
        std::int32_t level = 0;
        int mode = 0, preTrigger = 0, signal = 0;
        SimTime start{}, period{};
        std::int64_t next = 0;     // index of the next sample
        std::int64_t trigger = -1; // sample index of the trigger event
        std::int64_t last = -1;    // sample index that completes the ring
        std::array<std::uint16_t, 128> state{};
        std::array<std::array<std::int32_t, 128>, 3> values{};
    };

    void acceptByte(std::uint8_t byte, SimTime at);
    void handleRequest(SimTime at);
    Reply execute(int order, std::uint16_t argument, std::span<const std::uint8_t> payload, SimTime at);
    void send(int faultOrder, Reply reply, SimTime at);
    void startScan(std::span<const std::uint8_t> settings, SimTime at);
    void advanceScan(SimTime now);
    // When the automatic sending sends its next frame after `t`.
    [[nodiscard]] SimTime nextStreamTime(SimTime t) const;
    void log(const std::string& line) const;
    [[nodiscard]] Fault* findFault(FaultKind kind, int order);

    SensorConfig config_;
    MeasurementModel model_;
    SensorMemory memory_;
    std::vector<Fault> faults_;
    std::function<void(const std::string&)> logger_;
    std::vector<Action> actions_;

    std::vector<std::uint8_t> rx_;
    SimTime now_{};
    SimTime lastByte_{};
    SimTime lineArrival_{};
    bool resyncing_ = false;
    int requests_ = 0; // requests of this connection
    bool lineDown_ = false;

    std::optional<SimTime> nextStreamEdge_;
    Scan scan_;
};

// Hex dump for the verbose log, cut after `limit` bytes.
[[nodiscard]] std::string hexBytes(std::span<const std::uint8_t> bytes, std::size_t limit = 64);

} // namespace tavrino::sim
