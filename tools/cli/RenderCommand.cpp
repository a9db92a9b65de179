// tellurin-cli render CITY_DIR -o OUT.png [--screen WxH] [--scale S]
//     [--center X,Y] [--whole-city] [--texts on|off] [--objects on|off] [--routes on|off]
//     [--filter N] [--all-icons] [--found-firms KEY] [--picture] [--select KIND:ROW]...
//     [--centre] [--click X,Y]... [--hover X,Y]... [--scale-bar]
//     [--route X1,Y1:X2,Y2 [--mode foot|car]] [--ratio R]
// Loads the city as the viewer does on a screen of W x H (default 1024x768),
// then sets the scale (default 1), the centre (default 500,600) and the layer
// switches (--all-icons: "Все значки" checked), recentres the view (or, with --whole-city, fits the city's own box
// into the window as the viewer's "Весь город" does), runs the firm search for KEY with all three
// boxes ticked and draws the found firms (as ShowFoundBox does, so that a click or
// a hover reaches them), redraws the map picture and paints the window
// into a W x H image written as PNG; with --picture the whole map picture
// (2W x 2H) is written instead.  The selection options (SelectionOptions.h)
// run in the order given after the view is set; a hover that finds something
// prints hint<TAB>LINE1<TAB>LINE2.  After the image, the status bar is printed
// as status<TAB>N<TAB>TEXT for panels 0, 1 and 2, then the view drawn as
// view<TAB>SCALE<TAB>CENTERX<TAB>CENTERY, so that a script can check the
// framing.  The program's messages go to stderr as message<TAB>TEXT.
// With --ratio R the screen has R device pixels per window pixel, as a screen
// at R x 100% scale: the same view drawn at the device's pixels, the PNG R
// times larger each way.
#include "RenderCommand.h"

#include <QImage>
#include <QPainter>

#include <array>
#include <cstdio>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "Output.h"
#include "RouteCommand.h"
#include "SelectionOptions.h"
#include "ViewOptions.h"
#include "interaction/ObjectFilter.h"
#include "interaction/ViewMoves.h"
#include "mapdata/Cp1251.h"
#include "render/MapLayers.h"
#include "render/MapPicture.h"
#include "render/ViewTransform.h"
#include "route/Router.h"
#include "search/FirmSearch.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"
#include "view/PaintMapArea.h"
#include "view/PictureRatio.h"
#include "view/RedrawView.h"
#include "view/RouteOverlay.h"

