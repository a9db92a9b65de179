// The map window's picture of the map: the part of the map area that shows the
// map, saved as a file ("Сохранить изображение…") or printed ("Печать…").
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

#include <algorithm>

#include "mapdata/NativeName.h"
#include "shell/MapExport.h"
#include "shell/widgets/MapArea.h"
#include "shell/widgets/MapWindow.h"
#include "shell/widgets/WidgetKit.h"
#include "render/ViewTransform.h"
#include "view/PaintMapArea.h"
#include "view/MapOnDevice.h"

void MapWindow::OnSaveImageClicked() {
  const QString offered = QString::fromStdString(PictureFileName(core_));
  const QString path = AskPicturePath ? AskPicturePath(offered) : AskPicturePathDialog(offered);
  if (path.isEmpty()) return;
  std::string message;
  const fs::path file = PathFromQString(path);
  if (!SaveMapPicture(VisibleMapPicture(), file, message)) ShowMessage(message);
  pictureFolder_ = QFileInfo(path).absolutePath();
}

QString MapWindow::AskPicturePathDialog(const QString& offeredName) {
  if (pictureFolder_.isEmpty()) pictureFolder_ = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  if (pictureFolder_.isEmpty() || !QDir(pictureFolder_).exists()) pictureFolder_ = QDir::homePath();
  const QString png = Ui("Рисунок PNG (*.png)"), jpeg = Ui("Рисунок JPEG (*.jpg *.jpeg)");
  QString filter = png;
  const QString path = QFileDialog::getSaveFileName(this, Ui("Сохранить изображение"),
                                                    QDir(pictureFolder_).filePath(offeredName), png + ";;" + jpeg, &filter);
  if (path.isEmpty()) return {};
  const PictureFormat chosen = filter == jpeg ? PictureFormat::Jpeg : PictureFormat::Png;
  return PathToQString(WithPictureExtension(PathFromQString(path), chosen));
}

void MapWindow::OnPrintClicked() {
  if (!PrinterFound()) {
    OfferPdfWithoutPrinter();
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  SetUpMapPage(printer);
  if (AskPrinter ? !AskPrinter(printer) : !AskPrinterDialog(printer)) return;
  PrintMap(printer, Ui("Не удалось напечатать карту: %1."));
}

void MapWindow::SetUpMapPage(QPrinter& printer) const {
  printer.setDocName(QString::fromStdString(CityName(core_)));
  const QRect visible = VisibleMapRect();
  printer.setPageOrientation(visible.width() > visible.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool MapWindow::AskPrinterDialog(QPrinter& printer) {
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(Ui("Печать карты"));
  return dialog.exec() == QDialog::Accepted;
}

bool MapWindow::PrintMap(QPrinter& printer, const QString& failure) {
  const QRect visible = VisibleMapRect();
  QPainter painter;
  if (!painter.begin(&printer)) {
    const QString where = printer.outputFileName().isEmpty() ? Ui("принтер «%1» недоступен").arg(printer.printerName())
                                                             : Ui("файл «%1» не записывается").arg(printer.outputFileName());
    ShowMessage(QString(failure).arg(where).toStdString());
    return false;
  }
  const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
  // The view drawn again at the printer's resolution, its text as text.
  const MapOnPage map{visible.size(), [&](QPainter& p) {
                        DrawVisibleMap(core_, p, visible);
                        DrawRoute(p, -VisiblePictureRect(core_.View).topLeft() - visible.topLeft());
                      }};
  PaintMapPage(painter, page, map,
               {QString::fromStdString(CityName(core_)), Ui("Масштаб ") + QString::fromStdString(ZoomPercentText(core_.View.Scale)),
                FromCp(CityAttribution(core_))});
  return painter.end();
}

QImage MapWindow::VisibleMapPicture() {
  const QRect visible = VisibleMapRect();
  QImage picture = ::VisibleMapPicture(core_, visible);
  if (core_.Map.isNull()) return picture;
  QPainter painter(&picture);
  DrawRoute(painter, -VisiblePictureRect(core_.View).topLeft() - visible.topLeft());
  return picture;
}

QRect MapWindow::VisibleMapRect() const { return VisibleMapRectOfSize(mapArea_->size()); }
