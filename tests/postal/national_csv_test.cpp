// The national postal-code CSV: fixtures written here in its published form (15 columns,
// Shift-JIS, text in quotes), converted into zip.dat lines.
#include "postal/national_csv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "base/cp932.h"
#include "base/error.h"
#include "postal/zip_table.h"

namespace qm::postal {
namespace {

// One row as the postal service writes it: codes unquoted, texts in quotes, CR LF.
std::string Row(const std::string& code, const std::string& prefecture, const std::string& city,
                const std::string& town, const std::string& flags = "0,0,0,0,0,0") {
  const std::string local = "13101", old = "\"100  \"";
  const std::string kana = "\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｶﾅ\"";
  return cp932::EncodeOrThrow(local + "," + old + ",\"" + code + "\"," + kana + ",\"" + prefecture + "\",\"" + city +
                              "\",\"" + town + "\"," + flags) +
         "\r\n";
}

std::vector<std::string> Utf8(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const std::string& l : lines) out.push_back(cp932::Decode(l));
  return out;
}

}  // namespace

TEST(NationalCsv, RowsBecomeCodeCommaAddress) {
  const std::string csv = Row("1000000", "東京都", "千代田区", "以下に掲載がない場合") +
                          Row("1000001", "東京都", "千代田区", "千代田") +
                          Row("1000005", "東京都", "千代田区", "丸の内（次のビルを除く）") +
                          Row("1006890", "東京都", "千代田区", "丸の内ＪＰタワー（地階・階層不明）") +
                          Row("3060433", "茨城県", "猿島郡境町", "境町の次に番地がくる場合") +
                          Row("3890100", "長野県", "北佐久郡軽井沢町", "軽井沢町一円") +
                          Row("5220317", "滋賀県", "犬上郡多賀町", "一円");
  EXPECT_EQ(Utf8(ConvertNationalCsv(csv)), (std::vector<std::string>{
                                               "1000000,東京都千代田区",
                                               "1000001,東京都千代田区千代田",
                                               "1000005,東京都千代田区丸の内",
                                               "1006890,東京都千代田区丸の内ＪＰタワー",
                                               "3060433,茨城県猿島郡境町",
                                               "3890100,長野県北佐久郡軽井沢町",
                                               "5220317,滋賀県犬上郡多賀町一円",  // a town really named 一円
                                           }));
}

TEST(NationalCsv, ALongTownNameSpreadOverRowsIsJoined) {
  // The note in parentheses runs over three rows of the same code; the next row starts a
  // new area even with the same code.
  const std::string csv = Row("0600042", "北海道", "札幌市中央区", "大通西（１～１９丁目、") +
                          Row("0600042", "北海道", "札幌市中央区", "２０～２８丁目、") +
                          Row("0600042", "北海道", "札幌市中央区", "番外地）") +
                          Row("0600042", "北海道", "札幌市中央区", "大通東") +
                          Row("0600042", "北海道", "札幌市中央区", "大通東") +
                          Row("0640820", "北海道", "札幌市中央区", "大通西（２０～２８丁目");
  EXPECT_EQ(Utf8(ConvertNationalCsv(csv)), (std::vector<std::string>{
                                               "0600042,北海道札幌市中央区大通西",
                                               "0600042,北海道札幌市中央区大通東",  // written once
                                               "0640820,北海道札幌市中央区大通西",  // never closed
                                           }));
  EXPECT_EQ(CleanTown("藤野（４００、４００－２番地）"), "藤野");
  EXPECT_EQ(CleanTown("（地階）丸の内（１）"), "丸の内");
  EXPECT_EQ(CleanTown("一円"), "一円");
}

TEST(NationalCsv, AnyLineEndAndUnquotedText) {
  std::string csv = Row("1000001", "東京都", "千代田区", "千代田");
  csv.pop_back();
  csv.back() = '\n';  // LF only
  csv += cp932::EncodeOrThrow("13101,100  ,1000002,ﾄｳｷｮｳﾄ,ﾁﾖﾀﾞｸ,ｺｳｷｮｶﾞｲｴﾝ,東京都,千代田区,皇居外苑,0,0,0,0,0,0");
  EXPECT_EQ(Utf8(ConvertNationalCsv(csv)),
            (std::vector<std::string>{"1000001,東京都千代田区千代田", "1000002,東京都千代田区皇居外苑"}));
}

TEST(NationalCsv, BadRowsAreNamedAndNothingIsWritten) {
  const std::string good = Row("1000001", "東京都", "千代田区", "千代田");
  const struct {
    std::string csv;
    const char* says;
  } bad[] = {
      {good + Row("1000002", "東京都", "千代田区", "x", "0,0,0,0,0"), "行 2"},
      {good + Row("100002", "東京都", "千代田区", "x"), "行 2"},
      {Row("10000A1", "東京都", "千代田区", "x"), "行 1"},
      {"", "ありません"},
      {"\r\n\r\n", "ありません"},
      {"<html><body>not found</body></html>\r\n", "行 1"},
  };
  for (const auto& b : bad) {
    try {
      ConvertNationalCsv(b.csv);
      ADD_FAILURE() << "accepted: " << b.says;
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find(b.says), std::string::npos) << e.what();
    }
  }

  QTemporaryDir dir;
  const std::string zipDir = dir.filePath("zip").toStdString();
  QDir(dir.path()).mkdir("zip");
  WriteFileAtomically(zipDir + "/zip.dat", "1000001,old\r\n");
  WriteFileAtomically(zipDir + "/version.txt", "20250101\r\nold\r\n");
  const std::string csvFile = dir.filePath("KEN_ALL.CSV").toStdString();
  WriteFileAtomically(csvFile, good + Row("1000002", "東京都", "千代田区", "x", "0"));
  EXPECT_THROW(ImportNationalCsv(csvFile, zipDir), Error);
  EXPECT_EQ(ReadWholeFile(zipDir + "/zip.dat"), "1000001,old\r\n");
  EXPECT_EQ(ReadWholeFile(zipDir + "/version.txt"), "20250101\r\nold\r\n");
  EXPECT_THROW(ImportNationalCsv(dir.filePath("missing.csv").toStdString(), zipDir), Error);

  // A clean file replaces the table; the version keeps its key and says where the data
  // came from.
  WriteFileAtomically(csvFile, good + Row("1000002", "東京都", "千代田区", "皇居外苑"));
  EXPECT_EQ(ImportNationalCsv(csvFile, zipDir), 2u);
  EXPECT_EQ(cp932::Decode(ReadWholeFile(zipDir + "/zip.dat")),
            "1000001,東京都千代田区千代田\r\n1000002,東京都千代田区皇居外苑\r\n");
  EXPECT_EQ(cp932::Decode(ReadWholeFile(zipDir + "/version.txt")),
            "20250101\r\n全国版の郵便番号データ KEN_ALL.CSV から取り込み\r\n");
  const ZipTable table = ZipTable::Load(zipDir + "/zip.dat");
  EXPECT_EQ(table.Hit(table.LinesStartingWith("1000002").at(0)).address, "東京都千代田区皇居外苑");
}

}  // namespace qm::postal
