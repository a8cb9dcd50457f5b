#pragma once
// The PDF object model of the program's own PDF writer: values, containers that keep
// indirect objects by reference, streams, the cross-reference table, trailer and the
// dictionary wrappers of catalog and information. Objects write themselves into a
// byte string; the document (pdf_doc.h) writes the whole file in one pass.
#include <QDateTime>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"

namespace qm::pdf {

// The general failure of the writer and its three kinds. They are the program's errors
// too, so a writer failure ends its command in the general error box.
class EPdfError : public Error {
 public:
  using Error::Error;
};
class EPdfInvalidOperation : public EPdfError {
 public:
  using EPdfError::EPdfError;
};
class EPdfInvalidValue : public EPdfError {
 public:
  using EPdfError::EPdfError;
};
class EPdfInvalidImageFormat : public EPdfError {
 public:
  using EPdfError::EPdfError;
};

enum class TPdfObjectType { otDirectObject, otIndirectObject, otVirtualObject };

class TPdfXref;

class TPdfObject {
 public:
  virtual ~TPdfObject() = default;
  TPdfObject(const TPdfObject&) = delete;
  TPdfObject& operator=(const TPdfObject&) = delete;

  TPdfObjectType ObjectType() const { return FObjectType; }
  std::int32_t ObjectNumber() const { return FObjectNumber; }
  std::int32_t GenerationNumber() const { return FGenerationNumber; }
  // A number above 0 makes the object indirect; 0 or less direct again.
  void SetObjectNumber(std::int32_t number);

  // A reference ("5 0 R") for an object that is not direct, otherwise its value.
  void WriteToStream(std::string& out) const;
  // "n 0 obj", the value and "endobj" of a registered object.
  void WriteValueToStream(std::string& out) const;

 protected:
  TPdfObject() = default;
  virtual void InternalWriteStream(std::string& out) const = 0;

  TPdfObjectType FObjectType = TPdfObjectType::otDirectObject;
  std::int32_t FObjectNumber = -1;
  std::int32_t FGenerationNumber = 0;
};

// Stands for a registered object inside a container.
class TPdfVirtualObject final : public TPdfObject {
 public:
  static std::unique_ptr<TPdfVirtualObject> CreateVirtual(std::int32_t number);

 protected:
  void InternalWriteStream(std::string& out) const override;

 private:
  TPdfVirtualObject() = default;
};

class TPdfNull final : public TPdfObject {
 protected:
  void InternalWriteStream(std::string& out) const override;
};

class TPdfBoolean final : public TPdfObject {
 public:
  explicit TPdfBoolean(bool value) : FValue(value) {}
  bool Value() const { return FValue; }

 protected:
  void InternalWriteStream(std::string& out) const override;

 private:
  bool FValue;
};

class TPdfNumber final : public TPdfObject {
 public:
  explicit TPdfNumber(std::int32_t value) : FValue(value) {}
  std::int32_t Value() const { return FValue; }
  void SetValue(std::int32_t v) { FValue = v; }

 protected:
  void InternalWriteStream(std::string& out) const override;

 private:
  std::int32_t FValue;
};

class TPdfReal final : public TPdfObject {
 public:
  explicit TPdfReal(double value) : FValue(value) {}
  double Value() const { return FValue; }
  void SetValue(double v) { FValue = v; }

 protected:
  void InternalWriteStream(std::string& out) const override;

 private:
  double FValue;
};

// A text string; the value is Shift-JIS bytes.
class TPdfText final : public TPdfObject {
 public:
  explicit TPdfText(std::string value) : FValue(std::move(value)) {}
  const std::string& Value() const { return FValue; }

 protected:
  void InternalWriteStream(std::string& out) const override;

 private:
  std::string FValue;
};

// A name; the value holds its bytes without the slash.
class TPdfName final : public TPdfObject {
 public:
  explicit TPdfName(std::string value) : FValue(std::move(value)) {}
  const std::string& Value() const { return FValue; }
  void SetValue(std::string v) { FValue = std::move(v); }

 protected:
  void InternalWriteStream(std::string& out) const override;

