#include "model/line_picture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "base/error.h"
#include "support/images.h"

using qm::PictureKind;

TEST(LinePicture, ExtensionsAndTrialLoads) {
  EXPECT_EQ(qm::KindOfExtension("a/b.PNG"), PictureKind::Png);
  EXPECT_EQ(qm::KindOfExtension("photo.Jpeg"), PictureKind::Jpeg);
  EXPECT_EQ(qm::KindOfExtension("x.jpg"), PictureKind::Jpeg);
  EXPECT_EQ(qm::KindOfExtension("x.bmp"), PictureKind::Bmp);
  EXPECT_EQ(qm::KindOfExtension("x.gif"), PictureKind::None);
  EXPECT_EQ(qm::KindOfExtension("dir.png/file"), PictureKind::None);

  QTemporaryDir dir;
  const auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
  ASSERT_TRUE(qmtest::WriteImageFile(path("real.Png"), "png", 40, 20));
  const auto png = qm::TryLoadPicture(path("real.Png"));
  ASSERT_TRUE(png.has_value());
  EXPECT_EQ(png->Kind(), PictureKind::Png);
  EXPECT_EQ(png->Width(), 40);
  EXPECT_EQ(png->Bytes(), qm::ReadWholeFile(path("real.Png")));  // the file's own bytes
  // A JPEG named .PNG is not loaded.
  ASSERT_TRUE(qmtest::WriteImageFile(path("fake.PNG"), "jpeg", 10, 10));
  EXPECT_FALSE(qm::TryLoadPicture(path("fake.PNG")).has_value());
  // Another extension: the bytes decide when they are one of the three kinds.
  ASSERT_TRUE(qmtest::WriteImageFile(path("photo.dat"), "jpeg", 10, 10));
  EXPECT_EQ(qm::TryLoadPicture(path("photo.dat"))->Kind(), PictureKind::Jpeg);
  qm::WriteFileAtomically(path("text.gif"), "GIF89a not really");
  EXPECT_FALSE(qm::TryLoadPicture(path("text.gif")).has_value());
  EXPECT_THROW(qm::TryLoadPicture(path("missing.png")), qm::Error);
}

TEST(LinePicture, PreviewFitsAndCentres) {
  const QSize box(159, 89);
  EXPECT_EQ(qm::PreviewRect({400, 200}, box), QRect(0, 5, 159, 80));  // 79.5 rounds to 80
  EXPECT_EQ(qm::PreviewRect({200, 400}, box), QRect(57, 0, 45, 89));    // portrait: the box height
  EXPECT_EQ(qm::PreviewRect({10, 10}, box), QRect(35, 0, 89, 89));      // small pictures are enlarged
  EXPECT_EQ(qm::PreviewRect({1000, 100}, box).size(), QSize(159, 16));
  // No size: nothing to draw, and no division by zero.
  EXPECT_TRUE(qm::PreviewRect({0, 200}, box).isNull());
  EXPECT_TRUE(qm::PreviewRect({400, 0}, box).isNull());
  EXPECT_TRUE(qm::PreviewRect({0, 0}, box).isNull());
  EXPECT_TRUE(qm::PreviewRect({400, 200}, {0, 0}).isNull());
}

TEST(LinePicture, SavedNamesGetTheirExtensionOnce) {
  EXPECT_EQ(qm::SavedPictureName("/tmp/photo", PictureKind::Png), "/tmp/photo.png");
  EXPECT_EQ(qm::SavedPictureName("/tmp/photo.png", PictureKind::Png), "/tmp/photo.png");
  EXPECT_EQ(qm::SavedPictureName("/tmp/photo.PNG", PictureKind::Png), "/tmp/photo.PNG");
  EXPECT_EQ(qm::SavedPictureName("/tmp/photo.jpeg", PictureKind::Jpeg), "/tmp/photo.jpeg");
  EXPECT_EQ(qm::SavedPictureName("/tmp/photo.png", PictureKind::Jpeg), "/tmp/photo.png.jpg");
  EXPECT_EQ(qm::SavedPictureName("/tmp/a.b/photo", PictureKind::Bmp), "/tmp/a.b/photo.bmp");
}
