// main() for the tests that need windows: a QApplication on the offscreen
// platform, the program's font substitutions, then every test.
#include <gtest/gtest.h>

#include <QApplication>

#include "render/fonts.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vantrel::RegisterFontSubstitutions();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
