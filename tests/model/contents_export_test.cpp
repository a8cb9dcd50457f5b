#include "model/contents_export.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/cp932.h"

namespace {

std::unique_ptr<qm::TMxEstimateObject> Line(const std::string& name, int classNo, const std::string& note,
                                            bool taxless) {
  auto l = std::make_unique<qm::TMxEstimateObject>();
  l->SetName(name);
  l->SetClassNo(classNo);
  l->SetNote(note);
  l->SetTaxless(taxless);
  l->SetFreeEdit("F");
  l->SetNum(qm::Currency::ParseDecimal("1.5"));
  l->SetItemUnit("㎡");
  l->SetPrice(qm::Currency::FromYen(12000));
  l->SetTotalPrice(qm::Currency::FromYen(18000));
  return l;
}

}  // namespace

TEST(ContentsExport, HeadingEveryLineQuotesDoubledCp932WithCrLf) {
  QTemporaryDir dir;
  qm::TMxConfigInfo config(dir.path().toStdString());
  config.LoadConfig(dir.filePath("conf.ini").toStdString());
  config.SetPrintDecimalPoint(false);
  config.SetPrintBunrui(true);
  qm::TMxEstimateObjectList doc;
  doc.Add(Line("基礎", 0, "", false));
  doc.Add(Line("型枠", 1, "", true));
  doc.Add(Line("鉄筋", 2, "\"D13\" 使用", false));
  doc.Add(std::make_unique<qm::TMxEstimateObject>());  // an empty line is written too

  const std::string csv = qm::ContentsExportCsv(doc, config);
  EXPECT_EQ(qm::cp932::Decode(csv),
            "\"No.\",\"自由項目\",\"品名\",\"数量\",\"単位\",\"単価\",\"原価\",\"金額\",\"備考\",\"非課税\"\r\n"
            "\"1\",\"F\",\"基礎\",\"1.5\",\"㎡\",\"12,000\",\"0\",\"18,000\",\"\",\"\"\r\n"
            "\"2\",\"F\",\"　型枠\",\"1.5\",\"㎡\",\"12,000\",\"0\",\"18,000\",\"\",\"V\"\r\n"
            "\"3\",\"F\",\"　　鉄筋\",\"1.5\",\"㎡\",\"12,000\",\"0\",\"18,000\",\"\"\"D13\"\" 使用\",\"\"\r\n"
            "\"4\",\"\",\"\",\"0\",\"\",\"0\",\"0\",\"0\",\"\",\"\"\r\n");
  // Shift-JIS bytes: 基 is 0x8A 0xEE.
  EXPECT_NE(csv.find("\x8A\xEE"), std::string::npos);

  // Headings come from the settings; without PRINTBUNRUI no indent; decimals when set.
  config.SetPrintBunrui(false);
  config.SetPrintDecimalPoint(true);
  config.SetPrintHeadItemName("工事内容");
  const std::string plain = qm::cp932::Decode(qm::ContentsExportCsv(doc, config));
  EXPECT_NE(plain.find("\"工事内容\""), std::string::npos);
  EXPECT_NE(plain.find("\"2\",\"F\",\"型枠\",\"1.50\""), std::string::npos) << plain;
}
