#include "mapdata/PictureLoader.h"

#include "mapdata/NativeName.h"
#include "mapdata/PictureDecoders.h"
#include "mapdata/ProblemText.h"

#include <QString>

#include <fstream>
#include <map>
#include <sstream>

namespace {

struct Registration {
  std::string Description;
  PictureDecoder Decoder;
};

std::map<std::string, Registration>& Registry() {
  static std::map<std::string, Registration> registry;
  return registry;
}

std::string LowerExtension(const std::filesystem::path& file) {
  std::string ext = NativeString(file.extension());
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  return QString::fromStdString(ext).toLower().toStdString();
}

std::string UnsupportedTypeText(const std::string& extension) {
  return "картинки типа «" + extension + "» не поддерживаются";
}

}  // namespace

void RegisterPictureDecoder(const std::string& extension, const std::string& description, PictureDecoder decoder) {
  Registry()[QString::fromStdString(extension).toLower().toStdString()] = {description, std::move(decoder)};
}

bool DecodePicture(const std::string& extension, const std::string& bytes, QImage& out, std::string* error) {
  auto it = Registry().find(QString::fromStdString(extension).toLower().toStdString());
  std::string why = UnsupportedTypeText(extension);
  QImage decoded;
  if (it != Registry().end() && it->second.Decoder(bytes, decoded, why) && !decoded.isNull()) {
    out = std::move(decoded);
    return true;
  }
  if (error) *error = why;
  return false;
}

void RegisterStandardPictureDecoders() {
  RegisterPictureDecoder("jpg", "jpg", DecodeJpeg);
  RegisterPictureDecoder("ico", "ico", DecodeIco);
}

bool LoadPicture(const std::filesystem::path& file, QImage& out, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = DataProblemMessage(file, 0, why);
    return false;
  };
  auto it = Registry().find(LowerExtension(file));
  if (it == Registry().end()) return fail(UnsupportedTypeText(LowerExtension(file)));
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return fail("файла нет");
  std::ifstream in(file, std::ios::binary);
  if (!in) return fail("файл не открывается");
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::string why;
  QImage decoded;
  if (!it->second.Decoder(bytes.str(), decoded, why) || decoded.isNull())
    return fail(why.empty() ? "картинка не читается" : why);
  out = std::move(decoded);
  return true;
}
