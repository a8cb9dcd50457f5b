#include "postal/zip_table.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <thread>

#include "base/atomic_file.h"
#include "base/cp932.h"
#include "base/error.h"

using qm::postal::ZipHit;
using qm::postal::ZipTable;

namespace {

std::string Sjis(const std::string& utf8) { return qm::cp932::EncodeOrThrow(utf8); }

// A table of UTF-8 lines written in Shift-JIS with the given line end.
ZipTable Table(const std::vector<std::string>& lines, const std::string& end = "\r\n") {
  std::string bytes;
  for (const std::string& l : lines) bytes += Sjis(l) + end;
  return ZipTable::FromBytes(bytes);
}

std::vector<std::string> Codes(const ZipTable& t, const std::vector<std::size_t>& hits) {
  std::vector<std::string> codes;
  for (std::size_t h : hits) codes.push_back(t.Hit(h).zipCode);
  return codes;
}

const std::vector<std::string> kSample = {
    "1000001,東京都千代田区千代田",
    "1000002,東京都千代田区皇居外苑",
    "1000005,東京都千代田区丸の内",
    "1010021,東京都千代田区外神田",
    "2100001,神奈川県川崎市川崎区本町",
    "5300001,大阪府大阪市北区梅田,ＢＬＤＧ１０,Bldg100",
    "0600000,北海道札幌市中央区",
};

}  // namespace

TEST(ZipTableRead, LineEndsBlankLinesAndTheFirstComma) {
  const ZipTable t = ZipTable::FromBytes(Sjis("1000001,東京都\r\n1000002,大阪府\n\n1000003,京都府\r1000004,a,b,c"));
  ASSERT_EQ(t.LineCount(), 4u);  // the blank line holds no area
  EXPECT_EQ(t.Hit(0), (ZipHit{"100-0001", "東京都"}));
  EXPECT_EQ(t.Hit(2), (ZipHit{"100-0003", "京都府"}));
  EXPECT_EQ(t.Hit(3), (ZipHit{"100-0004", "a,b,c"}));  // only the first comma counts
  // A last line end adds no line; CR LF is one line end, not two.
  EXPECT_EQ(ZipTable::FromBytes("1,a\r\n2,b\r\n").LineCount(), 2u);
  EXPECT_EQ(ZipTable::FromBytes("").LineCount(), 0u);

  // A line without a comma: an empty code field shown as "-" and the whole line as address.
  const ZipTable odd = ZipTable::FromBytes(Sjis("住所だけの行\r\n12,x\r\n"));
  EXPECT_EQ(odd.Hit(0), (ZipHit{"-", "住所だけの行"}));
  EXPECT_EQ(odd.Hit(1), (ZipHit{"12-", "x"}));  // a code shorter than three bytes
}

TEST(ZipTableRead, LimitsCutAtWholeCharacters) {
  // The address keeps 512 bytes: 255 double-byte characters and "a" make 511, so the next
  // double-byte character would straddle the limit and is left out.
  std::string address;
  for (int i = 0; i < 255; ++i) address += "表";
  address += "a表表";
  const ZipTable t = ZipTable::FromBytes("1000001," + Sjis(address));
  const std::string shown = Sjis(t.Hit(0).address);
  EXPECT_EQ(shown.size(), 511u);
  EXPECT_EQ(t.Hit(0).address.substr(t.Hit(0).address.size() - 1), "a");

  // The displayed code keeps 128 bytes with its hyphen.
  const ZipTable longCode = ZipTable::FromBytes(std::string(200, '9') + ",x");
  EXPECT_EQ(longCode.Hit(0).zipCode.size(), 128u);
  // A double-byte character across the third byte stays whole.
  const ZipTable wide = ZipTable::FromBytes(Sjis("1郵便,x"));
  EXPECT_EQ(wide.Hit(0).zipCode, "1郵-便");

  EXPECT_EQ(qm::postal::CutAtCharacter(Sjis("表表"), 3), Sjis("表"));
  EXPECT_EQ(qm::postal::CutAtCharacter("abc", 5), "abc");
}

TEST(ZipLookup, ByCodeIgnoresHyphensAndMatchesAPrefix) {
  const ZipTable t = Table(kSample);
  for (const char* typed : {"100-0001", "1000001", "100-00-01"})
    EXPECT_EQ(Codes(t, qm::postal::FindByZip(t, typed)), std::vector<std::string>{"100-0001"}) << typed;
  EXPECT_EQ(Codes(t, qm::postal::FindByZip(t, "100")),
            (std::vector<std::string>{"100-0001", "100-0002", "100-0005"}));
  EXPECT_EQ(qm::postal::FindByZip(t, "999").size(), 0u);
  // Shorter than three or longer than eight bytes: no key at all.
  for (const char* typed : {"10", "", "123456789", "1000-00001"}) {
    EXPECT_FALSE(qm::postal::ZipKey(typed).has_value()) << typed;
    EXPECT_TRUE(qm::postal::FindByZip(t, typed).empty()) << typed;
  }
  EXPECT_EQ(qm::postal::ZipKey("１２").value(), Sjis("１２"));  // four bytes: a key, if a useless one
  // Hyphens only: an empty key, which every line matches.
  EXPECT_EQ(qm::postal::FindByZip(t, "---").size(), kSample.size());
}

