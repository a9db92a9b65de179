#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "mapdata/PointList.h"
#include "render/PicturePixel.h"

// A record's points in map units, as many as a record may hold.
using PointArray = std::array<MapPoint, kMaxPointsPerRecord>;
// Picture pixels, exact however far a point lies (a line's far end must not
// move its course).
using PixelArray = std::array<PicturePixel, kMaxPointsPerRecord>;

// What is selected, with what its highlight needs.  Texts are table cells as
// read (Windows-1251).  Pixels are picture pixels, refreshed by
// UpdateSelectionOverlay at the start of every redraw.
struct SelectionState {
  std::string StatusText0, StatusText1, StatusText2;
  // Widths of the status bar panels 0, 1, 2: 8 pixels a character of their
  // texts, set by UpdateSelectionOverlay (design widths 150, 350, 50).
  int32_t StatusWidth0 = 150, StatusWidth1 = 350, StatusWidth2 = 50;

  bool StreetSelected = false;
  std::string SelStreetName, SelStreetType;
  int32_t SelStreetWidth = 2;
  int32_t SelStreetCount = 0;
  PointArray SelStreetPoints{};
  PixelArray SelStreetPixels{};

  bool BuildingSelected = false;
  std::string SelBuildingStreet, SelBuildingNumber, SelBuildingName;
  int32_t SelBuildingCount = 0;
  PointArray SelBuildingPoints{};
  PixelArray SelBuildingPixels{};

  bool ObjectSelected = false;
  std::string SelObjectKind, SelObjectName, SelObjectStreet, SelObjectNumber;
  int32_t SelObjectIcon = -1;
  MapPoint SelObjectPoint{};
  PicturePixel SelObjectPixel{};

  bool FirmSelected = false;
  std::string SelFirmName, SelFirmStreet, SelFirmNumber, SelFirmFile;
  int32_t SelFirmRow = -1;
  int32_t SelFirmIcon = 0;
  MapPoint SelFirmPoint{};
  PicturePixel SelFirmPixel{};
  std::string SelFirmPicture1, SelFirmPicture2, SelFirmPicture3;  // full paths, empty when absent

  // The route highlight stands apart: ResetSelection leaves it alone.
  bool RouteSelected = false;
  std::string SelRouteType, SelRouteName;
  int32_t SelRouteCount = 0;
  PointArray SelRoutePoints{};
  PixelArray SelRoutePixels{};
};
