// The postal lookups of the main window's customer block and the update dialog, against a
// temporary data folder and a real HTTP server on 127.0.0.1.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "base/atomic_file.h"
#include "base/cp932.h"
#include "postal/zip_update.h"
#include "support/http_server.h"
#include "ui/app/main_window.h"
#include "ui/postal/postal_commands.h"
#include "ui/postal/zip_search_dialog.h"
#include "ui/postal/zip_update_dialog.h"
#include "ui/support/scripted_messages.h"
#include "ui/support/window_tests.h"

namespace qm::ui {
namespace {

std::string Sjis(const std::string& utf8) { return cp932::EncodeOrThrow(utf8); }

class PostalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = qmtest::ShowMainWindow(data_);
    ASSERT_TRUE(window_);
  }
  std::string DataPath(const char* name) const { return data_.filePath(QString("data/") + name).toStdString(); }
  void WriteTable(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& l : lines) bytes += Sjis(l) + "\r\n";
    WriteFileAtomically(DataPath("zip/zip.dat"), bytes);
  }
  QLineEdit* Edit(const char* name) { return window_->findChild<QLineEdit*>(name); }
  QPushButton* Button(const char* name) { return window_->findChild<QPushButton*>(name); }
  // Runs `inDialog` with the result list once it is shown.
  void WhenListShown(std::function<void(TFormZipSearch&)> inDialog) {
    QTimer::singleShot(0, [this, inDialog] {
      auto* dialog = qobject_cast<TFormZipSearch*>(QApplication::activeModalWidget());
      if (!dialog) {
        listMissing_ = true;
        return;
      }
      inDialog(*dialog);
    });
  }

  QTemporaryDir data_;
  qmtest::ScriptedMessages messages_;
  std::unique_ptr<TFormMain> window_;
  bool listMissing_ = false;
};

const std::vector<std::string> kTable = {
    "1000001,東京都千代田区千代田",
    "1000002,東京都千代田区皇居外苑",
    "1010021,東京都千代田区外神田",
    "5300001,大阪府大阪市北区梅田",
};

}  // namespace

TEST_F(PostalTest, ACodeFillsTheCodeAndTheFirstAddressLine) {
  WriteTable(kTable);
  Edit("EdtZip")->setText("100-0002");
  Edit("EdtAdd1")->setText("old address");
  Edit("EdtAdd2")->setText("ビル3階");
  WhenListShown([](TFormZipSearch& d) {
    EXPECT_EQ(d.windowTitle(), "郵便番号・住所検索");
    EXPECT_EQ(d.Label1->text(), "検索キー：100-0002");
    ASSERT_EQ(d.LVZip->model()->rowCount(), 1);
    EXPECT_EQ(d.LVZip->model()->index(0, 0).data().toString(), "100-0002");
    EXPECT_EQ(d.LVZip->model()->headerData(1, Qt::Horizontal).toString(), "住所");
    EXPECT_TRUE(d.BtnOk->isEnabled());  // the first row is selected
    d.BtnOk->click();
  });
  Button("BtnZip")->click();
  EXPECT_FALSE(listMissing_);
  EXPECT_EQ(Edit("EdtZip")->text(), "100-0002");
  EXPECT_EQ(Edit("EdtAdd1")->text(), "東京都千代田区皇居外苑");
  EXPECT_EQ(Edit("EdtAdd2")->text(), "ビル3階");
  // Carried into the document as typing would.
  EXPECT_EQ(window_->Document().CustomerInfo().Address1(), "東京都千代田区皇居外苑");
  EXPECT_EQ(window_->Document().CustomerInfo().ZipNo(), "100-0002");
  EXPECT_TRUE(messages_.shown.isEmpty());

  // A prefix lists several; a double click takes the row under it.
  Edit("EdtZip")->setText("100");
  WhenListShown([](TFormZipSearch& d) {
    ASSERT_EQ(d.LVZip->model()->rowCount(), 2);
    d.LVZip->selectRow(1);
    emit d.LVZip->doubleClicked(d.LVZip->model()->index(1, 1));
  });
  Button("BtnZip")->click();
  EXPECT_EQ(Edit("EdtAdd1")->text(), "東京都千代田区皇居外苑");

  // 閉じる changes nothing; OK without a selected row is not possible.
  Edit("EdtZip")->setText("530");
  WhenListShown([](TFormZipSearch& d) {
    d.LVZip->clearSelection();
    EXPECT_FALSE(d.BtnOk->isEnabled());
    d.BtnClose->click();
  });
  Button("BtnZip")->click();
  EXPECT_EQ(Edit("EdtZip")->text(), "530");
  EXPECT_EQ(Edit("EdtAdd1")->text(), "東京都千代田区皇居外苑");
}