namespace {

struct RenderOptions {
  std::string CityDir;
  std::string Output;
  int Width = kDefaultScreenWidth, Height = kDefaultScreenHeight;
  float Scale = 1.0f;
  int CenterX = 500, CenterY = 600;
  std::map<DrawCode, bool> Switches;  // the layer switches given, by layer
  std::optional<int> Filter;
  std::optional<std::string> FoundFirms;  // search key, UTF-8
  bool WholePicture = false;
  bool WholeCity = false;  // the view of "Весь город" instead of --scale and --center
  bool AllIcons = false;   // "Все значки": no icon or house number gives way
  bool ScaleBar = false;   // «Масштабная линейка» (a georeferenced city's); off, the picture stays as it was
  SelectionOptions Selection;
  std::optional<std::array<int, 4>> Route;  // --route X1,Y1:X2,Y2
  TravelMode Mode = TravelMode::Foot;
  double Ratio = 1.0;  // device pixels per window pixel
};

constexpr const char* kRenderArguments =
    "render CITY_DIR -o OUT.png [--screen WxH] [--scale S] [--center X,Y] [--whole-city] [--texts on|off] "
    "[--objects on|off] [--routes on|off] [--filter N] [--all-icons] [--found-firms KEY] [--picture] "
    "[--select street|building|object|firm|route:ROW]... "
    "[--centre] [--click X,Y]... [--hover X,Y]... [--scale-bar] [--route X1,Y1:X2,Y2 [--mode foot|car]] "
    "[--ratio R]";

constexpr const char* kRenderHelp =
    "usage: tellurin-cli render CITY_DIR -o OUT.png [--screen WxH] [--scale S] [--center X,Y]\n"
    "                          [--whole-city] [--texts on|off] [--objects on|off] [--routes on|off]\n"
    "                          [--filter N] [--all-icons] [--found-firms KEY] [--picture]\n"
    "                          [--select street|building|object|firm|route:ROW]... [--centre]\n"
    "                          [--click X,Y]... [--hover X,Y]... [--scale-bar]\n"
    "                          [--route X1,Y1:X2,Y2 [--mode foot|car]] [--ratio R]\n"
    "Loads the city folder CITY_DIR as the viewer does on a screen of WxH pixels\n"
    "(default 1024x768), sets the scale (default 1, pixels per map unit), the map\n"
    "point shown in the middle of the window (default 500,600), the layer switches\n"
    "and the object kind filter (-1: all kinds), redraws the map and writes what the\n"
    "map window shows (WxH) as PNG, or with --picture the whole map picture\n"
    "(2W x 2H).\n"
    "  --whole-city            shows the whole city instead, as the viewer's \"Весь город\":\n"
    "                          the box of its data in the middle of the window, at the\n"
    "                          largest track bar step that shows it whole; a city too\n"
    "                          big for 50% at the scale that just fits it\n"
    "  --all-icons             draws every icon and house number where it lies, as the\n"
    "                          viewer's \"Все значки\" does; without it an icon that\n"
    "                          would crowd one drawn before it, and a house number\n"
    "                          over a label or another number, is left out\n"
    "  --found-firms KEY       searches the firms for KEY by name, address and keywords\n"
    "                          and draws the firms found, as the firm search panel's\n"
    "                          box for them does; --click and --hover then reach them\n"
    "  --scale-bar             draws the scale bar of a city with a georeference\n"
    "                          (Info/Georef.inf), as the viewer's \"Масштабная линейка\"\n"
    "                          does, in the bottom left corner\n"
    "Selection, applied in the order given once the view is set:\n"
    "  --select street:ROW|building:ROW|object:ROW  as a click on a list search result\n"
    "                          (the selection is cleared first)\n"
    "  --select firm:ROW       as a click in the firm search list (adds to the selection)\n"
    "  --select route:ROW      as a click in the routes list\n"
    "  --centre                the selections also move the view (as a double click)\n"
    "  --click X,Y             a left press and release at that window pixel\n"
    "  --hover X,Y             the hover hint there: prints hint<TAB>LINE1<TAB>LINE2\n"
    "Directions:\n"
    "  --route X1,Y1:X2,Y2     draws the route from map point X1,Y1 to X2,Y2 over the\n"
    "                          streets, as tellurin-cli route finds it; without one\n"
    "                          (or without a good road graph) the reason is a message\n"
    "                          and the exit 1\n"
    "  --mode foot|car         how the route is travelled (default foot)\n"
    "After the image the status bar is printed as status<TAB>N<TAB>TEXT, N = 0, 1, 2,\n"
    "then the view drawn as view<TAB>SCALE<TAB>CENTERX<TAB>CENTERY: the scale as\n"
    "--scale reads it, the map point in the middle of the window as --center does.\n"
    "Messages go to stderr as message<TAB>TEXT.\n"
    "  --screen WxH            from 1x1 to 8192x8192: the map picture is twice the\n"
    "                          screen each way, 1 GiB at the largest\n"
    "  --scale S               above 0 and at most 1000\n"
    "  --ratio R               the screen's device pixels per window pixel, from 1\n"
    "                          (the default) to 4, as a screen at R x 100% scale: the\n"
    "                          same view drawn at the device's pixels, the PNG R times\n"
    "                          larger each way, the map picture at most 1 GiB\n"
    "Exit 0 when the picture was written, 1 when the drawing or the writing failed\n"
    "or CITY_DIR or a layer file cannot be read, 2 for a wrong call (the reason\n"
    "before the usage) or a CITY_DIR that is not a city folder.\n";

// The layers whose switch the options set.
struct LayerOption {
  const char* Option;
  DrawCode Layer;
};
constexpr LayerOption kLayerOptions[] = {
    {"--texts", DrawCode::Label}, {"--objects", DrawCode::Object}, {"--routes", DrawCode::Route}};

bool IsValueOption(const std::string& arg) {
  for (const LayerOption& option : kLayerOptions)
    if (arg == option.Option) return true;
  for (const char* option : {"-o", "--screen", "--scale", "--center", "--found-firms", "--filter", "--route", "--mode", "--ratio"})
    if (arg == option) return true;
  return false;
}

bool ParseOnOff(const std::string& v, bool& out) {
  if (v != "on" && v != "off") return false;
  out = v == "on";
  return true;
}

// A layer switch option: false when `arg` is none; `ok` false for a bad value.
bool TakeLayerOption(const std::string& arg, const std::string& value, RenderOptions& o, bool& ok) {
  for (const LayerOption& option : kLayerOptions) {
    if (arg != option.Option) continue;
    ok = ParseOnOff(value, o.Switches[option.Layer]);
    return true;
  }
  return false;
}

// X1,Y1:X2,Y2
bool ParseRouteEnds(const std::string& v, RenderOptions& o) {
  const size_t colon = v.find(':');
  std::array<int, 4> ends{};
  if (colon == std::string::npos || !cli::ParsePair(v.substr(0, colon), ',', ends[0], ends[1]) ||
      !cli::ParsePair(v.substr(colon + 1), ',', ends[2], ends[3]))
    return false;
  o.Route = ends;
  return true;
}

// False with `why`, the reason the call is refused (UTF-8).
bool ParseOptions(int argc, char** argv, RenderOptions& o, std::string& why) {
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    const std::string value = hasValue ? argv[i + 1] : "";
    const OptionMatch selection = TakeSelectionOption(argc, argv, i, o.Selection, why);
    if (selection == OptionMatch::Bad) return false;
    if (selection == OptionMatch::Taken) continue;
    if (arg == "--picture") {
      o.WholePicture = true;
      continue;
    }
    if (arg == "--whole-city") {
      o.WholeCity = true;
      continue;
    }
    if (arg == "--all-icons") {
      o.AllIcons = true;
      continue;
    }
    if (arg == "--scale-bar") {
      o.ScaleBar = true;
      continue;
    }
    if (arg.rfind("-", 0) != 0) {
      if (!o.CityDir.empty()) return why = cli::ExtraArgumentProblem(arg), false;
      o.CityDir = arg;
      continue;
    }
    if (!IsValueOption(arg)) return why = cli::UnknownOptionProblem(arg), false;
    if (!hasValue) return why = cli::MissingValueProblem(arg), false;
    ++i;
    if (arg == "-o") {
      o.Output = value;
    } else if (arg == "--screen") {
      if (!cli::ParseScreen(value, o.Width, o.Height)) return why = cli::ScreenProblem(value), false;
    } else if (arg == "--scale") {
      if (!cli::ParseScale(value, o.Scale)) return why = cli::ScaleProblem(value), false;
    } else if (arg == "--center") {
      if (!cli::ParsePair(value, ',', o.CenterX, o.CenterY)) return why = cli::PointProblem("--center", value), false;
    } else if (bool ok = true; TakeLayerOption(arg, value, o, ok)) {
      if (!ok) return why = cli::OnOffProblem(arg, value), false;
    } else if (arg == "--found-firms") {
      o.FoundFirms = value;
    } else if (arg == "--route") {
      if (!ParseRouteEnds(value, o)) return why = cli::PointProblem("--route", value), false;
    } else if (arg == "--mode") {
      if (!cli::ParseTravelMode(value, o.Mode)) return why = cli::TravelModeProblem(value), false;
    } else if (arg == "--ratio") {
      if (!cli::ParseRatio(value, o.Ratio)) return why = cli::RatioProblem(value), false;
    } else if (arg == "--filter") {
      int n = 0;
      if (!cli::ParseInt(value, n)) return why = cli::WholeNumberProblem("--filter", value), false;
      o.Filter = n;
    }
  }
  if (o.CityDir.empty()) return why = cli::MissingArgumentProblem("CITY_DIR"), false;
  if (o.Output.empty()) return why = cli::MissingArgumentProblem("-o OUT.png"), false;
  if (!cli::PictureFits(o.Width, o.Height, o.Ratio)) return why = cli::PictureSizeProblem(o.Width, o.Height, o.Ratio), false;
  return true;
}

