#include "ui/files/file_list_view.h"

#include <QHeaderView>

#include "ui/common/message_box.h"

namespace qm::ui {

TFileListView::TFileListView(QWidget* parent) : QTreeWidget(parent) {
  setObjectName("LVFileList");
  setColumnCount(5);
  setHeaderLabels({QString(), QStringLiteral("ファイル名"), QStringLiteral("会社名"), QStringLiteral("コメント"),
                   QStringLiteral("保存日時")});
  const int widths[] = {20, 150, 150, 250, 120};
  for (int i = 0; i < 5; ++i) setColumnWidth(i, widths[i]);
  setRootIsDecorated(false);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformRowHeights(true);
  header()->setSectionsClickable(true);
  header()->setSortIndicatorShown(false);
  connect(header(), &QHeaderView::sectionClicked, this, [this](int column) { SortByColumn(column); });
}

void TFileListView::Show(const FileListing& listing) {
  rows_ = listing.rows;
  Fill();
  if (!listing.unreadable.empty()) {
    QString text = QStringLiteral("次のファイルを読み込めませんでした。");
    for (const UnreadFile& f : listing.unreadable) text += "\n" + QString::fromStdString(f.message);
    ShowError(this, text);
  }
}

void TFileListView::RefreshFileListView(const std::string& saveDir) { Show(ListEstimateFiles(saveDir)); }

void TFileListView::SortByColumn(int column) {
  FSortColumn = column;
  FSortAngle = !FSortAngle;
  SortFileList(rows_, column, FSortAngle);
  Fill();
}

void TFileListView::Fill() {
  clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows_.size()));
  for (const FileListRow& r : rows_)
    items << new QTreeWidgetItem(QStringList{QString::fromStdString(r.marker), QString::fromStdString(r.fileName),
                                             QString::fromStdString(r.companyName),
                                             QString::fromStdString(r.comment), QString::fromStdString(r.savedAt)});
  addTopLevelItems(items);
}

std::vector<FileListRow> TFileListView::SelectedRows() const {
  std::vector<FileListRow> selected;
  for (int i = 0; i < topLevelItemCount(); ++i)
    if (topLevelItem(i)->isSelected()) selected.push_back(rows_[static_cast<std::size_t>(i)]);
  return selected;
}

}  // namespace qm::ui
