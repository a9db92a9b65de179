#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

#include "render/BundledFonts.h"

int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Where the fonts come with the program (Windows), the viewer's interface is set in them.
  if (UseBundledFonts()) QApplication::setFont(QFont(kMapFontFamily, 9));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
