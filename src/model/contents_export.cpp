#include "model/contents_export.h"

#include "base/amount_text.h"
#include "base/cp932.h"

namespace qm {
namespace {

// "field" with every quote doubled, so a spreadsheet reads the line as written.
std::string Quoted(const std::string& field) {
  std::string out = "\"";
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string Line(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + Quoted(fields[i]);
  return line + "\r\n";
}

}  // namespace

std::string ContentsExportCsv(const TMxEstimateObjectList& doc, const TMxConfigInfo& c) {
  std::string text = Line({"No.", c.PrintHeadFreeEdit(), c.PrintHeadItemName(), c.PrintHeadNum(), c.PrintHeadItemUnit(),
                           c.PrintHeadUnitPrice(), c.PrintHeadCost(), c.PrintHeadPrice(), c.PrintHeadNote(), "非課税"});
  const bool decimals = c.PrintDecimalPoint();
  for (int i = 0; i < doc.Count(); ++i) {
    const TMxEstimateObject& l = doc.Items(i);
    std::string name = l.Name();
    if (c.PrintBunrui()) name = (l.ClassNo() == 1 ? "　" : l.ClassNo() == 2 ? "　　" : "") + name;
    text += Line({std::to_string(i + 1), l.FreeEdit(), name, CommaAdd(false, l.Num(), decimals), l.ItemUnit(),
                  CommaAdd(false, l.Price(), decimals), CommaAdd(false, l.Cost(), decimals),
                  CommaAdd(false, l.TotalPrice(), decimals), l.Note(), l.Taxless() ? "V" : ""});
  }
  return cp932::Encode(text).bytes;
}

}  // namespace qm
