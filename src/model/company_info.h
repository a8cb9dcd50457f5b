#pragma once
// The issuer block printed on every document: three company profiles with address,
// names, person in charge, two bank accounts, a company block image and a company seal
// with its printed size and positions. Kept in [CAMPANY_INFO0] … [CAMPANY_INFO2] of
// conf.ini; images logo<i>.bmp and stamp<i>.bmp in the image folder.
#include <array>
#include <string>
#include <variant>
#include <vector>

#include "base/property.h"
#include "model/picture.h"

namespace qm {

class TMxPayBankAccount {
  QM_PROPERTY(std::string, BankName);
  QM_PROPERTY(std::string, BankNo);
  QM_PROPERTY(std::string, BankOwnerName);
};

class TMxCampanyInfo {
 public:
  static constexpr int kPayBankAccountMaxRegistCount = 2;
  int PayBankAccountMaxRegistCount() const { return kPayBankAccountMaxRegistCount; }
  TMxPayBankAccount& PayBankAccount(int index);
  const TMxPayBankAccount& PayBankAccount(int index) const;
  // Every stored field but the bank accounts, in file order, with key, property name
  // and current value.
  struct Entry {
    const char* key;
    const char* property;
    std::variant<std::string, bool, double> value;
  };
  std::vector<Entry> Entries() const;

  TMxPicture& LogoImage() { return FLogoImage; }
  const TMxPicture& LogoImage() const { return FLogoImage; }
  TMxPicture& CampanyStampImage() { return FCampanyStampImage; }
  const TMxPicture& CampanyStampImage() const { return FCampanyStampImage; }

  QM_PROPERTY(std::string, ZipNo);
  QM_PROPERTY(std::string, Address1);
  QM_PROPERTY(std::string, Address2);
  QM_PROPERTY(std::string, CampanyName1);
  QM_PROPERTY(std::string, CampanyName2);
  QM_PROPERTY(std::string, CampanyName3);
  QM_PROPERTY(std::string, ChargeName);
  QM_PROPERTY(std::string, TelFax);
  QM_PROPERTY(bool, ChkUseLogoImage);
  QM_PROPERTY(bool, ChkUseCampanyStamp);
  QM_PROPERTY(double, CampanyStampSizeWidth_A4);
  QM_PROPERTY(double, CampanyStampSizeHeight_A4);
  QM_PROPERTY(double, CampanyStampPosDetail_X_A4);
  QM_PROPERTY(double, CampanyStampPosDetail_Y_A4);
  QM_PROPERTY(double, CampanyStampPosTotalClaim_X_A4);
  QM_PROPERTY(double, CampanyStampPosTotalClaim_Y_A4);
  QM_PROPERTY(double, CampanyStampPosReceipt_X_A4);
  QM_PROPERTY(double, CampanyStampPosReceipt_Y_A4);
  QM_PROPERTY(double, CampanyStampPosFaxSender_X_A4);
  QM_PROPERTY(double, CampanyStampPosFaxSender_Y_A4);
  QM_PROPERTY(double, CampanyStampSizeWidth_B5);
  QM_PROPERTY(double, CampanyStampSizeHeight_B5);
  QM_PROPERTY(double, CampanyStampPosDetail_X_B5);
  QM_PROPERTY(double, CampanyStampPosDetail_Y_B5);
  QM_PROPERTY(double, CampanyStampPosTotalClaim_X_B5);
  QM_PROPERTY(double, CampanyStampPosTotalClaim_Y_B5);
  QM_PROPERTY(double, CampanyStampPosReceipt_X_B5);
  QM_PROPERTY(double, CampanyStampPosReceipt_Y_B5);
  QM_PROPERTY(double, CampanyStampPosFaxSender_X_B5);
  QM_PROPERTY(double, CampanyStampPosFaxSender_Y_B5);
  QM_PROPERTY(bool, ChkUseCampanyStampTrans);
  QM_PROPERTY(std::string, CampanyStampTransColor);
  // The invoice registration number, "T" and 13 digits, or empty when the company has
  // none. Kept only when set, so a conf.ini of a company without one stays as it was.
  QM_PROPERTY(std::string, RegistNo);
  // The electronic address of the e-invoice, "0188:1234567890123" (scheme and id), or
  // empty; kept only when set, as the registration number.
  QM_PROPERTY(std::string, PeppolId);

 private:
  friend class TMxCampanyInfoManager;
  std::array<TMxPayBankAccount, kPayBankAccountMaxRegistCount> FPayBankAccount;
  TMxPicture FLogoImage;
  TMxPicture FCampanyStampImage;
};

class TMxCampanyInfoManager {
 public:
  static constexpr int kCampanyInfoMaxRegistCount = 3;

  // `imgDir` gets a trailing separator; the profiles start empty.
  explicit TMxCampanyInfoManager(const std::string& imgDir);

  int CampanyInfoMaxRegistCount() const { return kCampanyInfoMaxRegistCount; }
  TMxCampanyInfo& CampanyInfoArray(int index);
  const TMxCampanyInfo& CampanyInfoArray(int index) const;
  TMxCampanyInfo& GetCampanyInfo(int index) { return CampanyInfoArray(index); }
  const std::string& ImgPath() const { return FImgPath; }
  std::string LogoFileName(int index) const;   // logo<index>.bmp in the image folder
  std::string StampFileName(int index) const;  // stamp<index>.bmp

  // Every key of the three sections with its default, then the images.
  void LoadConfig(const std::string& fileName);
  // Every key in table order, the rest of the file untouched; images written or deleted.
  void SaveConfig(const std::string& fileName) const;

 private:
  std::array<TMxCampanyInfo, kCampanyInfoMaxRegistCount> FMxCampanyInfoArray;
  std::string FImgPath;
};

// A registration number as typed, in the stored form "T" + 13 digits: blanks around
// it dropped, full-width digits and letters made half-width, a missing "T" (or a "t")
// supplied; empty stays empty. Throws qm::Error with the message for the user for
// anything else.
std::string NormaliseRegistNo(const std::string& typed);

// The profile and the bank account a print dialog's list entry names; an index out of
// range takes the nearest entry.
const TMxCampanyInfo& ProfileAt(const TMxCampanyInfoManager& companies, int index);
const TMxPayBankAccount& AccountAt(const TMxCampanyInfo& company, int index);

}  // namespace qm
