#pragma once

#include "link/frame.h"
#include "simulated_sensor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tavrino::sim::test {

using Bytes = std::vector<std::uint8_t>;

// A request frame as the PC builds it.
inline Bytes request(int order, std::uint16_t argument, const Bytes& payload = {}) {
    Bytes frame(link::kHeaderSize + payload.size());
    std::copy(payload.begin(), payload.end(), frame.begin() + link::kHeaderSize);
    link::writeHeader(frame.data(), order, argument, static_cast<std::uint16_t>(payload.size()));
    return frame;
}

struct Frame {
    int order = -1;
    std::uint16_t argument = 0;
    Bytes payload;
};

// Splits a byte stream into frames, checking both CRCs of each.
inline std::vector<Frame> parseFrames(const Bytes& bytes) {
    std::vector<Frame> frames;
    std::size_t at = 0;
    while (at + link::kHeaderSize <= bytes.size()) {
        const std::uint8_t* h = bytes.data() + at;
        EXPECT_EQ(link::crc8Update(h, 0, link::kHeaderSize), 0) << "header CRC at byte " << at;
        const std::size_t length = link::readU16(h + 4);
        if (at + link::kHeaderSize + length > bytes.size()) {
            ADD_FAILURE() << "frame at byte " << at << " is cut short";
            break;
        }
        EXPECT_TRUE(link::checkPayload(h + link::kHeaderSize, length, h[6])) << "data CRC at byte " << at;
        frames.push_back(
            {h[1], link::readU16(h + 2), Bytes(h + link::kHeaderSize, h + link::kHeaderSize + length)});
        at += link::kHeaderSize + length;
    }
    EXPECT_EQ(at, bytes.size()) << "trailing bytes";
    return frames;
}

inline Bytes sentBytes(const std::vector<Action>& actions) {
    Bytes out;
    for (const Action& a : actions)
        if (a.kind == Action::Kind::Send)
            out.insert(out.end(), a.bytes.begin(), a.bytes.end());
    return out;
}

} // namespace tavrino::sim::test
