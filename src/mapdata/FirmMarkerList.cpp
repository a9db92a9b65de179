#include "mapdata/FirmMarkerList.h"

#include <optional>

#include "mapdata/CityLocation.h"
#include "mapdata/FirmMarker.h"
#include "mapdata/NativeName.h"
#include "mapdata/PictureLoader.h"

struct FirmMarkerList::Pictures {
  explicit Pictures(std::filesystem::path dir) : Dir(std::move(dir)) {}
  std::filesystem::path Dir;
  std::optional<FolderIndex> Folder;
  MarkerPool Markers;  // firms showing the same picture share one image
};

FirmMarkerList::FirmMarkerList(std::initializer_list<QImage> markers) {
  for (const QImage& marker : markers) push_back(marker);
}

void FirmMarkerList::Reset(const std::filesystem::path& folder) {
  entries_.clear();
  pictures_ = std::make_shared<Pictures>(folder);
}

void FirmMarkerList::push_back(QImage marker) {
  Entry entry;
  entry.Marker = std::move(marker);
  entry.Decoded = true;
  entries_.push_back(std::move(entry));
}

void FirmMarkerList::AddFirm(std::string baseName) {
  if (!pictures_) pictures_ = std::make_shared<Pictures>(std::filesystem::path{});
  Entry entry;
  entry.BaseName = std::move(baseName);
  entries_.push_back(std::move(entry));
}

const QImage& FirmMarkerList::operator[](size_t i) const {
  const Entry& entry = entries_[i];
  return entry.Decoded ? entry.Marker : Decode(entry);
}

// The firm's picture drawn 1:1 at the top left and cut to 20 x 20, or the
// built-in marker.
const QImage& FirmMarkerList::Decode(const Entry& entry) const {
  Pictures& p = *pictures_;
  if (!p.Folder) p.Folder.emplace(p.Dir);
  const std::filesystem::path jpg = p.Folder->Resolve(NativePath(entry.BaseName + ".jpg"));
  QImage picture;
  entry.Marker = FileExists(jpg) && LoadPicture(jpg, picture) ? p.Markers.Share(MarkerFromPicture(picture))
                                                              : DefaultFirmMarker();
  entry.Decoded = true;
  return entry.Marker;
}
