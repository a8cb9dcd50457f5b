#include "base/ini_file.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/ini_values.h"

using qm::IniFile;

namespace {
// A file as a user may have edited it: comments, blank lines, odd spacing, LF-only
// lines, a Japanese value, an unknown key and another program's section.
const std::string kHandEdited =
    "; settings\r\n"
    "[SETTING]\r\n"
    "TAX = 8 \r\n"
    "FAX_TITLE=\x82\xa8\x82\xb5\x82\xe7\x82\xb9\r\n"  // おしらせ
    "UNKNOWN=keep me\n"
    "\r\n"
    "[Other]\r\n"
    "x=1\r\n"
    "\r\n";
}  // namespace

TEST(IniFile, LooksUpSectionsAndKeysIgnoringCase) {
  const IniFile ini = IniFile::FromBytes(kHandEdited);
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  } cases[] = {
      {"SETTING", "TAX", "8"},        {"setting", "tax", "8"},     {"Setting", "Fax_Title", "おしらせ"},
      {"SETTING", "UNKNOWN", "keep me"}, {"OTHER", "X", "1"},     {"SETTING", "x", "default"},
      {"NONE", "TAX", "default"},     {"SETTING", "; settings", "default"},
  };
  for (const auto& c : cases) EXPECT_EQ(ini.ReadString(c.section, c.key, "default"), c.expected) << c.key;
  EXPECT_EQ(ini.Keys("setting"), (std::vector<std::string>{"TAX", "FAX_TITLE", "UNKNOWN"}));
}

TEST(IniFile, WritingReplacesOnlyTheValueAndKeepsEveryOtherByte) {
  IniFile ini = IniFile::FromBytes(kHandEdited);
  ini.WriteString("setting", "tax", "10");
  std::string expected = kHandEdited;
  expected.replace(expected.find("TAX = 8 "), 8, "TAX =10");
  EXPECT_EQ(ini.ToBytes(), expected);
  EXPECT_EQ(ini.ReadString("SETTING", "TAX", ""), "10");
}

TEST(IniFile, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd) {
  IniFile ini = IniFile::FromBytes(kHandEdited);
  ini.WriteString("SETTING", "MONETARY", "￥");
  ini.WriteString("CAMPANY_INFO0", "ZipNo", "100-0001");
  ini.WriteString("CAMPANY_INFO0", "TelFax", "");
  EXPECT_EQ(ini.ToBytes(),
            "; settings\r\n[SETTING]\r\nTAX = 8 \r\nFAX_TITLE=\x82\xa8\x82\xb5\x82\xe7\x82\xb9\r\nUNKNOWN=keep me\n"
            "MONETARY=\x81\x8f\r\n\r\n[Other]\r\nx=1\r\n\r\n[CAMPANY_INFO0]\r\nZipNo=100-0001\r\nTelFax=\r\n");
  // A last line without its end gets one before anything is appended.
  IniFile open = IniFile::FromBytes("[A]\r\nk=v");
  open.WriteString("B", "n", "1");
  EXPECT_EQ(open.ToBytes(), "[A]\r\nk=v\r\n[B]\r\nn=1\r\n");
  IniFile empty;
  empty.WriteString("S", "k", "v");
  EXPECT_EQ(empty.ToBytes(), "[S]\r\nk=v\r\n");
}

TEST(IniFile, SectionsCanBeErasedAndRecreatedEmpty) {
  IniFile ini = IniFile::FromBytes("[H\\Key]\r\n0=a\r\n1=b\r\n[Keep]\r\nz=1\r\n");
  ini.EraseSection("h\\key");
  EXPECT_FALSE(ini.HasSection("H\\Key"));
  ini.EnsureSection("H\\Key");
  EXPECT_TRUE(ini.HasSection("H\\Key"));
  EXPECT_TRUE(ini.Keys("H\\Key").empty());
  EXPECT_EQ(ini.ToBytes(), "[Keep]\r\nz=1\r\n[H\\Key]\r\n");
}

