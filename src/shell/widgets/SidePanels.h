#pragma once
// The side panels of the map window: the list search (left), the routes
// (left, in place of the list search), the firm information and the firm
// search (right).  They only hold controls; TForm2 connects them to its
// handlers and fills them from the map state.
#include <QFrame>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class QToolButton;

// PanelSearch, 210 pixels wide at first start; its splitter widens it.
class ListSearchPanel : public QFrame {
 public:
  explicit ListSearchPanel(QWidget* parent);
  QToolButton* SpeedButton5;
  QLineEdit* Edit1;
  QToolButton* SpeedButton4;
  QLabel* similarHeading;  // over the list while it holds suggestions only
  QTableView* SearchListView;
  QLabel* Label1;
  QLabel* Label2;
};

// FirmSearchPanel, 220 pixels wide at first start; its splitter widens it.
class FirmSearchPanel : public QFrame {
 public:
  explicit FirmSearchPanel(QWidget* parent);
  QToolButton* SpeedButton16;
  QLineEdit* Edit2;
  QToolButton* SpeedButton8;
  QLabel* Label4;
  QCheckBox* CheckBox1;
  QCheckBox* CheckBox2;
  QCheckBox* CheckBox3;
  QLabel* similarHeading;  // over the list while it holds suggestions only
  QTableView* SearchFirmListView;
  QCheckBox* CheckBox4;
  QLabel* Label6;
  QLabel* Label5;
};

// InfoPanel, 220 pixels wide at first start; its splitter widens it.
class InfoPanelWidget : public QFrame {
 public:
  explicit InfoPanelWidget(QWidget* parent);
  QLabel* InfoImage;
  QToolButton* SpeedButton3;
  QLabel* ObjNameLabel;
  QLabel* ObjAdressLabel;
  QToolButton* FirmPic[3];
  QPlainTextEdit* Memo1;

  // Enables picture button k (0..2); while a firm is shown, a greyed button's
  // hint says that the firm has no such picture.
  void OfferFirmPicture(int k, bool present, bool firmShown);
};

// PanelPath, 210 pixels wide at first start; its splitter widens it.
class RoutesPanel : public QFrame {
 public:
  explicit RoutesPanel(QWidget* parent);
  QToolButton* SpeedButton7;
  QTableView* ListOfPath2;
};
