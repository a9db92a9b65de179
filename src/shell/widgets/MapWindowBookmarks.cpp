// The «Закладки» menu's handlers: a bookmark keeps the view as a remembered
// view is kept (the map point in the middle of the visible map and the scale),
// comes back as one does, and every change is written to the settings at once.
#include <QAction>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenuBar>

#include "interaction/ViewMoves.h"
#include "render/ViewTransform.h"
#include "shell/OfferedBookmarkName.h"
#include "shell/RememberedState.h"
#include "shell/widgets/BookmarksMenu.h"
#include "shell/widgets/HandlerGuard.h"
#include "shell/widgets/MapWindow.h"
#include "shell/widgets/WidgetKit.h"
#include "render/VisibleMiddle.h"

namespace {

const char* const kNameCaption = "Название закладки:";

}  // namespace

void MapWindow::BuildBookmarksMenu(QMenuBar* bar) {
  bookmarksMenu_ = new BookmarksMenu(this);
  bar->addMenu(bookmarksMenu_->Menu());
  bookmarksMenu_->OnAdd = [this] { OnAddBookmarkClicked(); };
  bookmarksMenu_->OnChoose = [this](size_t i) { ChooseBookmark(i); };
  bookmarksMenu_->OnRename = [this](size_t i) { OnRenameBookmarkClicked(i); };
  bookmarksMenu_->OnDelete = [this](size_t i) { OnDeleteBookmarkClicked(i); };
}

std::vector<Bookmark>& MapWindow::CityBookmarkList() { return remembered_.Bookmarks[core_.CurrentCity]; }

void MapWindow::ShowCityBookmarks() {
  const auto found = remembered_.Bookmarks.find(core_.CurrentCity);
  bookmarksMenu_->Show(found == remembered_.Bookmarks.end() ? std::vector<Bookmark>{} : found->second);
}

// The menu follows the list, and the settings file has it at once: a run that
// ends without leaving the window properly keeps it too.
void MapWindow::BookmarksChanged() {
  if (const auto found = remembered_.Bookmarks.find(core_.CurrentCity);
      found != remembered_.Bookmarks.end() && found->second.empty())
    remembered_.Bookmarks.erase(found);
  ShowCityBookmarks();
  if (settings_) WriteViewerSettings(*settings_, remembered_);
}

std::optional<QString> MapWindow::AskBookmarkNameDialog(const QString& title, const QString& offered) {
  QInputDialog dialog(this);
  dialog.setWindowTitle(title);
  dialog.setLabelText(Ui(kNameCaption));
  dialog.setTextValue(offered);
  // Wide enough for the title and an address; the name itself may run on.
  if (auto* field = dialog.findChild<QLineEdit*>())
    field->setMinimumWidth(dialog.fontMetrics().horizontalAdvance(title) + 160);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

std::optional<QString> MapWindow::AskName(const QString& title, const QString& offered) {
  return AskBookmarkName ? AskBookmarkName(title, offered) : AskBookmarkNameDialog(title, offered);
}

void MapWindow::OnAddBookmarkClicked() {
  if (core_.CurrentCity.empty()) return;
  const QPoint middle = VisibleMapCentre(VisibleMapRect());
  const HitPoint at = WindowToHit(core_.View, middle.x(), middle.y());
  QString offered;
  RunGuarded(Ui("Добавить закладку"), [&] { offered = OfferedBookmarkName(core_, at, CityBookmarkList().size()); },
             [this](const std::string& message) { ShowFailure(message); });
  const std::optional<QString> name = AskName(Ui("Добавить закладку"), offered);
  if (!name) return;
  const MapPoint centre = VisibleMiddlePoint();
  if (AddBookmark(CityBookmarkList(), Bookmark{name->toStdString(), centre.X, centre.Y, core_.View.Scale}))
    BookmarksChanged();
}

bool MapWindow::ShowView(const CityView& view) {
  bool shown = false;
  RunGuarded(Ui("Показать место"), [&] {
    shown = RestoreCityView(core_, view, ZoomFloor(core_, VisibleMapRect()));
    if (shown) CentreViewInVisibleMap();
  }, [this](const std::string& message) { ShowFailure(message); });
  SyncFromCore();
  return shown;
}

void MapWindow::ChooseBookmark(size_t index) {
  const std::vector<Bookmark>& list = CityBookmarkList();
  if (index >= list.size()) return;
  const Bookmark& b = list[index];
  if (!ShowView(CityView{b.CenterX, b.CenterY, b.Scale, core_.Flags.ObjectFilter}))
    ShowMessage("Закладка «" + b.Name + "» лежит за пределами карты города.");
}

void MapWindow::OnRenameBookmarkClicked(size_t index) {
  if (index >= CityBookmarkList().size()) return;
  const std::optional<QString> name =
      AskName(Ui("Переименовать закладку"), QString::fromStdString(CityBookmarkList()[index].Name));
  if (name && RenameBookmark(CityBookmarkList(), index, *name)) BookmarksChanged();
}

void MapWindow::OnDeleteBookmarkClicked(size_t index) {
  if (DeleteBookmark(CityBookmarkList(), index)) BookmarksChanged();
}
