#pragma once
// Texts drawn once into pictures of their own and stamped wherever they are
// written again (Canvas::TextOut): the pixels of writing them, without laying
// their glyphs out anew on every redraw.  A stamp is made the second time its
// text is written in the same font and colour, the first is written as it is.
#include <QImage>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <unordered_map>

// One text in one font and colour.
struct TextStamp {
  QImage Glyphs;      // the text's pixels on transparent; none until made
  QPoint Corner;      // Glyphs' top-left corner from the text's top-left corner
  int Width = 0;      // the text's advance, the width of its opaque box
  QString FontKey;    // what it was written, and its glyphs drawn, with
  QRgb Color = 0;
  bool Plain = false;  // glyphs too far out of the text's box: always written as it is
};

// The stamps of a layer's texts by row, for the texts of the views being
// drawn: a stamp not used in one redraw is dropped in the next, so that only
// the texts of about one view are kept.
class TextStamps {
 public:
  // The stamp of `row` (empty until made) for redraw number `redraw`.
  TextStamp& For(int32_t row, uint64_t redraw);
  void Clear();
  size_t Size() const { return current_.size() + previous_.size(); }

 private:
  uint64_t redraw_ = 0;
  std::unordered_map<int32_t, TextStamp> current_, previous_;
};
