#include "sample_masters.h"

#include <cstdint>
#include <string>

namespace qmbench {

using qm::Currency;
using qm::TMxCustomerObject;
using qm::TMxCustomerObjectList;
using qm::TMxItemObject;
using qm::TMxItemObjectList;

namespace {

const char* const kFamilies[] = {"山田", "佐藤", "鈴木", "髙橋", "田中", "伊藤", "渡辺", "中村", "小林", "加藤", "吉田", "山本"};
const char* const kTrades[] = {"建設", "工務店", "塗装", "設備工業", "電気工事", "リフォーム", "造園", "住宅"};
const char* const kForms[] = {"株式会社 ", "有限会社　", "株式会社", "", "合同会社 "};
const char* const kPlaces[] = {"東京都千代田区丸の内", "大阪府大阪市北区梅田", "愛知県名古屋市中区栄",
                               "福岡県福岡市博多区博多駅前", "北海道札幌市中央区北一条西", "神奈川県横浜市西区みなとみらい"};
const char* const kWorks[] = {"足場架払い", "外壁塗装（シリコン）", "高圧洗浄", "養生", "屋根塗装 遮熱", "コーキング打替え",
                              "雨樋交換", "下地補修", "廃材処分", "諸経費"};
const char* const kUnits[] = {"㎡", "式", "m", "本", "箇所", "枚", "人工"};

template <std::size_t N>
const char* Pick(const char* const (&list)[N], int i) {
  return list[static_cast<std::size_t>(i) % N];
}

std::string Num(int v, int width) {
  std::string s = std::to_string(v);
  return std::string(s.size() < static_cast<std::size_t>(width) ? width - s.size() : 0, '0') + s;
}

}  // namespace

TMxCustomerObjectList MakeCustomers(int count) {
  TMxCustomerObjectList list;
  for (int i = 0; i < count; ++i) {
    auto c = std::make_unique<TMxCustomerObject>();
    c->SetCustomerCode("C" + Num(i, 5));
    std::string name = std::string(Pick(kForms, i)) + Pick(kFamilies, i / 5) + Pick(kTrades, i / 3);
    if (i % 37 == 0) name += "\"本社\"";  // quotes doubled and enclosed
    c->SetCustomerName1(name);
    c->SetCustomerName2(i % 3 == 0 ? "工事部 営業課" : "");
    c->SetCustomerName3(i % 4 == 0 ? std::string(Pick(kFamilies, i)) + " 様" : "");
    c->SetZipNo(Num(100 + i % 900, 3) + "-" + Num(i % 10000, 4));
    c->SetAddress1(Pick(kPlaces, i));
    c->SetAddress2(std::to_string(1 + i % 9) + "-" + std::to_string(1 + i % 20) + "-" + std::to_string(1 + i % 30) +
                   (i % 2 ? " 第" + std::to_string(1 + i % 7) + "ビル 5F" : ""));
    c->SetTelNo("0" + std::to_string(3 + i % 6) + "-" + Num(i % 10000, 4) + "-" + Num((i * 7) % 10000, 4));
    c->SetFaxNo(i % 5 == 0 ? "" : "0" + std::to_string(3 + i % 6) + "-" + Num(i % 10000, 4) + "-9999");
    list.Add(std::move(c));
  }
  return list;
}

TMxItemObjectList MakeItems(int count) {
  TMxItemObjectList list;
  for (int i = 0; i < count; ++i) {
    auto item = std::make_unique<TMxItemObject>();
    item->SetItemName(std::string(Pick(kWorks, i)) + (i % 4 == 0 ? " W" + std::to_string(600 + i % 900) : "") +
                      " No." + std::to_string(i));
    item->SetItemUnit(Pick(kUnits, i));
    // Every third price has a fraction (a quarter yen step).
    const std::int64_t price = static_cast<std::int64_t>(500 + i % 20000) * Currency::kScale;
    item->SetItemPrice(Currency::FromRaw(i % 3 ? price : price / 4));
    item->SetItemCost(Currency::FromRaw(static_cast<std::int64_t>(300 + i % 15000) * Currency::kScale));
    list.Add(std::move(item));
  }
  return list;
}


}  // namespace qmbench
