#pragma once
#include <QColor>

// Pen, brush, font and background mode of the map picture's canvas.  It lives
// as long as the picture; whoever draws sets the part its drawing reads.
struct CanvasState {
  QColor PenColor{0, 0, 0};
  int PenWidth = 1;  // 0 and 1: the thinnest line
  QColor BrushColor{255, 255, 255};
  QColor FontColor{0, 0, 0};
  int FontSize = 8;  // points
  bool FontBold = false;
  bool FontItalic = false;
  bool FontUnderline = false;
  bool FontStrikeOut = false;
  bool TransparentText = false;  // background mode: text without its opaque box

  void PlainFont() { FontBold = FontItalic = FontUnderline = FontStrikeOut = false; }
};
