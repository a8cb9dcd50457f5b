#pragma once
// The JSON form of a document shared by dump, build and calc: header fields, the
// customer block, what the file says about itself, and the lines.
#include <optional>
#include <string>
#include <string_view>

#include "model/estimate_list.h"

namespace qm::cli {

// The document as `qm dump` prints it.
std::string DocumentToJson(const TMxEstimateObjectList& doc, const EstimateFileInfo& info);

// Subtotal, tax, total and every line's amount, as `qm calc` prints them.
std::string TotalsToJson(const TMxEstimateObjectList& doc);

struct JsonDocument {
  TMxEstimateObjectList doc;
  std::string comment;
  std::optional<std::string> savedAt;
};

// Reads the JSON form (UTF-8). Absent keys keep the defaults of a new document and
// line; "Version" is accepted and ignored, "SavedAt" kept as given. A picture is
// {"file": path}, a relative path resolving against `baseDir`, or {"kind", "data"} with
// the bytes in base64. Throws qm::Error naming the offending key.
JsonDocument DocumentFromJson(std::string_view json, const std::string& baseDir);

}  // namespace qm::cli
