#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "cli/CliRun.h"
#include "mapdata/Cp1251.h"
#include "support/CityBuilder.h"
#include "support/PictureFiles.h"
#include "support/Unprivileged.h"
#include "mapdata/NativeName.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
    lines.push_back(text.substr(start, nl - start));
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// The lines before the draw list, whose order belongs to the drawing.
std::vector<std::string> LinesBeforeDrawList(const std::string& out) {
  std::vector<std::string> lines = Lines(out);
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].rfind("table\tDrawListView\t", 0) == 0) return {lines.begin(), lines.begin() + static_cast<long>(i)};
  return lines;
}

}  // namespace

TEST(CliDump, PrintsExtentsEveryTableAndTheMessages) {
  CityBuilder city("Малый");
  const fs::path streets = city.Plain(
      "Data/Streets.txt", {StreetRecord("Ленина", "10 20 30 40", 2, "5", "Улица"), {"A\\B", "T\tab", "1", "x", "1 2"}});
  city.Scrambled("Data/Texts.crpt", {{W("Центр"), "2", "-5 7"}});
  city.Plain("Data/Path.txt", {{W("Автобус"), "12", "\r\n" + W("ночной"), "1", "3 3"}});
  city.Raw("Icons/0.ico", IcoBytes(SolidImage(20, 20, Qt::red)));
  city.Raw("Icons/Empt.ico", IcoBytes(SolidImage(20, 20, Qt::green)));
  const fs::path objects = city.Plain("Data/Objects.txt", {{W("Школа"), W("Мира"), "3", "N1", "8 9", "0"}});
  city.Raw("Firms/f.crpt", ScrambledFirmBytes({W("Кафе"), W("Мира"), "4", "1 1", W("еда")}));

  const CliResult r = RunCli({"dump", NativeString(city.CityDir())});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  // The record with the escaped fields was not read: its point count is "x".
  const std::vector<std::string> expected{
      "extents\t-5\t0\t30\t40",
      "table\tListOfStreets\t1",
      "0\tЛенина\tУлица\t5\t2\t10 20 30 40\t" + CliPath(streets) + "\t\t\t10\t20\t30\t40",
      "table\tListOfBuildings\t0",
      "table\tListOfRegions\t0",
      "table\tListOfTexts\t1",
      "0\tЦентр\t2\t-5 7\t-5\t7",
      "table\tListOfObjects\t1",
      "0\tШкола\tМира\t3\tN1\t8 9\t" + CliPath(objects) + "\t0\t8\t9",
      "table\tListOfFirms\t1",
      "0\tКафе\tМира\t4\t1 1\tf\t1\t1\tеда\t0",
      "table\tListOfPath1\t1",
      "0\t1\t3 3\t3\t3\t3\t3",
      "table\tListOfPath2\t1",
      "0\tАвтобус\t12\t\\r\\nночной",
      "table\tObjectComboBox\t2",
      "0\tШкола\t0",
      "1\tВсе\t-1",
  };
  EXPECT_EQ(LinesBeforeDrawList(r.out), expected);
  const std::vector<std::string> all = Lines(r.out);
  ASSERT_GT(all.size(), expected.size());
  const std::string header = all[expected.size()];
  ASSERT_EQ(header.rfind("table\tDrawListView\t", 0), 0u) << header;
  EXPECT_EQ(std::to_string(all.size() - expected.size() - 1), header.substr(header.rfind('\t') + 1));
  EXPECT_EQ(r.err, "message\tФайл " + CliPath(streets) + ", запись 2: количество точек «x» не является целым числом.\n");
}

TEST(CliDump, EscapesBackslashTabAndLineBreaksOfCells) {
  CityBuilder city;
  city.Plain("Data/Regions.txt", {{"A\\B\tC\nD", "0", " ", "x\\y", " "}});
  const CliResult r = RunCli({"dump", NativeString(city.CityDir())});
  EXPECT_EQ(r.exitCode, 0);
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[3], "table\tListOfRegions\t1");
  EXPECT_EQ(lines[4], "0\tA\\\\B\\tC\\nD\t0\t \tx\\\\y\t \t0\t0\t0\t0");
}

