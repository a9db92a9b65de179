#include <gtest/gtest.h>

#include <QString>

#include <fstream>

#include "mapdata/NativeName.h"
#include "support/TempDir.h"

// Names with Cyrillic letters go to the disk and come back as they were typed,
// through paths and through Qt's strings (on Windows: UTF-16 names, UTF-8 kept).
TEST(NativeName, NamesRoundTripThroughTheDisk) {
  TempDir dir;
  for (const std::string name : {"Светлогорск", "Base", "улица Ленина 5.jpg", "Ёлки-палки №2"}) {
    SCOPED_TRACE(name);
    const fs::path file = dir.Path() / NativePath(name);
    std::ofstream(file) << "x";
    bool found = false;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir.Path()))
      found |= NativeString(entry.path().filename()) == name;
    EXPECT_TRUE(found);
    EXPECT_EQ(PathToQString(NativePath(name)), QString::fromUtf8(name));
    EXPECT_EQ(NativeString(PathFromQString(QString::fromUtf8(name))), name);
    EXPECT_EQ(NativeString(file.filename()), name);
  }
}
