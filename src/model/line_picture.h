#pragma once
// A line's picture as the row's picture button and the preview handle it: loading a file
// by its extension after a trial decode, fitting it into the preview box, and the name
// it is saved under.
#include <QRect>
#include <QSize>

#include <optional>
#include <string>

#include "model/picture.h"

namespace qm {

// The kind an extension names (any letter case): .bmp, .png, .jpg and .jpeg; None
// for anything else.
PictureKind KindOfExtension(const std::string& path);

// The file as a picture when it decodes as the kind its extension names; nothing when it
// does not (a .PNG that is no PNG). A file of another extension is taken in the format
// its bytes show, when that is BMP, PNG or JPEG. Throws qm::Error when the file cannot be
// read.
std::optional<TMxPicture> TryLoadPicture(const std::string& path);

// Where a w × h picture is drawn in a box: fitted keeping its proportions (a portrait
// picture first takes the box height, any other the box width), then centred. An empty
// rectangle for a picture with no width or height.
QRect PreviewRect(QSize picture, QSize box);

// The extension of a kind's files: "bmp", "png" or "jpg".
const char* SavedExtension(PictureKind kind);
// The file name a picture is saved under: `chosen`, with the kind's extension added
// unless it already ends in it (any letter case; .jpeg serves a JPEG too).
std::string SavedPictureName(const std::string& chosen, PictureKind kind);

}  // namespace qm
