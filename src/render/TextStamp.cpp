#include "render/TextStamp.h"

#include <utility>

TextStamp& TextStamps::For(int32_t row, uint64_t redraw) {
  if (redraw != redraw_) {
    previous_ = std::move(current_);
    current_.clear();
    redraw_ = redraw;
  }
  if (const auto now = current_.find(row); now != current_.end()) return now->second;
  TextStamp& stamp = current_[row];
  if (const auto before = previous_.find(row); before != previous_.end()) stamp = std::move(before->second);
  return stamp;
}

void TextStamps::Clear() {
  current_.clear();
  previous_.clear();
}
