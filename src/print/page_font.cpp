#include "print/page_font.h"

#include <hb-ot.h>
#include <hb-subset.h>
#include <hb.h>

#include <QFile>

#include <mutex>

#include "base/error.h"

namespace qm {

struct FontFile::Hb {
  hb_blob_t* blob = nullptr;
  hb_face_t* face = nullptr;
  hb_font_t* font = nullptr;
  ~Hb() {
    if (font) hb_font_destroy(font);
    if (face) hb_face_destroy(face);
    if (blob) hb_blob_destroy(blob);
  }
};

namespace {

int Int16At(const char* data, unsigned length, unsigned offset) {
  if (offset + 2 > length) return 0;
  return static_cast<std::int16_t>((static_cast<unsigned char>(data[offset]) << 8) |
                                   static_cast<unsigned char>(data[offset + 1]));
}

int Per1000(int units, int unitsPerEm) {
  return static_cast<int>((static_cast<long long>(units) * 1000 + (units >= 0 ? unitsPerEm / 2 : -unitsPerEm / 2)) /
                          unitsPerEm);
}

std::string NotFixedPitchMessage(const std::string& path) {
  return "ページのフォント " + path + " は半角 1/2 em・全角 1 em の固定幅のフォントではありません。パッケージ " +
         kPageFontPackage + " を入れ直してください。";
}

}  // namespace

std::string PageFontMissingMessage(const std::string& path) {
  return "ページのフォント " + path + " を読めません。パッケージ " + std::string(kPageFontPackage) +
         " をインストールしてください。";
}

FontFile::~FontFile() = default;

std::shared_ptr<const FontFile> FontFile::Load(const std::string& path, bool fixedPitch) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) throw Error(PageFontMissingMessage(path));
  const QByteArray data = file.readAll();
  if (data.isEmpty()) throw Error(PageFontMissingMessage(path));

  std::shared_ptr<FontFile> f(new FontFile());
  f->path_ = path;
  f->bytes_.assign(data.constData(), static_cast<std::size_t>(data.size()));
  f->hb_ = std::make_unique<Hb>();
  f->hb_->blob = hb_blob_create(f->bytes_.data(), static_cast<unsigned>(f->bytes_.size()), HB_MEMORY_MODE_READONLY,
                                nullptr, nullptr);
  f->hb_->face = hb_face_create(f->hb_->blob, 0);
  if (hb_face_get_glyph_count(f->hb_->face) == 0) throw Error(PageFontMissingMessage(path));
  f->hb_->font = hb_font_create(f->hb_->face);
  f->unitsPerEm_ = static_cast<int>(hb_face_get_upem(f->hb_->face));
  hb_font_set_scale(f->hb_->font, f->unitsPerEm_, f->unitsPerEm_);
  hb_ot_font_set_funcs(f->hb_->font);

  char name[128] = {};
  unsigned nameLength = sizeof name;
  hb_ot_name_get_utf8(f->hb_->face, HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &nameLength, name);
  f->postScriptName_ = name[0] ? name : "PageFont";

  hb_position_t ascent = 0, descent = 0;
  if (hb_ot_metrics_get_position(f->hb_->font, HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &ascent))
    f->ascent1000_ = Per1000(ascent, f->unitsPerEm_);
  if (hb_ot_metrics_get_position(f->hb_->font, HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, &descent))
    f->descent1000_ = Per1000(descent, f->unitsPerEm_);
  if (hb_blob_t* head = hb_face_reference_table(f->hb_->face, HB_TAG('h', 'e', 'a', 'd'))) {
    unsigned length = 0;
    const char* bytes = hb_blob_get_data(head, &length);
    f->bbox1000_ = {Per1000(Int16At(bytes, length, 36), f->unitsPerEm_), Per1000(Int16At(bytes, length, 38), f->unitsPerEm_),
                    Per1000(Int16At(bytes, length, 40), f->unitsPerEm_), Per1000(Int16At(bytes, length, 42), f->unitsPerEm_)};
    hb_blob_destroy(head);
  }

  if (fixedPitch) {
    // The layouts count a half-width character as ½ em and a full-width one as 1 em.
    for (const char32_t c : {U'A', U'0', U' ', U'-', U'\uFF71'})
      if (f->Glyph(c) == 0 || 2 * f->Advance(f->Glyph(c)) != f->unitsPerEm_) throw Error(NotFixedPitchMessage(path));
    for (const char32_t c : {U'\u3042', U'\u6F22', U'\uFF10', U'\u2460'})
      if (f->Glyph(c) == 0 || f->Advance(f->Glyph(c)) != f->unitsPerEm_) throw Error(NotFixedPitchMessage(path));
  }
  return f;
}