// view<TAB>SCALE<TAB>CENTERX<TAB>CENTERY of the view drawn: the map point in
// the middle of the picture, which a selection that only marks leaves apart
// from CenterX and CenterY.
std::vector<std::string> ViewLine(ViewState v) {
  CentreFromOffsets(v);
  return {"view", cli::ScaleText(v.Scale), std::to_string(v.CenterX), std::to_string(v.CenterY)};
}

void ApplyView(MapCore& core, const RenderOptions& o) {
  for (const auto& [layer, shown] : o.Switches) SetLayerShown(core.Flags, LayerOf(layer), shown);
  if (o.Filter) FilterObjectKind(core.Flags, *o.Filter);
  core.Flags.AllIcons = o.AllIcons;
  core.Ui.ShowScaleBar = o.ScaleBar;
  core.View.Scale = o.Scale;
  core.View.CenterX = o.CenterX;
  core.View.CenterY = o.CenterY;
  RecentreOffsets(core.View);
  if (o.WholeCity) ShowWholeCity(core, QRect(0, 0, o.Width, o.Height));
}

// The route asked for, drawn onto the map picture over its streets; false,
// with the reason as a message, when there is none.
bool DrawAskedRoute(MapCore& core, const RenderOptions& o) {
  const std::unique_ptr<RoadNetwork> network = cli::LoadRoadNetwork(core.City());
  if (!network) return false;
  const std::array<int, 4>& e = *o.Route;
  const RouteAnswer answer = FindRoute(*network, {double(e[0]), double(e[1])}, {double(e[2]), double(e[3])}, o.Mode);
  if (!answer.Found) {
    core.ShowMessage(answer.Problem);
    return false;
  }
  std::vector<QPointF> line;
  for (const MapPointF& p : answer.Found->Line) line.emplace_back(p.X, p.Y);
  QPainter painter(&core.Map);
  DrawRouteLine(painter, core.View, line);
  return true;
}

}  // namespace

