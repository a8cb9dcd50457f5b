#pragma once
// Opening, searching, saving and choosing documents by name; the user never sees a path.
#include <QDialog>
#include <string>

#include "files/file_listing.h"
#include "model/estimate_list.h"
#include "model/total_claim.h"
#include "ui/common/modal_result.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qm::ui {

class TFileListView;

// "条件絞込み": a field, a word (or the mode), and the calendar for the save date.
class TFormSearchFile : public QDialog {
  Q_OBJECT
 public:
  explicit TFormSearchFile(QWidget* parent = nullptr);
  // Resets the controls as every opening does.
  void Prepare();
  SearchField Field() const;
  std::string Word() const;

  QComboBox* CBHead;
  QLineEdit* EdtWord;
  QComboBox* CBMode;
  QDateEdit* DateTimePicker1;
  QLabel* LblChange;
  QPushButton* BtnSearch;

 private:
  void HeadChange();
};

// "ファイルを開く".
class TFormOpen : public QDialog {
  Q_OBJECT
 public:
  TFormOpen(std::string saveDir, TFormSearchFile& search, QWidget* parent = nullptr);
  // Fills the list for `document`; ShowModal = Prepare + exec.
  void Prepare(TMxEstimateObjectList& document);
  ModalResult ShowModal(TMxEstimateObjectList& document);

  void OpenClick();
  void DeleteClick();
  void SearchClick();
  void ClearSearchClick();
  TFileListView* LVFileList;

 private:
  std::string saveDir_;
  TFormSearchFile& search_;
  TMxEstimateObjectList* FMxEstimateList = nullptr;
};

// "ファイルの選択": the saved documents a total invoice is made of, several selectable.
class TFormTotalClaim : public QDialog {
  Q_OBJECT
 public:
  TFormTotalClaim(std::string saveDir, TFormSearchFile& search, QWidget* parent = nullptr);
  // Fills the list; ShowModal = Prepare + exec.
  void Prepare();
  ModalResult ShowModal();
  // The chosen documents in the order the list shows them.
  std::vector<TotalClaimSource> Chosen() const;

  void OkClick();
  void SearchClick();
  void ClearSearchClick();
  TFileListView* LVFileList;

 private:
  std::string saveDir_;
  TFormSearchFile& search_;
};

// "保存": file name and comment.
class TFormSave : public QDialog {
  Q_OBJECT
 public:
  explicit TFormSave(std::string saveDir, QWidget* parent = nullptr);
  void Prepare(const TMxEstimateObjectList& document, const QString& fileName, const QString& comment);
  ModalResult ShowModal(const TMxEstimateObjectList& document, const QString& fileName, const QString& comment);
  // True when the document may be written under `name` (asks before overwriting).
  bool CheckFileName(const QString& name);
  void SaveClick();

  QLineEdit* EdtFileName;
  QLineEdit* EdtComment;

 protected:
  void reject() override;

 private:
  std::string saveDir_;
  const TMxEstimateObjectList* FMxEstimateList = nullptr;
};

// "保存": the saved documents, with new save, overwrite and delete.
class TFormListFileSave : public QDialog {
  Q_OBJECT
 public:
  TFormListFileSave(std::string saveDir, TFormSave& save, QWidget* parent = nullptr);
  void Prepare(const TMxEstimateObjectList& document);
  ModalResult ShowModal(const TMxEstimateObjectList& document);

  void NewSaveClick();
  void OverwriteClick();
  void DeleteClick();
  TFileListView* LVFileList;

 private:
  std::string saveDir_;
  TFormSave& save_;
  const TMxEstimateObjectList* FMxEstimateList = nullptr;
};

}  // namespace qm::ui
