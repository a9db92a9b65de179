// Speed of the picture decoders on the pictures a city load decodes: a firm's
// 20 x 20 marker for every firm, an icon per object kind, and the larger city
// and splash pictures.
#include <benchmark/benchmark.h>

#include <QLinearGradient>
#include <QPainter>

#include "mapdata/PictureDecoders.h"
#include "citywriter/PictureWriters.h"

namespace {

QImage Drawing(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  QLinearGradient g(0, 0, w, h);
  g.setColorAt(0, QColor(20, 150, 60));
  g.setColorAt(1, QColor(240, 230, 230));
  p.setBrush(g);
  p.drawEllipse(QRectF(0.5, 0.5, w - 1, h - 1));
  return image;
}

void BM_DecodeJpeg(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  std::string bytes, error;
  EncodeJpeg(Drawing(side * 4 / 3, side), 90, bytes, error);
  for (auto _ : state) {
    QImage image;
    benchmark::DoNotOptimize(DecodeJpeg(bytes, image, error));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeJpeg)->Arg(20)->Arg(416)->Arg(1536);

void BM_DecodeIco(benchmark::State& state) {
  const std::string bytes = IcoBytes(Drawing(20, 20));
  std::string error;
  for (auto _ : state) {
    QImage image;
    benchmark::DoNotOptimize(DecodeIco(bytes, image, error));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeIco);

}  // namespace
