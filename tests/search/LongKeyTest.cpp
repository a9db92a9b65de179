// A key is searched for by its first 10 words within its first 200
// characters, whichever search runs it, and the state says when it was cut.
#include "search/FirmSearch.h"
#include "search/ListSearch.h"
#include "search/SearchFixture.h"

namespace {

std::string Repeated(const std::string& word, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += (i ? " " : "") + word;
  return text;
}

class LongKey : public SearchFixture {};

// Only a row holding both "Мира" and "Ленина" matches a key of both words: a
// key that finds "Мира" was searched for without its "Ленина".
TEST_F(LongKey, OnlyTheFirstWordsWithinTheFirstCharactersAreSearchedFor) {
  AddStreet("Мира", "улица");
  AddFirm("Мира", "Мира", "1");
  struct Case {
    std::string key;
    bool cut;
    bool finds;  // the street and the firm, not merely names nearly typed
  };
  const std::string tenMira = Repeated("Мира", 10);
  const std::vector<Case> cases{
      {Repeated("Мира", 9) + " Ленина", false, false},
      {tenMira + " Ленина", true, true},
      {tenMira + ", " + Repeated("Ленина", 8000), true, true},  // a pasted text
      {"Мира" + std::string(196, ' ') + "Ленина", true, true},
      {"Мира" + std::string(190, ' ') + "Ленина", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key.substr(0, 80));
    FillSearchList(core, W(c.key));
    EXPECT_EQ(core.Search.ListKeyCut, c.cut);
    EXPECT_EQ(core.Search.ListCountText, c.finds ? "2" : "0");
    EXPECT_EQ(core.Search.ListKey, W(c.key));  // the field still shows the key typed
    SearchFirms(core, W(c.key));
    EXPECT_EQ(core.Search.FirmKeyCut, c.cut);
    EXPECT_EQ(core.Search.FirmCountText, c.finds ? "1" : "0");
  }
  // A search by a short key hides the note again.
  FillSearchList(core, W("Мира"));
  SearchFirms(core, W("Мира"));
  EXPECT_FALSE(core.Search.ListKeyCut || core.Search.FirmKeyCut);
}

}  // namespace
