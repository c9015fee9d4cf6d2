#pragma once

#include "common/language.h"

#include <QString>

#include <string>
#include <string_view>

namespace tavrino::ui {

// The program's texts are UTF-8 (in practice plain ASCII, umlauts written out).
[[nodiscard]] inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
[[nodiscard]] inline QString qs(const Text& text, Language language) {
    return qs(text.in(language));
}
[[nodiscard]] inline std::string str(const QString& text) {
    return text.toStdString();
}

} // namespace tavrino::ui
