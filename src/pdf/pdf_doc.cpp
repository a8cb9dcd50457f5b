#include "pdf/pdf_doc.h"

#include <QBuffer>
#include <QPainter>

#include <cstdio>

#include "print/page_font.h"

namespace qm::pdf {

TPdfDoc::TPdfDoc(const Clock& clock) : FClock(clock), FCanvas(std::make_unique<TPdfCanvas>(*this)) {}

TPdfDoc::~TPdfDoc() { FreeDoc(); }

void TPdfDoc::NewDoc() {
  FreeDoc();
  FXref = std::make_unique<TPdfXref>();
  FHeader = std::make_unique<TPdfHeader>();
  FTrailer = std::make_unique<TPdfTrailer>(FXref.get());
  FFontList.clear();
  for (auto& program : FPrograms) program.reset();
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
  for (auto& program : FPrograms) program.reset();
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
  if (FFonts == PdfFonts::Embed) FinishPrograms();
  out.clear();
  // Room for the whole file at once: the streams (page contents, pictures) are most of it.
  std::size_t size = 4096;
  for (int i = 1; i < FXref->ItemCount(); ++i) {
    const TPdfObject* value = FXref->Items(i).FValue.get();
    const auto* stream = dynamic_cast<const TPdfStream*>(value);
    size += 160 + (stream ? stream->Stream().size() : 0);
  }
  out.reserve(size);
  // FontFile2 in a CID font needs PDF 1.3.
  FHeader->WriteToStream(out, FFonts == PdfFonts::Embed ? "1.3" : "1.2");
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

TPdfFontProgram& TPdfDoc::Program(bool proportional) {
  std::unique_ptr<TPdfFontProgram>& program = FPrograms[proportional ? 1 : 0];
  if (!program)
    program = std::make_unique<TPdfFontProgram>(*FXref, proportional ? ProportionalFont() : PageFont());
  return *program;
}

void TPdfDoc::FinishPrograms() {
  for (const auto& program : FPrograms) {
    if (!program) continue;
    const std::string tag = program->Finish();
    for (const auto& font : FFontList)
      if (auto* jp = dynamic_cast<TPdfJpFont*>(font.get()); jp && jp->Program() == program.get()) jp->SetSubsetTag(tag);
  }
}

TPdfFont& TPdfDoc::CreateFont(const std::string& name) {
  std::unique_ptr<TPdfFont> font;
  // The embedded form draws every Japanese font from the page font's file (the
  // proportional ones from the proportional face of the same package).
  if (FFonts == PdfFonts::Embed)
    if (const std::optional<JpFamily> family = JpFamilyOf(name))
      font = CreateEmbeddedJpFont(*FXref, name, Program(IsProportional(*family)));
  if (!font) font = CreateFontByAlias(*FXref, name);
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

std::optional<JpegFrame> ReadJpegFrame(std::string_view bytes) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (bytes.size() < 4 || at(0) != 0xFF || at(1) != 0xD8) return std::nullopt;
  std::size_t i = 2;
  while (i + 4 <= bytes.size()) {
    if (at(i) != 0xFF) return std::nullopt;
    const unsigned char marker = at(i + 1);
    if (marker == 0xFF) {  // fill byte
      ++i;
      continue;
    }
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
      i += 2;
      continue;
    }
    const std::size_t length = static_cast<std::size_t>(at(i + 2)) << 8 | at(i + 3);
    if (length < 2 || i + 2 + length > bytes.size()) return std::nullopt;
    if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {  // baseline, extended, progressive
      if (length < 8 || at(i + 4) != 8) return std::nullopt;
      JpegFrame frame;
      frame.height = static_cast<int>(at(i + 5)) << 8 | at(i + 6);
      frame.width = static_cast<int>(at(i + 7)) << 8 | at(i + 8);
      frame.components = at(i + 9);
      if (frame.width == 0 || frame.height == 0 || (frame.components != 1 && frame.components != 3)) return std::nullopt;
      return frame;
    }
    // Other frames (lossless, hierarchical, arithmetic coding) are not for every reader.
    if ((marker >= 0xC3 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) || marker == 0xDA ||
        marker == 0xD9)
      return std::nullopt;
    i += 2 + length;
  }
  return std::nullopt;
}

std::unique_ptr<TPdfStream> CreateJpegImage(const TPdfXref* xref, const std::string& jpegBytes) {
  const std::optional<JpegFrame> frame = ReadJpegFrame(jpegBytes);
  if (!frame) throw EPdfInvalidValue("only jpeg image is allowed.");
  auto image = NewImageStream(xref);
  image->Stream() = jpegBytes;
  image->Attributes().AddItem("ColorSpace", std::make_unique<TPdfName>(frame->components == 1 ? "DeviceGray" : "DeviceRGB"));
  AddSize(*image, frame->width, frame->height);
  image->Attributes().PdfArrayByName("Filter")->AddItem(std::make_unique<TPdfName>("DCTDecode"));
  return image;
}

std::unique_ptr<TPdfStream> CreateFlateImage(const TPdfXref* xref, const QImage& bitmap,
                                             std::optional<std::uint32_t> transparent) {
  if (bitmap.isNull()) throw EPdfInvalidImageFormat("only 8 bit color image is allowed.");
  QImage rgb;
  if (bitmap.hasAlphaChannel()) {
    QImage onWhite(bitmap.size(), QImage::Format_RGB888);
    onWhite.fill(Qt::white);
    QPainter painter(&onWhite);
    painter.drawImage(0, 0, bitmap);
    painter.end();
    rgb = std::move(onWhite);
  } else {
    rgb = bitmap.convertToFormat(QImage::Format_RGB888);
  }
  std::string pixels;
  const auto row = static_cast<std::size_t>(rgb.width()) * 3;
  pixels.reserve(row * static_cast<std::size_t>(rgb.height()));
  for (int y = 0; y < rgb.height(); ++y) pixels.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), row);
  auto image = NewImageStream(xref);
  image->Attributes().AddItem("ColorSpace", std::make_unique<TPdfName>("DeviceRGB"));
  AddSize(*image, rgb.width(), rgb.height());
  if (transparent) {
    const auto c = *transparent;
    const std::int32_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    image->Attributes().AddItem("Mask", TPdfArray::CreateNumArray(xref, {r, r, g, g, b, b}));
  }
  image->SetDeflated(pixels);
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
