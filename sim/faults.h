#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrino::sim {

// Faults the simulated sensor can be told to make. Order-bound faults apply
// to the reply to a request with that order and to frames the sensor sends by
// itself with that order echo (8 for the trigger stream, 110 for scan data).
enum class FaultKind {
    Drop,         // drop:ORDER[:N]      no reply (N times, or always)
    Delay,        // delay:MS            every frame MS later
    Split,        // split:BYTES         frames in pieces of BYTES
    HeaderCrc,    // header-crc:ORDER    wrong header CRC
    DataCrc,      // data-crc:ORDER      wrong data CRC (header itself valid)
    ShortHeader,  // short-header:ORDER  only the first 5 header bytes
    ShortPayload, // short-payload:ORDER[:BYTES]  payload cut to BYTES (default 0), frame valid
    ErrorReply,   // error-reply:ORDER:ARG  error reply (order echo 0) with ARG
    Plausibility, // plausibility:ORDER:COUNT  argument word COUNT
    Oversize,     // oversize:ORDER      length word above 2040 (payload padded)
    Disconnect,   // disconnect:N        close the connection after answering N requests
    PortError,    // port-error[:N]      hang the line up instead of answering request N+1
};

struct Fault {
    FaultKind kind = FaultKind::Drop;
    int order = -1;     // -1: not bound to an order
    int value = 0;      // MS, BYTES, ARG, COUNT or N
    int remaining = -1; // drop: replies still to drop; -1 for every one
};

// Parses the text of a --fault option; on failure `error` says why.
[[nodiscard]] std::optional<Fault> parseFault(std::string_view text, std::string& error);
// The fault as text again, for the log.
[[nodiscard]] std::string toString(const Fault& fault);

} // namespace tavrino::sim
