// Line pictures through the main window: the row's picture button, the preview in the
// calculation panel, the viewer, saving the picture, and 内容出力, with real files in a
// temporary folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "base/atomic_file.h"
#include "model/contents_export.h"
#include "support/images.h"
#include "ui/app/contents_tab.h"
#include "ui/app/line_area.h"
#include "ui/app/main_window.h"
#include "ui/files/file_commands.h"
#include "ui/files/file_dialogs.h"
#include "ui/files/file_list_view.h"
#include "ui/pictures/line_pictures.h"
#include "ui/pictures/picture_preview.h"
#include "ui/support/scripted_messages.h"
#include "ui/support/window_tests.h"

namespace qm::ui {
namespace {

class PicturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = qmtest::ShowMainWindow(data_);
    ASSERT_TRUE(window_);
    wide_ = data_.filePath("wide.png");
    ASSERT_TRUE(qmtest::WriteImageFile(wide_.toStdString(), "png", 400, 200));
  }
  void TearDown() override {
    EXPECT_TRUE(messages_.unexpected.isEmpty()) << messages_.unexpected.join('\n').toStdString();
    EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join('\n').toStdString();
  }
  TMxEstimateObjectList& Doc() { return window_->Document(); }
  TLineInputArea::Row& Row(int n) { return window_->Contents().LineArea().RowAt(n); }
  TPicturePreview& Preview() { return window_->Contents().PicturePreview(); }
  // The picture button of row n, with `file` chosen in the open dialog.
  void Load(int n, const QString& file) {
    messages_.Open(file);
    Row(n).BtnItemPic->click();
  }
  std::string Bytes(const QString& path) const { return ReadWholeFile(path.toStdString()); }

  qmtest::ScriptedMessages messages_;
  QTemporaryDir data_;
  std::unique_ptr<TFormMain> window_;
  QString wide_;
};

}  // namespace

TEST_F(PicturesTest, LoadingFillsAnEmptyRemarkTurnsTheButtonRedAndShowsThePreview) {
  Doc().Items(1).SetNote("既存の備考");
  window_->Refresh();
  EXPECT_EQ(Row(0).BtnItemPic->text(), "読込");
  Load(0, wide_);
  EXPECT_EQ(messages_.shown.value(0), "画像の読み込みが完了しました");
  EXPECT_TRUE(messages_.openRequests.value(0).startsWith("画像ファイル (*.png *.jpg *.jpeg *.bmp);;"))
      << messages_.openRequests.value(0).toStdString();
  ASSERT_EQ(Doc().Items(0).Pic().Kind(), PictureKind::Png);
  EXPECT_EQ(Doc().Items(0).Pic().Bytes(), Bytes(wide_));  // kept as the file is
  EXPECT_EQ(Doc().Items(0).Note(), "別紙参照");
  EXPECT_EQ(Row(0).EditItemEtc->text(), "別紙参照");
  EXPECT_EQ(Row(0).BtnItemPic->text(), "削除");
  EXPECT_EQ(Row(0).BtnItemPic->palette().color(QPalette::ButtonText), QColor(Qt::red));
  // 400 × 200 in the 159 × 89 box: the box width, half as high, centred.
  EXPECT_EQ(Preview().ShownRect(), QRect(0, 5, 159, 80));

  // A remark that is there stays.
  Load(1, wide_);
  EXPECT_EQ(Doc().Items(1).Note(), "既存の備考");
  // So does one typed but not yet taken over by the line.
  Row(2).EditItemEtc->setFocus();
  Row(2).EditItemEtc->setText("入力中");
  Load(2, wide_);
  EXPECT_EQ(Doc().Items(2).Note(), "入力中");
  EXPECT_EQ(Row(2).EditItemEtc->text(), "入力中");

  // Cancelled: nothing happens.
  Row(3).BtnItemPic->click();
  EXPECT_TRUE(Doc().Items(3).Pic().Empty());
  EXPECT_EQ(Doc().Items(3).Note(), "");
}

TEST_F(PicturesTest, AFileThatIsNotWhatItsExtensionSaysIsRefused) {
  // A .PNG (upper case) holding a JPEG: the trial load as PNG fails.
  const QString fake = data_.filePath("photo.PNG");
  ASSERT_TRUE(qmtest::WriteImageFile(fake.toStdString(), "jpeg", 30, 20));
  Load(0, fake);
  EXPECT_EQ(messages_.shown.value(0), "読み込みに失敗しました。画像ファイルが正しいか確認してください");
  EXPECT_TRUE(Doc().Items(0).Pic().Empty());
  EXPECT_EQ(Doc().Items(0).Note(), "");
  EXPECT_EQ(Row(0).BtnItemPic->text(), "読込");
  // A real PNG under an upper-case extension loads.
  const QString real = data_.filePath("real.PNG");
  ASSERT_TRUE(qmtest::WriteImageFile(real.toStdString(), "png", 30, 20));
  Load(0, real);
  EXPECT_EQ(Doc().Items(0).Pic().Kind(), PictureKind::Png);
  // A text file is no picture at all.
  const QString text = data_.filePath("note.jpg");
  WriteFileAtomically(text.toStdString(), "not a picture");
  Load(1, text);
  EXPECT_EQ(messages_.shown.value(2), "読み込みに失敗しました。画像ファイルが正しいか確認してください");
  EXPECT_TRUE(Doc().Items(1).Pic().Empty());
}

