#pragma once
// Which settlement of a region the user means: by a name it is known by
// (name, name:ru, any name:*, compared as words whatever the case, accents,
// ё or е) or by its node's id.
#include <string>
#include <vector>

#include "importer/Features.h"

struct SettlementChoice {
  const SettlementFeature* Chosen = nullptr;
  std::vector<const SettlementFeature*> Called;  // more than one: the name is ambiguous
  std::vector<std::string> Nearest;              // none called so: the closest spellings, closest first
};

// `settlements` most important first (ListSettlements); `id` ("n123") wins
// over `name` when given.
SettlementChoice ChooseSettlement(const std::vector<SettlementFeature>& settlements, const std::string& name,
                                  const std::string& id);

// The number of letters to change, add or drop to make `a` of `b`.
size_t SpellingDistance(const std::u32string& a, const std::u32string& b);
