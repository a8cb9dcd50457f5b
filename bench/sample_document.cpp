#include "sample_document.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace qmbench {
namespace {

using qm::Currency;

// Small deterministic generator, so that every run measures the same document.
class Lcg {
 public:
  explicit Lcg(std::uint32_t seed) : state_(seed) {}
  std::uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }

 private:
  std::uint32_t state_;
};

struct Item {
  const char* name;
  const char* unit;
  int minPrice;  // yen
  int maxPrice;
  bool fractionalQuantity;
};

constexpr std::array<Item, 24> kItems{{
    {"仮設足場架設・解体", "㎡", 600, 1200, true},
    {"飛散防止養生ネット", "㎡", 150, 400, true},
    {"高圧洗浄（バイオ洗浄）", "㎡", 200, 450, true},
    {"下地補修 クラック処理", "ｍ", 800, 2500, true},
    {"シーリング打替え 変成シリコン", "ｍ", 900, 1500, true},
    {"外壁塗装 シリコン系 3回塗り", "㎡", 2200, 3800, true},
    {"付帯部塗装 雨樋", "ｍ", 700, 1400, true},
    {"屋根塗装 遮熱塗料", "㎡", 2500, 4200, true},
    {"タスペーサー挿入", "式", 15000, 40000, false},
    {"ベランダ防水 ウレタン通気緩衝工法", "㎡", 5500, 8800, true},
    {"既存防水層撤去", "㎡", 1200, 2500, true},
    {"鉄骨階段 錆止め・上塗り", "段", 1800, 3500, false},
    {"土間コンクリート打設 t=100", "㎡", 7500, 12000, true},
    {"ワイヤーメッシュ φ6-150", "枚", 900, 1600, false},
    {"生コンクリート 21-18-20", "m3", 18000, 24000, true},
    {"型枠工", "㎡", 4500, 7000, true},
    {"クロス張替え 量産品", "㎡", 900, 1400, true},
    {"石膏ボード 12.5mm 張り", "枚", 1800, 2600, false},
    {"大工手間", "人工", 25000, 32000, true},
    {"電気配線工事 コンセント増設", "箇所", 8000, 15000, false},
    {"給排水配管 VP50", "ｍ", 3500, 6000, true},
    {"産業廃棄物処分費 混合", "ｔ", 28000, 45000, true},
    {"運搬費 4t車", "台", 25000, 40000, false},
    {"現場管理費", "式", 50000, 150000, false},
}};

constexpr std::array<const char*, 6> kNotes{{
    "既存撤去含む", "北面のみ", "色番号 N-85", "夜間作業", "別途協議", "メーカー保証10年",
}};

// Taxless lines: stamps and fees passed on at cost.
constexpr std::array<const char*, 3> kTaxless{{"収入印紙代", "道路使用許可申請手数料", "確認申請手数料"}};

Currency Yen(int yen) { return Currency::FromYen(yen); }

Currency Quantity(Lcg& rng, bool fractional) {
  const int whole = 1 + rng.Below(fractional ? 300 : 20);
  if (!fractional) return Currency::FromYen(whole);
  static constexpr std::array<int, 5> kFractions{{0, 2500, 5000, 7500, 3000}};
  return Currency::FromRaw(whole * Currency::kScale + kFractions[static_cast<std::size_t>(rng.Below(5))]);
}

std::unique_ptr<qm::TMxEstimateObject> MakeLine(Lcg& rng, int index) {
  auto line = std::make_unique<qm::TMxEstimateObject>();
  line->SetClassNo(1 + index / 100 % 9);
  if (index % 41 == 40) {
    line->SetName(kTaxless[static_cast<std::size_t>(rng.Below(3))]);
    line->SetItemUnit("式");
    line->SetNum(Yen(1));
    line->SetPrice(Yen(200 + 100 * rng.Below(40)));
    line->SetCost(line->Price());
    line->SetTaxless(true);
  } else {
    const Item& item = kItems[static_cast<std::size_t>(rng.Below(static_cast<int>(kItems.size())))];
    line->SetName(item.name);
    line->SetItemUnit(item.unit);
    line->SetNum(Quantity(rng, item.fractionalQuantity));
    const int price = (item.minPrice + rng.Below(item.maxPrice - item.minPrice + 1)) / 10 * 10;
    line->SetPrice(Yen(price));
    line->SetCost(Yen(price * (60 + rng.Below(25)) / 100));
    if (rng.Below(6) == 0) line->SetNote(kNotes[static_cast<std::size_t>(rng.Below(static_cast<int>(kNotes.size())))]);
    if (index % 97 == 13) line->SetFreeEdit("※");
  }
  line->DoCalc();
  return line;
}

