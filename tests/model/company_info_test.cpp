#include "model/company_info.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "base/colour_text.h"
#include "base/ini_file.h"
#include "support/images.h"

using qm::TMxCampanyInfo;
using qm::TMxCampanyInfoManager;

namespace {
struct Folder {
  QTemporaryDir dir;
  Folder() { QDir(dir.path()).mkdir("img"); }
  std::string conf() const { return dir.filePath("conf.ini").toStdString(); }
  std::string img() const { return dir.filePath("img").toStdString(); }
};
}  // namespace

TEST(CompanyInfo, FreshInstallationHasThreeEmptyProfilesWithSealDefaults) {
  Folder f;
  TMxCampanyInfoManager m(f.img());
  m.LoadConfig(f.conf());
  ASSERT_EQ(m.CampanyInfoMaxRegistCount(), 3);
  for (int i = 0; i < 3; ++i) {
    const TMxCampanyInfo& p = m.CampanyInfoArray(i);
    EXPECT_EQ(p.CampanyName1(), "");
    EXPECT_EQ(p.PayBankAccount(1).BankName(), "");
    EXPECT_FALSE(p.ChkUseLogoImage());
    EXPECT_FALSE(p.ChkUseCampanyStamp());
    EXPECT_DOUBLE_EQ(p.CampanyStampSizeWidth_A4(), 25);
    EXPECT_DOUBLE_EQ(p.CampanyStampPosDetail_X_A4(), 140);
    EXPECT_DOUBLE_EQ(p.CampanyStampPosDetail_Y_A4(), 46);
    EXPECT_DOUBLE_EQ(p.CampanyStampPosTotalClaim_Y_A4(), 32);
    EXPECT_DOUBLE_EQ(p.CampanyStampPosReceipt_X_A4(), 95);
    EXPECT_DOUBLE_EQ(p.CampanyStampPosFaxSender_Y_A4(), 90);
    EXPECT_DOUBLE_EQ(p.CampanyStampSizeHeight_B5(), 21.75);
    EXPECT_DOUBLE_EQ(p.CampanyStampPosDetail_X_B5(), 121.8);
    EXPECT_DOUBLE_EQ(p.CampanyStampPosDetail_Y_B5(), 40);
    EXPECT_DOUBLE_EQ(p.CampanyStampPosTotalClaim_Y_B5(), 27.84);
    EXPECT_DOUBLE_EQ(p.CampanyStampPosReceipt_X_B5(), 82.65);
    EXPECT_DOUBLE_EQ(p.CampanyStampPosReceipt_Y_B5(), 56.55);
    EXPECT_DOUBLE_EQ(p.CampanyStampPosFaxSender_X_B5(), 108.75);
    EXPECT_DOUBLE_EQ(p.CampanyStampPosFaxSender_Y_B5(), 78.3);
    EXPECT_FALSE(p.ChkUseCampanyStampTrans());
    EXPECT_EQ(p.CampanyStampTransColor(), "clWhite");
    EXPECT_TRUE(p.LogoImage().Empty());
    EXPECT_TRUE(p.CampanyStampImage().Empty());
  }
}

