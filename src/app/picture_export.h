#pragma once

// "Export picture...": every graph of the program leaves it as a PNG, SVG or
// PDF file, the format chosen by the file name's extension. The widgets draw
// the picture; the dialog, the format, the writing and what the operator is
// told happen here.

#include "common/language.h"
#include "common/operator.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tavrino::app {

enum class PictureFormat { Png, Svg, Pdf };

inline constexpr std::string_view kPictureFilter = "*.png *.svg *.pdf";

// The format the file name's extension asks for (".png", ".svg", ".pdf",
// in any case); nothing for any other name.
[[nodiscard]] std::optional<PictureFormat> pictureFormatOf(std::string_view path);

// Draws the graph in the format: the file's bytes, or nothing when it could
// not be drawn.
using PictureRenderer = std::function<std::optional<std::string>(PictureFormat)>;

// The save dialog (starting in `startDirectory`, proposing `defaultName`),
// the question before an existing file is replaced, then the picture drawn
// and written as every file of the program is (a whole new file or the old
// one untouched, never through a device or a read-only file). A name of an
// unknown kind, a picture that could not be drawn and a failed write are
// each told once. True when the file was written.
bool exportPicture(Operator& op, Language language, const std::string& startDirectory,
                   std::string_view defaultName, const PictureRenderer& render);

} // namespace tavrino::app
