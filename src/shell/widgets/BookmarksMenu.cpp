#include "shell/widgets/BookmarksMenu.h"

#include <QAction>
#include <QMenu>

#include "shell/widgets/WidgetKit.h"

namespace {

QMenu* NamedSubmenu(QWidget* owner, const char* name, const char* caption) {
  auto* menu = new QMenu(Ui(caption), owner);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(QString(name) + "Item");
  return menu;
}

// A bookmark's name as a menu item's text: "&" is a mnemonic there.
QString ItemText(const Bookmark& b) { return QString::fromStdString(b.Name).replace('&', QStringLiteral("&&")); }

}  // namespace

BookmarksMenu::BookmarksMenu(QWidget* owner) : QObject(owner) {
  menu_ = NamedSubmenu(owner, "BookmarksMenu", "Закладки");
  AddItem = menu_->addAction(Ui("Добавить закладку…"), this, [this] {
    if (OnAdd) OnAdd();
  });
  AddItem->setObjectName("AddBookmarkItem");
  AddItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  menu_->addSeparator();
  NoBookmarksItem = menu_->addAction(Ui("Нет закладок"));
  NoBookmarksItem->setObjectName("NoBookmarksItem");
  NoBookmarksItem->setEnabled(false);
  listEnd_ = menu_->addSeparator();
  RenameMenu = NamedSubmenu(owner, "RenameBookmarkMenu", "Переименовать");
  DeleteMenu = NamedSubmenu(owner, "DeleteBookmarkMenu", "Удалить");
  menu_->addMenu(RenameMenu);
  menu_->addMenu(DeleteMenu);
  Show({});
}

void BookmarksMenu::Clear() {
  for (QAction* item : listItems_) delete item;
  listItems_.clear();
  RenameMenu->clear();
  DeleteMenu->clear();
}

void BookmarksMenu::Show(const std::vector<Bookmark>& list) {
  Clear();
  for (size_t i = 0; i < list.size(); ++i) {
    auto* item = new QAction(ItemText(list[i]), menu_);
    connect(item, &QAction::triggered, this, [this, i] {
      if (OnChoose) OnChoose(i);
    });
    menu_->insertAction(listEnd_, item);
    listItems_.push_back(item);
    RenameMenu->addAction(ItemText(list[i]), this, [this, i] {
      if (OnRename) OnRename(i);
    });
    DeleteMenu->addAction(ItemText(list[i]), this, [this, i] {
      if (OnDelete) OnDelete(i);
    });
  }
  NoBookmarksItem->setVisible(list.empty());
  RenameMenu->menuAction()->setEnabled(!list.empty());
  DeleteMenu->menuAction()->setEnabled(!list.empty());
}
