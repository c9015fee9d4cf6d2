#include "publish/json.h"

#include <charconv>
#include <cmath>
#include <utility>

namespace tavrino::publish {

namespace {

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0
// when it does not start with one.
std::size_t sequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // no overlong forms
        if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

void appendEscape(std::string& out, unsigned value) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\u00";
    out += kHex[(value >> 4) & 0xF];
    out += kHex[value & 0xF];
}

} // namespace

bool validUtf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t n = sequenceLength(text);
        if (n == 0)
            return false;
        text.remove_prefix(n);
    }
    return true;
}

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    while (!text.empty()) {
        const std::size_t n = sequenceLength(text);
        const auto c = static_cast<unsigned char>(text.front());
        if (n > 1) {
            out.append(text.substr(0, n));
            text.remove_prefix(n);
            continue;
        }
        text.remove_prefix(1);
        if (n == 0) {
            appendEscape(out, c); // a stray byte: its Latin-1 character
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            appendEscape(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}

bool appendFixed6(std::string& out, double value) {
    if (!std::isfinite(value))
        return false;
    char buffer[400]; // the largest double has 309 digits before the point
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (ec != std::errc())
        return false;
    out.append(buffer, end);
    return true;
}

void JsonObject::key(std::string_view name) {
    if (out_.size() > 1)
        out_ += ", ";
    appendJsonString(out_, name);
    out_ += ": ";
}

void JsonObject::integer(std::string_view name, long long value) {
    key(name);
    out_ += std::to_string(value);
}

void JsonObject::text(std::string_view name, std::string_view value) {
    key(name);
    appendJsonString(out_, value);
}

void JsonObject::boolean(std::string_view name, bool value) {
    key(name);
    out_ += value ? "true" : "false";
}

void JsonObject::null(std::string_view name) {
    key(name);
    out_ += "null";
}

bool JsonObject::fixed6(std::string_view name, double value) {
    key(name);
    return appendFixed6(out_, value);
}

bool JsonObject::fixed6Array(std::string_view name, const double* values, std::size_t count) {
    key(name);
    out_ += '[';
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            out_ += ", ";
        if (!appendFixed6(out_, values[i]))
            return false;
    }
    out_ += ']';
    return true;
}

std::string JsonObject::take() {
    out_ += '}';
    return std::move(out_);
}

} // namespace tavrino::publish
