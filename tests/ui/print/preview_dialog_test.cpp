// The estimate preview, shown offscreen: page sequence with pictures and the copy set,
// buttons, zoom, landscape sizing and the BMP and JPEG export.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QWheelEvent>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "support/images.h"
#include "ui/support/scripted_messages.h"
#include "ui/print/preview_dialog.h"

namespace qm::ui {
namespace {

class PreviewTest : public ::testing::Test {
 protected:
  PreviewTest() : config_(dir_.path().toStdString()), companies_(dir_.path().toStdString()) {
    config_.LoadConfig(dir_.filePath("conf.ini").toStdString());
    src_.doc = &doc_;
    src_.config = &config_;
    src_.companies = &companies_;
    src_.printerDpiX = src_.printerDpiY = 100;
    preview_.resize(700, 760);
    preview_.show();
  }

  void AddLines(int count, int pictures = 0) {
    for (int i = 0; i < count; ++i) {
      auto line = std::make_unique<TMxEstimateObject>();
      line->SetName("品" + std::to_string(i + 1));
      line->SetNum(Currency::FromYen(1));
      line->SetPrice(Currency::FromYen(100));
      line->DoCalc();
      if (i < pictures) line->Pic().Assign(PictureKind::Png, qmtest::EncodedImage("png", 30, 20));
      doc_.Add(std::move(line));
    }
    doc_.DoCalc();
  }

  // The job the print dialog hands to its preview.
  void Prepare(TChartType kind, bool landscape) {
    src_.settings.options.PrintDirection = landscape;
    preview_.Prepare(PrintJob::Chart(src_, kind, PageNumbering::ItemPagesOnly));
  }

  bool Shows(const std::string& text) const {
    return preview_.ShownPageOps().find(text) != std::string::npos;
  }

