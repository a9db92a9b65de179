#pragma once
// The help window: a tree of topics on the left, one topic panel at a time on
// the right.  All content is fixed.  Modal; Escape closes it from the window,
// the tree and every topic text.  Only hidden when closed, so the last topic
// and the state of the tree stay for the next opening.
#include <QDialog>

#include <map>
#include <vector>

class QFrame;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

class TForm5 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm5(QWidget* parent = nullptr);

  QFrame* Panel1 = nullptr;
  QTreeWidget* TreeView1 = nullptr;

  // Shows the panel of the selected node; group nodes leave the right side blank.
  void TreeView1Click();

  // The node at an absolute index (depth-first over the whole tree).
  QTreeWidgetItem* Node(int index) const;
  int NodeCount() const { return static_cast<int>(nodes_.size()); }
  // PanN for a node index that has a panel, else nullptr.
  QFrame* Pan(int index) const;
  // The topic text of PanN (nullptr for Pan0 and for nodes without a panel).
  QPlainTextEdit* PanText(int index) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildTree();
  void BuildPanels();
  // FormKeyPress: Escape closes the window; every other key is ignored here.
  bool FormKeyPress(QKeyEvent* event);

  std::vector<QTreeWidgetItem*> nodes_;
  std::map<int, QFrame*> panels_;
  std::map<int, QPlainTextEdit*> texts_;
};