TEST_F(PostalTest, AnAddressFindsCodesAndNothingFoundSaysSo) {
  WriteTable(kTable);
  Edit("EdtAdd1")->setText("外神田");
  WhenListShown([](TFormZipSearch& d) {
    EXPECT_EQ(d.Label1->text(), "検索キー：外神田");
    d.BtnOk->click();
  });
  Button("BtnAdd1")->click();
  EXPECT_EQ(Edit("EdtZip")->text(), "101-0021");
  EXPECT_EQ(Edit("EdtAdd1")->text(), "東京都千代田区外神田");

  const struct {
    const char* zip;
    const char* address;
    const char* button;
    const char* says;
  } cases[] = {
      {"10", "", "BtnZip", "郵便番号が不明です。"},
      {"999", "", "BtnZip", "郵便番号が不明です。"},
      {"", "", "BtnAdd1", "住所が不明です。"},
      {"", "札幌", "BtnAdd1", "住所が不明です。"},
  };
  for (const auto& c : cases) {
    messages_.shown.clear();
    Edit("EdtZip")->setText(c.zip);
    Edit("EdtAdd1")->setText(c.address);
    Button(c.button)->click();
    EXPECT_EQ(messages_.shown.value(0), QString::fromUtf8(c.says)) << c.zip << c.address;
    EXPECT_EQ(Edit("EdtAdd1")->text(), QString::fromUtf8(c.address));
  }
  EXPECT_TRUE(messages_.errors.isEmpty());
}

TEST_F(PostalTest, WithoutATableAGoodKeyGivesTheErrorAndABadKeyItsMessage) {
  Edit("EdtZip")->setText("10");
  Button("BtnZip")->click();
  EXPECT_EQ(messages_.shown.value(0), "郵便番号が不明です。");  // refused before reading
  EXPECT_TRUE(messages_.errors.isEmpty());
  Edit("EdtZip")->setText("1000001");
  Button("BtnZip")->click();
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(messages_.errors[0].contains("zip.dat")) << messages_.errors[0].toStdString();
  EXPECT_EQ(Edit("EdtZip")->text(), "1000001");
}

TEST_F(PostalTest, TensOfThousandsOfHitsOpenTheList) {
  std::string bytes;
  for (int i = 0; i < 60000; ++i) bytes += std::to_string(1000000 + i) + "," + Sjis("東京都千代田区") + std::to_string(i) + "\r\n";
  WriteFileAtomically(DataPath("zip/zip.dat"), bytes);
  Edit("EdtAdd1")->setText("東京都");
  int rows = 0;
  WhenListShown([&rows](TFormZipSearch& d) {
    rows = d.LVZip->model()->rowCount();
    EXPECT_EQ(d.LVZip->model()->index(59999, 0).data().toString(), "105-9999");
    d.BtnClose->click();
  });
  Button("BtnAdd1")->click();
  EXPECT_EQ(rows, 60000);
}

// ---------------------------------------------------------------------------------------
// 郵便番号データの更新

class ZipUpdateDialogTest : public ::testing::Test {
 protected:
  ZipUpdateDialogTest() : folder_(dir_.path().toStdString()), tables_(folder_.ZipFile()), dialog_(folder_, tables_) {
    folder_.Ensure();
    WriteFileAtomically(folder_.ConfIni(), "[SETTING]\r\nZIP_SERVER=" + server_.BaseUrl() + "\r\n");
    WriteFileAtomically(folder_.ZipVersionFile(), "20250101\r\n" + Sjis("令和7年1月版") + "\r\n");
    WriteFileAtomically(folder_.ZipFile(), "1000001,old\r\n");
    dialog_.Http().stallSeconds = 1;
  }
  std::string Bytes(const std::string& path) const {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("<missing>");
  }
  bool WaitForEnd() {
    QSignalSpy ended(&dialog_, &Tzip_update::DownloadEnded);
    return ended.count() > 0 || ended.wait(20000);
  }