TEST(IniFile, DoubleByteCharactersWhoseSecondByteLooksLikeSyntax) {
  // ソ is 83 5C and 表 is 95 5C: their second byte is a backslash; ］ is 81 6E.
  const std::string bytes = "[\x83\x5c\x95\x5c]\r\n\x95\x5c=\x83\x5c]\r\n";
  IniFile ini = IniFile::FromBytes(bytes);
  EXPECT_EQ(ini.ReadString("ソ表", "表", ""), "ソ]");
  ini.WriteString("ソ表", "表", "値");
  EXPECT_EQ(ini.ToBytes(), "[\x83\x5c\x95\x5c]\r\n\x95\x5c=\x92\x6c\r\n");
  EXPECT_THROW(ini.WriteString("ソ表", "表", "😀"), qm::Error);
}

TEST(IniFile, SavesAtomicallyAndReadsMissingFilesAsEmpty) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("conf.ini").toStdString();
  IniFile ini = IniFile::Load(path);
  EXPECT_FALSE(ini.HasSection("SETTING"));
  ini.WriteString("SETTING", "TAX", "8");
  ini.Save(path);
  EXPECT_EQ(qm::ReadWholeFile(path), "[SETTING]\r\nTAX=8\r\n");
  EXPECT_EQ(IniFile::Load(path).ReadString("SETTING", "TAX", ""), "8");
}

TEST(IniValues, NumbersBooleansAndColoursFallBackToTheirDefaults) {
  const IniFile ini = IniFile::FromBytes(
      "[S]\r\nint=42\r\nhex=0x1F\r\nneg=-3\r\nbad=4x\r\nempty=\r\nb0=0\r\nb2=2\r\nbw=yes\r\n"
      "rate=5.5\r\nrateBad=abc\r\nd=21.75\r\ndBad=1,5\r\ncol=0x0000FF\r\ncolName=clNavy\r\ncolBad=blue\r\n");
  EXPECT_EQ(qm::ReadIniInteger(ini, "S", "int", 7), 42);
  EXPECT_EQ(qm::ReadIniInteger(ini, "S", "hex", 7), 31);
  EXPECT_EQ(qm::ReadIniInteger(ini, "S", "neg", 7), -3);
  EXPECT_EQ(qm::ReadIniInteger(ini, "S", "bad", 7), 7);
  EXPECT_EQ(qm::ReadIniInteger(ini, "S", "empty", 7), 7);
  EXPECT_EQ(qm::ReadIniInteger(ini, "S", "missing", 7), 7);
  EXPECT_FALSE(qm::ReadIniBool(ini, "S", "b0", true));
  EXPECT_TRUE(qm::ReadIniBool(ini, "S", "b2", false));
  EXPECT_TRUE(qm::ReadIniBool(ini, "S", "bw", true));
  EXPECT_FALSE(qm::ReadIniBool(ini, "S", "bw", false));
  EXPECT_EQ(qm::ReadIniRate(ini, "S", "rate", qm::Currency()), qm::Currency::FromRaw(55000));
  EXPECT_EQ(qm::ReadIniRate(ini, "S", "rateBad", qm::Currency::FromYen(5)), qm::Currency::FromYen(5));
  EXPECT_DOUBLE_EQ(qm::ReadIniDouble(ini, "S", "d", 0), 21.75);
  EXPECT_DOUBLE_EQ(qm::ReadIniDouble(ini, "S", "dBad", 9.5), 9.5);
  EXPECT_EQ(qm::ReadIniColor(ini, "S", "col", 1), 0x0000FFu);
  EXPECT_EQ(qm::ReadIniColor(ini, "S", "colName", 1), 0x800000u);
  EXPECT_EQ(qm::ReadIniColor(ini, "S", "colBad", 1), 1u);
  EXPECT_EQ(qm::IniDoubleText(21.75), "21.75");
  EXPECT_EQ(qm::IniDoubleText(121.8), "121.8");
  EXPECT_EQ(qm::IniDoubleText(25), "25");
  EXPECT_EQ(qm::IniDoubleText(0.1 + 0.2), "0.3");
}
