#include "model/estimate_stream.h"

#include <charconv>

#include "base/cp932.h"
#include "base/error.h"

namespace qm {

void ByteWriter::Int32(std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  const char b[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                     static_cast<char>((u >> 16) & 0xFF), static_cast<char>((u >> 24) & 0xFF)};
  buf_.append(b, 4);
}

std::int32_t ByteReader::Int32() {
  const std::string_view b = Raw(4);
  const std::uint32_t u = static_cast<std::uint32_t>(static_cast<unsigned char>(b[0])) |
                          static_cast<std::uint32_t>(static_cast<unsigned char>(b[1])) << 8 |
                          static_cast<std::uint32_t>(static_cast<unsigned char>(b[2])) << 16 |
                          static_cast<std::uint32_t>(static_cast<unsigned char>(b[3])) << 24;
  return static_cast<std::int32_t>(u);
}

std::string_view ByteReader::Raw(std::size_t n) {
  if (n > Remaining())
    throw Error("ファイルが途中で終わっています（" + std::to_string(pos_) + " バイト目から " + std::to_string(n) +
                " バイトを読めません）。");
  const std::string_view r = bytes_.substr(pos_, n);
  pos_ += n;
  return r;
}

namespace {
[[noreturn]] void BadField(const char* what, std::string_view text, std::size_t offset) {
  throw Error(std::string(what) + "「" + cp932::Decode(text) + "」を読めません（" + std::to_string(offset) +
              " バイト目）。");
}
// A String field read as a number by `parse`; text that does not convert is an error.
Currency ReadNumber(ByteReader& stream, std::optional<Currency> (*parse)(std::string_view)) {
  const std::size_t at = stream.Offset();
  const std::string_view text = StreamToRawString(stream);
  if (auto c = parse(text)) return *c;
  BadField("数値", text, at);
}
}  // namespace

void StringToStream(ByteWriter& stream, std::string_view text) {
  const std::string bytes = cp932::EncodeOrThrow(text);
  stream.Int32(static_cast<std::int32_t>(bytes.size()));
  stream.Raw(bytes);
}

std::string_view StreamToRawString(ByteReader& stream) {
  const std::int32_t len = stream.Int32();
  if (len <= 0) return {};
  return stream.Raw(static_cast<std::size_t>(len));
}

std::string StreamToString(ByteReader& stream) { return cp932::Decode(StreamToRawString(stream)); }

void BoolToStream(ByteWriter& stream, bool value) { StringToStream(stream, value ? "-1" : "0"); }

bool StreamToBool(ByteReader& stream) {
  const std::size_t at = stream.Offset();
  const std::string_view text = StreamToRawString(stream);
  if (auto n = Currency::TryParseFloat(text)) return !n->IsZero();
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (lower == "true") return true;
  if (lower == "false") return false;
  BadField("真偽値", text, at);
}

void CalcDecimalToStream(ByteWriter& stream, TCalcDecimal rule) {
  switch (rule) {
    case TCalcDecimal::cdRoundDown: StringToStream(stream, "0"); return;
    case TCalcDecimal::cdRoundUP: StringToStream(stream, "1"); return;
    case TCalcDecimal::cdRoundOff: StringToStream(stream, "2"); return;
  }
  StringToStream(stream, "0");
}

TCalcDecimal StreamToCalcDecimal(ByteReader& stream) {
  const std::string_view text = StreamToRawString(stream);
  if (text == "1") return TCalcDecimal::cdRoundUP;
  if (text == "2") return TCalcDecimal::cdRoundOff;
  return TCalcDecimal::cdRoundDown;
}

void DecimalToStream(ByteWriter& stream, Currency value) { StringToStream(stream, value.ToDecimalText()); }

Currency StreamToDecimal(ByteReader& stream) { return ReadNumber(stream, Currency::TryParseDecimal); }

void FloatToStream(ByteWriter& stream, Currency value) { StringToStream(stream, value.ToFloatText()); }

Currency StreamToFloat(ByteReader& stream) { return ReadNumber(stream, Currency::TryParseFloat); }

void IntegerToStream(ByteWriter& stream, std::int32_t value) { StringToStream(stream, std::to_string(value)); }

std::int32_t StreamToInteger(ByteReader& stream) {
  const std::size_t at = stream.Offset();
  std::string_view text = StreamToRawString(stream);
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  std::int32_t v = 0;
  auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
  if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size()) BadField("整数", text, at);
  return v;
}

void GraphicToStream(const TMxPicture& picture, ByteWriter& stream) {
  if (picture.Empty() || picture.Bytes().empty()) {
    stream.Int32(0);
    return;
  }
  stream.Int32(static_cast<std::int32_t>(picture.Bytes().size()));
  stream.Int32(static_cast<std::int32_t>(picture.Kind()));
  stream.Raw(picture.Bytes());
}

void StreamToGraphic(TMxPicture& picture, ByteReader& stream) {
  const std::size_t at = stream.Offset();
  const std::int32_t size = stream.Int32();
  if (size <= 0) {
    picture.Clear();
    return;
  }
  const std::int32_t kind = stream.Int32();
  if (static_cast<std::size_t>(size) > stream.Remaining())
    throw Error("画像の大きさ " + std::to_string(size) + " バイトがファイルに収まりません（" + std::to_string(at) +
                " バイト目）。");
  const std::string_view bytes = stream.Raw(static_cast<std::size_t>(size));
  if (kind >= 1 && kind <= 3)
    picture.Assign(static_cast<PictureKind>(kind), std::string(bytes));
  else
    picture.Clear();
}

}  // namespace qm
