#pragma once
// The map's context menu: what lies under a point ("Что здесь?"), bringing the
// point to the middle ("Центрировать здесь"), its map coordinates
// ("Копировать координаты") and, for a city with a georeference, its latitude
// and longitude ("Копировать широту и долготу").  tellurin-cli here lists the
// same places.
#include <optional>
#include <string>
#include <vector>

#include "render/ViewTransform.h"

struct MapCore;
struct MapLayer;

// A record under the point: its layer and row, and what a list shows of it
// (Windows-1251).
struct Place {
  const MapLayer* Layer = nullptr;
  int Row = -1;
  std::string Kind;     // the street's type, the object's kind, "Здание", "Фирма", "Область"
  std::string Name;     // a region's is its type
  std::string Address;  // street and house number; a blank part (" ") left out
};
// A place's cells as a list shows them: kind, name, address.
inline constexpr const char* kPlaceColumns[] = {"Тип объекта", "Название", "Адрес"};

// Every record under hit point `at` as the map shows it at the view's scale,
// the layer drawn on top first: found firms (while they are drawn), shown
// objects (through the kind filter), buildings, streets and regions, each
// layer in table order.  Buildings count at every scale, also below the one
// they are drawn from.
std::vector<Place> PlacesUnder(MapCore& core, HitPoint at);

// Whether choosing the place selects something (a region cannot be selected).
bool CanChoose(const Place& place);
// Selects the place as a result of the list search is selected (the selection
// cleared first), without redrawing.  False for a place that cannot be chosen.
bool SelectPlace(MapCore& core, const Place& place, bool centre);
// Chooses the place as a result of the list search is chosen: the selection is
// cleared, the record selected (and with `centre` brought to the middle), the
// picture redrawn and the window painted.  False for a place that cannot be chosen.
bool ChoosePlace(MapCore& core, const Place& place, bool centre);

// The map point under `at` comes to the middle of the visible map, and the
// map point in the middle of the picture becomes the view centre: a move of
// the view like the others (nothing during a drag).
void CentreHere(MapCore& core, HitPoint at);
// The map coordinates under `at` as "X Y" (truncated toward zero).
std::string CoordinatesText(HitPoint at, float scale);
// The latitude and longitude under `at` ("45.03121, 39.02406", LatLonText),
// of the very point rather than of the map unit it lies in; none when the
// city has no georeference or it does not reach the point.
std::optional<std::string> LatLonTextAt(const MapCore& core, HitPoint at, float scale);
