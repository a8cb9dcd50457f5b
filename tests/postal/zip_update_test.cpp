// The postal update against a real HTTP server on 127.0.0.1 (and a second one acting as
// proxy), with a real temporary postal folder.
#include "postal/zip_update.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/atomic_file.h"
#include "base/cp932.h"
#include "base/error.h"
#include "support/http_server.h"

namespace qm::postal {
namespace {

using qmtest::TestHttpServer;

std::string Sjis(const std::string& utf8) { return cp932::EncodeOrThrow(utf8); }

class ZipUpdateTest : public ::testing::Test {
 protected:
  ZipUpdateTest() {
    zipDir_ = dir_.filePath("zip").toStdString();
    QDir(dir_.path()).mkdir("zip");
    http_.stallSeconds = 1;
    http_.connectTimeoutSeconds = 5;
  }

  std::string ZipFile() const { return zipDir_ + "/zip.dat"; }
  std::string VersionFile() const { return zipDir_ + "/version.txt"; }
  void Install(const std::string& version, const std::string& table) {
    WriteFileAtomically(VersionFile(), version);
    WriteFileAtomically(ZipFile(), table);
  }
  std::string Bytes(const std::string& path) const {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<missing>");
  }
  // The server publishes a version and a table.
  void Publish(const std::string& version, const std::string& table) {
    server_.Serve(kVersionPath, version);
    server_.Serve(kZipPath, table);
  }

  QTemporaryDir dir_;
  std::string zipDir_;
  TestHttpServer server_;
  HttpOptions http_;
};

}  // namespace

TEST(ZipUpdateText, CorrectCRAndLineSplitting) {
  EXPECT_EQ(CorrectCR("20261201\nR8年12月版"), "20261201\r\nR8年12月版");
  // CR LF stays one line break; any other control character becomes one.
  EXPECT_EQ(CorrectCR("a\r\nb\r\n"), "a\r\nb\r\n");
  EXPECT_EQ(CorrectCR("a\tb\rc\n\nd"), "a\r\nb\r\nc\r\n\r\nd");
  EXPECT_EQ(CorrectCR(std::string("a\0b", 3)), "a\r\nb");
  EXPECT_EQ(SplitAnyLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitAnyLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(SplitAnyLines("").empty());
}

TEST(ZipUpdateText, WhatCountsAsAPostalTable) {
  EXPECT_TRUE(LooksLikeZipTable("1000001,東京都\r\n\r\n1000002,a,b\n"));
  EXPECT_FALSE(LooksLikeZipTable(""));
  EXPECT_FALSE(LooksLikeZipTable("<html><body>Proxy error</body></html>"));
  EXPECT_FALSE(LooksLikeZipTable("1000001,a\r\nabc,b\r\n"));
  EXPECT_FALSE(LooksLikeZipTable("1000001,a\r\n1000002\r\n"));  // no comma
  EXPECT_FALSE(LooksLikeZipTable(std::string("1000001,a\0b\r\n", 13)));
}

TEST(ZipUpdateText, ProxyFieldsAsTheCheckReadsThem) {
  EXPECT_EQ(ParseProxy(" proxy.local ", " 8080 ").host, "proxy.local");
  EXPECT_EQ(ParseProxy("p", " 8080 ").port, 8080);
  const ProxyChoice typo = ParseProxy("p", "8O80");
  EXPECT_EQ(typo.port, 0);
  EXPECT_TRUE(typo.portCleared);
  EXPECT_TRUE(ParseProxy("", "").portCleared);
  EXPECT_EQ(ParseProxy("", "").host, "");
}

TEST_F(ZipUpdateTest, InstalledVersionAndProxyFiles) {
  // Nothing installed yet: an empty key and no complaint.
  const InstalledVersion none = ReadInstalledVersion(VersionFile());
  EXPECT_EQ(none.key, "");
  EXPECT_EQ(none.problem, "");
  WriteFileAtomically(VersionFile(), "20250101\r\n" + Sjis("令和7年1月版") + "\r\n");
  const InstalledVersion v = ReadInstalledVersion(VersionFile());
  EXPECT_EQ(v.key, "20250101");
  EXPECT_EQ(cp932::Decode(v.description), "令和7年1月版");
  WriteFileAtomically(VersionFile(), "20250101");
  EXPECT_NE(ReadInstalledVersion(VersionFile()).problem.find("version.txt"), std::string::npos);

  const std::string pro = dir_.filePath("pro.dat").toStdString();
  EXPECT_EQ(ReadProxySettings(pro).address, "");
  EXPECT_EQ(ReadProxySettings(pro).problem, "");
  WriteProxySettings(pro, "proxy.local", "8080");
  EXPECT_EQ(Bytes(pro), "proxy.local\r\n8080\r\n");
  EXPECT_EQ(ReadProxySettings(pro).port, "8080");
  WriteProxySettings(pro, "", "");
  EXPECT_EQ(Bytes(pro), "\r\n\r\n");
  EXPECT_EQ(ReadProxySettings(pro).problem, "");
  WriteFileAtomically(pro, "only.one.line");
  EXPECT_NE(ReadProxySettings(pro).problem, "");
}

TEST_F(ZipUpdateTest, CheckSendsTheRequestOfTheUpdateAndComparesKeysAsBytes) {
  server_.Serve(kVersionPath, "20261201\n" + Sjis("令和8年12月版"));
  const CheckResult newer = CheckServer(server_.BaseUrl(), http_, "20250101");
  EXPECT_EQ(newer.result, ServerVersion::Newer);
  EXPECT_EQ(newer.serverKey, "20261201");
  const auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].line, "GET /liveupdate/zipcode/version.txt HTTP/1.1");
  EXPECT_EQ(requests[0].Header("accept"), "text/html, */*");
  EXPECT_EQ(requests[0].Header("user-agent"), "Mozilla/3.0 (compatible; Velora Quillmark)");
  EXPECT_EQ(requests[0].Header("host"), "127.0.0.1:" + std::to_string(server_.Port()));

