#include "cli/cli_context.h"
#include "link/frame.h"

#include "app/connection.h"
#include "app/program_directory.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace tavrino::cli {

CliContext::CliContext(const GlobalOptions& options)
    : options_(options), session_(op_, graphs_, app::programDirectoryFor(std::nullopt)) {
    session_.shell.language = options_.language;
    if (options_.trace)
        session_.link.trace = [](bool sent, const std::uint8_t* bytes, std::size_t size) {
            std::fprintf(stderr, "%s %s\n", sent ? ">>" : "<<", hexBytes(bytes, size).c_str());
        };
}

std::optional<link::ConnectionSettings> CliContext::endpoint() const {
    link::ConnectionSettings c;
    if (options_.tcp) {
        const auto tcp = parseTcpEndpoint(*options_.tcp);
        if (!tcp) {
            usageError("--tcp needs HOST:PORT with a port of 1..65535");
            return std::nullopt;
        }
        c.protocol = link::Protocol::TcpIp;
        c.serverAddress = tcp->host;
        c.portNumber = std::to_string(tcp->port);
        return c;
    }
    if (options_.serial) {
        if (options_.serial->empty()) {
            usageError("--serial needs a device");
            return std::nullopt;
        }
        c.protocol = link::Protocol::Rs232;
        c.comDevice = *options_.serial;
        c.baudIndex = static_cast<std::int16_t>(options_.baudIndex);
        return c;
    }
    usageError("a sensor is needed: --tcp HOST:PORT or --serial DEVICE");
    return std::nullopt;
}

void CliContext::useEndpoint(const link::ConnectionSettings& endpoint) {
    session_.connection.settings = endpoint;
    session_.connection.notify(app::ConnectionChange::Settings);
}

bool CliContext::openLink() {
    return app::OpenLink(session_);
}

int CliContext::openLink(const link::ConnectionSettings& endpoint) {
    useEndpoint(endpoint);
    return openLink() ? kExitOk : kExitFailure;
}

int CliContext::openEndpoint() {
    const auto given = endpoint();
    return given ? openLink(*given) : kExitUsage;
}

bool readableFile(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    const char* problem = nullptr;
    if (!std::filesystem::exists(status))
        problem = "no such file";
    else if (std::filesystem::is_directory(status))
        problem = "is a directory";
    else if (!std::filesystem::is_regular_file(status))
        problem = "is not a regular file";
    if (problem == nullptr)
        return true;
    std::fprintf(stderr, "tavrino-cli: %s: %s\n", path.c_str(), problem);
    return false;
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "tavrino-cli: %s\n(see tavrino-cli --help)\n", message.c_str());
    return kExitUsage;
}

bool writeOut(std::string_view text) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (written && std::fflush(stdout) == 0)
        return true;
    reportUnwrittenOutput(errno);
    clearerr(stdout);
    return false;
}

void reportUnwrittenOutput(int error) {
    std::fprintf(stderr, "tavrino-cli: the output could not be written: %s\n", std::strerror(error));
}

std::string formatFixed6(double value) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
    if (ec != std::errc())
        return "nan";
    return {buf, end};
}

std::string formatGeneral(double value, int digits) {
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
    if (ec != std::errc())
        return "nan";
    return {buf, end};
}

std::string hexBytes(const std::uint8_t* bytes, std::size_t size) {
    return link::hexText(bytes, size);
}

std::optional<std::vector<std::uint8_t>> parseHex(const std::string& text) {
    std::vector<std::uint8_t> out;
    int high = -1;
    for (char c : text) {
        int v;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else if ((c == ' ' || c == '\t' || c == ':' || c == ',') && high < 0)
            continue;
        else
            return std::nullopt;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<std::uint8_t>(high * 16 + v));
            high = -1;
        }
    }
    if (high >= 0)
        return std::nullopt;
    return out;
}

std::optional<long> parseInteger(const std::string& text, long min, long max) {
    long v = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty() || v < min || v > max)
        return std::nullopt;
    return v;
}

std::optional<TcpEndpoint> parseTcpEndpoint(const std::string& text) {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const auto port = parseInteger(text.substr(colon + 1), 1, 65535);
    if (!port || colon == 0)
        return std::nullopt;
    return TcpEndpoint{text.substr(0, colon), static_cast<unsigned>(*port)};
}

} // namespace tavrino::cli
