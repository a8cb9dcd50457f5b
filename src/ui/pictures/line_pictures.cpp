#include "ui/pictures/line_pictures.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include "base/atomic_file.h"
#include "model/contents_export.h"
#include "model/line_picture.h"
#include "ui/common/document_view.h"
#include "ui/common/guarded.h"
#include "ui/common/message_box.h"
#include "ui/pictures/picture_preview.h"

namespace qm::ui {
namespace {

constexpr const char* kPictureFilter =
    "画像ファイル (*.png *.jpg *.jpeg *.bmp);;Portable Network Graphics (*.png);;JPEG イメージファイル (*.jpg);;"
    "JPEG イメージファイル (*.jpeg);;ビットマップ (*.bmp)";

const char* SaveFilter(PictureKind kind) {
  switch (kind) {
    case PictureKind::Bmp: return "BMP (*.bmp)";
    case PictureKind::Png: return "PNG (*.png)";
    default: return "JPG (*.jpg)";
  }
}

}  // namespace

LinePictures::LinePictures(AppSession& session, DocumentView& view, LineRows rows, TPicturePreview& preview,
                           QObject* parent)
    : QObject(parent), session_(session), view_(view), rows_(std::move(rows)), preview_(preview) {
  connect(&preview_, &TPicturePreview::clicked, this, [this] { Guarded(view_.Window(), [this] { ImagePicPreviewClick(); }); });
  connect(preview_.BtnPicSave, &QPushButton::clicked, this,
          [this] { Guarded(view_.Window(), [this] { BtnPicSaveClick(); }); });
}

TFormPicPreview& LinePictures::FormPicPreview() {
  if (!viewer_) viewer_ = new TFormPicPreview(view_.Window());
  return *viewer_;
}

void LinePictures::BtnItemPicClick(int n) {
  TMxEstimateObjectList& doc = session_.Document();
  if (n < 0 || n >= doc.Count()) return;
  view_.CommitCurrentEdit();
  rows_.makeCurrent(n);
  QWidget* window = view_.Window();
  TMxEstimateObject& line = doc.Items(n);
  if (line.Pic().Empty()) {
    const QString file = ChooseOpenFile(window, QString::fromUtf8(kPictureFilter), QString());
    if (file.isEmpty()) return;
    const std::optional<TMxPicture> picture = TryLoadPicture(file.toStdString());
    if (!picture) {
      ShowMessage(window, QStringLiteral("読み込みに失敗しました。画像ファイルが正しいか確認してください"));
      return;
    }
    line.Pic() = *picture;
    // An empty remark points to the attached sheet; a remark already there stays.
    const bool remarkSet = line.Note().empty();
    if (remarkSet) line.SetNote("別紙参照");
    view_.Refresh();
    if (remarkSet) rows_.focusRemark(n);
    oldLineNo_ = -1;
    LineActivated(n);
    ShowMessage(window, QStringLiteral("画像の読み込みが完了しました"));
    return;
  }
  if (!AskYesNo(window, QStringLiteral("読み込まれている画像のデータは失われます。\r\n削除してよろしいですか？"))) return;
  line.Pic().Clear();
  view_.Refresh();
  ClearPreview();
  ShowMessage(window, QStringLiteral("画像を削除しました"));
}

void LinePictures::LineActivated(int n) {
  const TMxEstimateObjectList& doc = session_.Document();
  if (n < 0 || n >= doc.Count()) return;
  const TMxPicture& picture = doc.Items(n).Pic();
  if (picture.Empty()) {
    preview_.Clear();
  } else if (n != oldLineNo_) {
    preview_.ShowPicture(picture);
  }
  oldLineNo_ = n;
}

void LinePictures::LineLeft(int n) {
  if (n != oldLineNo_ || n < 0 || n >= session_.Document().Count() || session_.Document().Items(n).Pic().Empty())
    ClearPreview();
}

void LinePictures::ClearPreview() {
  preview_.Clear();
  oldLineNo_ = -1;
}

void LinePictures::ImagePicPreviewClick() {
  const TMxEstimateObjectList& doc = session_.Document();
  if (oldLineNo_ < 0 || oldLineNo_ >= doc.Count() || doc.Items(oldLineNo_).Pic().Empty()) return;
  TFormPicPreview& viewer = FormPicPreview();
  viewer.PicImageDraw(doc.Items(oldLineNo_).Pic());
  viewer.exec();
}

void LinePictures::BtnPicSaveClick() {
  const TMxEstimateObjectList& doc = session_.Document();
  if (oldLineNo_ < 0 || oldLineNo_ >= doc.Count() || doc.Items(oldLineNo_).Pic().Empty()) return;
  const TMxPicture& picture = doc.Items(oldLineNo_).Pic();
  QWidget* window = view_.Window();
  const QString chosen = ChooseSaveFile(window, QString::fromUtf8(SaveFilter(picture.Kind())),
                                        QString::fromUtf8(SavedExtension(picture.Kind())), ExportFolder());
  if (chosen.isEmpty()) return;
  // The extension is added only when the name does not end in it; a file that is there
  // is replaced only when the user says so.
  const QString path = QString::fromStdString(SavedPictureName(chosen.toStdString(), picture.Kind()));
  if (QFileInfo::exists(path) &&
      !AskYesNo(window, QFileInfo(path).fileName() + QStringLiteral(" は既に存在します。\r\n上書きしますか？")))
    return;
  WriteFileAtomically(path.toStdString(), picture.Bytes());
  ShowMessage(window, QStringLiteral("画像を出力しました"));
}

void LinePictures::ExportContentsClick() {
  view_.CommitCurrentEdit();
  QWidget* window = view_.Window();
  const QString file = ChooseFileToWrite(window, QStringLiteral("CSVファイル(*.csv)"), QStringLiteral("csv"), ExportFolder());
  if (file.isEmpty()) return;
  WriteFileAtomically(file.toStdString(), ContentsExportCsv(session_.Document(), session_.Config()));
  ShowMessage(window, QStringLiteral("エクスポートしました"));
}

}  // namespace qm::ui