  QTemporaryDir dir_;
  qmtest::ScriptedMessages messages_;
  qmtest::TestHttpServer server_;
  DataFolder folder_;
  postal::ZipTableCache tables_;
  Tzip_update dialog_;
};

TEST_F(ZipUpdateDialogTest, ANewerTableIsDownloadedAndTheDialogComesBack) {
  server_.Serve(postal::kVersionPath, "20261201\n" + Sjis("令和8年12月版"));
  server_.Serve(postal::kZipPath, "1000001," + Sjis("東京都千代田区千代田") + "\n");
  dialog_.show();
  dialog_.FormShow();
  EXPECT_EQ(dialog_.windowTitle(), "新しい郵便番号データを更新");
  EXPECT_EQ(dialog_.Edit1->text(), "令和7年1月版");
  EXPECT_EQ(dialog_.size(), QSize(426, 284));
  messages_.Answer(true);
  dialog_.Button1Click();
  EXPECT_EQ(messages_.asked.value(0), QString::fromUtf8(postal::kAskUpdate));
  ASSERT_TRUE(WaitForEnd());
  EXPECT_EQ(messages_.shown.value(0), "更新に成功しました。");
  EXPECT_EQ(Bytes(folder_.ZipVersionFile()), "20261201\r\n" + Sjis("令和8年12月版") + "\r\n");
  EXPECT_EQ(dialog_.Edit1->text(), "令和8年12月版");
  EXPECT_EQ(tables_.Get()->Hit(0).address, "東京都千代田区千代田");
  EXPECT_TRUE(dialog_.CanClose());
  EXPECT_TRUE(dialog_.Btn_Cancel->isEnabled() && dialog_.Button1->isEnabled());
  EXPECT_FALSE(dialog_.Panel1->isVisible());

  // Now equal: nothing to do.
  messages_.shown.clear();
  dialog_.Button1Click();
  EXPECT_EQ(messages_.shown.value(0), "データの更新はありませんでした。");
  dialog_.close();
}

TEST_F(ZipUpdateDialogTest, WhileDownloadingTheDialogStaysAndAFailureChangesNothing) {
  server_.Serve(postal::kVersionPath, "20261201\nnew");
  qmtest::TestHttpServer::Response stalled;
  stalled.body = "1000001,new\r\n1000002,new\r\n";
  stalled.stallAfter = 4;
  server_.Serve(postal::kZipPath, stalled);
  dialog_.show();
  dialog_.FormShow();
  messages_.Answer(true);
  dialog_.Button1Click();
  // The worker runs; the window is usable but cannot be closed.
  EXPECT_FALSE(dialog_.CanClose());
  EXPECT_TRUE(dialog_.Panel1->isVisible());
  EXPECT_FALSE(dialog_.Btn_Cancel->isEnabled());
  EXPECT_FALSE(dialog_.Button1->isEnabled());
  EXPECT_FALSE(dialog_.LabeledEdit1->isEnabled());
  dialog_.close();
  dialog_.reject();
  EXPECT_TRUE(dialog_.isVisible());
  ASSERT_TRUE(WaitForEnd());
  EXPECT_EQ(messages_.shown.value(0), QString::fromUtf8(postal::kDownloadFailed));
  EXPECT_EQ(Bytes(folder_.ZipFile()), "1000001,old\r\n");
  EXPECT_EQ(Bytes(folder_.ZipVersionFile()), "20250101\r\n" + Sjis("令和7年1月版") + "\r\n");
  EXPECT_TRUE(dialog_.CanClose());
  dialog_.Btn_Cancel->click();
  EXPECT_FALSE(dialog_.isVisible());
}

