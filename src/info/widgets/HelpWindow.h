#pragma once
// The help window: a tree of topics on the left, one topic panel at a time on
// the right, following the current node (the first topic when it first opens).
// All content is fixed; the window can be made larger, its texts reflowing.
// Modal; Escape closes it from the window, the tree and every topic text.  Only hidden when closed, so the last topic
// and the state of the tree stay for the next opening.
#include <QDialog>

#include <map>
#include <vector>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  QFrame* TreeFrame = nullptr;
  QTreeWidget* TopicTree = nullptr;

  // Shows the topic of the current node; a group shows its first topic.
  void ShowSelectedTopic();

  // The node at an absolute index (depth-first over the whole tree).
  QTreeWidgetItem* Node(int index) const;
  int NodeCount() const { return static_cast<int>(nodes_.size()); }
  // PanN for a node index that has a panel (a topic), else nullptr.
  QFrame* Pan(int index) const;
  // The topic text of PanN (nullptr for nodes without a panel).
  QPlainTextEdit* PanText(int index) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildTree();
  void BuildPanels();
  void OpenOnFirstTopic();
  int TreeWidthWanted() const;
  void LayOut();
  void LayOutTopic(int number);
  // Escape closes the window (true); every other key is passed on (false).
  bool CloseOnEscape(QKeyEvent* event);

  std::vector<QTreeWidgetItem*> nodes_;
  std::map<int, QFrame*> panels_;
  std::map<int, QPlainTextEdit*> texts_;
  std::map<int, QLabel*> titles_;
};
