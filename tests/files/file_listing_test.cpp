// Listing, search and sort over real save folders.
#include "files/file_listing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

#include "base/error.h"
#include "files/files_test_support.h"
#include "support/bytes.h"

using qm::FileListing;
using qm::FileListRow;
using qm::SearchField;
using qmtest::FileBytes;
using qmtest::SavedDoc;
using qmtest::SaveDocument;
using qmtest::WriteBytes;

namespace {

std::vector<std::string> Names(const std::vector<FileListRow>& rows) {
  std::vector<std::string> names;
  for (const FileListRow& r : rows) names.push_back(r.fileName);
  return names;
}

std::vector<std::string> SortedNames(const std::vector<FileListRow>& rows) {
  std::vector<std::string> names = Names(rows);
  std::sort(names.begin(), names.end());
  return names;
}

const FileListRow* Find(const FileListing& listing, const std::string& name) {
  for (const FileListRow& r : listing.rows)
    if (r.fileName == name) return &r;
  return nullptr;
}

// Fields 1 to 5 by hand, CP932 bytes as given, then whatever `tail` holds.
std::string Head(const char* tag, const char* mode, const std::string& tail = {}) {
  FileBytes f;
  f.Str(tag).Str("2025/01/02 03:04").Str(mode).Str("\x83\x81\x83\x82").Str("\x8E\x52\x93\x63");  // メモ, 山田
  return f.Raw(tail).str();
}

class ListingTest : public ::testing::Test {
 protected:
  std::string Dir() const { return dir_.path().toStdString(); }
  QTemporaryDir dir_;
};

TEST_F(ListingTest, ListsEstimateFilesOfAnyCaseAndNothingElse) {
  const QString d = dir_.path();
  SaveDocument(d, "upper.QM1", {"株式会社山田", "見積", false});
  SaveDocument(d, "lower.qm1", {"ABC工務店", "請求", true, QDateTime(QDate(2024, 2, 3), QTime(4, 5))});
  SaveDocument(d, "mixed.Qm1", {});
  SaveDocument(d, ".hidden.QM1", {"隠し", "", false});
  SaveDocument(d, "copy.QM1.bak", {});
  SaveDocument(d, "other.QM2", {});
  WriteBytes(d, "notes.txt", "x");
  ASSERT_TRUE(QDir(d).mkdir("folder.QM1"));

  const FileListing listing = qm::ListEstimateFiles(Dir());
  EXPECT_TRUE(listing.unreadable.empty());
  EXPECT_EQ(SortedNames(listing.rows), (std::vector<std::string>{".hidden", "lower", "mixed", "upper"}));

  const FileListRow* upper = Find(listing, "upper");
  ASSERT_NE(upper, nullptr);
  EXPECT_EQ(upper->marker, "");
  EXPECT_EQ(upper->companyName, "株式会社山田");
  EXPECT_EQ(upper->comment, "見積");
  EXPECT_EQ(upper->savedAt, "2026/12/09 10:30");
  const FileListRow* lower = Find(listing, "lower");
  ASSERT_NE(lower, nullptr);
  EXPECT_EQ(lower->marker, "合");
  EXPECT_EQ(lower->companyName, "ABC工務店");
  EXPECT_EQ(lower->savedAt, "2024/02/03 04:05");
}

TEST_F(ListingTest, ListingOrderIsTheFolderOrder) {
  for (const char* name : {"c.QM1", "a.QM1", "b.QM1", "d.QM1"}) SaveDocument(dir_.path(), name, {});
  std::vector<std::string> folderOrder;
  for (const QString& n : QDir(dir_.path()).entryList(QDir::Files, QDir::Unsorted))
    folderOrder.push_back(QFileInfo(n).completeBaseName().toStdString());
  EXPECT_EQ(Names(qm::ListEstimateFiles(Dir()).rows), folderOrder);
}

// Field 3 by version: a Boolean from version 3 on, a kind ("2" = total claim) before.
TEST_F(ListingTest, TotalClaimFlagFollowsTheVersionTag) {
  struct Case {
    const char* tag;
    const char* mode;
    const char* marker;
  } const cases[] = {
      {"KESTRELDOC5_100", "-1", "合"},   {"KESTRELDOC5_100", "0", ""},     {"KESTRELDOC4_100", "True", "合"},
      {"KESTRELDOC4_100", "fALSE", ""}, {"KESTRELDOC3_100", "2", "合"},    {"KESTRELDOC3_100", "0.0", ""},
      {"KESTRELDOC2_100", "2", "合"},    {"KESTRELDOC2_100", "1", ""},     {"KESTRELDOC2_100", "-1", ""},
      {"KESTRELDOC2_100", "True", ""},  {"SOMEOTHER_100", "2", "合"},      {"SOMEOTHER_100", "-1", ""},
  };
  for (const Case& c : cases) {
    const std::string path = WriteBytes(dir_.path(), "f.QM1", Head(c.tag, c.mode)).toStdString();
    const FileListing listing = qm::ListEstimateFiles(Dir());
    ASSERT_EQ(listing.rows.size(), 1u) << c.tag << " " << c.mode;
    EXPECT_EQ(listing.rows[0].marker, c.marker) << c.tag << " " << c.mode;
    EXPECT_EQ(listing.rows[0].comment, "メモ");
    EXPECT_EQ(listing.rows[0].companyName, "山田");
    EXPECT_EQ(qm::ReadFileListRow(path).marker, c.marker);
  }
}

// Nothing after field 5 is read, so a damaged or cut body does not matter.
TEST_F(ListingTest, NothingAfterFieldFiveIsRead) {
  FileBytes absurd;
  absurd.I32(0x7FFFFFFF).Raw("zz");
  const struct {
    const char* name;
    std::string bytes;
  } files[] = {
      {"cut", Head("KESTRELDOC5_100", "0")},
      {"garbage", Head("KESTRELDOC5_100", "0", "\xFF\xFF\xFF")},
      {"absurd", Head("KESTRELDOC5_100", "-1", absurd.str())},
  };
  for (const auto& f : files) WriteBytes(dir_.path(), QString(f.name) + ".QM1", f.bytes);
  const FileListing listing = qm::ListEstimateFiles(Dir());
  EXPECT_TRUE(listing.unreadable.empty()) << listing.unreadable.front().message;
  EXPECT_EQ(SortedNames(listing.rows), (std::vector<std::string>{"absurd", "cut", "garbage"}));
}

TEST_F(ListingTest, DamagedFilesAreReportedAndTheRestListed) {
  const std::string good = Head("KESTRELDOC5_100", "0");
  FileBytes absurdLength;
  absurdLength.Str("KESTRELDOC5_100").Str("2025/01/02 03:04").Str("0").I32(0x7FFFFFF0).Raw("abc");
  FileBytes tooLong;  // field 5 claims one byte more than the file holds
  tooLong.Str("KESTRELDOC5_100").Str("d").Str("0").Str("c").I32(4).Raw("abc");
  const struct {
    const char* name;
    std::string bytes;
    const char* problem;
  } damaged[] = {
      {"empty.QM1", "", "途中で終わって"},
      {"cutlength.QM1", good.substr(0, 2), "途中で終わって"},
      {"cutfield.QM1", good.substr(0, good.size() - 1), "大きさに合いません"},
      {"absurd.QM1", absurdLength.str(), "2147483632"},
      {"toolong.QM1", tooLong.str(), "大きさに合いません"},
      {"badmode.QM1", Head("KESTRELDOC4_100", "yes"), "「yes」"},
      {"nomode.QM1", Head("KESTRELDOC5_100", ""), "「」"},
  };
  SaveDocument(dir_.path(), "before.QM1", {});
  for (const auto& d : damaged) WriteBytes(dir_.path(), d.name, d.bytes);
  SaveDocument(dir_.path(), "after.QM1", {});

  const FileListing listing = qm::ListEstimateFiles(Dir());
  EXPECT_EQ(SortedNames(listing.rows), (std::vector<std::string>{"after", "before"}));
  ASSERT_EQ(listing.unreadable.size(), std::size(damaged));
  for (const auto& d : damaged) {
    const auto it = std::find_if(listing.unreadable.begin(), listing.unreadable.end(),
                                 [&](const qm::UnreadFile& u) { return u.fileName == d.name; });
    ASSERT_NE(it, listing.unreadable.end()) << d.name;
    EXPECT_NE(it->message.find(d.name), std::string::npos) << it->message;
    EXPECT_NE(it->message.find(d.problem), std::string::npos) << it->message;
    EXPECT_THROW(qm::ReadFileListRow(QDir(dir_.path()).filePath(d.name).toStdString()), qm::Error);
  }
}

TEST_F(ListingTest, DanglingLinkIsReportedNotHidden) {
  SaveDocument(dir_.path(), "a.QM1", {});
  ASSERT_TRUE(QFile::link(dir_.filePath("missing"), dir_.filePath("gone.QM1")));
  const FileListing listing = qm::ListEstimateFiles(Dir());
  EXPECT_EQ(Names(listing.rows), (std::vector<std::string>{"a"}));
  ASSERT_EQ(listing.unreadable.size(), 1u);
  EXPECT_EQ(listing.unreadable[0].fileName, "gone.QM1");
}

TEST_F(ListingTest, MissingFolderListsNothing) {
  const FileListing listing = qm::ListEstimateFiles(Dir() + "/none");
  EXPECT_TRUE(listing.rows.empty());
  EXPECT_TRUE(listing.unreadable.empty());
}

class SearchTest : public ListingTest {
 protected:
  void SetUp() override {
    const QString d = dir_.path();
    SaveDocument(d, "山田邸.QM1", {"株式会社山田", "外壁塗装", false, QDateTime(QDate(2026, 12, 1), QTime(9, 0))});
    SaveDocument(d, "ABC改修.qm1", {"ABC工務店", "屋根 改修", true, QDateTime(QDate(2026, 11, 30), QTime(23, 59))});
    SaveDocument(d, "abc追加.QM1", {"abc商店", "追加工事", false, QDateTime(QDate(2025, 12, 24), QTime(12, 0))});
    // Matches every condition below that it can, but hidden files are not searched.
    SaveDocument(d, ".山田ABC.QM1", {"株式会社山田 ABC", "外壁 屋根", true, QDateTime(QDate(2026, 12, 2), QTime(1, 0))});
    WriteBytes(d, "broken.QM1", "\x01");
  }
};

TEST_F(SearchTest, EachFieldNarrowsTheListing) {
  const struct {
    SearchField field;
    const char* word;
    std::vector<std::string> names;
  } cases[] = {
      {SearchField::CompanyName, "山田", {"山田邸"}},
      {SearchField::CompanyName, "ABC", {"ABC改修"}},
      {SearchField::CompanyName, "abc", {"abc追加"}},
      {SearchField::CompanyName, "", {"ABC改修", "abc追加", "山田邸"}},
      {SearchField::Comment, "改修", {"ABC改修"}},
      {SearchField::Comment, "工事", {"abc追加"}},
      {SearchField::FileName, "邸", {"山田邸"}},
      {SearchField::FileName, "QM1", {}},
      {SearchField::FileName, "abc", {"abc追加"}},
      {SearchField::Mode, "通常", {"abc追加", "山田邸"}},
      {SearchField::Mode, "合計", {"ABC改修"}},
      {SearchField::Mode, "", {"ABC改修"}},
      {SearchField::SavedAt, "2026/12", {"山田邸"}},
      {SearchField::SavedAt, "/12/", {"abc追加", "山田邸"}},
      {SearchField::SavedAt, "23:59", {"ABC改修"}},
  };
  for (const auto& c : cases) {
    const FileListing found = qm::SearchEstimateFiles(Dir(), c.field, c.word);
    EXPECT_EQ(SortedNames(found.rows), c.names) << static_cast<int>(c.field) << " " << c.word;
    ASSERT_EQ(found.unreadable.size(), 1u);
    EXPECT_EQ(found.unreadable[0].fileName, "broken.QM1");
  }
}

TEST_F(SearchTest, HiddenFileIsListedButNotSearched) {
  EXPECT_NE(Find(qm::ListEstimateFiles(Dir()), ".山田ABC"), nullptr);
  for (int field = 0; field <= 4; ++field)
    EXPECT_EQ(Find(qm::SearchEstimateFiles(Dir(), static_cast<SearchField>(field), ""), ".山田ABC"), nullptr);
}

FileListRow Row(const char* marker, const char* name, const char* company, const char* comment, const char* at) {
  return {marker, name, company, comment, at};
}

TEST(SortFileList, OrdersByColumnFoldingOnlyAsciiLetters) {
  const std::vector<FileListRow> rows = {
      Row("", "b", "Zeta", "いろは", "2026/01/02 00:00"),  Row("合", "A", "alpha", "abc", "2025/12/31 23:59"),
      Row("", "_", "ｂ", "ABD", "2026/01/02 00:00"),       Row("合", "a_", "Beta", "", "2024/06/01 12:00"),
      Row("", "a", "ALPHA", "abc", "2026/01/01 00:00"),
  };
  const struct {
    int column;
    bool ascending;
    std::vector<std::string> names;
  } cases[] = {
      // '_' lies between 'Z' and 'a': folding puts it before every letter.
      {1, true, {"_", "A", "a", "a_", "b"}},
      {1, false, {"b", "a_", "A", "a", "_"}},
      {0, true, {"b", "_", "a", "A", "a_"}},
      {0, false, {"A", "a_", "b", "_", "a"}},
      // Full-width letters are not folded and follow every ASCII text.
      {2, true, {"A", "a", "a_", "b", "_"}},
      {2, false, {"_", "b", "a_", "A", "a"}},
      {3, true, {"a_", "A", "a", "_", "b"}},
      {4, true, {"a_", "A", "a", "b", "_"}},
      {4, false, {"b", "_", "a", "A", "a_"}},
  };
  for (const auto& c : cases) {
    std::vector<FileListRow> sorted = rows;
    qm::SortFileList(sorted, c.column, c.ascending);
    EXPECT_EQ(Names(sorted), c.names) << "column " << c.column << (c.ascending ? " asc" : " desc");
  }
}

TEST(EstimateFilePath, AddsTheUpperCaseExtension) {
  EXPECT_EQ(qm::EstimateFilePath("/x/data", "見積"), "/x/data/見積.QM1");
  EXPECT_EQ(qm::EstimateFilePath("/x/data/", "a.b"), "/x/data/a.b.QM1");
}

}  // namespace
