// Frame layout and CRC: requests byte for byte, the CRC's check values, and
// the verdicts on reply headers and payloads.

#include "link/frame.h"
#include "link/orders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrino::link {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes transmitted(const FrameBuffers& b) {
    return Bytes(b.transmit(), b.transmit() + b.transmitLength());
}

struct RequestCase {
    int order;
    std::uint16_t argument;
    Bytes payload;
    Bytes line;
};

TEST(Request, BytesOnTheLine) {
    const std::vector<RequestCase> cases = {
        {4, 0, {}, {0x55, 0x04, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x0B}},
        {8, 0, {}, {0x55, 0x08, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x76}},
        {7, 0, {}, {0x55, 0x07, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x52}},
        {2, 2, {}, {0x55, 0x02, 0x02, 0x00, 0x00, 0x00, 0xAA, 0x3A}},
        {101,
         0,
         {0x01, 0x00, 0x02, 0x00, 0x03, 0x00},
         {0x55, 0x65, 0x00, 0x00, 0x06, 0x00, 0xF6, 0x56, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00}},
    };
    for (const auto& c : cases) {
        FrameBuffers b;
        std::copy(c.payload.begin(), c.payload.end(), b.stagingPayload());
        b.FillTxBuf(c.order, c.argument, static_cast<std::uint16_t>(c.payload.size()));
        EXPECT_EQ(transmitted(b), c.line) << "order " << c.order;
    }
}

TEST(Request, OnlyTheLowEightBitsOfTheOrderAreSentAndLengthsAreCut) {
    FrameBuffers b;
    b.FillTxBuf(0x1B4, 0x1E00, 0);
    EXPECT_EQ(b.transmit()[1], 0xB4);
    EXPECT_EQ(b.transmit()[2], 0x00);
    EXPECT_EQ(b.transmit()[3], 0x1E);
    b.FillTxBuf(order::SendCalibration, 1, 0xFFFF);
    EXPECT_EQ(b.transmitLength(), kTransmitBufferSize);
    EXPECT_EQ(readU16(b.transmit() + 4), kMaxRequestPayload);
}

TEST(Crc, CheckValuesAndTable) {
    const std::string digits = "123456789", abc = "abc";
    EXPECT_EQ(crc8Update(reinterpret_cast<const std::uint8_t*>(digits.data()), 0, digits.size()), 0x6D);
    EXPECT_EQ(crc8Update(reinterpret_cast<const std::uint8_t*>(abc.data()), 0, abc.size()), 0xDE);
    EXPECT_EQ(crc8Update(nullptr, 0, 0), 0xAA);
    EXPECT_EQ(kCrc8Table[0], 0x00);
    EXPECT_EQ(kCrc8Table[1], 0x5E);
    EXPECT_EQ(kCrc8Table[128], 0x8C);
    EXPECT_EQ(kCrc8Table[255], 0x35);
    // the offset selects where counting starts
    const std::string padded = "xx123456789";
    EXPECT_EQ(crc8Update(reinterpret_cast<const std::uint8_t*>(padded.data()), 2, 9), 0x6D);
}

TEST(Crc, AHeaderRunThroughItsOwnCrcGivesZero) {
    for (int order : {0, 1, 8, 110, 255}) {
        std::uint8_t h[kHeaderSize + 3] = {0, 0, 0, 0, 0, 0, 0, 0, 9, 8, 7};
        writeHeader(h, order, 0xBEEF, 3);
        EXPECT_EQ(crc8Update(h, 0, kHeaderSize), 0) << order;
    }
}

Bytes header(int order, std::uint16_t argument, std::uint16_t length) {
    Bytes h(kHeaderSize);
    writeHeader(h.data(), order, argument, 0);
    writeU16(h.data() + 4, length);
    h[7] = crc8Update(h.data(), 0, 7);
    return h;
}

Bytes withByte(Bytes h, std::size_t index, std::uint8_t value, bool fixCrc) {
    h[index] = value;
    if (fixCrc)
        h[7] = crc8Update(h.data(), 0, 7);
    return h;
}

