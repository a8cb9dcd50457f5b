#pragma once
// The program's main window: it owns the document being edited, the masters and the
// settings for the whole run, shows the customer tab and the line area, and runs the
// document lifecycle and the line editing commands.
#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "model/company_info.h"
#include "model/config_info.h"
#include "model/estimate_list.h"
#include "model/history_store.h"
#include "model/master_lists.h"
#include "print/print_geometry.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace qm::ui {

class THistoryComboBox;
class TLineInputArea;
class TFormSearchFile;
class TFormOpen;
class TFormSave;
class TFormListFileSave;
class TFormPrintMitsu;

// Where the window finds its files; tests point both at temporary folders.
struct MainWindowSetup {
  std::string dataDir;          // the data folder; created with its subfolders when missing
  std::string historyFileName;  // the input-history store
  static MainWindowSetup Default();
};

class TFormMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFormMain(MainWindowSetup setup = MainWindowSetup::Default(), QWidget* parent = nullptr);
  ~TFormMain() override;

  // Data folder and its subfolders, each with a trailing separator.
  std::string GetConfigDir() const { return FConfigDir; }
  std::string GetImgDir() const { return FConfigDir + "img/"; }
  std::string GetSaveDir() const { return FConfigDir + "data/"; }
  std::string GetZipDataDir() const { return FConfigDir + "zip/"; }

  TMxEstimateObjectList& Document() { return FMxEstimateList; }
  TMxConfigInfo& Config() { return *FMxConfigInfo; }
  TLineInputArea& LineArea() { return *lineArea_; }
  int NowLineIndex() const { return FNowLineIndex; }
  QMenu* ItemMenu() const { return PMItem; }
  QMenu* UnitMenu() const { return PMUnit; }

  // Lifecycle and refresh.
  void InitAll();
  void New1Click();
  void RefreshMainForm();
  void RefreshInputArea();
  void RefreshCalcResult();
  void RefreshContentHeader();
  void InitMainForm(bool totalClaimMode);
  void InitInputArea();
  void AddInputAreaAndData(int count, bool rowsOnly);
  void DelInputAreaAndData(int count, bool rowsOnly);
  // Takes the focus out of the cell being edited so that its edit reaches the document.
  void CommitCurrentEdit();
  void FormContent2Object();
  void Object2FormContent();
  // Rebuilds the item and unit pick menus from the masters.
  void BuildPickMenus();

  // Files.
  void BtnOpenClick();
  void BtnSaveClick();
  void B2Click();  // backup
  void R1Click();  // restore
  TFormOpen& FormOpen() { return *FormOpen_; }
  TFormListFileSave& FormListFileSave() { return *FormListFileSave_; }
  TFormSave& FormSave() { return *FormSave_; }

  // Printing the estimate family: each button prepares the print dialog for its kind.
  void BtnMitsuClick() { PrintButtonClick(TChartType::tcMitumori); }
  void PNGBtnTankaClick() { PrintButtonClick(TChartType::tcTankaMitumori); }
  void BtnNouhinClick() { PrintButtonClick(TChartType::tcNouhin); }
  void BtnSeikyuClick() { PrintButtonClick(TChartType::tcSeikyu); }
  void BtnJuryoClick() { PrintButtonClick(TChartType::tcJyuryou); }
  void BtnSeikyuMeisaiClick() { PrintButtonClick(TChartType::tcSeikyuMeisai); }
  void PNGBtnKoujiClick() { PrintButtonClick(TChartType::tcKoujiUtiwake); }
  void PrintButtonClick(TChartType kind);
  // Prints with the print dialog's settings; without a printer the system's print
  // dialog is offered (it can print into a PDF file).
  void PrintChart(TChartType kind);
  TFormPrintMitsu& FormPrintMitsu() { return *FormPrintMitsu_; }
  TMxCampanyInfoManager& Companies() { return *FMxCampanyInfo; }

  // Line area.
  void CalcLine(int n);
  void AddRowsClick();
  void RemoveRowsClick();
  // Editing commands on the current line.
  void CopyLineClick();
  void PasteLineClick();
  void MoveUpClick();
  void MoveDownClick();
  void InsertLineClick();
  void InsertSubTotalClick();
  void DeleteLineClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolbar();
  QWidget* BuildCustomerTab();
  QWidget* BuildContentsTab();
  void InitDataFolders();
  void LoadMastersAndSettings();
  void ConnectHeaderControls();
  void InputEventEnable(bool enable) { inputEvents_ = enable; }
  void ContentsChange();
  void ConfigChange();
  void EditEnter(int row, QWidget* cell);
  void EditExit(int row, QWidget* cell, bool fillCost = true, bool unhighlight = true);
  void ActiveInputArea(int n);
  void NonActiveInputArea(int n);
  void ClearHistoryClick(THistoryComboBox* box, const char* heading);
  void PickItem(int index);
  void PickUnit(int index);
  void MoveCurrentLine(int delta);
  // The insert test and move shared by insert and insert subtotal; false when refused.
  bool PullLastLineToCurrent();
  bool RefuseInTotalClaim();
  bool RequireCurrentLine(const char* message);
  void ShowAbout();
  // Runs a command; a core error goes to the general error box and the program goes on.
  template <typename F>
  void Guarded(F&& command);

  MainWindowSetup setup_;
  std::string FConfigDir;
  TMxEstimateObjectList FMxEstimateList;
  TMxCustomerObjectList FMxCustomerList;
  TMxItemObjectList FMxItemList;
  TMxItemUnitObjectList FMxItemUnitList;
  std::unique_ptr<TMxConfigInfo> FMxConfigInfo;
  std::unique_ptr<TMxCampanyInfoManager> FMxCampanyInfo;
  TMxEstimateObject FMxCopyEstimateObject;
  std::unique_ptr<IniHistoryStore> historyStore_;
  int FNowLineIndex = -1;
  int OldLineNo = -1;
  bool inputEvents_ = false;
  bool shownOnce_ = false;

  // Customer tab.
  QTabWidget* PageControl = nullptr;
  QLineEdit *MMYear, *MMMonth, *MMDay, *MMCusCode, *MMSlipCode, *EdtZip, *EdtAdd1, *EdtAdd2;
  QLineEdit *EdtName1, *EdtName2, *EdtName3, *EdtTel, *EdtFax, *EdtMemo;
  QComboBox* CBNameTitle;
  THistoryComboBox *CBKoujiName, *CBLimit, *CBPlace, *CBCondition;
  QCheckBox *ChBKoujiName, *ChBLimit, *ChBPlace, *ChBCondition;
  QLabel *LblKoujiName, *LblLimit, *LblPlace, *LblCondition;
  QPlainTextEdit* MMEtc;
  // Contents tab.
  TLineInputArea* lineArea_ = nullptr;
  std::vector<QLabel*> headLabels_;
  QComboBox *CBCalcUnit, *CBUnderOne, *CBSubTotalUnderOne;
  QCheckBox* CBTaxIn;
  QGroupBox *GBTaxCalc, *GBTaxInput, *GBSubTotal;
  QLabel* LblMode;
  QLineEdit *EdSubTotal, *MMTax, *EdGrandTotal;
  QPushButton *BtnDelLine, *BtnUp, *BtnDown, *BtnAddRows, *BtnDelRows, *BtnExport;
  // Menus.
  QMenu* PMItem = nullptr;
  QMenu* PMUnit = nullptr;
  std::vector<QAction*> editActions_;
  // Dialogs, created once; their sort state persists between openings.
  TFormSearchFile* FormSearchFile_ = nullptr;
  TFormOpen* FormOpen_ = nullptr;
  TFormSave* FormSave_ = nullptr;
  TFormListFileSave* FormListFileSave_ = nullptr;
  TFormPrintMitsu* FormPrintMitsu_ = nullptr;
};

}  // namespace qm::ui
