// The about window: fixed content at fixed places; only its button closes it.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

#include "support/TempDir.h"
#include "cli/CliRun.h"
#include "info/widgets/AboutWindow.h"

namespace {

namespace fs = std::filesystem;

QString U(const char* s) { return QString::fromUtf8(s); }

TEST(AboutWindow, ShowsEveryLineAtItsPlace) {
  AboutWindow form;
  EXPECT_EQ(form.windowTitle(), U("О программе"));
  EXPECT_EQ(form.size(), QSize(393, 197));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);

  EXPECT_EQ(form.ProductLabel->text(), U("Tellurin"));
  EXPECT_EQ(form.ProductLabel->pos(), QPoint(276, 8));
  EXPECT_TRUE(form.ProductLabel->font().bold());
  EXPECT_TRUE(form.ProductLabel->font().underline());
  EXPECT_EQ(form.ProductLabel->font().pixelSize(), 13);
  EXPECT_EQ(form.VersionLabel->text(), U("v 2.2"));
  EXPECT_EQ(form.VersionLabel->pos(), QPoint(361, 11));
  EXPECT_EQ(form.DeveloperCaption->text(), U("Разработчик:"));
  EXPECT_EQ(form.DeveloperCaption->pos(), QPoint(112, 70));
  EXPECT_EQ(form.DeveloperLabel->text(), U("Tellurin developers"));
  EXPECT_EQ(form.DeveloperLabel->pos(), QPoint(112, 86));
  EXPECT_EQ(form.ThanksCaption->text(), U("Благодарность за помощь..."));
  EXPECT_EQ(form.ThanksCaption->pos(), QPoint(8, 117));
  EXPECT_EQ(form.ReleaseLabel->pos(), QPoint(9, 179));
  EXPECT_FALSE(form.ReleaseLabel->text().isEmpty());

  EXPECT_EQ(form.SiteField->geometry(), QRect(119, 28, 90, 15));
  // The e-mail address needs more than its 90 pixels: the field grows to the right.
  EXPECT_EQ(form.ContactMailField->geometry().topLeft(), QPoint(271, 28));
  EXPECT_EQ(form.ContactMailField->height(), 15);
  EXPECT_GE(form.ContactMailField->width(), 90);
  EXPECT_EQ(form.DeveloperMailField->geometry(), QRect(273, 84, 114, 15));
  EXPECT_EQ(form.ThanksField->geometry(), QRect(8, 133, 379, 28));
  EXPECT_TRUE(form.ContactMailField->text().contains('@'));
  EXPECT_TRUE(form.DeveloperMailField->text().contains('@'));
  for (QLineEdit* edit : {form.DeveloperMailField, form.ThanksField, form.SiteField, form.ContactMailField}) EXPECT_TRUE(edit->isReadOnly());
  for (QLineEdit* edit : {form.DeveloperMailField, form.SiteField, form.ContactMailField}) {
    EXPECT_FALSE(edit->hasFrame());
    EXPECT_TRUE(edit->font().underline());
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::blue));
  }
  EXPECT_TRUE(form.ThanksField->hasFrame());

  EXPECT_EQ(form.CloseButton->text(), U("Закрыть"));
  EXPECT_EQ(form.CloseButton->geometry(), QRect(311, 165, 75, 25));
  EXPECT_EQ(form.LogoImage->geometry(), QRect(0, 0, 105, 105));
  EXPECT_EQ(form.LowerRule->geometry(), QRect(-3, 106, 399, 5));
  EXPECT_EQ(form.UpperRule->geometry(), QRect(111, 42, 291, 5));
}

