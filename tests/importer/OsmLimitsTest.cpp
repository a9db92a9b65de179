// tellurin-cli import-osm on hostile inputs generated here: objects beyond
// OpenStreetMap's limits per object, coordinates hidden from the XML
// pre-scan, input that is not a regular file, data where the map ends.
#include <gtest/gtest.h>
#include <osmium/builder/attr.hpp>
#include <osmium/io/any_compression.hpp>
#include <osmium/io/any_output.hpp>
#include <osmium/memory/buffer.hpp>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cli/CliRun.h"
#include "mapdata/NativeName.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace osmium::builder::attr;  // NOLINT: the builder's attributes read as a list

namespace {

const std::string kCity = "Город";

CliResult Import(const fs::path& input, const fs::path& root, std::vector<std::string> extra = {}) {
  std::vector<std::string> args{"import-osm", NativeString(input), "--out", NativeString(root), "--name", kCity};
  args.insert(args.end(), extra.begin(), extra.end());
  return RunCli(args);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0, end; start < text.size(); start = end + 1) {
    end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// The first cells of the rows of a table of `tellurin-cli dump`.
std::set<std::string> DumpedNames(const fs::path& city, const std::string& table) {
  const CliResult r = RunCli({"dump", NativeString(city)});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  std::set<std::string> names;
  bool in = false;
  for (const std::string& line : Lines(r.out)) {
    if (line.starts_with("table\t")) {
      in = line.starts_with("table\t" + table + "\t");
    } else if (in) {
      const size_t from = line.find('\t') + 1;
      names.insert(line.substr(from, line.find('\t', from) - from));
    }
  }
  return names;
}

// Writes `buffer` as `file`, in the format and compression its name says.
void WriteOsm(const fs::path& file, const osmium::memory::Buffer& buffer) {
  osmium::io::Writer writer{NativeString(file), osmium::io::overwrite::allow};
  writer(osmium::memory::Buffer{buffer.data(), buffer.committed()});
  writer.close();
}

// Writes `text` compressed as the name of `file` says.
void WriteXml(const fs::path& file, const std::string& text) {
  const osmium::io::File kind{NativeString(file)};
#ifdef _WIN32
  const int fd = _wopen(file.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0644);
#else
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
#endif
  ASSERT_GE(fd, 0);
  const auto out =
      osmium::io::CompressionFactory::instance().create_compressor(kind.compression(), fd, osmium::io::fsync::no);
  out->write(text);
  out->close();
}

// Nodes 1 to 4 in a row at 55.75 N.
void AddNodes(osmium::memory::Buffer& b) {
  for (int id = 1; id <= 4; ++id)
    osmium::builder::add_node(b, _id(id), _location(37.60 + 0.001 * id, 55.75));
}

// The street "улица Мира" from node 1 to 2.
void AddStreet(osmium::memory::Buffer& b) {
  osmium::builder::add_way(b, _id(100), _nodes({1, 2}), _tag("highway", "residential"), _tag("name", "улица Мира"));
}

// A way of `n` node references, 3 and 4 in turn.
void AddLongStreet(osmium::memory::Buffer& b, osmium::object_id_type id, size_t n, const char* name) {
  std::vector<osmium::object_id_type> refs(n);
  for (size_t k = 0; k < n; ++k) refs[k] = 3 + static_cast<osmium::object_id_type>(k % 2);
  osmium::builder::add_way(b, _id(id), _nodes(refs), _tag("highway", "residential"), _tag("name", name));
}

// A bus route of `n` members, each the street 100.
void AddRepeatingRoute(osmium::memory::Buffer& b, osmium::object_id_type id, size_t n, const char* name) {
  std::vector<member_type> members(n, member_type{osmium::item_type::way, 100});
  osmium::builder::add_relation(b, _id(id), _members(members), _tag("type", "route"), _tag("route", "bus"),
                                _tag("ref", std::to_string(id)), _tag("name", name));
}

}  // namespace

// A way of more than 2,000 nodes and a relation of more than 32,000 members
// are left out, counted and named once whichever passes read them (a cut
// reads the file more often); a route listing one street 20,000 times is read
// with it once.
TEST(OsmLimits, AnObjectBeyondTheLimitsIsLeftOutCountedAndRepeatedMembersAreReadOnce) {
  osmium::memory::Buffer data{1 << 20, osmium::memory::Buffer::auto_grow::yes};
  AddNodes(data);
  AddStreet(data);
  AddLongStreet(data, 101, 2001, "улица Длинная");
  AddLongStreet(data, 102, 2000, "улица Предельная");
  AddRepeatingRoute(data, 200, 32001, "Автобус Длинный");
  AddRepeatingRoute(data, 201, 20000, "Автобус Кольцевой");
  const std::vector<std::string> summary{
      "skipped\trelation with more than 32000 members\t1", "skipped-ids\trelation with more than 32000 members\tr200",
      "skipped\tway with more than 2000 nodes\t1",          "skipped-ids\tway with more than 2000 nodes\tw101",
      "changed\tline of more than 150 points (split into pieces)\t1",  // the street of 2,000
      "changed\trelation members listed more than once, read once\t1"};
  struct Case {
    std::string File;
    std::vector<std::string> Extra;
  };
  const Case cases[] = {{"limits.osm.gz", {}}, {"limits.osm.pbf", {}}, {"limits.osm.pbf", {"--bbox", "37.5,55.7,37.7,55.8"}}};
  for (const Case& c : cases) {
    TempDir dir;
    WriteOsm(dir.Path() / c.File, data);
    const CliResult r = Import(dir.Path() / c.File, dir.Path() / "Base", c.Extra);
    ASSERT_EQ(r.exitCode, 0) << c.File << r.err;
    std::vector<std::string> reported;
    for (const std::string& line : Lines(r.out))
      if (line.starts_with("skipped") || line.starts_with("changed")) reported.push_back(line);
    EXPECT_EQ(reported, summary) << c.File << " " << r.out;
    const fs::path city = dir.Path() / "Base" / NativePath(kCity);
    EXPECT_EQ(DumpedNames(city, "ListOfStreets"), (std::set<std::string>{"Мира", "Предельная"})) << c.File;
    // One route, its line the street once: 2 points.
    EXPECT_EQ(DumpedNames(city, "ListOfPath1"), (std::set<std::string>{"2"})) << c.File;
  }
}

// An object with more tags than 5,000, or a key, value or role longer than
// 255 characters, refuses the file with the record named: XML (plain or
// compressed) before libosmium builds the object, PBF as its block is read.
TEST(OsmLimits, AnObjectBeyondTheTagLimitsRefusesTheFileNamingIt) {
  const std::string key256(256, 'k'), cyrillic255 = [] {
    std::string text;
    for (int k = 0; k < 255; ++k) text += "ж";
    return text;
  }();
  const std::string shown64(64, 'k');
  using Tags = std::vector<std::pair<std::string, std::string>>;
  struct Case {
    std::string What;
    Tags OfNode7;      // a node 7 with these tags, when not empty
    std::string Role;  // a relation 300 with a member of this role, when not empty
    std::string Says;  // after the record's place; "" when imported
  };
  const auto tagsOf = [](size_t n) {
    std::vector<std::pair<std::string, std::string>> tags;
    for (size_t k = 0; k < n; ++k) tags.emplace_back("note" + std::to_string(k), "x");
    return tags;
  };
  const Case cases[] = {
      {"5001 tags", tagsOf(5001), "", "запись node 7: больше 5000 тегов"},
      {"5000 tags", tagsOf(5000), "", ""},
      {"a key of 256", {{key256, "x"}}, "", "запись node 7: ключ тега \"" + shown64 + "...\" длиннее 255 знаков"},
      {"a value of 256 letters", {{"note", cyrillic255 + "ж"}}, "",
       "запись node 7: значение тега \"" + cyrillic255.substr(0, 64) + "...\" длиннее 255 знаков"},
      {"a value of 255 letters", {{"note", cyrillic255}}, "", ""},
      {"a value of 255 ampersands", {{"note", std::string(255, '&')}}, "", ""},
      {"a role of 256", {}, key256, "запись relation 300: роль участника \"" + shown64 + "...\" длиннее 255 знаков"},
      {"a role of 255", {}, key256.substr(1), ""},
  };
  for (const Case& c : cases) {
    osmium::memory::Buffer data{1 << 16, osmium::memory::Buffer::auto_grow::yes};
    AddNodes(data);
    if (!c.OfNode7.empty()) osmium::builder::add_node(data, _id(7), _location(37.60, 55.76), _tags(c.OfNode7));
    AddStreet(data);
    if (!c.Role.empty())
      osmium::builder::add_relation(data, _id(300), _member(osmium::item_type::way, 100, c.Role),
                                    _tag("type", "route"), _tag("route", "bus"));
    for (const char* file : {"tags.osm", "tags.osm.bz2", "tags.osm.pbf"}) {
      TempDir dir;
      WriteOsm(dir.Path() / file, data);
      const CliResult r = Import(dir.Path() / file, dir.Path() / "Base");
      if (c.Says.empty()) {
        EXPECT_EQ(r.exitCode, 0) << c.What << " " << file << r.err;
        continue;
      }
      EXPECT_EQ(r.exitCode, 1) << c.What << " " << file << r.out;
      EXPECT_TRUE(r.err.starts_with("tellurin-cli import-osm: " + NativeString(dir.Path() / file) + ": "))
          << c.What << " " << file << r.err;
      EXPECT_NE(r.err.find(c.Says + "\n"), std::string::npos) << c.What << " " << file << r.err;
      EXPECT_FALSE(fs::exists(dir.Path() / "Base")) << c.What << " " << file;
    }
  }
}

// The pre-scan refuses a coordinate past what libosmium reads; what would
// bring one past it is refused as well: a character reference, a declaration
// whose entities or default attributes the parser applies, another encoding.
TEST(OsmLimits, ACoordinateHiddenFromThePreScanIsRefused) {
  const std::string utf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  const auto street = [](const std::string& lat) {
    return "<osm version=\"0.6\">\n <node id=\"7\" lat=\"" + lat +
           "\" lon=\"37.60\"/>\n <node id=\"8\" lat=\"55.75\" lon=\"37.61\"/>\n"
           " <way id=\"9\"><nd ref=\"7\"/><nd ref=\"8\"/><tag k=\"highway\" v=\"residential\"/>"
           "<tag k=\"name\" v=\"улица Мира\"/></way>\n</osm>\n";
  };
  const auto utf16 = [](const std::string& ascii, bool bigEndian, bool mark) {
    std::string bytes = mark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
    for (const char c : ascii) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return bytes;
  };
  const std::string ascii = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<osm version=\"0.6\"><node id=\"7\" lat=\"1e300\" lon=\"0\"/></osm>\n";
  const std::string zeros(70, '0');
  struct Case {
    std::string File, Bytes, Says;  // Says: "" when imported
  };
  const Case cases[] = {
      {"reference.osm", utf8 + street("1&#101;300"),
       "строка 3, запись node 7: координата lat=\"1&#101;300\" записана ссылкой на знак, а в координате ссылки не "
       "читаются"},
      {"reference.osm.gz", utf8 + street("&#53;5.75"), "записана ссылкой на знак"},
      {"long-zeros.osm", utf8 + street(zeros + "1e300"),
       "координата lat=\"" + zeros.substr(0, 64) + "...\" не читается"},
      {"doctype.osm",
       utf8 + "<!DOCTYPE osm [<!ATTLIST node lat CDATA \"1e300\">]>\n" + street("55.75"),
       "строка 2: объявление <!DOCTYPE> в данных не принимается"},
      {"utf16le.osm", utf16(ascii, false, true), "строка 1: файл в кодировке UTF-16 (по метке порядка байтов), читается только UTF-8"},
      {"utf16be.osm.bz2", utf16(ascii, true, false),
       "строка 1: файл в кодировке UTF-16 или UTF-32 (нулевые байты в начале), читается только UTF-8"},
      {"latin1.osm", "<?xml version='1.0' encoding = 'ISO-8859-1'?>\n" + street("55.75"),
       "строка 1: кодировка \"ISO-8859-1\" в объявлении XML, читается только UTF-8"},
      {"marked.osm", "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + street("55.75"), ""},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteXml(dir.Path() / c.File, c.Bytes);
    const CliResult r = Import(dir.Path() / c.File, dir.Path() / "Base");
    if (c.Says.empty()) {
      EXPECT_EQ(r.exitCode, 0) << c.File << r.err;
      continue;
    }
    EXPECT_EQ(r.exitCode, 1) << c.File << r.out;
    EXPECT_NE(r.err.find(NativeString(dir.Path() / c.File) + ": "), std::string::npos) << c.File << r.err;
    EXPECT_NE(r.err.find(c.Says), std::string::npos) << c.File << r.err;
  }
}

// Only a regular file is read: a FIFO would wait for a writer for ever, a
// device would never end.  Listing the places (the window's import does)
// looks first as the import does.
TEST(OsmLimits, InputThatIsNotARegularFileIsRefusedWithoutOpeningIt) {
  TempDir dir;
  struct Case {
    std::string File, Says;
  };
  std::vector<Case> cases{{"folder.osm", "a folder, not a file: only a regular file is read"}};
  fs::create_directory(dir.Path() / "folder.osm");
#ifndef _WIN32
  ASSERT_EQ(mkfifo((dir.Path() / "fifo.osm").c_str(), 0600), 0);
  cases.push_back({"fifo.osm", "a named pipe (FIFO), not a file: only a regular file is read"});
  fs::create_symlink("/dev/zero", dir.Path() / "zero.osm.pbf");
  cases.push_back({"zero.osm.pbf", "a device, not a file: only a regular file is read"});
#endif
  for (const Case& c : cases) {
    const std::string says = NativeString(dir.Path() / c.File) + ": " + c.Says;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"import-osm", NativeString(dir.Path() / c.File), "--out",
                                   NativeString(dir.Path() / "Base"), "--name", kCity},
          std::vector<std::string>{"import-osm", NativeString(dir.Path() / c.File), "--list-places"}}) {
      const CliResult r = RunCli(args);
      EXPECT_EQ(r.exitCode, 1) << c.File << r.err;
      EXPECT_NE(r.err.find(says), std::string::npos) << c.File << r.err;
    }
  }
}