 private:
  std::string FValue;
};

class TPdfDictionary;

class TPdfArray final : public TPdfObject {
 public:
  explicit TPdfArray(const TPdfXref* objectMgr = nullptr) : FObjectMgr(objectMgr) {}
  static std::unique_ptr<TPdfArray> CreateNumArray(const TPdfXref* objectMgr, const std::vector<std::int32_t>& values);

  // Takes a direct object; a registered one is stored as a reference.
  void AddItem(std::unique_ptr<TPdfObject> item);
  void AddItem(const TPdfObject& registered);
  int ItemCount() const { return static_cast<int>(FArray.size()); }
  // The element, references resolved through the cross-reference table.
  const TPdfObject* Items(int index) const;
  TPdfObject* Items(int index);
  // The first element that is a name with that value, or none.
  const TPdfName* FindName(std::string_view name) const;
  // Removes and frees that element; false when there is none.
  bool RemoveName(std::string_view name);

 protected:
  void InternalWriteStream(std::string& out) const override;

 private:
  std::vector<std::unique_ptr<TPdfObject>> FArray;
  const TPdfXref* FObjectMgr;
};

struct TPdfDictionaryElement {
  std::string FKey;
  std::unique_ptr<TPdfObject> FValue;
  bool FIsInternal = false;
};

class TPdfDictionary final : public TPdfObject {
 public:
  explicit TPdfDictionary(const TPdfXref* objectMgr = nullptr) : FObjectMgr(objectMgr) {}

  // Keys are unique: setting a key again removes the old element and puts the new one
  // last. A registered object is stored as a reference. No value raises.
  void AddItem(const std::string& key, std::unique_ptr<TPdfObject> value);
  void AddItem(const std::string& key, const TPdfObject& registered);
  // Kept for the writer's own bookkeeping; never written.
  void AddInternalItem(const std::string& key, std::unique_ptr<TPdfObject> value);
  void RemoveItem(const std::string& key);

  // The value under the key, references resolved; none when absent.
  const TPdfObject* ValueByName(std::string_view key) const;
  TPdfObject* ValueByName(std::string_view key);
  const TPdfNumber* PdfNumberByName(std::string_view key) const;
  const TPdfReal* PdfRealByName(std::string_view key) const;
  const TPdfName* PdfNameByName(std::string_view key) const;
  TPdfDictionary* PdfDictionaryByName(std::string_view key);
  const TPdfDictionary* PdfDictionaryByName(std::string_view key) const;
  TPdfArray* PdfArrayByName(std::string_view key);
  const TPdfArray* PdfArrayByName(std::string_view key) const;

  int ItemCount() const { return static_cast<int>(FArray.size()); }
  const TPdfDictionaryElement& Items(int index) const { return FArray.at(static_cast<std::size_t>(index)); }
  const TPdfXref* ObjectMgr() const { return FObjectMgr; }

 protected:
  void InternalWriteStream(std::string& out) const override;

 private:
  void Put(const std::string& key, std::unique_ptr<TPdfObject> value, bool internal);
  const TPdfObject* Resolve(const TPdfObject* value) const;

  std::vector<TPdfDictionaryElement> FArray;
  const TPdfXref* FObjectMgr;
};

class TPdfStream : public TPdfObject {
 public:
  explicit TPdfStream(const TPdfXref* objectMgr = nullptr);

  TPdfDictionary& Attributes() { return FAttributes; }
  const TPdfDictionary& Attributes() const { return FAttributes; }
  std::string& Stream() { return FStream; }
  const std::string& Stream() const { return FStream; }
  // Deflates the bytes in place and adds FlateDecode to the filters (the embedded form
  // compresses its font programs and pictures).
  void Compress();
  // The stream becomes the deflated form of `raw`, FlateDecode among its filters.
  void SetDeflated(std::string_view raw);
  bool Compressed() const { return FCompressed; }

 protected:
  void InternalWriteStream(std::string& out) const override;

 private:
  // Writing sets Length and drops FlateDecode unless the stream was compressed.
  mutable TPdfDictionary FAttributes;
  std::string FStream;
  bool FCompressed = false;
};

// The zlib form of `bytes` (what FlateDecode reads).
std::string Deflate(std::string_view bytes);

class TPdfBinary final : public TPdfObject {
 public:
  std::string& Stream() { return FStream; }

