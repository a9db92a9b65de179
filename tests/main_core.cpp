#include <QGuiApplication>
#include <gtest/gtest.h>

#include "render/BundledFonts.h"

// Core tests draw into QImages and decode pictures, which needs a GUI
// application object (offscreen), but no window is ever shown.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QGuiApplication app(argc, argv);
  UseBundledFonts();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
