// Mirrors the map state into the map window's controls.  Signals are blocked
// while a control is set, so that no handler runs again; lists are refilled
// from their table only when it changed.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

#include "shell/widgets/KeywordCompleter.h"
#include "shell/widgets/SidePanels.h"
#include "shell/widgets/MapWindow.h"
#include "shell/widgets/WidgetKit.h"

namespace {

void SetChecked(QAbstractButton* button, bool down) {
  const QSignalBlocker block(button);
  button->setChecked(down);
}

void SetChecked(QAction* item, bool checked) {
  const QSignalBlocker block(item);
  item->setChecked(checked);
}

// A status panel is as wide as the state says (8 pixels a character) or, where
// its font needs more, as wide as its text needs: the text, the frame, and the
// indent of one 'x' that a framed label keeps before its text.  An empty panel
// keeps the state's width.
int StatusPanelWidth(const QLabel* panel, int stateWidth) {
  if (panel->text().isEmpty()) return stateWidth;
  const QFontMetrics metrics(panel->font());
  const QMargins frame = panel->contentsMargins();
  const int needed = metrics.horizontalAdvance(panel->text()) + metrics.horizontalAdvance(QLatin1Char('x')) +
                     frame.left() + frame.right() + 2 * panel->margin();
  return std::max(stateWidth, needed);
}

}  // namespace

void MapWindow::SyncFromCore() {
  setWindowTitle(FromCp(core_.Caption));
  SyncToolBar();
  SyncMenus();
  SyncPanels();
  SyncLists();
  SyncInfoPanel();
  SyncStatusBar();
  SyncObjectComboBox();
  SyncKeywords();
  SyncHintTimer();
  SyncRouteToSelectionItem();
}

// HintTimer runs while the state says so; a running timer is not restarted.
void MapWindow::SyncHintTimer() {
  if (core_.Interaction.HintTimerEnabled && !HintTimer->isActive()) HintTimer->start();
  if (!core_.Interaction.HintTimerEnabled && HintTimer->isActive()) HintTimer->stop();
}

void MapWindow::SyncToolBar() {
  SetChecked(LabelsButton, core_.Flags.Shown(DrawCode::Label));
  SetChecked(ObjectsButton, core_.Flags.Shown(DrawCode::Object));
  SetChecked(ListPanelButton, core_.Ui.PanelSearchVisible);
  SetChecked(FirmPanelButton, core_.Ui.FirmSearchPanelVisible);
  {
    const QSignalBlocker block(ZoomSlider);
    ZoomSlider->setValue(core_.Ui.ZoomSliderPosition);
  }
  // Every write of the zoom text (every redraw) replaces what the user typed,
  // even when the percentage is the same; other handlers leave the field alone.
  if (core_.Ui.ZoomEditWrites != shownZoomWrites_) {
    ZoomEdit->setText(FromCp(core_.Ui.ZoomEditText));
    shownZoomWrites_ = core_.Ui.ZoomEditWrites;
  }
  SetChecked(FirmSearch->ByNameBox, core_.Search.SearchFirmNames);
  SetChecked(FirmSearch->ByAddressBox, core_.Search.SearchFirmAddresses);
  SetChecked(FirmSearch->ByKeywordBox, core_.Search.SearchFirmKeywords);
  SetChecked(FirmSearch->ShowFoundBox, core_.Flags.Shown(DrawCode::Firm));
}

void MapWindow::SyncMenus() {
  SetChecked(MenuItem("N7"), core_.Flags.Shown(DrawCode::Label));
  SetChecked(MenuItem("N6"), core_.Flags.Shown(DrawCode::Object));
  SetChecked(MenuItem("AllIconsItem"), core_.Flags.AllIcons);
  SetChecked(MenuItem("ScaleBarItem"), core_.Ui.ShowScaleBar);
  MenuItem("ScaleBarItem")->setEnabled(core_.Geo.has_value());
  MenuItem("ScaleBarItem")->setToolTip(core_.Geo ? QString() : Ui(kNeedsGeoReferenceHint));
  SetChecked(MenuItem("N5"), core_.Interaction.ClickSelect);
  SetChecked(MenuItem("N8"), core_.Ui.ZoomOnSelect);
  SetChecked(MenuItem("N10"), core_.Ui.ShowFirmInfo);
  SetChecked(MenuItem("N15"), core_.Ui.PanelSearchVisible);
  SetChecked(MenuItem("N16"), core_.Ui.FirmSearchPanelVisible);
  SetChecked(MenuItem("N17"), core_.Ui.PanelPathVisible);
  SetChecked(MenuItem("N18"), core_.Flags.Shown(DrawCode::Route));
}

void MapWindow::SyncPanels() {
  PanelSearch->setVisible(core_.Ui.PanelSearchVisible);
  PanelPath->setVisible(core_.Ui.PanelPathVisible);
  PanelLeft->setVisible(core_.Ui.PanelSearchVisible || core_.Ui.PanelPathVisible);
  InfoPanel->setVisible(core_.Info.Visible);
  FirmSearch->setVisible(core_.Ui.FirmSearchPanelVisible);
  PanelRight->setVisible(core_.Info.Visible || core_.Ui.FirmSearchPanelVisible);
  FitPanelsToMap();
}

