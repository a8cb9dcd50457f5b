// qm dump, then qm build of what it printed: the file comes back byte for byte wherever
// its texts have one CP932 form, with the bytes that are no text and the pictures (as
// stored, readable or not) kept; a text with a two-form character reads back the same.
#include <gtest/gtest.h>

#include <QJsonDocument>

#include "cli/cli_test_support.h"
#include "support/bytes.h"
#include "support/edge_texts.h"
#include "support/images.h"

namespace qmtest {
namespace {

class DumpBuildTest : public CliTest {
 protected:
  // Dumps `file` and builds the dump into `built`; returns the built bytes.
  std::string DumpAndBuild(const QString& file, const QString& built) const {
    const CliResult dumped = Run({"dump", file});
    EXPECT_EQ(dumped.exit, 0) << dumped.err.toStdString();
    Write(built + ".json", dumped.out);
    const CliResult done = Run({"build", built + ".json", built});
    EXPECT_EQ(done.exit, 0) << done.err.toStdString();
    return Read(built).toStdString();
  }
  QJsonDocument Dump(const QString& file) const { return QJsonDocument::fromJson(Run({"dump", file}).out); }
};

TEST_F(DumpBuildTest, EveryEdgeOfTheCodePageComesBack) {
  const std::string estimate = "\x8C\xA9\x90\xCF";  // 見積
  for (const EdgeText& edge : EdgeStrings()) {
    SCOPED_TRACE(edge.what);
    const std::string original = FileWith(edge.bytes, estimate, edge.bytes + edge.bytes);
    Write("original.QM1", QByteArray::fromStdString(original));
    const std::string built = DumpAndBuild("original.QM1", "built.QM1");
    if (edge.oneForm) {
      EXPECT_EQ(Hex(built), Hex(original));
      continue;
    }
    // The two-form characters take the Windows form: the text is the same, and so is
    // every further round.
    EXPECT_EQ(Dump("built.QM1"), Dump("original.QM1"));
    EXPECT_EQ(Hex(DumpAndBuild("built.QM1", "again.QM1")), Hex(built));
  }
}

TEST_F(DumpBuildTest, PicturesComeBackAsStoredReadableOrNot) {
  const std::string broken("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR cut short", 25);
  const std::vector<std::vector<StoredPicture>> sets = {
      {{1, EncodedImage("bmp", 9, 7)}, {2, EncodedImage("png", 31, 17)}},
      {{3, EncodedImage("jpeg", 40, 24)}, {2, broken}},
      {{}, {3, std::string("\xFF\xD8\xFF\0\0 not a jpeg", 16)}},
  };
  for (std::size_t i = 0; i < sets.size(); ++i) {
    SCOPED_TRACE("picture set " + std::to_string(i));
    const std::string original = FileWith("ABC", "\x8C\xA9\x90\xCF", "\x81\x7F tail", sets[i]);
    Write("pictures.QM1", QByteArray::fromStdString(original));
    EXPECT_EQ(Hex(DumpAndBuild("pictures.QM1", "built.QM1")), Hex(original));
  }
}

TEST_F(DumpBuildTest, BuildWithoutSavedAtTakesTheTimeOfWriting) {
  Write("in.json", R"({"Comment": "x"})");
  ASSERT_EQ(Run({"build", "in.json", "a.QM1"}).exit, 0);
  const QString savedAt = Dump("a.QM1").object().value("SavedAt").toString();
  EXPECT_NE(savedAt, QString());
  EXPECT_NE(savedAt, QStringLiteral("2026/12/09 10:30"));
  Write("stamped.json", R"({"SavedAt": "2001/02/03 04:05"})");
  ASSERT_EQ(Run({"build", "stamped.json", "b.QM1"}).exit, 0);
  EXPECT_EQ(Dump("b.QM1").object().value("SavedAt"), QJsonValue("2001/02/03 04:05"));
}

}  // namespace
}  // namespace qmtest
