#pragma once

#include "cli/console_operator.h"
#include "common/language.h"
#include "common/run_flags.h"
#include "link/sensor_link.h"

#include <optional>
#include <string>
#include <vector>

namespace tavrino::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Everything a command works with: the options of the command line, the
// console operator and the program state the operations need.
struct CliContext {
    Language language = Language::English;
    bool trace = false;
    std::optional<std::string> tcp;    // HOST:PORT
    std::optional<std::string> serial; // device
    int baudIndex = 4;

    ConsoleOperator op;
    RunFlags flags;
    link::SensorLink* link = nullptr;

    // Opens the transport named on the command line. False (failure already
    // reported on stderr) when it cannot be opened; `openFailureStatus` then
    // says whether the command line (2) or the link (1) was at fault.
    bool openLink();
    int openFailureStatus = kExitFailure;
    [[nodiscard]] bool hasEndpoint() const { return tcp.has_value() || serial.has_value(); }
};

// Writes "usage: ..." with the message on stderr and returns kExitUsage.
int usageError(const std::string& message);

// Locale-independent formatting for stdout.
std::string formatFixed6(double value);
// "%.<digits>g".
std::string formatGeneral(double value, int digits);
std::string hexBytes(const std::uint8_t* bytes, std::size_t size);
// Parses hex text (pairs, white space between pairs allowed); nothing on error.
std::optional<std::vector<std::uint8_t>> parseHex(const std::string& text);
// Parses a whole decimal integer in [min, max].
std::optional<long> parseInteger(const std::string& text, long min, long max);

// HOST:PORT of --tcp, split at the last colon; nothing when the port is not 0..65535.
struct TcpEndpoint {
    std::string host;
    unsigned port = 0;
};
std::optional<TcpEndpoint> parseTcpEndpoint(const std::string& text);

using Arguments = std::vector<std::string>;

int commandPing(CliContext& ctx, const Arguments& args);
int commandMeasure(CliContext& ctx, const Arguments& args);
int commandRaw(CliContext& ctx, const Arguments& args);

// color xyz SPACE C1 C2 C3 | color whitepoint XR YR ZR XA YA ZA (no sensor needed).
int commandColor(CliContext& ctx, const Arguments& args);

// params get [--from ram|eeprom] -o FILE | params send FILE [--to ram|eeprom] [--yes]
// | params show FILE [--yes]
int commandParams(CliContext& ctx, const Arguments& args);

// info | hwinfo -o FILE | baud INDEX: connection management on a session.
int commandInfo(CliContext& ctx, const Arguments& args);
int commandHwInfo(CliContext& ctx, const Arguments& args);
int commandBaud(CliContext& ctx, const Arguments& args);

} // namespace tavrino::cli