struct HeaderCase {
    std::string name;
    Bytes bytes;
    HeaderVerdict verdict;
};

TEST(ReplyHeaderCheck, Verdicts) {
    const std::vector<HeaderCase> cases = {
        {"good", header(8, 0, 52), HeaderVerdict::Good},
        {"order echo differs", header(9, 0, 52), HeaderVerdict::Good},
        {"length 0", header(3, 0, 0), HeaderVerdict::Good},
        {"error reply 1", header(0, 1, 0), HeaderVerdict::InvalidOrder},
        {"error reply 2", header(0, 2, 0), HeaderVerdict::CommunicationError},
        {"error reply 3", header(0, 3, 0), HeaderVerdict::Good},
        {"argument 1 with an order", header(8, 1, 0), HeaderVerdict::Good},
        {"start byte wrong, CRC fits", withByte(header(8, 0, 52), 0, 0x54, true), HeaderVerdict::BadHeader},
        {"header CRC wrong", withByte(header(0, 1, 0), 7, header(0, 1, 0)[7] ^ 0x80, false),
         HeaderVerdict::BadHeader},
        {"data CRC byte changed", withByte(header(8, 0, 52), 6, 0x12, false), HeaderVerdict::BadHeader},
        {"largest payload", header(194, 11181, 2040), HeaderVerdict::Good},
        {"one byte too many", header(194, 11181, 2041), HeaderVerdict::Oversize},
        {"largest length word", header(8, 0, 0xFFFF), HeaderVerdict::Oversize},
    };
    for (const auto& c : cases) {
        ReplyHeader out{0x77, 0x7777, 0x7777, 0x77};
        EXPECT_EQ(checkReplyHeader(c.bytes.data(), out), c.verdict) << c.name;
        if (c.verdict == HeaderVerdict::BadHeader) {
            EXPECT_EQ(out.order, 0x77) << c.name;
            EXPECT_EQ(out.length, 0x7777) << c.name;
        } else {
            EXPECT_EQ(out.order, c.bytes[1]) << c.name;
            EXPECT_EQ(out.argument, readU16(&c.bytes[2])) << c.name;
            EXPECT_EQ(out.length, readU16(&c.bytes[4])) << c.name;
            EXPECT_EQ(out.dataCrc, c.bytes[6]) << c.name;
        }
    }
}

TEST(PayloadCheck, EveryFlippedByteIsCaught) {
    Bytes frame(kHeaderSize + 52);
    for (std::size_t i = 0; i < 52; ++i)
        frame[kHeaderSize + i] = static_cast<std::uint8_t>(i * 13 + 5);
    writeHeader(frame.data(), 8, 0, 52);
    const std::uint8_t crc = frame[6];
    EXPECT_TRUE(checkPayload(frame.data() + kHeaderSize, 52, crc));
    EXPECT_TRUE(checkPayload(nullptr, 0, kCrcInit));
    for (std::size_t i = 0; i < 52; ++i) {
        Bytes bad = frame;
        bad[kHeaderSize + i] ^= 0x01;
        EXPECT_FALSE(checkPayload(bad.data() + kHeaderSize, 52, crc)) << i;
    }
}

TEST(BaudRate, IndexTable) {
    const int expected[] = {9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(baudRateForIndex(i), expected[i]);
    for (int i : {-1, 8, 9, 32767})
        EXPECT_EQ(baudRateForIndex(i), 115200) << i;
}

TEST(HexText, PairsSeparatedByBlanksAndALongFrameCounted) {
    const Bytes frame{0x55, 0x07, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x52};
    EXPECT_EQ(hexText(frame.data(), frame.size()), "55 07 00 00 00 00 AA 52");
    EXPECT_EQ(hexText(frame.data(), 0), "");
    EXPECT_EQ(hexText(frame.data(), frame.size(), 2), "55 07 ... (8 bytes)");
}

} // namespace
} // namespace tavrino::link
