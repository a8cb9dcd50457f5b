// qm zip, qm zip-update and qm zip-import against a temporary data folder and a real
// HTTP server on 127.0.0.1.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include "base/cp932.h"
#include "cli_test_support.h"
#include "support/http_server.h"

namespace qmtest {
namespace {

QByteArray Sjis(const std::string& utf8) { return QByteArray::fromStdString(qm::cp932::EncodeOrThrow(utf8)); }

class QmZipTest : public CliTest {
 protected:
  void SetUp() override { QDir(dir_.path()).mkpath("zip"); }
  void Table(const QByteArray& bytes) { Write("zip/zip.dat", bytes); }
  QJsonArray Hits(const QStringList& args) {
    const CliResult r = Run(args);
    EXPECT_EQ(r.exit, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out).array();
  }
};

}  // namespace

TEST_F(QmZipTest, LookupsPrintTheHitsInFileOrder) {
  Table(Sjis("1000001,東京都千代田区千代田\r\n1000002,東京都千代田区皇居外苑\n5300001,大阪府大阪市北区梅田\r"));
  const QJsonArray one = Hits({"zip", "100-0001"});
  ASSERT_EQ(one.size(), 1);
  EXPECT_EQ(one[0].toObject().value("ZipCode"), QJsonValue("100-0001"));
  EXPECT_EQ(one[0].toObject().value("Address"), QJsonValue("東京都千代田区千代田"));
  EXPECT_EQ(Hits({"zip", "100-00-01"}), one);
  EXPECT_EQ(Hits({"zip", "100"}).size(), 2);
  EXPECT_EQ(Hits({"zip", "999"}).size(), 0);  // nothing: an empty array, no error
  EXPECT_EQ(Run({"zip", "999"}).out.trimmed(), "[]");
  const QJsonArray byAddress = Hits({"zip", "--address", "大阪"});
  ASSERT_EQ(byAddress.size(), 1);
  EXPECT_EQ(byAddress[0].toObject().value("ZipCode"), QJsonValue("530-0001"));
  EXPECT_EQ(Hits({"zip", "--address", "千代田区"}).size(), 2);

  // A code shorter than three bytes is refused without reading the table.
  QFile::remove(Path("zip/zip.dat"));
  const CliResult shortCode = Run({"zip", "10"});
  EXPECT_EQ(shortCode.exit, 1);
  EXPECT_TRUE(QString::fromUtf8(shortCode.err).contains("郵便番号が不明です。"));
  const CliResult noTable = Run({"zip", "100"});
  EXPECT_EQ(noTable.exit, 1);
  EXPECT_TRUE(noTable.err.contains("zip.dat")) << noTable.err.toStdString();
  for (const QStringList& bad : {QStringList{"zip"}, QStringList{"zip", "100", "200"}, QStringList{"zip", "100", "--address", "x"}}) {
    const CliResult r = Run(bad);
    EXPECT_EQ(r.exit, 1) << bad.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains("qm zip")) << r.err.toStdString();
  }
}

