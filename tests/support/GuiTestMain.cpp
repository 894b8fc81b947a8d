#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "score/render/PageFonts.h"

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef VARNEL_TEST_SCALE_FACTOR
  qputenv("QT_SCALE_FACTOR", VARNEL_TEST_SCALE_FACTOR);
#endif
  // The program run without a display prints Qt's own warnings, and Qt
  // warns when the session has no runtime folder: the tests give it one.
  QTemporaryDir runtime;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varnel"));
  QApplication::setFont(page_fonts::gothic12());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
