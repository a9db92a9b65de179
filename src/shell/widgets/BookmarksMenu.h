#pragma once
// The «Закладки» menu of the map window: «Добавить закладку…» (Ctrl+D), the
// city's bookmarks (choosing one shows its view), and «Переименовать» and
// «Удалить», each listing the bookmarks again.  It only shows the list and
// says what was chosen; the map window keeps the list (shell/Bookmarks.h).
#include <QObject>

#include <cstddef>
#include <functional>
#include <vector>

#include "shell/Bookmarks.h"

class QAction;
class QMenu;
class QWidget;

class BookmarksMenu : public QObject {
 public:
  explicit BookmarksMenu(QWidget* owner);

  QMenu* Menu() const { return menu_; }
  QAction* AddItem = nullptr;
  QAction* NoBookmarksItem = nullptr;  // «Нет закладок», greyed, while the list is empty
  QMenu* RenameMenu = nullptr;
  QMenu* DeleteMenu = nullptr;

  std::function<void()> OnAdd;
  std::function<void(size_t index)> OnChoose;
  std::function<void(size_t index)> OnRename;
  std::function<void(size_t index)> OnDelete;

  // Lists the bookmarks, in their order, in the menu and both submenus.
  void Show(const std::vector<Bookmark>& list);
  // The bookmarks' items of the menu itself, in their order.
  const std::vector<QAction*>& ListItems() const { return listItems_; }

 private:
  void Clear();

  QMenu* menu_;
  QAction* listEnd_;  // the separator before «Переименовать»
  std::vector<QAction*> listItems_;
};
