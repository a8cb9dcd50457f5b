#include "model/company_info.h"

#include <algorithm>

#include <variant>

#include <QString>

#include "base/checked_index.h"
#include "base/error.h"
#include "base/half_width.h"
#include "base/ini_file.h"
#include "base/ini_values.h"
#include "model/settings_images.h"

namespace qm {
namespace {

using C = TMxCampanyInfo;

// Fields reached through accessors, since the keys do not follow the field names.
template <typename T>
struct Accessor {
  const T& (C::*get)() const;
  void (C::*set)(T);
};

struct Key {
  const char* name;
  const char* property;
  std::variant<Accessor<std::string>, Accessor<bool>, Accessor<double>> field;
  const char* def;
  bool bankAccounts = false;  // stands for the six keys of the two accounts
  bool whenSet = false;       // written only when not empty or already in the file
};

std::string SectionName(int index) { return "CAMPANY_INFO" + std::to_string(index); }

const std::vector<Key>& Keys() {
  static const std::vector<Key> keys = {
      {"ZipNo", "ZipNo", Accessor<std::string>{&C::ZipNo, &C::SetZipNo}, ""},
      {"Address1", "Address1", Accessor<std::string>{&C::Address1, &C::SetAddress1}, ""},
      {"Address2", "Address2", Accessor<std::string>{&C::Address2, &C::SetAddress2}, ""},
      {"CampanyName1", "CampanyName1", Accessor<std::string>{&C::CampanyName1, &C::SetCampanyName1}, ""},
      {"CampanyName2", "CampanyName2", Accessor<std::string>{&C::CampanyName2, &C::SetCampanyName2}, ""},
      {"CampanyName3", "CampanyName3", Accessor<std::string>{&C::CampanyName3, &C::SetCampanyName3}, ""},
      {"ChargeName", "ChargeName", Accessor<std::string>{&C::ChargeName, &C::SetChargeName}, ""},
      {"TelFax", "TelFax", Accessor<std::string>{&C::TelFax, &C::SetTelFax}, ""},
      {"", "", Accessor<std::string>{nullptr, nullptr}, "", true},  // BankName1 … OwnerName2
      {"UseLogoImage", "ChkUseLogoImage", Accessor<bool>{&C::ChkUseLogoImage, &C::SetChkUseLogoImage}, "0"},
      {"UseCampanyStamp", "ChkUseCampanyStamp", Accessor<bool>{&C::ChkUseCampanyStamp, &C::SetChkUseCampanyStamp}, "0"},
      {"CampanyStampWidth_A4", "CampanyStampSizeWidth_A4", Accessor<double>{&C::CampanyStampSizeWidth_A4, &C::SetCampanyStampSizeWidth_A4}, "25"},
      {"CampanyStampHeight_A4", "CampanyStampSizeHeight_A4", Accessor<double>{&C::CampanyStampSizeHeight_A4, &C::SetCampanyStampSizeHeight_A4}, "25"},
      {"CampanyStampDetailPosX_A4", "CampanyStampPosDetail_X_A4", Accessor<double>{&C::CampanyStampPosDetail_X_A4, &C::SetCampanyStampPosDetail_X_A4}, "140"},
      {"CampanyStampDetailPosY_A4", "CampanyStampPosDetail_Y_A4", Accessor<double>{&C::CampanyStampPosDetail_Y_A4, &C::SetCampanyStampPosDetail_Y_A4}, "46"},
      {"CampanyStampTotalClaimPosX_A4", "CampanyStampPosTotalClaim_X_A4", Accessor<double>{&C::CampanyStampPosTotalClaim_X_A4, &C::SetCampanyStampPosTotalClaim_X_A4}, "140"},
      {"CampanyStampTotalClaimPosY_A4", "CampanyStampPosTotalClaim_Y_A4", Accessor<double>{&C::CampanyStampPosTotalClaim_Y_A4, &C::SetCampanyStampPosTotalClaim_Y_A4}, "32"},
      {"CampanyStampPosReceiptPosX_A4", "CampanyStampPosReceipt_X_A4", Accessor<double>{&C::CampanyStampPosReceipt_X_A4, &C::SetCampanyStampPosReceipt_X_A4}, "95"},
      {"CampanyStampPosReceiptPosY_A4", "CampanyStampPosReceipt_Y_A4", Accessor<double>{&C::CampanyStampPosReceipt_Y_A4, &C::SetCampanyStampPosReceipt_Y_A4}, "65"},
      {"CampanyStampPosFaxSenderPosX_A4", "CampanyStampPosFaxSender_X_A4", Accessor<double>{&C::CampanyStampPosFaxSender_X_A4, &C::SetCampanyStampPosFaxSender_X_A4}, "125"},
      {"CampanyStampPosFaxSenderPosY_A4", "CampanyStampPosFaxSender_Y_A4", Accessor<double>{&C::CampanyStampPosFaxSender_Y_A4, &C::SetCampanyStampPosFaxSender_Y_A4}, "90"},
      {"CampanyStampWidth_B5", "CampanyStampSizeWidth_B5", Accessor<double>{&C::CampanyStampSizeWidth_B5, &C::SetCampanyStampSizeWidth_B5}, "21.75"},
      {"CampanyStampHeight_B5", "CampanyStampSizeHeight_B5", Accessor<double>{&C::CampanyStampSizeHeight_B5, &C::SetCampanyStampSizeHeight_B5}, "21.75"},
      {"CampanyStampDetailPosX_B5", "CampanyStampPosDetail_X_B5", Accessor<double>{&C::CampanyStampPosDetail_X_B5, &C::SetCampanyStampPosDetail_X_B5}, "121.8"},
      {"CampanyStampDetailPosY_B5", "CampanyStampPosDetail_Y_B5", Accessor<double>{&C::CampanyStampPosDetail_Y_B5, &C::SetCampanyStampPosDetail_Y_B5}, "40"},
      {"CampanyStampTotalClaimPosX_B5", "CampanyStampPosTotalClaim_X_B5", Accessor<double>{&C::CampanyStampPosTotalClaim_X_B5, &C::SetCampanyStampPosTotalClaim_X_B5}, "121.8"},
      {"CampanyStampTotalClaimPosY_B5", "CampanyStampPosTotalClaim_Y_B5", Accessor<double>{&C::CampanyStampPosTotalClaim_Y_B5, &C::SetCampanyStampPosTotalClaim_Y_B5}, "27.84"},
      {"CampanyStampPosReceiptPosX_B5", "CampanyStampPosReceipt_X_B5", Accessor<double>{&C::CampanyStampPosReceipt_X_B5, &C::SetCampanyStampPosReceipt_X_B5}, "82.65"},
      {"CampanyStampPosReceiptPosY_B5", "CampanyStampPosReceipt_Y_B5", Accessor<double>{&C::CampanyStampPosReceipt_Y_B5, &C::SetCampanyStampPosReceipt_Y_B5}, "56.55"},
      {"CampanyStampPosFaxSenderPosX_B5", "CampanyStampPosFaxSender_X_B5", Accessor<double>{&C::CampanyStampPosFaxSender_X_B5, &C::SetCampanyStampPosFaxSender_X_B5}, "108.75"},
      {"CampanyStampPosFaxSenderPosY_B5", "CampanyStampPosFaxSender_Y_B5", Accessor<double>{&C::CampanyStampPosFaxSender_Y_B5, &C::SetCampanyStampPosFaxSender_Y_B5}, "78.3"},
      {"UseCampanyStampTrans", "ChkUseCampanyStampTrans", Accessor<bool>{&C::ChkUseCampanyStampTrans, &C::SetChkUseCampanyStampTrans}, "0"},
      {"CampanyStampTrans", "CampanyStampTransColor", Accessor<std::string>{&C::CampanyStampTransColor, &C::SetCampanyStampTransColor}, "clWhite"},
      {"RegistNo", "RegistNo", Accessor<std::string>{&C::RegistNo, &C::SetRegistNo}, "", false, true},
      {"PeppolID", "PeppolId", Accessor<std::string>{&C::PeppolId, &C::SetPeppolId}, "", false, true},
  };
  return keys;
}

std::string BankKey(const char* name, int account) { return name + std::to_string(account + 1); }

}  // namespace

TMxPayBankAccount& TMxCampanyInfo::PayBankAccount(int index) { return CheckedAt(FPayBankAccount, index, "振込先"); }

const TMxPayBankAccount& TMxCampanyInfo::PayBankAccount(int index) const {
  return CheckedAt(FPayBankAccount, index, "振込先");
}

std::vector<TMxCampanyInfo::Entry> TMxCampanyInfo::Entries() const {
  std::vector<Entry> entries;
  for (const Key& k : Keys()) {
    if (k.bankAccounts) continue;
    Entry& e = entries.emplace_back(Entry{k.name, k.property, false});
    std::visit([&](const auto& f) { e.value = (this->*f.get)(); }, k.field);
  }
  return entries;
}

TMxCampanyInfoManager::TMxCampanyInfoManager(const std::string& imgDir) : FImgPath(WithTrailingSeparator(imgDir)) {}

TMxCampanyInfo& TMxCampanyInfoManager::CampanyInfoArray(int index) {
  return CheckedAt(FMxCampanyInfoArray, index, "会社情報");
}

const TMxCampanyInfo& TMxCampanyInfoManager::CampanyInfoArray(int index) const {
  return CheckedAt(FMxCampanyInfoArray, index, "会社情報");
}

std::string TMxCampanyInfoManager::LogoFileName(int index) const {
  return FImgPath + "logo" + std::to_string(index) + ".bmp";
}

std::string TMxCampanyInfoManager::StampFileName(int index) const {
  return FImgPath + "stamp" + std::to_string(index) + ".bmp";
}

void TMxCampanyInfoManager::LoadConfig(const std::string& fileName) {
  const IniFile ini = IniFile::Load(fileName);
  for (int i = 0; i < kCampanyInfoMaxRegistCount; ++i) {
    const std::string section = SectionName(i);
    TMxCampanyInfo& info = FMxCampanyInfoArray[static_cast<std::size_t>(i)];
    for (const Key& k : Keys()) {
      if (k.bankAccounts) {
        for (int a = 0; a < TMxCampanyInfo::kPayBankAccountMaxRegistCount; ++a) {
          TMxPayBankAccount& account = info.FPayBankAccount[static_cast<std::size_t>(a)];
          account.SetBankName(ini.ReadString(section, BankKey("BankName", a), ""));
          account.SetBankNo(ini.ReadString(section, BankKey("BankNo", a), ""));
          account.SetBankOwnerName(ini.ReadString(section, BankKey("OwnerName", a), ""));
        }
        continue;
      }
      std::visit(
          [&](const auto& f) {
            using T = std::remove_cvref_t<decltype((info.*f.get)())>;
            if constexpr (std::is_same_v<T, std::string>)
              (info.*f.set)(ini.ReadString(section, k.name, k.def));
            else if constexpr (std::is_same_v<T, bool>)
              (info.*f.set)(ReadIniBool(ini, section, k.name, std::string_view(k.def) != "0"));
            else
              (info.*f.set)(ReadIniDouble(ini, section, k.name, std::stod(k.def)));
          },
          k.field);
    }
    LoadBitmapFile(LogoFileName(i), info.FLogoImage);
    LoadBitmapFile(StampFileName(i), info.FCampanyStampImage);
  }
}

void TMxCampanyInfoManager::SaveConfig(const std::string& fileName) const {
  IniFile ini = IniFile::Load(fileName);
  for (int i = 0; i < kCampanyInfoMaxRegistCount; ++i) {
    const std::string section = SectionName(i);
    const TMxCampanyInfo& info = FMxCampanyInfoArray[static_cast<std::size_t>(i)];
    for (const Key& k : Keys()) {
      if (k.bankAccounts) {
        for (int a = 0; a < TMxCampanyInfo::kPayBankAccountMaxRegistCount; ++a) {
          const TMxPayBankAccount& account = info.FPayBankAccount[static_cast<std::size_t>(a)];
          ini.WriteString(section, BankKey("BankName", a), account.BankName());
          ini.WriteString(section, BankKey("BankNo", a), account.BankNo());
          ini.WriteString(section, BankKey("OwnerName", a), account.BankOwnerName());
        }
        continue;
      }
      std::visit(
          [&](const auto& f) {
            const auto& value = (info.*f.get)();
            using T = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>) {
              if (!k.whenSet || !value.empty() || ini.HasKey(section, k.name)) ini.WriteString(section, k.name, value);
            }
            else if constexpr (std::is_same_v<T, bool>)
              ini.WriteString(section, k.name, IniBoolText(value));
            else
              ini.WriteString(section, k.name, IniDoubleText(value));
          },
          k.field);
    }
  }
  ini.Save(fileName);
  for (int i = 0; i < kCampanyInfoMaxRegistCount; ++i) {
    const TMxCampanyInfo& info = FMxCampanyInfoArray[static_cast<std::size_t>(i)];
    SaveBitmapFile(LogoFileName(i), info.FLogoImage);
    SaveBitmapFile(StampFileName(i), info.FCampanyStampImage);
  }
}

std::string NormaliseRegistNo(const std::string& typed) {
  const QString text = QString::fromStdString(typed).trimmed();
  if (text.isEmpty()) return {};
  QString plain = HalfWidthAscii(text);
  if (plain.startsWith(u'T') || plain.startsWith(u't')) plain.remove(0, 1);
  bool digits = plain.size() == 13;
  for (const QChar ch : plain) digits = digits && ch >= u'0' && ch <= u'9';
  if (!digits)
    throw Error("登録番号「" + typed + "」は「T」と13桁の数字で入力してください（例: T1234567890123）。");
  return "T" + plain.toStdString();
}

const TMxCampanyInfo& ProfileAt(const TMxCampanyInfoManager& companies, int index) {
  return companies.CampanyInfoArray(std::clamp(index, 0, TMxCampanyInfoManager::kCampanyInfoMaxRegistCount - 1));
}

const TMxPayBankAccount& AccountAt(const TMxCampanyInfo& company, int index) {
  return company.PayBankAccount(std::clamp(index, 0, TMxCampanyInfo::kPayBankAccountMaxRegistCount - 1));
}

}  // namespace qm
