#include "faults.h"

#include <array>
#include <charconv>
#include <vector>

namespace tavrino::sim {

namespace {

// What follows the name: an order, a value, or both.
enum class Args { Order, OrderOptionalCount, OrderOptionalValue, Value, OrderValue, OptionalValue };

struct KindInfo {
    std::string_view name;
    FaultKind kind;
    Args args;
    int minValue;
    int maxValue;
};

constexpr std::array<KindInfo, 12> kKinds{{
    {"drop", FaultKind::Drop, Args::OrderOptionalCount, 1, 1000000},
    {"delay", FaultKind::Delay, Args::Value, 0, 600000},
    {"split", FaultKind::Split, Args::Value, 1, 4096},
    {"header-crc", FaultKind::HeaderCrc, Args::Order, 0, 0},
    {"data-crc", FaultKind::DataCrc, Args::Order, 0, 0},
    {"short-header", FaultKind::ShortHeader, Args::Order, 0, 0},
    {"short-payload", FaultKind::ShortPayload, Args::OrderOptionalValue, 0, 2040},
    {"error-reply", FaultKind::ErrorReply, Args::OrderValue, 0, 65535},
    {"plausibility", FaultKind::Plausibility, Args::OrderValue, 0, 65535},
    {"oversize", FaultKind::Oversize, Args::Order, 0, 0},
    {"disconnect", FaultKind::Disconnect, Args::Value, 1, 1000000},
    {"port-error", FaultKind::PortError, Args::OptionalValue, 0, 1000000},
}};

std::optional<int> number(std::string_view text, int min, int max) {
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc{} || end != text.data() + text.size() || v < min || v > max)
        return std::nullopt;
    return v;
}

std::vector<std::string_view> splitFields(std::string_view text) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto colon = text.find(':');
        parts.push_back(text.substr(0, colon));
        if (colon == std::string_view::npos)
            return parts;
        text.remove_prefix(colon + 1);
    }
}

} // namespace

std::optional<Fault> parseFault(std::string_view text, std::string& error) {
    const auto parts = splitFields(text);
    for (const KindInfo& info : kKinds) {
        if (parts[0] != info.name)
            continue;
        const std::size_t argc = parts.size() - 1;
        const bool takesOrder = info.args == Args::Order || info.args == Args::OrderOptionalCount ||
                                info.args == Args::OrderOptionalValue || info.args == Args::OrderValue;
        const std::size_t minArgs = info.args == Args::OptionalValue ? 0
                                    : info.args == Args::OrderValue  ? 2
                                                                     : 1;
        const std::size_t maxArgs = info.args == Args::OrderValue || info.args == Args::OrderOptionalCount ||
                                            info.args == Args::OrderOptionalValue
                                        ? 2
                                        : 1;
        if (argc < minArgs || argc > maxArgs) {
            error = "wrong number of fields in fault '" + std::string(text) + "'";
            return std::nullopt;
        }
        Fault fault;
        fault.kind = info.kind;
        std::size_t next = 1;
        if (takesOrder) {
            const auto order = number(parts[next++], 0, 255);
            if (!order) {
                error = "bad order number in fault '" + std::string(text) + "'";
                return std::nullopt;
            }
            fault.order = *order;
        }
        if (next <= argc) {
            const auto value = number(parts[next], info.minValue, info.maxValue);
            if (!value) {
                error = "bad value in fault '" + std::string(text) + "'";
                return std::nullopt;
            }
            fault.value = *value;
            if (info.kind == FaultKind::Drop)
                fault.remaining = *value;
        }
        return fault;
    }
    error = "unknown fault '" + std::string(text) + "'";
    return std::nullopt;
}

std::string toString(const Fault& fault) {
    for (const KindInfo& info : kKinds) {
        if (info.kind != fault.kind)
            continue;
        std::string text(info.name);
        if (fault.order >= 0)
            text.append(1, ':').append(std::to_string(fault.order));
        const bool showValue = info.args == Args::Value || info.args == Args::OrderValue ||
                               ((info.args == Args::OptionalValue || info.args == Args::OrderOptionalValue) &&
                                fault.value != 0) ||
                               (info.kind == FaultKind::Drop && fault.remaining >= 0);
        if (showValue)
            text.append(1, ':').append(
                std::to_string(info.kind == FaultKind::Drop ? fault.remaining : fault.value));
        return text;
    }
    return "?";
}

} // namespace tavrino::sim