TEST(CompanyInfo, SavesEveryKeyUnderItsOwnNameAndReadsItBack) {
  Folder f;
  qm::WriteFileAtomically(f.conf(), "[SETTING]\r\nTAX=8\r\n[CAMPANY_INFO1]\r\nUnknown=kept\r\n");
  TMxCampanyInfoManager m(f.img());
  m.LoadConfig(f.conf());
  TMxCampanyInfo& p = m.CampanyInfoArray(1);
  p.SetCampanyName1("株式会社 山田工務店");
  p.SetTelFax("TEL 03-1111 / FAX 03-2222");
  p.PayBankAccount(0).SetBankName("みずほ銀行 本店");
  p.PayBankAccount(1).SetBankNo("普通 1234567");
  p.PayBankAccount(1).SetBankOwnerName("ヤマダ");
  p.SetChkUseCampanyStamp(true);
  p.SetCampanyStampPosDetail_Y_B5(41.5);
  p.SetCampanyStampTransColor(qm::ColorToText(0xFFFFFF));
  m.GetCampanyInfo(2).SetCampanyStampTransColor(qm::ColorToText(0x123456));
  m.SaveConfig(f.conf());

  const qm::IniFile ini = qm::IniFile::Load(f.conf());
  EXPECT_EQ(ini.ReadString("SETTING", "TAX", ""), "8");
  EXPECT_EQ(ini.ReadString("CAMPANY_INFO1", "Unknown", ""), "kept");
  EXPECT_EQ(ini.ReadString("CAMPANY_INFO1", "CampanyName1", ""), "株式会社 山田工務店");
  EXPECT_EQ(ini.ReadString("CAMPANY_INFO1", "BankName1", ""), "みずほ銀行 本店");
  EXPECT_EQ(ini.ReadString("CAMPANY_INFO1", "BankNo2", ""), "普通 1234567");
  EXPECT_EQ(ini.ReadString("CAMPANY_INFO1", "OwnerName2", ""), "ヤマダ");
  EXPECT_EQ(ini.ReadString("CAMPANY_INFO1", "UseCampanyStamp", ""), "1");
  EXPECT_EQ(ini.ReadString("CAMPANY_INFO1", "CampanyStampDetailPosY_B5", ""), "41.5");
  EXPECT_EQ(ini.ReadString("CAMPANY_INFO0", "CampanyStampTotalClaimPosY_B5", ""), "27.84");
  EXPECT_EQ(ini.ReadString("CAMPANY_INFO1", "CampanyStampTrans", ""), "clWhite");
  EXPECT_EQ(ini.ReadString("CAMPANY_INFO2", "CampanyStampTrans", ""), "$00123456");
  const std::vector<std::string> keys = ini.Keys("CAMPANY_INFO0");
  ASSERT_EQ(keys.size(), 38u);
  EXPECT_EQ(keys[8], "BankName1");
  EXPECT_EQ(keys[13], "OwnerName2");
  EXPECT_EQ(keys[14], "UseLogoImage");
  EXPECT_EQ(keys.back(), "CampanyStampTrans");

  TMxCampanyInfoManager back(f.img());
  back.LoadConfig(f.conf());
  EXPECT_EQ(back.CampanyInfoArray(1).PayBankAccount(1).BankOwnerName(), "ヤマダ");
  EXPECT_DOUBLE_EQ(back.CampanyInfoArray(1).CampanyStampPosDetail_Y_B5(), 41.5);
}

TEST(CompanyInfo, BrokenNumbersFallBackToDefaultsAndCancelRestoresTheFile) {
  Folder f;
  qm::WriteFileAtomically(f.conf(),
                          "[CAMPANY_INFO2]\r\nCampanyStampWidth_A4=wide\r\nUseLogoImage=\r\nChargeName=\r\n"
                          "CampanyStampHeight_A4=30.5\r\n");
  TMxCampanyInfoManager m(f.img());
  m.LoadConfig(f.conf());
  TMxCampanyInfo& p = m.CampanyInfoArray(2);
  EXPECT_DOUBLE_EQ(p.CampanyStampSizeWidth_A4(), 25);
  EXPECT_DOUBLE_EQ(p.CampanyStampSizeHeight_A4(), 30.5);
  EXPECT_FALSE(p.ChkUseLogoImage());
  // Edits in place are thrown away by loading again, as a cancelled dialog does.
  p.SetChargeName("edited");
  p.SetCampanyStampSizeHeight_A4(99);
  m.LoadConfig(f.conf());
  EXPECT_EQ(m.CampanyInfoArray(2).ChargeName(), "");
  EXPECT_DOUBLE_EQ(m.CampanyInfoArray(2).CampanyStampSizeHeight_A4(), 30.5);
}

TEST(CompanyInfo, LogoAndStampFilesPerProfile) {
  Folder f;
  TMxCampanyInfoManager m(f.img());
  m.LoadConfig(f.conf());
  const std::string bmp = qmtest::EncodedImage("bmp", 5, 5);
  m.CampanyInfoArray(1).CampanyStampImage().Assign(qm::PictureKind::Bmp, bmp);
  m.CampanyInfoArray(0).LogoImage().Assign(qm::PictureKind::Bmp, bmp);
  m.SaveConfig(f.conf());
  EXPECT_EQ(qm::ReadWholeFile(f.img() + "/stamp1.bmp"), bmp);
  EXPECT_EQ(qm::ReadWholeFile(f.img() + "/logo0.bmp"), bmp);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(f.img() + "/stamp0.bmp")));

  TMxCampanyInfoManager again(f.img());
  again.LoadConfig(f.conf());
  EXPECT_EQ(again.CampanyInfoArray(1).CampanyStampImage().Width(), 5);
  again.CampanyInfoArray(1).CampanyStampImage().Clear();
  again.SaveConfig(f.conf());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(f.img() + "/stamp1.bmp")));
  TMxCampanyInfoManager third(f.img());
  third.LoadConfig(f.conf());
  EXPECT_TRUE(third.CampanyInfoArray(1).CampanyStampImage().Empty());
  EXPECT_FALSE(third.CampanyInfoArray(0).LogoImage().Empty());
}