TEST_F(PicturesTest, RemovingAsksFirstAndClearsThePreview) {
  Load(0, wide_);
  messages_.Answer(false);
  Row(0).BtnItemPic->click();
  EXPECT_EQ(messages_.asked.value(0), "読み込まれている画像のデータは失われます。\r\n削除してよろしいですか？");
  EXPECT_FALSE(Doc().Items(0).Pic().Empty());
  EXPECT_FALSE(Preview().ShownRect().isEmpty());
  messages_.Answer(true);
  Row(0).BtnItemPic->click();
  EXPECT_TRUE(Doc().Items(0).Pic().Empty());
  EXPECT_EQ(messages_.shown.last(), "画像を削除しました");
  EXPECT_EQ(Row(0).BtnItemPic->text(), "読込");
  EXPECT_NE(Row(0).BtnItemPic->palette().color(QPalette::ButtonText), QColor(Qt::red));
  EXPECT_TRUE(Preview().ShownRect().isEmpty());
  EXPECT_EQ(Doc().Items(0).Note(), "別紙参照");  // the remark is the user's now
}

TEST_F(PicturesTest, PreviewFollowsTheCurrentLine) {
  const QString tall = data_.filePath("tall.bmp");
  ASSERT_TRUE(qmtest::WriteImageFile(tall.toStdString(), "bmp", 200, 400));
  Load(0, wide_);
  Load(2, tall);
  EXPECT_EQ(Preview().ShownRect(), QRect(57, 0, 45, 89));
  window_->Contents().SetCurrentLine(1);  // no picture
  EXPECT_TRUE(Preview().ShownRect().isEmpty());
  window_->Contents().SetCurrentLine(0);
  EXPECT_EQ(Preview().ShownRect(), QRect(0, 5, 159, 80));
  // A picture whose size reads as 0 (bytes that do not decode) shows nothing.
  Doc().Items(3).Pic().Assign(PictureKind::Png, "\x89PNG\r\n\x1a\n broken");
  window_->Contents().SetCurrentLine(3);
  EXPECT_TRUE(Preview().ShownRect().isEmpty());
  // A new document clears it.
  window_->Contents().SetCurrentLine(0);
  EXPECT_FALSE(Preview().ShownRect().isEmpty());
  messages_.Answer(true);  // 新規作成 asks first
  window_->New1Click();
  EXPECT_TRUE(Preview().ShownRect().isEmpty());
}

TEST_F(PicturesTest, TheViewerShowsThePictureAtItsOwnSize) {
  Load(0, wide_);
  bool opened = false;
  QTimer::singleShot(0, [&] {
    auto* viewer = qobject_cast<TFormPicPreview*>(QApplication::activeModalWidget());
    ASSERT_NE(viewer, nullptr);
    opened = true;
    EXPECT_EQ(viewer->windowTitle(), "画像プレビュー[実寸大]");
    EXPECT_EQ(viewer->Image->pixmap().size(), QSize(400, 200));
    viewer->BtnClose->click();
  });
  QTest::mouseClick(Preview().ImagePicPreview, Qt::LeftButton);
  EXPECT_TRUE(opened);
  EXPECT_FALSE(window_->Pictures().FormPicPreview().isVisible());
  // Nothing to show: no viewer.
  window_->Contents().SetCurrentLine(1);
  window_->Pictures().ImagePicPreviewClick();
  EXPECT_FALSE(window_->Pictures().FormPicPreview().isVisible());
}

