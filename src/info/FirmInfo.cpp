// Selecting a firm fills the information panel from the firm's own files in the
// city's Firms folder: "<file>.inf" (text), "<file>1.jpg".."<file>3.jpg" (the
// pictures behind FirmPic1..3) and "<file>.jpg" (the header picture).  Every
// file is optional.
#include <fstream>
#include <sstream>

#include "info/Selection.h"
#include "info/SelectionView.h"
#include "mapdata/Cp1251.h"
#include "mapdata/DecimalText.h"
#include "mapdata/NativeName.h"
#include "mapdata/PictureLoader.h"
#include "mapdata/PointList.h"
#include "mapdata/TextLines.h"
#include "state/MapCore.h"
#include "view/RedrawView.h"

namespace {

// A firm file: Firms/<base><suffix>, with the base name as on disk.
fs::path FirmFile(const MapCore& core, const std::string& baseOnDisk, const char* suffix) {
  return core.City().File("Firms/" + baseOnDisk + suffix);
}

// The name the firm's files bear on disk: the loader keeps it beside the firm's
// picture (the Picture cell).  A row that no firm file gave has only its
// 'Файл' cell, Windows-1251 text.
std::string FirmBaseOnDisk(const MapCore& core, const LayerRow& row, const std::string& fileCell) {
  const std::vector<std::string>& names = core.Tables.FirmFileNames;
  const std::optional<int32_t> index = DecimalIntOf(row.Cell(firm_cell::Picture));
  if (index && *index >= 0 && static_cast<size_t>(*index) < names.size()) return names[static_cast<size_t>(*index)];
  return cp1251::ToUtf8(fileCell);
}

// The lines of a text file as the text field shows them; bytes stay Windows-1251.
std::vector<std::string> ReadTextLines(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return SplitTextLines(bytes.str());
}

std::string PicturePathIfPresent(const fs::path& file) { return FileExists(file) ? NativeString(file) : std::string(); }

// The information panel of the firm selected last: its text, its name and
// address, its picture buttons and its header picture.
void FillInfoPanel(MapCore& core, const std::string& base) {
  const SelectionState& s = core.Selection;
  InfoPanelState& info = core.Info;
  info.Visible = core.Ui.ShowFirmInfo;
  info.FirmTextLines.clear();
  const fs::path infFile = FirmFile(core, base, ".inf");
  // Without its information file the panel says so rather than stay blank.
  info.FirmTextLines = FileExists(infFile) ? ReadTextLines(infFile) : std::vector<std::string>{cp1251::FromUtf8("Нет сведений")};
  info.FirmPicEnabled[0] = !s.SelFirmPicture1.empty();
  info.FirmPicEnabled[1] = !s.SelFirmPicture2.empty();
  info.FirmPicEnabled[2] = !s.SelFirmPicture3.empty();
  info.ObjNameLabel = s.StatusText1;
  info.ObjAdressLabel = s.StatusText2;
  // A header picture that cannot be decoded is left out like a missing one.
  const fs::path header = FirmFile(core, base, ".jpg");
  QImage picture;
  info.InfoImageVisible = FileExists(header) && LoadPicture(header, picture);
  info.InfoImage = info.InfoImageVisible ? picture : QImage();
}

}  // namespace

void SelectFirm(MapCore& core, int row, bool centre) {
  const LayerTable& t = core.Tables.ListOfFirms;
  if (row < 0 || row > t.Count() - 1) return;
  SelectionState& s = core.Selection;
  const LayerRow& r = t[row];
  s.FirmSelected = true;
  s.SelFirmName = r.Cell(firm_cell::Name);
  s.SelFirmStreet = r.Cell(firm_cell::Street);
  s.SelFirmNumber = r.Cell(firm_cell::Number);
  s.SelFirmFile = r.Cell(firm_cell::File);
  s.SelFirmRow = row;
  const std::string base = FirmBaseOnDisk(core, r, s.SelFirmFile);
  s.SelFirmPicture1 = PicturePathIfPresent(FirmFile(core, base, "1.jpg"));
  s.SelFirmPicture2 = PicturePathIfPresent(FirmFile(core, base, "2.jpg"));
  s.SelFirmPicture3 = PicturePathIfPresent(FirmFile(core, base, "3.jpg"));
  s.SelFirmIcon = DecimalIntOf(r.Cell(firm_cell::Picture)).value_or(-1);
  s.StatusText0.clear();
  s.StatusText1 = s.SelFirmName;
  s.StatusText2 = s.SelFirmStreet + " " + s.SelFirmNumber;
  if (const auto point = FirstPoint(r.Cell(firm_cell::Points))) {
    s.SelFirmPoint = *point;
    CentreOnSelection(core, *point, centre);
  } else {
    s.FirmSelected = false;  // nowhere to draw it
  }
}

void ShowObjectInfo(MapCore& core, int row, bool centre) {
  const LayerTable& t = core.Tables.ListOfFirms;
  if (row < 0 || row > t.Count() - 1) return;
  SelectFirm(core, row, centre);
  FillInfoPanel(core, FirmBaseOnDisk(core, t[row], core.Selection.SelFirmFile));
  RedrawView(core);
  core.Host.PaintMapWindow();
}
