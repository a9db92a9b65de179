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
