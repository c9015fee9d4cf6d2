#include "teach/prompt_number.h"

#include <charconv>
#include <cstddef>

namespace tavrino::teach {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether a number starts at `i`: a digit, or a sign and/or point directly
// followed by a digit.
bool numberStartsAt(std::string_view s, std::size_t i) {
    std::size_t j = i;
    if (j < s.size() && (s[j] == '+' || s[j] == '-'))
        ++j;
    if (j < s.size() && s[j] == '.')
        ++j;
    return j < s.size() && isDigit(s[j]);
}

} // namespace

std::optional<double> parsePromptNumber(std::string_view answer) {
    for (std::size_t i = 0; i < answer.size(); ++i) {
        if (!numberStartsAt(answer, i))
            continue;
        // from_chars takes a minus sign but no plus sign.
        const std::size_t start = answer[i] == '+' ? i + 1 : i;
        double value = 0.0;
        const auto [end, error] =
            std::from_chars(answer.data() + start, answer.data() + answer.size(), value);
        // Out of range ("1e999") is no usable number either.
        if (error == std::errc{} && end != answer.data() + start)
            return value;
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace tavrino::teach