void MapWindow::SyncSearchFields() {
  // The fields show what their lists hold: a firm search run from the keyword
  // list, or a new city's full street list, writes its key into the field.
  if (core_.Search.ListKey != shownListKey_) {
    PanelSearch->KeyField->setText(FromCp(core_.Search.ListKey));
    shownListKey_ = core_.Search.ListKey;
  }
  if (core_.Search.FirmKey != shownFirmKey_) {
    FirmSearch->KeyField->setText(FromCp(core_.Search.FirmKey));
    shownFirmKey_ = core_.Search.FirmKey;
  }
}

void MapWindow::SyncLists() {
  SyncSearchFields();
  ShowTable(PanelSearch->SearchListView, core_.Search.SearchListView);
  PanelSearch->CountLabel->setText(FromCp(core_.Search.ListCountText));
  PanelSearch->similarHeading->setVisible(core_.Search.ListSimilar > 0);
  PanelSearch->keyCutNote->setVisible(core_.Search.ListKeyCut);
  ShowTable(FirmSearch->SearchFirmListView, core_.Search.SearchFirmListView);
  FirmSearch->CountLabel->setText(FromCp(core_.Search.FirmCountText));
  FirmSearch->similarHeading->setVisible(core_.Search.FirmSimilar > 0);
  FirmSearch->keyCutNote->setVisible(core_.Search.FirmKeyCut);
  ShowTable(PanelPath->ListOfPath2, core_.Tables.ListOfPath2);
}

void MapWindow::SyncInfoPanel() {
  const InfoPanelState& info = core_.Info;
  InfoPanel->ObjNameLabel->setText(FromCp(info.ObjNameLabel));
  InfoPanel->ObjAdressLabel->setText(FromCp(info.ObjAdressLabel));
  for (int k = 0; k < 3; ++k)
    InfoPanel->OfferFirmPicture(k, info.FirmPicEnabled[k], core_.Selection.FirmSelected);
  if (info.FirmTextLines != shownMemo_) {
    QStringList lines;
    for (const std::string& line : info.FirmTextLines) lines << FromCp(line);
    InfoPanel->FirmText->setPlainText(lines.join('\n'));
    shownMemo_ = info.FirmTextLines;
  }
  if (info.InfoImage.cacheKey() != shownInfoImageKey_) {
    InfoPanel->InfoImage->setPixmap(QPixmap::fromImage(info.InfoImage));
    shownInfoImageKey_ = info.InfoImage.cacheKey();
  }
  InfoPanel->InfoImage->setVisible(info.InfoImageVisible);
}

void MapWindow::SyncStatusBar() {
  const std::string* texts[3] = {&core_.Selection.StatusText0, &core_.Selection.StatusText1,
                                 &core_.Selection.StatusText2};
  const int widths[3] = {core_.Selection.StatusWidth0, core_.Selection.StatusWidth1, core_.Selection.StatusWidth2};
  for (int i = 0; i < 3; ++i) {
    StatusPanel[i]->setText(FromCp(*texts[i]));
    StatusPanel[i]->setFixedWidth(StatusPanelWidth(StatusPanel[i], widths[i]));
  }
  MeasurePanel->setText(QString::fromStdString(core_.Measure.StatusText));
  MeasurePanel->setVisible(!core_.Measure.StatusText.empty());
}

void MapWindow::SyncObjectComboBox() {
  const CityTables& t = core_.Tables;
  std::vector<std::pair<std::string, int>> kinds;
  for (const ObjectKindEntry& e : t.ObjectComboBox) kinds.emplace_back(e.Caption, e.ImageIndex);
  const bool rebuild = kinds != shownObjectKinds_ || shownObjectGeneration_ != loadGeneration_;
  const QSignalBlocker block(ObjectComboBox);
  if (rebuild) {
    ObjectComboBox->clear();
    for (const ObjectKindEntry& e : t.ObjectComboBox) {
      const bool hasIcon = e.ImageIndex >= 0 && e.ImageIndex < static_cast<int>(t.ImageListObject.size());
      const QIcon icon = hasIcon ? QIcon(QPixmap::fromImage(t.ImageListObject[e.ImageIndex])) : QIcon();
      ObjectComboBox->addItem(icon, FromCp(e.Caption));
    }
    shownObjectKinds_ = std::move(kinds);
    shownObjectGeneration_ = loadGeneration_;
  }
  // The chooser's text: the entry bearing it, or none.
  if (rebuild || core_.Ui.ObjectComboBoxText != shownObjectText_) {
    ObjectComboBox->setCurrentIndex(ObjectComboBox->findText(FromCp(core_.Ui.ObjectComboBoxText)));
    shownObjectText_ = core_.Ui.ObjectComboBoxText;
  }
}

void MapWindow::SyncKeywords() {
  if (core_.Search.Keywords == shownKeywords_) return;
  const QSignalBlocker block(KeywordBox);
  const QString typed = KeywordBox->currentText();
  KeywordBox->clear();
  for (const std::string& word : core_.Search.Keywords) {
    KeywordBox->addItem(FromCp(word));
    KeywordCompleter::FoldItem(KeywordBox, KeywordBox->count() - 1);
  }
  KeywordBox->setEditText(typed);
  shownKeywords_ = core_.Search.Keywords;
}
