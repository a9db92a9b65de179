// Extracts shaped like the ones users import (a city's PBF whose header box is
// many times the city, a small country with a capital and towns, a street
// with cafés that have no address), written here: where the first view
// lands, which place names get which size, which points of interest become
// firms with which address, and which minor ones are left out.
#include <gtest/gtest.h>
#include <osmium/io/any_input.hpp>
#include <osmium/io/any_output.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "cli/CliRun.h"
#include "mapdata/NativeName.h"
#include "support/TabFields.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

using Tags = std::vector<std::pair<std::string, std::string>>;

std::vector<std::vector<std::string>> Rows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) rows.push_back(TabFields(line));
  return rows;
}

// An extract drawn in metres east and north of a point, written as XML.
class Extract {
 public:
  Extract(double lon, double lat) : lon0_(lon), lat0_(lat) {}

  std::string Lon(double x) const { return Degrees(lon0_ + x / (111320.0 * std::cos(lat0_ * M_PI / 180))); }
  std::string Lat(double y) const { return Degrees(lat0_ + y / 111320.0); }

  int64_t Node(double x, double y, const Tags& tags = {}) {
    const int64_t id = ++ids_;
    nodes_ += "<node id=\"" + std::to_string(id) + "\" lat=\"" + Lat(y) + "\" lon=\"" + Lon(x) + "\">" + TagText(tags) +
              "</node>\n";
    return id;
  }
  void Way(const std::vector<int64_t>& nodes, const Tags& tags) {
    ways_ += "<way id=\"" + std::to_string(++ids_) + "\">";
    for (int64_t n : nodes) ways_ += "<nd ref=\"" + std::to_string(n) + "\"/>";
    ways_ += TagText(tags) + "</way>\n";
  }
  // A square `side` metres wide, south-west corner at (x, y).
  void Square(double x, double y, double side, const Tags& tags) {
    const int64_t a = Node(x, y), b = Node(x + side, y), c = Node(x + side, y + side), d = Node(x, y + side);
    Way({a, b, c, d, a}, tags);
  }
  void Street(double x0, double y0, double x1, double y1, const std::string& name) {
    Way({Node(x0, y0), Node(x1, y1)}, {{"highway", "residential"}, {"name", name}});
  }
  // A settlement: its node and `side` x `side` houses 60 m apart around it
  // on a street of its name.
  void Settlement(double x, double y, int side, const Tags& tags) {
    Node(x, y, tags);
    const std::string street = "улица " + tags.at(1).second;
    Street(x - 30 * side, y - 20, x + 30 * side, y - 20, street);
    for (int i = 0; i < side * side; ++i)
      Square(x + 60 * (i % side - side / 2.0), y + 60 * (i / side - side / 2.0), 12,
             {{"building", "yes"}, {"addr:street", street}, {"addr:housenumber", std::to_string(i + 1)}});
  }
  void Bounds(double x0, double y0, double x1, double y1) {
    bounds_ = "<bounds minlat=\"" + Lat(y0) + "\" minlon=\"" + Lon(x0) + "\" maxlat=\"" + Lat(y1) + "\" maxlon=\"" +
              Lon(x1) + "\"/>\n";
  }
  void Write(const fs::path& file) const {
    const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<osm version=\"0.6\" generator=\"test\">\n" +
                            bounds_ + nodes_ + ways_ + "</osm>\n";
    WriteBytes(file, xml);
  }

 private:
  static std::string Degrees(double d) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7f", d);
    return text;
  }
  static std::string TagText(const Tags& tags) {
    std::string text;
    for (const auto& [k, v] : tags) text += "<tag k=\"" + k + "\" v=\"" + v + "\"/>";
    return text;
  }
  double lon0_, lat0_;
  int64_t ids_ = 0;
  std::string bounds_, nodes_, ways_;
};

// The same data as PBF, its bounds in the header.
void WritePbf(const fs::path& xml, const fs::path& pbf) {
  osmium::io::Reader reader{NativeString(xml)};
  osmium::io::Writer writer{NativeString(pbf), reader.header(), osmium::io::overwrite::allow};
  while (osmium::memory::Buffer buffer = reader.read()) writer(std::move(buffer));
  writer.close();
  reader.close();
}

CliResult Import(const fs::path& input, const fs::path& root, const std::string& name) {
  return RunCli({"import-osm", NativeString(input), "--out", NativeString(root), "--name", name});
}

// The summary's lines of a kind ("centre", "skipped", ...), without the kind.
std::vector<std::vector<std::string>> SummaryLines(const CliResult& r, const std::string& kind) {
  std::vector<std::vector<std::string>> lines;
  for (std::vector<std::string>& f : Rows(r.out))
    if (f[0] == kind) lines.emplace_back(f.begin() + 1, f.end());
  return lines;
}

// The rows of a table of `tellurin-cli dump`, without their index.
std::vector<std::vector<std::string>> DumpTable(const fs::path& city, const std::string& table) {
  const CliResult r = RunCli({"dump", NativeString(city)});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  std::vector<std::vector<std::string>> rows;
  std::string current;
  for (std::vector<std::string>& f : Rows(r.out)) {
    if (f[0] == "table") current = f[1];
    else if (current == table && f[0] != "extents") rows.emplace_back(f.begin() + 1, f.end());
  }
  return rows;
}

