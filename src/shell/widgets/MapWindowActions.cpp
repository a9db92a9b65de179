// The map window's menu actions.  Each action's facts stand in one entry of
// the table: the member that holds it, its object name, caption and shortcut,
// the handler it runs and the state its tick and its greying follow.  The
// actions are made, connected and kept in step from the table alone; the
// menus (MapWindow.cpp) only place them.
#include <QAction>
#include <QKeySequence>
#include <QSignalBlocker>

#include <vector>

#include "render/DrawCode.h"
#include "shell/widgets/BookmarksMenu.h"
#include "shell/widgets/HandlerGuard.h"
#include "shell/widgets/MapWindow.h"
#include "shell/widgets/WidgetKit.h"

struct MapWindow::ActionEntry {
  QAction* MapWindow::*member;
  const char* objectName;
  const char* caption;
  void (*onTriggered)(MapWindow& window, bool checked);
  // A ticked action's tick follows this state; null for a command.
  bool (*checkedIn)(const MapCore& core) = nullptr;
  // Greys the action and sets its hint as the state says; null: always enabled.
  void (*keepInStep)(MapWindow& window, QAction& action) = nullptr;
  QKeySequence shortcut = {};
  Qt::ShortcutContext shortcutContext = Qt::WindowShortcut;
  // Runs without the handler guard: the program is ending, and nothing of the
  // window may be touched after.
  bool unguarded = false;
};

const std::vector<MapWindow::ActionEntry>& MapWindow::ActionTable() {
  static const std::vector<ActionEntry> table = {
      {.member = &MapWindow::mainMenuAction,
       .objectName = "N19",
       .caption = "Главное меню",
       .onTriggered = [](MapWindow& w, bool) { w.OnMainMenuClicked(); }},
      {.member = &MapWindow::addCityAction,
       .objectName = "AddCityItem",
       .caption = "Добавить город из OpenStreetMap…",
       .onTriggered = [](MapWindow& w, bool) { w.OnAddCityClicked(); }},
      {.member = &MapWindow::saveImageAction,
       .objectName = "SaveImageItem",
       .caption = "Сохранить изображение…",
       .onTriggered = [](MapWindow& w, bool) { w.OnSaveImageClicked(); },
       .shortcut = QKeySequence::Save},
      {.member = &MapWindow::printAction,
       .objectName = "PrintItem",
       .caption = "Печать…",
       .onTriggered = [](MapWindow& w, bool) { w.OnPrintClicked(); },
       .shortcut = QKeySequence::Print},
      {.member = &MapWindow::savePdfAction,
       .objectName = "SavePdfItem",
       .caption = "Сохранить в PDF…",
       .onTriggered = [](MapWindow& w, bool) { w.OnSavePdfClicked(); }},
      {.member = &MapWindow::exitAction,
       .objectName = "N2",
       .caption = "Выход",
       .onTriggered = [](MapWindow& w, bool) { w.OnExitClicked(); },
       .unguarded = true},
      {.member = &MapWindow::showObjectsAction,
       .objectName = "N6",
       .caption = "Отобразить",
       .onTriggered = [](MapWindow& w, bool c) { w.OnShowObjectsItemToggled(c); },
       .checkedIn = [](const MapCore& core) { return core.Flags.Shown(DrawCode::Object); }},
      {.member = &MapWindow::clickSelectAction,
       .objectName = "N5",
       .caption = "Выделение щелчком",
       .onTriggered = [](MapWindow& w, bool c) { w.OnClickSelectItemToggled(c); },
       .checkedIn = [](const MapCore& core) { return core.Interaction.ClickSelect; }},
      {.member = &MapWindow::zoomOnSelectAction,
       .objectName = "N8",
       .caption = "Зумировать при выделении",
       .onTriggered = [](MapWindow& w, bool c) { w.OnZoomOnSelectItemToggled(c); },
       .checkedIn = [](const MapCore& core) { return core.Ui.ZoomOnSelect; }},
      {.member = &MapWindow::showFirmInfoAction,
       .objectName = "N10",
       .caption = "Показывать информацию",
       .onTriggered = [](MapWindow& w, bool c) { w.OnShowFirmInfoItemToggled(c); },
       .checkedIn = [](const MapCore& core) { return core.Ui.ShowFirmInfo; }},
      {.member = &MapWindow::labelsAction,
       .objectName = "N7",
       .caption = "Текст",
       .onTriggered = [](MapWindow& w, bool c) { w.OnTextItemToggled(c); },
       .checkedIn = [](const MapCore& core) { return core.Flags.Shown(DrawCode::Label); }},
      {.member = &MapWindow::allIconsAction,
       .objectName = "AllIconsItem",
       .caption = "Все значки",
       .onTriggered = [](MapWindow& w, bool c) { w.OnAllIconsItemToggled(c); },
       .checkedIn = [](const MapCore& core) { return core.Flags.AllIcons; }},
      {.member = &MapWindow::scaleBarAction,
       .objectName = "ScaleBarItem",
       .caption = "Масштабная линейка",
       .onTriggered = [](MapWindow& w, bool c) { w.OnScaleBarItemToggled(c); },
       .checkedIn = [](const MapCore& core) { return core.Ui.ShowScaleBar; },
       .keepInStep =
           [](MapWindow& w, QAction& action) {
             action.setEnabled(w.core_.Geo.has_value());
             action.setToolTip(w.core_.Geo ? QString() : Ui(kNeedsGeoReferenceHint));
           }},
      {.member = &MapWindow::routesPanelAction,
       .objectName = "N17",
       .caption = "Показать панель",
       .onTriggered = [](MapWindow& w, bool c) { w.OnRoutesItemToggled(c); },
       .checkedIn = [](const MapCore& core) { return core.Ui.PanelPathVisible; }},
      {.member = &MapWindow::allRoutesAction,
       .objectName = "N18",
       .caption = "Рисовать все маршруты",
       .onTriggered = [](MapWindow& w, bool c) { w.OnAllRoutesItemToggled(c); },
       .checkedIn = [](const MapCore& core) { return core.Flags.Shown(DrawCode::Route); }},
      {.member = &MapWindow::listSearchAction,
       .objectName = "N15",
       .caption = "Поиск по списку",
       .onTriggered = [](MapWindow& w, bool c) { w.OnListSearchItemToggled(c); },
       .checkedIn = [](const MapCore& core) { return core.Ui.PanelSearchVisible; }},
      {.member = &MapWindow::firmSearchAction,
       .objectName = "N16",
       .caption = "Поиск по фирмам",
       .onTriggered = [](MapWindow& w, bool c) { w.OnFirmSearchItemToggled(c); },
       .checkedIn = [](const MapCore& core) { return core.Ui.FirmSearchPanelVisible; }},
      // Home acts on the map area (OnMapKeyPressed); the menu only shows the key.
      {.member = &MapWindow::wholeCityAction,
       .objectName = "WholeCityItem",
       .caption = "Весь город",
       .onTriggered = [](MapWindow& w, bool) { w.OnWholeCityClicked(); },
       .shortcut = QKeySequence(Qt::Key_Home),
       .shortcutContext = Qt::WidgetShortcut},
      {.member = &MapWindow::routeToSelectionAction,
       .objectName = "RouteToSelectionItem",
       .caption = "Как добраться",
       .onTriggered = [](MapWindow& w, bool) { w.OnRouteToSelectionClicked(); },
       .keepInStep = [](MapWindow& w, QAction& action) { w.SyncRouteToSelectionItem(action); }},
      {.member = &MapWindow::helpAction,
       .objectName = "N22",
       .caption = "Помощь",
       .onTriggered = [](MapWindow& w, bool) { w.OnHelpClicked(); }},
      {.member = &MapWindow::aboutAction,
       .objectName = "N21",
       .caption = "О программе...",
       .onTriggered = [](MapWindow& w, bool) { w.OnAboutClicked(); }},
  };
  return table;
}

