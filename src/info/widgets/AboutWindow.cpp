#include "info/widgets/AboutWindow.h"

#include "mapdata/NativeName.h"
#include "shell/AppIdentity.h"
#include "shell/LegalFiles.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDirIterator>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->move(x, y);
  label->adjustSize();
  return label;
}

// A field never cuts its text: where its font needs more room than the box
// gives, it grows to the right (by its frame and the two pixels a side that a
// line edit keeps free).
void FitFieldToText(QLineEdit* edit) {
  const int frame = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit) : 0;
  const int needed = QFontMetrics(edit->font()).horizontalAdvance(edit->text()) + 2 * frame + 4;
  if (needed > edit->width()) edit->resize(needed, edit->height());
}

// A read-only one-line field: its text can be selected and copied, nothing more.
QLineEdit* PlaceField(QWidget* parent, const char* name, const QString& text, QRect box, bool link) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  edit->setReadOnly(true);
  edit->setGeometry(box);
  if (link) {
    edit->setFrame(false);
    QFont f = edit->font();
    f.setUnderline(true);
    edit->setFont(f);
    QPalette p = edit->palette();
    p.setColor(QPalette::Text, Qt::blue);
    p.setColor(QPalette::Base, Qt::white);
    edit->setPalette(p);
  }
  FitFieldToText(edit);
  edit->setCursorPosition(0);
  return edit;
}

QFrame* PlaceStrip(QWidget* parent, const char* name, QRect box) {
  auto* strip = new QFrame(parent);
  strip->setObjectName(name);
  strip->setGeometry(box);
  strip->setFrameShape(QFrame::Panel);
  strip->setFrameShadow(QFrame::Raised);
  strip->setAutoFillBackground(true);
  QPalette p = strip->palette();
  p.setColor(QPalette::Window, Qt::white);
  strip->setPalette(p);
  return strip;
}

// The bundled logo, wherever the resource file placed it.
QPixmap BundledLogo() {
  QDirIterator it(":/", QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    if (path.endsWith("/logo.png", Qt::CaseInsensitive)) {
      QPixmap logo(path);
      if (!logo.isNull()) return logo;
    }
  }
  return {};
}

// A globe with a meridian and a parallel in the product's teal, on transparency.
QPixmap DrawnLogo() {
  QPixmap logo(105, 105);
  logo.fill(Qt::transparent);
  QPainter p(&logo);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor teal(0, 128, 128), sand(240, 220, 170);
  p.setPen(QPen(teal, 4));
  p.setBrush(sand);
  p.drawEllipse(QRectF(12, 12, 81, 81));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(teal, 2));
  p.drawEllipse(QRectF(34, 12, 37, 81));
  p.drawLine(QPointF(12, 52.5), QPointF(93, 52.5));
  QPainterPath road;
  road.moveTo(22, 78);
  road.cubicTo(40, 60, 60, 70, 84, 30);
  p.setPen(QPen(QColor(200, 40, 40), 3));
  p.drawPath(road);
  return logo;
}

}  // namespace

QPixmap AboutWindow::Logo() {
  QPixmap logo = BundledLogo();
  if (logo.isNull()) return DrawnLogo();
  return logo.scaled(105, 105, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("Form4");
  setWindowTitle(U("О программе"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);
  setFixedSize(393, 197);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  // The interface's own font at the window's size: a family named here may
  // exist on one system only and fall back to a serif face on the others.
  QFont base = QApplication::font();
  base.setPixelSize(11);
  setFont(base);

  // CloseButton comes first in tab order and takes the focus: Enter and Space close.
  CloseButton = new QPushButton(U("Закрыть"), this);
  CloseButton->setObjectName("Button1");
  CloseButton->setGeometry(311, 165, 75, 25);
  CloseButton->setDefault(true);
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);

  LogoImage = new QLabel(this);
  LogoImage->setObjectName("Image1");
  LogoImage->setGeometry(0, 0, 105, 105);
  LogoImage->setAttribute(Qt::WA_TranslucentBackground);
  LogoImage->setPixmap(Logo());

  ProductLabel = PlaceLabel(this, "Label2", U("Tellurin"), 276, 8);
  QFont title = base;
  title.setPixelSize(13);
  title.setBold(true);
  title.setUnderline(true);
  ProductLabel->setFont(title);
  ProductLabel->adjustSize();
  VersionLabel = PlaceLabel(this, "Label3", U("v ") + QString::fromUtf8(app_identity::kVersion), 361, 11);

  SiteField = PlaceField(this, "Edit3", U("tellurin.test"), QRect(119, 28, 90, 15), true);
  ContactMailField = PlaceField(this, "Edit4", U("info@tellurin.test"), QRect(271, 28, 90, 15), true);
  UpperRule = PlaceStrip(this, "Panel2", QRect(111, 42, 291, 5));

  DeveloperCaption = PlaceLabel(this, "Label4", U("Разработчик:"), 112, 70);
  DeveloperLabel = PlaceLabel(this, "Label5", U("Tellurin developers"), 112, 86);
  DeveloperMailField = PlaceField(this, "Edit1", U("dev@tellurin.test"), QRect(273, 84, 114, 15), true);
  LowerRule = PlaceStrip(this, "Panel1", QRect(-3, 106, 399, 5));

  ThanksCaption = PlaceLabel(this, "Label1", U("Благодарность за помощь..."), 8, 117);
  // The names thanked read in the window's own font: a larger one made them
  // shout over the caption and every other line.
  ThanksField = PlaceField(this, "Edit2", U("картографам, тестировщикам"), QRect(8, 133, 379, 28), false);

  ReleaseLabel = PlaceLabel(this, "Label6", U("Декабрь 2026"), 9, 179);
  QPalette grey = ReleaseLabel->palette();
  grey.setColor(QPalette::WindowText, Qt::gray);
  ReleaseLabel->setPalette(grey);

  LicenceLink = PlaceLabel(this, "LicenceLink", U("Лицензия"), 0, 179);
  NoticesLink = PlaceLabel(this, "NoticesLink", U("Сторонние компоненты"), 0, 179);
  LinkLegalFiles(PathFromQString(QCoreApplication::applicationDirPath()));

  LogoImage->lower();
}

void AboutWindow::LinkLegalFiles(const std::filesystem::path& programDir) {
  const LegalFiles files = FindLegalFiles(programDir);
  LinkToFile(LicenceLink, U("Лицензия"), files.Licence);
  LinkToFile(NoticesLink, U("Сторонние компоненты"), files.Notices);
  // On the bottom line after the release month, whatever width the fonts give it.
  LicenceLink->move(ReleaseLabel->geometry().right() + 12, ReleaseLabel->y());
  NoticesLink->move(LicenceLink->geometry().right() + 12, ReleaseLabel->y());
}

void AboutWindow::LinkToFile(QLabel* link, const QString& caption, const std::filesystem::path& file) {
  link->disconnect(this);
  link->setVisible(!file.empty());
  if (file.empty()) return;
  const QUrl url = QUrl::fromLocalFile(PathToQString(file));
  link->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(url.toString(QUrl::FullyEncoded), caption.toHtmlEscaped()));
  link->adjustSize();
  connect(link, &QLabel::linkActivated, this, [this, file, url] {
    if (OpenFile)
      OpenFile(file);
    else
      QDesktopServices::openUrl(url);
  });
}

void AboutWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CloseButton->setFocus();
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
  // The window has no key handler: Escape does not close it.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
