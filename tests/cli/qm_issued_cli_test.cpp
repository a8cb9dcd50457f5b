// qm pdf keeps what it issued in the archive, and qm issued ls, export and verify read it
// back: the records' fields as JSON, the CSV of the tax office, and the check that names
// a changed PDF, a deleted PDF and an edited or deleted record.
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include "base/cp932.h"
#include "cli_test_support.h"

namespace qmtest {
namespace {

QJsonArray Array(const CliResult& r) { return QJsonDocument::fromJson(r.out).array(); }

class QmIssuedTest : public CliTest {
 protected:
  // A document of one line; the slip's date in the era form.
  QString Document(const QString& name, const QString& customer, const QString& slipNo, int price,
                   const QString& yy = "令和08", const QString& mm = "12", const QString& dd = "10") {
    const QString json = QString(R"({"CustomerInfo": {"CustomerName1": "%1", "CustomerCode": "C%3"},
      "SlipCodeStr": "%3", "SlipDateStrYY": "%4", "SlipDateStrMM": "%5", "SlipDateStrDD": "%6", "TaxRate": 10,
      "Lines": [{"Name": "工事", "Num": 1, "Price": %2, "TotalPrice": %2}]})")
                             .arg(customer)
                             .arg(price)
                             .arg(slipNo, yy, mm, dd);
    Write(name + ".json", json.toUtf8());
    const CliResult built = Run({"build", name + ".json", name + ".QM1"});
    EXPECT_EQ(built.exit, 0) << built.err.toStdString();
    return name + ".QM1";
  }

  QJsonArray Ls(const QStringList& filters = {}) {
    const CliResult r = Run(QStringList{"issued", "ls"} + filters);
    EXPECT_EQ(r.exit, 0) << r.err.toStdString();
    return Array(r);
  }

  std::vector<int> Ids(const QStringList& filters) {
    std::vector<int> out;
    for (const QJsonValue& v : Ls(filters)) out.push_back(v.toObject().value("Id").toInt());
    return out;
  }

