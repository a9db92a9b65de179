// The object icons: one 20 x 20 picture and one chooser entry per "*.ico" entry
// of the city's Icons folder; icon n is "n.ico" when it exists, else the
// placeholder "Empt.ico".
//
// Only an entry whose name ends in ".ico" exactly (lower case) counts.  An entry
// the case-insensitive search finds with another spelling (".ICO") adds neither
// an icon nor a chooser entry, so that chooser entry i always shows icon i and
// the last entry is the one for all kinds.
#include <QPainter>

#include "mapdata/DirectoryScan.h"
#include "mapdata/FirmMarker.h"
#include "mapdata/Loaders.h"
#include "mapdata/PictureLoader.h"

namespace {

constexpr int kIconsProgressMax = 29;

// A decoded picture brought to the image list's 20 x 20.
QImage ToListImage(const QImage& picture) {
  if (picture.size() == QSize(kIconSide, kIconSide))
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  return picture
      .scaled(kIconSide, kIconSide, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool LoadIcon(const fs::path& file, QImage& icon) {
  QImage picture;
  if (!FileExists(file) || !LoadPicture(file, picture)) return false;
  icon = ToListImage(picture);
  return true;
}

// Icon n: its own file, else the placeholder; a file that cannot be decoded is
// replaced by the placeholder, and a missing or broken placeholder by a blank.
QImage IconNumber(const fs::path& dir, size_t n) {
  QImage icon;
  const fs::path own = ResolvePath(dir, std::to_string(n) + ".ico");
  if (FileExists(own) && LoadIcon(own, icon)) return icon;
  if (LoadIcon(ResolvePath(dir, "Empt.ico"), icon)) return icon;
  return BlankListImage();
}

}  // namespace

void LoadObjectIcons(const LayerLoad& load) {
  CityTables& tables = load.Tables;
  tables.ObjectComboBox.clear();
  tables.ImageListObject.clear();
  const fs::path dir = load.City.File("Icons");
  load.Progress.SetProgress1(kIconsProgressMax, load.Progress.Progress1Position);
  for (const std::string& name : FindEntries(dir, ".ico")) {
    load.Progress.SetProgress1(kIconsProgressMax, load.Progress.Progress1Position + 1);
    load.Host.RepaintCityWindow();
    if (!HasExactExtension(name, ".ico")) continue;
    tables.ImageListObject.push_back(IconNumber(dir, tables.ImageListObject.size()));
    tables.ObjectComboBox.push_back({"***", static_cast<int>(tables.ImageListObject.size()) - 1});
  }
}