// The version the about window shows is the product's: the AppStream release
// and tellurin-cli --version say the same (the package check adds the package,
// the viewer's --version and the manual pages).
TEST(AboutWindow, ItsVersionIsThePackagesAndTheCommandLines) {
  QFile metainfo(TELLURIN_METAINFO_PATH);
  ASSERT_TRUE(metainfo.open(QIODevice::ReadOnly));
  const QRegularExpressionMatch release =
      QRegularExpression(R"re(<release version="([^"]+)")re").match(QString::fromUtf8(metainfo.readAll()));
  ASSERT_TRUE(release.hasMatch());
  const QString version = release.captured(1);
  AboutWindow form;
  EXPECT_EQ(form.VersionLabel->text(), "v " + version);
  const CliResult cli = RunCli({"--version"});
  EXPECT_EQ(cli.exitCode, 0);
  EXPECT_EQ(QString::fromStdString(cli.out), "tellurin-cli " + version + "\n");
}

// Every line but the product's title reads in the window's own font, the
// interface's family as it is found on this system (no serif stand-in): the
// names thanked as well as the captions and addresses.
TEST(AboutWindow, EveryLineButTheTitleHasTheWindowsFont) {
  AboutWindow form;
  const QFontInfo window(form.font());
  EXPECT_EQ(window.family(), QFontInfo(QApplication::font()).family());
  const std::vector<const QWidget*> lines = {form.VersionLabel,  form.SiteField,        form.ContactMailField,
                                             form.DeveloperCaption, form.DeveloperLabel, form.DeveloperMailField,
                                             form.ThanksCaption, form.ThanksField,      form.ReleaseLabel};
  for (const QWidget* line : lines) {
    const QFontInfo shown(line->font());
    EXPECT_EQ(shown.pixelSize(), window.pixelSize()) << line->objectName().toStdString();
    EXPECT_EQ(shown.family(), window.family()) << line->objectName().toStdString();
  }
}

// The room a one-line field has for its text: its size less its frame and the
// two pixels a side that the field keeps free.
QSize TextRoom(const QLineEdit* edit) {
  const int frame = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit) : 0;
  return edit->size() - QSize(2 * frame + 4, 2 * frame);
}

TEST(AboutWindow, EveryTextFitsItsField) {
  AboutWindow form;
  form.show();
  for (const QLineEdit* edit : {form.DeveloperMailField, form.ThanksField, form.SiteField, form.ContactMailField}) {
    const QFontMetrics metrics(edit->font());
    const std::string name = edit->objectName().toStdString() + " " + edit->text().toStdString();
    EXPECT_LE(metrics.horizontalAdvance(edit->text()), TextRoom(edit).width()) << name;
    EXPECT_LE(metrics.height(), TextRoom(edit).height()) << name;
    EXPECT_LE(edit->x() + edit->width(), form.width()) << name;
  }
  for (const QLabel* label : {form.ThanksCaption, form.ProductLabel, form.VersionLabel, form.DeveloperCaption, form.DeveloperLabel, form.ReleaseLabel})
    EXPECT_LE(label->x() + QFontMetrics(label->font()).horizontalAdvance(label->text()), form.width())
        << label->objectName().toStdString();
}

// The two links open the licence and the notices installed with the program:
// beside it (the build, the Windows folder) or in share/doc/tellurin (the
// Debian package); where there are none the links are hidden.
TEST(AboutWindow, LinksOpenTheInstalledLicenceAndNotices) {
  const fs::path build = fs::path(TELLURIN_CLI_PATH).parent_path();
  TempDir package;
  fs::create_directories(package.Path() / "bin");
  fs::create_directories(package.Path() / "share" / "doc" / "tellurin");
  fs::copy_file(build / "THIRD-PARTY-NOTICES.txt", package.Path() / "share" / "doc" / "tellurin" / "THIRD-PARTY-NOTICES.txt");
  WriteBytes(package.Path() / "share" / "doc" / "tellurin" / "copyright", "Format: https://www.debian.org/doc/\n");
  TempDir empty;
  const struct {
    fs::path programDir;
    const char* licenceStart;  // the licence's first line; none: both links hidden
  } cases[] = {{build, "MIT License"}, {package.Path() / "bin", "Format: https://www.debian.org/doc/"}, {empty.Path(), nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.programDir.string());
    AboutWindow form;
    std::vector<std::string> opened;
    form.OpenFile = [&](const fs::path& file) {
      const std::string text = ReadBytes(file);
      opened.push_back(text.substr(0, text.find('\n')));
    };
    form.LinkLegalFiles(c.programDir);
    form.show();
    EXPECT_EQ(form.LicenceLink->isVisible(), c.licenceStart != nullptr);
    EXPECT_EQ(form.NoticesLink->isVisible(), c.licenceStart != nullptr);
    if (!c.licenceStart) continue;
    // On the bottom line, between the release month and the button.
    EXPECT_GT(form.LicenceLink->x(), form.ReleaseLabel->geometry().right());
    EXPECT_GT(form.NoticesLink->x(), form.LicenceLink->geometry().right());
    EXPECT_LT(form.NoticesLink->geometry().right(), form.CloseButton->x());
    for (QLabel* link : {form.LicenceLink, form.NoticesLink}) emit link->linkActivated(QString());
    EXPECT_EQ(QTextDocumentFragment::fromHtml(form.LicenceLink->text()).toPlainText(), U("Лицензия"));
    EXPECT_EQ(QTextDocumentFragment::fromHtml(form.NoticesLink->text()).toPlainText(), U("Сторонние компоненты"));
    EXPECT_EQ(opened, (std::vector<std::string>{c.licenceStart, "Third-party software and data in Tellurin"}));
  }
}

TEST(AboutWindow, LogoIsDrawn) {
  AboutWindow form;
  const QImage logo = form.LogoImage->pixmap().toImage();
  ASSERT_FALSE(logo.isNull());
  int opaque = 0;
  for (int y = 0; y < logo.height(); ++y)
    for (int x = 0; x < logo.width(); ++x) opaque += qAlpha(logo.pixel(x, y)) > 0;
  EXPECT_GT(opaque, logo.width() * logo.height() / 4);
}

TEST(AboutWindow, IsModalAndEscapeDoesNotCloseIt) {
  AboutWindow form;
  bool stillOpenAfterEscape = false;
  bool focusOnButton = false;
  bool modal = false;
  QTimer::singleShot(0, &form, [&] {
    modal = form.isModal() && QApplication::activeModalWidget() == &form;
    focusOnButton = form.CloseButton->hasFocus() || QApplication::focusWidget() == form.CloseButton ||
                    form.focusWidget() == form.CloseButton;
    QTest::keyClick(form.focusWidget() ? form.focusWidget() : static_cast<QWidget*>(&form), Qt::Key_Escape);
    QTest::keyClick(&form, Qt::Key_Escape);
    stillOpenAfterEscape = form.isVisible();
    QTest::mouseClick(form.CloseButton, Qt::LeftButton);
  });
  QTimer::singleShot(3000, &form, [&] { form.done(-1); });  // never hang the suite
  const int result = form.exec();
  EXPECT_TRUE(modal);
  EXPECT_TRUE(focusOnButton);
  EXPECT_TRUE(stillOpenAfterEscape);
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_FALSE(form.isVisible());
}

TEST(AboutWindow, EnterOnTheButtonClosesIt) {
  AboutWindow form;
  QTimer::singleShot(0, &form, [&] { QTest::keyClick(form.CloseButton, Qt::Key_Return); });
  QTimer::singleShot(3000, &form, [&] { form.done(-1); });
  EXPECT_EQ(form.exec(), QDialog::Accepted);
}

}  // namespace
