#pragma once
// The firms' markers (20 x 20), one per firm in the order the firm files were
// read.  A firm's picture is decoded when its marker is first asked for, not
// at load: the map shows a firm's marker only once a search has found the
// firm, and decoding every firm's picture was most of a big city's load.  A
// firm without a picture, or with one that cannot be decoded, has the built-in
// marker, as it had when every picture was decoded at load.
#include <QImage>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "mapdata/MarkerPool.h"

class FolderIndex;

class FirmMarkerList {
 public:
  FirmMarkerList() = default;
  FirmMarkerList(std::initializer_list<QImage> markers);

  // Forgets every marker; the pictures of the markers added next lie in `folder`.
  void Reset(const std::filesystem::path& folder);
  // A marker drawn already.
  void push_back(QImage marker);
  // The marker of the firm whose files are named `baseName` (bytes, as on
  // disk): its picture `baseName`.jpg in the folder, if any.
  void AddFirm(std::string baseName);

  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  void clear() { Reset({}); }

  // Marker i, its picture decoded the first time.
  const QImage& operator[](size_t i) const;

 private:
  struct Entry {
    std::string BaseName;  // empty for a marker drawn already
    mutable QImage Marker;
    mutable bool Decoded = false;
  };
  // The picture folder's entries, listed once, on the first decoding.
  struct Pictures;

  const QImage& Decode(const Entry& entry) const;

  std::vector<Entry> entries_;
  std::shared_ptr<Pictures> pictures_;
};