  int PdfCount() const {
    int n = 0;
    QDirIterator it(Path("issued"), {"*.pdf"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      it.next();
      ++n;
    }
    return n;
  }
};

TEST_F(QmIssuedTest, QmPdfKeepsWhatItWroteAndLsShowsEveryField) {
  const QString doc = Document("yamada", "山田建設株式会社", "A-1", 638625);
  const CliResult pdf = Run({"pdf", "tcSeikyu", doc, "out.pdf"});
  ASSERT_EQ(pdf.exit, 0) << pdf.err.toStdString();

  const QJsonArray all = Ls();
  ASSERT_EQ(all.size(), 1);
  const QJsonObject r = all[0].toObject();
  EXPECT_EQ(r.value("Id").toInt(), 1);
  EXPECT_TRUE(QDateTime::fromString(r.value("IssuedAt").toString(), "yyyy-MM-dd HH:mm:ss").isValid());
  EXPECT_EQ(r.value("SlipDate").toString(), "2026-12-10");
  EXPECT_EQ(r.value("Kind").toString(), "tcSeikyu");
  EXPECT_EQ(r.value("SlipNo").toString(), "A-1");
  EXPECT_EQ(r.value("Customer").toString(), "山田建設株式会社");
  EXPECT_EQ(r.value("CustomerCode").toString(), "CA-1");
  EXPECT_EQ(r.value("Total").toString(), "702487");
  EXPECT_EQ(r.value("Tax").toString(), "63862");
  EXPECT_EQ(r.value("RegistNo").toString(), "");
  EXPECT_EQ(r.value("Via").toString(), "qm");
  EXPECT_EQ(r.value("Target").toString(), Path("out.pdf"));
  EXPECT_EQ(r.value("Source").toString(), "yamada.QM1");
  EXPECT_EQ(r.value("File").toString(), "issued/2026/20261210_山田建設株式会社_702487_請求書_1.pdf");
  EXPECT_TRUE(r.value("Corrects").isNull());
  // The copy kept is the file written, byte for byte.
  const QByteArray kept = Read(r.value("File").toString());
  EXPECT_EQ(kept, Read("out.pdf"));
  EXPECT_EQ(QString::fromLatin1(QCryptographicHash::hash(kept, QCryptographicHash::Sha256).toHex()),
            r.value("Sha256").toString());

  const CliResult verify = Run({"issued", "verify"});
  EXPECT_EQ(verify.exit, 0) << verify.err.toStdString();
  EXPECT_EQ(verify.json().value("Records").toInt(), 1);
  EXPECT_TRUE(verify.json().value("Bad").toArray().isEmpty());
}

TEST_F(QmIssuedTest, OnlyDocumentsHandedOutAreKept) {
  const QString doc = Document("d", "佐藤電気", "B-1", 1000);
  // The FAX cover sheet, --no-archive and ISSUE_ARCHIVE=0 keep nothing.
  ASSERT_EQ(Run({"pdf", "tcFaxSender", doc, "fax.pdf"}).exit, 0);
  ASSERT_EQ(Run({"pdf", "tcSeikyu", doc, "script.pdf", "--no-archive"}).exit, 0);
  Write("conf.ini", "[SETTING]\r\nISSUE_ARCHIVE=0\r\n");
  ASSERT_EQ(Run({"pdf", "tcSeikyu", doc, "off.pdf"}).exit, 0);
  EXPECT_TRUE(Ls().isEmpty());
  EXPECT_EQ(PdfCount(), 0);
  Write("conf.ini", "[SETTING]\r\nISSUE_ARCHIVE=1\r\n");
  // The estimate family, the receipt and the total invoice are.
  for (const char* kind : {"tcMitumori", "tcRyosyu", "tcKoujiUtiwake"})
    ASSERT_EQ(Run({"pdf", kind, doc, QString(kind) + ".pdf"}).exit, 0) << kind;
  const QJsonArray all = Ls();
  ASSERT_EQ(all.size(), 3);
  EXPECT_EQ(all[0].toObject().value("Kind").toString(), "tcMitumori");
  EXPECT_EQ(all[1].toObject().value("Kind").toString(), "tcRyosyu");
  EXPECT_EQ(all[2].toObject().value("Kind").toString(), "tcKoujiUtiwake");
  EXPECT_EQ(PdfCount(), 3);
}

TEST_F(QmIssuedTest, ACorrectionNamesTheRecordItCorrects) {
  const QString doc = Document("s", "鈴木設備", "S-9", 10000);
  ASSERT_EQ(Run({"pdf", "tcSeikyu", doc, "first.pdf"}).exit, 0);
  const QByteArray firstPdf = Read("first.pdf");
  // The same slip number after an edit.
  Document("s", "鈴木設備", "S-9", 12000);
  ASSERT_EQ(Run({"pdf", "tcSeikyu", doc, "second.pdf"}).exit, 0);
  const QJsonArray all = Ls();
  ASSERT_EQ(all.size(), 2);
  EXPECT_TRUE(all[0].toObject().value("Corrects").isNull());
  EXPECT_EQ(all[1].toObject().value("Corrects").toInt(), 1);
  EXPECT_EQ(all[0].toObject().value("Total").toString(), "11000");
  EXPECT_EQ(all[1].toObject().value("Total").toString(), "13200");
  EXPECT_EQ(Read(all[0].toObject().value("File").toString()), firstPdf);
  EXPECT_EQ(Run({"issued", "verify"}).exit, 0);
}

TEST_F(QmIssuedTest, FiltersAloneAndCombinedWithInclusiveEdges) {
  const struct {
    const char* customer;
    const char* slip;
    int price;
    const char* yy;
    const char* mm;
    const char* dd;
  } docs[] = {
      {"山田建設株式会社", "1", 100000, "2026", "12", "1"},   // 110000
      {"山田建設株式会社", "2", 50000, "令和08", "12", "10"},  // 55000
      {"鈴木設備", "3", 50000, "R8", "12", "31"},             // 55000
      {"鈴木設備", "4", 1000, "令和09", "1", "1"},            // 1100
  };
  for (const auto& d : docs) {
    const QString file = Document(QString("doc") + d.slip, d.customer, d.slip, d.price, d.yy, d.mm, d.dd);
    ASSERT_EQ(Run({"pdf", "tcSeikyu", file, "o.pdf"}).exit, 0);
  }
  ASSERT_EQ(Run({"pdf", "tcNouhin", "doc2.QM1", "o.pdf"}).exit, 0);  // 5, a delivery note of 12-10

  EXPECT_EQ(Ids({}), (std::vector<int>{1, 2, 5, 3, 4}));
  EXPECT_EQ(Ids({"--from", "2026-12-10"}), (std::vector<int>{2, 5, 3, 4}));
  EXPECT_EQ(Ids({"--to", "2026-12-31"}), (std::vector<int>{1, 2, 5, 3}));
  EXPECT_EQ(Ids({"--from", "令和8年12月10日", "--to", "R8.12.10"}), (std::vector<int>{2, 5}));
  EXPECT_EQ(Ids({"--min", "55000"}), (std::vector<int>{1, 2, 5, 3}));
  EXPECT_EQ(Ids({"--max", "55000"}), (std::vector<int>{2, 5, 3, 4}));
  EXPECT_EQ(Ids({"--min", "55000", "--max", "55000"}), (std::vector<int>{2, 5, 3}));
  EXPECT_EQ(Ids({"--customer", "鈴木"}), (std::vector<int>{3, 4}));
  EXPECT_EQ(Ids({"--kind", "tcNouhin"}), (std::vector<int>{5}));
  EXPECT_EQ(Ids({"--kind", "tcSeikyu", "--customer", "山田", "--max", "60000", "--from", "2026-12-02"}),
            (std::vector<int>{2}));

  // The CSV holds the same hits, in CP932 with CR LF and a heading.
  ASSERT_EQ(Run({"issued", "export", "hits.csv", "--customer", "鈴木"}).exit, 0);
  const QByteArray csv = Read("hits.csv");
  const QString text = QString::fromStdString(qm::cp932::Decode(csv.toStdString()));
  const QStringList lines = text.split("\r\n");
  ASSERT_EQ(lines.size(), 4);
  EXPECT_TRUE(lines[0].startsWith("番号,発行日時,取引年月日,書類,伝票番号,取引先"));
  EXPECT_TRUE(lines[1].startsWith("3,")) << lines[1].toStdString();
  EXPECT_TRUE(lines[1].contains(",2026-12-31,請求書,3,鈴木設備,C3,55000,5000,"));
  EXPECT_TRUE(lines[2].startsWith("4,"));
  EXPECT_EQ(csv.count('\n'), csv.count("\r\n"));

  // Mistakes are said, and nothing is written.
  for (const QStringList& bad : {QStringList{"issued", "ls", "--from", "12月"}, {"issued", "ls", "--min", "abc"},
                                 {"issued", "ls", "--kind", "nothing"}, {"issued", "list"},
                                 {"issued", "export", "x.csv", "--to", "2026-02-30"}, {"issued", "export"}}) {
    const CliResult r = Run(bad);
    EXPECT_EQ(r.exit, 1) << bad.join(' ').toStdString() << " " << r.err.toStdString();
    EXPECT_FALSE(r.err.isEmpty());
  }
  EXPECT_FALSE(QFile::exists(Path("x.csv")));
}

TEST_F(QmIssuedTest, VerifyNamesWhatWasChanged) {
  for (int i = 1; i <= 4; ++i) {
    const QString doc = Document(QString("v%1").arg(i), "検証商店", QString("V%1").arg(i), 1000 * i);
    ASSERT_EQ(Run({"pdf", "tcSeikyu", doc, "v.pdf"}).exit, 0);
  }
  const QJsonArray all = Ls();
  ASSERT_EQ(all.size(), 4);
  const auto file = [&](int i) { return all[i].toObject().value("File").toString(); };
  const auto bad = [&] {
    const CliResult r = Run({"issued", "verify"});
    EXPECT_EQ(r.exit, 1);
    EXPECT_FALSE(r.err.isEmpty());
    QStringList out;
    for (const QJsonValue& v : r.json().value("Bad").toArray())
      out << QString("%1 %2").arg(v.toObject().value("Id").toInt()).arg(v.toObject().value("Reason").toString());
    return out;
  };

  QByteArray bytes = Read(file(0));
  bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x20);
  Write(file(0), bytes);
  EXPECT_EQ(bad(), QStringList{"1 PDFが変更されています"});

