// A value the command cannot take is refused with the reason, then the usage.
#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "support/CityBuilder.h"
#include "mapdata/NativeName.h"

TEST(CliRefusedValues, TheReasonComesBeforeTheUsage) {
  struct Case {
    std::vector<std::string> Args;  // after the city folder
    std::string Reason;
  };
  const std::string scale = "масштаб должен быть числом от 0 (не включая) до 1000 пикселей на единицу карты";
  const std::string screen =
      "экран должен быть от 1x1 до 8192x8192 пикселей (картинка карты вдвое больше экрана по каждой стороне и при "
      "8192x8192 занимает 1 ГиБ памяти)";
  const std::string ratio = "отношение пикселей устройства к пикселям окна должно быть числом от 1 до 4";
  const std::string tooLarge = "картинка карты в пикселях устройства заняла бы больше 1 ГиБ памяти";
  const std::vector<Case> cases{
      {{"render", "-o", "out.png", "--scale", "nan"}, "--scale nan: " + scale},
      {{"render", "-o", "out.png", "--scale", "0"}, "--scale 0: " + scale},
      {{"render", "-o", "out.png", "--scale", "1001"}, "--scale 1001: " + scale},
      {{"render", "-o", "out.png", "--screen", "0x0"}, "--screen 0x0: " + screen},
      {{"render", "-o", "out.png", "--screen", "8193x10"}, "--screen 8193x10: " + screen},
      {{"render", "-o", "out.png", "--ratio", "0.5"}, "--ratio 0.5: " + ratio},
      {{"render", "-o", "out.png", "--ratio", "4.5"}, "--ratio 4.5: " + ratio},
      {{"render", "-o", "out.png", "--ratio", "2x"}, "--ratio 2x: " + ratio},
      {{"render", "-o", "out.png", "--screen", "6000x6000", "--ratio", "1.5"},
       "--screen 6000x6000 --ratio 1.5: " + tooLarge},
      {{"render", "-o", "out.png", "--center", "1;2"}, "--center 1;2: нужны два целых числа через запятую, X,Y"},
      {{"render", "-o", "out.png", "--texts", "yes"}, "--texts yes: нужно on или off"},
      {{"render", "-o", "out.png", "--filter", "a"}, "--filter a: нужно целое число"},
      {{"here", "1,1", "--scale", "-1"}, "--scale -1: " + scale},
      {{"here", "1x1"}, "X,Y 1x1: нужны два целых числа через запятую, X,Y"},
      {{"firms", "кафе", "--name", "1"}, "--name 1: нужно on или off"},
      {{"render"}, "не указан -o OUT.png"},
      {{"render", "-o"}, "-o: нет значения"},
      {{"render", "-o", "out.png", "--bogus", "1"}, "неизвестный параметр --bogus"},
      {{"render", "-o", "out.png", "other"}, "лишний аргумент other"},
      {{"render", "-o", "out.png", "--select", "street"}, "--select street: нужно street|building|object|firm|route:ROW"},
      {{"render", "-o", "out.png", "--click"}, "--click: нет значения"},
      {{"here", "1,2", "--bogus"}, "неизвестный параметр --bogus"},
      {{"here", "-1,-2", "3,4"}, "лишний аргумент 3,4"},
      {{"here", "--scale"}, "--scale: нет значения"},
      {{"here"}, "не указан X,Y"},
  };
  CityBuilder city;
  for (const Case& c : cases) {
    std::vector<std::string> args{c.Args[0], NativeString(city.CityDir())};
    args.insert(args.end(), c.Args.begin() + 1, c.Args.end());
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 2) << c.Reason;
    EXPECT_EQ(r.out, "");
    const std::string usage = "usage: tellurin-cli " + c.Args[0] + " ";
    EXPECT_EQ(r.err.rfind("tellurin-cli: " + c.Reason + "\n" + usage, 0), 0u) << r.err;
  }
}

TEST(CliRefusedValues, AMissingCityFolderAndAnUnknownCommandAreNamedInRussian) {
  CityBuilder city;
  const std::string nowhere = NativeString(city.CityDir() / "Нигде");
  for (const std::vector<std::string>& call : std::vector<std::vector<std::string>>{
           {"dump", nowhere}, {"render", nowhere, "-o", "out.png"}, {"here", nowhere, "1,1"}, {"search", nowhere, "x"}}) {
    const CliResult r = RunCli(call);
    EXPECT_EQ(r.exitCode, 2) << call[0];
    EXPECT_EQ(r.err, "tellurin-cli: " + nowhere + " не папка города: такой папки нет\n") << call[0];
  }
  const CliResult unknown = RunCli({"draw", nowhere});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_EQ(unknown.err.rfind("tellurin-cli: неизвестная команда «draw»\nusage: tellurin-cli COMMAND", 0), 0u)
      << unknown.err;
}
