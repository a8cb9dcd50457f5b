#pragma once
// The bitmap files that go with the settings (seals, logos, company stamps).
#include <string>

#include "model/picture.h"

namespace qm {

// Loads `path` into `bitmap` when the file exists and empties it otherwise. A file
// that exists but does not read as a picture throws qm::Error naming it.
void LoadBitmapFile(const std::string& path, TMxPicture& bitmap);

// Writes a set bitmap to `path` atomically; deletes the file of an empty one.
void SaveBitmapFile(const std::string& path, const TMxPicture& bitmap);

// The folder with one trailing '/'.
std::string WithTrailingSeparator(const std::string& folder);

}  // namespace qm
