#include "pdf/template_page.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// Resources of a static library are registered by hand, at global scope.
static void InitTemplateResources() { Q_INIT_RESOURCE(templates); }

namespace qm::pdf {
namespace {

constexpr int kPanelLeft = 14;

// The colour names the descriptions use.
std::uint32_t ColourOf(const QJsonValue& v, std::uint32_t def) {
  if (v.isUndefined()) return def;
  const QString name = v.toString();
  if (name == "black") return 0x00000000;
  if (name == "navy") return 0x00800000;
  if (name == "white") return 0x00FFFFFF;
  if (name == "none") return kPRColorNone;
  throw Error("PDF テンプレートの色「" + name.toStdString() + "」は使えません。");
}

TPdfAlignment AlignmentOf(const QJsonValue& v) {
  const QString a = v.toString("left");
  if (a == "right") return TPdfAlignment::taRightJustify;
  if (a == "center") return TPdfAlignment::taCenter;
  return TPdfAlignment::taLeftJustify;
}

TPRPenStyle PenStyleOf(const QJsonValue& v) {
  const QString s = v.toString("solid");
  if (s == "dash") return TPRPenStyle::psDash;
  if (s == "dot") return TPRPenStyle::psDot;
  if (s == "clear") return TPRPenStyle::psClear;
  return TPRPenStyle::psSolid;
}

int Int(const QJsonObject& o, const char* key) {
  const QJsonValue v = o.value(key);
  if (!v.isDouble()) throw Error(std::string("PDF テンプレートの項目に ") + key + " がありません。");
  return v.toInt();
}

// A page, a position or a size beyond this many points (5 m) is a broken description,
// as is a repeat of more rows than any page holds; both are refused before they are
// multiplied out.
constexpr long long kMaxPoints = 14400;
constexpr long long kMaxRepeatRows = 1000;

int Points(const QJsonObject& o, const char* key, long long low, long long offset = 0) {
  const long long v = static_cast<long long>(Int(o, key)) + offset;
  if (v < low || v > kMaxPoints)
    throw Error(std::string("PDF テンプレートの ") + key + " の値 " + std::to_string(v) + " は範囲外です。");
  return static_cast<int>(v);
}

}  // namespace

// What the description says of an item, to put it back.
struct TemplatePage::Described {
  int left = 0, top = 0, width = 0, height = 0;
  std::string caption;
  double fontSize = 0;
  enum class Band { None, Odd, Even, Row } band = Band::None;
  int row = 0;  // the {n} of a repeated item
};

TemplatePage::TemplatePage() = default;
TemplatePage::~TemplatePage() = default;

std::unique_ptr<TemplatePage> TemplatePage::Load(const std::string& name) {
  InitTemplateResources();
  QFile file(QString::fromStdString(":/pdf/" + name + ".json"));
  if (!file.open(QIODevice::ReadOnly)) throw Error("PDF テンプレート " + name + " がありません。");
  return FromJson(file.readAll().toStdString());
}

void TemplatePage::Add(std::unique_ptr<TPRItem> item, Described described) {
  TPRItem* raw = item.get();
  if (!index_.emplace(raw->Name(), raw).second)
    throw Error("PDF テンプレートの項目名 " + raw->Name() + " が重複しています。");
  panel_->AddChild(std::move(item));
  items_.push_back(raw);
  described_.push_back(std::move(described));
}

std::unique_ptr<TemplatePage> TemplatePage::FromJson(std::string_view json) {
  QJsonParseError error;
  const QJsonDocument doc =
      QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())), &error);
  if (!doc.isObject()) throw Error("PDF テンプレートを読めません: " + error.errorString().toStdString());
  const QJsonObject root = doc.object();
  std::unique_ptr<TemplatePage> t(new TemplatePage);
  const std::string name = root.value("name").toString().toStdString();
  t->page_ = std::make_unique<TPRPage>(name, Points(root, "width", 1), Points(root, "height", 1));
  auto panel = std::make_unique<TPRLayoutPanel>(name + "Panel");
  panel->Left = kPanelLeft;
  panel->Top = 0;
  panel->Width = t->page_->Width;
  panel->Height = t->page_->Height;
  t->panel_ = &t->page_->Add(std::move(panel));

  const auto makeItem = [&t](const QJsonObject& o, int n, long long dy) {
    std::string itemName = o.value("name").toString().toStdString();
    if (const std::size_t at = itemName.find("{n}"); at != std::string::npos)
      itemName.replace(at, 3, std::to_string(n));
    Described d;
    d.left = Points(o, "left", -kMaxPoints);
    d.top = Points(o, "top", -kMaxPoints, dy);
    d.width = Points(o, "width", 0);
    d.height = Points(o, "height", 0);
    d.row = n;
    const QString kind = o.value("kind").toString();
    std::unique_ptr<TPRItem> item;
    if (kind == "Label" || kind == "Text") {
      std::unique_ptr<TPRCustomLabel> l;
      if (kind == "Label") {
        auto label = std::make_unique<TPRLabel>(itemName);
        label->Alignment = AlignmentOf(o.value("align"));
        d.caption = o.value("caption").toString().toStdString();
        l = std::move(label);
      } else {
        auto text = std::make_unique<TPRText>(itemName);
        text->Leading = o.value("leading").toDouble(14);
        text->Wordwrap = o.value("wordwrap").toBool(false);
        l = std::move(text);
      }
      l->FontName = TPRFontName::fnGothic;
      l->FontBold = o.value("bold").toBool(false);
      l->SetFontColor(ColourOf(o.value("color"), 0));
      d.fontSize = o.value("size").toDouble(10);
      item = std::move(l);
    } else if (kind == "Rect") {
      auto r = std::make_unique<TPRRect>(itemName);
      r->LineColor = ColourOf(o.value("lineColor"), 0);
      r->FillColor = ColourOf(o.value("fillColor"), kPRColorNone);
      r->LineWidth = o.value("lineWidth").toDouble(0);
      r->LineStyle = PenStyleOf(o.value("lineStyle"));
      const QString band = o.value("band").toString();
      d.band = band == "odd"    ? Described::Band::Odd
               : band == "even" ? Described::Band::Even
               : band == "row"  ? Described::Band::Row
                                : Described::Band::None;
      item = std::move(r);
    } else if (kind == "Image") {
      auto i = std::make_unique<TPRImage>(itemName);
      i->SharedImage = o.value("shared").toBool(true);
      i->Stretch = o.value("stretch").toBool(true);
      item = std::move(i);
    } else {
      throw Error("PDF テンプレートの項目 " + itemName + " の種類「" + kind.toStdString() + "」は使えません。");
    }
    t->Add(std::move(item), std::move(d));
  };

  for (const QJsonValue& v : root.value("items").toArray()) {
    const QJsonObject o = v.toObject();
    if (o.contains("repeat")) {
      const QJsonObject r = o.value("repeat").toObject();
      const long long from = Int(r, "from"), to = Int(r, "to"), dy = Int(r, "dy");
      if (to - from >= kMaxRepeatRows)
        throw Error("PDF テンプレートの繰り返し " + std::to_string(from) + "〜" + std::to_string(to) + " は長すぎます。");
      if (dy < -kMaxPoints || dy > kMaxPoints)
        throw Error("PDF テンプレートの dy の値 " + std::to_string(dy) + " は範囲外です。");
      for (long long n = from; n <= to; ++n)
        for (const QJsonValue& inner : o.value("items").toArray())
          makeItem(inner.toObject(), static_cast<int>(n), dy * (n - from));
    } else {
      makeItem(o, 0, 0);
    }
  }
  t->Reset();
  return t;
}

void TemplatePage::Reset() {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    TPRItem& item = *items_[i];
    const Described& d = described_[i];
    item.Left = d.left;
    item.Top = d.top;
    item.Width = d.width;
    item.Height = d.height;
    item.Printable = true;
    if (auto* label = dynamic_cast<TPRLabel*>(&item)) {
      label->Caption = d.caption;
      label->FontSize = d.fontSize;
    } else if (auto* text = dynamic_cast<TPRText*>(&item)) {
      text->Lines.clear();
      text->FontSize = d.fontSize;
    } else if (auto* image = dynamic_cast<TPRImage*>(&item)) {
      image->Clear();
    }
  }
}

void TemplatePage::ApplyBandColours(TColor odd, TColor even) {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const Described& d = described_[i];
    if (d.band == Described::Band::None) continue;
    auto& r = static_cast<TPRRect&>(*items_[i]);
    switch (d.band) {
      case Described::Band::Odd: r.FillColor = odd; break;
      case Described::Band::Even: r.FillColor = even; break;
      case Described::Band::Row: r.FillColor = d.row % 2 == 0 ? odd : even; break;
      case Described::Band::None: break;
    }
  }
}

}  // namespace qm::pdf
