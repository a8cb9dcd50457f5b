#pragma once
// "新しい郵便番号データを更新": shows the installed postal data, checks the update server
// for a newer one and downloads it on a worker thread, which reports back through queued
// signals; the proxy fields are remembered in pro.dat. While a download runs the dialog
// cannot be closed and the check cannot start again.
#include <QDialog>
#include <QThread>

#include <string>

#include "base/data_folders.h"
#include "postal/zip_update.h"
#include "ui/common/modal_result.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace qm::postal {
class ZipTableCache;
}

namespace qm::ui {

// The download: both files fetched, checked and installed, then the outcome and the end
// sent to the dialog. It never waits for the user-interface thread.
class Thread_ZipDL : public QThread {
  Q_OBJECT
 public:
  Thread_ZipDL(std::string server, postal::HttpOptions http, std::string zipFolder, QObject* parent = nullptr);

 signals:
  void Send_ShowMessage0();  // the download failed
  void Send_ShowMessage1();  // both files installed
  void DL_END();             // always, last

 protected:
  void run() override;

 private:
  std::string server_;
  postal::HttpOptions http_;
  std::string zipFolder_;
};

class Tzip_update : public QDialog {
  Q_OBJECT
 public:
  Tzip_update(DataFolder folder, postal::ZipTableCache& tables, QWidget* parent = nullptr);
  ~Tzip_update() override;

  // Opening: the installed version and the saved proxy.
  void FormShow();
  ModalResult ShowModal();

  void Get_Local_Version();
  // -1: the server's version file could not be had; 1: it is newer; 0: it is not.
  int Get_Host_Version();
  void Button1Click();
  void Btn_CancelClick();
  // 全国版CSVを取り込む: the national postal-code file the user downloaded, converted and
  // installed as zip.dat when the whole file converts.
  void BtnImportClick();
  void Show_ShowMessage(int kind);

  bool CanClose() const { return canClose_; }
  // Esc: closes only when no download runs.
  void reject() override;
  const std::string& InstalledKey() const { return installedKey_; }
  // Shorter waits for tests; the defaults suit a user's connection.
  postal::HttpOptions& Http() { return http_; }

  QLineEdit* Edit1 = nullptr;
  QPushButton* Button1 = nullptr;
  QLineEdit *LabeledEdit1 = nullptr, *LabeledEdit2 = nullptr;
  QPushButton *Btn_Cancel = nullptr, *BtnImport = nullptr;
  QLabel* Panel1 = nullptr;

 signals:
  // The download ended and the dialog is usable again.
  void DownloadEnded();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void SetDownloading(bool downloading);
  void DL_END();
  postal::HttpOptions ProxyOptions();

  DataFolder folder_;
  postal::ZipTableCache& tables_;
  postal::HttpOptions http_;
  std::string installedKey_;
  bool canClose_ = true;
  Thread_ZipDL* thread_ = nullptr;
};

}  // namespace qm::ui
