#pragma once
// The primitive fields of an estimate file: little-endian Int32 and length-prefixed
// CP932 text, from which booleans, numbers, rounding rules and pictures are built.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/currency.h"
#include "model/estimate_object.h"
#include "model/picture.h"

namespace qm {

class ByteWriter {
 public:
  void Int32(std::int32_t v);
  void Raw(std::string_view bytes) { buf_.append(bytes); }
  const std::string& Bytes() const { return buf_; }
  std::string Take() { return std::move(buf_); }
  void Reserve(std::size_t n) { buf_.reserve(n); }

 private:
  std::string buf_;
};

// Reads from a byte range it does not own. Every read that would run past the end
// throws qm::Error, so damaged lengths never turn into huge allocations.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
  std::int32_t Int32();
  std::string_view Raw(std::size_t n);
  void Skip(std::size_t n) { Raw(n); }
  std::size_t Offset() const { return pos_; }
  std::size_t Remaining() const { return bytes_.size() - pos_; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// String: Int32 length then the CP932 bytes. Text is UTF-8 on our side; writing text
// that CP932 cannot hold throws qm::Error.
void StringToStream(ByteWriter& stream, std::string_view text);
std::string StreamToString(ByteReader& stream);
// The raw CP932 bytes of a String field, undecoded.
std::string_view StreamToRawString(ByteReader& stream);

// Boolean: a String "-1" or "0"; reads numbers (non-zero true) and True/False.
void BoolToStream(ByteWriter& stream, bool value);
bool StreamToBool(ByteReader& stream);

// Rounding: the position in the editor's list, "0" down, "1" up, "2" half away.
void CalcDecimalToStream(ByteWriter& stream, TCalcDecimal rule);
TCalcDecimal StreamToCalcDecimal(ByteReader& stream);

// Decimal: exact plain text of a Currency.
void DecimalToStream(ByteWriter& stream, Currency value);
Currency StreamToDecimal(ByteReader& stream);

// Float: the value in yen, general format, 15 significant digits.
void FloatToStream(ByteWriter& stream, Currency value);
Currency StreamToFloat(ByteReader& stream);

// Integer: decimal text.
void IntegerToStream(ByteWriter& stream, std::int32_t value);
std::int32_t StreamToInteger(ByteReader& stream);

// Picture: Int32 size S, and when S > 0 Int32 kind K and S bytes of the image file.
void GraphicToStream(const TMxPicture& picture, ByteWriter& stream);
void StreamToGraphic(TMxPicture& picture, ByteReader& stream);

}  // namespace qm
