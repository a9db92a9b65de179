#include "info/widgets/FirmPictureWindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>

#include <algorithm>

#include "mapdata/NativeName.h"
#include "mapdata/PictureLoader.h"

namespace {
constexpr int kFirstLeft = 192, kFirstTop = 114;
constexpr int kDesignWidth = 115, kDesignHeight = 105;
constexpr int kImageDesignSide = 105;
}  // namespace

FirmPictureWindow::FirmPictureWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("Изображение"));
  setObjectName("Form3");
  setModal(false);
  // A dialog frame without minimise and maximise boxes.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  picture_ = new QLabel(this);
  picture_->setObjectName("Image1");
  picture_->setGeometry(0, 0, kImageDesignSide, kImageDesignSide);
  setFixedSize(kDesignWidth, kDesignHeight);
  move(kFirstLeft, kFirstTop);
  messages_ = [this](const QString& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8("Изображение"), text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);  // the message quotes a file name
    box.exec();
  };
}

bool FirmPictureWindow::ShowPicture(const std::string& path, const QRect& beside) {
  // Sized and placed before it is shown: a window manager that maps it at the
  // old size keeps the old minimum, a grey band beside a smaller picture.
  QImage picture;
  std::string error;
  const bool loaded = LoadPicture(NativePath(path), picture, &error);
  if (loaded) FitToPicture(picture);
  if (!placed_) PlaceBeside(beside);
  show();
  raise();
  activateWindow();
  if (!loaded) messages_(QString::fromUtf8("Не удалось показать картинку.\n") + QString::fromStdString(error));
  return loaded;
}

void FirmPictureWindow::PlaceBeside(const QRect& beside) {
  placed_ = true;
  if (beside.isEmpty()) return;
  // The frame is not known before the first show: leave room for one.
  constexpr int kFrameRoom = 12;
  QPoint place(beside.left() - width() - kFrameRoom, beside.top());
  if (const QScreen* screen = QGuiApplication::screenAt(beside.center())) {
    const QRect free = screen->availableGeometry();
    place.rx() = std::clamp(place.x(), free.left(), std::max(free.left(), free.right() - width()));
    place.ry() = std::clamp(place.y(), free.top(), std::max(free.top(), free.bottom() - height()));
  }
  move(place);
}

void FirmPictureWindow::FitToPicture(const QImage& picture) {
  picture_->setPixmap(QPixmap::fromImage(picture));
  picture_->setGeometry(0, 0, picture.width(), picture.height());
  setFixedSize(picture.size());
}

void FirmPictureWindow::keyPressEvent(QKeyEvent* event) {
  // Escape closes (hides) the window; every other key is left alone.
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QDialog::keyPressEvent(event);
}
