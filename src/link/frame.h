#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrino::link {

inline constexpr std::uint8_t kStartByte = 0x55;
inline constexpr std::size_t kHeaderSize = 8;
inline constexpr std::size_t kReceiveBufferSize = 2048;
inline constexpr std::size_t kMaxReplyPayload = kReceiveBufferSize - kHeaderSize; // 2040
// Room for the largest request (444 bytes) with plenty to spare.
inline constexpr std::size_t kTransmitBufferSize = 2048;
inline constexpr std::size_t kMaxRequestPayload = kTransmitBufferSize - kHeaderSize;
inline constexpr std::uint8_t kCrcInit = 0xAA;

// The frame CRC-8: 1-Wire polynomial x^8+x^5+x^4+1, reflected (0x8C),
// initial value 0xAA, no final XOR.
extern const std::array<std::uint8_t, 256> kCrc8Table;

// CRC of `count` bytes of `buffer` from `offset`, starting at 0xAA.
[[nodiscard]] std::uint8_t crc8Update(const std::uint8_t* buffer, std::size_t offset, std::size_t count,
                                      const std::uint8_t* table = kCrc8Table.data());

// The fields of a reply header that passed its checks.
struct ReplyHeader {
    std::uint8_t order = 0;
    std::uint16_t argument = 0;
    std::uint16_t length = 0;
    std::uint8_t dataCrc = 0;
};

// Verdict on 8 received header bytes.
enum class HeaderVerdict {
    Good,               // valid header, not an error reply
    BadHeader,          // CRC over bytes 0..7 not 0, or start byte wrong
    InvalidOrder,       // error reply, argument 1
    CommunicationError, // error reply, argument 2
    Oversize,           // announces more payload than the receive buffer holds
};

// Checks a reply header. `out` is written only when the CRC and start byte
// are right (also for error replies, whose header is itself valid).
[[nodiscard]] HeaderVerdict checkReplyHeader(const std::uint8_t* header, ReplyHeader& out);

// True when the payload's CRC equals the announced data CRC.
[[nodiscard]] bool checkPayload(const std::uint8_t* payload, std::size_t length, std::uint8_t dataCrc);

// Writes a complete header for `order`/`argument` over `length` payload bytes
// that already follow it at header + 8.
void writeHeader(std::uint8_t* header, int order, std::uint16_t argument, std::uint16_t length);

// The link's working buffers: the staging buffer into which callers place a
// payload before `FillTxBuf`, the transmit buffer with the finished frame, the
// receive buffer and the last good reply header.
class FrameBuffers {
public:
    // Payload area of the staging buffer; a caller writes its payload here
    // and then calls FillTxBuf.
    [[nodiscard]] std::uint8_t* stagingPayload() { return staging_.data() + kHeaderSize; }

    // Completes the staging header and copies length + 8 bytes into the
    // transmit buffer. Lengths beyond the payload area are cut to fit.
    void FillTxBuf(int order, std::uint16_t argument, std::uint16_t length);

    [[nodiscard]] const std::uint8_t* transmit() const { return transmit_.data(); }
    [[nodiscard]] std::size_t transmitLength() const { return transmitLength_; }

    [[nodiscard]] std::uint8_t* receive() { return receive_.data(); }
    [[nodiscard]] const std::uint8_t* receive() const { return receive_.data(); }
    [[nodiscard]] const std::uint8_t* replyPayload() const { return receive_.data() + kHeaderSize; }
    void clearReceive() { receive_.fill(0); }

    [[nodiscard]] const ReplyHeader& lastReply() const { return lastReply_; }
    void setLastReply(const ReplyHeader& h) { lastReply_ = h; }

private:
    std::array<std::uint8_t, kTransmitBufferSize> staging_{};
    std::array<std::uint8_t, kTransmitBufferSize> transmit_{};
    std::array<std::uint8_t, kReceiveBufferSize> receive_{};
    std::size_t transmitLength_ = 0;
    ReplyHeader lastReply_{};
};

// Frame bytes as text for traces and logs: upper-case pairs separated by
// blanks ("55 07 00 00"). Beyond `limit` bytes the rest is counted, not shown.
[[nodiscard]] std::string hexText(const std::uint8_t* bytes, std::size_t size,
                                  std::size_t limit = static_cast<std::size_t>(-1));

// Little-endian field access used by every payload layout.
[[nodiscard]] inline std::uint16_t readU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
[[nodiscard]] inline std::int16_t readI16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(readU16(p));
}
[[nodiscard]] inline std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
[[nodiscard]] inline std::int32_t readI32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(readU32(p));
}
inline void writeU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v & 0xFF);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void writeU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
}

} // namespace tavrino::link
