#pragma once
// A city folder of its own for one fuzzing process: the fuzz input is written
// into it as one of the city's files and read back through the real loader,
// exactly as the viewer reads a city.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "shell/RecordingHost.h"
#include "state/MapCore.h"

class FuzzCity {
 public:
  // <temp>/tellurin-fuzz-XXXXXX/Base/City, removed when the process ends.
  static FuzzCity& Instance();

  const std::string& Name() const { return name_; }
  const std::filesystem::path& DataRoot() const { return dataRoot_; }
  // The city's file (relative, '/' separators) holds exactly these bytes.
  void Write(const std::string& relative, const uint8_t* data, size_t size);
  void Remove(const std::string& relative);

 private:
  FuzzCity();
  ~FuzzCity();
  std::filesystem::path top_;
  std::filesystem::path dataRoot_;
  std::string name_ = "City";
};

// A fresh core on the fuzz city for one run, its messages recorded.
struct FuzzCore {
  explicit FuzzCore(int screenWidth = 1024, int screenHeight = 768)
      : Host(screenWidth, screenHeight), Core(Host, FuzzCity::Instance().DataRoot()) {
    Core.CurrentCity = FuzzCity::Instance().Name();
  }
  RecordingHost Host;
  MapCore Core;
};

// Makes a QGuiApplication (offscreen) for the targets whose code draws text or
// needs the platform's fonts.
void EnsureGuiApplication();
