#pragma once
// How wide the side panels are shown in a map area of a given width: as the
// user made them where they fit, narrower where the map would keep less than
// kMapRoom pixels.

// The least width of map a window with side panels keeps.
constexpr int kMapRoom = 200;
// The narrowest a side panel becomes to make room for the map: its fields,
// buttons and list columns still usable.
constexpr int kLeastPanelWidth = 160;

struct SidePanelWidths {
  int Left = 0;   // the left edge's panel
  int Right = 0;  // each of the right edge's panels
  bool operator==(const SidePanelWidths&) const = default;
};

// The shown widths of the panels `wanted` (a width for each edge) when
// `room` pixels of the map area are theirs: the widest panels give way first,
// all of them down to kLeastPanelWidth, no wider than wanted.  `left` and
// `rightCount` tell how many panels stand at each edge (0 or 1, 0 to 2).
SidePanelWidths FitSidePanels(SidePanelWidths wanted, int left, int rightCount, int room);
