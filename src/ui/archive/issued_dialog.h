#pragma once
// 発行控えの検索: the records of the issued-documents archive found by slip date, amount,
// customer and kind, alone or together; the hits by slip date in a sortable list, the
// chosen one's PDF opened in the desktop's viewer, the hits written as CSV for the tax
// office, and the archive verified.
#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "archive/issue_archive.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace qm::ui {

class TFormIssuedSearch : public QDialog {
  Q_OBJECT
 public:
  TFormIssuedSearch(archive::IssueArchive& archive, std::string dataRoot, QWidget* parent = nullptr);

  // Opens with the last filters and shows their hits.
  void ShowModal();

  void SearchClick();
  void OpenClick();
  void CsvClick();
  void VerifyClick();

  const std::vector<archive::IssuedRecord>& Hits() const { return hits_; }
  // Opens a file in the desktop's viewer (tests look instead).
  std::function<bool(const QString& path)> OpenFile;

  QLineEdit *EdtFrom = nullptr, *EdtTo = nullptr, *EdtMin = nullptr, *EdtMax = nullptr, *EdtCustomer = nullptr;
  QComboBox* CBKind = nullptr;
  QTableWidget* LVIssued = nullptr;
  QLabel* LblCount = nullptr;
  QPushButton *BtnSearch = nullptr, *BtnOpen = nullptr, *BtnCsv = nullptr, *BtnVerify = nullptr,
              *BtnClose = nullptr;

 private:
  // The filters typed; nullopt (with the message shown) when one does not read.
  std::optional<archive::IssueFilter> Filter();
  void Fill();

  archive::IssueArchive& archive_;
  std::string dataRoot_;
  std::vector<archive::IssuedRecord> hits_;
};

}  // namespace qm::ui
