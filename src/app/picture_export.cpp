#include "app/picture_export.h"

#include "app/texts.h"
#include "ini/file_writer.h"
#include "ini/ini.h"
#include "parameters/file_texts.h"

#include <algorithm>
#include <cctype>

namespace tavrino::app {

namespace {

void tell(Operator& op, Language language, const std::string& text) {
    op.message(kInfoTitle.in(language), text);
}

std::string lowerCase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

} // namespace

std::optional<PictureFormat> pictureFormatOf(std::string_view path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::nullopt;
    const std::string extension = lowerCase(path.substr(dot + 1));
    if (extension == "png")
        return PictureFormat::Png;
    if (extension == "svg")
        return PictureFormat::Svg;
    if (extension == "pdf")
        return PictureFormat::Pdf;
    return std::nullopt;
}

bool exportPicture(Operator& op, Language language, const std::string& startDirectory,
                   std::string_view defaultName, const PictureRenderer& render) {
    FileRequest request;
    request.mode = FileRequest::Mode::Save;
    request.startDirectory = startDirectory;
    request.defaultName = defaultName;
    request.filter = kPictureFilter;
    request.title = texts::kExportPictureTitle.str(language);
    const FileChoice choice = op.selectFile(request);
    if (!choice.chosen())
        return false;
    const std::optional<PictureFormat> format = pictureFormatOf(choice.path);
    if (!format) {
        tell(op, language, texts::kUnknownPictureKind.str(language) + choice.path);
        return false;
    }
    if (choice.kind == FileChoice::Kind::Existing &&
        !op.confirm(kInfoTitle.in(language), texts::kReplacePicture.in(language)))
        return false;
    const std::optional<std::string> bytes = render(*format);
    if (!bytes || replaceFile(choice.path, *bytes) != kIniOk) {
        tell(op, language, parameters::file::kFileNotSaved.str(language) + "\n" + choice.path);
        return false;
    }
    return true;
}

} // namespace tavrino::app