TEST_F(PicturesTest, SavingAddsTheExtensionOnceAndAsksBeforeReplacing) {
  Load(0, wide_);
  const QString out = data_.filePath("out");
  messages_.SaveAs(out);
  Preview().BtnPicSave->click();
  EXPECT_EQ(messages_.shown.last(), "画像を出力しました");
  EXPECT_TRUE(messages_.saveRequests.value(0).startsWith("PNG (*.png)|png|"))
      << messages_.saveRequests.value(0).toStdString();
  EXPECT_EQ(Bytes(out + ".png"), Bytes(wide_));
  EXPECT_FALSE(QFile::exists(out + ".png.png"));

  // The same name with its extension: asked; No keeps the old file.
  WriteFileAtomically((out + ".png").toStdString(), "old");
  messages_.SaveAs(out + ".png");
  messages_.Answer(false);
  Preview().BtnPicSave->click();
  EXPECT_EQ(messages_.asked.value(0), "out.png は既に存在します。\r\n上書きしますか？");
  EXPECT_EQ(Bytes(out + ".png"), "old");
  EXPECT_FALSE(QFile::exists(out + ".png.png"));
  messages_.SaveAs(out + ".png");
  messages_.Answer(true);
  Preview().BtnPicSave->click();
  EXPECT_EQ(Bytes(out + ".png"), Bytes(wide_));

  // A JPEG is offered as .jpg; a name ending in .JPEG keeps it.
  const QString photo = data_.filePath("photo.jpeg");
  ASSERT_TRUE(qmtest::WriteImageFile(photo.toStdString(), "jpeg", 20, 10));
  Load(1, photo);
  messages_.SaveAs(data_.filePath("copy.JPEG"));
  Preview().BtnPicSave->click();
  EXPECT_TRUE(messages_.saveRequests.last().startsWith("JPG (*.jpg)|jpg|"));
  EXPECT_EQ(Bytes(data_.filePath("copy.JPEG")), Bytes(photo));
}

TEST_F(PicturesTest, APictureSurvivesSaveAndReopenByteForByte) {
  const QString photo = data_.filePath("photo.jpg");
  ASSERT_TRUE(qmtest::WriteImageFile(photo.toStdString(), "jpeg", 64, 48));
  Load(0, wide_);
  Load(4, photo);
  const QString saved = data_.filePath("data/data/写真付き.QM1");
  Doc().SaveFile(saved.toStdString(), "写真");
  messages_.Answer(true);
  window_->New1Click();
  ASSERT_TRUE(Doc().Items(0).Pic().Empty());
  EXPECT_EQ(Row(0).BtnItemPic->text(), "読込");

  messages_.Answer(true);  // 開く asks first
  QTimer::singleShot(0, [this] {
    TFormOpen& open = window_->Files().FormOpen();
    ASSERT_EQ(open.LVFileList->topLevelItemCount(), 1);
    open.LVFileList->topLevelItem(0)->setSelected(true);
    open.OpenClick();
  });
  window_->Files().BtnOpenClick();
  EXPECT_EQ(Doc().Items(0).Pic().Bytes(), Bytes(wide_));
  EXPECT_EQ(Doc().Items(4).Pic().Kind(), PictureKind::Jpeg);
  EXPECT_EQ(Doc().Items(4).Pic().Bytes(), Bytes(photo));
  EXPECT_EQ(Row(4).BtnItemPic->text(), "削除");
  EXPECT_EQ(Row(1).BtnItemPic->text(), "読込");
  window_->Contents().SetCurrentLine(4);
  EXPECT_EQ(Preview().ShownRect(), QRect(20, 0, 119, 89));  // 64 × 48 takes the box height
}

TEST_F(PicturesTest, ExportButtonWritesTheLinesWithTheEditInProgress) {
  Doc().Items(0).SetName("足場 \"A\"");
  Doc().Items(0).SetTotalPrice(Currency::FromYen(35000));
  Doc().DoCalc();
  window_->Refresh();
  Row(1).EditItemEtc->setFocus();
  Row(1).EditItemEtc->setText("入力中");
  const QString out = data_.filePath("lines.csv");
  messages_.SaveAs(out);
  ASSERT_TRUE(window_->Contents().ExportButton()->isEnabled());
  window_->Contents().ExportButton()->click();
  EXPECT_EQ(messages_.shown.last(), "エクスポートしました");
  EXPECT_TRUE(messages_.saveRequests.value(0).startsWith("CSVファイル(*.csv)|csv|"));
  EXPECT_EQ(Doc().Items(1).Note(), "入力中");
  EXPECT_EQ(Bytes(out), ContentsExportCsv(Doc(), window_->Session().Config()));
  EXPECT_NE(Bytes(out).find("\"\x91\xab\x8f\xea \"\"A\"\"\""), std::string::npos);  // 足場 "A", quotes doubled

  // Cancelled: nothing written, nothing said.
  QFile::remove(out);
  const int said = static_cast<int>(messages_.shown.size());
  window_->Contents().ExportButton()->click();
  EXPECT_FALSE(QFile::exists(out));
  EXPECT_EQ(messages_.shown.size(), said);
}

TEST_F(PicturesTest, TotalInvoiceRowsHaveNoPictureButton) {
  EXPECT_TRUE(Row(0).BtnItemPic->isEnabled());
  Doc().SetTotalClaimMode(true);
  window_->ShowDocument();
  EXPECT_FALSE(Row(0).BtnItemPic->isEnabled());
}

}  // namespace qm::ui
