// Reading and writing estimate files (.QM1).
#include <QDateTime>

#include "base/atomic_file.h"
#include "base/cp932.h"
#include "base/error.h"
#include "model/estimate_list.h"
#include "model/estimate_stream.h"

namespace qm {
namespace {

// The saved time as a file holds it.
std::string SavedAtText(const Clock& clock) { return clock.Now().toString("yyyy/MM/dd HH:mm").toStdString(); }

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

// The text fields, for keeping the bytes each was read from (TextOrigins).
enum TextField {
  kComment, kCustomerName1, kCustomerName2, kCustomerName3, kCustomerCode, kSlipCode, kSlipDateYY, kSlipDateMM,
  kSlipDateDD, kZipNo, kAddress1, kAddress2, kTelNo, kFaxNo, kNameTitle, kKoujiName, kDeliveryPlace, kPayCondition,
  kSlipLimit, kEtc, kMemo,
  kLineFreeEdit = 0, kLineName, kLineUnit, kLineNote,  // of a line's own origins
};

// A text field, its bytes noted in `origins`.
std::string ReadText(ByteReader& in, TextOrigins& origins, TextField field) {
  const std::string_view bytes = StreamToRawString(in);
  std::string text = cp932::Decode(bytes);
  origins.Note(field, bytes, text);
  return text;
}

// A text field: the bytes it was read from while its text is unchanged, else the code
// page's form.
void WriteText(ByteWriter& out, std::string_view text, const TextOrigins& origins, TextField field) {
  if (const std::string* bytes = origins.BytesFor(field, text)) {
    out.Int32(static_cast<std::int32_t>(bytes->size()));
    out.Raw(*bytes);
    return;
  }
  StringToStream(out, text);
}

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
  TextOrigins& texts = line.FileTexts();
  line.SetFreeEdit(ReadText(in, texts, kLineFreeEdit));
  line.SetName(ReadText(in, texts, kLineName));
  line.SetNum(StreamToDecimal(in));
  line.SetItemUnit(ReadText(in, texts, kLineUnit));
  line.SetPrice(StreamToDecimal(in));
  line.SetCost(StreamToDecimal(in));
  line.SetTotalPrice(StreamToDecimal(in));
  line.SetNote(ReadText(in, texts, kLineNote));
  StreamToGraphic(line.Pic(), in);
  if (v == Version::V2)
    line.SetTaxless(StreamToRawString(in) == "1");
  else
    line.SetTaxless(StreamToBool(in));
  if (HasSubTotalFlag(v)) line.SetSubTotalLineFlg(StreamToBool(in));
}

void ReadTotalClaimLine(ByteReader& in, Version v, TMxEstimateObject& line) {
  TextOrigins& texts = line.FileTexts();
  line.SetName(ReadText(in, texts, kLineName));
  line.SetTotalPrice(StreamToDecimal(in));
  if (v == Version::V2) {
    StreamToRawString(in);  // a field of the old format that nothing uses
  } else {
    line.SetNote(ReadText(in, texts, kLineNote));
    line.SetTaxless(StreamToBool(in));
  }
  if (HasSubTotalFlag(v)) line.SetSubTotalLineFlg(StreamToBool(in));
}

// Reads a whole file into `doc`, whose lines are empty and whose header holds what
// fields the file does not carry should keep.
void ReadDocument(ByteReader& in, TMxEstimateObjectList& doc, EstimateFileInfo& info) {
  TextOrigins& h = doc.FileTexts();
  info.version = StreamToString(in);
  info.savedAt = StreamToString(in);
  const Version v = VersionOf(info.version);
  if (v == Version::V2)
    doc.SetTotalClaimMode(StreamToRawString(in) == "2");
  else
    doc.SetTotalClaimMode(StreamToBool(in));
  info.comment = ReadText(in, h, kComment);

  TMxCustomerObject& c = doc.CustomerInfo();
  c.SetCustomerName1(ReadText(in, h, kCustomerName1));
  if (HasNames23(v)) {
    c.SetCustomerName2(ReadText(in, h, kCustomerName2));
    c.SetCustomerName3(ReadText(in, h, kCustomerName3));
  }
  doc.SetTaxInputModeIncludeTax(StreamToBool(in));
  doc.SetSubTotalPrice(StreamToFloat(in));
  doc.SetTotalTax(StreamToFloat(in));
  c.SetCustomerCode(ReadText(in, h, kCustomerCode));
  doc.SetSlipCodeStr(ReadText(in, h, kSlipCode));
  doc.SetSlipDateStrYY(ReadText(in, h, kSlipDateYY));
  doc.SetSlipDateStrMM(ReadText(in, h, kSlipDateMM));
  doc.SetSlipDateStrDD(ReadText(in, h, kSlipDateDD));
  c.SetZipNo(ReadText(in, h, kZipNo));
  c.SetAddress1(ReadText(in, h, kAddress1));
  c.SetAddress2(ReadText(in, h, kAddress2));
  c.SetTelNo(ReadText(in, h, kTelNo));
  c.SetFaxNo(ReadText(in, h, kFaxNo));
  c.SetCustomerNameTitle(ReadText(in, h, kNameTitle));

  const bool totalClaim = doc.TotalClaimMode();
  if (!totalClaim) {
    doc.SetKoujiNameStr(ReadText(in, h, kKoujiName));
    doc.SetKoujiNamePrintCheck(StreamToBool(in));
    doc.SetDeliveryPlaceStr(ReadText(in, h, kDeliveryPlace));
    doc.SetDeliveryPlacePrintCheck(StreamToBool(in));
    doc.SetPayConditionStr(ReadText(in, h, kPayCondition));
    doc.SetPayConditionPrintCheck(StreamToBool(in));
    doc.SetSlipLimitStr(ReadText(in, h, kSlipLimit));
    doc.SetSlipLimitPrintCheck(StreamToBool(in));
    doc.SetEtcStr(ReadText(in, h, kEtc));
    doc.SetMemoStr(ReadText(in, h, kMemo));
    doc.SetTaxCalcLine(StreamToBool(in));
    doc.SetTaxDecimalMode(StreamToCalcDecimal(in));
    doc.SetSubTotalDecimalMode(StreamToCalcDecimal(in));
  } else {
    doc.SetEtcStr(ReadText(in, h, kEtc));
    doc.SetMemoStr(ReadText(in, h, kMemo));
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
    // The file keeps no grand total. A bill built from documents entered tax-exclusive
    // totals its subtotal and tax, which is what creation computed (its line amounts
    // would leave out the tax of a per-line bill); one built with tax-included documents
    // (field 8 set) totals its line amounts, whose tax is in them. A sum beyond the amount
    // range fails the read like any damaged field.
    if (doc.TaxInputModeIncludeTax()) {
      Currency sum;
      for (int i = 0; i < doc.Count(); ++i) sum = sum + doc.Items(i).TotalPrice();
      doc.SetTotalPrice(sum);
    } else {
      doc.SetTotalPrice(doc.SubTotalPrice() + doc.TotalTax());
    }
  }
}

void WriteNormalLine(ByteWriter& out, const TMxEstimateObject& line) {
  const TextOrigins& texts = line.FileTexts();
  IntegerToStream(out, line.ClassNo());
  WriteText(out, line.FreeEdit(), texts, kLineFreeEdit);
  WriteText(out, line.Name(), texts, kLineName);
  DecimalToStream(out, line.Num());
  WriteText(out, line.ItemUnit(), texts, kLineUnit);
  DecimalToStream(out, line.Price());
  DecimalToStream(out, line.Cost());
  DecimalToStream(out, line.TotalPrice());
  WriteText(out, line.Note(), texts, kLineNote);
  GraphicToStream(line.Pic(), out);
  BoolToStream(out, line.Taxless());
  BoolToStream(out, line.SubTotalLineFlg());
}

void WriteTotalClaimLine(ByteWriter& out, const TMxEstimateObject& line) {
  const TextOrigins& texts = line.FileTexts();
  WriteText(out, line.Name(), texts, kLineName);
  DecimalToStream(out, line.TotalPrice());
  WriteText(out, line.Note(), texts, kLineNote);
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
  SetFileName(fileName);
}

void TMxEstimateObjectList::SaveFile(const std::string& fileName, const std::string& comment,
                                     const Clock& clock) const {
  SaveFile(fileName, comment, SavedAtText(clock));
}

void TMxEstimateObjectList::SaveFile(const std::string& fileName, const std::string& comment,
                                     std::string_view savedAt) const {
  try {
    WriteFileAtomically(fileName, Serialize(comment, savedAt));
  } catch (const Error& e) {
    throw Error("見積ファイル " + fileName + " を保存できません: " + e.what());
  }
  SetFileName(fileName);
}

std::string TMxEstimateObjectList::Serialize(const std::string& comment, const Clock& clock) const {
  return Serialize(comment, SavedAtText(clock));
}

std::string TMxEstimateObjectList::Serialize(const std::string& comment, std::string_view savedAt) const {
  const TextOrigins& h = FFileTexts;
  ByteWriter out;
  out.Reserve(64 * 1024);
  StringToStream(out, kTagV5);
  StringToStream(out, savedAt);
  BoolToStream(out, FTotalClaimMode);
  WriteText(out, comment, h, kComment);
  WriteText(out, FCustomerInfo->CustomerName1(), h, kCustomerName1);
  WriteText(out, FCustomerInfo->CustomerName2(), h, kCustomerName2);
  WriteText(out, FCustomerInfo->CustomerName3(), h, kCustomerName3);
  BoolToStream(out, FTaxInputModeIncludeTax);
  FloatToStream(out, FSubTotalPrice);
  FloatToStream(out, FTotalTax);
  WriteText(out, FCustomerInfo->CustomerCode(), h, kCustomerCode);
  WriteText(out, FSlipCodeStr, h, kSlipCode);
  WriteText(out, FSlipDateStrYY, h, kSlipDateYY);
  WriteText(out, FSlipDateStrMM, h, kSlipDateMM);
  WriteText(out, FSlipDateStrDD, h, kSlipDateDD);
  WriteText(out, FCustomerInfo->ZipNo(), h, kZipNo);
  WriteText(out, FCustomerInfo->Address1(), h, kAddress1);
  WriteText(out, FCustomerInfo->Address2(), h, kAddress2);
  WriteText(out, FCustomerInfo->TelNo(), h, kTelNo);
  WriteText(out, FCustomerInfo->FaxNo(), h, kFaxNo);
  WriteText(out, FCustomerInfo->CustomerNameTitle(), h, kNameTitle);
  if (!FTotalClaimMode) {
    WriteText(out, FKoujiNameStr, h, kKoujiName);
    BoolToStream(out, FKoujiNamePrintCheck);
    WriteText(out, FDeliveryPlaceStr, h, kDeliveryPlace);
    BoolToStream(out, FDeliveryPlacePrintCheck);
    WriteText(out, FPayConditionStr, h, kPayCondition);
    BoolToStream(out, FPayConditionPrintCheck);
    WriteText(out, FSlipLimitStr, h, kSlipLimit);
    BoolToStream(out, FSlipLimitPrintCheck);
    WriteText(out, FEtcStr, h, kEtc);
    WriteText(out, FMemoStr, h, kMemo);
    BoolToStream(out, FTaxCalcLine);
    CalcDecimalToStream(out, FTaxDecimalMode);
    CalcDecimalToStream(out, FSubTotalDecimalMode);
  } else {
    WriteText(out, FEtcStr, h, kEtc);
    WriteText(out, FMemoStr, h, kMemo);
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
