#pragma once
// Small pictures encoded in memory, for documents under test.
#include <string>

namespace qmtest {

// A w x h picture with a colour gradient, encoded as "bmp", "png" or "jpeg".
std::string EncodedImage(const char* format, int w, int h);

// Writes such a picture to a file; false when the file cannot be written.
bool WriteImageFile(const std::string& path, const char* format, int w, int h);

}  // namespace qmtest
