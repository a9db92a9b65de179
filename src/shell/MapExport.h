#pragma once
// The map as a picture file and on paper: "Сохранить изображение…" writes the
// visible map (VisibleMapPicture, view/PaintMapArea.h) as PNG or JPEG;
// "Печать…" draws it again on a page (view/MapOnDevice.h) with the city's
// title, the scale and the line of attribution from its about.inf under it.
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

class QPainter;
struct CityAbout;
struct MapCore;

enum class PictureFormat { Png, Jpeg };

// The city's name on a page and as the printed document's title (UTF-8): its
// title, or its folder's name for a city without one.
std::string CityName(const MapCore& core);

// The file name offered for the picture (UTF-8): the city's title and the
// scale as ZoomEdit shows it, "Светлогорск 250%.png"; a character no file name
// may hold becomes "_", and a city without a title is named by its folder.
std::string PictureFileName(const MapCore& core, PictureFormat format = PictureFormat::Png);

// JPEG for a name ending in ".jpg" or ".jpeg" (any case), PNG for any other.
PictureFormat PictureFormatOf(const fs::path& file);
// The name as given when it ends in an extension of a picture format, else
// with the extension of `chosen` added (the file dialog's filter).
fs::path WithPictureExtension(const fs::path& file, PictureFormat chosen);

// Writes the picture in the format of the file's name, whole or not at all
// (an old file stays as it was).  False with a message naming the file and the
// reason (UTF-8).
bool SaveMapPicture(const QImage& picture, const fs::path& file, std::string& message);
// Puts an exported file's bytes in place, whole or not at all; on failure the
// message is `start` (UTF-8, naming the file) and the reason.
bool PutExportInPlace(const fs::path& file, const std::string& bytes, const std::string& start, std::string& message);

// The line of attribution of a city: the first line of its description that
// holds "©" (Windows-1251); empty when there is none.
std::string AttributionLine(const CityAbout& about);
// The loaded city's line of attribution, read from its about.inf (empty when
// the file has none or cannot be read).
std::string CityAttribution(const MapCore& core);

// The map of a printed page: its size in its own pixels, and what draws it
// there through the painter, whose transform fits it to the page.
struct MapOnPage {
  QSize Size;
  std::function<void(QPainter& painter)> Draw;
};

// One printed page: the map fitted whole into the page above the texts, its
// sides in proportion and centred across; under it, from the map's left
// edge, the first line in bold (the title) and the others (the scale, the
// attribution; an empty one is left out) each cut short with "…" where the
// page ends.
void PaintMapPage(QPainter& painter, const QRect& page, const MapOnPage& map, const QStringList& lines);
// The same for a picture.
void PaintMapPage(QPainter& painter, const QRect& page, const QImage& map, const QStringList& lines);
