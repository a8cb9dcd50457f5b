#pragma once
// The tab "内容": the calculation panel (the four calculation settings, the mode and the
// three totals), the heading panel, the rows of the line area and the button bar. Rows
// and document lines are moved into each other here; the editing rules themselves are
// those of the document (model/line_editing.h).
#include <QWidget>

#include <vector>

#include "model/line_editing.h"
#include "session/session.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace qm::ui {

class DocumentView;
class TLineInputArea;
class TPicturePreview;

class TContentsTab : public QWidget {
  Q_OBJECT
 public:
  // `view` refreshes the whole window after a change.
  TContentsTab(AppSession& session, DocumentView& view, QWidget* parent = nullptr);

  TLineInputArea& LineArea() { return *lineArea_; }
  int NowLineIndex() const { return FNowLineIndex; }
  QMenu* ItemMenu() const { return PMItem; }
  QMenu* UnitMenu() const { return PMUnit; }
  TPicturePreview& PicturePreview() { return *preview_; }
  QPushButton* ExportButton() const { return BtnExport; }
  // Makes row n the current line (highlighted, its picture previewed).
  void SetCurrentLine(int n) { ActiveInputArea(n); }

  // Rows: added or removed at the end, with document lines unless `rowsOnly`.
  void AddInputAreaAndData(int count, bool rowsOnly);
  void DelInputAreaAndData(int count, bool rowsOnly);
  // Makes the rows match the document's lines.
  void InitInputArea();
  // Every row from its line; the three totals; the twelve headings.
  void RefreshInputArea();
  void RefreshCalcResult();
  void RefreshContentHeader();
  // The four calculation settings from the document, or their defaults.
  void ShowCalcSettings();
  void ResetCalcSettings();
  // Total-claim documents hide the editing buttons and the calculation settings.
  void SetTotalClaimMode(bool on);
  // Takes the focus out of the cell being edited; there is no current line after it.
  void CommitCurrentEdit();
  // Reads row n into line n and recalculates the line.
  void CalcLine(int n);
  // Rebuilds the item and unit pick menus from the masters.
  void BuildPickMenus();

  void AddRowsClick();
  void RemoveRowsClick();
  // The editing commands on the current line.
  void CopyLineClick();
  void PasteLineClick();
  void MoveUpClick();
  void MoveDownClick();
  void InsertLineClick();
  void InsertSubTotalClick();
  void DeleteLineClick();

 signals:
  // Row n became the current line, or stopped being it.
  void lineActivated(int n);
  void lineLeft(int n);
  // A line was deleted: what the preview showed may be gone.
  void lineDeleted();

 private:
  void Build();
  QWidget* BuildCalcPanel();
  QWidget* BuildHeadingPanel();
  QLayout* BuildButtonBar();
  void ConfigChange();
  void EditEnter(int row, QWidget* cell);
  void EditExit(int row, bool fillCost, bool unhighlight);
  void ActiveInputArea(int n);
  void NonActiveInputArea(int n);
  void MoveCurrentLine(int delta);
  // Shows the message of a refused edit; true when the edit was done.
  bool Report(LineEdit result, const char* noLineMessage);
  void PickItem(int index);
  void PickUnit(int index);

  AppSession& session_;
  DocumentView& view_;
  int FNowLineIndex = -1;
  bool inputEvents_ = true;
  bool leavingRow_ = false;

  TLineInputArea* lineArea_ = nullptr;
  std::vector<QLabel*> headLabels_;
  QComboBox *CBCalcUnit, *CBUnderOne, *CBSubTotalUnderOne;
  QCheckBox* CBTaxIn;
  QGroupBox *GBTaxCalc, *GBTaxInput, *GBSubTotal;
  QLabel* LblMode;
  QLineEdit *EdSubTotal, *MMTax, *EdGrandTotal;
  QPushButton *BtnDelLine, *BtnUp, *BtnDown, *BtnAddRows, *BtnDelRows, *BtnExport;
  QMenu* PMItem = nullptr;
  QMenu* PMUnit = nullptr;
  TPicturePreview* preview_ = nullptr;
};

}  // namespace qm::ui
