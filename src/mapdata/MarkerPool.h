#pragma once
// The markers of one load, each kept once: firms that show the same picture (a
// chain's branches, the default marker) share one image instead of a copy each.
#include <QImage>

#include <cstdint>
#include <unordered_map>
#include <vector>

class MarkerPool {
 public:
  // The pool's image with the pixels of `marker`, which becomes it when new.
  QImage Share(const QImage& marker);

 private:
  std::unordered_multimap<uint64_t, QImage> byPixels_;
};
