#include "cli/document_json.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <type_traits>
#include <variant>
#include <vector>

#include "base/error.h"
#include "cli/front/json_writer.h"
#include "cli/front/messages.h"
#include "model/calculation.h"

namespace qm::cli {
namespace {

// One accessor pair of a model class; the table below drives both directions, so a
// key is named once.
template <class T, class Get, class Set>
struct Access {
  Get (T::*get)() const;
  void (T::*set)(Set);
};

template <class T>
struct Property {
  const char* name;
  std::variant<Access<T, const std::string&, std::string>, Access<T, bool, bool>, Access<T, Currency, Currency>,
               Access<T, TCalcDecimal, TCalcDecimal>, Access<T, std::int32_t, std::int32_t>>
      access;
};

template <class T>
Property<T> Prop(const char* name, const std::string& (T::*get)() const, void (T::*set)(std::string)) {
  return {name, Access<T, const std::string&, std::string>{get, set}};
}
template <class T, class V>
Property<T> Prop(const char* name, V (T::*get)() const, void (T::*set)(V)) {
  return {name, Access<T, V, V>{get, set}};
}

using Doc = TMxEstimateObjectList;
using Line = TMxEstimateObject;
using Customer = TMxCustomerObject;

// Everything of the header before the customer block, in output order.
const std::vector<Property<Doc>>& HeaderProperties() {
  static const std::vector<Property<Doc>> props = {
      Prop("TotalClaimMode", &Doc::TotalClaimMode, &Doc::SetTotalClaimMode),
      Prop("TaxRate", &Doc::TaxRate, &Doc::SetTaxRate),
      Prop("SubTotalPrice", &Doc::SubTotalPrice, &Doc::SetSubTotalPrice),
      Prop("TotalPrice", &Doc::TotalPrice, &Doc::SetTotalPrice),
      Prop("TotalTax", &Doc::TotalTax, &Doc::SetTotalTax),
      Prop("TaxCalcLine", &Doc::TaxCalcLine, &Doc::SetTaxCalcLine),
      Prop("TaxDecimalMode", &Doc::TaxDecimalMode, &Doc::SetTaxDecimalMode),
      Prop("TaxInputModeIncludeTax", &Doc::TaxInputModeIncludeTax, &Doc::SetTaxInputModeIncludeTax),
      Prop("SubTotalDecimalMode", &Doc::SubTotalDecimalMode, &Doc::SetSubTotalDecimalMode),
      Prop("SlipDateStrYY", &Doc::SlipDateStrYY, &Doc::SetSlipDateStrYY),
      Prop("SlipDateStrMM", &Doc::SlipDateStrMM, &Doc::SetSlipDateStrMM),
      Prop("SlipDateStrDD", &Doc::SlipDateStrDD, &Doc::SetSlipDateStrDD),
      Prop("SlipCodeStr", &Doc::SlipCodeStr, &Doc::SetSlipCodeStr),
      Prop("DeliveryPlaceStr", &Doc::DeliveryPlaceStr, &Doc::SetDeliveryPlaceStr),
      Prop("DeliveryPlacePrintCheck", &Doc::DeliveryPlacePrintCheck, &Doc::SetDeliveryPlacePrintCheck),
      Prop("PayConditionStr", &Doc::PayConditionStr, &Doc::SetPayConditionStr),
      Prop("PayConditionPrintCheck", &Doc::PayConditionPrintCheck, &Doc::SetPayConditionPrintCheck),
      Prop("SlipLimitStr", &Doc::SlipLimitStr, &Doc::SetSlipLimitStr),
      Prop("SlipLimitPrintCheck", &Doc::SlipLimitPrintCheck, &Doc::SetSlipLimitPrintCheck),
      Prop("KoujiNameStr", &Doc::KoujiNameStr, &Doc::SetKoujiNameStr),
      Prop("KoujiNamePrintCheck", &Doc::KoujiNamePrintCheck, &Doc::SetKoujiNamePrintCheck),
      Prop("EtcStr", &Doc::EtcStr, &Doc::SetEtcStr),
      Prop("MemoStr", &Doc::MemoStr, &Doc::SetMemoStr),
  };
  return props;
}

const std::vector<Property<Customer>>& CustomerProperties() {
  static const std::vector<Property<Customer>> props = {
      Prop("CustomerCode", &Customer::CustomerCode, &Customer::SetCustomerCode),
      Prop("CustomerName1", &Customer::CustomerName1, &Customer::SetCustomerName1),
      Prop("CustomerName2", &Customer::CustomerName2, &Customer::SetCustomerName2),
      Prop("CustomerName3", &Customer::CustomerName3, &Customer::SetCustomerName3),
      Prop("CustomerNameTitle", &Customer::CustomerNameTitle, &Customer::SetCustomerNameTitle),
      Prop("ZipNo", &Customer::ZipNo, &Customer::SetZipNo),
      Prop("Address1", &Customer::Address1, &Customer::SetAddress1),
      Prop("Address2", &Customer::Address2, &Customer::SetAddress2),
      Prop("TelNo", &Customer::TelNo, &Customer::SetTelNo),
      Prop("FaxNo", &Customer::FaxNo, &Customer::SetFaxNo),
  };
  return props;
}

// A line without its picture, in output order.
const std::vector<Property<Line>>& LineProperties() {
  static const std::vector<Property<Line>> props = {
      Prop("Name", &Line::Name, &Line::SetName),
      Prop("Num", &Line::Num, &Line::SetNum),
      Prop("ClassNo", &Line::ClassNo, &Line::SetClassNo),
      Prop("FreeEdit", &Line::FreeEdit, &Line::SetFreeEdit),
      Prop("ItemUnit", &Line::ItemUnit, &Line::SetItemUnit),
      Prop("Price", &Line::Price, &Line::SetPrice),
      Prop("Cost", &Line::Cost, &Line::SetCost),
      Prop("TotalPrice", &Line::TotalPrice, &Line::SetTotalPrice),
      Prop("Note", &Line::Note, &Line::SetNote),
      Prop("Taxless", &Line::Taxless, &Line::SetTaxless),
      Prop("SubTotalLineFlg", &Line::SubTotalLineFlg, &Line::SetSubTotalLineFlg),
  };
  return props;
}

constexpr TCalcDecimal kRules[] = {TCalcDecimal::cdRoundUP, TCalcDecimal::cdRoundDown, TCalcDecimal::cdRoundOff};

// ---- writing

void WriteValue(JsonWriter& w, const std::string& v) { w.String(v); }
void WriteValue(JsonWriter& w, bool v) { w.Bool(v); }
void WriteValue(JsonWriter& w, Currency v) { w.String(v.ToDecimalText()); }
void WriteValue(JsonWriter& w, TCalcDecimal v) { w.String(CalcDecimalName(v)); }
void WriteValue(JsonWriter& w, std::int32_t v) { w.Integer(v); }

template <class T>
void WriteProperties(JsonWriter& w, const T& obj, const std::vector<Property<T>>& props) {
  for (const Property<T>& p : props) {
    w.Key(p.name);
    std::visit([&](const auto& a) { WriteValue(w, (obj.*a.get)()); }, p.access);
  }
}

void WritePicture(JsonWriter& w, const TMxPicture& pic) {
  if (pic.Empty()) {
    w.Null();
    return;
  }
  w.BeginObject();
  w.Key("kind");
  w.String(PictureKindName(pic.Kind()));
  w.Key("size");
  w.Integer(static_cast<std::int64_t>(pic.Bytes().size()));
  w.Key("width");
  w.Integer(pic.Width());
  w.Key("height");
  w.Integer(pic.Height());
  // The bytes themselves, so that a dumped document builds back exactly.
  w.Key("data");
  const QByteArray data(pic.Bytes().data(), static_cast<qsizetype>(pic.Bytes().size()));
  w.String(data.toBase64().toStdString());
  w.EndObject();
}

// ---- reading

template <class V>
using Tag = std::type_identity<V>;

std::string ReadValue(const QJsonValue& v, const std::string& path, Tag<std::string>) {
  if (!v.isString()) throw Error(msg::WrongType(path, "文字列"));
  return v.toString().toStdString();
}

bool ReadValue(const QJsonValue& v, const std::string& path, Tag<bool>) {
  if (!v.isBool()) throw Error(msg::WrongType(path, " true か false "));
  return v.toBool();
}

Currency ReadValue(const QJsonValue& v, const std::string& path, Tag<Currency>) {
  if (v.isString()) {
    const std::string text = v.toString().toStdString();
    if (auto c = Currency::TryParseDecimal(text)) return *c;
    throw Error(msg::NotANumber(path, text));
  }
  if (!v.isDouble()) throw Error(msg::WrongType(path, "数値か数値の文字列"));
  // Whole amounts in range are exact in a double; fractions take the nearest 1/10000.
  if (auto c = Currency::TryFromLongDouble(v.toDouble())) return *c;
  throw Error(msg::OutOfRange(path));
}

TCalcDecimal ReadValue(const QJsonValue& v, const std::string& path, Tag<TCalcDecimal>) {
  static const std::string expected = [] {
    std::string names;
    for (TCalcDecimal r : kRules) names += std::string(names.empty() ? " " : "、") + CalcDecimalName(r);
    return names + " のいずれか";
  }();
  if (v.isString()) {
    const std::string text = v.toString().toStdString();
    for (TCalcDecimal r : kRules)
      if (text == CalcDecimalName(r)) return r;
  }
  throw Error(msg::WrongType(path, expected));
}

std::int32_t ReadValue(const QJsonValue& v, const std::string& path, Tag<std::int32_t>) {
  const double d = v.toDouble();
  if (!v.isDouble() || d != std::trunc(d)) throw Error(msg::WrongType(path, "整数"));
  if (d < std::numeric_limits<std::int32_t>::min() || d > std::numeric_limits<std::int32_t>::max())
    throw Error(msg::OutOfRange(path));
  return static_cast<std::int32_t>(d);
}

std::string KeyPath(const std::string& parent, const QString& key) {
  return parent.empty() ? key.toStdString() : parent + "." + key.toStdString();
}

QJsonObject ReadObject(const QJsonValue& v, const std::string& path) {
  if (!v.isObject()) throw Error(msg::WrongType(path, "オブジェクト"));
  return v.toObject();
}

// Applies every member of `o` to `obj`; members outside the table go to `other`,
// which returns false for a key it does not know either.
template <class T>
void ReadProperties(const QJsonObject& o, const std::string& path, T& obj, const std::vector<Property<T>>& props,
                    const std::function<bool(const QString&, const QJsonValue&, const std::string&)>& other = {}) {
  for (auto it = o.begin(); it != o.end(); ++it) {
    const std::string keyPath = KeyPath(path, it.key());
    bool known = false;
    for (const Property<T>& p : props) {
      if (it.key() != QLatin1String(p.name)) continue;
      std::visit(
          [&](const auto& a) {
            using V = std::remove_cvref_t<decltype((obj.*a.get)())>;
            (obj.*a.set)(ReadValue(it.value(), keyPath, Tag<V>{}));
          },
          p.access);
      known = true;
      break;
    }
    if (!known && !(other && other(it.key(), it.value(), keyPath))) throw Error(msg::UnknownKey(keyPath));
  }
}

void ReadPicture(const QJsonValue& v, const std::string& path, const QDir& base, TMxPicture& pic) {
  if (v.isNull()) {
    pic.Clear();
    return;
  }
  const QJsonObject o = ReadObject(v, path);
  // The members of the dumped form may stay beside "file" or "data"; they describe, not
  // define.
  static const QStringList kAccepted = {"file", "data", "kind", "size", "width", "height"};
  for (auto it = o.begin(); it != o.end(); ++it)
    if (!kAccepted.contains(it.key())) throw Error(msg::UnknownKey(KeyPath(path, it.key())));
  if (o.contains("file") == o.contains("data")) throw Error(msg::PictureWithoutFile(path));
  if (o.contains("data")) {
    // The bytes as the dump gave them, kept exactly, with their kind.
    const std::string kindPath = KeyPath(path, "kind");
    const std::string kind = o.contains("kind") ? ReadValue(o.value("kind"), kindPath, Tag<std::string>{}) : "";
    PictureKind k = PictureKind::None;
    for (PictureKind candidate : {PictureKind::Bmp, PictureKind::Png, PictureKind::Jpeg})
      if (kind == PictureKindName(candidate)) k = candidate;
    if (k == PictureKind::None) throw Error(msg::WrongType(kindPath, "画像の種類 (\"bmp\"、\"png\"、\"jpeg\")"));
    const std::string dataPath = KeyPath(path, "data");
    const std::string text = ReadValue(o.value("data"), dataPath, Tag<std::string>{});
    const auto decoded =
        QByteArray::fromBase64Encoding(QByteArray::fromStdString(text), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty()) throw Error(msg::WrongType(dataPath, "画像の Base64"));
    pic.Assign(k, decoded.decoded.toStdString());
    return;
  }
  const std::string filePath = KeyPath(path, "file");
  const std::string file = ReadValue(o.value("file"), filePath, Tag<std::string>{});
  if (file.empty()) throw Error(msg::WrongType(filePath, "画像ファイルのパス"));
  const std::string resolved = QDir::cleanPath(base.filePath(QString::fromStdString(file))).toStdString();
  pic.LoadFromFile(resolved);
  if (pic.Width() == 0 || pic.Height() == 0) throw Error(msg::PictureNotDecodable(resolved));
}

std::unique_ptr<Line> ReadLine(const QJsonValue& v, const std::string& path, const QDir& base) {
  auto line = std::make_unique<Line>();
  ReadProperties(ReadObject(v, path), path, *line, LineProperties(),
                 [&](const QString& key, const QJsonValue& value, const std::string& keyPath) {
                   if (key != "Pic") return false;
                   ReadPicture(value, keyPath, base, line->Pic());
                   return true;
                 });
  return line;
}

int LineOfOffset(std::string_view text, int offset) {
  const std::size_t end = std::min(text.size(), static_cast<std::size_t>(std::max(offset, 0)));
  int line = 1;
  for (std::size_t i = 0; i < end; ++i)
    if (text[i] == '\n') ++line;
  return line;
}

}  // namespace

std::string DocumentToJson(const TMxEstimateObjectList& doc, const EstimateFileInfo& info) {
  JsonWriter w;
  w.BeginObject();
  WriteProperties(w, doc, HeaderProperties());
  w.Key("CustomerInfo");
  w.BeginObject();
  WriteProperties(w, doc.CustomerInfo(), CustomerProperties());
  w.EndObject();
  w.Key("Version");
  w.String(info.version);
  w.Key("SavedAt");
  w.String(info.savedAt);
  w.Key("Comment");
  w.String(info.comment);
  w.Key("Lines");
  w.BeginArray();
  for (int i = 0; i < doc.Count(); ++i) {
    const Line& line = doc.Items(i);
    w.BeginObject();
    WriteProperties(w, line, LineProperties());
    w.Key("Pic");
    WritePicture(w, line.Pic());
    w.EndObject();
  }
  w.EndArray();
  w.EndObject();
  return w.Take();
}

std::string TotalsToJson(const TMxEstimateObjectList& doc) {
  JsonWriter w;
  w.BeginObject();
  w.Key("SubTotalPrice");
  WriteValue(w, doc.SubTotalPrice());
  w.Key("TotalTax");
  WriteValue(w, doc.TotalTax());
  w.Key("TotalPrice");
  WriteValue(w, doc.TotalPrice());
  w.Key("Lines");
  w.BeginArray();
  for (int i = 0; i < doc.Count(); ++i) WriteValue(w, doc.Items(i).TotalPrice());
  w.EndArray();
  // The figures a qualified invoice states per rate.
  const TaxRateSummary byRate = TaxByRate(doc);
  w.Key("TaxByRate");
  w.BeginArray();
  if (byRate.ShowsRate()) {
    w.BeginObject();
    w.Key("Rate");
    WriteValue(w, byRate.rate);
    w.Key("Taxable");
    WriteValue(w, byRate.taxable);
    w.Key("Tax");
    WriteValue(w, byRate.tax);
    w.EndObject();
  }
  if (byRate.hasTaxless) {
    w.BeginObject();
    w.Key("Rate");
    w.String("taxless");
    w.Key("Amount");
    WriteValue(w, byRate.taxless);
    w.EndObject();
  }
  w.EndArray();
  w.EndObject();
  return w.Take();
}

JsonDocument DocumentFromJson(std::string_view json, const std::string& baseDir) {
  QJsonParseError parseError;
  const QJsonDocument parsed =
      QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())), &parseError);
  if (parseError.error != QJsonParseError::NoError)
    throw Error(msg::JsonSyntax(LineOfOffset(json, parseError.offset), parseError.errorString().toStdString()));
  if (!parsed.isObject()) throw Error(msg::JsonNotObject());

  const QDir base(QString::fromStdString(baseDir));
  JsonDocument result;
  Doc& doc = result.doc;
  ReadProperties(parsed.object(), "", doc, HeaderProperties(),
                 [&](const QString& key, const QJsonValue& value, const std::string& path) {
                   if (key == "CustomerInfo") {
                     ReadProperties(ReadObject(value, path), path, doc.CustomerInfo(), CustomerProperties());
                   } else if (key == "Version") {
                     ReadValue(value, path, Tag<std::string>{});  // checked; the writer writes its own
                   } else if (key == "SavedAt") {
                     result.savedAt = ReadValue(value, path, Tag<std::string>{});
                   } else if (key == "Comment") {
                     result.comment = ReadValue(value, path, Tag<std::string>{});
                   } else if (key == "Lines") {
                     if (!value.isArray()) throw Error(msg::WrongType(path, "配列"));
                     const QJsonArray lines = value.toArray();
                     for (qsizetype i = 0; i < lines.size(); ++i)
                       doc.Add(ReadLine(lines[i], path + "[" + std::to_string(i) + "]", base));
                   } else {
                     return false;
                   }
                   return true;
                 });
  return result;
}

}  // namespace qm::cli
