#include "shell/CityAbout.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

TEST(CityAboutTest, FirstLineIsTheTitleAndEveryLineEndCounts) {
  const CityAbout about = ParseCityAbout("Town\r\nline 1\nline 2\rline 3\r\n");
  EXPECT_EQ(about.Title, "Town");
  EXPECT_EQ(about.Description, (std::vector<std::string>{"line 1", "line 2", "line 3"}));
}

TEST(CityAboutTest, SingleLineWithoutEndHasAnEmptyDescription) {
  const CityAbout about = ParseCityAbout("Town");
  EXPECT_EQ(about.Title, "Town");
  EXPECT_TRUE(about.Description.empty());
}

TEST(CityAboutTest, EmptyLinesInsideStayAndAnEmptyFileHasNoTitle) {
  EXPECT_EQ(SplitTextLines("a\r\n\r\n\nb"), (std::vector<std::string>{"a", "", "", "b"}));
  const CityAbout empty = ParseCityAbout("");
  EXPECT_EQ(empty.Title, "");
  EXPECT_TRUE(empty.Description.empty());
}

TEST(CityAboutTest, ReadsTheFileAndNamesAFileThatCannotBeRead) {
  TempDir dir;
  const auto file = dir.Path() / "Info" / "about.inf";
  WriteBytes(file, "\xC3\xEE\xF0\xEE\xE4\r\n\xCE\xEF\xE8\xF1\xE0\xED\xE8\xE5\r\n");
  CityAbout about;
  std::string error;
  ASSERT_TRUE(ReadCityAbout(file, about, error));
  EXPECT_EQ(about.Title, "\xC3\xEE\xF0\xEE\xE4");
  EXPECT_EQ(about.Description, std::vector<std::string>{"\xCE\xEF\xE8\xF1\xE0\xED\xE8\xE5"});

  EXPECT_FALSE(ReadCityAbout(dir.Path() / "missing.inf", about, error));
  EXPECT_NE(error.find("missing.inf"), std::string::npos) << error;
}
