#include "mapdata/CityCheck.h"

#include "mapdata/CityAccess.h"
#include "mapdata/CityMask.h"
#include "mapdata/DecimalText.h"
#include "mapdata/DirectoryScan.h"
#include "mapdata/FirmFile.h"
#include "mapdata/GeoReference.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"
#include "mapdata/PictureLoader.h"
#include "mapdata/NativeName.h"

namespace {

const char* const kCannotOpen = "файл есть, но не открывается";

class Checker {
 public:
  explicit Checker(const CityLocation& city) : city_(city), mask_(CityScrambleMask(city)) {}

  std::vector<DataProblem> Run() {
    CheckPicture(city_.File("Info/Picture.jpg"));  // the city selection shows it
    for (const char* folder : {"Icons", "Firms"})
      if (FolderUnreadable(city_.File(folder))) Add(city_.File(folder), 0, "папка не читается");
    CheckIcons();
    CheckFirms();
    if (const GeoReading geo = ReadGeoReference(city_); !geo.Problem.empty()) Add(geo.File, 0, geo.Problem);
    const RecordCheck iconIndex = [this](const fs::path& file, int record, const ReadRecordResult& r) {
      CheckIconIndex(file, record, r.Fields[object_field::Icon]);
    };
    if (FolderUnreadable(city_.File("Data"))) {
      Add(city_.File("Data"), 0, "папка не читается");
      return std::move(problems_);
    }
    bool anyLayer = false;
    for (const LayerReading* layer : LayerReadings())
      anyLayer |= CheckLayer(layer->Files, layer->Format(), layer == &ObjectsReading() ? iconIndex : RecordCheck{});
    // A layer may be left out, but a city without any has no map at all.
    if (!anyLayer)
      for (const LayerReading* layer : LayerReadings()) ListMissingLayer(layer->Files);
    return std::move(problems_);
  }

 private:
  using RecordCheck = std::function<void(const fs::path&, int, const ReadRecordResult&)>;

  void Add(const fs::path& file, int record, std::string what) {
    problems_.push_back({file, record, std::move(what)});
  }

  void CheckIcons() {
    const fs::path dir = city_.File("Icons");
    for (const std::string& name : FindEntries(dir, ".ico")) {
      const fs::path file = dir / NativePath(name);
      if (!HasExactExtension(name, ".ico")) {
        Add(file, 0, "расширение не «.ico» в нижнем регистре: значок не загружается");
        continue;
      }
      ++icons_;
      CheckPicture(file);
    }
  }

  void CheckPicture(const fs::path& file) {
    QImage picture;
    std::string why;
    if (FileExists(file) && !LoadPicture(file, picture, &why)) Add(file, 0, "картинка не читается");
  }

  // The marker, then the three pictures the information panel opens.
  void CheckFirmPictures(const FolderIndex& folder, const std::string& base) {
    for (const char* suffix : {".jpg", "1.jpg", "2.jpg", "3.jpg"}) CheckPicture(folder.Resolve(NativePath(base + suffix)));
  }

  // The loader reads the plain firm files only when no scrambled one gave a row.
  void CheckFirms() {
    const fs::path dir = city_.File("Firms");
    if (CheckFirmPass(dir, FirmVariant::Scrambled) == 0) CheckFirmPass(dir, FirmVariant::Plain);
  }

  int CheckFirmPass(const fs::path& dir, FirmVariant variant) {
    int read = 0;
    const FolderIndex folder(dir);
    const std::string_view extension = variant == FirmVariant::Plain ? kFirmPlainExtension : kFirmScrambledExtension;
    for (const std::string& name : FindEntries(dir, extension)) {
      const fs::path file = dir / NativePath(name);
      const FirmFileResult firm = ReadFirmFile(file, variant, mask_);
      switch (firm.Outcome) {
        case FirmFileResult::Read:
          ++read;
          CheckFirmPictures(folder, FirmBaseName(file, variant));
          break;
        case FirmFileResult::Missing:
          Add(file, 0, "не файл");
          break;
        case FirmFileResult::CannotOpen:
          Add(file, 0, kCannotOpen);
          break;
        case FirmFileResult::Bad:
          Add(file, firm.ProblemRecord, firm.Problem);
          break;
      }
    }
    return read;
  }

  // False when neither of the layer's files is there as a file the load reads.
  bool CheckLayer(const LayerFiles& files, const RecordFormat& format, const RecordCheck& extra = {}) {
    const fs::path scrambled = city_.File(files.Scrambled);
    const bool isScrambled = FileMayExist(scrambled);
    const fs::path file = isScrambled ? scrambled : city_.File(files.Plain);
    if (!isScrambled && !FileMayExist(file)) {
      ListNotAFile(scrambled);
      ListNotAFile(file);
      return false;
    }
    OpenedLayer layer = OpenLayerFile(file, isScrambled ? LayerVariant::Scrambled : LayerVariant::Plain, mask_);
    if (layer.Result == OpenResult::CannotOpen) return Add(file, 0, kCannotOpen), true;
    if (layer.Result == OpenResult::Malformed) return Add(file, 0, layer.Problem), true;
    ReadRecordResult record;
    for (int32_t i = 0; i < layer.Count; ++i) {
      ReadRecord(*layer.Reader, format, layer.Count, record);
      if (record.Outcome != ReadRecordResult::Ok) Add(file, i + 1, record.Problem);
      if (record.Outcome == ReadRecordResult::End) return true;
      if (record.Outcome == ReadRecordResult::Ok && extra) extra(file, i + 1, record);
    }
    return true;
  }

  // What stands at a layer's name and is no file: the load passes it over as
  // if the layer were missing.
  void ListNotAFile(const fs::path& file) {
    std::error_code ec;
    const fs::file_status own = fs::symlink_status(file, ec);
    if (ec || !fs::exists(own)) return;
    const fs::file_status target = fs::status(file, ec);
    const char* what = fs::is_directory(target) ? "на месте файла находится папка"
                       : !fs::exists(target)    ? "на месте файла находится ссылка, которая никуда не ведёт"
                                                : "на месте файла находится не обычный файл (канал или устройство)";
    Add(file, 0, std::string(what) + ": слой не загружается");
  }

  void ListMissingLayer(const LayerFiles& files) {
    const fs::path plain = city_.File(files.Plain);
    const fs::path scrambled = city_.File(files.Scrambled);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(plain, ec)) || fs::exists(fs::symlink_status(scrambled, ec))) return;
    Add(plain, 0, "файла нет, как и " + NativeString(scrambled.filename()) + ": в городе нет ни одного слоя");
  }

  // An object whose icon index has no chooser entry keeps its kind unnamed.
  void CheckIconIndex(const fs::path& file, int record, std::string_view text) {
    int32_t icon = 0;
    if (ParseDecimalInt(text, icon) && (icon < 0 || icon >= icons_))
      Add(file, record,
          "номер значка " + std::to_string(icon) +
              (icons_ == 0 ? " при пустой папке значков"
                           : " вне списка значков (от 0 до " + std::to_string(icons_ - 1) + ")"));
  }

  const CityLocation& city_;
  const unsigned char mask_;
  std::vector<DataProblem> problems_;
  int icons_ = 0;
};

}  // namespace

std::vector<DataProblem> CheckCity(const CityLocation& city) { return Checker(city).Run(); }
