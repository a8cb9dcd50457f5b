#pragma once
// The document the benchmarks and qm_make_sample work on: a building-works estimate with
// Japanese item names, quantities, prices, subtotal lines, taxless lines and site photos.
#include <string>

#include "model/estimate_list.h"

namespace qmbench {

struct SampleOptions {
  int lines = 1000;
  int pictures = 20;       // spread evenly over the lines, PNG and JPEG in turn
  int subtotalEvery = 20;  // every n-th line closes a block; 0 for none
  bool taxPerLine = false;
  bool includeTax = false;
};

// The same options always give the same document; line amounts are calculated.
qm::TMxEstimateObjectList MakeSampleDocument(const SampleOptions& options);

// A 320 x 240 picture that compresses like a photograph, encoded as "png" or "jpeg".
std::string EncodedPhoto(const char* format, int seed);

}  // namespace qmbench
