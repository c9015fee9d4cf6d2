#pragma once

#include "app/picture_export.h"

#include <QImage>

#include <optional>
#include <string>

class QCustomPlot;

namespace tavrino::ui {

// A graph drawn anew for a picture, never grabbed from the screen: at the
// size it has on screen (a graph not yet laid out at its minimum size, or
// a readable default), PNG and the clipboard's picture at twice the pixels.
// The bytes of the file, or nothing when the picture could not be drawn.
[[nodiscard]] std::optional<std::string> plotPicture(QCustomPlot& plot, app::PictureFormat format);
[[nodiscard]] QImage plotImage(QCustomPlot& plot);

} // namespace tavrino::ui
