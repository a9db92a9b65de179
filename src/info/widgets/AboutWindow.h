#pragma once
// The about window: product label, version, developer and contact lines, a line
// of thanks and the release month.  Modal; only its button (or the title-bar
// close box) closes it — Escape does not.
#include <QDialog>

#include <filesystem>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QFrame;

class AboutWindow : public QDialog {
  Q_OBJECT
 public:
  explicit AboutWindow(QWidget* parent = nullptr);

  QLabel* LogoImage = nullptr;
  QLabel* ThanksCaption = nullptr;
  QLabel* ProductLabel = nullptr;
  QLabel* VersionLabel = nullptr;
  QLabel* DeveloperCaption = nullptr;
  QLabel* DeveloperLabel = nullptr;
  QLabel* ReleaseLabel = nullptr;
  QLineEdit* DeveloperMailField = nullptr;
  QLineEdit* ThanksField = nullptr;
  QLineEdit* SiteField = nullptr;
  QLineEdit* ContactMailField = nullptr;
  QFrame* LowerRule = nullptr;
  QFrame* UpperRule = nullptr;
  QPushButton* CloseButton = nullptr;
  // «Лицензия» and «Сторонние компоненты»: open our licence and the third
  // parties' notices as installed with the program; hidden where not found.
  QLabel* LicenceLink = nullptr;
  QLabel* NoticesLink = nullptr;

  // Opens a file in the desktop's program for it; unset, QDesktopServices does.
  std::function<void(const std::filesystem::path&)> OpenFile;
  // Points the two links at the files installed with the program in
  // `programDir` (the constructor: the running program's folder).
  void LinkLegalFiles(const std::filesystem::path& programDir);

  // The product logo: the bundled resource when present, otherwise drawn.
  static QPixmap Logo();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void LinkToFile(QLabel* link, const QString& caption, const std::filesystem::path& file);
};
