#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <QLockFile>
#include <QProcess>

#include <algorithm>
#include <functional>

#include "search/Keywords.h"
#include "search/SearchFixture.h"
#include "shell/LoadCity.h"
#include "mapdata/NativeName.h"

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
#ifndef _WIN32  // on Windows the two names are one file
  EXPECT_FALSE(fs::exists(KwFile("Alpha")));
#endif
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

TEST_F(Keywords, AFailedWriteKeepsTheNewWordAndLeavesNothingBehind) {
  MakeCity("Alpha");
  Load("Alpha");
  core.Search.Keywords = {W("банк")};
  // A folder holding a file in the list's place: the rename fails for real.
  WriteBytes(KwFile("Alpha") / "inside", "x");
  AddKeyword(core, W("аптека"));
  EXPECT_EQ(List(), (Texts{"аптека", "банк"}));
  EXPECT_EQ(ReadBytes(KwFile("Alpha") / "inside"), "x");
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_NE(host.Messages[0].find(NativeString(KwFile("Alpha"))), std::string::npos) << host.Messages[0];
  EXPECT_NE(host.Messages[0].find("на месте файла находится папка"), std::string::npos) << host.Messages[0];
  EXPECT_EQ(std::distance(fs::directory_iterator(CityDir("Alpha")), fs::directory_iterator()), 1);
}

TEST_F(Keywords, AWriteIntoAMissingCityFolderIsReported) {
  core.CurrentCity = "Gone";
  AddKeyword(core, W("аптека"));
  EXPECT_EQ(List(), (Texts{"аптека"}));
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_NE(host.Messages[0].find("папка города не найдена"), std::string::npos) << host.Messages[0];
}

// A city folder comes from strangers: links planted in it must not make the
// save write, or the load read, a file elsewhere.
TEST_F(Keywords, PlantedLinksAreNeitherWrittenNorReadThrough) {
#ifdef _WIN32
  GTEST_SKIP() << "making links takes an administrator's rights on Windows";
#else
  const mode_t umaskBefore = umask(022);
  struct Case {
    const char* planted;  // the name of the link in the city folder
    bool listIsTheLink;   // the link stands in the list's own place
  };
  for (const Case& c : {Case{"Kw.map.tmp", false}, Case{"Kw.map", true}}) {
    SCOPED_TRACE(c.planted);
    TempDir outside;
    const fs::path privateFile = outside.Path() / "private";
    WriteBytes(privateFile, "secret\n");
    fs::permissions(privateFile, fs::perms::owner_read | fs::perms::owner_write);
    const std::string city = std::string("City") + (c.listIsTheLink ? "Link" : "Tmp");
    MakeCity(city);
    if (!c.listIsTheLink) WriteBytes(KwFile(city), W("банк\r\n"));
    fs::create_symlink(privateFile, CityDir(city) / c.planted);
    host.Messages.clear();
    core.Search.Keywords.clear();
    Load(city);
    if (c.listIsTheLink) {
      EXPECT_EQ(List(), Texts{});
      ASSERT_EQ(host.Messages.size(), 1u);
      EXPECT_NE(host.Messages[0].find("на месте файла находится символическая ссылка"), std::string::npos)
          << host.Messages[0];
      host.Messages.clear();
    }
    AddKeyword(core, W("аптека"));
    EXPECT_TRUE(host.Messages.empty()) << host.Messages[0];
    EXPECT_EQ(ReadBytes(privateFile), "secret\n");
    EXPECT_FALSE(fs::is_symlink(KwFile(city)));
    EXPECT_EQ(ReadBytes(KwFile(city)), c.listIsTheLink ? W("аптека\r\n") : W("аптека\r\nбанк\r\n"));
    // The list gets the user's usual mode, not the private file's.
    EXPECT_EQ(fs::status(KwFile(city)).permissions() & fs::perms::mask, static_cast<fs::perms>(0644));
  }
  umask(umaskBefore);
#endif
}

TEST_F(Keywords, WordsTheFileCannotHoldAreRefused) {
  MakeCity("Alpha");
  WriteBytes(KwFile("Alpha"), W("банк\r\n"));
  Load("Alpha");
  for (const char* word : {"один\r\nдва", "один\nдва", "кафе\r", "а\tб"}) {
    SCOPED_TRACE(word);
    host.Messages.clear();
    AddKeyword(core, W(word));
    EXPECT_EQ(List(), Texts{"банк"});
    EXPECT_EQ(ReadBytes(KwFile("Alpha")), W("банк\r\n"));
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0],
              "Слово не добавлено в список ключевых слов: в нём есть перевод строки или табуляция.");
  }
}

