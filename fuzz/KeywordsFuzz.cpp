// "Kw.map" of the city folder read by LoadKeywords: a hand-edited or damaged
// keyword list of any bytes (the seeds may pass the size and word limits).
#include <cstddef>
#include <cstdint>

#include "FuzzCity.h"
#include "search/Keywords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzCity::Instance().Write("Kw.map", data, size);
  FuzzCore run;
  LoadKeywords(run.Core);
  // Every line is a word, in the list's order, and no more than the limit.
  const auto& words = run.Core.Search.Keywords;
  if (words.size() > kMaxKeywords) __builtin_trap();
  for (size_t i = 1; i < words.size(); ++i)
    if (KeywordLess(words[i], words[i - 1])) __builtin_trap();
  return 0;
}
