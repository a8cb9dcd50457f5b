// qm ls, save, backup and restore over the save folder DIR/data.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "cli/cli_test_support.h"

namespace {

using Result = qmtest::CliResult;

class FilesCliTest : public qmtest::CliTest {
 protected:
  // Saves a document built from JSON under `name`; fails the test when qm refuses.
  void SaveDoc(const QString& name, const QString& company, const QString& comment, bool totalClaim) {
    const QJsonObject doc{{"CustomerInfo", QJsonObject{{"CustomerName1", company}}},
                          {"TotalClaimMode", totalClaim}, {"Comment", comment}};
    Write("in.json", QJsonDocument(doc).toJson());
    const Result r = Run({"save", "in.json", name});
    ASSERT_EQ(r.exit, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
  }
  static QStringList Names(const Result& r) {
    QStringList names;
    for (const QJsonValue& v : QJsonDocument::fromJson(r.out).array()) names << v.toObject()["FileName"].toString();
    return names;
  }
  QStringList Ls(QStringList args) const {
    args.prepend("ls");
    const Result r = Run(args);
    EXPECT_EQ(r.exit, 0) << r.err.toStdString();
    return Names(r);
  }
};

TEST_F(FilesCliTest, SavedDocumentsAreListed) {
  SaveDoc("山田邸", "株式会社山田", "外壁", false);
  SaveDoc("ABC", "ABC工務店", "請求", true);
  const Result r = Run({"ls", "--sort", "name"});
  ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  EXPECT_TRUE(r.err.isEmpty());
  const QJsonArray rows = QJsonDocument::fromJson(r.out).array();
  ASSERT_EQ(rows.size(), 2);
  const QJsonObject abc = rows[0].toObject();
  EXPECT_EQ(abc.keys(), (QStringList{"Comment", "CompanyName", "FileName", "Marker", "SavedAt"}));
  EXPECT_EQ(abc["Marker"].toString(), "合");
  EXPECT_EQ(abc["FileName"].toString(), "ABC");
  EXPECT_EQ(abc["CompanyName"].toString(), "ABC工務店");
  EXPECT_EQ(abc["Comment"].toString(), "請求");
  EXPECT_EQ(rows[1].toObject()["Marker"].toString(), "");
  EXPECT_TRUE(QRegularExpression(R"(^\d{4}/\d{2}/\d{2} \d{2}:\d{2}$)").match(abc["SavedAt"].toString()).hasMatch())
      << abc["SavedAt"].toString().toStdString();
  EXPECT_TRUE(QFile::exists(Path("data/山田邸.QM1")));
  EXPECT_TRUE(r.out.startsWith("[\n  {\n    \"Marker\": \"合\",\n    \"FileName\": \"ABC\",\n")) << r.out.toStdString();
}

TEST_F(FilesCliTest, LsWithoutSaveFolderPrintsAnEmptyList) {
  const Result r = Run({"ls"});
  ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  EXPECT_EQ(QJsonDocument::fromJson(r.out).array(), QJsonArray());
}

TEST_F(FilesCliTest, LsSortsAndSearches) {
  SaveDoc("b", "Zeta", "いろは", false);
  SaveDoc("A", "alpha", "abc", true);
  SaveDoc("_", "beta", "ABD", false);
  EXPECT_EQ(Ls({"--sort", "name"}), (QStringList{"_", "A", "b"}));
  EXPECT_EQ(Ls({"--sort", "name", "--desc"}), (QStringList{"b", "A", "_"}));
  EXPECT_EQ(Ls({"--sort", "company"}), (QStringList{"A", "_", "b"}));
  EXPECT_EQ(Ls({"--sort", "comment", "--desc"}), (QStringList{"b", "_", "A"}));
  EXPECT_EQ(Ls({"--sort=marker", "--desc"}).front(), "A");
  EXPECT_EQ(Ls({"--search", "company=eta", "--sort", "name"}), (QStringList{"_", "b"}));
  EXPECT_EQ(Ls({"--search", "comment=ab"}), (QStringList{"A"}));
  EXPECT_EQ(Ls({"--search", "name=A"}), (QStringList{"A"}));
  EXPECT_EQ(Ls({"--search", "mode=通常", "--sort", "name"}), (QStringList{"_", "b"}));
  EXPECT_EQ(Ls({"--search", "mode=合計"}), (QStringList{"A"}));
  const Result all = Run({"ls"});
  const QString month = QJsonDocument::fromJson(all.out).array()[0].toObject()["SavedAt"].toString().left(7);
  ASSERT_EQ(month.size(), 7);
  EXPECT_EQ(Ls({"--search", "date=" + month, "--sort", "name"}), (QStringList{"_", "A", "b"}));
  EXPECT_EQ(Ls({"--search", "date=1999/"}), QStringList());
}

TEST_F(FilesCliTest, BadSortOrSearchIsAnError) {
  for (const QStringList& args : {QStringList{"ls", "--sort", "size"}, QStringList{"ls", "--search", "company"},
                                  QStringList{"ls", "--search", "owner=x"}, QStringList{"ls", "--desc=1"}}) {
    const Result r = Run(args);
    EXPECT_EQ(r.exit, 1) << args.join(' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.startsWith("qm: ") && r.err.count('\n') == 1) << r.err.toStdString();
  }
}

TEST_F(FilesCliTest, DamagedFilesGoToStderrAndTheListingSucceeds) {
  SaveDoc("good", "c", "", false);
  Write("data/bad.QM1", QByteArray("\x05\x00\x00\x00", 4));
  Write("data/worse.qm1", "");
  const Result r = Run({"ls"});
  ASSERT_EQ(r.exit, 0);
  EXPECT_EQ(Names(r), QStringList{"good"});
  const QList<QByteArray> lines = r.err.trimmed().split('\n');
  ASSERT_EQ(lines.size(), 2) << r.err.toStdString();
  for (const QByteArray& line : lines) EXPECT_TRUE(line.startsWith("qm: 見積ファイル ")) << line.toStdString();
  EXPECT_TRUE(r.err.contains("bad.QM1") && r.err.contains("worse.qm1"));
}

TEST_F(FilesCliTest, SaveRefusesBadNamesAndExistingFiles) {
  Write("in.json", "{}");
  const struct {
    QString name;
    QByteArray err;
  } cases[] = {
      {"", "qm: ファイル名を入力してください。\n"},
      {" \t ", "qm: ファイル名を入力してください。\n"},
      {"a/b", "qm: ファイル名に【\\ / : * ? \" < > |】を含めることは出来ません。\n"},
      {"見積?", "qm: ファイル名に【\\ / : * ? \" < > |】を含めることは出来ません。\n"},
  };
  for (const auto& c : cases) {
    const Result r = Run({"save", "in.json", c.name});
    EXPECT_EQ(r.exit, 1);
    EXPECT_EQ(r.err, c.err) << c.name.toStdString();
  }
  EXPECT_FALSE(QDir(Path("data")).exists());

  SaveDoc("見積A", "first", "1", false);
  const QByteArray first = Read("data/見積A.QM1");
  Write("in.json", R"({"Comment": "2"})");
  const Result refused = Run({"save", "in.json", "見積A"});
  EXPECT_EQ(refused.exit, 1);
  EXPECT_EQ(refused.err, "qm: 見積A は既に存在します。\n");
  EXPECT_EQ(Read("data/見積A.QM1"), first);

  const Result overwritten = Run({"save", "in.json", "見積A", "--overwrite", "--comment", "上書き"});
  ASSERT_EQ(overwritten.exit, 0) << overwritten.err.toStdString();
  const Result listed = Run({"ls"});
  EXPECT_EQ(QJsonDocument::fromJson(listed.out).array()[0].toObject()["Comment"].toString(), "上書き");
}

TEST_F(FilesCliTest, SaveReportsABadJsonDocument) {
  Write("in.json", R"({"NoSuchKey": 1})");
  const Result r = Run({"save", "in.json", "x"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_TRUE(r.err.contains("NoSuchKey")) << r.err.toStdString();
  EXPECT_FALSE(QFile::exists(Path("data/x.QM1")));
}

TEST_F(FilesCliTest, SaveWithCalcCarriesTheLineAmountsAndTotals) {
  Write("in.json", R"({"Lines": [{"Name": "足場", "Num": "3", "Price": "100"}, {"Name": "塗装", "Num": "2", "Price": "50"}]})");
  ASSERT_EQ(Run({"save", "in.json", "plain"}).exit, 0);
  const Result calc = Run({"save", "in.json", "calc", "--calc", "--rate", "10"});
  ASSERT_EQ(calc.exit, 0) << calc.err.toStdString();
  const auto dumped = [&](const char* name) {
    const Result r = Run({"dump", Path(QString("data/") + name + ".QM1")});
    EXPECT_EQ(r.exit, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out).object();
  };
  const QJsonObject plain = dumped("plain"), computed = dumped("calc");
  EXPECT_EQ(plain["Lines"].toArray()[0].toObject()["TotalPrice"].toString(), "0");
  EXPECT_EQ(computed["Lines"].toArray()[0].toObject()["TotalPrice"].toString(), "300");
  EXPECT_EQ(computed["Lines"].toArray()[1].toObject()["TotalPrice"].toString(), "100");
  EXPECT_EQ(computed["SubTotalPrice"].toString(), "400");
  EXPECT_EQ(Run({"save", "in.json", "bad", "--calc", "--rate", "x"}).exit, 1);
  EXPECT_FALSE(QFile::exists(Path("data/bad.QM1")));
}

TEST_F(FilesCliTest, BackupThenRestore) {
  SaveDoc("a", "A社", "", false);
  SaveDoc("b", "B社", "", true);
  ASSERT_TRUE(QDir(dir_.path()).mkdir("base"));
  const QString folder = Path("base/Backup") + QDate::currentDate().toString("yyyyMMdd");
  const Result backup = Run({"backup", Path("base")});
  ASSERT_EQ(backup.exit, 0) << backup.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(backup.out), "バックアップファイルを[" + folder + "/]フォルダーに作成しました。\n");
  const Result again = Run({"backup", Path("base")});
  EXPECT_EQ(QString::fromUtf8(again.out), "バックアップファイルを[" + folder + "(1)/]フォルダーに作成しました。\n");
  EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);

  SaveDoc("c", "C社", "", false);
  const Result restore = Run({"restore", folder});
  ASSERT_EQ(restore.exit, 0) << restore.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(restore.out), "2件のデータを復元しました。\n");
  EXPECT_EQ(Ls({"--sort", "name"}), (QStringList{"a", "b"}));

  const Result none = Run({"restore", Path("base")});
  EXPECT_EQ(none.exit, 0);
  EXPECT_EQ(QString::fromUtf8(none.out), "バックアップデータが存在しません。\n");
  EXPECT_EQ(Ls({"--sort", "name"}), (QStringList{"a", "b"}));
}

TEST_F(FilesCliTest, BackupFolderThatCannotBeMadeIsAnError) {
  Write("plain", "x");
  const Result r = Run({"backup", Path("plain")});
  EXPECT_EQ(r.exit, 1);
  EXPECT_TRUE(r.out.isEmpty());
  EXPECT_EQ(r.err, "qm: バックアップ先のフォルダー作成に失敗しました。\n");
}

TEST_F(FilesCliTest, RestoreWithAFailedCopyKeepsTheDocuments) {
  SaveDoc("keep", "K", "", false);
  ASSERT_TRUE(QDir(dir_.path()).mkdir("bk"));
  Write("bk/a.QM1", "a");
  ASSERT_TRUE(QFile::link(Path("bk/missing"), Path("bk/gone.QM1")));
  const Result r = Run({"restore", Path("bk")});
  EXPECT_EQ(r.exit, 1);
  EXPECT_TRUE(r.err.contains("gone.QM1")) << r.err.toStdString();
  EXPECT_EQ(QDir(Path("data")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"keep.QM1"});
}

}  // namespace
