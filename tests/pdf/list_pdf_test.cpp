// The customer list and the item list as PDF: filled items and the files read back.
#include "pdf/list_pdf.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "pdf/pdf_blocks.h"
#include "pdf/slip_pdf.h"
#include "print/print_job.h"
#include "support/pdf_tools.h"

namespace qm::pdf {
namespace {

class ListPdfTest : public ::testing::Test {
 protected:
  ListPdfTest() : config_(dir_.path().toStdString()) {
    config_.LoadConfig(dir_.filePath("conf.ini").toStdString());
    config_.SetPrintDecimalPoint(true);
    doc_.SetSlipDateStrYY("令和08");
    doc_.SetSlipDateStrMM("12");
    doc_.SetSlipDateStrDD("09");
    src_.doc = &doc_;
    src_.config = &config_;
    src_.items = &items_;
    src_.customers = &customers_;
    for (int i = 1; i <= 48; ++i) {
      auto item = std::make_unique<TMxItemObject>();
      item->SetItemName("品目" + std::to_string(i));
      item->SetItemUnit(i == 2 ? kNoUnit : "式");
      item->SetItemPrice(Currency::FromYen(1500 * i));
      items_.Add(std::move(item));
    }
    for (int i = 1; i <= 16; ++i) {
      auto c = std::make_unique<TMxCustomerObject>();
      c->SetCustomerCode("K" + std::to_string(i));
      c->SetCustomerName1("山田建設" + std::to_string(i));
      c->SetZipNo("100-000" + std::to_string(i % 10));
      c->SetTelNo("03-1111-" + std::to_string(1000 + i));
      customers_.Add(std::move(c));
    }
  }

  QTemporaryDir dir_;
  TMxConfigInfo config_;
  TMxEstimateObjectList doc_;
  TMxItemObjectList items_;
  TMxCustomerObjectList customers_;
  ListSources src_;
  TFormPDFBase base_;
};

}  // namespace

TEST_F(ListPdfTest, ItemsOfTheTemplatePages) {
  MakePDFFileItemList(base_, src_, 1, 2);
  TemplatePage& t = base_.Template(PdfTemplate::ItemList);
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelItemListTitle").Caption, "品名リスト");
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelItemListDate").Caption, "令和08年12月09日");
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelItemListItemName47").Caption, "品目47");
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelItemListItemUnit2").Caption, "");  // ＜なし＞
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelItemListItemUnitPrice3").Caption, "4,500.00");
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelItemListPageNo").Caption, "( 1 / 2 )");
  // Page 2 holds the 48th alone; nothing of page 1 stays on it.
  MakePDFFileItemList(base_, src_, 2, 2);
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelItemListItemName1").Caption, "品目48");
  EXPECT_EQ(t.Must<TPRLabel>("PRLabelItemListItemName2").Caption, "");

  MakePDFFileCustomerList(base_, src_, 2, 2);
  TemplatePage& c = base_.Template(PdfTemplate::CustomerList);
  EXPECT_EQ(c.Must<TPRLabel>("PRLabelCustomerListCode1").Caption, "K16");
  EXPECT_EQ(c.Must<TPRLabel>("PRLabelCustomerListOffice1_1").Caption, "山田建設16");
  EXPECT_EQ(c.Must<TPRLabel>("PRLabelCustomerListZip1").Caption, "100-0006");
  EXPECT_EQ(c.Must<TPRLabel>("PRLabelCustomerListTel1").Caption, "03-1111-1016");
  EXPECT_EQ(c.Must<TPRLabel>("PRLabelCustomerListCode2").Caption, "");
}

TEST_F(ListPdfTest, BothListsAsValidFiles) {
  const struct {
    PrintJob job;
    const char* file;
    int pages;
    std::vector<QString> texts;
  } lists[] = {
      {PrintJob::ItemList(src_, TPrintListOptions{}), "items.pdf", 2, {"品名リスト", "品目48", "72,000.00", "( 2 / 2 )"}},
      {PrintJob::CustomerList(src_, TPrintListOptions{}), "customers.pdf", 2,
       {"お客様一覧", "山田建設15", "03-1111-1016", "( 1 / 2 )"}},
  };
  for (const auto& l : lists) {
    const QString path = dir_.filePath(l.file);
    WritePdf(base_, l.job, path.toStdString());
    qmtest::ExpectValidPdf(path);
    EXPECT_EQ(qmtest::PdfPageCount(path), l.pages) << l.file;
    EXPECT_EQ(qmtest::PdfPageSize(path, 1), "595 x 842");
    // The reader gives the hyphen of the Japanese font as U+2011.
    const QString text = qmtest::PdfText(path).replace(QChar(0x2011), QChar('-'));
    for (const QString& want : l.texts)
      EXPECT_TRUE(text.contains(want)) << l.file << " " << want.toStdString() << "\n" << text.toStdString();
  }
}

}  // namespace qm::pdf
