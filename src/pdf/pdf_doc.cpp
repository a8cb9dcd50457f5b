#include "pdf/pdf_doc.h"

#include <QBuffer>
#include <QImageReader>

#include <cstdio>

namespace qm::pdf {

TPdfDoc::TPdfDoc(const Clock& clock) : FClock(clock), FCanvas(std::make_unique<TPdfCanvas>(*this)) {}

TPdfDoc::~TPdfDoc() { FreeDoc(); }

void TPdfDoc::NewDoc() {
  FreeDoc();
  FXref = std::make_unique<TPdfXref>();
  FHeader = std::make_unique<TPdfHeader>();
  FTrailer = std::make_unique<TPdfTrailer>(FXref.get());
  FFontList.clear();
  FXObjectList.clear();

  FRoot = std::make_unique<TPdfCatalog>();
  auto& catalog = FXref->Add(std::make_unique<TPdfDictionary>(FXref.get()));
  catalog.AddItem("Type", std::make_unique<TPdfName>("Catalog"));
  FRoot->SetData(&catalog);
  FTrailer->Attributes().AddItem("Root", catalog);

  FInfo = std::make_unique<TPdfInfo>();
  auto& info = FXref->Add(std::make_unique<TPdfDictionary>(FXref.get()));
  info.AddItem("Producer", std::make_unique<TPdfText>(kPdfProducer));
  FInfo->SetData(&info);
  FTrailer->Attributes().AddItem("Info", info);
  FInfo->SetCreationDate(FClock.Now());

  FCurrentPages = &CreatePages(nullptr);
  FHasDoc = true;
}

TPdfDictionary& TPdfDoc::CreatePages(TPdfDictionary* parent) {
  auto& pages = FXref->Add(std::make_unique<TPdfDictionary>(FXref.get()));
  pages.AddItem("Type", std::make_unique<TPdfName>("Pages"));
  pages.AddItem("Kids", std::make_unique<TPdfArray>(FXref.get()));
  pages.AddItem("Count", std::make_unique<TPdfNumber>(0));
  const TPdfName* parentType = parent ? parent->PdfNameByName("Type") : nullptr;
  if (parentType && parentType->Value() == "Pages") {
    TPdfArray* kids = parent->PdfArrayByName("Kids");
    kids->AddItem(pages);
    parent->AddItem("Count", std::make_unique<TPdfNumber>(kids->ItemCount()));
  } else {
    FRoot->Data()->AddItem("Pages", pages);
  }
  return pages;
}

void TPdfDoc::FreeDoc() {
  if (!FHasDoc) return;
  FCanvas->SetPage(nullptr);
  FXObjectList.clear();
  FFontList.clear();
  FRoot.reset();
  FInfo.reset();
  FCurrentPages = nullptr;
  FXref.reset();
  FHeader.reset();
  FTrailer.reset();
  FHasDoc = false;
}

void TPdfDoc::AddPage() {
  if (!FCurrentPages) throw EPdfInvalidOperation("AddPage --current pages null.");
  auto& page = FXref->Add(std::make_unique<TPdfDictionary>(FXref.get()));
  TPdfArray* kids = FCurrentPages->PdfArrayByName("Kids");
  kids->AddItem(page);
  static_cast<TPdfNumber*>(FCurrentPages->ValueByName("Count"))->SetValue(kids->ItemCount());

  page.AddItem("Type", std::make_unique<TPdfName>("Page"));
  page.AddItem("Parent", *FCurrentPages);
  page.AddItem("MediaBox", TPdfArray::CreateNumArray(FXref.get(), {0, 0, FDefaultPageWidth, FDefaultPageHeight}));
  auto resources = std::make_unique<TPdfDictionary>(FXref.get());
  resources->AddItem("Font", std::make_unique<TPdfDictionary>(FXref.get()));
  resources->AddItem("XObject", std::make_unique<TPdfDictionary>(FXref.get()));
  auto procSet = std::make_unique<TPdfArray>(FXref.get());
  for (const char* name : {"PDF", "Text", "ImageC"}) procSet->AddItem(std::make_unique<TPdfName>(name));
  resources->AddItem("ProcSet", std::move(procSet));
  page.AddItem("Resources", std::move(resources));
  auto& contents = FXref->Add(std::make_unique<TPdfStream>(FXref.get()));
  page.AddItem("Contents", contents);
  FCanvas->SetPage(&page);
}

void TPdfDoc::SetVirtualMode() {
  NewDoc();
  AddPage();
  FCanvas->SetVirtual(true);
}

TPdfCanvas& TPdfDoc::Canvas() {
  if (!FHasDoc) throw EPdfInvalidOperation("GetCanvas --Document is null");
  return *FCanvas;
}

TPdfCatalog& TPdfDoc::Root() {
  if (!FHasDoc) throw EPdfInvalidOperation("GetRoot --this method can not use this state..");
  return *FRoot;
}

TPdfInfo& TPdfDoc::Info() {
  if (!FHasDoc) throw EPdfInvalidOperation("GetInfo --this method can not use this state..");
  return *FInfo;
}

void TPdfDoc::SaveToStream(std::string& out) {
  if (!FHasDoc || !FCanvas->Page()) throw EPdfInvalidOperation("SaveToStream --there is no document to save.");
  FInfo->SetModDate(FClock.Now());
  FRoot->SaveOpenAction();
  out.clear();
  // Room for the whole file at once: the streams (page contents, pictures) are most of it.
  std::size_t size = 4096;
  for (int i = 1; i < FXref->ItemCount(); ++i) {
    const TPdfObject* value = FXref->Items(i).FValue.get();
    const auto* stream = dynamic_cast<const TPdfStream*>(value);
    size += 160 + (stream ? stream->Stream().size() : 0);
  }
  out.reserve(size);
  FHeader->WriteToStream(out);
  for (int i = 1; i < FXref->ItemCount(); ++i) {
    TPdfXrefEntry& entry = FXref->Items(i);
    entry.FByteOffset = static_cast<std::int32_t>(out.size());
    entry.FValue->WriteValueToStream(out);
  }
  FTrailer->SetXrefAddress(static_cast<std::int32_t>(out.size()));
  out += "xref\r\n0 " + std::to_string(FXref->ItemCount()) + "\r\n";
  char line[32];
  for (int i = 0; i < FXref->ItemCount(); ++i) {
    const TPdfXrefEntry& entry = FXref->Items(i);
    std::snprintf(line, sizeof line, "%010d %05d %c\r\n", entry.FByteOffset < 0 ? 0 : entry.FByteOffset,
                  entry.FGenerationNumber, entry.FEntryType);
    out += line;
  }
  // Size keeps its place ahead of Root and Info.
  static_cast<TPdfNumber*>(FTrailer->Attributes().ValueByName("Size"))->SetValue(FXref->ItemCount());
  FTrailer->WriteToStream(out);
}

TPdfFont& TPdfDoc::GetFont(const std::string& name) {
  if (!FHasDoc) throw EPdfInvalidOperation("GetFont --document is null.");
  for (const auto& font : FFontList)
    if (font->Name() == name) return *font;
  return CreateFont(name);
}

TPdfFont& TPdfDoc::CreateFont(const std::string& name) {
  std::unique_ptr<TPdfFont> font = CreateFontByAlias(*FXref, name);
  if (!font) throw EPdfError("CreateFont --InvalidFontName:" + name);
  font->Data()->AddItem("Name", std::make_unique<TPdfName>("F" + std::to_string(FFontList.size())));
  FFontList.push_back(std::move(font));
  return *FFontList.back();
}

namespace {
bool IsImageStream(const TPdfStream& s) {
  const TPdfName* type = s.Attributes().PdfNameByName("Type");
  const TPdfName* subtype = s.Attributes().PdfNameByName("Subtype");
  return type && type->Value() == "XObject" && subtype && subtype->Value() == "Image";
}
}  // namespace

TPdfStream& TPdfDoc::AddXObject(const std::string& name, std::unique_ptr<TPdfStream> image) {
  if (GetXObject(name)) throw EPdfError("AddImage --the image named " + name + " is already exists..");
  if (!image || !IsImageStream(*image)) throw EPdfError("AddImage --the image is not valid TPdfImage..");
  TPdfStream& registered = FXref->Add(std::move(image));
  RegisterXObject(registered, name);
  return registered;
}

void TPdfDoc::RegisterXObject(TPdfStream& object, const std::string& name) {
  const TPdfName* type = object.Attributes().PdfNameByName("Type");
  if (!type || type->Value() != "XObject") throw EPdfInvalidValue("RegisterXObject --not XObject");
  if (object.ObjectType() != TPdfObjectType::otIndirectObject)
    throw EPdfInvalidValue("RegisterXObject --AObject is null");  // only registered streams can be named
  if (object.Attributes().PdfNameByName("Name")) return;
  if (GetXObject(name)) throw EPdfInvalidValue("RegisterXObject --dupulicate name: " + name);
  FXObjectList.push_back(&object);
  object.Attributes().AddItem("Name", std::make_unique<TPdfName>(name));
}

TPdfStream* TPdfDoc::GetXObject(const std::string& name) const {
  for (TPdfStream* s : FXObjectList)
    if (const TPdfName* n = s->Attributes().PdfNameByName("Name"); n && n->Value() == name) return s;
  return nullptr;
}

// ---------------------------------------------------------------------------------

namespace {

std::unique_ptr<TPdfStream> NewImageStream(const TPdfXref* xref) {
  auto image = std::make_unique<TPdfStream>(xref);
  image->Attributes().AddItem("Type", std::make_unique<TPdfName>("XObject"));
  image->Attributes().AddItem("Subtype", std::make_unique<TPdfName>("Image"));
  return image;
}

void AddSize(TPdfStream& image, int width, int height) {
  image.Attributes().AddItem("Width", std::make_unique<TPdfNumber>(width));
  image.Attributes().AddItem("Height", std::make_unique<TPdfNumber>(height));
  image.Attributes().AddItem("BitsPerComponent", std::make_unique<TPdfNumber>(8));
}

}  // namespace

std::unique_ptr<TPdfStream> CreateBitmapImage(const TPdfXref* xref, const QImage& bitmap) {
  if (bitmap.isNull()) throw EPdfInvalidImageFormat("only 8 bit color image is allowed.");
  auto image = NewImageStream(xref);
  const bool paletted = bitmap.format() == QImage::Format_Mono || bitmap.format() == QImage::Format_MonoLSB ||
                        bitmap.format() == QImage::Format_Indexed8;
  std::string& data = image->Stream();
  if (paletted) {
    const QImage copy = bitmap.convertToFormat(QImage::Format_Indexed8);
    if (copy.format() != QImage::Format_Indexed8) throw EPdfInvalidImageFormat("only 8 bit color image is allowed.");
    const QList<QRgb> palette = copy.colorTable();
    if (palette.isEmpty()) throw EPdfInvalidImageFormat("failed to get Palette..");
    data.reserve(static_cast<std::size_t>(copy.width()) * static_cast<std::size_t>(copy.height()));
    for (int y = 0; y < copy.height(); ++y)
      data.append(reinterpret_cast<const char*>(copy.constScanLine(y)), static_cast<std::size_t>(copy.width()));
    std::string lookup = "<";
    char hex[8];
    for (int i = 0; i < 256; ++i) {
      const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
      for (int component : {qRed(c), qGreen(c), qBlue(c)}) {
        std::snprintf(hex, sizeof hex, "%02X ", component);
        lookup += hex;
      }
    }
    lookup += ">";
    auto space = std::make_unique<TPdfArray>(xref);
    space->AddItem(std::make_unique<TPdfName>("Indexed"));
    space->AddItem(std::make_unique<TPdfName>("DeviceRGB"));
    space->AddItem(std::make_unique<TPdfNumber>(255));
    auto raw = std::make_unique<TPdfBinary>();
    raw->Stream() = lookup;
    space->AddItem(std::move(raw));
    image->Attributes().AddItem("ColorSpace", std::move(space));
    AddSize(*image, copy.width(), copy.height());
    return image;
  }
  const QImage copy = bitmap.convertToFormat(QImage::Format_RGB888);
  data.reserve(static_cast<std::size_t>(copy.width()) * static_cast<std::size_t>(copy.height()) * 3);
  for (int y = 0; y < copy.height(); ++y)
    data.append(reinterpret_cast<const char*>(copy.constScanLine(y)), static_cast<std::size_t>(copy.width()) * 3);
  image->Attributes().AddItem("ColorSpace", std::make_unique<TPdfName>("DeviceRGB"));
  AddSize(*image, copy.width(), copy.height());
  return image;
}

std::unique_ptr<TPdfStream> CreateJpegImage(const TPdfXref* xref, const std::string& jpegBytes) {
  QByteArray bytes = QByteArray::fromRawData(jpegBytes.data(), static_cast<qsizetype>(jpegBytes.size()));
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer, "jpeg");
  const QSize size = reader.size();
  if (!reader.canRead() || size.isEmpty()) throw EPdfInvalidValue("only jpeg image is allowed.");
  auto image = NewImageStream(xref);
  image->Stream() = jpegBytes;
  image->Attributes().AddItem("ColorSpace", std::make_unique<TPdfName>("DeviceRGB"));
  AddSize(*image, size.width(), size.height());
  image->Attributes().PdfArrayByName("Filter")->AddItem(std::make_unique<TPdfName>("DCTDecode"));
  return image;
}

std::unique_ptr<TPdfStream> CreatePdfImage(const TPdfXref* xref, const QImage& bitmap, const std::string& alias) {
  if (alias == "Pdf-Bitmap") return CreateBitmapImage(xref, bitmap);
  if (alias == "Pdf-Jpeg") {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!bitmap.save(&buffer, "JPEG")) throw EPdfInvalidValue("only jpeg image is allowed.");
    return CreateJpegImage(xref, jpeg.toStdString());
  }
  throw EPdfError("AddImage --InvalidImageClassName:" + alias);
}

}  // namespace qm::pdf
