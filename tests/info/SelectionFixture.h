#pragma once
// A map window state without a window: a recording host, a city folder in a
// temporary directory and helpers that append rows in the loaders' column
// layout, so that selection, clicks and hints run on real tables and files.
#include <QImage>

#include <string>

#include "citywriter/PictureWriters.h"
#include "mapdata/Cp1251.h"
#include "mapdata/PictureLoader.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"
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
  }

  std::filesystem::path FirmsDir() const { return dir.Path() / "Base" / "Town" / "Firms"; }
  void WriteFirmFile(const std::string& name, const std::string& bytes) { WriteBytes(FirmsDir() / name, bytes); }

  // The box cells hold 0s: these rows are selected, not listed for drawing.
  int AddStreet(const std::string& name, const std::string& type, const std::string& width, const std::string& count,
                const std::string& coords) {
    using namespace street_cell;
    RowDraft& r = Row(core.Tables.ListOfStreets, kCells, kBox);
    r.At(Name) = W(name);
    r.At(Type) = W(type);
    r.At(Width) = width;
    r.At(PointCount) = count;
    r.At(Points) = coords;
    r.At(File) = "Streets.txt";
    r.At(LabelPointCount) = "0";
    r.At(LabelPoints) = " ";
    return core.Tables.ListOfStreets.Count() - 1;
  }
  int AddBuilding(const std::string& street, const std::string& number, const std::string& name,
                  const std::string& count, const std::string& coords) {
    using namespace building_cell;
    RowDraft& r = Row(core.Tables.ListOfBuildings, kCells, kBox);
    r.At(Street) = W(street);
    r.At(Number) = W(number);
    r.At(Name) = W(name);
    r.At(PointCount) = count;
    r.At(Points) = coords;
    r.At(File) = "Buildings.txt";
    return core.Tables.ListOfBuildings.Count() - 1;
  }
  // An object at (x, y) of icon kind `picture`, listed in the draw list.
  int AddObject(const std::string& kind, const std::string& street, const std::string& number,
                const std::string& name, int x, int y, int picture, bool drawn = true) {
    using namespace object_cell;
    RowDraft& r = core.Tables.ListOfObjects.AddCells(kCells);
    const std::string xs = std::to_string(x), ys = std::to_string(y);
    r.At(Kind) = W(kind);
    r.At(Street) = W(street);
    r.At(Number) = W(number);
    r.At(Name) = W(name);
    r.At(Points) = xs + " " + ys;
    r.At(File) = "Objects.txt";
    r.At(Icon) = std::to_string(picture);
    r.At(X) = xs;
    r.At(Y) = ys;
    const int row = core.Tables.ListOfObjects.Count() - 1;
    if (drawn) {
      RowDraft& listed = core.Tables.DrawListView.AddCells(draw_list_cell::kCells);
      listed.At(draw_list_cell::Code) = "5";
      listed.At(draw_list_cell::Row) = std::to_string(row);
    }
    return row;
  }
  int AddFirm(const std::string& name, const std::string& street, const std::string& number, int x, int y,
              const std::string& file, int picture) {
    using namespace firm_cell;
    RowDraft& r = core.Tables.ListOfFirms.AddCells(kCells);
    const std::string xs = std::to_string(x), ys = std::to_string(y);
    r.At(Name) = W(name);
    r.At(Street) = W(street);
    r.At(Number) = W(number);
    r.At(Points) = xs + " " + ys;
    r.At(File) = W(file);
    r.At(X) = xs;
    r.At(Y) = ys;
    r.At(Keywords) = W("ключ");
    r.At(Picture) = std::to_string(picture);
    return core.Tables.ListOfFirms.Count() - 1;
  }
  // The firm becomes one of the found firms drawn on the map.
  void Find(int firmRow) {
    core.Search.FoundFirms.AddCells(found_firm_cell::kCells).At(found_firm_cell::FirmRow) = std::to_string(firmRow);
    core.Flags.SetShown(DrawCode::Firm, true);
  }
  int AddRoute(const std::string& type, const std::string& name, const std::string& count, const std::string& coords) {
    RowDraft& shape = Row(core.Tables.ListOfPath1, route_shape_cell::kCells, route_shape_cell::kBox);
    shape.At(route_shape_cell::PointCount) = count;
    shape.At(route_shape_cell::Points) = coords;
    RowDraft& listed = core.Tables.ListOfPath2.AddCells(route_name_cell::kCells);
    listed.At(route_name_cell::Type) = W(type);
    listed.At(route_name_cell::Name) = W(name);
    listed.At(route_name_cell::Comment) = W("комментарий");
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

 private:
  static RowDraft& Row(LayerTable& table, int cells, const CellBox& box) {
    RowDraft& r = table.AddCells(cells);
    for (int cell : {box.MinX, box.MinY, box.MaxX, box.MaxY}) r.At(cell) = "0";
    return r;
  }
};

}  // namespace selection_test
