#pragma once
// The document the benchmarks and qm_make_sample work on: a building-works estimate with
// Japanese item names, quantities, prices, subtotal lines, taxless lines and site photos.
#include <QTemporaryDir>

#include <string>

#include "model/company_info.h"
#include "model/config_info.h"
#include "model/estimate_list.h"
#include "print/chart_page.h"

namespace qmbench {

struct SampleOptions {
  int lines = 1000;
  int pictures = 20;       // spread evenly over the lines, PNG and JPEG in turn
  bool jpegOnly = false;   // every picture a JPEG photo
  int photoWidth = 320;
  int photoHeight = 240;
  int subtotalEvery = 20;  // every n-th line closes a block; 0 for none
  bool taxPerLine = false;
  bool includeTax = false;
};

// The same options always give the same document; line amounts are calculated.
qm::TMxEstimateObjectList MakeSampleDocument(const SampleOptions& options);

// A 320 x 240 (or w x h) picture that compresses like a photograph, encoded as "png" or
// "jpeg".
std::string EncodedPhoto(const char* format, int seed, int w = 320, int h = 240);

// The sample document with default settings in a temporary data folder and a company
// profile, as the print dialog hands them to a print job (pictures on), at `dpi`.
struct SamplePrint {
  explicit SamplePrint(int dpi, int pictures = 20);
  SamplePrint(int dpi, const SampleOptions& options);
  QTemporaryDir dir;
  qm::TMxConfigInfo config{dir.filePath("img").toStdString()};
  qm::TMxCampanyInfoManager companies{dir.filePath("img").toStdString()};
  qm::TMxEstimateObjectList doc;
  qm::ChartPageSources src;
};

}  // namespace qmbench