// A city 60 km square as an extract service cuts it: the city node 8 km
// from the header box's middle, an industrial estate denser than the centre,
// a town nearby.
Extract CityRegion() {
  Extract e(37.6, 55.7);
  e.Bounds(-22000, -20000, 38000, 28000);
  e.Settlement(0, 0, 5, {{"place", "city"}, {"name", "Светлоград"}, {"population", "400000"}});
  e.Settlement(15000, 9000, 3, {{"place", "town"}, {"name", "Заречный"}, {"population", "30000"}});
  for (int i = 0; i < 64; ++i) e.Square(9000 + 20 * (i % 8), 6000 + 20 * (i / 8), 10, {{"building", "industrial"}});
  return e;
}

// A small country: a capital smaller than another city, towns, a village, a
// hamlet, a district of the capital, and the country's and a region's
// nodes where their mappers put them.
Extract Country() {
  Extract e(71.4, 51.1);
  e.Settlement(0, 0, 4, {{"place", "city"}, {"name", "Nurbek"}, {"name:ru", "Нурбек"}, {"capital", "yes"}, {"population", "1000000"}});
  e.Settlement(-120000, -30000, 4, {{"place", "city"}, {"name", "Алмалы"}, {"population", "2000000"}});
  e.Settlement(60000, 40000, 2, {{"place", "town"}, {"name", "Берёзовка"}, {"name:en", "Berezovka"}, {"population", "20000"}});
  e.Settlement(-40000, 70000, 2, {{"place", "town"}, {"name", "Ольгино"}});
  e.Settlement(20000, -50000, 1, {{"place", "village"}, {"name", "Сосновка"}});
  e.Settlement(25000, -52000, 1, {{"place", "hamlet"}, {"name", "Хутор"}});
  e.Settlement(2000, -1500, 1, {{"place", "suburb"}, {"name", "Левобережный"}});
  e.Node(-30000, 10000, {{"place", "country"}, {"name", "Страна"}, {"capital", "yes"}});
  e.Node(-60000, 20000, {{"place", "state"}, {"name", "Область"}});
  return e;
}

// The first view looks at the place the city is called by, else the most
// important one, never at the middle of the file's box; the summary says
// which, and the place's houses are all in the first view.
TEST(OsmPlaces, TheFirstViewLandsOnTheCitysPlace) {
  TempDir dir;
  CityRegion().Write(dir.Path() / "region.osm");
  WritePbf(dir.Path() / "region.osm", dir.Path() / "region.osm.pbf");
  Country().Write(dir.Path() / "country.osm");
  fs::copy_file(dir.Path() / "country.osm", dir.Path() / "berezovka-latest.osm");
  const Extract region = CityRegion(), country = Country();
  struct Case {
    const char* File;
    const char* Name;
    const char* How;
    std::string Lat, Lon;
    size_t Houses;  // of the place, in the first view
  };
  const Case cases[] = {
      {"region.osm.pbf", "Светлоград", "city Светлоград", region.Lat(0), region.Lon(0), 25},
      {"region.osm.pbf", "Мой город", "city Светлоград", region.Lat(0), region.Lon(0), 25},
      {"region.osm.pbf", "заречный", "town Заречный", region.Lat(9000), region.Lon(15000), 9},
      {"country.osm", "Моя страна", "city Nurbek", country.Lat(0), country.Lon(0), 16},
      {"country.osm", "НУРБЕК", "city Nurbek", country.Lat(0), country.Lon(0), 16},
      {"country.osm", "Березовка", "town Берёзовка", country.Lat(40000), country.Lon(60000), 4},
      {"berezovka-latest.osm", "Моя страна", "town Берёзовка", country.Lat(40000), country.Lon(60000), 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.File) + " as " + c.Name);
    const fs::path root = dir.Path() / ("city" + std::to_string(&c - cases));
    const CliResult r = Import(dir.Path() / c.File, root, c.Name);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(SummaryLines(r, "centre"), (std::vector<std::vector<std::string>>{{c.How, c.Lat, c.Lon}})) << r.out;
    const fs::path city = root / NativePath(c.Name);
    const std::vector<std::vector<std::string>> here = Rows(RunCli({"here", NativeString(city), "500,600"}).out);
    ASSERT_FALSE(here.empty());
    EXPECT_EQ(here.back(), (std::vector<std::string>{"geo", c.Lat, c.Lon}));
    const std::string street = "улица " + std::string(c.How).substr(std::string(c.How).find(' ') + 1);
    size_t inView = 0;
    for (const std::vector<std::string>& b : DumpTable(city, "ListOfBuildings")) {
      int x = 0, y = 0;
      std::sscanf(b[4].c_str(), "%d %d", &x, &y);
      inView += b[0] == street && std::abs(x - 500) < 512 && std::abs(y - 600) < 384 ? 1 : 0;
    }
    EXPECT_EQ(inView, c.Houses);
  }
}

