#pragma once
#include <QCompleter>

class QComboBox;

// Completes the keyword list's field from its words with ё read as е and
// letter case ignored, both ways: "еж" offers "ёжик", "ёлка" offers "елка".
// The words are shown as written.
class KeywordCompleter : public QCompleter {
 public:
  explicit KeywordCompleter(QComboBox* keywords);

  // The role in the list's items that holds the folded word.
  static constexpr int kFoldedRole = Qt::UserRole + 1;
  // Sets an item's folded word: call for every item added.
  static void FoldItem(QComboBox* keywords, int index);

  QStringList splitPath(const QString& path) const override;
  QString pathFromIndex(const QModelIndex& index) const override;
};
