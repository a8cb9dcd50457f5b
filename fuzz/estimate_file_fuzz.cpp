// Fuzz target for the estimate-file reader. Any bytes either load or throw qm::Error;
// a refused file leaves the open document exactly as it was; a loaded one saves, and
// the saved bytes read back as the same document. Anything else aborts.
#include <QDateTime>
#include <QtGlobal>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/error.h"
#include "fuzz_target.h"
#include "model/estimate_list.h"

namespace {

using qm::Currency;
using qm::EstimateFileInfo;
using qm::PictureKind;
using qm::TCalcDecimal;
using qm::TMxEstimateObject;
using qm::TMxEstimateObjectList;

bool g_accepted = false;

const qm::Clock& SaveClock() {
  static const qm::FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(10, 30)));
  return clock;
}

[[noreturn]] void Fail(const std::string& what) { FuzzFail("estimate_file_fuzz", what); }

void Quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
  // Image handlers complain about every broken picture; only fatal messages matter.
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", qPrintable(message));
    std::abort();
  }
}

// A document as the editor holds it before another file is opened: every header field
// set to something no seed uses, including those no file carries, and one line.
void FillOpenDocument(TMxEstimateObjectList& doc) {
  doc.SetTaxRate(Currency::FromYen(8));
  doc.SetSubTotalPrice(Currency::ParseDecimal("1121.5"));
  doc.SetTotalPrice(Currency::FromYen(1233));
  doc.SetTotalTax(Currency::FromYen(112));
  doc.SetTotalClaimMode(false);
  doc.SetTaxCalcLine(true);
  doc.SetTaxDecimalMode(TCalcDecimal::cdRoundOff);
  doc.SetTaxInputModeIncludeTax(true);
  doc.SetSubTotalDecimalMode(TCalcDecimal::cdRoundUP);
  qm::TMxCustomerObject& c = doc.CustomerInfo();
  c.SetCustomerCode("K-0001");
  c.SetCustomerName1("開いていた会社");
  c.SetCustomerName2("二行目の宛名");
  c.SetCustomerName3("三行目の宛名");
  c.SetCustomerNameTitle("御中");
  c.SetZipNo("100-0001");
  c.SetAddress1("東京都千代田区千代田");
  c.SetAddress2("一番地");
  c.SetTelNo("03-0000-0000");
  c.SetFaxNo("03-0000-0001");
  doc.SetSlipDateStrYY("2025");
  doc.SetSlipDateStrMM("3");
  doc.SetSlipDateStrDD("31");
  doc.SetSlipCodeStr("A-7");
  doc.SetDeliveryPlaceStr("前の納入場所");
  doc.SetDeliveryPlacePrintCheck(true);
  doc.SetPayConditionStr("前の支払条件");
  doc.SetPayConditionPrintCheck(true);
  doc.SetSlipLimitStr("前の有効期限");
  doc.SetSlipLimitPrintCheck(true);
  doc.SetKoujiNameStr("前の工事名");
  doc.SetKoujiNamePrintCheck(true);
  doc.SetEtcStr("前の備考");
  doc.SetMemoStr("前のメモ");

  auto line = std::make_unique<TMxEstimateObject>();
  line->SetClassNo(3);
  line->SetFreeEdit("自由欄");
  line->SetName("前の明細");
  line->SetNum(Currency::ParseDecimal("2.5"));
  line->SetItemUnit("式");
  line->SetPrice(Currency::FromYen(1000));
  line->SetCost(Currency::FromYen(800));
  line->SetTotalPrice(Currency::FromYen(2500));
  line->SetNote("注記");
  line->SetTaxless(true);
  line->Pic().Assign(PictureKind::Bmp, "BM not really a picture");
  doc.Add(std::move(line));
}

// Collects the first field in which two documents differ.
class Differences {
 public:
  template <class T>
  void Field(std::string_view name, const T& a, const T& b, int line = -1) {
    if (!first_.empty() || a == b) return;
    first_ = std::string(name);
    if (line >= 0) first_ += " of line " + std::to_string(line);
  }
  const std::string& First() const { return first_; }

 private:
  std::string first_;
};

