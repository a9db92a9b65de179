#include "shell/widgets/KeywordCompleter.h"

#include <QComboBox>

#include "search/FoldedText.h"
#include "shell/widgets/WidgetKit.h"

namespace {

QString FoldedWord(const QString& text) { return FromCp(Folded(ToCp(text))); }

}  // namespace

KeywordCompleter::KeywordCompleter(QComboBox* keywords) : QCompleter(keywords->model(), keywords) {
  setCompletionRole(kFoldedRole);
  setCompletionMode(QCompleter::PopupCompletion);
  setCaseSensitivity(Qt::CaseSensitive);  // both sides are folded
  setMaxVisibleItems(keywords->maxVisibleItems());
}

void KeywordCompleter::FoldItem(QComboBox* keywords, int index) {
  keywords->setItemData(index, FoldedWord(keywords->itemText(index)), kFoldedRole);
}

QStringList KeywordCompleter::splitPath(const QString& path) const { return {FoldedWord(path)}; }

QString KeywordCompleter::pathFromIndex(const QModelIndex& index) const {
  return index.data(Qt::DisplayRole).toString();
}
