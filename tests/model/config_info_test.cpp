#include "model/config_info.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/ini_file.h"
#include "support/images.h"

using qm::Currency;
using qm::TMxConfigInfo;

namespace {

struct Folder {
  QTemporaryDir dir;
  std::string conf() const { return dir.filePath("conf.ini").toStdString(); }
  std::string img() const { return dir.filePath("img").toStdString(); }
  Folder() { QDir(dir.path()).mkdir("img"); }
  void Write(const std::string& bytes) const { qm::WriteFileAtomically(conf(), bytes); }
};

TMxConfigInfo Loaded(const Folder& f) {
  TMxConfigInfo config(f.img());
  config.LoadConfig(f.conf());
  return config;
}

}  // namespace

TEST(ConfigInfo, MissingFileGivesEveryDefault) {
  Folder f;
  const TMxConfigInfo c = Loaded(f);
  EXPECT_EQ(c.TaxRate(), Currency::FromYen(10));  // the standard rate since October 2019
  EXPECT_EQ(c.CurrencyMark(), "￥");
  EXPECT_TRUE(c.PrintCheckCusCode());
  EXPECT_TRUE(c.TaxLessNotPrintSubTotal());
  EXPECT_TRUE(c.ConfirmExit());
  EXPECT_TRUE(c.ConfirmOpenOrMake());
  EXPECT_EQ(c.SenderFontSize(), 12);
  EXPECT_FALSE(c.PrintDecimalPoint());
  EXPECT_FALSE(c.PrintBunrui());
  EXPECT_EQ(c.PrintMsgEstimateTitle(), "御 見 積 書");
  EXPECT_EQ(c.PrintMsgTotalClaimMessage(), "毎度ありがとうございます。下記の通り御請求致します。");
  EXPECT_EQ(c.PrintMsgFaxSenderTitle(), "FAX送信のご案内");
  EXPECT_EQ(c.PrintMsgKoujiUtiwakeTitle(), "内 訳 書");
  EXPECT_EQ(c.PrintHeadNum(), "数量");
  EXPECT_EQ(c.PrintHeadClassNo(), "分類");
  EXPECT_EQ(c.NatsuinName1(), "捺印１");
  EXPECT_EQ(c.NatsuinName6(), "捺印６");
  EXPECT_EQ(c.LineColorOdd(), 15780518u);
  EXPECT_EQ(c.LineColorEven(), 16777215u);
  EXPECT_EQ(c.ImgPath(), f.img() + "/");
  for (int i = 0; i < c.ImgMaxRegistCount(); ++i) EXPECT_TRUE(c.ImgStamp(i).Empty());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(f.conf())));  // loading writes nothing
}

TEST(ConfigInfo, ValueFormsAndTheirFallbacks) {
  struct Case {
    const char* line;
    std::function<bool(const TMxConfigInfo&)> check;
  } cases[] = {
      {"TAX=8", [](const TMxConfigInfo& c) { return c.TaxRate() == Currency::FromYen(8); }},
      {"TAX=5", [](const TMxConfigInfo& c) { return c.TaxRate() == Currency::FromYen(5); }},
      {"TAX=0", [](const TMxConfigInfo& c) { return c.TaxRate() == Currency(); }},
      {"TAX=abc", [](const TMxConfigInfo& c) { return c.TaxRate() == Currency::FromYen(10); }},
      {"OTHER=5", [](const TMxConfigInfo& c) { return c.TaxRate() == Currency::FromYen(10); }},
      {"TAX=5.5", [](const TMxConfigInfo& c) { return c.TaxRate() == Currency::FromRaw(55000); }},
      {"TAX=8.123456", [](const TMxConfigInfo& c) { return c.TaxRate() == Currency::FromRaw(81235); }},
      {"TAX=", [](const TMxConfigInfo& c) { return c.TaxRate() == Currency::FromYen(10); }},
      {"EXITALERT=0", [](const TMxConfigInfo& c) { return !c.ConfirmExit(); }},
      {"EXITALERT=2", [](const TMxConfigInfo& c) { return c.ConfirmExit(); }},
      {"EXITALERT=no", [](const TMxConfigInfo& c) { return c.ConfirmExit(); }},
      {"FONTSIZE=0x10", [](const TMxConfigInfo& c) { return c.SenderFontSize() == 16; }},
      {"FONTSIZE=big", [](const TMxConfigInfo& c) { return c.SenderFontSize() == 12; }},
      {"LINE_COLOR_ODD=0x0000FF", [](const TMxConfigInfo& c) { return c.LineColorOdd() == 0x0000FFu; }},
      {"LINE_COLOR_ODD=", [](const TMxConfigInfo& c) { return c.LineColorOdd() == 15780518u; }},
      {"EST_TITLE=", [](const TMxConfigInfo& c) { return c.PrintMsgEstimateTitle().empty(); }},
      {"est_title =  見積 ", [](const TMxConfigInfo& c) { return c.PrintMsgEstimateTitle() == "見積"; }},
      {"MONETARY=＄", [](const TMxConfigInfo& c) { return c.CurrencyMark() == "＄"; }},
  };
  for (const auto& c : cases) {
    Folder f;
    qm::IniFile ini;
    const std::string line = c.line;
    const auto eq = line.find('=');
    ini.WriteString("SETTING", line.substr(0, eq), line.substr(eq + 1));
    ini.Save(f.conf());
    EXPECT_TRUE(c.check(Loaded(f))) << c.line;
  }
}

