#pragma once

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>

namespace tavrino {

// Result of narrowing a double to an integer field: the value that is stored
// and whether it had to be clamped (NaN, infinite or out of the field's range).
// The caller decides whether the operator hears about a clamp.
template <std::integral T> struct Clamped {
    T value{};
    bool clamped = false;
    friend bool operator==(const Clamped&, const Clamped&) = default;
};

// Converts with truncation toward zero, as every double-to-integer step of the
// program does, but never with undefined behaviour: NaN becomes 0, anything
// beyond the type's range becomes its lowest or highest value. A fraction that
// truncates into the range (say -0.7 for an unsigned field) is not a clamp.
template <std::integral T> [[nodiscard]] Clamped<T> clampToInteger(double v) {
    if (std::isnan(v))
        return {T{0}, true};
    const double t = std::trunc(v);
    // 2^digits is one past the highest value and exactly representable, even
    // for 64-bit types where the highest value itself is not.
    const double upper = std::ldexp(1.0, std::numeric_limits<T>::digits);
    const double lower = std::numeric_limits<T>::is_signed ? -upper : 0.0;
    if (t >= upper)
        return {std::numeric_limits<T>::max(), true};
    if (t < lower)
        return {std::numeric_limits<T>::min(), true};
    return {static_cast<T>(t), false};
}

[[nodiscard]] inline Clamped<std::uint16_t> clampToU16(double v) {
    return clampToInteger<std::uint16_t>(v);
}
[[nodiscard]] inline Clamped<std::int16_t> clampToI16(double v) {
    return clampToInteger<std::int16_t>(v);
}
[[nodiscard]] inline Clamped<std::int32_t> clampToI32(double v) {
    return clampToInteger<std::int32_t>(v);
}

} // namespace tavrino