TEST_F(QmZipTest, UpdateChecksInstallsAndReports) {
  TestHttpServer server;
  server.Serve("/liveupdate/zipcode/version.txt", "20261201\r\n" + qm::cp932::EncodeOrThrow("令和8年12月版") + "\r\n");
  server.Serve("/liveupdate/zipcode/zip.dat", "1000001," + qm::cp932::EncodeOrThrow("東京都千代田区千代田") + "\n");
  Write("zip/version.txt", "20250101\r\nold\r\n");
  Table("1000001,old\r\n");
  const CliResult updated = Run({"zip-update", "--server", QString::fromStdString(server.BaseUrl())});
  ASSERT_EQ(updated.exit, 0) << updated.err.toStdString();
  EXPECT_EQ(updated.json().value("Installed"), QJsonValue("20261201"));
  EXPECT_EQ(updated.json().value("Server"), QJsonValue("20261201"));
  EXPECT_EQ(updated.json().value("Updated"), QJsonValue(true));
  EXPECT_EQ(Read("zip/version.txt"), "20261201\r\n" + Sjis("令和8年12月版") + "\r\n");
  EXPECT_EQ(Hits({"zip", "1000001"})[0].toObject().value("Address"), QJsonValue("東京都千代田区千代田"));

  // The server of conf.ini; nothing newer there now.
  Write("conf.ini", QByteArray("[SETTING]\r\nZIP_SERVER=") + server.BaseUrl().c_str() + "\r\n");
  const CliResult same = Run({"zip-update"});
  ASSERT_EQ(same.exit, 0) << same.err.toStdString();
  EXPECT_EQ(same.json().value("Updated"), QJsonValue(false));

  // Through a proxy given on the command line.
  TestHttpServer proxy;
  proxy.Serve("/liveupdate/zipcode/version.txt", "20270101\nnext");
  proxy.Serve("/liveupdate/zipcode/zip.dat", "1000001,next\n");
  const CliResult viaProxy = Run({"zip-update", "--proxy", QString("127.0.0.1:%1").arg(proxy.Port())});
  ASSERT_EQ(viaProxy.exit, 0) << viaProxy.err.toStdString();
  EXPECT_EQ(viaProxy.json().value("Installed"), QJsonValue("20270101"));
  EXPECT_EQ(proxy.Requests().size(), 3u);  // the check, then both files
  EXPECT_EQ(Read("zip/zip.dat"), "1000001,next\r\n");
}

TEST_F(QmZipTest, UpdateFailuresAreErrorsAndChangeNothing) {
  TestHttpServer server;
  Write("zip/version.txt", "20250101\r\nold\r\n");
  Table("1000001,old\r\n");
  const QString url = QString::fromStdString(server.BaseUrl());
  const CliResult unreachable = Run({"zip-update", "--server", url});
  EXPECT_EQ(unreachable.exit, 1);
  EXPECT_TRUE(QString::fromUtf8(unreachable.err).contains("更新データを確認できませんでした。"));
  server.Serve("/liveupdate/zipcode/version.txt", "20261201\nnew");
  server.Serve("/liveupdate/zipcode/zip.dat", "<html>error</html>");
  const CliResult broken = Run({"zip-update", "--server", url});
  EXPECT_EQ(broken.exit, 1);
  EXPECT_TRUE(QString::fromUtf8(broken.err).contains("更新データの取得に失敗しました。")) << broken.err.toStdString();
  EXPECT_EQ(Read("zip/version.txt"), "20250101\r\nold\r\n");
  EXPECT_EQ(Read("zip/zip.dat"), "1000001,old\r\n");
  const CliResult badProxy = Run({"zip-update", "--server", url, "--proxy", "host:port"});
  EXPECT_EQ(badProxy.exit, 1);
  EXPECT_TRUE(QString::fromUtf8(badProxy.err).contains("HOST:PORT"));
}

TEST_F(QmZipTest, ImportOfTheNationalFile) {
  const QByteArray csv = Sjis(
      "13101,\"100  \",\"1000000\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ\",\"東京都\",\"千代田区\","
      "\"以下に掲載がない場合\",0,0,0,0,0,0\r\n"
      "13101,\"100  \",\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\",\"千代田\",0,0,0,0,0,0\r\n");
  Write("KEN_ALL.CSV", csv);
  const CliResult r = Run({"zip-import", Path("KEN_ALL.CSV")});
  ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  EXPECT_EQ(r.json().value("Lines"), QJsonValue(2));
  EXPECT_EQ(Read("zip/zip.dat"), Sjis("1000000,東京都千代田区\r\n1000001,東京都千代田区千代田\r\n"));
  EXPECT_EQ(Hits({"zip", "1000001"})[0].toObject().value("Address"), QJsonValue("東京都千代田区千代田"));

  Write("bad.csv", "a,b,c\r\n");
  const CliResult bad = Run({"zip-import", Path("bad.csv")});
  EXPECT_EQ(bad.exit, 1);
  EXPECT_TRUE(QString::fromUtf8(bad.err).contains("行 1"));
  EXPECT_EQ(Read("zip/zip.dat"), Sjis("1000000,東京都千代田区\r\n1000001,東京都千代田区千代田\r\n"));
}

}  // namespace qmtest
