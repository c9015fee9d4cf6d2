#include "link/frame.h"

#include <algorithm>
#include <cstring>

namespace tavrino::link {

namespace {

constexpr std::array<std::uint8_t, 256> makeTable() {
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        auto crc = static_cast<std::uint8_t>(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint8_t>((crc >> 1) ^ 0x8C)
                            : static_cast<std::uint8_t>(crc >> 1);
        table[static_cast<std::size_t>(i)] = crc;
    }
    return table;
}

} // namespace

const std::array<std::uint8_t, 256> kCrc8Table = makeTable();

std::uint8_t crc8Update(const std::uint8_t* buffer, std::size_t offset, std::size_t count,
                        const std::uint8_t* table) {
    std::uint8_t crc = kCrcInit;
    for (std::size_t i = 0; i < count; ++i)
        crc = table[crc ^ buffer[offset + i]];
    return crc;
}

HeaderVerdict checkReplyHeader(const std::uint8_t* header, ReplyHeader& out) {
    if (crc8Update(header, 0, kHeaderSize) != 0 || header[0] != kStartByte)
        return HeaderVerdict::BadHeader;
    out.order = header[1];
    out.argument = readU16(header + 2);
    out.length = readU16(header + 4);
    out.dataCrc = header[6];
    if (out.order == 0 && out.argument == 1)
        return HeaderVerdict::InvalidOrder;
    if (out.order == 0 && out.argument == 2)
        return HeaderVerdict::CommunicationError;
    if (out.length > kMaxReplyPayload)
        return HeaderVerdict::Oversize;
    return HeaderVerdict::Good;
}

bool checkPayload(const std::uint8_t* payload, std::size_t length, std::uint8_t dataCrc) {
    return crc8Update(payload, 0, length) == dataCrc;
}

void writeHeader(std::uint8_t* header, int order, std::uint16_t argument, std::uint16_t length) {
    header[0] = kStartByte;
    header[1] = static_cast<std::uint8_t>(order & 0xFF);
    writeU16(header + 2, argument);
    writeU16(header + 4, length);
    header[6] = crc8Update(header + kHeaderSize, 0, length);
    header[7] = crc8Update(header, 0, 7);
}

std::string hexText(const std::uint8_t* bytes, std::size_t size, std::size_t limit) {
    static constexpr char digits[] = "0123456789ABCDEF";
    const std::size_t shown = std::min(size, limit);
    std::string text;
    text.reserve(shown * 3 + 24);
    for (std::size_t i = 0; i < shown; ++i) {
        if (i)
            text += ' ';
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    if (size > shown)
        text += " ... (" + std::to_string(size) + " bytes)";
    return text;
}

void FrameBuffers::FillTxBuf(int order, std::uint16_t argument, std::uint16_t length) {
    const auto len = static_cast<std::uint16_t>(std::min<std::size_t>(length, kMaxRequestPayload));
    writeHeader(staging_.data(), order, argument, len);
    transmitLength_ = kHeaderSize + len;
    std::memcpy(transmit_.data(), staging_.data(), transmitLength_);
}

} // namespace tavrino::link
