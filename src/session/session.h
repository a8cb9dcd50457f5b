#pragma once
// The running program's state: the one document being edited, the customer, item and
// unit masters, the operating settings, the company profiles, the input histories, the
// copied line, the postal table, the issued-documents archive and the data folder they
// live in. The main window, every dialog and the command line work through it; nothing
// here knows about windows. It sits above every core layer (model, postal, files,
// archive), below the windows and the command line.
#include <functional>
#include <string>

#include "archive/issue_archive.h"
#include "base/data_folders.h"
#include "model/company_info.h"
#include "model/config_info.h"
#include "model/estimate_list.h"
#include "model/history_store.h"
#include "model/master_lists.h"
#include "model/peppol_ids.h"
#include "postal/zip_table.h"

namespace qm {

class AppSession {
 public:
  // Nothing is read until a Load step runs.
  AppSession(DataFolder folder, std::string historyFileName = DefaultHistoryFileName());
  AppSession(const AppSession&) = delete;
  AppSession& operator=(const AppSession&) = delete;

  const DataFolder& Folder() const { return folder_; }
  TMxEstimateObjectList& Document() { return document_; }
  const TMxEstimateObjectList& Document() const { return document_; }
  TMxCustomerObjectList& Customers() { return customers_; }
  // The customers' e-invoice addresses (PeppolID.dat), read and saved with the customers.
  PeppolIdBook& PeppolIds() { return peppolIds_; }
  TMxItemObjectList& Items() { return items_; }
  const TMxItemObjectList& Items() const { return items_; }
  TMxItemUnitObjectList& Units() { return units_; }
  const TMxItemUnitObjectList& Units() const { return units_; }
  TMxConfigInfo& Config() { return config_; }
  const TMxConfigInfo& Config() const { return config_; }
  TMxCampanyInfoManager& Companies() { return companies_; }
  const TMxCampanyInfoManager& Companies() const { return companies_; }
  IniHistoryStore& Histories() { return histories_; }
  // The line the copy command keeps for pasting.
  TMxEstimateObject& CopyBuffer() { return copyBuffer_; }
  // The postal table, read on the first lookup and kept while the file stays the same.
  postal::ZipTableCache& ZipTables() { return zipTables_; }
  // What was issued: opened on first use.
  archive::IssueArchive& Archive() { return archive_; }

  // Start-up: the data folder and its subfolders, the three masters, the operating
  // settings (their tax rate goes into the document) and the company profiles. A step
  // that fails is handed to `failed` with its message and the next step still runs, so
  // one damaged file keeps the rest usable.
  void Start(const std::function<void(const std::string&)>& failed);

  // Each step on its own; each throws qm::Error with a message for the user.
  void LoadCustomers();
  void LoadItems();
  void LoadUnits();
  // conf.ini [SETTING] and the seal images; the tax rate is copied into the document.
  void LoadConfig();
  void LoadCompanies();
  void SaveCustomers() const;
  void SaveItems() const;
  void SaveUnits() const;
  void SaveConfig() const;
  void SaveCompanies() const;

 private:
  DataFolder folder_;
  IniHistoryStore histories_;
  TMxEstimateObjectList document_;
  TMxCustomerObjectList customers_;
  PeppolIdBook peppolIds_;
  TMxItemObjectList items_;
  TMxItemUnitObjectList units_;
  TMxConfigInfo config_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObject copyBuffer_;
  postal::ZipTableCache zipTables_;
  archive::IssueArchive archive_;
};

}  // namespace qm
