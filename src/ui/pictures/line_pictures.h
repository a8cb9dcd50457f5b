#pragma once
// The pictures of the document's lines and the contents export: the picture button of
// each row (load, or remove after a question), the preview of the current line's
// picture with its viewer and save button, and 内容出力.
#include <QObject>

#include <functional>

#include "session/session.h"

namespace qm::ui {

class DocumentView;
class TFormPicPreview;
class TPicturePreview;

// What the pictures ask of the rows of the contents tab.
struct LineRows {
  std::function<void(int)> makeCurrent;  // row n becomes the current line
  std::function<void(int)> focusRemark;  // the remark cell of row n takes the focus
};

class LinePictures : public QObject {
  Q_OBJECT
 public:
  LinePictures(AppSession& session, DocumentView& view, LineRows rows, TPicturePreview& preview,
               QObject* parent = nullptr);

  // The picture button of row n.
  void BtnItemPicClick(int n);
  // Row n became current / was left.
  void LineActivated(int n);
  void LineLeft(int n);
  // The preview shows nothing (a line deleted, a new document).
  void ClearPreview();
  void ImagePicPreviewClick();
  void BtnPicSaveClick();
  void ExportContentsClick();

  int OldLineNo() const { return oldLineNo_; }
  TFormPicPreview& FormPicPreview();

 private:
  AppSession& session_;
  DocumentView& view_;
  LineRows rows_;
  TPicturePreview& preview_;
  TFormPicPreview* viewer_ = nullptr;
  int oldLineNo_ = -1;  // the line whose picture the preview holds
};

}  // namespace qm::ui
