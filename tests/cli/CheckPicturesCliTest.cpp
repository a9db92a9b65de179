// check reads every picture the viewer shows: the city's picture in the city
// selection, each firm's marker and its three pictures.
#include <gtest/gtest.h>

#include "cli/CliRun.h"
#include "support/CityBuilder.h"
#include "support/PictureFiles.h"
#include "support/Unprivileged.h"
#include "mapdata/NativeName.h"

TEST(CliCheck, ListsEveryPictureThatCannotBeReadOrDecoded) {
  struct Case {
    const char* Picture;  // relative to the city folder
    bool Locked;          // readable bytes without read rights; otherwise bytes that are no JPEG
  };
  const Case cases[] = {
      {"Info/Picture.jpg", false}, {"Firms/b1.jpg", false}, {"Firms/b2.jpg", false}, {"Firms/b3.jpg", false},
      {"Firms/b.jpg", false},      {"Info/Picture.jpg", true}, {"Firms/b2.jpg", true},
  };
  for (const Case& c : cases) {
    CityBuilder city;
    city.Plain("Data/Streets.txt", {StreetRecord("A", "1 2", 1)});  // a city without layers is a problem itself
    city.Raw("Firms/b.crpt", ScrambledFirmBytes({"B", "s", "1", "1 1", "k"}));
    for (const char* good : {"Info/Picture.jpg", "Firms/b.jpg", "Firms/b1.jpg", "Firms/b2.jpg", "Firms/b3.jpg"})
      city.Raw(good, JpegBytes(SolidImage(20, 20, Qt::blue)));
    const fs::path picture = c.Locked ? city.PathOf(c.Picture) : city.Raw(c.Picture, "not a jpeg");
    std::vector<std::string> prefix;
    if (c.Locked) {
      if (!PrefixAsNobody(city.CityDir() / "Firms", prefix)) GTEST_SKIP() << "setpriv is needed to drop root rights";
      fs::permissions(city.CityDir() / "Info", fs::perms(0755));
      fs::permissions(picture, fs::perms::none);
    }
    const CliResult r = RunCli({"check", NativeString(city.CityDir())}, prefix);
    EXPECT_EQ(r.exitCode, 1) << c.Picture << (c.Locked ? " locked" : "") << r.err;
    EXPECT_EQ(r.out, std::string(c.Picture) + "\t0\tкартинка не читается\n") << (c.Locked ? "locked" : "");
    fs::permissions(picture, fs::perms(0644));
  }
}