TEST(ConfigInfo, SaveWritesEveryKeyButFaxTitleAndKeepsTheRestOfTheFile) {
  Folder f;
  f.Write("[CAMPANY_INFO0]\r\nZipNo=100\r\n[SETTING]\r\nFAX_TITLE=\x82\xa8\x82\xb5\x82\xe7\x82\xb9\r\nHAND=1\r\n");
  TMxConfigInfo c = Loaded(f);
  EXPECT_EQ(c.PrintMsgFaxSenderTitle(), "おしらせ");
  c.SetTaxRate(Currency::FromRaw(55000));
  c.SetPrintMsgFaxSenderTitle("changed in memory");
  c.SetLineColorOdd(0x0000FF);
  c.SetConfirmExit(false);
  c.SaveConfig(f.conf());

  const qm::IniFile ini = qm::IniFile::Load(f.conf());
  EXPECT_EQ(ini.ReadString("SETTING", "TAX", ""), "5.5");
  EXPECT_EQ(ini.ReadString("SETTING", "FAX_TITLE", ""), "おしらせ");
  EXPECT_EQ(ini.ReadString("SETTING", "HAND", ""), "1");
  EXPECT_EQ(ini.ReadString("SETTING", "LINE_COLOR_ODD", ""), "255");
  EXPECT_EQ(ini.ReadString("SETTING", "EXITALERT", ""), "0");
  EXPECT_EQ(ini.ReadString("SETTING", "NATSUIN_3", ""), "捺印３");
  EXPECT_EQ(ini.ReadString("CAMPANY_INFO0", "ZipNo", ""), "100");
  const std::vector<std::string> keys = ini.Keys("SETTING");
  EXPECT_EQ(keys.size(), 52u);  // FAX_TITLE, HAND and the 50 written keys
  EXPECT_EQ(keys[2], "TAX");    // new keys follow the file's own, in table order
  EXPECT_EQ(keys.back(), "ISSUE_ARCHIVE");

  const TMxConfigInfo again = Loaded(f);
  EXPECT_EQ(again.TaxRate(), Currency::FromRaw(55000));
  EXPECT_EQ(again.LineColorOdd(), 0x0000FFu);
  EXPECT_FALSE(again.ConfirmExit());
}

TEST(ConfigInfo, SealImagesAreWrittenWhenSetAndDeletedWhenCleared) {
  Folder f;
  TMxConfigInfo c = Loaded(f);
  const std::string bmp = qmtest::EncodedImage("bmp", 6, 4);
  c.ImgStamp(3).Assign(qm::PictureKind::Bmp, bmp);
  c.ImgStamp(5).Assign(qm::PictureKind::Bmp, bmp);
  c.SaveConfig(f.conf());
  EXPECT_EQ(qm::ReadWholeFile(c.StampFileName(3)), bmp);
  EXPECT_EQ(c.StampFileName(3), f.img() + "/pstamp3.bmp");

  TMxConfigInfo loaded = Loaded(f);
  EXPECT_EQ(loaded.ImgStamp(3).Width(), 6);
  EXPECT_TRUE(loaded.ImgStamp(0).Empty());
  loaded.ImgStamp(3).Clear();
  loaded.SaveConfig(f.conf());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(c.StampFileName(3))));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(c.StampFileName(5))));
  EXPECT_TRUE(Loaded(f).ImgStamp(3).Empty());
  EXPECT_THROW(loaded.ImgStamp(6), qm::Error);
}

TEST(ConfigInfo, UnreadableSealImageIsAnError) {
  Folder f;
  qm::WriteFileAtomically(f.img() + "/pstamp1.bmp", "not a bitmap");
  TMxConfigInfo c(f.img());
  try {
    c.LoadConfig(f.conf());
    FAIL() << "a broken seal image loaded";
  } catch (const qm::Error& e) {
    EXPECT_NE(std::string(e.what()).find("pstamp1.bmp"), std::string::npos);
  }
}