// A save killed between writing its temporary file and renaming it leaves the
// file behind; the next save removes it, and nothing else, under its lock.
TEST_F(Keywords, TheSaveRemovesTemporaryFilesAKilledSaveLeft) {
  struct Case {
    const char* name;
    bool removed;
  };
  const std::vector<Case> cases{
      {".Kw.map.AbCd1234", true}, {".kw.MAP.zzzzzzz9", true},  {".Kw.map.AbCd123", false},
      {".Kw.map.AbCd12345", false}, {".Kw.map.AbCd-234", false}, {"Kw.map.AbCd1234", false},
      {".Kw.map.tmp", false},
  };
  MakeCity("Alpha");
  Load("Alpha");
  for (const Case& c : cases) WriteBytes(CityDir("Alpha") / c.name, "left\r\n");
  fs::create_directory(CityDir("Alpha") / ".Kw.map.Folder01");
#ifndef _WIN32
  WriteBytes(CityDir("Alpha") / "target", "kept");
  fs::create_symlink(CityDir("Alpha") / "target", CityDir("Alpha") / ".Kw.map.Linked01");
#endif
  AddKeyword(core, W("аптека"));
  EXPECT_TRUE(host.Messages.empty());
  for (const Case& c : cases) EXPECT_EQ(fs::exists(CityDir("Alpha") / c.name), !c.removed) << c.name;
  EXPECT_TRUE(fs::is_directory(CityDir("Alpha") / ".Kw.map.Folder01"));
#ifndef _WIN32
  EXPECT_TRUE(fs::is_symlink(CityDir("Alpha") / ".Kw.map.Linked01"));
  EXPECT_EQ(ReadBytes(CityDir("Alpha") / "target"), "kept");
#endif
}