void FillHeader(qm::TMxEstimateObjectList& doc, const SampleOptions& o) {
  doc.SetTaxRate(Yen(10));
  doc.SetTaxCalcLine(o.taxPerLine);
  doc.SetTaxInputModeIncludeTax(o.includeTax);
  doc.SetTaxDecimalMode(qm::TCalcDecimal::cdRoundDown);
  doc.SetSubTotalDecimalMode(qm::TCalcDecimal::cdRoundDown);
  qm::TMxCustomerObject& c = doc.CustomerInfo();
  c.SetCustomerCode("C-20417");
  c.SetCustomerName1("株式会社 北斗ハウジング");
  c.SetCustomerName2("工事部 第二課");
  c.SetCustomerName3("高橋 誠一");
  c.SetCustomerNameTitle("様");
  c.SetZipNo("060-0042");
  c.SetAddress1("北海道札幌市中央区大通西１０丁目４番地");
  c.SetAddress2("南大通ビル　７階");
  c.SetTelNo("011-231-4567");
  c.SetFaxNo("011-231-4568");
  doc.SetSlipCodeStr("2026-01187");
  doc.SetSlipDateStrYY("2026");
  doc.SetSlipDateStrMM("12");
  doc.SetSlipDateStrDD("9");
  doc.SetKoujiNameStr("北斗ハウジング様 集合住宅 外壁・屋根改修工事");
  doc.SetKoujiNamePrintCheck(true);
  doc.SetDeliveryPlaceStr("札幌市白石区本通３丁目 現場");
  doc.SetDeliveryPlacePrintCheck(true);
  doc.SetPayConditionStr("月末締め 翌月末 銀行振込");
  doc.SetPayConditionPrintCheck(true);
  doc.SetSlipLimitStr("見積提出後３０日");
  doc.SetSlipLimitPrintCheck(true);
  doc.SetEtcStr("足場設置期間中の駐車場使用について別途協議。");
  doc.SetMemoStr("担当：佐藤　現調 11/28 済");
}

}  // namespace

std::string EncodedPhoto(const char* format, int seed, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  Lcg rng(static_cast<std::uint32_t>(seed) * 7919u + 17u);
  const int horizon = (70 + seed * 13 % 60) * height / 240;
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const int grain = rng.Below(24) - 12;  // sensor noise keeps it from compressing to nothing
      int r, g, b;
      if (y < horizon) {  // sky
        const int sy = y * 240 / height;
        r = 120 + sy / 2;
        g = 160 + sy / 3;
        b = 230 - sy / 4;
      } else {  // a wall with courses of siding
        const int course = ((y - horizon) * 240 / height / 12 + x * 320 / width / 80) % 2;
        r = 170 + course * 25 - x * 320 / width / 16;
        g = 150 + course * 20 - x * 320 / width / 20;
        b = 120 + course * 10;
      }
      row[x] = qRgb(std::clamp(r + grain, 0, 255), std::clamp(g + grain, 0, 255), std::clamp(b + grain, 0, 255));
    }
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format, std::string_view(format) == "jpeg" ? 85 : -1);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

qm::TMxEstimateObjectList MakeSampleDocument(const SampleOptions& o) {
  qm::TMxEstimateObjectList doc;
  FillHeader(doc, o);
  Lcg rng(20261209u);
  // Encode each picture once; a real document holds different photos, so do we.
  std::vector<std::pair<qm::PictureKind, std::string>> photos;
  for (int i = 0; i < o.pictures; ++i) {
    const bool png = !o.jpegOnly && i % 2 == 0;
    photos.emplace_back(png ? qm::PictureKind::Png : qm::PictureKind::Jpeg,
                        EncodedPhoto(png ? "png" : "jpeg", i, o.photoWidth, o.photoHeight));
  }
  const int pictureStep = o.pictures > 0 ? std::max(1, o.lines / o.pictures) : 0;
  for (int i = 0; i < o.lines; ++i) {
    const int index = doc.Add(MakeLine(rng, i));
    if (o.subtotalEvery > 0 && i % o.subtotalEvery == o.subtotalEvery - 1) {
      doc.ToSubTotalLine(index);
      continue;
    }
    if (pictureStep > 0 && i % pictureStep == 0 && i / pictureStep < o.pictures) {
      auto& [kind, bytes] = photos[static_cast<std::size_t>(i / pictureStep)];
      doc.Items(index).Pic().Assign(kind, bytes);
    }
  }
  doc.DoCalc();
  return doc;
}

SamplePrint::SamplePrint(int dpi, int pictures) : SamplePrint(dpi, [pictures] {
  SampleOptions options;
  options.pictures = pictures;
  return options;
}()) {}

SamplePrint::SamplePrint(int dpi, const SampleOptions& options) {
  doc = MakeSampleDocument(options);
  config.LoadConfig(dir.filePath("conf.ini").toStdString());
  companies.LoadConfig(dir.filePath("conf.ini").toStdString());
  qm::TMxCampanyInfo& co = companies.CampanyInfoArray(0);
  co.SetZipNo("150-0001");
  co.SetAddress1("東京都渋谷区神宮前1-2-3");
  co.SetCampanyName1("ベロラ工務店");
  co.SetTelFax("TEL 03-0000-0000 FAX 03-0000-0001");
  src.doc = &doc;
  src.config = &config;
  src.companies = &companies;
  src.settings = qm::ResolveChartSettings(qm::TPrintMitsuOptions{}, config, doc);
  src.settings.options.PrintPic = true;
  src.printerDpiX = src.printerDpiY = dpi;
}

}  // namespace qmbench
