// Entry point of the spooler tests: the private scheduler that ctest starts (unless the
// environment names another), then a real QApplication on the offscreen platform.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // Before anything asks the spooler: its client library reads these once.
  if (qgetenv("CUPS_SERVER").isEmpty()) qputenv("CUPS_SERVER", QM_SPOOLER_DIR "/run/cups.sock");
  if (qgetenv("QM_SPOOL_OUT").isEmpty()) qputenv("QM_SPOOL_OUT", QM_SPOOLER_DIR "/out");
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
