#pragma once
// A city folder in a temporary data root, written file by file, and a map core
// with a recording host that loads from that root.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "citywriter/LayerWriter.h"
#include "mapdata/NativeName.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

// UTF-8 text of a test to the Windows-1251 bytes of a data file or table.
std::string W(const std::string& utf8);

class CityBuilder {
 public:
  explicit CityBuilder(std::string cityName = "Town");

  const fs::path& DataRoot() const { return root_; }
  const std::string& Name() const { return name_; }
  fs::path CityDir() const { return root_ / NativePath(name_); }
  // The separators the system writes ('\\' on Windows), as in the program's messages.
  fs::path PathOf(const std::string& relative) const { return (CityDir() / NativePath(relative)).make_preferred(); }

  // Each returns the path written.  `relative` uses '/' ("Data/Streets.txt").
  fs::path Plain(const std::string& relative, const std::vector<LayerRecord>& records) const;
  fs::path Scrambled(const std::string& relative, const std::vector<LayerRecord>& records,
                     unsigned char mask = kScrambleMask) const;
  fs::path Raw(const std::string& relative, const std::string& bytes) const;
  fs::path Folder(const std::string& relative) const;
  // Info/about.inf with the title as its first line, so that the city is listed.
  fs::path About(const std::string& titleUtf8) const;

 private:
  TempDir temp_;
  fs::path root_;
  std::string name_;
};

// A map core over a city's data root, with a host that records messages.
struct CoreFixture {
  explicit CoreFixture(const fs::path& dataRoot) : Core(Host, dataRoot) {}
  RecordingHost Host;
  MapCore Core;
};

// A little record of each layer (Windows-1251 fields).
LayerRecord StreetRecord(const std::string& nameUtf8, const std::string& points, int pointCount,
                         const std::string& width = "3", const std::string& typeUtf8 = "Улица");