// The map ends at 85 degrees north and south: data there is refused with
// what the map covers and where the data lies, not imported as an empty city.
TEST(OsmLimits, DataAtOrBeyondTheMapsLatitudeIsRefused) {
  struct Case {
    double Latitude;
    std::string Says;  // "" when imported
  };
  const std::string covers = "the map covers latitudes between 85 south and 85 north only (not at them)";
  const Case cases[] = {
      {86, "the data lies at latitudes 86.0000 to 86.0000, and " + covers},
      {-85, "the data lies at latitudes -85.0000 to -85.0000, and " + covers},
      {84.9, ""},
  };
  for (const Case& c : cases) {
    osmium::memory::Buffer data{1 << 12, osmium::memory::Buffer::auto_grow::yes};
    osmium::builder::add_node(data, _id(1), _location(37.60, c.Latitude));
    osmium::builder::add_node(data, _id(2), _location(37.70, c.Latitude));
    osmium::builder::add_way(data, _id(9), _nodes({1, 2}), _tag("highway", "residential"), _tag("name", "улица Мира"));
    TempDir dir;
    WriteOsm(dir.Path() / "north.osm", data);
    const CliResult r = Import(dir.Path() / "north.osm", dir.Path() / "Base");
    if (c.Says.empty()) {
      EXPECT_EQ(r.exitCode, 0) << c.Latitude << r.err;
      continue;
    }
    EXPECT_EQ(r.exitCode, 1) << c.Latitude << r.out;
    EXPECT_NE(r.err.find(NativeString(dir.Path() / "north.osm") + ": " + c.Says), std::string::npos)
        << c.Latitude << r.err;
    EXPECT_FALSE(fs::exists(dir.Path() / "Base" / NativePath(kCity))) << c.Latitude;
  }
}

