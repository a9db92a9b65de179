#include "SelectionOptions.h"

#include <string_view>

#include "info/Selection.h"
#include "interaction/HoverHint.h"
#include "interaction/MouseControl.h"
#include "mapdata/DecimalText.h"
#include "state/MapCore.h"

namespace {

bool ParseNumber(std::string_view text, int& out) {
  int32_t value = 0;
  if (!ParseDecimalInt(text, value)) return false;
  out = value;
  return true;
}

bool ParsePixel(std::string_view text, int& x, int& y) {
  const size_t comma = text.find(',');
  return comma != std::string_view::npos && ParseNumber(text.substr(0, comma), x) &&
         ParseNumber(text.substr(comma + 1), y);
}

bool ParseSelectTarget(std::string_view text, SelectionStep& step) {
  static const std::pair<std::string_view, SelectionStep::Kind> kinds[] = {
      {"street", SelectionStep::Kind::Street}, {"building", SelectionStep::Kind::Building},
      {"object", SelectionStep::Kind::Object}, {"firm", SelectionStep::Kind::Firm},
      {"route", SelectionStep::Kind::Route}};
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return false;
  for (const auto& [name, kind] : kinds) {
    if (text.substr(0, colon) != name) continue;
    step.What = kind;
    return ParseNumber(text.substr(colon + 1), step.Row);
  }
  return false;
}

const LayerTable& TableOf(const MapCore& core, SelectionStep::Kind kind) {
  switch (kind) {
    case SelectionStep::Kind::Street: return core.Tables.ListOfStreets;
    case SelectionStep::Kind::Building: return core.Tables.ListOfBuildings;
    case SelectionStep::Kind::Object: return core.Tables.ListOfObjects;
    case SelectionStep::Kind::Firm: return core.Tables.ListOfFirms;
    default: return core.Tables.ListOfPath2;
  }
}

// A left press and release without moving, as the map window gets them: the
// press selects, the release ends the (empty) drag and takes the centre.
void ClickAt(MapCore& core, int x, int y) {
  PressOnMap(core, MouseButton::Left, x, y);
  ReleaseOnMap(core, MouseButton::Left, x, y);
}

void HoverAt(MapCore& core, int x, int y, const HintSink& hint) {
  core.Interaction.MouseX = x;
  core.Interaction.MouseY = y;
  core.Interaction.HintTimerEnabled = true;
  if (BuildHoverHint(core)) hint(core.Interaction.HintLine1, core.Interaction.HintLine2);
}

void SelectRecord(MapCore& core, const SelectionStep& step, bool centre) {
  switch (step.What) {
    case SelectionStep::Kind::Street: ResetSelection(core); SelectStreet(core, step.Row, centre); break;
    case SelectionStep::Kind::Building: ResetSelection(core); SelectBuilding(core, step.Row, centre); break;
    case SelectionStep::Kind::Object: ResetSelection(core); SelectObject(core, step.Row, centre); break;
    case SelectionStep::Kind::Firm: ShowObjectInfo(core, step.Row, centre); break;
    case SelectionStep::Kind::Route: SelectRoute(core, step.Row, centre); break;
    default: break;
  }
}

}  // namespace

OptionMatch TakeSelectionOption(int argc, char** argv, int& i, SelectionOptions& options, std::string& error) {
  const std::string_view option = argv[i];
  if (option == "--centre") {
    options.Centre = true;
    return OptionMatch::Taken;
  }
  if (option != "--select" && option != "--click" && option != "--hover") return OptionMatch::NotSelection;
  if (i + 1 >= argc) {
    error = std::string(option) + ": нет значения";
    return OptionMatch::Bad;
  }
  const std::string_view value = argv[++i];
  SelectionStep step;
  step.Option = std::string(option) + " " + std::string(value);
  bool ok = false;
  if (option == "--select") {
    ok = ParseSelectTarget(value, step);
  } else {
    step.What = option == "--click" ? SelectionStep::Kind::Click : SelectionStep::Kind::Hover;
    ok = ParsePixel(value, step.X, step.Y);
  }
  if (!ok) {
    error = step.Option + ": нужно " +
            (option == "--select" ? "street|building|object|firm|route:ROW" : "X,Y (пиксели окна)");
    return OptionMatch::Bad;
  }
  options.Steps.push_back(step);
  return OptionMatch::Taken;
}

bool ApplySelection(MapCore& core, const SelectionOptions& options, const HintSink& hint, std::string& error) {
  for (const SelectionStep& step : options.Steps) {
    if (step.What == SelectionStep::Kind::Click) {
      ClickAt(core, step.X, step.Y);
      continue;
    }
    if (step.What == SelectionStep::Kind::Hover) {
      HoverAt(core, step.X, step.Y, hint);
      continue;
    }
    const LayerTable& table = TableOf(core, step.What);
    if (step.Row < 0 || step.Row >= table.Count()) {
      error = step.Option + ": " + table.Name() + " has no row " + std::to_string(step.Row) + " (it has " +
              std::to_string(table.Count()) + " rows)";
      return false;
    }
    SelectRecord(core, step, options.Centre);
  }
  return true;
}

std::vector<std::string> StatusLines(const MapCore& core, const std::function<std::string(const std::string&)>& text) {
  const SelectionState& s = core.Selection;
  return {"status\t0\t" + text(s.StatusText0), "status\t1\t" + text(s.StatusText1),
          "status\t2\t" + text(s.StatusText2)};
}
