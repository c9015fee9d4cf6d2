#pragma once

#include "app/session.h"
#include "cli/console_operator.h"
#include "common/graphs.h"
#include "common/language.h"
#include "link/connection_settings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrino::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The options before the command.
struct GlobalOptions {
    Language language = Language::English;
    bool trace = false;
    std::optional<std::string> tcp;    // HOST:PORT
    std::optional<std::string> serial; // device
    int baudIndex = 4;
};

// Everything a command works with: the options of the command line, the
// console operator and the session that the program's operations run on.
class CliContext {
public:
    explicit CliContext(const GlobalOptions& options);
    CliContext(const CliContext&) = delete;
    CliContext& operator=(const CliContext&) = delete;

    [[nodiscard]] const GlobalOptions& options() const { return options_; }
    [[nodiscard]] Language language() const { return options_.language; }
    [[nodiscard]] ConsoleOperator& op() { return op_; }
    [[nodiscard]] app::Session& session() { return session_; }

    // The connection settings named by --tcp or --serial; nothing (the usage
    // error has been written) when none or a malformed one is given. Commands
    // call it before they load a file or ask a question.
    [[nodiscard]] std::optional<link::ConnectionSettings> endpoint() const;
    // Puts `endpoint` into the session's connection settings, as the operator
    // would on the connection page.
    void useEndpoint(const link::ConnectionSettings& endpoint);
    // Opens the link with the session's connection settings (no connection
    // check). False when it could not be opened (the link has reported why).
    bool openLink();
    // useEndpoint() and openLink() for an endpoint that endpoint() gave
    // earlier: kExitOk with the link open, else kExitFailure.
    [[nodiscard]] int openLink(const link::ConnectionSettings& endpoint);
    // endpoint() and openLink(endpoint) in one, for a command that needs
    // nothing before the sensor: kExitOk with the link open, kExitUsage when
    // no or a malformed endpoint is given, kExitFailure when the link could
    // not be opened. The reason has been written in each case.
    [[nodiscard]] int openEndpoint();

private:
    GlobalOptions options_;
    ConsoleOperator op_;
    // The command-line tool draws no graphs.
    NoGraphs graphs_;
    app::Session session_;
};

// Writes "usage: ..." with the message on stderr and returns kExitUsage.
int usageError(const std::string& message);

// Writes `text` to stdout and flushes it. False, with a one-line message on
// stderr, when it could not be written (a full disk, a closed pipe): the
// command then ends with kExitFailure.
[[nodiscard]] bool writeOut(std::string_view text);
// The one-line message of writeOut() for output that failed with `error`.
void reportUnwrittenOutput(int error);

// True when `path` names a regular file; otherwise a one-line message naming
// the path is on stderr. A dialog could not have chosen such a path, so
// "No file was selected!" would mislead.
[[nodiscard]] bool readableFile(const std::string& path);

// Locale-independent formatting for stdout.
std::string formatFixed6(double value);
// "%.<digits>g".
std::string formatGeneral(double value, int digits);
std::string hexBytes(const std::uint8_t* bytes, std::size_t size);
// Parses hex text (pairs, white space between pairs allowed); nothing on error.
std::optional<std::vector<std::uint8_t>> parseHex(const std::string& text);
// Parses a whole decimal integer in [min, max].
std::optional<long> parseInteger(const std::string& text, long min, long max);

// HOST:PORT of --tcp, split at the last colon; nothing when the host is
// empty or the port is not 1..65535.
struct TcpEndpoint {
    std::string host;
    unsigned port = 0;
};
std::optional<TcpEndpoint> parseTcpEndpoint(const std::string& text);

using Arguments = std::vector<std::string>;

int commandPing(CliContext& ctx);
struct MeasureOptions {
    long count = 1;
};
int commandMeasure(CliContext& ctx, const MeasureOptions& options);
struct RawOptions {
    std::string order;
    std::string argument;
    std::optional<std::string> hex;
};
int commandRaw(CliContext& ctx, const RawOptions& options);

// color xyz SPACE C1 C2 C3 | color whitepoint XR YR ZR XA YA ZA (no sensor needed).
int commandColorXyz(CliContext& ctx, const Arguments& values);
int commandColorWhitePoint(CliContext& ctx, const Arguments& values);

// params get [--from ram|eeprom] -o FILE | params send FILE [--to ram|eeprom] [--yes]
// | params show FILE [--yes]
struct ParamsOptions {
    std::string file;
    std::optional<std::string> memory; // ram | eeprom
    bool yes = false;
};
int commandParamsGet(CliContext& ctx, const ParamsOptions& options);
int commandParamsSend(CliContext& ctx, const ParamsOptions& options);
int commandParamsShow(CliContext& ctx, const ParamsOptions& options);

// info | hwinfo -o FILE | baud INDEX: connection management on the session.
int commandInfo(CliContext& ctx);
int commandHwInfo(CliContext& ctx, const std::string& file);
int commandBaud(CliContext& ctx, const std::string& index);

// table get -o FILE | table send FILE [--yes]: the row colours and
// specifications between the sensor and a table attributes file.
struct TableOptions {
    std::string file;
    bool yes = false;
};
int commandTableGet(CliContext& ctx, const TableOptions& options);
int commandTableSend(CliContext& ctx, const TableOptions& options);

// assistant [--to ram|eeprom] [--yes]: GET from RAM, the double-parameter
// assistant, then its sets, raw values and correction values.
struct AssistantOptions {
    std::optional<std::string> memory; // ram | eeprom
    bool yes = false;
};
int commandAssistant(CliContext& ctx, const AssistantOptions& options);

// record -o FILE [--mode values|continuous|triggered] [-n N] [--interval SECONDS]
//        [--color-space C] [--panel-id TEXT] [--append] [--yes]
struct RecordOptions {
    std::string file;
    std::string mode = "values";
    std::optional<long long> count; // -n
    double interval = 1.0;
    std::optional<int> colourSpace;
    std::string panelId;
    bool append = false;
    bool yes = false;
};
int commandRecord(CliContext& ctx, const RecordOptions& options);
// scope [--trigger MODE] [--pretrigger N] [--rate N] [--signal N] [--level
// LEVEL]: one scan, 128 TAB-separated lines. scope cycletime: the scan
// frequency and the cycle time.
struct ScopeOptions {
    int trigger = 0;
    int pretrigger = 0;
    int rate = 1;
    int signal = 0;
    double level = 0.0;
    std::string file; // -o: the scan also as a capture file
};
int commandScope(CliContext& ctx, const ScopeOptions& options);
int commandScopeCycleTime(CliContext& ctx);

// calib factors REFERENCE SETVALUES ACTUAL [--yes] | calib send ... [--slot
// user|factory] [--yes] | calib read [--slot user|factory]
struct CalibOptions {
    std::string reference;
    std::string setValues;
    std::string actualValues;
    std::string slot = "user";
    bool yes = false;
};
int commandCalibFactors(CliContext& ctx, const CalibOptions& options);
int commandCalibSend(CliContext& ctx, const CalibOptions& options);
int commandCalibRead(CliContext& ctx, const CalibOptions& options);

// offset get | offset send zero-point|xyz X Y Z | offset calc [--yes]
struct OffsetOptions {
    Arguments values;
    bool yes = false;
};
int commandOffsetGet(CliContext& ctx);
int commandOffsetSendZeroPoint(CliContext& ctx, const OffsetOptions& options);
int commandOffsetSendXyz(CliContext& ctx, const OffsetOptions& options);
int commandOffsetCalc(CliContext& ctx, const OffsetOptions& options);

} // namespace tavrino::cli
