#pragma once

// The little JSON the payloads need: one flat object, written field by field
// in the order given, numbers formatted independently of the locale.

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrino::publish {

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
[[nodiscard]] bool validUtf8(std::string_view text);

// `text` as a JSON string with its quotes. Quotes, backslashes and control
// characters are escaped; a byte that is not part of well-formed UTF-8 is
// taken as the Latin-1 character of that value, so whatever the sensor sends
// gives valid JSON.
void appendJsonString(std::string& out, std::string_view text);

// `value` with six decimals and "." as the decimal point. False (nothing
// appended) for an infinite or NaN value, which JSON cannot carry.
[[nodiscard]] bool appendFixed6(std::string& out, double value);

// {"key": value, "key": value}: ", " between fields and ": " after each key.
class JsonObject {
public:
    void integer(std::string_view key, long long value);
    void text(std::string_view key, std::string_view value);
    void boolean(std::string_view key, bool value);
    void null(std::string_view key);
    // False (the object is then unusable) for a value JSON cannot carry.
    [[nodiscard]] bool fixed6(std::string_view key, double value);
    // [a, b, c] with six decimals each; false as fixed6.
    [[nodiscard]] bool fixed6Array(std::string_view key, const double* values, std::size_t count);

    // The finished object.
    [[nodiscard]] std::string take();

private:
    void key(std::string_view name);

    std::string out_ = "{";
};

} // namespace tavrino::publish
