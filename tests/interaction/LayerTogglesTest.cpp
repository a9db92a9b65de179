#include <gtest/gtest.h>

#include "interaction/LayerToggles.h"
#include "interaction/ObjectFilter.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"

// Every layer's switch goes through the one operation the menu and the tool
// bar share: the switch follows (a layer always shown stays shown), the
// picture is redrawn (the zoom text is written again) and the window painted.
TEST(LayerToggles, ShowLayerSetsTheSwitchRedrawsAndPaints) {
  for (const MapLayer* layer : MapLayers()) {
    SCOPED_TRACE(layer->Name);
    RecordingHost host;
    MapCore core(host);
    for (const bool shown : {false, true, false}) {
      const uint64_t writes = core.Ui.ZoomEditWrites;
      const int paints = host.MapPaints;
      ShowLayer(core, layer->Code, shown);
      EXPECT_EQ(LayerShown(core.Flags, *layer), shown || layer->AlwaysShown);
      EXPECT_EQ(core.Ui.ZoomEditWrites, writes + 1);
      EXPECT_EQ(host.MapPaints, paints + 1);
    }
  }
}

// The chooser's entries stand for their own kind, the last for every kind.
TEST(ObjectFilter, AChoiceFiltersItsKindAndTheLastEntryNone) {
  RecordingHost host;
  MapCore core(host);
  core.Tables.ObjectComboBox.resize(3);
  for (const auto& [entry, kind] : std::vector<std::pair<int, int32_t>>{{0, 0}, {1, 1}, {2, -1}}) {
    ChooseObjectEntry(core, entry);
    EXPECT_EQ(core.Flags.ObjectFilter, kind) << entry;
  }
  EXPECT_EQ(host.MapPaints, 3);
}
