#include "model/company_info.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "base/colour_text.h"
#include "base/error.h"
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

TEST(CompanyInfo, RegistrationNumberIsTAndThirteenDigits) {
  const struct {
    const char* typed;
    const char* stored;
  } accepted[] = {
      {"T1234567890123", "T1234567890123"},
      {"１２３４５６７８９０１２３", "T1234567890123"},   // full-width digits, no T
      {"Ｔ１２３４５６７８９０１２３", "T1234567890123"},  // full-width T
      {"1234567890123", "T1234567890123"},
      {"t1234567890123", "T1234567890123"},
      {"  T1234567890123　", "T1234567890123"},
      {"", ""},
      {"　 ", ""},
  };
  for (const auto& a : accepted) EXPECT_EQ(qm::NormaliseRegistNo(a.typed), a.stored) << a.typed;
  for (const char* refused : {"T123456789012", "T12345678901234", "123456789012", "T12345678901X3", "TT1234567890123",
                              "T 1234567890123", "T1234-5678-90123", "X1234567890123", "登録1234567890123"}) {
    try {
      qm::NormaliseRegistNo(refused);
      ADD_FAILURE() << refused << " was accepted";
    } catch (const qm::Error& e) {
      EXPECT_NE(std::string(e.what()).find("「T」と13桁の数字"), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(refused), std::string::npos) << e.what();
    }
  }
}

TEST(CompanyInfo, RegistrationNumberIsAddedToItsOwnSectionAndNothingElseMoves) {
  Folder f;
  // A conf.ini as an earlier version wrote it: every key but the registration number.
  {
    TMxCampanyInfoManager m(f.img());
    m.LoadConfig(f.conf());
    m.CampanyInfoArray(0).SetCampanyName1("一の会社");
    m.CampanyInfoArray(2).SetCampanyName1("三の会社");
    m.SaveConfig(f.conf());
  }
  QFile file(QString::fromStdString(f.conf()));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray before = file.readAll();
  file.close();
  ASSERT_FALSE(before.contains("RegistNo"));

  // Loaded, it has no number; saved unchanged, the file is byte for byte as it was.
  TMxCampanyInfoManager m(f.img());
  m.LoadConfig(f.conf());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(m.CampanyInfoArray(i).RegistNo(), "");
  m.SaveConfig(f.conf());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), before);
  file.close();

  // A number for profile 2 adds one line to its section, after its last key.
  m.CampanyInfoArray(2).SetRegistNo("T9876543210987");
  m.SaveConfig(f.conf());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray after = file.readAll();
  file.close();
  const QByteArray line = "RegistNo=T9876543210987\r\n";
  const qsizetype at = after.indexOf(line);
  ASSERT_GE(at, 0) << after.toStdString();
  EXPECT_EQ(after.left(at) + after.mid(at + line.size()), before);
  EXPECT_GT(at, after.indexOf("[CAMPANY_INFO2]"));

  TMxCampanyInfoManager again(f.img());
  again.LoadConfig(f.conf());
  EXPECT_EQ(again.CampanyInfoArray(2).RegistNo(), "T9876543210987");
  EXPECT_EQ(again.CampanyInfoArray(0).RegistNo(), "");
  EXPECT_EQ(again.CampanyInfoArray(1).RegistNo(), "");

  // Removing the number keeps the key, empty, so the removal survives the next load.
  again.CampanyInfoArray(2).SetRegistNo("");
  again.SaveConfig(f.conf());
  TMxCampanyInfoManager third(f.img());
  third.LoadConfig(f.conf());
  EXPECT_EQ(third.CampanyInfoArray(2).RegistNo(), "");
}
