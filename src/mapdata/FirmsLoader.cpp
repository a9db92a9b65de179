// The firms: one file per firm in the city's Firms folder, scrambled (".crpt")
// or plain (".txt"), and a 20 x 20 marker per firm, decoded from the firm's
// picture when first shown.  The marker (and the name of the firm's files on
// disk) is added only when the firm's row is, so that the Picture cell of every
// row names its own marker and name.
#include <algorithm>

#include "mapdata/BoxCells.h"
#include "mapdata/Cp1251.h"
#include "mapdata/DirectoryScan.h"
#include "mapdata/FirmFile.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"
#include "mapdata/ProblemText.h"
#include "mapdata/NativeName.h"

namespace {

void AddFirmRow(const LayerLoad& load, ReadRecordResult& record, const std::string& baseName) {
  const std::vector<std::string_view>& f = record.Fields;
  LayerTable& table = load.Tables.ListOfFirms;
  const MapPoint p = WidenByPoint(load.Extents, record.Points);
  const std::string fileCell = cp1251::FileNameToCp1251(baseName);
  // In the order of firm_cell; the picture is the row's index when it is added.
  table.AddRow({f[firm_field::Name], f[firm_field::Street], f[firm_field::Number], f[firm_field::Position], fileCell,
                NumberText(p.X).View(), NumberText(p.Y).View(), f[firm_field::Keywords],
                NumberText(table.Count()).View()});
}

// Adds the firm's row, or shows why it has none.
bool TakeFirm(const LayerLoad& load, const fs::path& file, FirmVariant variant) {
  if (variant == FirmVariant::Plain && file.empty()) {
    load.Host.ShowMessage("Отсутствует имя файла! \nПожалуйста, выберите повторно.");
    return false;
  }
  // A scrambled firm file is opened as raw bytes: a missing one cannot be opened.
  const bool plain = variant == FirmVariant::Plain;
  FirmFileResult firm = ReadFirmFile(file, variant, load.ScrambleMask);
  switch (firm.Outcome) {
    case FirmFileResult::Missing:
      load.Host.ShowMessage(plain ? "Открываемого файла не существует." : "Отсутствует файл!");
      return false;
    case FirmFileResult::CannotOpen:
      load.Host.ShowMessage(plain ? "Ошибка при открытии!" : "Отсутствует файл!");
      return false;
    case FirmFileResult::Bad:
      load.Host.ShowMessage(DataProblemMessage(file, firm.ProblemRecord, firm.Problem));
      return false;
    case FirmFileResult::Read:
      break;
  }
  AddFirmRow(load, firm.Record, FirmBaseName(file, variant));
  return true;
}

// One pass over the firm files of one kind among the folder's entries, in name order.
void ReadFirmPass(const LayerLoad& load, const fs::path& dir, const std::vector<std::string>& entries,
                  FirmVariant variant) {
  const std::string_view extension = variant == FirmVariant::Plain ? kFirmPlainExtension : kFirmScrambledExtension;
  for (const std::string& name : EntriesEndingWith(entries, extension)) {
    const fs::path file = dir / NativePath(name);
    if (!TakeFirm(load, file, variant)) continue;
    std::string baseName = FirmBaseName(file, variant);
    load.Tables.FirmsImageList.AddFirm(baseName);
    load.Tables.FirmFileNames.push_back(std::move(baseName));
  }
  load.Host.ProcessPendingEvents();
}

unsigned char FoldLatin(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

// Latin letters without case, every other byte by value; a prefix comes first.
bool FirmNameBefore(const LayerRow& a, const LayerRow& b) {
  const std::string_view x = a.Cell(firm_cell::Name);
  const std::string_view y = b.Cell(firm_cell::Name);
  return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(),
                                      [](char x, char y) {
                                        return FoldLatin(static_cast<unsigned char>(x)) <
                                               FoldLatin(static_cast<unsigned char>(y));
                                      });
}

}  // namespace

void LoadFirms(const LayerLoad& load) {
  LayerTable& firms = load.Tables.ListOfFirms;
  firms.Clear();
  load.Tables.FirmFileNames.clear();
  const fs::path dir = load.City.File("Firms");
  load.Tables.FirmsImageList.Reset(dir);
  const std::vector<std::string> listed = load.FirmEntries ? std::vector<std::string>{} : ListEntries(dir);
  const std::vector<std::string>& entries = load.FirmEntries ? *load.FirmEntries : listed;
  ReadFirmPass(load, dir, entries, FirmVariant::Scrambled);
  if (firms.Empty()) ReadFirmPass(load, dir, entries, FirmVariant::Plain);
  firms.StableSort(FirmNameBefore);
}
