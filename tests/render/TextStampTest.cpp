// A text stamped from a picture of its own leaves the pixels that writing it
// leaves: every character a map text can hold, words, numbers, on an opaque
// box or without, cut by every edge of the picture.
#include <QImage>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mapdata/Cp1251.h"
#include "render/Canvas.h"
#include "render/RenderCache.h"
#include "support/StyleColours.h"

namespace {

std::vector<QString> MapTexts() {
  std::vector<QString> texts;
  for (QChar c : MapTextChars()) texts.emplace_back(c);
  for (const char* utf8 : {"улица Ленина", "ПРОСПЕКТ МИРА", "пруд Зеркальный", "12", "7а", "1/2", "д. 15, корп. 2",
                           "ТЦ «Радуга» — №1", "Café «Éclair»", "", " ", "Щ", "jy_"})
    texts.push_back(MapText(cp1251::FromUtf8(utf8)));
  return texts;
}

QImage Written(const QString& text, int x, int y, bool transparent, TextStamp* stamp) {
  QImage picture(120, 60, QImage::Format_RGB32);
  picture.fill(kBackground);
  CanvasState state;
  state.TransparentText = transparent;
  state.BrushColor = LargeLabelBox();
  Canvas canvas(picture, state);
  if (stamp)
    canvas.TextOut(x, y, text, *stamp);
  else
    canvas.TextOut(x, y, text);
  return picture;
}

TEST(TextStamp, LeavesThePixelsOfWritingTheText) {
  // Inside, and cut by the left, top, right and bottom edges.
  const std::pair<int, int> places[] = {{20, 20}, {-7, 25}, {30, -6}, {110, 10}, {40, 52}};
  for (const QString& text : MapTexts()) {
    TextStamp stamp;  // made once, then stamped everywhere
    for (const auto& [x, y] : places) {
      for (const bool transparent : {false, true}) {
        ASSERT_EQ(Written(text, x, y, transparent, &stamp), Written(text, x, y, transparent, nullptr))
            << text.toStdString() << " at " << x << ", " << y << (transparent ? " transparent" : " opaque");
      }
    }
  }
}

TEST(TextStamp, IsMadeAgainInAnotherColourOrFont) {
  QImage picture(80, 40, QImage::Format_RGB32), expected(80, 40, QImage::Format_RGB32);
  CanvasState state, plain;
  TextStamp stamp;
  const QString text = MapText(cp1251::FromUtf8("Мира"));
  for (const auto& [color, size] : {std::pair{QColor(0, 0, 0), 8}, {QColor(200, 0, 0), 8}, {QColor(200, 0, 0), 12}}) {
    picture.fill(Qt::white);
    expected.fill(Qt::white);
    state.FontColor = plain.FontColor = color;
    state.FontSize = plain.FontSize = size;
    {
      // Written, then stamped over itself (an opaque box: the same pixels).
      Canvas canvas(picture, state);
      canvas.TextOut(5, 5, text, stamp);
      canvas.TextOut(5, 5, text, stamp);
    }
    Canvas canvas(expected, plain);
    canvas.TextOut(5, 5, text);
    EXPECT_EQ(picture, expected) << "size " << size;
  }
}

}  // namespace