// Names the first field in which `b` differs from `a`; empty when none does. The Float
// fields too must come back exactly.
std::string Difference(const TMxEstimateObjectList& a, const TMxEstimateObjectList& b) {
  Differences d;
  d.Field("TaxRate", a.TaxRate(), b.TaxRate());
  d.Field("SubTotalPrice", a.SubTotalPrice(), b.SubTotalPrice());
  d.Field("TotalTax", a.TotalTax(), b.TotalTax());
  d.Field("TotalPrice", a.TotalPrice(), b.TotalPrice());
  d.Field("TotalClaimMode", a.TotalClaimMode(), b.TotalClaimMode());
  d.Field("TaxCalcLine", a.TaxCalcLine(), b.TaxCalcLine());
  d.Field("TaxDecimalMode", a.TaxDecimalMode(), b.TaxDecimalMode());
  d.Field("TaxInputModeIncludeTax", a.TaxInputModeIncludeTax(), b.TaxInputModeIncludeTax());
  d.Field("SubTotalDecimalMode", a.SubTotalDecimalMode(), b.SubTotalDecimalMode());
  d.Field("CustomerInfo", a.CustomerInfo(), b.CustomerInfo());
  d.Field("SlipDateStrYY", a.SlipDateStrYY(), b.SlipDateStrYY());
  d.Field("SlipDateStrMM", a.SlipDateStrMM(), b.SlipDateStrMM());
  d.Field("SlipDateStrDD", a.SlipDateStrDD(), b.SlipDateStrDD());
  d.Field("SlipCodeStr", a.SlipCodeStr(), b.SlipCodeStr());
  d.Field("DeliveryPlaceStr", a.DeliveryPlaceStr(), b.DeliveryPlaceStr());
  d.Field("DeliveryPlacePrintCheck", a.DeliveryPlacePrintCheck(), b.DeliveryPlacePrintCheck());
  d.Field("PayConditionStr", a.PayConditionStr(), b.PayConditionStr());
  d.Field("PayConditionPrintCheck", a.PayConditionPrintCheck(), b.PayConditionPrintCheck());
  d.Field("SlipLimitStr", a.SlipLimitStr(), b.SlipLimitStr());
  d.Field("SlipLimitPrintCheck", a.SlipLimitPrintCheck(), b.SlipLimitPrintCheck());
  d.Field("KoujiNameStr", a.KoujiNameStr(), b.KoujiNameStr());
  d.Field("KoujiNamePrintCheck", a.KoujiNamePrintCheck(), b.KoujiNamePrintCheck());
  d.Field("EtcStr", a.EtcStr(), b.EtcStr());
  d.Field("MemoStr", a.MemoStr(), b.MemoStr());
  d.Field("Count", a.Count(), b.Count());
  for (int i = 0; i < a.Count() && i < b.Count() && d.First().empty(); ++i) {
    const TMxEstimateObject& x = a.Items(i);
    const TMxEstimateObject& y = b.Items(i);
    d.Field("Name", x.Name(), y.Name(), i);
    d.Field("Num", x.Num(), y.Num(), i);
    d.Field("ClassNo", x.ClassNo(), y.ClassNo(), i);
    d.Field("FreeEdit", x.FreeEdit(), y.FreeEdit(), i);
    d.Field("ItemUnit", x.ItemUnit(), y.ItemUnit(), i);
    d.Field("Price", x.Price(), y.Price(), i);
    d.Field("Cost", x.Cost(), y.Cost(), i);
    d.Field("TotalPrice", x.TotalPrice(), y.TotalPrice(), i);
    d.Field("Note", x.Note(), y.Note(), i);
    d.Field("Taxless", x.Taxless(), y.Taxless(), i);
    d.Field("SubTotalLineFlg", x.SubTotalLineFlg(), y.SubTotalLineFlg(), i);
    d.Field("Pic.Kind", x.Pic().Kind(), y.Pic().Kind(), i);
    d.Field("Pic.Bytes", x.Pic().Bytes(), y.Pic().Bytes(), i);
    d.Field("Pic.Width", x.Pic().Width(), y.Pic().Width(), i);
    d.Field("Pic.Height", x.Pic().Height(), y.Pic().Height(), i);
  }
  return d.First();
}

