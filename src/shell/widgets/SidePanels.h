#pragma once
// The side panels of the map window: the list search (left), the routes
// (left, in place of the list search), the firm information and the firm
// search (right).  They only hold controls; MapWindow connects them to its
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
  QToolButton* CloseButton;
  QLineEdit* KeyField;
  QToolButton* SearchButton;
  QLabel* similarHeading;  // over the list while it holds suggestions only
  QLabel* keyCutNote;      // under the field while only the key's first words were searched for
  QTableView* SearchListView;
  QLabel* CountCaption;
  QLabel* CountLabel;
};

// FirmSearchPanel, 220 pixels wide at first start; its splitter widens it.
class FirmSearchPanel : public QFrame {
 public:
  explicit FirmSearchPanel(QWidget* parent);
  QToolButton* CloseButton;
  QLineEdit* KeyField;
  QToolButton* SearchButton;
  QLabel* SearchByCaption;
  QCheckBox* ByNameBox;
  QCheckBox* ByAddressBox;
  QCheckBox* ByKeywordBox;
  QLabel* similarHeading;  // over the list while it holds suggestions only
  QLabel* keyCutNote;      // under the field while only the key's first words were searched for
  QTableView* SearchFirmListView;
  QCheckBox* ShowFoundBox;
  QLabel* CountCaption;
  QLabel* CountLabel;
};

// InfoPanel, 220 pixels wide at first start; its splitter widens it.
class InfoPanelWidget : public QFrame {
 public:
  explicit InfoPanelWidget(QWidget* parent);
  QLabel* InfoImage;
  QToolButton* CloseButton;
  QLabel* ObjNameLabel;
  QLabel* ObjAdressLabel;
  QToolButton* FirmPic[3];
  QPlainTextEdit* FirmText;

  // Enables picture button k (0..2); while a firm is shown, a greyed button's
  // hint says that the firm has no such picture.
  void OfferFirmPicture(int k, bool present, bool firmShown);
};

// PanelPath, 210 pixels wide at first start; its splitter widens it.
class RoutesPanel : public QFrame {
 public:
  explicit RoutesPanel(QWidget* parent);
  QToolButton* CloseButton;
  QTableView* ListOfPath2;
};
