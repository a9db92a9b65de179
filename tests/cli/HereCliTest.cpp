// tellurin-cli here on the plain demo city: the lines for points at a crossing
// of two avenues, beside it at two scales, on a school, on a found firm, and on
// nothing; wrong calls are refused.
#include <QProcess>
#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "support/TempDir.h"
#include "mapdata/NativeName.h"

namespace {

class HereCli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root = new TempDir;
    QProcess generator;
    generator.start(TELLURIN_DEMO_PATH, {"--out", QString::fromStdString(NativeString(root->Path())), "--plain"});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitCode(), 0);
  }
  static void TearDownTestSuite() {
    delete root;
    root = nullptr;
  }
  static std::string City() { return NativeString(root->Path() / NativePath("Светлогорск")); }
  static TempDir* root;
};

TempDir* HereCli::root = nullptr;

}  // namespace

TEST_F(HereCli, PrintsOneLinePerRecordUnderThePoint) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  const Case cases[] = {
      // Проспект Мира (x 420, width 6: 3 pixels wide at scale 1) crosses
      // Центральный проспект (y 570).
      {{"420,570"}, "street\t6\tМира\t\nstreet\t18\tЦентральный\t\n"},
      {{"420,570", "--scale", "4"}, "street\t6\tМира\t\nstreet\t18\tЦентральный\t\n"},
      // 6 units east of Мира: 3 pixels at scale 0.5 (within 3 of its 1-pixel
      // line), 6 pixels at scale 1 (more than 3 beyond its 3-pixel line).
      {{"426,570", "--scale", "0.5"}, "street\t6\tМира\t\nstreet\t18\tЦентральный\t\n"},
      {{"426,570"}, "street\t18\tЦентральный\t\n"},
      // A school's icon 10 pixels away, on the school's building in a housing block.
      {{"510,385"},
       "object\t1\tШкола №2\tулица Победы 20\nbuilding\t96\tШкола №2\tулица Победы 20\nregion\t13\tЖилая зона\t\n"},
      {{"511,386"}, "building\t96\tШкола №2\tулица Победы 20\nregion\t13\tЖилая зона\t\n"},
      // A firm is listed while it is found and drawn; an unnamed building.
      {{"876,635", "--found-firms", "аптека"},
       "firm\t2\tАптека «Здоровье»\tулица Лермонтова 7\nbuilding\t248\t\tулица Лермонтова 7\n"
       "region\t35\tЖилая зона\t\n"},
      {{"876,635"}, "building\t248\t\tулица Лермонтова 7\nregion\t35\tЖилая зона\t\n"},
      {{"5000,-5000"}, ""},
  };
  for (const Case& k : cases) {
    std::vector<std::string> args{"here", City()};
    args.insert(args.end(), k.args.begin(), k.args.end());
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 0) << k.args[0] << r.err;
    EXPECT_EQ(r.out, k.out) << k.args[0];
    EXPECT_EQ(r.err, "");
  }
}

TEST_F(HereCli, WrongCallsAreRefused) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"here", City()},
           {"here", City(), "420;570"},
           {"here", City(), "420,570", "--scale", "0"},
           {"here", City(), "420,570", "--scale"},
           {"here", City(), "420,570", "1,2"},
           {"here", City() + "/nowhere", "420,570"}}) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 2) << args.back();
    EXPECT_EQ(r.out, "");
  }
}

// A street's name holds no type word: its type says it, and the status bar,
// which joins the two, says it once.  The name as people write it, type
// first or last, still finds the street (by its words).
TEST_F(HereCli, AStreetSaysItsTypeOnceAndIsFoundByItsFullName) {
  struct Case {
    std::string written, name, type;
  };
  const Case cases[] = {{"улица Гагарина", "Гагарина", "улица"},
                        {"Вокзальная улица", "Вокзальная", "улица"},
                        {"проспект Мира", "Мира", "проспект"},
                        {"Центральный проспект", "Центральный", "проспект"},
                        {"Рябиновый переулок", "Рябиновый", "переулок"},
                        {"Набережная улица", "Набережная", "улица"}};
  TempDir out;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
    const CliResult found = RunCli({"search", City(), c.written});
    const std::string row = "\n" + c.name + "\t" + c.type + "\t\t1\t";
    const size_t at = found.out.find(row);
    ASSERT_NE(at, std::string::npos) << found.out;
    const size_t from = at + row.size();
    const std::string street = found.out.substr(from, found.out.find('\n', from) - from);
    const CliResult render = RunCli({"render", City(), "-o", NativeString(out.Path() / "street.png"), "--select",
                                     "street:" + street});
    EXPECT_NE(render.out.find("status\t1\t" + c.type + " " + c.name + "\n"), std::string::npos) << render.out;
  }
}
