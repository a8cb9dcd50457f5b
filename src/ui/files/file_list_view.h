#pragma once
// The file list shared by the open dialog, the save list dialog and (later) the
// total-claim chooser: five columns, filled from the save folder's listing, sorted by a
// click on a column header with one direction flag for all columns.
#include <QTreeWidget>
#include <vector>

#include "files/file_listing.h"

namespace qm::ui {

class TFileListView : public QTreeWidget {
  Q_OBJECT
 public:
  explicit TFileListView(QWidget* parent = nullptr);

  // Shows `listing`; tells the user once which files could not be read.
  void Show(const FileListing& listing);
  // Fills the list with every document of the save folder (RefreshFileListView).
  void RefreshFileListView(const std::string& saveDir);
  // The row under column-header click `column`: FSortColumn := column, FSortAngle inverted.
  void SortByColumn(int column);

  const std::vector<FileListRow>& Rows() const { return rows_; }
  // Rows selected, in list order.
  std::vector<FileListRow> SelectedRows() const;

  int FSortColumn = 0;
  bool FSortAngle = false;

 private:
  void Fill();
  std::vector<FileListRow> rows_;
};

}  // namespace qm::ui
