#include "pdf/pdf_objects.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <cstdio>

#include <zlib.h>

#include "base/cp932.h"

namespace qm::pdf {
namespace {

constexpr const char* kCrLf = "\r\n";

void AppendInt(std::string& out, long long v) { out += std::to_string(v); }

std::string ShortestDecimal(double v) {
  char buf[64];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  if (ec != std::errc()) return "0";
  std::string s(buf, end);
  if (s == "-0") s = "0";
  return s;
}

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

// ---------------------------------------------------------------------------------

void TPdfObject::SetObjectNumber(std::int32_t number) {
  FObjectNumber = number;
  FObjectType = number > 0 ? TPdfObjectType::otIndirectObject : TPdfObjectType::otDirectObject;
}

void TPdfObject::WriteToStream(std::string& out) const {
  if (FObjectType == TPdfObjectType::otDirectObject) {
    InternalWriteStream(out);
    return;
  }
  AppendInt(out, FObjectNumber);
  out += ' ';
  AppendInt(out, FGenerationNumber);
  out += " R";
}

void TPdfObject::WriteValueToStream(std::string& out) const {
  if (FObjectType != TPdfObjectType::otIndirectObject)
    throw EPdfInvalidOperation("internal error wrong object type");
  AppendInt(out, FObjectNumber);
  out += ' ';
  AppendInt(out, FGenerationNumber);
  out += " obj";
  out += kCrLf;
  InternalWriteStream(out);
  out += kCrLf;
  out += "endobj";
  out += kCrLf;
}

std::unique_ptr<TPdfVirtualObject> TPdfVirtualObject::CreateVirtual(std::int32_t number) {
  std::unique_ptr<TPdfVirtualObject> v(new TPdfVirtualObject());
  v->FObjectType = TPdfObjectType::otVirtualObject;
  v->FObjectNumber = number;
  return v;
}

void TPdfVirtualObject::InternalWriteStream(std::string& out) const {
  // Only ever written as a reference.
  AppendInt(out, FObjectNumber);
  out += " 0 R";
}

void TPdfNull::InternalWriteStream(std::string& out) const { out += "null"; }
void TPdfBoolean::InternalWriteStream(std::string& out) const { out += FValue ? "true" : "false"; }
void TPdfNumber::InternalWriteStream(std::string& out) const { AppendInt(out, FValue); }
void TPdfReal::InternalWriteStream(std::string& out) const { out += ShortestDecimal(FValue); }
void TPdfText::InternalWriteStream(std::string& out) const { out += TextString(FValue); }
void TPdfName::InternalWriteStream(std::string& out) const { out += "/" + EscapeName(FValue); }

// ---------------------------------------------------------------------------------

std::unique_ptr<TPdfArray> TPdfArray::CreateNumArray(const TPdfXref* objectMgr,
                                                     const std::vector<std::int32_t>& values) {
  auto a = std::make_unique<TPdfArray>(objectMgr);
  for (std::int32_t v : values) a->AddItem(std::make_unique<TPdfNumber>(v));
  return a;
}

void TPdfArray::AddItem(std::unique_ptr<TPdfObject> item) {
  // A registered object belongs to the cross-reference table and goes in by reference.
  if (!item || item->ObjectType() == TPdfObjectType::otIndirectObject)
    throw EPdfInvalidValue("internal error. wrong object.");
  FArray.push_back(std::move(item));
}

void TPdfArray::AddItem(const TPdfObject& registered) {
  if (registered.ObjectType() == TPdfObjectType::otDirectObject)
    throw EPdfInvalidValue("internal error. wrong object.");
  FArray.push_back(TPdfVirtualObject::CreateVirtual(registered.ObjectNumber()));
}

const TPdfObject* TPdfArray::Items(int index) const {
  const TPdfObject* item = FArray.at(static_cast<std::size_t>(index)).get();
  if (item->ObjectType() == TPdfObjectType::otVirtualObject && FObjectMgr)
    return FObjectMgr->GetObject(item->ObjectNumber());
  return item;
}

TPdfObject* TPdfArray::Items(int index) {
  return const_cast<TPdfObject*>(static_cast<const TPdfArray*>(this)->Items(index));
}

const TPdfName* TPdfArray::FindName(std::string_view name) const {
  for (const auto& item : FArray)
    if (const auto* n = dynamic_cast<const TPdfName*>(item.get()); n && n->Value() == name) return n;
  return nullptr;
}

bool TPdfArray::RemoveName(std::string_view name) {
  for (auto it = FArray.begin(); it != FArray.end(); ++it)
    if (const auto* n = dynamic_cast<const TPdfName*>(it->get()); n && n->Value() == name) {
      FArray.erase(it);
      return true;
    }
  return false;
}

void TPdfArray::InternalWriteStream(std::string& out) const {
  out += '[';
  for (const auto& item : FArray) {
    item->WriteToStream(out);
    out += ' ';
  }
  out += ']';
}

// ---------------------------------------------------------------------------------

void TPdfDictionary::Put(const std::string& key, std::unique_ptr<TPdfObject> value, bool internal) {
  if (!value) throw EPdfInvalidValue("internal error. wrong object.");
  RemoveItem(key);
  FArray.push_back(TPdfDictionaryElement{key, std::move(value), internal});
}

void TPdfDictionary::AddItem(const std::string& key, std::unique_ptr<TPdfObject> value) {
  // A registered object belongs to the cross-reference table and goes in by reference.
  if (value && value->ObjectType() == TPdfObjectType::otIndirectObject)
    throw EPdfInvalidValue("internal error. wrong object.");
  Put(key, std::move(value), false);
}

void TPdfDictionary::AddItem(const std::string& key, const TPdfObject& registered) {
  if (registered.ObjectType() == TPdfObjectType::otDirectObject)
    throw EPdfInvalidValue("internal error. wrong object.");
  Put(key, TPdfVirtualObject::CreateVirtual(registered.ObjectNumber()), false);
}

void TPdfDictionary::AddInternalItem(const std::string& key, std::unique_ptr<TPdfObject> value) {
  Put(key, std::move(value), true);
}

void TPdfDictionary::RemoveItem(const std::string& key) {
  for (auto it = FArray.begin(); it != FArray.end(); ++it)
    if (it->FKey == key) {
      FArray.erase(it);
      return;
    }
}

const TPdfObject* TPdfDictionary::Resolve(const TPdfObject* value) const {
  if (value && value->ObjectType() == TPdfObjectType::otVirtualObject && FObjectMgr)
    return FObjectMgr->GetObject(value->ObjectNumber());
  return value;
}

const TPdfObject* TPdfDictionary::ValueByName(std::string_view key) const {
  for (const auto& e : FArray)
    if (e.FKey == key) return Resolve(e.FValue.get());
  return nullptr;
}

TPdfObject* TPdfDictionary::ValueByName(std::string_view key) {
  return const_cast<TPdfObject*>(static_cast<const TPdfDictionary*>(this)->ValueByName(key));
}

const TPdfNumber* TPdfDictionary::PdfNumberByName(std::string_view key) const {
  return dynamic_cast<const TPdfNumber*>(ValueByName(key));
}
const TPdfReal* TPdfDictionary::PdfRealByName(std::string_view key) const {
  return dynamic_cast<const TPdfReal*>(ValueByName(key));
}
const TPdfName* TPdfDictionary::PdfNameByName(std::string_view key) const {
  return dynamic_cast<const TPdfName*>(ValueByName(key));
}
TPdfDictionary* TPdfDictionary::PdfDictionaryByName(std::string_view key) {
  return dynamic_cast<TPdfDictionary*>(ValueByName(key));
}
const TPdfDictionary* TPdfDictionary::PdfDictionaryByName(std::string_view key) const {
  return dynamic_cast<const TPdfDictionary*>(ValueByName(key));
}
TPdfArray* TPdfDictionary::PdfArrayByName(std::string_view key) { return dynamic_cast<TPdfArray*>(ValueByName(key)); }
const TPdfArray* TPdfDictionary::PdfArrayByName(std::string_view key) const {
  return dynamic_cast<const TPdfArray*>(ValueByName(key));
}

void TPdfDictionary::InternalWriteStream(std::string& out) const {
  out += "<<";
  out += kCrLf;
  for (const auto& e : FArray) {
    if (e.FIsInternal) continue;
    out += "/" + EscapeName(e.FKey) + " ";
    e.FValue->WriteToStream(out);
    out += kCrLf;
  }
  out += ">>";
}

// ---------------------------------------------------------------------------------

TPdfStream::TPdfStream(const TPdfXref* objectMgr) : FAttributes(objectMgr) {
  FAttributes.AddItem("Length", std::make_unique<TPdfNumber>(0));
  FAttributes.AddItem("Filter", std::make_unique<TPdfArray>(objectMgr));
}

void TPdfStream::Compress() {
  if (!FCompressed) SetDeflated(std::string(FStream));
}

void TPdfStream::SetDeflated(std::string_view raw) {
  FStream = Deflate(raw);
  if (!FCompressed)
    if (TPdfArray* filter = FAttributes.PdfArrayByName("Filter")) filter->AddItem(std::make_unique<TPdfName>("FlateDecode"));
  FCompressed = true;
}

std::string Deflate(std::string_view bytes) {
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  std::string out(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
                static_cast<uLong>(bytes.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
    throw EPdfError("compress --failed to deflate a stream.");
  out.resize(size);
  return out;
}

void TPdfStream::InternalWriteStream(std::string& out) const {
  if (TPdfArray* filter = FAttributes.PdfArrayByName("Filter"); filter && !FCompressed) filter->RemoveName("FlateDecode");
  const std::string bytes = FStream;  // measured once, written unchanged
  if (auto* length = dynamic_cast<TPdfNumber*>(FAttributes.ValueByName("Length")))
    length->SetValue(static_cast<std::int32_t>(bytes.size()));
  FAttributes.WriteToStream(out);
  out += kCrLf;
  out += "stream";
  out += kCrLf;
  out += bytes;
  out += "\nendstream";
}

void TPdfBinary::InternalWriteStream(std::string& out) const { out += FStream; }

// ---------------------------------------------------------------------------------

TPdfXref::TPdfXref() {
  TPdfXrefEntry free;
  free.FEntryType = 'f';
  free.FByteOffset = 0;
  free.FGenerationNumber = 65535;
  FXrefEntries.push_back(std::move(free));
}

TPdfObject& TPdfXref::AddObject(std::unique_ptr<TPdfObject> object) {
  if (!object || object->ObjectType() != TPdfObjectType::otDirectObject)
    throw EPdfInvalidOperation("AddObject --wrong object type.");
  TPdfXrefEntry entry;
  entry.FValue = std::move(object);
  entry.FValue->SetObjectNumber(static_cast<std::int32_t>(FXrefEntries.size()));
  FXrefEntries.push_back(std::move(entry));
  return *FXrefEntries.back().FValue;
}

TPdfObject* TPdfXref::GetObject(std::int32_t number) const {
  if (number < 0 || number >= static_cast<std::int32_t>(FXrefEntries.size())) return nullptr;
  return FXrefEntries[static_cast<std::size_t>(number)].FValue.get();
}

TPdfTrailer::TPdfTrailer(const TPdfXref* xref) : FAttributes(xref) {
  FAttributes.AddItem("Size", std::make_unique<TPdfNumber>(0));
}

void TPdfTrailer::WriteToStream(std::string& out) const {
  out += "trailer";
  out += kCrLf;
  FAttributes.WriteToStream(out);
  out += kCrLf;
  out += "startxref";
  out += kCrLf;
  AppendInt(out, FXrefAddress);
  out += kCrLf;
  out += "%%EOF";
  out += kCrLf;
}

void TPdfHeader::WriteToStream(std::string& out, const char* version) const {
  out += "%PDF-";
  out += version;
  out += " ";
  out += kCrLf;
}

// ---------------------------------------------------------------------------------

void TPdfCatalog::SetPageLayout(TPdfPageLayout layout) {
  static const char* names[] = {"SinglePage", "OneColumn", "TwoColumnLeft", "TwoColumnRight"};
  FData->AddItem("PageLayout", std::make_unique<TPdfName>(names[static_cast<int>(layout)]));
}

namespace {
const char* PageModeName(TPdfPageMode mode) {
  static const char* names[] = {"UseNone", "UseOutlines", "UseThumbs", "FullScreen"};
  return names[static_cast<int>(mode)];
}
}  // namespace

void TPdfCatalog::SetPageMode(TPdfPageMode mode) {
  FData->AddItem("PageMode", std::make_unique<TPdfName>(PageModeName(mode)));
}

TPdfDictionary& TPdfCatalog::ViewerPreferences() {
  if (TPdfDictionary* vp = FData->PdfDictionaryByName("ViewerPreferences")) return *vp;
  FData->AddItem("ViewerPreferences", std::make_unique<TPdfDictionary>(FData->ObjectMgr()));
  return *FData->PdfDictionaryByName("ViewerPreferences");
}

void TPdfCatalog::SetNonFullScreenPageMode(TPdfPageMode mode) {
  TPdfDictionary& vp = ViewerPreferences();
  if (mode == TPdfPageMode::pmUseNone || mode == TPdfPageMode::pmFullScreen)
    vp.RemoveItem("NonFullScreenPageMode");
  else
    vp.AddItem("NonFullScreenPageMode", std::make_unique<TPdfName>(PageModeName(mode)));
}

void TPdfCatalog::SetViewerPreference(unsigned preferences) {
  TPdfDictionary& vp = ViewerPreferences();
  const std::pair<unsigned, const char*> keys[] = {{vpHideToolbar, "HideToolbar"},
                                                   {vpHideMenubar, "HideMenubar"},
                                                   {vpHideWindowUI, "HideWindowUI"},
                                                   {vpFitWindow, "FitWindow"},
                                                   {vpCenterWindow, "CenterWindow"}};
  for (const auto& [bit, key] : keys) {
    if (preferences & bit) vp.AddItem(key, std::make_unique<TPdfBoolean>(true));
    else vp.RemoveItem(key);
  }
}

void TPdfCatalog::SaveOpenAction() { FData->RemoveItem("OpenAction"); }

void TPdfInfo::SetAuthor(const std::string& v) { FData->AddItem("Author", std::make_unique<TPdfText>(v)); }
void TPdfInfo::SetCreator(const std::string& v) { FData->AddItem("Creator", std::make_unique<TPdfText>(v)); }
void TPdfInfo::SetTitle(const std::string& v) { FData->AddItem("Title", std::make_unique<TPdfText>(v)); }
void TPdfInfo::SetSubject(const std::string& v) { FData->AddItem("Subject", std::make_unique<TPdfText>(v)); }
void TPdfInfo::SetKeywords(const std::string& v) { FData->AddItem("Keywords", std::make_unique<TPdfText>(v)); }
void TPdfInfo::SetCreationDate(const QDateTime& v) {
  FData->AddItem("CreationDate", std::make_unique<TPdfText>(PdfDateText(v)));
}
void TPdfInfo::SetModDate(const QDateTime& v) {
  FData->AddItem("ModDate", std::make_unique<TPdfText>(PdfDateText(v)));
}

std::string PdfDateText(const QDateTime& at) {
  return "D:" + at.toString("yyyyMMddHHmmss").toStdString();
}

// ---------------------------------------------------------------------------------

std::string EscapeName(std::string_view name) {
  static const std::string_view special = "#%()/<>[]{}";
  std::string out;
  for (char ch : name) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x21 || b > 0x7E || special.find(ch) != std::string_view::npos) {
      char buf[4];
      std::snprintf(buf, sizeof buf, "#%02X", b);
      out += buf;
    } else {
      out += ch;
    }
  }
  return out;
}

std::string EscapeText(std::string_view text) {
  std::string out;
  for (char ch : text) {
    switch (ch) {
      case '(': out += "\\("; break;
      case ')': out += "\\)"; break;
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default: out += ch;
    }
  }
  return out;
}

bool HasDoubleByte(std::string_view sjis) {
  for (char ch : sjis)
    if (IsLeadByte(static_cast<unsigned char>(ch))) return true;
  return false;
}

std::string TextString(std::string_view sjis) {
  if (!HasDoubleByte(sjis)) return "(" + EscapeText(sjis) + ")";
  // Byte-order mark and the language escape for "en", then UTF-16 high byte first.
  std::string out = "<FEFF001B656E001B";
  const QString text = QString::fromStdString(cp932::Decode(sjis));
  char buf[8];
  for (QChar unit : text) {
    std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(unit.unicode()));
    out += buf;
  }
  return out + ">";
}

std::string FloatToStrR(double value) {
  const double scaled = std::trunc(value * 100 + 0.5) / 100;
  return ShortestDecimal(scaled);
}

}  // namespace qm::pdf
