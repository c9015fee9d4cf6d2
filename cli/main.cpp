// tavrino-cli: the program's operations without windows, for scripts and
// production lines. Results go to stdout, operator messages to stderr.
#include "cli/cli_context.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

using namespace tavrino::cli;

constexpr const char* kUsage =
    "usage: tavrino-cli (--tcp HOST:PORT | --serial DEVICE [--baud INDEX]) [--lang en|de] [--trace] COMMAND "
    "...\n"
    "\n"
    "commands:\n"
    "  ping                 exchange order 7 once; print the firmware text\n"
    "  measure [-n N]       N order-8 exchanges (default 1); one TAB-separated line per frame:\n"
    "                       X Y Z rawX rawY rawZ csX csY csI refX refY refI deltaE colorNo in0 temp dpSet "
    "sat\n"
    "  raw ORDER ARG [HEX]  one exchange of any order with an optional hex payload; prints the reply's\n"
    "                       order echo, argument word, length and payload hex\n"
    "  params get [--from ram|eeprom] -o FILE\n"
    "                       GET from the sensor, apply the option rules, write FILE as the parameter file\n"
    "  params send FILE [--to ram|eeprom] [--yes]\n"
    "                       load FILE as the program does (questions answered No unless --yes), then SEND\n"
    "  params show FILE [--yes]\n"
    "                       load FILE and print what SEND would send (no sensor needed)\n"
    "  color xyz SPACE C1 C2 C3\n"
    "                       no sensor: the set value in calibration colour space SPACE (0..5) as X Y Z\n"
    "  color whitepoint XR YR ZR XA YA ZA\n"
    "                       no sensor: the white point Xn Yn Zn from reference XYZ and measured raw values\n"
    "  info                 connect and check the sensor as the program does (firmware, identity, GET);\n"
    "                       prints the connection log; a firmware mismatch or failure exits 1\n"
    "  hwinfo -o FILE       connect, then write the hardware information file FILE\n"
    "  baud INDEX           serial only: connect, then move sensor and line to baud-rate index INDEX\n"
    "\n"
    "exit status: 0 success, 1 link or sensor failure, 2 usage error\n";

using Command = int (*)(CliContext&, const Arguments&);

const std::map<std::string, Command>& commands() {
    static const std::map<std::string, Command> table{
        {"ping", commandPing},     {"measure", commandMeasure}, {"raw", commandRaw},
        {"color", commandColor},   {"params", commandParams},   {"info", commandInfo},
        {"hwinfo", commandHwInfo}, {"baud", commandBaud},
    };
    return table;
}

void traceFrame(bool sent, const std::uint8_t* bytes, std::size_t size) {
    std::fprintf(stderr, "%s %s\n", sent ? ">>" : "<<", hexBytes(bytes, size).c_str());
}

} // namespace

int main(int argc, char** argv) {
    CliContext ctx;
    std::string commandName;
    Arguments args;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](const char* what) -> std::optional<std::string> {
            if (i + 1 >= argc) {
                usageError(std::string(what) + " needs a value");
                return std::nullopt;
            }
            return std::string(argv[++i]);
        };
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return kExitOk;
        } else if (a == "--tcp") {
            if (!(ctx.tcp = value("--tcp")))
                return kExitUsage;
        } else if (a == "--serial") {
            if (!(ctx.serial = value("--serial")))
                return kExitUsage;
        } else if (a == "--baud") {
            auto v = value("--baud");
            if (!v)
                return kExitUsage;
            auto n = parseInteger(*v, 0, 65535);
            if (!n)
                return usageError("--baud needs a baud-rate index");
            ctx.baudIndex = static_cast<int>(*n);
        } else if (a == "--lang") {
            auto v = value("--lang");
            if (!v)
                return kExitUsage;
            if (*v == "en")
                ctx.language = tavrino::Language::English;
            else if (*v == "de")
                ctx.language = tavrino::Language::German;
            else
                return usageError("--lang must be en or de");
        } else if (a == "--trace") {
            ctx.trace = true;
        } else if (!a.empty() && a[0] == '-') {
            return usageError("unknown option " + a);
        } else {
            commandName = a;
            ++i;
            break;
        }
    }
    for (; i < argc; ++i)
        args.emplace_back(argv[i]);

    if (commandName.empty()) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const auto found = commands().find(commandName);
    if (found == commands().end())
        return usageError("unknown command " + commandName);
    if (ctx.tcp && ctx.serial)
        return usageError("give either --tcp or --serial, not both");

    // Qt's network and serial classes need an application object; the
    // operations run their own local event loops while they wait.
    QCoreApplication app(argc, argv);
    tavrino::link::SensorLink link(ctx.flags, ctx.op, ctx.language);
    ctx.link = &link;
    if (ctx.trace)
        link.trace = traceFrame;
    const int status = found->second(ctx, args);
    link.closeAll();
    return status;
}
