#include "shell/ViewerSettings.h"
#include "mapdata/NativeName.h"

#include <QFile>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <algorithm>
#include <limits>

namespace {

// More cities than anyone views; a larger count in the file is not believed.
constexpr int kMaxCities = 1000;
// The map window's size: at least a usable window, at most any screen.
constexpr int kMinWidth = 200, kMinHeight = 150, kMaxSide = 16384;

const char* LeftPanelName(LeftPanel panel) {
  switch (panel) {
    case LeftPanel::ListSearch:
      return "search";
    case LeftPanel::Routes:
      return "routes";
    case LeftPanel::None:
      return "none";
  }
  return "search";
}

std::optional<bool> ReadBool(const QSettings& s, const QString& key) {
  const QVariant v = s.value(key);
  if (v.typeId() == QMetaType::Bool) return v.toBool();
  const QString text = v.toString().trimmed().toLower();
  if (text == QLatin1String("true")) return true;
  if (text == QLatin1String("false")) return false;
  return std::nullopt;
}

std::optional<int64_t> ReadInt(const QSettings& s, const QString& key, int64_t min, int64_t max) {
  bool ok = false;
  const qlonglong n = s.value(key).toString().trimmed().toLongLong(&ok);
  if (!ok || n < min || n > max) return std::nullopt;
  return n;
}

std::optional<int32_t> ReadInt32(const QSettings& s, const QString& key) {
  const auto n = ReadInt(s, key, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
  return n ? std::optional<int32_t>(static_cast<int32_t>(*n)) : std::nullopt;
}

std::optional<float> ReadScale(const QSettings& s, const QString& key) {
  bool ok = false;
  const float scale = s.value(key).toString().trimmed().toFloat(&ok);
  if (!ok || !(scale >= kRememberedScaleMin && scale <= kRememberedScaleMax)) return std::nullopt;
  return scale;
}

void ReadFlag(const QSettings& s, const QString& key, bool& flag) {
  if (const auto v = ReadBool(s, key)) flag = *v;
}

std::optional<CityView> ReadCityView(const QSettings& s) {
  const auto x = ReadInt32(s, "CenterX"), y = ReadInt32(s, "CenterY");
  const auto scale = ReadScale(s, "Scale");
  const auto filter = ReadInt(s, "ObjectFilter", -1, std::numeric_limits<int32_t>::max());
  if (!x || !y || !scale || !filter) return std::nullopt;
  return CityView{*x, *y, *scale, static_cast<int32_t>(*filter)};
}

void ReadCities(QSettings& s, ViewerSettings& out) {
  const int count = std::min(s.beginReadArray("Cities"), kMaxCities);
  for (int i = 0; i < count; ++i) {
    s.setArrayIndex(i);
    const std::string name = NativeString(PathFromQString(s.value("Name").toString()));
    const std::optional<CityView> view = ReadCityView(s);
    if (!name.empty() && view) out.Cities[name] = *view;
  }
  s.endArray();
}

// A panel is never narrower than at first start.
void ReadPanelWidth(const QSettings& s, const QString& key, int least, int& width) {
  if (const auto w = ReadInt(s, key, least, kMaxPanelWidth)) width = static_cast<int>(*w);
}

void ReadPanels(const QSettings& s, ViewerSettings& out) {
  const QString left = s.value("Panels/Left").toString();
  for (LeftPanel panel : {LeftPanel::ListSearch, LeftPanel::Routes, LeftPanel::None})
    if (left == QLatin1String(LeftPanelName(panel))) out.Left = panel;
  ReadFlag(s, "Panels/FirmSearch", out.FirmSearchOpen);
  ReadPanelWidth(s, "Panels/LeftWidth", kLeftPanelWidth, out.LeftPanelWidth);
  ReadPanelWidth(s, "Panels/RightWidth", kRightPanelWidth, out.RightPanelWidth);
}

void ReadWindow(const QSettings& s, ViewerSettings& out) {
  ReadFlag(s, "Window/Maximised", out.WindowMaximised);
  const auto x = ReadInt(s, "Window/X", -kMaxSide, kMaxSide), y = ReadInt(s, "Window/Y", -kMaxSide, kMaxSide);
  const auto w = ReadInt(s, "Window/Width", kMinWidth, kMaxSide), h = ReadInt(s, "Window/Height", kMinHeight, kMaxSide);
  if (x && y && w && h)
    out.WindowGeometry = QRect(static_cast<int>(*x), static_cast<int>(*y), static_cast<int>(*w), static_cast<int>(*h));
}

}  // namespace

ViewerSettings ReadViewerSettings(QSettings& s) {
  ViewerSettings out;
  if (s.status() != QSettings::NoError) return out;
  out.LastCity = NativeString(PathFromQString(s.value("LastCity").toString()));
  ReadCities(s, out);
  ReadFlag(s, "Layers/Texts", out.Layers.Texts);
  ReadFlag(s, "Layers/Objects", out.Layers.Objects);
  ReadFlag(s, "Layers/Routes", out.Layers.Routes);
  ReadFlag(s, "Layers/FoundFirms", out.Layers.FoundFirms);
  ReadFlag(s, "Layers/AllIcons", out.Layers.AllIcons);
  ReadFlag(s, "Layers/ScaleBar", out.Layers.ScaleBar);
  ReadPanels(s, out);
  ReadWindow(s, out);
  out.Bookmarks = ReadBookmarks(s);
  return out;
}

void WriteViewerSettings(QSettings& s, const ViewerSettings& values) {
  s.clear();
  s.setValue("LastCity", PathToQString(NativePath(values.LastCity)));
  s.beginWriteArray("Cities", static_cast<int>(values.Cities.size()));
  int i = 0;
  for (const auto& [name, view] : values.Cities) {
    s.setArrayIndex(i++);
    s.setValue("Name", PathToQString(NativePath(name)));
    s.setValue("CenterX", view.CenterX);
    s.setValue("CenterY", view.CenterY);
    s.setValue("Scale", QString::number(view.Scale, 'g', 9));  // the float exactly
    s.setValue("ObjectFilter", view.ObjectFilter);
  }
  s.endArray();
  s.setValue("Layers/Texts", values.Layers.Texts);
  s.setValue("Layers/Objects", values.Layers.Objects);
  s.setValue("Layers/Routes", values.Layers.Routes);
  s.setValue("Layers/FoundFirms", values.Layers.FoundFirms);
  s.setValue("Layers/AllIcons", values.Layers.AllIcons);
  s.setValue("Layers/ScaleBar", values.Layers.ScaleBar);
  s.setValue("Panels/Left", LeftPanelName(values.Left));
  s.setValue("Panels/FirmSearch", values.FirmSearchOpen);
  s.setValue("Panels/LeftWidth", values.LeftPanelWidth);
  s.setValue("Panels/RightWidth", values.RightPanelWidth);
  s.setValue("Window/Maximised", values.WindowMaximised);
  if (values.WindowGeometry) {
    const QRect& g = *values.WindowGeometry;
    s.setValue("Window/X", g.x());
    s.setValue("Window/Y", g.y());
    s.setValue("Window/Width", g.width());
    s.setValue("Window/Height", g.height());
  }
  WriteBookmarks(s, values.Bookmarks);
  s.sync();
}

bool WindowPlaceFits(const QRect& geometry, const std::vector<QRect>& screens) {
  if (geometry.width() < kMinWidth || geometry.height() < kMinHeight) return false;
  const QRect top(geometry.left(), geometry.top(), geometry.width(), 40);
  return std::any_of(screens.begin(), screens.end(), [&](const QRect& screen) {
    const QRect shown = top.intersected(screen);
    return shown.width() >= 100 && shown.height() >= 20;
  });
}
