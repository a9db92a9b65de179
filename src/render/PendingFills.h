#pragma once
// Opaque rectangle fills held back per tile of the picture until something
// else is drawn there.
//
// A redraw clears the whole picture and then fills blocks, buildings and
// wide streets over much of it again, mostly as opaque rectangles.  Written
// as they come, each of those passes sweeps the 30-odd megabytes of a large
// picture through the caches once more.  Held back instead, a tile's clear
// and every fill that lands on it are written in one go while the tile sits
// in the nearest cache.
//
// The picture stays exactly what the fills in their order would leave: a
// tile is written out, its fills in the order they came, before anything
// else draws on it (the caller says where it is about to draw), and once
// written out, fills reach it straight away.
#include <QImage>
#include <QRect>
#include <QRgb>

#include <cstdint>
#include <vector>

// `count` words of `value` from `row` on.
void FillWords(QRgb* row, int count, QRgb value);

class PendingFills {
 public:
  // Over the words of an RGB32 or ARGB32 picture (an opaque colour is the same
  // word in either).
  explicit PendingFills(QImage& picture);
  PendingFills(const PendingFills&) = delete;
  PendingFills& operator=(const PendingFills&) = delete;

  // The whole picture in one colour: forgets every fill held back and holds
  // back the clear of every tile.
  void Clear(QRgb value);
  // A rectangle of an opaque colour, cut to the picture: held back on tiles
  // not yet written out, written on the others.
  void Fill(const QRect& rect, QRgb value);
  // Writes out every tile that meets the rectangle, before something else is
  // drawn within it.
  void WriteOut(const QRect& rect);
  void WriteOutAll();
  bool AnyHeld() const { return held_ > 0; }

 private:
  struct HeldFill {
    QRect Rect;
    QRgb Value;
  };
  struct Tile {
    bool Held = false;  // not yet written out: its clear and fills are pending
    int32_t First = -1;  // its first and last link in links_
    int32_t Last = -1;
  };
  struct Link {
    int32_t Fill;
    int32_t Next;
  };

  QRect TileRect(int tx, int ty) const;
  // The tiles a rectangle inside the picture meets, as [x0, x1] x [y0, y1].
  void TileSpan(const QRect& r, int& x0, int& x1, int& y0, int& y1) const;
  void FillDirect(const QRect& r, QRgb value);
  // The last of a tile's links whose fill covers all of `area`; -1 if none.
  int32_t LastCoveringLink(const Tile& tile, const QRect& area) const;
  void WriteOutTile(int tx, int ty);
  // A rectangle within `tile` filled in tileBuffer_, which holds that tile.
  void FillInTile(const QRect& tile, const QRect& r, QRgb value);

  QRect area_;  // the picture's
  uchar* bits_;
  qsizetype stride_;
  int tilesX_;
  int tilesY_;
  QRgb clear_ = 0;
  int held_ = 0;  // tiles still held
  std::vector<Tile> tiles_;
  std::vector<HeldFill> fills_;
  std::vector<Link> links_;
  std::vector<QRgb> tileBuffer_;  // one tile, a row every kTileWidth words
};
