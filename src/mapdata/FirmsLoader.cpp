// The firms: one file per firm in the city's Firms folder, scrambled (".crpt")
// or plain (".txt"), and a 20 x 20 marker per firm.  The marker (and the name of
// the firm's files on disk) is added only when the firm's row is, so that cell 7
// of every row names its own marker and name.
#include <QPainter>

#include <algorithm>

#include "mapdata/BoxCells.h"
#include "mapdata/Cp1251.h"
#include "mapdata/DecimalText.h"
#include "mapdata/DirectoryScan.h"
#include "mapdata/FirmFile.h"
#include "mapdata/FirmMarker.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"
#include "mapdata/PictureLoader.h"
#include "mapdata/ProblemText.h"
#include "shell/MapCore.h"

namespace {

// The firm's picture drawn 1:1 at the top left and cut to 20 x 20, or the
// built-in marker when it has none (or it cannot be decoded).
QImage FirmMarker(const fs::path& dir, const std::string& baseName) {
  QImage marker = BlankListImage();
  QPainter painter(&marker);
  QImage picture;
  const fs::path jpg = ResolvePath(dir, baseName + ".jpg");
  if (FileExists(jpg) && LoadPicture(jpg, picture)) {
    picture.setDevicePixelRatio(1.0);
    painter.drawImage(QPoint(0, 0), picture);
  } else {
    painter.drawImage(QPoint(0, 0), DefaultFirmMarker());
  }
  return marker;
}

void AddFirmRow(MapCore& core, ReadRecordResult& record, const std::string& baseName) {
  LayerTable& table = core.Tables.ListOfFirms;
  const int index = table.Count();
  LayerRow& row = table.Add(std::move(record.Fields[0]));
  for (size_t i = 1; i < 4; ++i) row.SubItems.push_back(std::move(record.Fields[i]));
  row.SubItems.push_back(cp1251::FileNameToCp1251(baseName));
  row.SubItems.emplace_back();
  row.SubItems.emplace_back();
  AppendFirmPoint(core, index);
  row.SubItems.push_back(std::move(record.Fields[4]));
  row.SubItems.push_back(DecimalText(index));
}

// One pass over the firm files of one kind, in name order.
template <typename ReadFirm>
void ReadFirmPass(MapCore& core, const fs::path& dir, FirmVariant variant, ReadFirm readFirm) {
  const std::string_view extension = variant == FirmVariant::Plain ? kFirmPlainExtension : kFirmScrambledExtension;
  for (const std::string& name : FindEntries(dir, extension)) {
    const fs::path file = dir / name;
    if (!readFirm(core, file)) continue;
    std::string baseName = FirmBaseName(file, variant);
    core.Tables.FirmsImageList.push_back(FirmMarker(dir, baseName));
    core.Tables.FirmFileNames.push_back(std::move(baseName));
  }
  core.Host.ProcessPendingEvents();
}

// Adds the firm's row, or shows why it has none.
bool TakeFirm(MapCore& core, const fs::path& file, FirmVariant variant, const char* missing,
              const char* cannotOpen) {
  FirmFileResult firm = ReadFirmFile(file, variant, core.ScrambleMask);
  switch (firm.Outcome) {
    case FirmFileResult::Missing:
      core.ShowMessage(missing);
      return false;
    case FirmFileResult::CannotOpen:
      core.ShowMessage(cannotOpen);
      return false;
    case FirmFileResult::Bad:
      core.ShowMessage(DataProblemMessage(file, firm.ProblemRecord, firm.Problem));
      return false;
    case FirmFileResult::Read:
      break;
  }
  AddFirmRow(core, firm.Record, FirmBaseName(file, variant));
  return true;
}

unsigned char FoldLatin(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

// Latin letters without case, every other byte by value; a prefix comes first.
bool FirmNameBefore(const LayerRow& a, const LayerRow& b) {
  return std::lexicographical_compare(a.Caption.begin(), a.Caption.end(), b.Caption.begin(), b.Caption.end(),
                                      [](char x, char y) {
                                        return FoldLatin(static_cast<unsigned char>(x)) <
                                               FoldLatin(static_cast<unsigned char>(y));
                                      });
}

}  // namespace

void LoadFirms(MapCore& core, const std::string& city) {
  LayerTable& firms = core.Tables.ListOfFirms;
  firms.Clear();
  core.Tables.FirmsImageList.clear();
  core.Tables.FirmFileNames.clear();
  const fs::path dir = CityLocation{core.DataRoot, city}.File("Firms");
  ReadFirmPass(core, dir, FirmVariant::Scrambled, ReadFirmScrambled);
  if (firms.Empty()) ReadFirmPass(core, dir, FirmVariant::Plain, ReadFirmText);
  std::stable_sort(firms.Rows().begin(), firms.Rows().end(), FirmNameBefore);
  firms.Touch();
}

bool ReadFirmText(MapCore& core, const fs::path& file) {
  if (file.empty()) {
    core.ShowMessage("Отсутствует имя файла! \nПожалуйста, выберите повторно.");
    return false;
  }
  return TakeFirm(core, file, FirmVariant::Plain, "Открываемого файла не существует.", "Ошибка при открытии!");
}

// A scrambled firm file is opened as raw bytes: a missing one cannot be opened.
bool ReadFirmScrambled(MapCore& core, const fs::path& file) {
  return TakeFirm(core, file, FirmVariant::Scrambled, "Отсутствует файл!", "Отсутствует файл!");
}

void AppendFirmPoint(MapCore& core, int rowIndex) {
  LayerRow& row = core.Tables.ListOfFirms[rowIndex];
  const std::vector<MapPoint> first = PointsOfCells("1", row.Cell(2));
  const MapPoint p = first.empty() ? MapPoint{} : first.front();
  row.SubItems.resize(std::max<size_t>(row.SubItems.size(), 6));
  row.SubItems[4] = DecimalText(p.X);
  row.SubItems[5] = DecimalText(p.Y);
  WidenMapExtents(core.Extents, p.X, p.Y, p.X, p.Y);
}
