// A PBF file read once is read again without the blocks that hold nothing a
// pass wants: shown by damaging a block of nodes after the first read (its
// time kept), which a pass of ways or relations then never inflates and a
// pass of nodes reports as libosmium does; once the file's time changes, it
// is read whole again.
#include <gtest/gtest.h>

#include <osmium/io/any_input.hpp>
#include <osmium/osm/object.hpp>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>

#include "PbfFileBlocks.h"
#include "SyntheticExtract.h"
#include "importer/OsmInputFile.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
namespace entity = osmium::osm_entity_bits;

namespace {

// "n12 w40 r3 …" of the objects of the kinds read, or the reader's error.
std::string Objects(const fs::path& file, entity::type kinds) {
  std::string text;
  try {
    osmium::io::Reader reader{OsmInputFile(file), kinds, osmium::io::read_meta::no};
    while (osmium::memory::Buffer buffer = reader.read())
      for (const osmium::OSMObject& o : buffer.select<osmium::OSMObject>())
        text += osmium::item_type_to_char(o.type()) + std::to_string(o.id()) + ' ';
    reader.close();
  } catch (const std::exception& e) {
    return std::string("error: ") + e.what();
  }
  return text;
}

void Overwrite(const fs::path& file, size_t at, const std::string& bytes) {
  std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
  out.seekp(static_cast<std::streamoff>(at));
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Sets the file's time, again until it holds: under Wine a time set right
// after the file was written or read may not stay.
void SetTime(const fs::path& file, fs::file_time_type time) {
  for (int attempt = 0; attempt < 50 && fs::last_write_time(file) != time; ++attempt) {
    fs::last_write_time(file, time);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_EQ(fs::last_write_time(file), time) << "the file's time cannot be set back here";
}

std::string FileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(PbfBlocks, ASecondPassInflatesOnlyTheBlocksOfTheKindsItWants) {
  TempDir dir;
  const fs::path file = dir.Path() / "blocks.osm.pbf";
  WriteSyntheticExtract({20}, file);
  // A time of whole seconds, which every platform sets back exactly (MinGW's
  // library sets whole seconds only).
  const fs::file_time_type time =
      std::chrono::floor<std::chrono::seconds>(fs::last_write_time(file)) - std::chrono::seconds(10);
  fs::last_write_time(file, time);
  const std::vector<size_t> ends = PbfBlockEnds(FileBytes(file));
  ASSERT_GT(ends.size(), 4u) << "a header block and several data blocks";

  std::map<entity::type, std::string> before;
  for (entity::type kinds : {entity::node, entity::way, entity::relation}) before[kinds] = Objects(file, kinds);
  ASSERT_NE(Objects(file, entity::nwr).find("error"), 0u);  // read whole once: its blocks are known

  // The first data block holds nodes (a sorted file); its compressed middle
  // is overwritten, the file's time kept.
  const size_t middle = (ends[0] + ends[1]) / 2;
  Overwrite(file, middle, std::string(64, '\x5a'));
  SetTime(file, time);

  const struct {
    const char* what;
    entity::type kinds;
    bool damaged;  // the pass meets the damaged block
  } passes[] = {
      {"ways", entity::way, false},
      {"relations", entity::relation, false},
      {"ways and relations", entity::way | entity::relation, false},
      {"nodes", entity::node, true},
  };
  for (const auto& pass : passes) {
    SCOPED_TRACE(pass.what);
    const std::string read = Objects(file, pass.kinds);
    if (pass.damaged) {
      EXPECT_EQ(read.find("error: failed to uncompress data"), 0u) << read.substr(0, 200);
    } else {
      std::string expected;
      for (entity::type kind : {entity::node, entity::way, entity::relation})
        if (pass.kinds & kind) expected += before[kind];
      EXPECT_TRUE(read == expected) << read.substr(0, 200) << "\n…instead of…\n" << expected.substr(0, 200);
    }
  }

  SetTime(file, time + std::chrono::seconds(2));
  EXPECT_EQ(Objects(file, entity::way).find("error: failed to uncompress data"), 0u) << "a changed file is inflated whole again";
}

}  // namespace