TEST_F(ZipUpdateDialogTest, CheckOutcomesAndTheProxyFields) {
  // No server answer.
  dialog_.FormShow();
  dialog_.Button1Click();
  EXPECT_EQ(messages_.shown.value(0), QString::fromUtf8(postal::kCheckFailed));
  // Newer, but the user says no: nothing fetched beyond the version.
  server_.Serve(postal::kVersionPath, "20261201\nnew");
  server_.ClearRequests();
  messages_.Answer(false);
  dialog_.Button1Click();
  EXPECT_EQ(server_.Requests().size(), 1u);
  EXPECT_EQ(Bytes(folder_.ZipFile()), "1000001,old\r\n");
  // A pasted port that is no number is emptied (no proxy address: still direct).
  dialog_.LabeledEdit2->setText("8O80");
  messages_.Answer(false);
  dialog_.Button1Click();
  EXPECT_EQ(dialog_.LabeledEdit2->text(), "");

  // 閉じる writes pro.dat, changed or not; the next opening shows it.
  dialog_.LabeledEdit1->setText("proxy.local");
  dialog_.LabeledEdit2->setText("8080");
  dialog_.show();
  dialog_.Btn_Cancel->click();
  EXPECT_EQ(Bytes(folder_.ProxyFile()), "proxy.local\r\n8080\r\n");
  dialog_.LabeledEdit1->clear();
  dialog_.FormShow();
  EXPECT_EQ(dialog_.LabeledEdit1->text(), "proxy.local");
  EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join('\n').toStdString();
}

TEST_F(ZipUpdateDialogTest, AMissingVersionFileStillReadsTheProxy) {
  QFile::remove(QString::fromStdString(folder_.ZipVersionFile()));
  WriteFileAtomically(folder_.ProxyFile(), "proxy.local\r\n3128\r\n");
  dialog_.FormShow();
  EXPECT_TRUE(messages_.errors.isEmpty());
  EXPECT_EQ(dialog_.Edit1->text(), "");
  EXPECT_EQ(dialog_.InstalledKey(), "");
  EXPECT_EQ(dialog_.LabeledEdit2->text(), "3128");
  // A pro.dat of one line is reported and fills nothing.
  WriteFileAtomically(folder_.ProxyFile(), "only\r\n");
  dialog_.LabeledEdit1->setText("typed");
  dialog_.FormShow();
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(messages_.errors[0].contains("pro.dat"));
  EXPECT_EQ(dialog_.LabeledEdit1->text(), "typed");
}

TEST_F(PostalTest, TheMenuEntryOpensTheUpdateDialog) {
  QString caption;
  QTimer::singleShot(0, [&] {
    if (auto* d = qobject_cast<Tzip_update*>(QApplication::activeModalWidget())) {
      caption = d->windowTitle();
      d->Btn_Cancel->click();
    }
  });
  window_->findChild<QAction*>("ZipUpdate")->trigger();
  EXPECT_EQ(caption, "新しい郵便番号データを更新");
  EXPECT_TRUE(QFile::exists(QString::fromStdString(DataPath("pro.dat"))));
}

}  // namespace qm::ui

namespace qm::ui {

TEST_F(ZipUpdateDialogTest, ImportOfTheNationalFileReplacesTheTableWhenItConverts) {
  const std::string row = "13101,\"100  \",\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\",\"千代田\",0,0,0,0,0,0\r\n";
  const QString good = dir_.filePath("KEN_ALL.CSV"), bad = dir_.filePath("bad.csv");
  WriteFileAtomically(good.toStdString(), Sjis(row));
  WriteFileAtomically(bad.toStdString(), Sjis(row) + "1,2,3\r\n");
  dialog_.FormShow();
  // Cancelled: nothing.
  dialog_.BtnImport->click();
  EXPECT_EQ(Bytes(folder_.ZipFile()), "1000001,old\r\n");
  // A file with a bad row: the error names it; the table stays.
  messages_.Open(bad);
  dialog_.BtnImport->click();
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(messages_.errors[0].contains("行 2")) << messages_.errors[0].toStdString();
  EXPECT_EQ(Bytes(folder_.ZipFile()), "1000001,old\r\n");
  messages_.Open(good);
  dialog_.BtnImport->click();
  EXPECT_EQ(messages_.shown.value(0), "1 件の郵便番号データを取り込みました。");
  EXPECT_EQ(Bytes(folder_.ZipFile()), Sjis("1000001,東京都千代田区千代田\r\n"));
  EXPECT_EQ(dialog_.Edit1->text(), "全国版の郵便番号データ KEN_ALL.CSV から取り込み");
  EXPECT_EQ(dialog_.InstalledKey(), "20250101");  // the key stays for the next update check
  EXPECT_EQ(tables_.Get()->Hit(0).address, "東京都千代田区千代田");
  EXPECT_TRUE(messages_.openRequests.value(0).startsWith("CSVファイル"));
}

}  // namespace qm::ui
