#include "print/list_pages.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "print/print_job.h"
#include "support/page_ops.h"

// At 254 dpi: ten dots a millimetre. 8 points are 28 dots high (14 a byte), 10 points 35,
// 12 points 42 (21 a byte), 18 points 64.

namespace qm {
namespace {

using qmtest::HasOp;
using qmtest::Joined;
using qmtest::OpsWith;

class ListPageTest : public ::testing::Test {
 protected:
  ListPageTest() : config_(dir_.path().toStdString()) {
    config_.LoadConfig(dir_.filePath("conf.ini").toStdString());
    config_.SetPrintDecimalPoint(false);
    doc_.SetSlipDateStrYY("令和8");
    doc_.SetSlipDateStrMM("12");
    doc_.SetSlipDateStrDD("9");
    src_.doc = &doc_;
    src_.config = &config_;
    src_.items = &items_;
    src_.customers = &customers_;
    src_.printerDpiX = src_.printerDpiY = 254;
  }
  void AddItems(int n) {
    for (int k = 0; k < n; ++k) {
      auto item = std::make_unique<TMxItemObject>();
      const int number = items_.Count();
      item->SetItemName("品" + std::to_string(number + 1));
      item->SetItemUnit(number % 2 ? "式" : kNoUnit);
      item->SetItemPrice(Currency::FromYen(1500 + number));
      items_.Add(std::move(item));
    }
  }
  void AddCustomers(int n) {
    for (int k = 0; k < n; ++k) {
      auto c = std::make_unique<TMxCustomerObject>();
      const std::string number = std::to_string(customers_.Count() + 1);
      c->SetCustomerCode("C" + number);
      c->SetCustomerName1("会社" + number);
      c->SetZipNo("100-0001");
      c->SetAddress2("ビル" + number);
      c->SetFaxNo("03-9");
      customers_.Add(std::move(c));
    }
  }

  QTemporaryDir dir_;
  TMxConfigInfo config_;
  TMxEstimateObjectList doc_;
  TMxItemObjectList items_;
  TMxCustomerObjectList customers_;
  ListSources src_;
};

}  // namespace

TEST_F(ListPageTest, PageCountsOfBothLists) {
  const TPrintListOptions o;
  EXPECT_EQ(PrintJob::ItemList(src_, o).PageCount(), 1);  // an empty list still prints
  AddItems(47);
  EXPECT_EQ(PrintJob::ItemList(src_, o).PageCount(), 1);
  AddItems(1);
  const PrintJob items = PrintJob::ItemList(src_, o);
  ASSERT_EQ(items.PageCount(), 2);
  EXPECT_TRUE(HasOp(items.MakePage(1), "text 956,2670 h=42 #000000 \"( 2 / 2 )\""));
  EXPECT_EQ(OpsWith(items.MakePage(1), "\"品4").size(), 1u);  // the 48th alone
  AddCustomers(15);
  EXPECT_EQ(PrintJob::CustomerList(src_, o).PageCount(), 1);
  AddCustomers(1);
  const PrintJob customers = PrintJob::CustomerList(src_, o);
  ASSERT_EQ(customers.PageCount(), 2);
  EXPECT_EQ(OpsWith(customers.MakePage(1), "\"C").size(), 1u);
  EXPECT_TRUE(HasOp(customers.MakePage(1), "text 105,411 h=28 #000000 \"C16\""));  // block 1 of page 2
  TPrintListOptions b5;
  b5.PaperSize = "B5";
  EXPECT_DOUBLE_EQ(PrintJob::ItemList(src_, b5).Scale(), 0.87);
}

TEST_F(ListPageTest, ItemPageInPlace) {
  AddItems(2);
  const PageImage page = MakeMetaFileItemListPrinter(src_, 1, 1);
  const std::string texts = Joined(OpsWith(page, "text "));
  const std::string expected =
      // 10 bytes at 18 points (32 dots a byte), centred on 1050.
      "text 890,150 h=64 underline #000080 \"品名リスト\"\n"
      // 8 points, right-aligned at 189.5 mm, bottom at 24.5 mm.
      "text 1699,217 h=28 #000000 \"令和8年12月9日\"\n"
      "text 956,2670 h=42 #000000 \"( 1 / 1 )\"\n"
      // Captions centred on their points and on 27.5 mm.
      "text 655,258 h=35 #000000 \"品名\"\n"
      "text 1305,258 h=35 #000000 \"単位\"\n"
      "text 1490,258 h=35 #000000 \"単価\"\n"
      "text 1740,258 h=35 #000000 \"原価\"\n"
      // Item 1 on 32.5 mm: no unit for ＜なし＞; amounts right-aligned at 164.5 and 189.5.
      "text 105,308 h=35 #000000 \"品1\"\n"
      "text 1558,308 h=35 #000000 \"1,500\"\n"
      "text 1878,308 h=35 #000000 \"0\"\n"
      "text 105,358 h=35 #000000 \"品2\"\n"
      "text 1285,358 h=35 #000000 \"式\"\n"
      "text 1558,358 h=35 #000000 \"1,501\"\n"
      "text 1878,358 h=35 #000000 \"0\"\n";
  EXPECT_EQ(texts, expected);
  // 48 stripes, odd and even colours in turn; the frame 5 dots wide.
  EXPECT_EQ(OpsWith(page, "fill ").size(), 48u);
  EXPECT_TRUE(HasOp(page, "fill 100,250 1800x50 #A6CAF0"));
  EXPECT_TRUE(HasOp(page, "fill 100,300 1800x50 #FFFFFF"));
  EXPECT_TRUE(HasOp(page, "line 100,250-1900,250 w=5 #000000"));
  EXPECT_TRUE(HasOp(page, "line 1280,250-1280,2650 w=5 #000000"));
  EXPECT_TRUE(HasOp(page, "line 100,300-1900,300 w=1 #000000"));
}

TEST_F(ListPageTest, CustomerPageInPlace) {
  AddCustomers(1);
  const PageImage page = MakeMetaFileCustomerListPrinter(src_, 1, 1);
  const std::string blockOne =
      "text 105,411 h=28 #000000 \"C1\"\n"
      "text 305,411 h=28 #000000 \"会社1\"\n"
      "text 105,461 h=28 #000000 \"100-0001\"\n"
      "text 105,511 h=28 #000000 \"ビル1\"\n"
      "text 1385,511 h=28 #000000 \"03-9\"\n";
  const std::string texts = Joined(OpsWith(page, "text "));
  EXPECT_NE(texts.find(blockOne), std::string::npos) << texts;
  EXPECT_TRUE(HasOp(page, "text 116,261 h=28 #000000 \"お客様コード\""));  // 12 bytes centred on 20 mm
  EXPECT_TRUE(HasOp(page, "text 1634,361 h=28 #000000 \"FAX\""));
  // Sixteen blocks of three rows; block tops 7 dots wide, inner rows 2.
  EXPECT_EQ(OpsWith(page, "fill ").size(), 32u);
  EXPECT_TRUE(HasOp(page, "line 100,400-1900,400 w=7 #000000"));
  EXPECT_TRUE(HasOp(page, "line 100,450-1900,450 w=2 #000000"));
  EXPECT_TRUE(HasOp(page, "line 1900,250-1900,2650 w=7 #000000"));
}

}  // namespace qm