  ASSERT_TRUE(QFile::remove(Path(file(1))));
  EXPECT_EQ(bad(), (QStringList{"1 PDFが変更されています", "2 PDFがありません"}));

  const auto sqlite = [&](const QString& sql) {
    QProcess p;
    p.start("sqlite3", {Path("issued/issued.sqlite"), sql});
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  };
  sqlite("UPDATE issued SET customer = '別の会社' WHERE id = 3");
  EXPECT_EQ(bad(), (QStringList{"1 PDFが変更されています", "2 PDFがありません", "3 記録が変更されています"}));
  sqlite("DELETE FROM issued WHERE id = 4");
  EXPECT_EQ(bad(), (QStringList{"1 PDFが変更されています", "2 PDFがありません", "3 記録が変更されています",
                                "4 記録が削除されています"}));
}

TEST_F(QmIssuedTest, BackupAndRestoreCarryTheArchive) {
  const QString doc = Document("b", R"(株式会社/コロン:の\"会社\")", "R-1", 5000);  // JSON escapes
  ASSERT_EQ(Run({"save", "b.json", "控えの元"}).exit, 0);  // a document to back up beside the archive
  ASSERT_EQ(Run({"pdf", "tcRyosyu", doc, "r.pdf"}).exit, 0);
  const QJsonArray before = Ls();
  ASSERT_EQ(before.size(), 1);
  EXPECT_EQ(before[0].toObject().value("File").toString(), "issued/2026/20261210_株式会社_コロン_の_会社__5500_領収書_1.pdf");
  EXPECT_EQ(before[0].toObject().value("Customer").toString(), "株式会社/コロン:の\"会社\"");

  QDir(dir_.path()).mkdir("backups");
  const CliResult backup = Run({"backup", Path("backups")});
  ASSERT_EQ(backup.exit, 0) << backup.err.toStdString();
  EXPECT_TRUE(QString::fromUtf8(backup.out).contains("発行控え")) << backup.out.toStdString();
  const QStringList made = QDir(Path("backups")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  ASSERT_EQ(made.size(), 1);
  const QString folder = Path("backups/" + made[0]);

  // Another data folder, empty: the restore brings the archive back, and it verifies.
  QTemporaryDir other;
  const auto runIn = [&](const QStringList& args) {
    QProcess p;
    p.setWorkingDirectory(other.path());
    p.start(QM_CLI_PATH, QStringList{"--data", other.path()} + args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return std::pair{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput())};
  };
  const auto restored = runIn({"restore", folder});
  EXPECT_EQ(restored.first, 0);
  EXPECT_TRUE(restored.second.contains("発行控え")) << restored.second.toStdString();
  const auto ls = runIn({"issued", "ls"});
  EXPECT_EQ(QJsonDocument::fromJson(ls.second.toUtf8()).array(), before);
  EXPECT_EQ(runIn({"issued", "verify"}).first, 0);
}

}  // namespace
}  // namespace qmtest
