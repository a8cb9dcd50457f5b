// qm export-lines and qm picture over documents built by qm itself.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "base/cp932.h"
#include "cli/cli_test_support.h"

namespace {

using Result = qmtest::CliResult;

class LinesCliTest : public qmtest::CliTest {
 protected:
  void SetUp() override {
    QImage wide(40, 20, QImage::Format_RGB32);
    wide.fill(QColor(10, 200, 30));
    ASSERT_TRUE(wide.save(Path("wide.png"), "PNG"));
    ASSERT_TRUE(wide.save(Path("wide.jpg"), "JPEG"));
    const QJsonArray lines{
        QJsonObject{{"Name", "基礎"}, {"Num", "2"}, {"Price", "1500"}, {"ItemUnit", "式"}},
        QJsonObject{{"Name", "型枠"}, {"ClassNo", 1}, {"Num", "1"}, {"Price", "800"}, {"Taxless", true},
                    {"Pic", QJsonObject{{"file", "wide.png"}}}},
        QJsonObject{{"Name", "鉄筋"}, {"ClassNo", 2}, {"Note", "\"D13\" 使用"}, {"Pic", QJsonObject{{"file", "wide.jpg"}}}},
        QJsonObject{},
    };
    Write("in.json", QJsonDocument(QJsonObject{{"Lines", lines}}).toJson());
    const Result r = Run({"build", "in.json", "doc.QM1"});
    ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  }
  void ExpectFailure(const QStringList& args, const QString& mentions, const QString& out) {
    SCOPED_TRACE(args.join(' ').toStdString());
    const Result r = Run(args);
    EXPECT_EQ(r.exit, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.startsWith("qm: ")) << r.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(mentions)) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Path(out)));
  }
};

TEST_F(LinesCliTest, ExportLinesWritesTheContentsExportWithTheDataFoldersSettings) {
  // The data folder's headings, indent and decimals are used; the amounts are calculated.
  Write("conf.ini", QByteArray::fromStdString(qm::cp932::EncodeOrThrow(
                        "[SETTING]\r\nITEM_NAME=工事内容\r\nPRINTBUNRUI=1\r\nPRINTDECIMAL=0\r\n")));
  const Result r = Run({"export-lines", "doc.QM1", "lines.csv"});
  ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.isEmpty());
  const QByteArray bytes = Read("lines.csv");
  EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));  // CR LF only
  const QString csv = QString::fromStdString(qm::cp932::Decode(bytes.toStdString()));
  const QStringList rows = csv.split("\r\n");
  ASSERT_EQ(rows.size(), 6) << csv.toStdString();  // heading, four lines, the final CR LF
  EXPECT_EQ(rows[0], "\"No.\",\"自由項目\",\"工事内容\",\"数量\",\"単位\",\"単価\",\"原価\",\"金額\",\"備考\",\"非課税\"");
  EXPECT_EQ(rows[1], "\"1\",\"\",\"基礎\",\"2\",\"式\",\"1,500\",\"0\",\"3,000\",\"\",\"\"");
  EXPECT_EQ(rows[2], "\"2\",\"\",\"　型枠\",\"1\",\"\",\"800\",\"0\",\"800\",\"\",\"V\"");
  EXPECT_EQ(rows[3], "\"3\",\"\",\"　　鉄筋\",\"0\",\"\",\"0\",\"0\",\"0\",\"\"\"D13\"\" 使用\",\"\"");
  EXPECT_EQ(rows[4], "\"4\",\"\",\"\",\"0\",\"\",\"0\",\"0\",\"0\",\"\",\"\"");
  EXPECT_EQ(rows[5], "");

  // Written over an existing file; the document is not touched.
  const QByteArray doc = Read("doc.QM1");
  ASSERT_EQ(Run({"export-lines", "doc.QM1", "lines.csv"}).exit, 0);
  EXPECT_EQ(Read("doc.QM1"), doc);
  ExpectFailure({"export-lines", "none.QM1", "other.csv"}, "none.QM1", "other.csv");
  ExpectFailure({"export-lines", "doc.QM1"}, "qm export-lines FILE.QM1 OUT.csv", "other.csv");
}

TEST_F(LinesCliTest, PictureWritesTheLinesPictureInItsOwnFormat) {
  ASSERT_EQ(Run({"picture", "doc.QM1", "2", "out.png"}).exit, 0);
  EXPECT_EQ(Read("out.png"), Read("wide.png"));
  const Result r = Run({"picture", "doc.QM1", "3", "out.jpg"});
  ASSERT_EQ(r.exit, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.isEmpty());
  EXPECT_EQ(Read("out.jpg"), Read("wide.jpg"));

  ExpectFailure({"picture", "doc.QM1", "1", "none.png"}, "行 1 に画像はありません。", "none.png");
  for (const char* line : {"0", "5", "2a", "", "99999999999"})
    ExpectFailure({"picture", "doc.QM1", line, "none.png"}, QString("行「%1」はありません（1 から 4）。").arg(line),
                  "none.png");
  ExpectFailure({"picture", "doc.QM1", "-1", "none.png"}, "-1", "none.png");  // taken for an option
  ExpectFailure({"picture", "missing.QM1", "1", "none.png"}, "missing.QM1", "none.png");
}

}  // namespace
