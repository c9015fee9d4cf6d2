// tavrino-cli: the program's operations without windows, for scripts and
// production lines. Results go to stdout, operator messages to stderr.
#include "cli/cli_context.h"
#include "cli/publish_commands.h"
#include "common/version.h"

#include <CLI/CLI.hpp>
#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <functional>
#include <string>

namespace {

using namespace tavrino::cli;

constexpr const char* kUsage =
    "usage: tavrino-cli (--tcp HOST:PORT | --serial DEVICE [--baud INDEX]) [--lang en|de] [--trace] COMMAND "
    "...\n"
    "       tavrino-cli --version\n"
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
    "  table get -o FILE    read the row colours and specifications from the sensor (order 184) into\n"
    "                       FILE as a table attributes file\n"
    "  table send FILE [--yes]\n"
    "                       load the table attributes file FILE (questions answered No unless --yes),\n"
    "                       then save it to the sensor (orders 180 and 182)\n"
    "  assistant [--to ram|eeprom] [--yes]\n"
    "                       GET from RAM, then the double-parameter assistant (its two questions answered\n"
    "                       OK with --yes, else Cancel); parameter sends to RAM (default) or EEPROM;\n"
    "                       progress on stderr; prints TAB-separated lines set1, set2 (POWER GAIN\n"
    "                       INTEGRAL), xyz1, xyz2, xyz3 (X Y Z) and correction (X Y Z, six decimals)\n"
    "  record -o FILE [--mode values|continuous|triggered] [-n N] [--interval SECONDS]\n"
    "         [--color-space C] [--panel-id TEXT] [--append] [--yes]\n"
    "                       values (default): N lines (default 1), one every interval (default 1.0 s;\n"
    "                       below 0.25 raised to 0.25); continuous: one line every interval until -n N\n"
    "                       lines or SIGINT/SIGTERM; triggered: order 30 argument 1, one line per frame\n"
    "                       the sensor sends until -n N lines or SIGINT/SIGTERM, then order 30 argument 0.\n"
    "                       A new FILE gets the header; an existing one is emptied with --yes, appended\n"
    "                       to with --append, otherwise left untouched (exit 1). Colour-space headings\n"
    "                       of --color-space C (0..4), else of the sensor's RAM. Nothing on stdout.\n"
    "  scope [--trigger MODE] [--pretrigger N] [--rate N] [--signal N] [--level LEVEL] [-o FILE]\n"
    "                       one scan, waiting for the four data frames without time limit; prints 128\n"
    "                       TAB-separated lines: position, red, green, blue (six decimals), the three\n"
    "                       digital traces; SIGINT/SIGTERM sends the break request and exits 1;\n"
    "                       -o FILE also writes the scan as a scope capture the program opens\n"
    "  scope cycletime      order 105; prints the scan frequency and the cycle time\n"
    "  calib factors REFERENCE SETVALUES ACTUAL [--yes]\n"
    "                       no sensor: load the three calibration files as the program does (questions\n"
    "                       answered No unless --yes), compute the white point and the factors; prints\n"
    "                       Xn Yn Zn, then 64 lines FX FY FZ\n"
    "  calib send REFERENCE SETVALUES ACTUAL [--slot user|factory] [--yes]\n"
    "                       as calib factors, then GET from RAM for the block's parameters, then the\n"
    "                       send question (No unless --yes: nothing sent) and orders 103 slot and\n"
    "                       slot + 1 (user 2, the default; factory 0)\n"
    "  calib read [--slot user|factory]\n"
    "                       orders 104 slot and slot + 1; prints TAB-separated lines rows, parameters,\n"
    "                       set1, set2, correction (six decimals), whitepoint, reference, whitebalance,\n"
    "                       then 64 lines X Y Z FX FY FZ (sensor values and factors)\n"
    "  offset get           order 102; prints zero-point X Y Z and xyz X Y Z\n"
    "  offset send zero-point X Y Z | offset send xyz X Y Z\n"
    "                       order 101 argument 0 (zero point) or 1 (XYZ offset); values 0..65535\n"
    "  offset calc [--yes]  the cover question (No unless --yes: nothing sent), order 100 argument 1,\n"
    "                       then prints as offset get\n"
    "  publish --broker HOST[:PORT] [--id ID] [--qos 0|1] [--max-rate HZ] [-n N]\n"
    "                       connect as info does, then run the live loop and publish every frame (at most\n"
    "                       HZ per second, the newest winning) to the MQTT broker (port 1883 by default)\n"
    "                       under tavrino/ID/ (ID: the serial number unless given): status (retained\n"
    "                       online/offline, also the last will), identity and parameters (retained JSON),\n"
    "                       measurement (JSON per frame). Ends after N frames or on SIGINT/SIGTERM with\n"
    "                       status offline and what is queued flushed. A lost sensor is checked again\n"
    "                       every 2 s; while the broker is away, QoS 1 frames wait (at most 100000, the\n"
    "                       oldest dropped first). A broker that refuses at the start exits 1\n"
    "\n"
    "exit status: 0 success, 1 link or sensor failure, 2 usage error\n";

// The command line as read: the global options, and what the chosen command
// runs once the session exists.
struct CommandLine {
    GlobalOptions options;
    bool help = false;
    bool version = false;
    std::string language = "en";
    std::function<int(CliContext&)> run;
    // What the commands' own options and arguments are read into.
    MeasureOptions measure;
    RawOptions raw;
    std::string hex;
    ParamsOptions params;
    Arguments values;
    std::string file;
    std::string index;
    TableOptions table;
    AssistantOptions assistant;
    RecordOptions record;
    ScopeOptions scope;
    CalibOptions calib;
    OffsetOptions offset;
};

// The value of a real-valued option: a number as CLI11 reads it, which
// alone would take an empty value as 0, a value nobody gave. With `finite`
// an infinity or NaN is refused as well.
CLI::Validator realNumber(bool finite) {
    return CLI::Validator(
        [finite](std::string& text) -> std::string {
            double value = 0.0;
            if (!CLI::detail::lexical_cast(text, value))
                return "not a number: '" + text + "'";
            if (finite && !std::isfinite(value))
                return "not a finite number: '" + text + "'";
            return {};
        },
        "NUMBER");
}

// A subcommand without a help flag of its own: "--help" is a global option.
CLI::App* command(CLI::App& parent, const char* name, const char* description) {
    CLI::App* sub = parent.add_subcommand(name, description);
    sub->set_help_flag();
    return sub;
}

void addLinkCommands(CLI::App& app, CommandLine& line) {
    command(app, "ping", "exchange order 7 once")->callback([&line] { line.run = commandPing; });

    CLI::App* m = command(app, "measure", "order-8 exchanges");
    m->add_option("-n", line.measure.count)->check(CLI::Range(1L, 100000000L));
    m->callback(
        [&line] { line.run = [&line](CliContext& ctx) { return commandMeasure(ctx, line.measure); }; });

    CLI::App* r = command(app, "raw", "one exchange of any order");
    r->add_option("ORDER", line.raw.order)->required();
    r->add_option("ARG", line.raw.argument)->required();
    r->add_option("HEX", line.hex);
    r->callback([&line, r] {
        if (r->count("HEX") > 0)
            line.raw.hex = line.hex;
        line.run = [&line](CliContext& ctx) { return commandRaw(ctx, line.raw); };
    });
}

void addParamsCommands(CLI::App& app, CommandLine& line) {
    CLI::App* p = command(app, "params", "parameter set and parameter files");
    p->require_subcommand(1);

    CLI::App* get = command(*p, "get", "GET from the sensor into FILE");
    get->add_option("--from", line.params.memory);
    get->add_option("-o", line.params.file)->required();
    get->callback(
        [&line] { line.run = [&line](CliContext& ctx) { return commandParamsGet(ctx, line.params); }; });

    CLI::App* send = command(*p, "send", "load FILE, then SEND");
    send->add_option("FILE", line.params.file)->required();
    send->add_option("--to", line.params.memory);
    send->add_flag("--yes", line.params.yes);
    send->callback(
        [&line] { line.run = [&line](CliContext& ctx) { return commandParamsSend(ctx, line.params); }; });

    CLI::App* show = command(*p, "show", "what SEND would send");
    show->add_option("FILE", line.params.file)->required();
    show->add_flag("--yes", line.params.yes);
    show->callback(
        [&line] { line.run = [&line](CliContext& ctx) { return commandParamsShow(ctx, line.params); }; });
}

void addColorCommands(CLI::App& app, CommandLine& line) {
    CLI::App* c = command(app, "color", "colour conversions without a sensor");
    c->require_subcommand(1);
    CLI::App* xyz = command(*c, "xyz", "set value to XYZ");
    xyz->add_option("VALUES", line.values);
    xyz->callback(
        [&line] { line.run = [&line](CliContext& ctx) { return commandColorXyz(ctx, line.values); }; });
    CLI::App* white = command(*c, "whitepoint", "white point from reference and measured values");
    white->add_option("VALUES", line.values);
    white->callback([&line] {
        line.run = [&line](CliContext& ctx) { return commandColorWhitePoint(ctx, line.values); };
    });
}

void addConnectionCommands(CLI::App& app, CommandLine& line) {
    command(app, "info", "connect and check the sensor")->callback([&line] { line.run = commandInfo; });

    CLI::App* hw = command(app, "hwinfo", "write the hardware information file");
    hw->add_option("-o", line.file)->required();
    hw->callback([&line] { line.run = [&line](CliContext& ctx) { return commandHwInfo(ctx, line.file); }; });

    CLI::App* baud = command(app, "baud", "move sensor and line to another baud rate");
    baud->add_option("INDEX", line.index)->required();
    baud->callback([&line] { line.run = [&line](CliContext& ctx) { return commandBaud(ctx, line.index); }; });
}

void addTableCommands(CLI::App& app, CommandLine& line) {
    CLI::App* t = command(app, "table", "row colours and specifications");
    t->require_subcommand(1);

    CLI::App* get = command(*t, "get", "the sensor's table settings into FILE");
    get->add_option("-o", line.table.file)->required();
    get->callback(
        [&line] { line.run = [&line](CliContext& ctx) { return commandTableGet(ctx, line.table); }; });

    CLI::App* send = command(*t, "send", "load FILE, then save it to the sensor");
    send->add_option("FILE", line.table.file)->required();
    send->add_flag("--yes", line.table.yes);
    send->callback(
        [&line] { line.run = [&line](CliContext& ctx) { return commandTableSend(ctx, line.table); }; });
}

void addAssistantCommands(CLI::App& app, CommandLine& line) {
    CLI::App* a = command(app, "assistant", "the double-parameter assistant");
    a->add_option("--to", line.assistant.memory);
    a->add_flag("--yes", line.assistant.yes);
    a->callback(
        [&line] { line.run = [&line](CliContext& ctx) { return commandAssistant(ctx, line.assistant); }; });
}

void addRecordCommands(CLI::App& app, CommandLine& line) {
    CLI::App* r = command(app, "record", "record measurements into a record file");
    RecordOptions& o = line.record;
    r->add_option("-o", o.file)->required();
    r->add_option("--mode", o.mode)->check(CLI::IsMember({"values", "continuous", "triggered"}));
    r->add_option("-n", o.count)->check(CLI::Range(1LL, 4294967295LL));
    // Infinity and NaN are refused with the interval's other limits.
    r->add_option("--interval", o.interval)->check(realNumber(false));
    r->add_option("--color-space", o.colourSpace)->check(CLI::Range(0, 4));
    r->add_option("--panel-id", o.panelId);
    r->add_flag("--append", o.append);
    r->add_flag("--yes", o.yes);
    r->callback([&line] { line.run = [&line](CliContext& ctx) { return commandRecord(ctx, line.record); }; });
}

void addScopeCommands(CLI::App& app, CommandLine& line) {
    CLI::App* s = command(app, "scope", "one scope scan");
    s->add_option("--trigger", line.scope.trigger)->check(CLI::Range(0, 4));
    s->add_option("--pretrigger", line.scope.pretrigger)->check(CLI::Range(0, 127));
    s->add_option("--rate", line.scope.rate)->check(CLI::Range(0, 65535));
    s->add_option("--signal", line.scope.signal)->check(CLI::Range(0, 65535));
    s->add_option("--level", line.scope.level)->check(realNumber(true));
    s->add_option("-o", line.scope.file);
    s->callback([&line] {
        if (!line.run)
            line.run = [&line](CliContext& ctx) { return commandScope(ctx, line.scope); };
    });
    CLI::App* cycle = command(*s, "cycletime", "the scan frequency and the cycle time");
    cycle->callback([&line] { line.run = [](CliContext& ctx) { return commandScopeCycleTime(ctx); }; });
}

void addCalibCommands(CLI::App& app, CommandLine& line) {
    CLI::App* c = command(app, "calib", "calibration factors and the sensor's calibration slots");
    c->require_subcommand(1);
    CalibOptions& o = line.calib;
    auto files = [&o](CLI::App* sub) {
        sub->add_option("REFERENCE", o.reference)->required();
        sub->add_option("SETVALUES", o.setValues)->required();
        sub->add_option("ACTUAL", o.actualValues)->required();
    };
    auto slot = [&o](CLI::App* sub) {
        sub->add_option("--slot", o.slot)->check(CLI::IsMember({"user", "factory"}));
    };

    CLI::App* factors = command(*c, "factors", "the factors of three calibration files");
    files(factors);
    factors->add_flag("--yes", o.yes);
    factors->callback(
        [&line] { line.run = [&line](CliContext& ctx) { return commandCalibFactors(ctx, line.calib); }; });

    CLI::App* send = command(*c, "send", "the factors of three calibration files to the sensor");
    files(send);
    slot(send);
    send->add_flag("--yes", o.yes);
    send->callback(
        [&line] { line.run = [&line](CliContext& ctx) { return commandCalibSend(ctx, line.calib); }; });

    CLI::App* read = command(*c, "read", "a calibration slot of the sensor");
    slot(read);
    read->callback(
        [&line] { line.run = [&line](CliContext& ctx) { return commandCalibRead(ctx, line.calib); }; });
}

void addOffsetCommands(CLI::App& app, CommandLine& line) {
    CLI::App* o = command(app, "offset", "the zero-point offset and the XYZ offset");
    o->require_subcommand(1);
    command(*o, "get", "order 102")->callback([&line] { line.run = commandOffsetGet; });

    CLI::App* send = command(*o, "send", "order 101");
    send->require_subcommand(1);
    CLI::App* zero = command(*send, "zero-point", "argument 0");
    zero->add_option("VALUES", line.offset.values);
    zero->callback([&line] {
        line.run = [&line](CliContext& ctx) { return commandOffsetSendZeroPoint(ctx, line.offset); };
    });
    CLI::App* xyz = command(*send, "xyz", "argument 1");
    xyz->add_option("VALUES", line.offset.values);
    xyz->callback(
        [&line] { line.run = [&line](CliContext& ctx) { return commandOffsetSendXyz(ctx, line.offset); }; });

    CLI::App* calc = command(*o, "calc", "the sensor measures its zero point");
    calc->add_flag("--yes", line.offset.yes);
    calc->callback(
        [&line] { line.run = [&line](CliContext& ctx) { return commandOffsetCalc(ctx, line.offset); }; });
}

// Reads the command line into `line`. kExitOk, or the status to end with.
int parse(int argc, char** argv, CommandLine& line) {
    CLI::App app("tavrino-cli");
    app.set_help_flag();
    app.add_flag("-h,--help", line.help);
    app.add_flag("--version", line.version);
    app.add_option("--tcp", line.options.tcp);
    app.add_option("--serial", line.options.serial);
    app.add_option("--baud", line.options.baudIndex)->check(CLI::Range(0, 65535));
    app.add_option("--lang", line.language)->check(CLI::IsMember({"en", "de"}));
    app.add_flag("--trace", line.options.trace);
    addLinkCommands(app, line);
    addParamsCommands(app, line);
    addColorCommands(app, line);
    addConnectionCommands(app, line);
    addTableCommands(app, line);
    addAssistantCommands(app, line);
    addRecordCommands(app, line);
    addScopeCommands(app, line);
    addCalibCommands(app, line);
    addOffsetCommands(app, line);
    addPublishCommand(app, line.run);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (line.help || line.version)
            return kExitOk;
        // One line: CLI11 may say more than one sentence.
        std::string message = e.what();
        std::replace(message.begin(), message.end(), '\n', ' ');
        return usageError(message);
    }
    if (line.help || line.version)
        return kExitOk;
    if (!line.run) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    if (line.options.tcp && line.options.serial)
        return usageError("give either --tcp or --serial, not both");
    line.options.language = line.language == "de" ? tavrino::Language::German : tavrino::Language::English;
    return kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    CommandLine line;
    if (const int status = parse(argc, argv, line); status != kExitOk || line.help || line.version) {
        if (line.help)
            std::fputs(kUsage, stdout);
        else if (line.version)
            std::fputs(tavrino::versionText("tavrino-cli").c_str(), stdout);
        return line.help || line.version ? kExitOk : status;
    }
    // A reader that went away (a closed pipe) is a failed write, reported
    // once, not a signal that ends the tool in the middle of an exchange.
    std::signal(SIGPIPE, SIG_IGN);

    // Qt's network and serial classes need an application object; the
    // operations run their own local event loops while they wait.
    QCoreApplication application(argc, argv);
    CliContext ctx(line.options);
    const int status = line.run(ctx);
    ctx.session().link.closeAll();
    return status;
}