// A PBF block is small, but each of its tags refers to strings of the block's
// table, which the decoder copies: a block of 300,000 references to one long
// value decodes to 80 MB, and is refused before it is.
TEST(OsmLimits, APbfBlockWhoseTagsDecodeToTooMuchTextIsRefused) {
  osmium::memory::Buffer data{1 << 20, osmium::memory::Buffer::auto_grow::yes};
  AddNodes(data);
  std::vector<std::pair<std::string, std::string>> tags;
  for (int k = 0; k < 5000; ++k) tags.emplace_back("n" + std::to_string(k), std::string(255, 'x'));
  for (int id = 10; id < 70; ++id) osmium::builder::add_node(data, _id(id), _location(37.60, 55.76), _tags(tags));
  AddStreet(data);
  TempDir dir;
  WriteOsm(dir.Path() / "text.osm.pbf", data);
  EXPECT_LT(fs::file_size(dir.Path() / "text.osm.pbf"), 2u << 20);
  const CliResult r = Import(dir.Path() / "text.osm.pbf", dir.Path() / "Base");
  EXPECT_EQ(r.exitCode, 1) << r.out;
  EXPECT_NE(r.err.find(NativeString(dir.Path() / "text.osm.pbf") +
                       ": блок данных, теги которого раскрываются больше чем в 64 МБ текста"),
            std::string::npos)
      << r.err;
}