// Place names are sized by rank, a capital first, every town above the
// street names (9 and 8); nodes of countries and regions are no labels.
TEST(OsmPlaces, PlaceNamesAreSizedByRank) {
  TempDir dir;
  Country().Write(dir.Path() / "country.osm");
  ASSERT_EQ(Import(dir.Path() / "country.osm", dir.Path(), "Страна").exitCode, 0);
  std::map<std::string, std::string> sizes;
  for (const std::vector<std::string>& label : DumpTable(dir.Path() / NativePath("Страна"), "ListOfTexts"))
    if (label[0].rfind("улица", 0) != 0) sizes[label[0]] = label[1];
  EXPECT_EQ(sizes, (std::map<std::string, std::string>{{"Nurbek", "16"},
                                                       {"Алмалы", "15"},
                                                       {"Берёзовка", "14"},
                                                       {"Ольгино", "14"},
                                                       {"Левобережный", "12"},
                                                       {"Сосновка", "11"},
                                                       {"Хутор", "10"}}));
}

// A street of cafés: every named one is a firm, with its own address, that
// of the house it stands in, of a house within 50 m, its own street, or the
// nearest street without a number; the summary counts each case.  Unnamed
// and private pools, private gyms and fuel stations get no icon.
TEST(OsmPlaces, EveryNamedPointOfInterestIsAFirmAndMinorOnesGetNoIcon) {
  TempDir dir;
  Extract e(39.0, 45.0);
  e.Street(0, 0, 400, 0, "улица Ленина");
  e.Street(0, 300, 400, 300, "Садовая улица");
  e.Square(0, 10, 20, {{"building", "yes"}, {"addr:street", "улица Ленина"}, {"addr:housenumber", "5"}});
  e.Square(100, 10, 20, {{"building", "yes"}});
  e.Node(10, 20, {{"amenity", "cafe"}, {"name", "Кафе в доме"}});
  e.Node(10, 65, {{"amenity", "cafe"}, {"name", "Кафе во дворе"}});
  e.Node(110, 20, {{"amenity", "cafe"}, {"name", "Кафе без адреса"}});
  e.Node(300, 260, {{"amenity", "cafe"}, {"name", "Кафе у сада"}});
  e.Node(300, 150, {{"amenity", "cafe"}, {"name", "Кафе на Ленина"}, {"addr:street", "улица Ленина"}});
  e.Node(200, 150, {{"amenity", "cafe"}, {"name", "Кафе с адресом"}, {"addr:street", "Садовая улица"}, {"addr:housenumber", "1"}});
  e.Square(200, 100, 30, {{"leisure", "swimming_pool"}});
  e.Square(250, 100, 30, {{"leisure", "swimming_pool"}, {"name", "Частный"}, {"access", "private"}});
  e.Node(320, 100, {{"leisure", "swimming_pool"}, {"name", "Бассейн «Волна»"}});
  e.Node(340, 100, {{"leisure", "fitness_centre"}});
  e.Node(360, 100, {{"amenity", "fuel"}, {"access", "private"}});
  e.Node(380, 100, {{"amenity", "fuel"}, {"name", "Заправка"}});
  e.Write(dir.Path() / "street.osm");
  const CliResult r = Import(dir.Path() / "street.osm", dir.Path(), "Город");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const fs::path city = dir.Path() / NativePath("Город");

  std::map<std::string, std::string> addresses;
  for (const char* key : {"кафе", "заправка"})
    for (const std::vector<std::string>& row : Rows(RunCli({"firms", NativeString(city), key}).out))
      if (row.size() == 3) addresses[row[1]] = row[2].substr(0, row[2].find_last_not_of(' ') + 1);
  EXPECT_EQ(addresses, (std::map<std::string, std::string>{{"Кафе в доме", "улица Ленина 5"},
                                                           {"Кафе во дворе", "улица Ленина 5"},
                                                           {"Кафе без адреса", "улица Ленина"},
                                                           {"Кафе у сада", "улица Садовая"},
                                                           {"Кафе на Ленина", "улица Ленина"},
                                                           {"Кафе с адресом", "Садовая улица 1"},
                                                           {"Заправка", "улица Ленина"}}));
  std::set<std::string> objects;
  for (const std::vector<std::string>& o : DumpTable(city, "ListOfObjects"))
    if (o[0] != "Кафе и рестораны") objects.insert(o[0] + ": " + o[3]);
  EXPECT_EQ(objects, (std::set<std::string>{"Спорт и фитнес: Бассейн «Волна»", "Спорт и фитнес:  ", "Заправки: Заправка"}));
  const std::vector<std::vector<std::string>> expected{
      {"changed", "firm given the address of a building within 50 m", "1"},
      {"changed", "firm given the address of the building it stands in", "1"},
      {"changed", "firm given the nearest street without a number", "3"},
      {"skipped", "private swimming pool, gym or fuel station", "2"},
      {"skipped", "unnamed swimming pool", "1"},
  };
  const std::vector<std::vector<std::string>> summary = Rows(r.out);
  for (const std::vector<std::string>& line : expected)
    EXPECT_NE(std::find(summary.begin(), summary.end(), line), summary.end()) << line[1] << "\n" << r.out;
}

}  // namespace
