#include "info/widgets/HelpWindow.h"

#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

#include "info/widgets/HelpTopics.h"

namespace {

constexpr int kFirstLeft = 192, kFirstTop = 114;
// The window's first size and the places within it; a larger window widens
// the topic panels (and the tree, so far as its names need) and lengthens both.
const QSize kFirstSize(688, 288);
constexpr int kMargin = 8, kGap = 7, kTreeWidth = 297, kTextTop = 32;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A topic's text as the text box shows it: a line ending in a space goes on in
// the next line, so such lines make one paragraph that the box wraps at its own
// width; other lines end their paragraph.
QString TopicText(const std::vector<const char*>& lines) {
  QString text;
  for (size_t i = 0; i < lines.size(); ++i) {
    const QString line = U(lines[i]);
    text += line;
    if (i + 1 < lines.size() && !line.endsWith(' ')) text += '\n';
  }
  return text;
}

QFrame* NewPanel(QWidget* parent, int index) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QStringLiteral("Pan%1").arg(index));
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  panel->hide();
  return panel;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("Form5");
  setWindowTitle(U("Помощь"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowMaximizeButtonHint);
  setModal(true);
  setSizeGripEnabled(true);
  setMinimumSize(kFirstSize);
  UseWindowFont(this);
  BuildTree();
  BuildPanels();
  OpenOnFirstTopic();
  resize(kFirstSize);
  move(kFirstLeft, kFirstTop);
  LayOut();
}

// The tree as wide as its widest name at its depth (every node expanded), so
// that a window wide enough shows every name whole.
int HelpWindow::TreeWidthWanted() const {
  const QFontMetrics metrics(TopicTree->font());
  int widest = 0;
  for (QTreeWidgetItem* node : nodes_) {
    int depth = 1;
    for (QTreeWidgetItem* p = node->parent(); p; p = p->parent()) ++depth;
    widest = std::max(widest, TopicTree->indentation() * depth + metrics.horizontalAdvance(node->text(0)));
  }
  const int scrollBar = TopicTree->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, TopicTree);
  return widest + 2 * TopicTree->frameWidth() + scrollBar + 2 * kMargin + 8;
}

// The tree keeps its first width, widening with half of what the window has
// grown, as far as its names need; the topic panels take the rest, their texts
// all the room below the title.
void HelpWindow::LayOut() {
  const int height = this->height() - kMargin - kGap;
  const int grown = std::max(0, width() - kFirstSize.width());
  const int treeWidth = std::clamp(TreeWidthWanted(), kTreeWidth, kTreeWidth + grown / 2);
  TreeFrame->setGeometry(kMargin, kMargin, treeWidth, height);
  TopicTree->setGeometry(kMargin, kMargin, treeWidth - 2 * kMargin, height - 2 * kMargin);
  const QRect box(kMargin + treeWidth + kGap, kMargin, width() - (kMargin + treeWidth + kGap) - kGap, height);
  for (auto& [number, panel] : panels_) {
    panel->setGeometry(box);
    LayOutTopic(number);
  }
}

// A title longer than its line wraps rather than being cut; the text starts
// below it.
void HelpWindow::LayOutTopic(int number) {
  QFrame* panel = Pan(number);
  QLabel* title = titles_.at(number);
  const int titleWidth = panel->width() - title->x() - kMargin;
  title->resize(titleWidth, title->heightForWidth(titleWidth));
  const int top = std::max(kTextTop, title->geometry().bottom() + 5);
  PanText(number)->setGeometry(kMargin, top, panel->width() - 2 * kMargin, panel->height() - top - kMargin);
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayOut();
}

