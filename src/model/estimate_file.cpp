// Reading and writing estimate files (.QM1).
#include <QDateTime>

#include "base/atomic_file.h"
#include "base/error.h"
#include "model/estimate_list.h"
#include "model/estimate_stream.h"

namespace qm {
namespace {

constexpr const char* kTagV2 = "KESTRELDOC2_100";
constexpr const char* kTagV3 = "KESTRELDOC3_100";
constexpr const char* kTagV4 = "KESTRELDOC4_100";
constexpr const char* kTagV5 = "KESTRELDOC5_100";

// Version 3 documents were always at least this long; shorter ones are filled up.
constexpr int kVersion3MinLines = 100;
// Version 2 files carry no line count.
constexpr int kVersion2Lines = 100;
// The smallest line record is made of this many Int32-prefixed fields.
constexpr std::size_t kMinLineRecordBytes = 3 * 4;

enum class Version { V2, V3, V4, V5, Unknown };

Version VersionOf(std::string_view tag) {
  if (tag == kTagV2) return Version::V2;
  if (tag == kTagV3) return Version::V3;
  if (tag == kTagV4) return Version::V4;
  if (tag == kTagV5) return Version::V5;
  return Version::Unknown;  // read by the version 3 rules, without filling up
}

bool HasNames23(Version v) { return v == Version::V4 || v == Version::V5; }
bool HasSubTotalFlag(Version v) { return v == Version::V4 || v == Version::V5; }

int ReadLineCount(ByteReader& in, Version v) {
  if (v == Version::V2) return kVersion2Lines;
  const std::size_t at = in.Offset();
  const std::int32_t n = in.Int32();
  if (n < 0 || static_cast<std::size_t>(n) > in.Remaining() / kMinLineRecordBytes)
    throw Error("行数 " + std::to_string(n) + " がファイルの大きさに合いません（" + std::to_string(at) +
                " バイト目）。");
  return n;
}

void ReadNormalLine(ByteReader& in, Version v, TMxEstimateObject& line) {
  line.SetClassNo(StreamToInteger(in));
  line.SetFreeEdit(StreamToString(in));
  line.SetName(StreamToString(in));
  line.SetNum(StreamToDecimal(in));
  line.SetItemUnit(StreamToString(in));
  line.SetPrice(StreamToDecimal(in));
  line.SetCost(StreamToDecimal(in));
  line.SetTotalPrice(StreamToDecimal(in));
  line.SetNote(StreamToString(in));
  StreamToGraphic(line.Pic(), in);
  if (v == Version::V2)
    line.SetTaxless(StreamToRawString(in) == "1");
  else
    line.SetTaxless(StreamToBool(in));
  if (HasSubTotalFlag(v)) line.SetSubTotalLineFlg(StreamToBool(in));
}

void ReadTotalClaimLine(ByteReader& in, Version v, TMxEstimateObject& line) {
  line.SetName(StreamToString(in));
  line.SetTotalPrice(StreamToDecimal(in));
  if (v == Version::V2) {
    StreamToRawString(in);  // a field of the old format that nothing uses
  } else {
    line.SetNote(StreamToString(in));
    line.SetTaxless(StreamToBool(in));
  }
  if (HasSubTotalFlag(v)) line.SetSubTotalLineFlg(StreamToBool(in));
}

// Reads a whole file into `doc`, whose lines are empty and whose header holds what
// fields the file does not carry should keep.
void ReadDocument(ByteReader& in, TMxEstimateObjectList& doc, EstimateFileInfo& info) {
  info.version = StreamToString(in);
  info.savedAt = StreamToString(in);
  const Version v = VersionOf(info.version);
  if (v == Version::V2)
    doc.SetTotalClaimMode(StreamToRawString(in) == "2");
  else
    doc.SetTotalClaimMode(StreamToBool(in));
  info.comment = StreamToString(in);

  TMxCustomerObject& c = doc.CustomerInfo();
  c.SetCustomerName1(StreamToString(in));
  if (HasNames23(v)) {
    c.SetCustomerName2(StreamToString(in));
    c.SetCustomerName3(StreamToString(in));
  }
  doc.SetTaxInputModeIncludeTax(StreamToBool(in));
  doc.SetSubTotalPrice(StreamToFloat(in));
  doc.SetTotalTax(StreamToFloat(in));
  c.SetCustomerCode(StreamToString(in));
  doc.SetSlipCodeStr(StreamToString(in));
  doc.SetSlipDateStrYY(StreamToString(in));
  doc.SetSlipDateStrMM(StreamToString(in));
  doc.SetSlipDateStrDD(StreamToString(in));
  c.SetZipNo(StreamToString(in));
  c.SetAddress1(StreamToString(in));
  c.SetAddress2(StreamToString(in));
  c.SetTelNo(StreamToString(in));
  c.SetFaxNo(StreamToString(in));
  c.SetCustomerNameTitle(StreamToString(in));

  const bool totalClaim = doc.TotalClaimMode();
  if (!totalClaim) {
    doc.SetKoujiNameStr(StreamToString(in));
    doc.SetKoujiNamePrintCheck(StreamToBool(in));
    doc.SetDeliveryPlaceStr(StreamToString(in));
    doc.SetDeliveryPlacePrintCheck(StreamToBool(in));
    doc.SetPayConditionStr(StreamToString(in));
    doc.SetPayConditionPrintCheck(StreamToBool(in));
    doc.SetSlipLimitStr(StreamToString(in));
    doc.SetSlipLimitPrintCheck(StreamToBool(in));
    doc.SetEtcStr(StreamToString(in));
    doc.SetMemoStr(StreamToString(in));
    doc.SetTaxCalcLine(StreamToBool(in));
    doc.SetTaxDecimalMode(StreamToCalcDecimal(in));
    doc.SetSubTotalDecimalMode(StreamToCalcDecimal(in));
  } else {
    doc.SetEtcStr(StreamToString(in));
    doc.SetMemoStr(StreamToString(in));
  }

  const int n = ReadLineCount(in, v);
  for (int i = 0; i < n; ++i) {
    auto line = std::make_unique<TMxEstimateObject>();
    if (totalClaim)
      ReadTotalClaimLine(in, v, *line);
    else
      ReadNormalLine(in, v, *line);
    doc.Add(std::move(line));
  }
  if (v == Version::V3)
    while (doc.Count() < kVersion3MinLines) doc.Add(std::make_unique<TMxEstimateObject>());

  if (totalClaim) {
    // The file keeps no input mode and no grand total. The grand total of a bill entered
    // tax-exclusive is its subtotal and tax, which is what creation computed: the line
    // amounts would leave out the tax of a per-line bill.
    doc.SetTaxInputModeIncludeTax(false);
    // A sum beyond the amount range fails the read like any damaged field.
    doc.SetTotalPrice(doc.SubTotalPrice() + doc.TotalTax());
  }
}

void WriteNormalLine(ByteWriter& out, const TMxEstimateObject& line) {
  IntegerToStream(out, line.ClassNo());
  StringToStream(out, line.FreeEdit());
  StringToStream(out, line.Name());
  DecimalToStream(out, line.Num());
  StringToStream(out, line.ItemUnit());
  DecimalToStream(out, line.Price());
  DecimalToStream(out, line.Cost());
  DecimalToStream(out, line.TotalPrice());
  StringToStream(out, line.Note());
  GraphicToStream(line.Pic(), out);
  BoolToStream(out, line.Taxless());
  BoolToStream(out, line.SubTotalLineFlg());
}

void WriteTotalClaimLine(ByteWriter& out, const TMxEstimateObject& line) {
  StringToStream(out, line.Name());
  DecimalToStream(out, line.TotalPrice());
  StringToStream(out, line.Note());
  BoolToStream(out, line.Taxless());
  BoolToStream(out, line.SubTotalLineFlg());
}

}  // namespace

void TMxEstimateObjectList::LoadFromBytes(std::string_view bytes, EstimateFileInfo* info) {
  // Read into a scratch document that starts with our header, so that fields the file
  // does not carry keep their values; take it over only when the whole file read.
  TMxEstimateObjectList scratch;
  scratch.AssignHeader(*this);
  EstimateFileInfo scratchInfo;
  ByteReader in(bytes);
  ReadDocument(in, scratch, scratchInfo);
  *this = std::move(scratch);
  if (info) *info = std::move(scratchInfo);
}

void TMxEstimateObjectList::LoadFile(const std::string& fileName, EstimateFileInfo* info) {
  const std::string bytes = ReadWholeFile(fileName);
  try {
    LoadFromBytes(bytes, info);
  } catch (const Error& e) {
    throw Error("見積ファイル " + fileName + " を読み込めません: " + e.what());
  }
}

void TMxEstimateObjectList::SaveFile(const std::string& fileName, const std::string& comment,
                                     const Clock& clock) const {
  try {
    WriteFileAtomically(fileName, Serialize(comment, clock));
  } catch (const Error& e) {
    throw Error("見積ファイル " + fileName + " を保存できません: " + e.what());
  }
}

std::string TMxEstimateObjectList::Serialize(const std::string& comment, const Clock& clock) const {
  ByteWriter out;
  out.Reserve(64 * 1024);
  StringToStream(out, kTagV5);
  StringToStream(out, clock.Now().toString("yyyy/MM/dd HH:mm").toStdString());
  BoolToStream(out, FTotalClaimMode);
  StringToStream(out, comment);
  StringToStream(out, FCustomerInfo->CustomerName1());
  StringToStream(out, FCustomerInfo->CustomerName2());
  StringToStream(out, FCustomerInfo->CustomerName3());
  BoolToStream(out, FTaxInputModeIncludeTax);
  FloatToStream(out, FSubTotalPrice);
  FloatToStream(out, FTotalTax);
  StringToStream(out, FCustomerInfo->CustomerCode());
  StringToStream(out, FSlipCodeStr);
  StringToStream(out, FSlipDateStrYY);
  StringToStream(out, FSlipDateStrMM);
  StringToStream(out, FSlipDateStrDD);
  StringToStream(out, FCustomerInfo->ZipNo());
  StringToStream(out, FCustomerInfo->Address1());
  StringToStream(out, FCustomerInfo->Address2());
  StringToStream(out, FCustomerInfo->TelNo());
  StringToStream(out, FCustomerInfo->FaxNo());
  StringToStream(out, FCustomerInfo->CustomerNameTitle());
  if (!FTotalClaimMode) {
    StringToStream(out, FKoujiNameStr);
    BoolToStream(out, FKoujiNamePrintCheck);
    StringToStream(out, FDeliveryPlaceStr);
    BoolToStream(out, FDeliveryPlacePrintCheck);
    StringToStream(out, FPayConditionStr);
    BoolToStream(out, FPayConditionPrintCheck);
    StringToStream(out, FSlipLimitStr);
    BoolToStream(out, FSlipLimitPrintCheck);
    StringToStream(out, FEtcStr);
    StringToStream(out, FMemoStr);
    BoolToStream(out, FTaxCalcLine);
    CalcDecimalToStream(out, FTaxDecimalMode);
    CalcDecimalToStream(out, FSubTotalDecimalMode);
  } else {
    StringToStream(out, FEtcStr);
    StringToStream(out, FMemoStr);
  }
  out.Int32(Count());
  for (const auto& line : FItems) {
    if (FTotalClaimMode)
      WriteTotalClaimLine(out, *line);
    else
      WriteNormalLine(out, *line);
  }
  return out.Take();
}

}  // namespace qm