TEST(CliDump, AnEmptyCityPrintsEmptyTables) {
  CityBuilder city;
  const CliResult r = RunCli({"dump", NativeString(city.CityDir()) + "/"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out,
            "extents\t0\t0\t0\t0\ntable\tListOfStreets\t0\ntable\tListOfBuildings\t0\ntable\tListOfRegions\t0\n"
            "table\tListOfTexts\t0\ntable\tListOfObjects\t0\ntable\tListOfFirms\t0\ntable\tListOfPath1\t0\n"
            "table\tListOfPath2\t0\ntable\tObjectComboBox\t0\ntable\tDrawListView\t0\n");
  EXPECT_EQ(r.err, "");
}

TEST(CliDump, WrongCallsExitWith2) {
  CityBuilder city;
  EXPECT_EQ(RunCli({"dump"}).exitCode, 2);
  EXPECT_EQ(RunCli({"dump", "a", "b"}).exitCode, 2);
  const CliResult notAFolder = RunCli({"dump", NativeString(city.CityDir() / "none")});
  EXPECT_EQ(notAFolder.exitCode, 2);
  EXPECT_NE(notAFolder.err.find("не папка города"), std::string::npos);
  const fs::path file = city.Raw("file.txt", "x");
  EXPECT_EQ(RunCli({"dump", NativeString(file)}).exitCode, 2);
  const CliResult help = RunCli({"dump", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("usage: tellurin-cli dump CITY_DIR\n", 0), 0u);
  EXPECT_EQ(RunCli({"no-such-command"}).exitCode, 2);
  EXPECT_EQ(RunCli({}).exitCode, 2);
  const CliResult list = RunCli({"--help"});
  EXPECT_EQ(list.exitCode, 0);
  EXPECT_NE(list.out.find("  dump CITY_DIR\n"), std::string::npos);
  EXPECT_NE(list.out.find("  check CITY_DIR\n"), std::string::npos);
}

TEST(CliDump, FilesThatExistButCannotBeOpenedGiveTheLayersMessages) {
  CityBuilder city;
  const std::vector<std::string> locked{
      NativeString(city.Scrambled("Data/Streets.crpt", {})), NativeString(city.Plain("Data/Buildings.txt", {})),
      NativeString(city.Scrambled("Data/Path.crpt", {})),    NativeString(city.Plain("Data/Texts.txt", {})),
      NativeString(city.Plain("Data/Regions.txt", {})),      NativeString(city.Scrambled("Data/Objects.crpt", {})),
      NativeString(city.Raw("Firms/a.crpt", ScrambledFirmBytes({"A", "s", "1", "1 1", "k"})))};
  city.Plain("Data/Streets.txt", {StreetRecord("Plain", "1 1", 1)});  // not a fallback
  city.Folder("Data/Texts.crpt");  // a folder bearing the name counts as absent
  std::vector<std::string> prefix;
  if (!PrefixAsNobody(city.CityDir() / "Data", prefix)) GTEST_SKIP() << "setpriv is needed to drop root rights";
  for (const std::string& file : locked) fs::permissions(file, fs::perms::none);
  const CliResult r = RunCli({"dump", NativeString(city.CityDir())}, prefix);
  for (const std::string& file : locked) fs::permissions(file, fs::perms(0644));
  EXPECT_EQ(r.exitCode, 1) << r.err;
  std::string named;  // the layer files, in the order of the load
  for (size_t i : {1, 0, 2, 3, 4, 5}) named += "tellurin-cli: не удается прочитать файл " + locked[i] + "\n";
  EXPECT_EQ(r.err,
            "message\tОтсутствует файл!\n"                        // firms
            "message\tОшибка при открытии файла здания!\n"        // buildings, plain
            "message\tОтсутствует файл с улицами!\n"              // streets, scrambled
            "message\tОтсутствует файл с маршрутами!\n"           // routes, scrambled
            "message\tОшибка при открытии файла с текстами!\n"    // labels, plain
            "message\tОшибка при открытии!\n"                     // regions, plain
            "message\tОшибка при открытии!\n" +                   // objects, scrambled
                named);
  EXPECT_NE(r.out.find("table\tListOfStreets\t0\n"), std::string::npos);
}

TEST(CliDump, PlainFilesThatCannotBeOpenedAndTheScrambledVariantsOthers) {
  CityBuilder city;
  const std::vector<std::string> locked{
      NativeString(city.Plain("Data/Streets.txt", {})), NativeString(city.Scrambled("Data/Buildings.crpt", {})),
      NativeString(city.Plain("Data/Path.txt", {})),    NativeString(city.Scrambled("Data/Texts.crpt", {})),
      NativeString(city.Scrambled("Data/Regions.crpt", {})), NativeString(city.Plain("Data/Objects.txt", {})),
      NativeString(city.Raw("Firms/a.txt", PlainFirmBytes({"A", "s", "1", "1 1", "k"})))};
  std::vector<std::string> prefix;
  if (!PrefixAsNobody(city.CityDir() / "Data", prefix)) GTEST_SKIP() << "setpriv is needed to drop root rights";
  for (const std::string& file : locked) fs::permissions(file, fs::perms::none);
  const CliResult r = RunCli({"dump", NativeString(city.CityDir())}, prefix);
  for (const std::string& file : locked) fs::permissions(file, fs::perms(0644));
  EXPECT_EQ(r.exitCode, 1) << r.err;
  std::string named;  // the layer files, in the order of the load
  for (size_t i : {1, 0, 2, 3, 4, 5}) named += "tellurin-cli: не удается прочитать файл " + locked[i] + "\n";
  EXPECT_EQ(r.err,
            "message\tОшибка при открытии!\n"                     // firms, plain
            "message\tОшибка при открытии файла зданий!\n"        // buildings, scrambled
            "message\tОшибка при открытии!\n"                     // streets, plain
            "message\tОшибка при открытии!\n"                     // routes, plain
            "message\tОшибка при открытии файла с текстами!\n"    // labels, scrambled
            "message\tОтсутствует файл с областями!\n"            // regions, scrambled
            "message\tОшибка при открытии!\n" +                   // objects, plain
                named);
}

TEST(CliCheck, ListsEveryProblemAndGoesOnPastBadRecords) {
  CityBuilder city;
  city.Plain("Data/Streets.txt", {StreetRecord("A", "1 2", 1), StreetRecord("B", "1 2", 1, "w"),
                                  StreetRecord("C", "1 2", 1), StreetRecord("D", "1 2 3", 2)});
  city.Raw("Data/Texts.txt", "3\r\nA\r\n1\r\n1 2\r\n");
  city.Raw("Data/Regions.crpt", std::string("\1\0\0\0\x10\0\0\0", 8));
  city.Plain("Data/Objects.txt", {{"K", "S", "1", "N", "1 1", "7"}});
  city.Raw("Icons/Empt.ico", IcoBytes(SolidImage(20, 20, Qt::green)));
  city.Raw("Icons/0.ICO", IcoBytes(SolidImage(20, 20, Qt::green)));
  city.Raw("Firms/a.crpt", ScrambledFirmBytes({"A", "s", "1", "x 1", "k"}));
  city.Raw("Firms/b.crpt", ScrambledFirmBytes({"B", "s", "1", "1 1", "k"}));
  city.Raw("Firms/b.jpg", "not a jpeg");
  const CliResult r = RunCli({"check", NativeString(city.CityDir())});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(Lines(r.out), (std::vector<std::string>{
                              "Icons/0.ICO\t0\tрасширение не «.ico» в нижнем регистре: значок не загружается",
                              "Firms/a.crpt\t1\tкоордината «x» в списке точек не является целым числом",
                              "Firms/b.jpg\t0\tкартинка не читается",
                              "Data/Streets.txt\t2\tширина «w» не является целым числом",
                              "Data/Streets.txt\t4\tв списке точек меньше пар, чем указано: 1 из 2",
                              "Data/Texts.txt\t2\tзаписи нет: файл кончается раньше (указано записей: 3)",
                              "Data/Regions.crpt\t0\tдлина данных 16 больше, чем осталось в файле (0 байт)",
                              "Data/Objects.txt\t1\tномер значка 7 вне списка значков (от 0 до 0)",
                          }));
}

// What the load passes over as a missing layer (a folder, a FIFO, a dangling
// link at a layer's name) is listed; so is every missing layer of a city that
// has none at all, while a city with a layer may leave the others out.
TEST(CliCheck, LayersThatAreNoFilesAndACityWithoutAnyLayerAreListed) {
  const std::string folder = "\t0\tна месте файла находится папка: слой не загружается";
  const std::string fifo = "\t0\tна месте файла находится не обычный файл (канал или устройство): слой не загружается";
  const std::string dangling = "\t0\tна месте файла находится ссылка, которая никуда не ведёт: слой не загружается";
  const auto missing = [](const char* layer) {
    return std::string("Data/") + layer + ".txt\t0\tфайла нет, как и " + layer + ".crpt: в городе нет ни одного слоя";
  };
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> planted;  // path, what: "folder", "fifo", "link", "layer"
    std::vector<std::string> listed;
  };
  std::vector<Case> cases{
      {"no Data folder", {}, {}},
      {"a folder and a layer", {{"Data/Streets.txt", "layer"}, {"Data/Texts.crpt", "folder"}},
       {"Data/Texts.crpt" + folder}},
  };
  for (const char* layer : {"Buildings", "Streets", "Path", "Texts", "Regions", "Objects"})
    cases[0].listed.push_back(missing(layer));
#ifndef _WIN32
  cases.push_back({"every kind but no layer",
                   {{"Data/Streets.txt", "folder"}, {"Data/Buildings.crpt", "fifo"}, {"Data/Texts.txt", "link"}},
                   {"Data/Buildings.crpt" + fifo, "Data/Streets.txt" + folder, "Data/Texts.txt" + dangling,
                    missing("Path"), missing("Regions"), missing("Objects")}});
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CityBuilder city;
    for (const auto& [path, what] : c.planted) {
      const fs::path file = city.PathOf(path);
      fs::create_directories(file.parent_path());
      if (what == "folder") fs::create_directory(file);
      if (what == "link") fs::create_symlink(city.CityDir() / "nowhere", file);
      if (what == "layer") city.Plain(path, {StreetRecord("A", "1 2", 1)});
#ifndef _WIN32
      if (what == "fifo") {
        ASSERT_EQ(mkfifo(file.c_str(), 0644), 0);
      }
#endif
    }
    const CliResult r = RunCli({"check", NativeString(city.CityDir())}, {}, 20000);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(Lines(r.out), c.listed);
  }
}

TEST(CliCheck, ACleanCityExitsZeroAndHelpAndUsage) {
  CityBuilder city;
  city.Plain("Data/Streets.txt", {StreetRecord("A", "1 2", 1)});
  const CliResult r = RunCli({"check", NativeString(city.CityDir())});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(RunCli({"check"}).exitCode, 2);
  EXPECT_EQ(RunCli({"check", NativeString(city.CityDir() / "none")}).exitCode, 2);
  const CliResult help = RunCli({"check", "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("usage: tellurin-cli check CITY_DIR\n", 0), 0u);
}