  QTemporaryDir dir_;
  qmtest::ScriptedMessages messages_;
  TMxConfigInfo config_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObjectList doc_;
  ChartPageSources src_;
  TFormPreviewMitsu preview_;
};

TEST_F(PreviewTest, ThreeItemPagesTwoPicturePagesAndTheCopy) {
  AddLines(70, 3);
  src_.settings.options.PrintPic = true;
  src_.settings.options.PrintCopy = true;
  Prepare(TChartType::tcMitumori, false);
  EXPECT_EQ(preview_.MaxPage, 10);
  EXPECT_EQ(preview_.LblPage->text(), "( 1 / 10 )");
  EXPECT_FALSE(preview_.BtnPrev->isEnabled());
  EXPECT_TRUE(preview_.BtnNext->isEnabled());
  EXPECT_TRUE(Shows("\"御 見 積 書\""));
  EXPECT_TRUE(Shows("\"( 1 / 3 )\""));  // item pages count out of the item pages

  struct Expect {
    const char* present;
    const char* absent;
  };
  const Expect pages[] = {
      {"\"( 1 / 3 )\"", "(控)"},   {"\"( 2 / 3 )\"", "(控)"},        {"\"( 3 / 3 )\"", "(控)"},
      {"bitmap", "( "},              {"bitmap", "( "},                 {"\"御 見 積 書(控)\"", "( 2 / 3 )"},
      {"\"( 2 / 3 )\"", "御 見 積 書"}, {"\"( 3 / 3 )\"", "御 見 積 書"}, {"bitmap", "( "},
      {"bitmap", "( "},
  };
  for (int p = 1; p <= 10; ++p) {
    if (p > 1) preview_.BtnNext->click();
    EXPECT_EQ(preview_.NowPage, p);
    EXPECT_EQ(preview_.LblPage->text(), QString("( %1 / 10 )").arg(p));
    EXPECT_TRUE(Shows(pages[p - 1].present)) << "page " << p;
    EXPECT_FALSE(Shows(pages[p - 1].absent)) << "page " << p;
    EXPECT_EQ(preview_.BtnPrev->isEnabled(), p > 1) << p;
    EXPECT_EQ(preview_.BtnNext->isEnabled(), p < 10) << p;
  }
  // The counters come back whole after a copy page.
  EXPECT_EQ(preview_.MaxPage, 10);
  EXPECT_EQ(preview_.DocumentPage, 6);
  preview_.BtnPrev->click();
  EXPECT_EQ(preview_.NowPage, 9);
}

TEST_F(PreviewTest, AOnePageDocumentHasNoPageButtons) {
  AddLines(3);
  Prepare(TChartType::tcNouhin, false);
  EXPECT_EQ(preview_.LblPage->text(), "( 1 / 1 )");
  EXPECT_FALSE(preview_.BtnPrev->isEnabled());
  EXPECT_FALSE(preview_.BtnNext->isEnabled());
  EXPECT_FALSE(Shows("( 1 / 1 )"));  // the only page carries no number
}

TEST_F(PreviewTest, ZoomGrowsThePortraitPageFromTheTopAndLandscapeFollowsTheWidth) {
  AddLines(3);
  Prepare(TChartType::tcMitumori, false);
  const QSize client = preview_.Area->viewport()->size();
  const QSize at100 = preview_.ShownBitmap().size();
  EXPECT_EQ(at100.height(), client.height());
  EXPECT_EQ(at100.width(), qRound(client.height() / 1.414));
  preview_.CBZoom->setCurrentIndex(10);
  EXPECT_DOUBLE_EQ(preview_.bai, 2.0);
  const QSize at200 = preview_.ShownBitmap().size();
  EXPECT_EQ(at200.height(), 2 * at100.height());
  EXPECT_GT(preview_.Area->verticalScrollBar()->maximum(), 0);

  // The wheel moves the page five steps at a time.
  QScrollBar* bar = preview_.Area->verticalScrollBar();
  bar->setValue(20);
  QWheelEvent down(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(preview_.Area->viewport(), &down);
  EXPECT_EQ(bar->value(), 25);
  QWheelEvent up(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                 Qt::NoScrollPhase, false);
  QApplication::sendEvent(preview_.Area->viewport(), &up);
  EXPECT_EQ(bar->value(), 20);

  Prepare(TChartType::tcMitumori, true);
  EXPECT_EQ(preview_.OrientType, 1);
  EXPECT_EQ(preview_.CBZoom->currentIndex(), 0);
  const QSize wide = preview_.ShownBitmap().size();
  EXPECT_EQ(wide.width(), preview_.Area->viewport()->width());
  EXPECT_EQ(wide.height(), qRound(wide.width() / 1.414));
  // The page is really drawn: the title is dark on white.
  const QImage image = preview_.ShownBitmap();
  int dark = 0;
  for (int y = 0; y < image.height() / 8; ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 160) ++dark;
  EXPECT_GT(dark, 20);
}

TEST_F(PreviewTest, ExportsTheShownBitmapAsBmpAndJpeg) {
  AddLines(3);
  Prepare(TChartType::tcMitumori, false);
  messages_.SaveAs(dir_.filePath("page.bmp"));
  preview_.BtnBmp->click();
  const QImage bmp(dir_.filePath("page.bmp"));
  EXPECT_EQ(bmp.size(), preview_.ShownBitmap().size());
  ASSERT_EQ(messages_.saveRequests.size(), 1);
  EXPECT_TRUE(messages_.saveRequests[0].startsWith("BMPファイル(*.bmp)|bmp|"));

  messages_.SaveAs(dir_.filePath("page.jpg"));
  preview_.BtnJpeg->click();
  QImageReader jpeg(dir_.filePath("page.jpg"));
  EXPECT_EQ(jpeg.format(), "jpeg");
  EXPECT_EQ(jpeg.size(), preview_.ShownBitmap().size());

  // Cancelled: nothing written, nothing said.
  preview_.BtnBmp->click();
  EXPECT_EQ(QDir(dir_.path()).entryList({"*.bmp"}).size(), 1);
  // A folder that does not exist: the failure is reported.
  messages_.SaveAs(dir_.filePath("missing/page.bmp"));
  preview_.BtnBmp->click();
  ASSERT_EQ(messages_.errors.size(), 1);
  EXPECT_TRUE(messages_.errors[0].contains("を作成できません"));
}

TEST_F(PreviewTest, EveryOpeningLaysThePageOutForTheZoomShown) {
  AddLines(3);
  const PrintJob job = PrintJob::Chart(src_, TChartType::tcMitumori, PageNumbering::ItemPagesOnly);
  // A preview opened for the first time is prepared before it has its size.
  TFormPreviewMitsu fresh;
  fresh.Prepare(job);
  fresh.resize(700, 760);
  fresh.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fresh));
  const auto expectFullHeight = [&](const char* when) {
    const QSize client = fresh.Area->maximumViewportSize();
    EXPECT_EQ(fresh.ShownBitmap().height(), client.height()) << when;
    EXPECT_EQ(fresh.ShownBitmap().width(), qRound(client.height() / 1.414)) << when;
    EXPECT_EQ(fresh.findChild<QLabel*>("PageView")->size(), fresh.ShownBitmap().size()) << when;
  };
  expectFullHeight("first opening");

  // Shown at 200 % in a larger window, closed, and opened again: 100 % of the new size.
  fresh.CBZoom->setCurrentIndex(10);
  fresh.resize(900, 1000);
  QApplication::processEvents();
  fresh.hide();
  fresh.Prepare(job);
  fresh.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fresh));
  EXPECT_EQ(fresh.CBZoom->currentIndex(), 0);
  expectFullHeight("second opening");
  EXPECT_GT(fresh.Area->maximumViewportSize().height(), 760 - 100);
}

TEST_F(PreviewTest, ExportStartsOnTheDesktopOrElseInTheHomeFolder) {
  AddLines(3);
  Prepare(TChartType::tcMitumori, false);
  QTemporaryDir home;
  const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("HOME", home.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
  preview_.BtnBmp->click();  // cancelled
  QDir(home.path()).mkdir("Desktop");
  preview_.BtnJpeg->click();
  qputenv("HOME", oldHome);
  if (oldConfig.isEmpty()) qunsetenv("XDG_CONFIG_HOME");
  else qputenv("XDG_CONFIG_HOME", oldConfig);
  ASSERT_EQ(messages_.saveRequests.size(), 2);
  // Without a desktop folder the dialog starts in the home folder with no name filled in.
  EXPECT_EQ(messages_.saveRequests[0], "BMPファイル(*.bmp)|bmp|" + home.path());
  EXPECT_EQ(messages_.saveRequests[1], "JPEGファイル(*.jpg *.jpeg)|jpg|" + home.filePath("Desktop"));
}

}  // namespace
}  // namespace qm::ui
