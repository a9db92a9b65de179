#pragma once
// The about window: product label, version, developer and contact lines, a line
// of thanks and the release month.  Modal; only its button (or the title-bar
// close box) closes it — Escape does not.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QFrame;

class TForm4 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm4(QWidget* parent = nullptr);

  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QLineEdit* Edit4 = nullptr;
  QFrame* Panel1 = nullptr;
  QFrame* Panel2 = nullptr;
  QPushButton* Button1 = nullptr;

  // The product logo: the bundled resource when present, otherwise drawn.
  static QPixmap Logo();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
};