void MapWindow::CreateActions() {
  for (const ActionEntry& entry : ActionTable()) {
    auto* action = new QAction(Ui(entry.caption), this);
    action->setObjectName(entry.objectName);
    action->setCheckable(entry.checkedIn != nullptr);
    action->setShortcut(entry.shortcut);
    action->setShortcutContext(entry.shortcutContext);
    this->*entry.member = action;
    // A handler runs guarded, named after the action, and is followed by the
    // mirror of the state into the controls.
    const auto run = entry.onTriggered;
    if (entry.unguarded)
      connect(action, &QAction::triggered, this, [this, run](bool checked) { run(*this, checked); });
    else
      connect(action, &QAction::triggered, this, [this, run, action](bool checked) {
        RunCommand(ActionName(action), [this, run, checked] { run(*this, checked); });
      });
  }
}

void MapWindow::SyncActions() {
  for (const ActionEntry& entry : ActionTable()) {
    QAction* action = this->*entry.member;
    if (entry.checkedIn) {
      const QSignalBlocker block(action);
      action->setChecked(entry.checkedIn(core_));
    }
    if (entry.keepInStep) entry.keepInStep(*this, *action);
  }
}

QAction* MapWindow::MenuItem(const char* name) const {
  for (const ActionEntry& entry : ActionTable())
    if (this->*entry.member && (this->*entry.member)->objectName() == QLatin1String(name)) return this->*entry.member;
  if (bookmarksMenu_ && bookmarksMenu_->AddItem->objectName() == QLatin1String(name)) return bookmarksMenu_->AddItem;
  return nullptr;
}
