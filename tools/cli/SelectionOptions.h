#pragma once
// The selection options of `tellurin-cli render`, applied in the order given:
//   --select street:ROW | building:ROW | object:ROW  as a click on a list search
//                          result (the selection is cleared first)
//   --select firm:ROW      as a click in the firm search list (added to the selection)
//   --select route:ROW     as a click in the routes list
//   --centre               the selections above also move the view (a double click)
//   --click X,Y            a left press and release at that window pixel
//   --hover X,Y            the hover hint for the mouse resting at that window pixel
#include <functional>
#include <string>
#include <vector>

struct MapCore;

struct SelectionStep {
  enum class Kind { Street, Building, Object, Firm, Route, Click, Hover };
  Kind What = Kind::Street;
  int Row = 0;
  int X = 0, Y = 0;
  std::string Option;  // as given, for messages
};

struct SelectionOptions {
  std::vector<SelectionStep> Steps;
  bool Centre = false;
};

enum class OptionMatch { NotSelection, Taken, Bad };

// Looks at argv[i]; a selection option is taken with its value (i is moved past
// the value).  A malformed one gives Bad and the reason in `error` (UTF-8).
OptionMatch TakeSelectionOption(int argc, char** argv, int& i, SelectionOptions& options, std::string& error);

// Receives a hover hint's two lines (Windows-1251).
using HintSink = std::function<void(const std::string& line1, const std::string& line2)>;

// Runs the steps on a loaded city.  A row outside its table stops with the
// reason in `error` (UTF-8).
bool ApplySelection(MapCore& core, const SelectionOptions& options, const HintSink& hint, std::string& error);

// The status bar as `status<TAB>N<TAB>TEXT` lines for panels 0, 1, 2, the
// texts formatted by `text` (Windows-1251 in, printable out).
std::vector<std::string> StatusLines(const MapCore& core, const std::function<std::string(const std::string&)>& text);
