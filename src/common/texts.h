#pragma once

// Operator texts that every kind of file the program loads shares.

#include "common/language.h"
#include "common/operator.h"

#include <string>
#include <string_view>

namespace tavrino {

// Followed by "\n" and the path.
inline constexpr Text kFileNotRead{"Datei konnte nicht gelesen werden!", "File could not be read!"};

// A file that is there but could not be opened or read: one message that
// names it, before the load stops with nothing taken from it.
inline void tellFileNotRead(Operator& op, Language language, std::string_view path) {
    std::string text(kFileNotRead.in(language));
    text += '\n';
    text += path;
    op.message(kInfoTitle.in(language), text);
}

} // namespace tavrino