// What a loaded document must show whatever the file held.
void CheckLoaded(const TMxEstimateObjectList& before, const TMxEstimateObjectList& doc, const EstimateFileInfo& info) {
  if (doc.TaxRate() != before.TaxRate()) Fail("the tax rate, which no file carries, changed");
  const bool names23 = info.version == "KESTRELDOC4_100" || info.version == "KESTRELDOC5_100";
  if (!names23 && (doc.CustomerInfo().CustomerName2() != before.CustomerInfo().CustomerName2() ||
                   doc.CustomerInfo().CustomerName3() != before.CustomerInfo().CustomerName3()))
    Fail("a " + info.version + " file changed customer names 2 and 3, which it does not carry");
  if (info.version == "KESTRELDOC2_100" && doc.Count() != 100)
    Fail("a version 2 file gave " + std::to_string(doc.Count()) + " lines");
  if (info.version == "KESTRELDOC3_100" && doc.Count() < 100)
    Fail("a version 3 file gave " + std::to_string(doc.Count()) + " lines");

  if (doc.TotalClaimMode()) {
    // Fields of the normal form stay as they were; the total is the sum of the lines.
    const bool same =
        doc.KoujiNameStr() == before.KoujiNameStr() && doc.KoujiNamePrintCheck() == before.KoujiNamePrintCheck() &&
        doc.DeliveryPlaceStr() == before.DeliveryPlaceStr() &&
        doc.DeliveryPlacePrintCheck() == before.DeliveryPlacePrintCheck() &&
        doc.PayConditionStr() == before.PayConditionStr() &&
        doc.PayConditionPrintCheck() == before.PayConditionPrintCheck() &&
        doc.SlipLimitStr() == before.SlipLimitStr() && doc.SlipLimitPrintCheck() == before.SlipLimitPrintCheck() &&
        doc.TaxCalcLine() == before.TaxCalcLine() && doc.TaxDecimalMode() == before.TaxDecimalMode() &&
        doc.SubTotalDecimalMode() == before.SubTotalDecimalMode();
    if (!same) Fail("a total-claim file changed fields of the normal form, which it does not carry");
    Currency total;
    try {
      total = doc.SubTotalPrice() + doc.TotalTax();
    } catch (const qm::Error&) {
      Fail("a total-claim file loaded although its total does not fit");
    }
    if (doc.TaxInputModeIncludeTax()) Fail("a total-claim file loaded as tax-included");
    if (total != doc.TotalPrice()) Fail("the total of a total-claim file is not its subtotal and tax");
  }
}

// Saves a loaded document and reads the bytes back into a copy of its header.
void CheckSaveAndReload(const TMxEstimateObjectList& doc, const EstimateFileInfo& info) {
  std::string saved;
  try {
    saved = doc.Serialize(info.comment, SaveClock());
  } catch (const qm::Error& e) {
    // Even bytes that are not CP932 text come back as they were.
    Fail(std::string("a loaded document does not save: ") + e.what());
  }
  TMxEstimateObjectList reread;
  reread.AssignHeader(doc);  // what a file does not carry comes from the saved document
  EstimateFileInfo info2;
  try {
    reread.LoadFromBytes(saved, &info2);
  } catch (const qm::Error& e) {
    Fail(std::string("the saved bytes do not load: ") + e.what());
  }
  if (info2.version != "KESTRELDOC5_100" || info2.savedAt != "2026/12/09 10:30" || info2.comment != info.comment)
    Fail("the saved tag, time or comment read back as \"" + info2.version + "\", \"" + info2.savedAt + "\", \"" +
         info2.comment + "\"");
  if (const std::string d = Difference(doc, reread); !d.empty()) Fail("save and reload changed " + d);
  // Saved again unchanged, the file is the same to the byte.
  std::string again;
  try {
    again = reread.Serialize(info2.comment, SaveClock());
  } catch (const qm::Error& e) {
    Fail(std::string("a reloaded document does not save: ") + e.what());
  }
  if (again != saved) Fail("a second save wrote other bytes than the first");
}

}  // namespace

bool FuzzLastInputAccepted() { return g_accepted; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!std::getenv("QM_FUZZ_VERBOSE")) qInstallMessageHandler(Quiet);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TMxEstimateObjectList before;
  FillOpenDocument(before);
  TMxEstimateObjectList doc;
  FillOpenDocument(doc);
  EstimateFileInfo info;
  try {
    doc.LoadFromBytes(bytes, &info);
    g_accepted = true;
  } catch (const qm::Error&) {
    g_accepted = false;
    if (const std::string d = Difference(before, doc); !d.empty()) Fail("a refused file changed " + d);
    return 0;
  }
  CheckLoaded(before, doc, info);
  CheckSaveAndReload(doc, info);
  return 0;
}
