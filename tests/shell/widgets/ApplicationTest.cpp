#include <QApplication>
#include <gtest/gtest.h>

TEST(Application, RunsOffscreen) { EXPECT_EQ(QGuiApplication::platformName(), "offscreen"); }
