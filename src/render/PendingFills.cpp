#include "render/PendingFills.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__SSE2__)
#include <immintrin.h>
#endif

namespace {

// A tile is 32 KB of an RGB32 picture: small enough to stay in the
// first-level cache while its clear and fills are written, wide enough that a
// tall fill spreads over few tiles.  (Measured against 128 x 64, 512 x 16,
// 1024 x 8 and bands the picture's width: none faster, most slower.)
constexpr int kTileWidth = 256;
constexpr int kTileHeight = 32;

void FillWordsPlain(QRgb* row, int count, QRgb value) {
#if defined(__SSE2__)
  // Four words a store: the build's optimisation level writes them one by one.
  const __m128i four = _mm_set1_epi32(static_cast<int>(value));
  for (; count >= 4; count -= 4, row += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(row), four);
#endif
  for (; count > 0; --count) *row++ = value;
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TELLURIN_FILL_AVX2 1
// Eight words a store, where the processor has it.
__attribute__((target("avx2"))) void FillWordsAvx2(QRgb* row, int count, QRgb value) {
  const __m256i eight = _mm256_set1_epi32(static_cast<int>(value));
  for (; count >= 8; count -= 8, row += 8) _mm256_storeu_si256(reinterpret_cast<__m256i*>(row), eight);
  for (; count > 0; --count) *row++ = value;
}

bool ProcessorHasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

const bool kAvx2 = ProcessorHasAvx2();
#endif

// `count` words from `from` to `to`, past the caches where the processor can:
// a picture far larger than the caches is not read again before the tiles
// after it push it out, and a streaming store spares reading each line in
// before it is written over.
void StreamWords(QRgb* to, const QRgb* from, int count) {
#if defined(__SSE2__)
  for (; count > 0 && (reinterpret_cast<uintptr_t>(to) & 15) != 0; --count) *to++ = *from++;
  for (; count >= 4; count -= 4, to += 4, from += 4)
    _mm_stream_si128(reinterpret_cast<__m128i*>(to), _mm_loadu_si128(reinterpret_cast<const __m128i*>(from)));
#endif
  for (; count > 0; --count) *to++ = *from++;
}

void FinishStreaming() {
#if defined(__SSE2__)
  _mm_sfence();
#endif
}

}  // namespace

void FillWords(QRgb* row, int count, QRgb value) {
#if defined(TELLURIN_FILL_AVX2)
  if (kAvx2) return FillWordsAvx2(row, count, value);
#endif
  FillWordsPlain(row, count, value);
}

PendingFills::PendingFills(QImage& picture)
    : area_(picture.rect()),
      bits_(picture.bits()),
      stride_(picture.bytesPerLine()),
      tilesX_((picture.width() + kTileWidth - 1) / kTileWidth),
      tilesY_((picture.height() + kTileHeight - 1) / kTileHeight),
      tileBuffer_(static_cast<size_t>(kTileWidth) * kTileHeight) {}

QRect PendingFills::TileRect(int tx, int ty) const {
  return QRect(tx * kTileWidth, ty * kTileHeight, kTileWidth, kTileHeight) & area_;
}

void PendingFills::TileSpan(const QRect& r, int& x0, int& x1, int& y0, int& y1) const {
  x0 = r.left() / kTileWidth;
  x1 = r.right() / kTileWidth;
  y0 = r.top() / kTileHeight;
  y1 = r.bottom() / kTileHeight;
}

void PendingFills::Clear(QRgb value) {
  clear_ = value;
  fills_.clear();
  links_.clear();
  tiles_.assign(static_cast<size_t>(tilesX_) * static_cast<size_t>(tilesY_), Tile{true, -1, -1});
  held_ = static_cast<int>(tiles_.size());
}

void PendingFills::FillDirect(const QRect& r, QRgb value) {
  for (int y = r.top(); y <= r.bottom(); ++y)
    FillWords(reinterpret_cast<QRgb*>(bits_ + y * stride_) + r.left(), r.width(), value);
}

void PendingFills::Fill(const QRect& rect, QRgb value) {
  const QRect r = rect & area_;
  if (r.isEmpty()) return;
  if (held_ == 0) return FillDirect(r, value);
  int x0, x1, y0, y1;
  TileSpan(r, x0, x1, y0, y1);
  int32_t fill = -1;
  for (int ty = y0; ty <= y1; ++ty) {
    for (int tx = x0; tx <= x1; ++tx) {
      Tile& tile = tiles_[static_cast<size_t>(ty * tilesX_ + tx)];
      if (!tile.Held) {
        FillDirect(r & TileRect(tx, ty), value);
        continue;
      }
      if (fill < 0) {
        fill = static_cast<int32_t>(fills_.size());
        fills_.push_back({r, value});
      }
      const auto link = static_cast<int32_t>(links_.size());
      links_.push_back({fill, -1});
      if (tile.Last >= 0)
        links_[static_cast<size_t>(tile.Last)].Next = link;
      else
        tile.First = link;
      tile.Last = link;
    }
  }
}

int32_t PendingFills::LastCoveringLink(const Tile& tile, const QRect& area) const {
  int32_t covering = -1;
  for (int32_t link = tile.First; link >= 0; link = links_[static_cast<size_t>(link)].Next)
    if (fills_[static_cast<size_t>(links_[static_cast<size_t>(link)].Fill)].Rect.contains(area)) covering = link;
  return covering;
}

void PendingFills::WriteOutTile(int tx, int ty) {
  Tile& tile = tiles_[static_cast<size_t>(ty * tilesX_ + tx)];
  const QRect area = TileRect(tx, ty);
  // The tile is made in a buffer that stays in the nearest cache, then
  // streamed to the picture once.  A fill over the whole tile hides the
  // clear and every fill before it.
  const int32_t covering = LastCoveringLink(tile, area);
  if (covering < 0) FillInTile(area, area, clear_);
  for (int32_t link = covering >= 0 ? covering : tile.First; link >= 0;
       link = links_[static_cast<size_t>(link)].Next) {
    const HeldFill& fill = fills_[static_cast<size_t>(links_[static_cast<size_t>(link)].Fill)];
    FillInTile(area, fill.Rect & area, fill.Value);
  }
  for (int y = 0; y < area.height(); ++y)
    StreamWords(reinterpret_cast<QRgb*>(bits_ + (area.top() + y) * stride_) + area.left(),
                tileBuffer_.data() + y * kTileWidth, area.width());
  FinishStreaming();
  tile = Tile{};
  --held_;
}

void PendingFills::FillInTile(const QRect& tile, const QRect& r, QRgb value) {
  for (int y = r.top(); y <= r.bottom(); ++y)
    FillWords(tileBuffer_.data() + (y - tile.top()) * kTileWidth + (r.left() - tile.left()), r.width(), value);
}

void PendingFills::WriteOut(const QRect& rect) {
  if (held_ == 0) return;
  const QRect r = rect & area_;
  if (r.isEmpty()) return;
  int x0, x1, y0, y1;
  TileSpan(r, x0, x1, y0, y1);
  for (int ty = y0; ty <= y1; ++ty)
    for (int tx = x0; tx <= x1; ++tx)
      if (tiles_[static_cast<size_t>(ty * tilesX_ + tx)].Held) WriteOutTile(tx, ty);
}

void PendingFills::WriteOutAll() {
  for (int ty = 0; ty < tilesY_ && held_ > 0; ++ty)
    for (int tx = 0; tx < tilesX_; ++tx)
      if (tiles_[static_cast<size_t>(ty * tilesX_ + tx)].Held) WriteOutTile(tx, ty);
}