  EXPECT_EQ(CheckServer(server_.BaseUrl(), http_, "20261201").result, ServerVersion::NoUpdate);
  EXPECT_EQ(CheckServer(server_.BaseUrl(), http_, "20270101").result, ServerVersion::NoUpdate);  // rolled back
  EXPECT_EQ(CheckServer(server_.BaseUrl() + "/", http_, "").result, ServerVersion::Newer);  // nothing installed

  // CR LF in the server's file: the key is still line 1.
  server_.Serve(kVersionPath, "20261202\r\ndesc\r\n");
  EXPECT_EQ(CheckServer(server_.BaseUrl(), http_, "").serverKey, "20261202");
}

TEST_F(ZipUpdateTest, CheckFailures) {
  EXPECT_EQ(CheckServer(server_.BaseUrl(), http_, "").result, ServerVersion::Failed);  // 404
  server_.Serve(kVersionPath, "\r\ndescription only");
  EXPECT_EQ(CheckServer(server_.BaseUrl(), http_, "").result, ServerVersion::Failed);  // empty key
  TestHttpServer::Response moved;
  moved.status = 302;
  moved.reason = "Found";
  moved.headers = {{"Location", server_.BaseUrl() + "/elsewhere"}};
  server_.Serve(kVersionPath, moved);
  server_.Serve("/elsewhere", "20261201\nx");
  EXPECT_EQ(CheckServer(server_.BaseUrl(), http_, "").result, ServerVersion::Failed);  // redirects are not followed
  // Nobody listening.
  int port = 0;
  {
    TestHttpServer gone;
    port = gone.Port();
  }
  EXPECT_EQ(CheckServer("http://127.0.0.1:" + std::to_string(port), http_, "").result, ServerVersion::Failed);
}

TEST_F(ZipUpdateTest, ASuccessfulDownloadWritesBothFilesWithCrLf) {
  Install("20250101\r\nold\r\n", "1000001,old\r\n");
  Publish("20261201\n" + Sjis("令和8年12月版") + "\n", "1000001," + Sjis("東京都千代田区千代田") + "\n1000002,b\r1000003,c,d");
  const DownloadResult r = DownloadAndInstall(server_.BaseUrl(), http_, zipDir_);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.installedKey, "20261201");
  EXPECT_EQ(Bytes(VersionFile()), "20261201\r\n" + Sjis("令和8年12月版") + "\r\n");
  EXPECT_EQ(Bytes(ZipFile()), "1000001," + Sjis("東京都千代田区千代田") + "\r\n1000002,b\r\n1000003,c,d\r\n");
  std::vector<std::string> paths;
  for (const auto& request : server_.Requests()) paths.push_back(request.line);
  EXPECT_EQ(paths, (std::vector<std::string>{"GET /liveupdate/zipcode/version.txt HTTP/1.1",
                                             "GET /liveupdate/zipcode/zip.dat HTTP/1.1"}));
}