 protected:
  void InternalWriteStream(std::string& out) const override;

 private:
  std::string FStream;
};

struct TPdfXrefEntry {
  char FEntryType = 'n';
  std::int32_t FByteOffset = -1;
  std::int32_t FGenerationNumber = 0;
  std::unique_ptr<TPdfObject> FValue;
};

// The cross-reference table owns every registered object.
class TPdfXref {
 public:
  TPdfXref();
  // Registers a direct object; its entry index becomes its object number.
  TPdfObject& AddObject(std::unique_ptr<TPdfObject> object);
  template <class T>
  T& Add(std::unique_ptr<T> object) {
    T& ref = *object;
    AddObject(std::move(object));
    return ref;
  }
  TPdfObject* GetObject(std::int32_t number) const;
  int ItemCount() const { return static_cast<int>(FXrefEntries.size()); }
  TPdfXrefEntry& Items(int index) { return FXrefEntries.at(static_cast<std::size_t>(index)); }

 private:
  std::vector<TPdfXrefEntry> FXrefEntries;
};

class TPdfTrailer {
 public:
  explicit TPdfTrailer(const TPdfXref* xref);
  TPdfDictionary& Attributes() { return FAttributes; }
  std::int32_t XrefAddress() const { return FXrefAddress; }
  void SetXrefAddress(std::int32_t v) { FXrefAddress = v; }
  void WriteToStream(std::string& out) const;

 private:
  TPdfDictionary FAttributes;
  std::int32_t FXrefAddress = 0;
};

class TPdfHeader {
 public:
  // "%PDF-<version> " and CR LF.
  void WriteToStream(std::string& out, const char* version = "1.2") const;
};

// Typed access over a dictionary owned elsewhere (the cross-reference table).
class TPdfDictionaryWrapper {
 public:
  virtual ~TPdfDictionaryWrapper() = default;
  TPdfDictionary* Data() const { return FData; }
  virtual void SetData(TPdfDictionary* data) { FData = data; }
  bool HasData() const { return FData != nullptr; }

 protected:
  TPdfDictionary* FData = nullptr;
};

enum class TPdfPageLayout { plSinglePage, plOneColumn, plTwoColumnLeft, plTwoColumnRight };
enum class TPdfPageMode { pmUseNone, pmUseOutlines, pmUseThumbs, pmFullScreen };
enum TPdfViewerPreference : unsigned {
  vpHideToolbar = 1,
  vpHideMenubar = 2,
  vpHideWindowUI = 4,
  vpFitWindow = 8,
  vpCenterWindow = 16,
};

class TPdfCatalog final : public TPdfDictionaryWrapper {
 public:
  void SetPageLayout(TPdfPageLayout layout);
  void SetPageMode(TPdfPageMode mode);
  void SetNonFullScreenPageMode(TPdfPageMode mode);
  // A set of TPdfViewerPreference bits.
  void SetViewerPreference(unsigned preferences);
  // No document of the program opens at a destination: OpenAction is removed.
  void SaveOpenAction();

 private:
  TPdfDictionary& ViewerPreferences();
};

class TPdfInfo final : public TPdfDictionaryWrapper {
 public:
  void SetAuthor(const std::string& v);
  void SetCreator(const std::string& v);
  void SetTitle(const std::string& v);
  void SetSubject(const std::string& v);
  void SetKeywords(const std::string& v);
  void SetCreationDate(const QDateTime& v);
  void SetModDate(const QDateTime& v);
};

// "D:" and yyyyMMddHHmmss.
std::string PdfDateText(const QDateTime& at);

// Names and strings as written into a file.
std::string EscapeName(std::string_view name);
std::string EscapeText(std::string_view text);  // the inside of a literal string
// A text string, literal or (with double-byte characters) UTF-16 hexadecimal.
std::string TextString(std::string_view sjis);
// True when the Shift-JIS bytes hold a double-byte character.
bool HasDoubleByte(std::string_view sjis);

// Numbers of content streams: at most two decimals, 0.5 added before truncation.
std::string FloatToStrR(double value);

}  // namespace qm::pdf
