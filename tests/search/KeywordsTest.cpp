#include <gtest/gtest.h>

#include <sys/stat.h>

#include "search/Keywords.h"
#include "search/SearchFixture.h"
#include "shell/LoadCity.h"

namespace fs = std::filesystem;

namespace {

using Texts = std::vector<std::string>;

class Keywords : public SearchFixture {
 protected:
  fs::path CityDir(const std::string& city) { return dir.Path() / "Base" / city; }
  fs::path KwFile(const std::string& city) { return CityDir(city) / "Kw.map"; }
  void MakeCity(const std::string& city) { fs::create_directories(CityDir(city)); }
  void Load(const std::string& city) { LoadCity(core, city, "Город"); }
  Texts List() {
    Texts out;
    for (const std::string& w : core.Search.Keywords) out.push_back(U(w));
    return out;
  }
};

TEST_F(Keywords, LoadAcceptsCrLfCrAndLfLineEndsInSortedOrder) {
  MakeCity("Alpha");
  WriteBytes(KwFile("Alpha"), W("вокзал\r\nаптека\rБанк\nшкола"));
  Load("Alpha");
  EXPECT_EQ(List(), (Texts{"аптека", "Банк", "вокзал", "школа"}));
  EXPECT_TRUE(host.Messages.empty());
}

TEST_F(Keywords, EmptyLinesAndRepeatsBecomeItems) {
  MakeCity("Alpha");
  WriteBytes(KwFile("Alpha"), W("банк\r\n\r\nбанк\r\n"));
  Load("Alpha");
  EXPECT_EQ(List(), (Texts{"", "банк", "банк"}));
}

TEST_F(Keywords, EmptyFileEmptiesTheList) {
  core.Search.Keywords = {W("старое")};
  MakeCity("Alpha");
  WriteBytes(KwFile("Alpha"), "");
  Load("Alpha");
  EXPECT_EQ(List(), Texts{});
}

TEST_F(Keywords, CityWithoutKeywordFileKeepsThePreviousList) {
  MakeCity("Alpha");
  MakeCity("Beta");
  WriteBytes(KwFile("Alpha"), W("банк\r\nаптека\r\n"));
  Load("Alpha");
  Load("Beta");
  EXPECT_EQ(List(), (Texts{"аптека", "банк"}));
  // Adding a word then writes the whole list into the new city's file.
  AddKeyword(core, W("вокзал"));
  EXPECT_EQ(ReadBytes(KwFile("Beta")), W("аптека\r\nбанк\r\nвокзал\r\n"));
  EXPECT_EQ(ReadBytes(KwFile("Alpha")), W("банк\r\nаптека\r\n"));
}

TEST_F(Keywords, KeywordFileNameIsFoundWhateverItsCase) {
  MakeCity("Alpha");
  WriteBytes(CityDir("Alpha") / "KW.MAP", W("банк\r\n"));
  Load("Alpha");
  EXPECT_EQ(List(), (Texts{"банк"}));
  AddKeyword(core, W("аптека"));
  EXPECT_EQ(ReadBytes(CityDir("Alpha") / "KW.MAP"), W("аптека\r\nбанк\r\n"));
  EXPECT_FALSE(fs::exists(KwFile("Alpha")));
}

TEST_F(Keywords, AddingTheSameWordTwiceWritesTwoCrLfLines) {
  MakeCity("Alpha");
  Load("Alpha");
  core.Search.Keywords.clear();
  AddKeyword(core, W("аптека"));
  AddKeyword(core, W("аптека"));
  EXPECT_EQ(List(), (Texts{"аптека", "аптека"}));
  EXPECT_EQ(ReadBytes(KwFile("Alpha")), W("аптека\r\nаптека\r\n"));
  EXPECT_TRUE(host.Messages.empty());
  // Nothing is left behind beside the file.
  EXPECT_EQ(std::distance(fs::directory_iterator(CityDir("Alpha")), fs::directory_iterator()), 1);
}

TEST_F(Keywords, AnEmptyWordBecomesAnEmptyLine) {
  MakeCity("Alpha");
  Load("Alpha");
  core.Search.Keywords = {W("банк")};
  AddKeyword(core, "");
  EXPECT_EQ(List(), (Texts{"", "банк"}));
  EXPECT_EQ(ReadBytes(KwFile("Alpha")), W("\r\nбанк\r\n"));
}

TEST_F(Keywords, WordsKeepAlphabeticalOrderWhateverTheirCase) {
  MakeCity("Alpha");
  Load("Alpha");
  core.Search.Keywords.clear();
  for (const char* w : {"вокзал", "Банк", "аптека", "Ёлка", "елка", "жук", "Zoo", "apple", "Bank"})
    AddKeyword(core, W(w));
  // Russian order: Cyrillic before Latin, "ё" sorting with "е", case ignored.
  EXPECT_EQ(List(), (Texts{"аптека", "Банк", "вокзал", "елка", "Ёлка", "жук", "apple", "Bank", "Zoo"}));
  EXPECT_EQ(ReadBytes(KwFile("Alpha")),
            W("аптека\r\nБанк\r\nвокзал\r\nелка\r\nЁлка\r\nжук\r\napple\r\nBank\r\nZoo\r\n"));
}

TEST_F(Keywords, AFailedWriteKeepsTheOldFileAndTheNewWord) {
  MakeCity("Alpha");
  WriteBytes(KwFile("Alpha"), W("банк\r\n"));
  Load("Alpha");
  // A folder where the temporary file has to go: its creation fails for real.
  fs::create_directory(CityDir("Alpha") / "Kw.map.tmp");
  AddKeyword(core, W("аптека"));
  EXPECT_EQ(List(), (Texts{"аптека", "банк"}));
  EXPECT_EQ(ReadBytes(KwFile("Alpha")), W("банк\r\n"));
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_NE(host.Messages[0].find(KwFile("Alpha").string()), std::string::npos) << host.Messages[0];
  EXPECT_NE(host.Messages[0].find("на месте файла находится папка"), std::string::npos) << host.Messages[0];
}

TEST_F(Keywords, AWriteIntoAMissingCityFolderIsReported) {
  core.CurrentCity = "Gone";
  AddKeyword(core, W("аптека"));
  EXPECT_EQ(List(), (Texts{"аптека"}));
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_NE(host.Messages[0].find("папка города не найдена"), std::string::npos) << host.Messages[0];
}

}  // namespace