TEST_F(ZipUpdateTest, EveryFailedDownloadLeavesBothFilesAsTheyWere) {
  const std::string oldVersion = "20250101\r\nold\r\n", oldTable = "1000001,old\r\n";
  const std::string goodVersion = "20261201\nnew", goodTable = "1000001,new\n";
  const auto respond = [](int status, std::string body) {
    TestHttpServer::Response r;
    r.status = status;
    r.reason = status == 200 ? "OK" : "Error";
    r.body = std::move(body);
    return r;
  };
  TestHttpServer::Response cut = respond(200, goodTable);
  cut.announcedLength = 1000;  // the connection closes after 12 of 1000 bytes
  // Stalls after 5 bytes; given up once the transfer has stood still for the stall time
  // (libcurl measures the speed over a few seconds, so this case takes some seconds).
  TestHttpServer::Response stalled = respond(200, goodTable + goodTable);
  stalled.stallAfter = 5;
  TestHttpServer::Response moved = respond(302, "");
  moved.headers = {{"Location", "/liveupdate/zipcode/zip2.dat"}};
  const struct {
    const char* what;
    TestHttpServer::Response version, table;
  } cases[] = {
      {"version 404", respond(404, "nope"), respond(200, goodTable)},
      {"version with no key", respond(200, "\r\nonly a description"), respond(200, goodTable)},
      {"table 404", respond(200, goodVersion), respond(404, "<html>not found</html>")},
      {"table 500", respond(200, goodVersion), respond(500, goodTable)},
      {"table redirect", respond(200, goodVersion), moved},
      {"table html", respond(200, goodVersion), respond(200, "<html><body>Proxy Authentication</body></html>")},
      {"table empty", respond(200, goodVersion), respond(200, "")},
      {"table with NUL", respond(200, goodVersion), respond(200, std::string("1000001,a\0\r\n", 12))},
      {"table cut short", respond(200, goodVersion), cut},
      {"table stalled", respond(200, goodVersion), stalled},
  };
  server_.Serve("/liveupdate/zipcode/zip2.dat", goodTable);
  for (const auto& c : cases) {
    Install(oldVersion, oldTable);
    server_.Serve(kVersionPath, c.version);
    server_.Serve(kZipPath, c.table);
    const DownloadResult r = DownloadAndInstall(server_.BaseUrl(), http_, zipDir_);
    EXPECT_FALSE(r.ok) << c.what;
    EXPECT_FALSE(r.error.empty()) << c.what;
    EXPECT_EQ(Bytes(VersionFile()), oldVersion) << c.what;
    EXPECT_EQ(Bytes(ZipFile()), oldTable) << c.what;
  }
  EXPECT_EQ(QDir(QString::fromStdString(zipDir_)).entryList(QDir::Files | QDir::Hidden),
            (QStringList{"version.txt", "zip.dat"}));  // no temporary file left behind
}

TEST_F(ZipUpdateTest, AVersionFileThatCannotBeWrittenPutsTheOldTableBack) {
  Install("20250101\r\nold\r\n", "1000001,old\r\n");
  QFile::remove(QString::fromStdString(VersionFile()));
  ASSERT_TRUE(QDir(QString::fromStdString(zipDir_)).mkdir("version.txt"));  // in the way of the rename
  Publish("20261201\nnew", "1000001,new\n");
  const DownloadResult r = DownloadAndInstall(server_.BaseUrl(), http_, zipDir_);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("version.txt"), std::string::npos) << r.error;
  EXPECT_EQ(Bytes(ZipFile()), "1000001,old\r\n");

  // No table before: none after.
  QFile::remove(QString::fromStdString(ZipFile()));
  EXPECT_FALSE(DownloadAndInstall(server_.BaseUrl(), http_, zipDir_).ok);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(ZipFile())));
}

TEST_F(ZipUpdateTest, ThroughAProxyAndNeverThroughTheEnvironmentsProxy) {
  TestHttpServer proxy;
  proxy.Serve(kVersionPath, "20261201\nvia proxy");
  proxy.Serve(kZipPath, "1000001,proxy\n");
  Publish("20261201\ndirect", "1000001,direct\n");

  HttpOptions viaProxy = http_;
  viaProxy.proxyHost = "127.0.0.1";
  viaProxy.proxyPort = proxy.Port();
  ASSERT_TRUE(DownloadAndInstall(server_.BaseUrl(), viaProxy, zipDir_).ok);
  EXPECT_EQ(Bytes(ZipFile()), "1000001,proxy\r\n");
  ASSERT_EQ(proxy.Requests().size(), 2u);
  // A proxy is asked for the whole URL.
  EXPECT_EQ(proxy.Requests()[1].line, "GET " + server_.BaseUrl() + "/liveupdate/zipcode/zip.dat HTTP/1.1");
  EXPECT_TRUE(server_.Requests().empty());

  // An empty proxy field means a direct connection, even with http_proxy set.
  proxy.ClearRequests();
  ::setenv("http_proxy", proxy.BaseUrl().c_str(), 1);
  ::setenv("HTTP_PROXY", proxy.BaseUrl().c_str(), 1);
  const DownloadResult direct = DownloadAndInstall(server_.BaseUrl(), http_, zipDir_);
  ::unsetenv("http_proxy");
  ::unsetenv("HTTP_PROXY");
  ASSERT_TRUE(direct.ok) << direct.error;
  EXPECT_EQ(Bytes(ZipFile()), "1000001,direct\r\n");
  EXPECT_TRUE(proxy.Requests().empty());
  EXPECT_EQ(server_.Requests().size(), 2u);
}

TEST_F(ZipUpdateTest, TheServerOfConfIni) {
  const std::string conf = dir_.filePath("conf.ini").toStdString();
  EXPECT_EQ(UpdateServer(conf), kDefaultServer);  // no file
  WriteFileAtomically(conf, "[SETTING]\r\nTAX=10\r\n");
  EXPECT_EQ(UpdateServer(conf), kDefaultServer);
  WriteFileAtomically(conf, "[SETTING]\r\nZIP_SERVER= http://127.0.0.1:8080 \r\n");
  EXPECT_EQ(UpdateServer(conf), "http://127.0.0.1:8080");
}

}  // namespace qm::postal