int FontFile::GlyphCount() const { return static_cast<int>(hb_face_get_glyph_count(hb_->face)); }

std::uint32_t FontFile::Glyph(char32_t c) const {
  hb_codepoint_t glyph = 0;
  return hb_font_get_nominal_glyph(hb_->font, c, &glyph) ? glyph : 0;
}

int FontFile::Advance(std::uint32_t glyph) const { return hb_font_get_glyph_h_advance(hb_->font, glyph); }

std::string FontFile::Table(const char (&tag)[5]) const {
  hb_blob_t* blob = hb_face_reference_table(hb_->face, HB_TAG(tag[0], tag[1], tag[2], tag[3]));
  unsigned length = 0;
  const char* data = hb_blob_get_data(blob, &length);
  std::string out(data ? data : "", data ? length : 0);
  hb_blob_destroy(blob);
  return out;
}

std::string FontFile::Subset(const std::basic_string<std::uint32_t>& glyphs) const {
  hb_subset_input_t* input = hb_subset_input_create_or_fail();
  if (!input) throw Error("フォント " + path_ + " の一部を取り出せません。");
  hb_set_t* set = hb_subset_input_glyph_set(input);
  hb_set_add(set, 0);
  for (const std::uint32_t g : glyphs) hb_set_add(set, g);
  // Readers draw by glyph id: the glyph ids stay, hinting and the layout tables go (they
  // would pull in variant glyphs nobody shows).
  hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_RETAIN_GIDS | HB_SUBSET_FLAGS_NO_HINTING);
  hb_set_t* drop = hb_subset_input_set(input, HB_SUBSET_SETS_DROP_TABLE_TAG);
  for (const hb_tag_t tag : {HB_TAG('G', 'S', 'U', 'B'), HB_TAG('G', 'P', 'O', 'S'), HB_TAG('G', 'D', 'E', 'F'),
                             HB_TAG('B', 'A', 'S', 'E'), HB_TAG('J', 'S', 'T', 'F'), HB_TAG('v', 'h', 'e', 'a'),
                             HB_TAG('v', 'm', 't', 'x'), HB_TAG('V', 'O', 'R', 'G'), HB_TAG('D', 'S', 'I', 'G'),
                             HB_TAG('k', 'e', 'r', 'n'), HB_TAG('g', 'a', 's', 'p')})
    hb_set_add(drop, tag);
  hb_face_t* subset = hb_subset_or_fail(hb_->face, input);
  hb_subset_input_destroy(input);
  if (!subset) throw Error("フォント " + path_ + " の一部を取り出せません。");
  hb_blob_t* blob = hb_face_reference_blob(subset);
  unsigned length = 0;
  const char* data = hb_blob_get_data(blob, &length);
  std::string out(data ? data : "", data ? length : 0);
  hb_blob_destroy(blob);
  hb_face_destroy(subset);
  if (out.empty()) throw Error("フォント " + path_ + " の一部を取り出せません。");
  return out;
}

namespace {

// One font file for the run, read on first use; a failed read is tried again next time.
const FontFile& Cached(std::shared_ptr<const FontFile>& slot, const char* path, bool fixedPitch) {
  static std::mutex mutex;
  const std::lock_guard lock(mutex);
  if (!slot) slot = FontFile::Load(path, fixedPitch);
  return *slot;
}

}  // namespace

const FontFile& PageFont() {
  static std::shared_ptr<const FontFile> font;
  return Cached(font, kPageFontPath, true);
}

const FontFile& ProportionalFont() {
  static std::shared_ptr<const FontFile> font;
  return Cached(font, kProportionalFontPath, false);
}

}  // namespace qm
