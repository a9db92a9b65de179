#pragma once
// A map window state without a window: a recording host, a city folder in a
// temporary directory and helpers that append rows in the loaders' column
// layout, so that selection, clicks and hints run on real tables and files.
#include <QImage>

#include <string>

#include "mapdata/Cp1251.h"
#include "mapdata/PictureLoader.h"
#include "citywriter/PictureWriters.h"
#include "shell/MapCore.h"
#include "shell/RecordingHost.h"
#include "support/TempDir.h"

namespace selection_test {

inline std::string W(const std::string& utf8) { return cp1251::FromUtf8(utf8); }

// JPEG bytes of a plain picture of the given size.
inline std::string JpegBytes(int width, int height, QColor colour = Qt::red) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  std::string bytes, error;
  EncodeJpeg(image, 95, bytes, error);
  return bytes;
}

// The viewer registers its decoders at start.
inline void EnsureJpegDecoder() { RegisterStandardPictureDecoders(); }

class City {
 public:
  City() : core(host, dir.Path() / "Base") {
    core.CurrentCity = "Town";
    std::filesystem::create_directories(dir.Path() / "Base" / "Town" / "Firms");
    // A maximised window on a 1024 x 768 screen, scale 1, no offset.
    core.View.ScreenWidth = 1024;
    core.View.ScreenHeight = 768;
    core.View.Scale = 1.0f;
    host.OuterWidth = 1032;
    host.OuterHeight = 776;
  }

  std::filesystem::path FirmsDir() const { return dir.Path() / "Base" / "Town" / "Firms"; }
  void WriteFirmFile(const std::string& name, const std::string& bytes) { WriteBytes(FirmsDir() / name, bytes); }

  int AddStreet(const std::string& name, const std::string& type, const std::string& width, const std::string& count,
                const std::string& coords) {
    LayerRow& r = core.Tables.ListOfStreets.Add(W(name));
    r.SubItems = {W(type), width, count, coords, "Streets.txt", "0", " ", "0", "0", "0", "0"};
    return core.Tables.ListOfStreets.Count() - 1;
  }
  int AddBuilding(const std::string& street, const std::string& number, const std::string& name,
                  const std::string& count, const std::string& coords) {
    LayerRow& r = core.Tables.ListOfBuildings.Add(W(street));
    r.SubItems = {W(number), W(name), count, coords, "Buildings.txt", "0", "0", "0", "0"};
    return core.Tables.ListOfBuildings.Count() - 1;
  }
  // An object at (x, y) of icon kind `picture`, listed in the draw list.
  int AddObject(const std::string& kind, const std::string& street, const std::string& number,
                const std::string& name, int x, int y, int picture, bool drawn = true) {
    LayerRow& r = core.Tables.ListOfObjects.Add(W(kind));
    const std::string xs = std::to_string(x), ys = std::to_string(y);
    r.SubItems = {W(street), W(number), W(name), xs + " " + ys, "Objects.txt", std::to_string(picture), xs, ys};
    const int row = core.Tables.ListOfObjects.Count() - 1;
    if (drawn) core.Tables.DrawListView.Add("5").SubItems = {std::to_string(row)};
    return row;
  }
  int AddFirm(const std::string& name, const std::string& street, const std::string& number, int x, int y,
              const std::string& file, int picture) {
    LayerRow& r = core.Tables.ListOfFirms.Add(W(name));
    const std::string xs = std::to_string(x), ys = std::to_string(y);
    r.SubItems = {W(street), W(number), xs + " " + ys, W(file), xs, ys, W("ключ"), std::to_string(picture)};
    return core.Tables.ListOfFirms.Count() - 1;
  }
  // The firm becomes one of the found firms drawn on the map.
  void Find(int firmRow) {
    core.Search.ListView2.Add(std::to_string(firmRow));
    core.Flags.ShowFoundFirms = true;
  }
  int AddRoute(const std::string& type, const std::string& name, const std::string& count, const std::string& coords) {
    core.Tables.ListOfPath1.Add(count).SubItems = {coords, "0", "0", "0", "0"};
    core.Tables.ListOfPath2.Add(W(type)).SubItems = {W(name), W("комментарий")};
    return core.Tables.ListOfPath2.Count() - 1;
  }

  // Puts the picture's window-pixel origin on map point (0, 0) times Scale, so
  // that a window pixel equals a hit-test unit: hx = x.
  void AlignWindowWithMap() {
    core.View.OffsetX = -core.View.ScreenWidth / 2;
    core.View.OffsetY = -core.View.ScreenHeight / 2;
  }

  TempDir dir;
  RecordingHost host;
  MapCore core;
};

}  // namespace selection_test
