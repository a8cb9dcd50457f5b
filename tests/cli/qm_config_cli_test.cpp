#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <gtest/gtest.h>

#include "cli/cli_test_support.h"

namespace {

class QmConfig : public qmtest::CliTest {};

QByteArray SmallBmp(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::red);
  QByteArray bytes;
  QBuffer buf(&bytes);
  buf.open(QIODevice::WriteOnly);
  img.save(&buf, "BMP");
  return bytes;
}

}  // namespace

TEST_F(QmConfig, ShowsDefaultsWithoutAConfFile) {
  const qmtest::CliResult r = Run({"config"});
  ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  const QJsonObject setting = r.json()["Setting"].toObject();
  EXPECT_EQ(setting["TaxRate"].toString(), "10");
  EXPECT_EQ(setting["CurrencyMark"].toString(), "￥");
  EXPECT_EQ(setting["ConfirmExit"].toBool(), true);
  EXPECT_EQ(setting["SenderFontSize"].toInt(), 12);
  EXPECT_EQ(setting["LineColorOdd"].toString(), "clSkyBlue");
  EXPECT_EQ(setting["LineColorEven"].toString(), "clWhite");
  EXPECT_EQ(setting["NatsuinName6"].toString(), "捺印６");
  EXPECT_EQ(setting["PdfEmbedFonts"].toBool(), true);
  EXPECT_EQ(setting["IssueArchive"].toBool(), true);
  EXPECT_EQ(setting.size(), 52);  // 51 keys and the seal images
  const QJsonArray stamps = setting["ImgStamp"].toArray();
  ASSERT_EQ(stamps.size(), 6);
  for (const auto& s : stamps) EXPECT_TRUE(s.isNull());

  const QJsonArray company = r.json()["Company"].toArray();
  ASSERT_EQ(company.size(), 3);
  const QJsonObject p = company[1].toObject();
  EXPECT_EQ(p["CampanyStampTransColor"].toString(), "clWhite");
  EXPECT_DOUBLE_EQ(p["CampanyStampPosDetail_X_B5"].toDouble(), 121.8);
  EXPECT_DOUBLE_EQ(p["CampanyStampPosTotalClaim_Y_B5"].toDouble(), 27.84);
  EXPECT_EQ(p["PayBankAccount"].toArray().size(), 2);
  EXPECT_TRUE(p["LogoImage"].isNull());
  EXPECT_FALSE(QFile::exists(Path("conf.ini")));  // looking writes nothing
}

TEST_F(QmConfig, ShowsWhatTheFilesHold) {
  QDir(dir_.path()).mkdir("img");
  Write("img/pstamp2.bmp", SmallBmp(7, 3));
  Write("img/stamp0.bmp", SmallBmp(4, 5));
  Write("conf.ini",
        "[SETTING]\r\nTAX=8\r\nLINE_COLOR_ODD=0x0000FF\r\nEXITALERT=0\r\nEST_TITLE=\x8c\xa9\x90\xcf\r\n"
        "[CAMPANY_INFO0]\r\nCampanyName1=\x8e\x52\x93\x63\r\nBankName2=X\r\nUseLogoImage=1\r\n"
        "CampanyStampWidth_A4=30.5\r\nCampanyStampTrans=$00123456\r\n");
  const qmtest::CliResult r = Run({"config"});
  ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  const QJsonObject setting = r.json()["Setting"].toObject();
  EXPECT_EQ(setting["TaxRate"].toString(), "8");
  EXPECT_EQ(setting["LineColorOdd"].toString(), "clRed");
  EXPECT_FALSE(setting["ConfirmExit"].toBool());
  EXPECT_EQ(setting["PrintMsgEstimateTitle"].toString(), "見積");
  const QJsonObject stamp = setting["ImgStamp"].toArray()[2].toObject();
  EXPECT_EQ(stamp["width"].toInt(), 7);
  EXPECT_EQ(stamp["height"].toInt(), 3);

  const QJsonObject p = r.json()["Company"].toArray()[0].toObject();
  EXPECT_EQ(p["CampanyName1"].toString(), "山田");
  EXPECT_TRUE(p["ChkUseLogoImage"].toBool());
  EXPECT_DOUBLE_EQ(p["CampanyStampSizeWidth_A4"].toDouble(), 30.5);
  EXPECT_EQ(p["CampanyStampTransColor"].toString(), "$00123456");
  EXPECT_EQ(p["PayBankAccount"].toArray()[1].toObject()["BankName"].toString(), "X");
  EXPECT_EQ(p["CampanyStampImage"].toObject()["height"].toInt(), 5);
}

TEST_F(QmConfig, UnreadableImageIsAnErrorNamingTheFile) {
  QDir(dir_.path()).mkdir("img");
  Write("img/logo1.bmp", "garbage");
  const qmtest::CliResult r = Run({"config"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_TRUE(r.out.isEmpty());
  EXPECT_TRUE(r.err.startsWith("qm: ")) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("logo1.bmp")) << r.err.toStdString();
  EXPECT_EQ(r.err.count('\n'), 1);
}