TEST(ZipLookup, ByAddressOnTheDecodedTextWithoutRegardToCase) {
  const ZipTable t = Table(kSample);
  EXPECT_EQ(Codes(t, qm::postal::FindByAddress(t, "千代田")),
            (std::vector<std::string>{"100-0001", "100-0002", "100-0005", "101-0021"}));
  // Digits find codes anywhere in the line, and addresses holding them.
  EXPECT_EQ(Codes(t, qm::postal::FindByAddress(t, "100")),
            (std::vector<std::string>{"100-0001", "100-0002", "100-0005", "101-0021", "210-0001", "530-0001"}));
  EXPECT_EQ(Codes(t, qm::postal::FindByAddress(t, "0600")), std::vector<std::string>{"060-0000"});
  // Case: ASCII with ASCII, full-width with full-width; never across the two.
  EXPECT_EQ(Codes(t, qm::postal::FindByAddress(t, "bLdG")), std::vector<std::string>{"530-0001"});
  EXPECT_EQ(Codes(t, qm::postal::FindByAddress(t, "ｂｌｄｇ")), std::vector<std::string>{"530-0001"});
  // No line has an "a": the second byte of Ｂ in Shift-JIS is one, but text is compared.
  EXPECT_TRUE(qm::postal::FindByAddress(t, "a").empty());
  EXPECT_TRUE(qm::postal::FindByAddress(t, "").empty());
  // One hit a line, however often the key occurs in it.
  EXPECT_EQ(qm::postal::FindByAddress(t, "区").size(), 7u);
  // The comma belongs to the line too.
  EXPECT_EQ(Codes(t, qm::postal::FindByAddress(t, "0021,東京")), std::vector<std::string>{"101-0021"});
}

TEST(ZipLookup, ShiftJisTrailBytesNeverMatchAsciiKeys) {
  // 表 is 0x95 0x5C and ソ is 0x83 0x5C: their second byte is "\". Ｂ is 0x82 0x61, whose
  // second byte is "a".
  const ZipTable t = Table({"1000001,表参道", "1000002,ソウル", "1000003,ＢＢＢ", "1000004,a\\b"});
  EXPECT_EQ(Codes(t, qm::postal::FindByAddress(t, "\\")), std::vector<std::string>{"100-0004"});
  EXPECT_EQ(Codes(t, qm::postal::FindByAddress(t, "A")), std::vector<std::string>{"100-0004"});
  EXPECT_EQ(Codes(t, qm::postal::FindByAddress(t, "ｂ")), std::vector<std::string>{"100-0003"});
  EXPECT_EQ(Codes(t, qm::postal::FindByAddress(t, "表")), std::vector<std::string>{"100-0001"});
}

TEST(ZipTableCacheTest, KeepsTheTableUntilTheFileChanges) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("zip.dat").toStdString();
  qm::postal::ZipTableCache cache(path);
  try {
    cache.Get();
    ADD_FAILURE() << "a missing table read";
  } catch (const qm::Error& e) {
    EXPECT_NE(std::string(e.what()).find("zip.dat"), std::string::npos) << e.what();
  }
  qm::WriteFileAtomically(path, "1000001,a\r\n");
  const auto first = cache.Get();
  EXPECT_EQ(first->LineCount(), 1u);
  EXPECT_EQ(cache.Get(), first);  // kept
  qm::WriteFileAtomically(path, "1000001,a\r\n1000002,b\r\n");
  const auto second = cache.Get();
  EXPECT_NE(second, first);
  EXPECT_EQ(second->LineCount(), 2u);
  cache.Invalidate();
  EXPECT_NE(cache.Get(), second);
  // A table in use stays valid after the cache moved on.
  EXPECT_EQ(first->Hit(0).address, "a");
}

TEST(ZipTableCacheTest, SearchesFromSeveralThreadsShareOneFoldedText) {
  std::vector<std::string> lines;
  for (int i = 0; i < 2000; ++i) lines.push_back(std::to_string(1000000 + i) + ",東京都千代田区" + std::to_string(i));
  const ZipTable t = Table(lines);
  const ZipTable copy = t;  // copies share what the first search builds
  std::vector<std::size_t> a, b;
  std::thread one([&] { a = t.LinesContaining("千代田区19"); });
  std::thread two([&] { b = copy.LinesContaining("千代田区19"); });
  one.join();
  two.join();
  EXPECT_EQ(a, b);
  EXPECT_EQ(a.size(), 111u);  // 19, 190–199, 1900–1999
}

TEST(ZipTableRead, AMappedFileReadsLikeALoadedOne) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("zip.dat").toStdString();
  qm::WriteFileAtomically(path, Sjis("1000001,東京都千代田区千代田\r\n\r\n1000002,b\r1000003,c\n5300001,大阪"));
  const ZipTable loaded = ZipTable::Load(path);
  const ZipTable mapped = ZipTable::Map(path);
  ASSERT_EQ(mapped.LineCount(), 4u);
  for (std::size_t i = 0; i < mapped.LineCount(); ++i) EXPECT_EQ(mapped.Hit(i), loaded.Hit(i)) << i;
  EXPECT_EQ(mapped.LinesStartingWith("100"), loaded.LinesStartingWith("100"));
  EXPECT_EQ(mapped.LinesContaining("大阪"), std::vector<std::size_t>{3});
  qm::WriteFileAtomically(path, "");
  EXPECT_EQ(ZipTable::Map(path).LineCount(), 0u);
  for (const auto& open : {&ZipTable::Load, &ZipTable::Map}) {
    try {
      open(dir.filePath("missing.dat").toStdString());
      ADD_FAILURE() << "a missing file opened";
    } catch (const qm::Error& e) {
      EXPECT_NE(std::string(e.what()).find("missing.dat"), std::string::npos) << e.what();
    }
    EXPECT_THROW(open(dir.path().toStdString()), qm::Error);  // a folder is no table
  }
}
