#include "info/widgets/TForm3.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>

#include "mapdata/NativeName.h"
#include "mapdata/PictureLoader.h"

namespace {
constexpr int kFirstLeft = 192, kFirstTop = 114;
constexpr int kDesignWidth = 115, kDesignHeight = 105;
constexpr int kImageDesignSide = 105;
}  // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("Изображение"));
  setObjectName("Form3");
  setModal(false);
  // A dialog frame without minimise and maximise boxes.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  image1_ = new QLabel(this);
  image1_->setObjectName("Image1");
  image1_->setGeometry(0, 0, kImageDesignSide, kImageDesignSide);
  setFixedSize(kDesignWidth, kDesignHeight);
  move(kFirstLeft, kFirstTop);
  messages_ = [this](const QString& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8("Изображение"), text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);  // the message quotes a file name
    box.exec();
  };
}

bool TForm3::ShowPicture(const std::string& path) {
  show();
  raise();
  activateWindow();
  QImage picture;
  std::string error;
  if (!LoadPicture(NativePath(path), picture, &error)) {
    messages_(QString::fromUtf8("Не удалось показать картинку.\n") + QString::fromStdString(error));
    return false;
  }
  FitToPicture(picture);
  return true;
}

void TForm3::FitToPicture(const QImage& picture) {
  image1_->setPixmap(QPixmap::fromImage(picture));
  image1_->setGeometry(0, 0, picture.width(), picture.height());
  setFixedSize(picture.size());
}

void TForm3::keyPressEvent(QKeyEvent* event) {
  // Escape closes (hides) the window; every other key is left alone.
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QDialog::keyPressEvent(event);
}
