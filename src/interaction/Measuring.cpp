#include "interaction/Measuring.h"

#include <Qt>

#include "state/MapCore.h"
#include "view/MeasureOverlay.h"
#include "view/ScaleBar.h"

namespace {

// The length through the points, the status bar's text, and the paint.
void ShowLength(MapCore& core) {
  MeasureState& m = core.Measure;
  m.Metres = core.Geo ? GeodesicLineLength(*core.Geo, m.Points).value_or(m.Metres) : 0;
  m.StatusText = m.Points.empty() ? std::string() : MeasureStatusText(m.Metres, m.Active);
  core.Host.PaintMapWindow();
}

}  // namespace

std::string MeasureStatusText(double metres, bool measuring) {
  std::string text = "Расстояние: " + MeasuredLengthText(metres);
  if (measuring) text += " (щелчок добавляет точку; Enter или двойной щелчок — закончить, Esc — отменить)";
  return text;
}

void StartMeasuring(MapCore& core, MapSpot first) {
  if (!core.Geo) return;
  core.Measure = MeasureState{};
  core.Measure.Active = true;
  core.Measure.Points = {first};
  ShowLength(core);
}

void AddMeasurePoint(MapCore& core, int32_t x, int32_t y) {
  MeasureState& m = core.Measure;
  if (!m.Active) return;
  const MapSpot spot = WindowToMapSpot(core.View, x, y);
  m.Points.push_back(spot);
  // A point beyond the georeference's reach has no length: it is not taken.
  if (core.Geo && !MapToLatLon(*core.Geo, spot.X, spot.Y)) m.Points.pop_back();
  ShowLength(core);
}

void FinishMeasuring(MapCore& core) {
  if (!core.Measure.Active) return;
  core.Measure.Active = false;
  ShowLength(core);
}

void CancelMeasuring(MapCore& core) {
  core.Measure = MeasureState{};
  core.Host.PaintMapWindow();
}

void ClearMeasurement(MapCore& core) {
  if (core.Measure.Active || core.Measure.Points.empty()) return;
  CancelMeasuring(core);
}

bool RunMeasureKey(MapCore& core, int key) {
  const MeasureState& m = core.Measure;
  if (key == Qt::Key_Escape && (m.Active || !m.Points.empty())) {
    CancelMeasuring(core);
    return true;
  }
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m.Active) {
    FinishMeasuring(core);
    return true;
  }
  return false;
}
