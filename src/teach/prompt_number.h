#pragma once

#include <optional>
#include <string_view>

namespace tavrino::teach {

// Reads the number in an answer to a value prompt: any leading text is skipped
// up to the first number, which is read as a double ("tol 2.5" gives 2.5,
// "x-1e-3" gives -0.001). The decimal point is always ".", whatever the
// operator's locale. An answer without a number gives nothing.
[[nodiscard]] std::optional<double> parsePromptNumber(std::string_view answer);

} // namespace tavrino::teach
