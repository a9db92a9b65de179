#include "shell/MapExport.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cctype>

#include "mapdata/Cp1251.h"
#include "mapdata/FileReplace.h"
#include "mapdata/JpegEncoder.h"
#include "mapdata/NativeName.h"
#include "mapdata/ProblemText.h"
#include "render/ViewTransform.h"
#include "shell/CityAbout.h"
#include "state/MapCore.h"

namespace {

constexpr int kJpegQuality = 90;
constexpr FolderWords kPictureFolder{"в папку", "папка"};

// Characters that a file name cannot hold here or on the systems the
// picture may be copied to, and control characters.
bool UnfitForFileName(unsigned char c) {
  return c < 0x20 || std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string LowerExtension(const fs::path& file) {
  std::string extension = NativeString(file.extension());
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

const char* ExtensionOf(PictureFormat format) { return format == PictureFormat::Jpeg ? ".jpg" : ".png"; }

bool EncodePicture(const QImage& picture, PictureFormat format, std::string& bytes, std::string& reason) {
  if (picture.isNull()) {
    reason = "нет изображения";
    return false;
  }
  if (format == PictureFormat::Jpeg) return EncodeJpeg(picture, kJpegQuality, bytes, reason);
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, "PNG")) {
    reason = "рисунок не кодируется в PNG";
    return false;
  }
  bytes = data.toStdString();
  return true;
}

}  // namespace

std::string CityName(const MapCore& core) {
  const std::string title = cp1251::ToUtf8(core.Caption);
  return title.find_first_not_of(' ') == std::string::npos ? cp1251::FileNameToUtf8(core.CurrentCity) : title;
}

std::string PictureFileName(const MapCore& core, PictureFormat format) {
  std::string title = CityName(core);
  std::replace_if(title.begin(), title.end(), [](char c) { return UnfitForFileName(static_cast<unsigned char>(c)); },
                  '_');
  return title + " " + ZoomPercentText(core.View.Scale) + ExtensionOf(format);
}

PictureFormat PictureFormatOf(const fs::path& file) {
  const std::string extension = LowerExtension(file);
  return extension == ".jpg" || extension == ".jpeg" ? PictureFormat::Jpeg : PictureFormat::Png;
}

fs::path WithPictureExtension(const fs::path& file, PictureFormat chosen) {
  const std::string extension = LowerExtension(file);
  if (extension == ".png" || extension == ".jpg" || extension == ".jpeg") return file;
  fs::path named = file;
  named += ExtensionOf(chosen);
  return named;
}

bool SaveMapPicture(const QImage& picture, const fs::path& file, std::string& message) {
  const std::string start = "Не удалось сохранить изображение в файл \"" + PathForMessage(file) + "\": ";
  std::string bytes, reason;
  if (!EncodePicture(picture, PictureFormatOf(file), bytes, reason)) {
    message = start + reason + ".";
    return false;
  }
  return PutExportInPlace(file, bytes, start, message);
}

bool PutExportInPlace(const fs::path& file, const std::string& bytes, const std::string& start, std::string& message) {
  WriteFailure failure;
  if (ReplaceFile(file, bytes, failure)) return true;
  message = start + FailureReason(failure.error, true, kPictureFolder) + " (" + failure.step + ").";
  return false;
}

std::string AttributionLine(const CityAbout& about) {
  static const std::string copyright = cp1251::FromUtf8("©");
  for (const std::string& line : about.Description)
    if (line.find(copyright) != std::string::npos) return line;
  return {};
}

std::string CityAttribution(const MapCore& core) {
  CityAbout about;
  std::string error;
  if (!ReadCityAbout(core.City().File("Info/about.inf"), about, error)) return {};
  return AttributionLine(about);
}

void PaintMapPage(QPainter& painter, const QRect& page, const MapOnPage& map, const QStringList& lines) {
  QFont titleFont = painter.font();
  titleFont.setPointSize(14);
  titleFont.setBold(true);
  QFont noteFont = painter.font();
  noteFont.setPointSize(9);
  const QFontMetrics titleMetrics(titleFont, painter.device());
  const QFontMetrics noteMetrics(noteFont, painter.device());
  const int gap = titleMetrics.height() / 2;
  int textHeight = gap;
  for (int i = 0; i < lines.size(); ++i)
    if (i == 0 || !lines[i].isEmpty()) textHeight += (i == 0 ? titleMetrics : noteMetrics).height();

  const QSize room(page.width(), std::max(1, page.height() - textHeight));
  const QSize fitted = map.Size.scaled(room, Qt::KeepAspectRatio);
  const QRect target(QPoint(page.left() + (page.width() - fitted.width()) / 2, page.top()), fitted);
  painter.save();
  painter.setClipRect(target);
  painter.translate(target.topLeft());
  painter.scale(static_cast<double>(fitted.width()) / map.Size.width(),
                static_cast<double>(fitted.height()) / map.Size.height());
  map.Draw(painter);
  painter.restore();

  painter.save();
  painter.setPen(Qt::black);
  const int textWidth = page.right() + 1 - target.left();
  int baseline = target.bottom() + 1 + gap;
  for (int i = 0; i < lines.size(); ++i) {
    if (i > 0 && lines[i].isEmpty()) continue;
    const QFontMetrics& metrics = i == 0 ? titleMetrics : noteMetrics;
    baseline += (i == 0 ? 0 : 1) + metrics.ascent();
    painter.setFont(i == 0 ? titleFont : noteFont);
    painter.drawText(target.left(), baseline, metrics.elidedText(lines[i], Qt::ElideRight, textWidth));
    baseline += metrics.descent();
  }
  painter.restore();
}

void PaintMapPage(QPainter& painter, const QRect& page, const QImage& map, const QStringList& lines) {
  const MapOnPage picture{map.size(), [&map](QPainter& p) {
                            p.setRenderHint(QPainter::SmoothPixmapTransform);
                            p.drawImage(0, 0, map);
                          }};
  PaintMapPage(painter, page, picture, lines);
}