// A list beyond the limits (1 MB, 20000 words) is read up to them with a
// message, the city opens, and the file is never written over: the words
// beyond the limit would be lost.  A sparse file of 2 GiB is read no further.
TEST_F(Keywords, AnOversizedListIsReadUpToTheLimitAndNeverSavedOver) {
  struct Case {
    const char* city;
    std::function<void(const fs::path&)> make;
    size_t read;       // words loaded
    bool loadMessage;  // the load says the file was read in part
    const char* saveRefusal;
  };
  const auto lines = [](int count, const std::string& word) {
    return [=](const fs::path& file) {
      std::string bytes;
      for (int i = 0; i < count; ++i) bytes += W(word) + std::to_string(i) + "\r\n";
      WriteBytes(file, bytes);
    };
  };
  const std::string tooLarge = "файл больше допустимого (1 МБ или 20000 слов) и сохранение потеряло бы слова сверх этого";
  const std::vector<Case> cases{
      {"TwoMegabytes", lines(160000, "ключевое слово "), 20000, true, tooLarge.c_str()},
      {"ManyWords", lines(25000, "а"), 20000, true, tooLarge.c_str()},
      {"LongLines", lines(2, std::string(600000, 'x')), 1, true, tooLarge.c_str()},
      {"Sparse", [](const fs::path& file) { WriteBytes(file, ""); fs::resize_file(file, 2ull << 30); }, 0, true,
       tooLarge.c_str()},
      {"JustFits", lines(20000, "а"), 20000, false, "список стал бы больше допустимого (1 МБ или 20000 слов)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.city);
    MakeCity(c.city);
    c.make(KwFile(c.city));
    const uintmax_t size = fs::file_size(KwFile(c.city));
    host.Messages.clear();
    Load(c.city);
    EXPECT_EQ(core.Search.Keywords.size(), c.read);
    ASSERT_EQ(host.Messages.size(), c.loadMessage ? 1u : 0u);
    if (c.loadMessage) {
      EXPECT_EQ(host.Messages[0], "Список ключевых слов в файле \"" + NativeString(KwFile(c.city)) +
                                      "\" больше допустимого (1 МБ или 20000 слов): прочитано начало (слов: " +
                                      std::to_string(c.read) +
                                      "). Пока файл не станет меньше, новые слова в него не сохраняются.");
    }
    host.Messages.clear();
    AddKeyword(core, W("аптека"));
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_NE(host.Messages[0].find(c.saveRefusal), std::string::npos) << host.Messages[0];
    EXPECT_EQ(fs::file_size(KwFile(c.city)), size);
    EXPECT_EQ(core.Search.Keywords.size(), c.read + 1);  // the word stays in the list
    fs::remove(KwFile(c.city));
  }
}

// What another program saved after this one loaded the city stays in the file,
// and so does a word an earlier failed save left only in the list.
TEST_F(Keywords, TheSaveKeepsWhatOthersSavedMeanwhile) {
  MakeCity("Alpha");
  WriteBytes(KwFile("Alpha"), W("банк\r\n"));
  Load("Alpha");
  core.Search.Keywords.push_back(W("вокзал"));  // not saved yet
  WriteBytes(KwFile("Alpha"), W("банк\r\nаптека\r\nбанк\r\n"));
  AddKeyword(core, W("школа"));
  EXPECT_TRUE(host.Messages.empty());
  EXPECT_EQ(ReadBytes(KwFile("Alpha")), W("аптека\r\nбанк\r\nбанк\r\nвокзал\r\nшкола\r\n"));
  EXPECT_EQ(List(), (Texts{"аптека", "банк", "банк", "вокзал", "школа"}));
}

// A lock left by a program that died does not stop the save.
// A lock file as this system's programs write it, naming process `pid`: the
// lines after the number (program, host and more) are the platform's own.
std::string LockFileOf(qint64 pid) {
  TempDir dir;
  const fs::path path = dir.Path() / "probe.lock";
  QLockFile probe(PathToQString(path));
  EXPECT_TRUE(probe.tryLock());
  const std::string bytes = ReadBytes(path);
  probe.unlock();
  return std::to_string(pid) + bytes.substr(bytes.find('\n'));
}

TEST_F(Keywords, ALockLeftByADeadProgramIsTakenOver) {
  MakeCity("Alpha");
  Load("Alpha");
  QProcess finished;  // a program that has ended: its number is free
  finished.start(QString::fromUtf8(TELLURIN_CLI_PATH), {"--version"});
  ASSERT_TRUE(finished.waitForStarted());
  const qint64 child = finished.processId();
  ASSERT_TRUE(finished.waitForFinished());
  WriteBytes(CityDir("Alpha") / "Kw.map.lock", LockFileOf(child));
  core.Search.Keywords.clear();
  AddKeyword(core, W("аптека"));
  EXPECT_TRUE(host.Messages.empty()) << host.Messages[0];
  EXPECT_EQ(ReadBytes(KwFile("Alpha")), W("аптека\r\n"));
  EXPECT_FALSE(fs::exists(CityDir("Alpha") / "Kw.map.lock"));
}

// Two programs adding words at once (two windows, or a window and a script):
// every word a run reported saved is in the file.
TEST_F(Keywords, TwoProgramsAddingAtOnceLoseNoWord) {
  MakeCity("Alpha");
  WriteBytes(CityDir("Alpha") / "Info" / "about.inf", W("Город\r\n"));
  constexpr int kRounds = 15;
  Texts expected;
  for (int i = 0; i < kRounds; ++i) {
    QProcess first, second;
    const std::string a = "слово" + std::to_string(i) + "а", b = "слово" + std::to_string(i) + "б";
    for (auto [process, word] : {std::pair{&first, a}, std::pair{&second, b}})
      process->start(TELLURIN_CLI_PATH, {"add-keyword", QString::fromStdString(NativeString(CityDir("Alpha"))),
                                         QString::fromStdString(word)});
    for (QProcess* process : {&first, &second}) {
      ASSERT_TRUE(process->waitForFinished(30000));
      EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }
    expected.push_back(a);
    expected.push_back(b);
  }
  core.Search.Keywords.clear();
  Load("Alpha");
  Texts listed = List();
  std::sort(listed.begin(), listed.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listed, expected);
  // Nothing is left behind beside the list and the city's description.
  EXPECT_EQ(std::distance(fs::directory_iterator(CityDir("Alpha")), fs::directory_iterator()), 2);
}

}  // namespace