void HelpWindow::BuildTree() {
  TreeFrame = new QFrame(this);
  TreeFrame->setObjectName("Panel1");
  TreeFrame->setGeometry(8, 8, 297, 273);
  TreeFrame->setFrameShape(QFrame::Panel);
  TreeFrame->setFrameShadow(QFrame::Raised);

  TopicTree = new QTreeWidget(TreeFrame);
  TopicTree->setObjectName("TreeView1");
  TopicTree->setGeometry(8, 8, 281, 257);
  TopicTree->setHeaderHidden(true);
  TopicTree->setIndentation(19);
  // Long topic names are not cut short: the column is as wide as they need and
  // the tree scrolls sideways.
  TopicTree->header()->setStretchLastSection(false);
  TopicTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  TopicTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QFont underlined = TopicTree->font();
  underlined.setUnderline(true);
  TopicTree->setFont(underlined);

  for (const HelpNode& node : HelpNodes()) {
    QTreeWidgetItem* item = node.Parent < 0 ? new QTreeWidgetItem(TopicTree)
                                            : new QTreeWidgetItem(nodes_[static_cast<size_t>(node.Parent)]);
    item->setText(0, U(node.Text));
    nodes_.push_back(item);
  }
  TopicTree->collapseAll();
  TopicTree->installEventFilter(this);
  // The topic follows the current node however it moves: a click, the arrow
  // keys, Home, End or a typed name.
  connect(TopicTree, &QTreeWidget::currentItemChanged, this, [this] { ShowSelectedTopic(); });
  connect(TopicTree, &QTreeWidget::itemClicked, this, [this] { ShowSelectedTopic(); });
}

// The first opening shows the first topic rather than an empty page; later
// openings find the topic the user left.
void HelpWindow::OpenOnFirstTopic() {
  QTreeWidgetItem* first = Node(ShownTopicNode(0));
  if (!first) return;
  for (QTreeWidgetItem* p = first->parent(); p; p = p->parent()) p->setExpanded(true);
  TopicTree->setCurrentItem(first);
  ShowSelectedTopic();
}

void HelpWindow::BuildPanels() {
  for (const HelpTopic& topic : HelpTopics()) {
    QFrame* panel = NewPanel(this, topic.Node);
    panels_[topic.Node] = panel;

    int titleX = 10;
    if (topic.ButtonGlyph != Glyph::None) {
      auto* image = new QLabel(panel);
      image->setObjectName(topic.ImageName);
      image->setGeometry(8, 8, 18, 18);
      image->setPixmap(GlyphIcon(topic.ButtonGlyph).pixmap(18, 18));
      titleX = 37;
    }
    auto* title = new QLabel(U(topic.Title), panel);
    title->setObjectName(topic.LabelName);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setWordWrap(true);
    title->move(titleX, 13);
    titles_[topic.Node] = title;

    auto* text = new QPlainTextEdit(panel);
    text->setObjectName(topic.MemoName);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text->setWordWrapMode(QTextOption::WordWrap);
    text->setVerticalScrollBarPolicy(topic.ScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setPlainText(TopicText(topic.Lines));
    text->installEventFilter(this);
    texts_[topic.Node] = text;
  }
}

QTreeWidgetItem* HelpWindow::Node(int index) const {
  if (index < 0 || index >= NodeCount()) return nullptr;
  return nodes_[static_cast<size_t>(index)];
}

QFrame* HelpWindow::Pan(int index) const {
  const auto it = panels_.find(index);
  return it == panels_.end() ? nullptr : it->second;
}

QPlainTextEdit* HelpWindow::PanText(int index) const {
  const auto it = texts_.find(index);
  return it == texts_.end() ? nullptr : it->second;
}

void HelpWindow::ShowSelectedTopic() {
  QTreeWidgetItem* current = TopicTree->currentItem();
  if (!current) return;
  int index = -1;
  for (int i = 0; i < NodeCount(); ++i)
    if (nodes_[static_cast<size_t>(i)] == current) index = i;
  const int shown = ShownTopicNode(index);
  for (auto& [number, panel] : panels_) panel->setVisible(number == shown);
}

bool HelpWindow::CloseOnEscape(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape) return false;
  close();
  return true;
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && CloseOnEscape(static_cast<QKeyEvent*>(event))) return true;
  return QDialog::eventFilter(watched, event);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
  if (!CloseOnEscape(event)) QDialog::keyPressEvent(event);
}
