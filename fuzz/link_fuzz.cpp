// Reply frames and measurement payloads as they come off the line: the header
// and payload checks, the request builder and the measurement decoding must
// hold their invariants for any bytes.

#include "link/frame.h"
#include "measurement/record.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

void require(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrino;
    if (size >= link::kHeaderSize) {
        link::ReplyHeader header{};
        const auto verdict = link::checkReplyHeader(data, header);
        if (verdict == link::HeaderVerdict::Good) {
            // A good header never announces more than the receive buffer holds.
            require(header.length <= link::kMaxReplyPayload);
            require(data[0] == link::kStartByte);
            const std::size_t available = size - link::kHeaderSize;
            const std::size_t length = header.length < available ? header.length : available;
            (void)link::checkPayload(data + link::kHeaderSize, length, header.dataCrc);
        }
        require(verdict == link::HeaderVerdict::BadHeader ||
                link::crc8Update(data, 0, link::kHeaderSize) == 0);
    }

    // The request builder: whatever it sends must pass the reply checks.
    if (size >= 5) {
        link::FrameBuffers buffers;
        const int order = link::readU16(data);
        const std::uint16_t argument = link::readU16(data + 2);
        const std::size_t payload = size - 4;
        const std::size_t staged = payload < link::kMaxRequestPayload ? payload : link::kMaxRequestPayload;
        std::memcpy(buffers.stagingPayload(), data + 4, staged);
        const auto length = static_cast<std::uint16_t>(data[4] * 8 + (payload & 0x7));
        buffers.FillTxBuf(order, argument, length);
        require(buffers.transmitLength() <= link::kTransmitBufferSize);
        link::ReplyHeader echoed{};
        const auto verdict = link::checkReplyHeader(buffers.transmit(), echoed);
        require(verdict != link::HeaderVerdict::BadHeader);
        require(link::checkPayload(buffers.transmit() + link::kHeaderSize,
                                   buffers.transmitLength() - link::kHeaderSize, buffers.transmit()[6]));
    }

    // The measurement payload, complete or short.
    measurement::MeasurementRecord record;
    measurement::acceptFrame(record, data, size, true);
    const auto colour = measurement::clampedColour(measurement::displayColour(record));
    require(colour.red >= 0 && colour.red <= 255 && colour.blue >= 0 && colour.blue <= 255);
    measurement::GraphHistories histories;
    histories.append(record);
    require(histories.csX.back() == record.csX);
    return 0;
}