int RunRenderCommand(int argc, char** argv) {
  if (cli::WantsHelp(argc, argv)) {
    cli::Write(stdout, kRenderHelp);
    return 0;
  }
  RenderOptions o;
  if (std::string why; !ParseOptions(argc, argv, o, why)) return cli::Refuse(why, kRenderArguments);
  RecordingHost host(o.Width, o.Height);
  std::unique_ptr<MapCore> loaded;
  bool drawn = false;
  if (const int refused = cli::LoadCityFromArg(o.CityDir.c_str(), host, loaded, &drawn)) return refused;
  MapCore& core = *loaded;
  int status = drawn ? 0 : 1;
  if (drawn) {
    SetPictureRatio(core, o.Ratio);
    ApplyView(core, o);
    if (o.FoundFirms) cli::ShowFoundFirms(core, *o.FoundFirms);
    std::string selectionError;
    const auto printHint = [](const std::string& line1, const std::string& line2) {
      cli::PrintLine({"hint", cli::Text(line1), cli::Text(line2)});
    };
    if (!ApplySelection(core, o.Selection, printHint, selectionError)) {
      cli::PrintMessages(host.Messages);
      cli::Print(stderr, "%s\n", selectionError.c_str());
      return 2;
    }
    try {
      RedrawView(core);
      if (o.Route && !DrawAskedRoute(core, o)) status = 1;
      QImage window(DevicePixels(o.Width, o.Ratio), DevicePixels(o.Height, o.Ratio), QImage::Format_RGB32);
      window.setDevicePixelRatio(o.Ratio);
      window.fill(Qt::white);
      {
        QPainter painter(&window);
        PaintMapArea(core, painter);
      }
      const QImage& out = o.WholePicture ? core.Map : window;
      if (!out.save(QString::fromStdString(o.Output), "PNG")) {
        host.ShowMessage("Не удалось записать файл: " + o.Output);
        status = 1;
      }
      for (const std::string& line : StatusLines(core, cli::Text)) cli::PrintLine({line});
      cli::PrintLine(ViewLine(core.View));
    } catch (const std::exception& e) {
      host.ShowMessage(e.what());
      status = 1;
    }
  }
  cli::PrintMessages(host.Messages);
  return cli::ExitAfterLoad(status);
}
