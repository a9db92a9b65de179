#include "info/widgets/TForm5.h"

#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "info/widgets/HelpTopics.h"

namespace {

constexpr int kFirstLeft = 192, kFirstTop = 114;
const QRect kPanelBox(312, 8, 369, 273);

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// 18 x 18 pictures of the map window's tool buttons that the topics describe.
QPixmap ButtonGlyph(HelpGlyph glyph) {
  QPixmap pixmap(18, 18);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (glyph) {
    case HelpGlyph::Text: {
      QFont f(QStringLiteral("Serif"));
      f.setPixelSize(16);
      f.setBold(true);
      p.setFont(f);
      p.setPen(Qt::black);
      p.drawText(QRect(0, 0, 18, 18), Qt::AlignCenter, QStringLiteral("T"));
      break;
    }
    case HelpGlyph::Objects:
      p.setPen(QPen(Qt::darkRed, 1));
      p.setBrush(QColor(220, 40, 40));
      p.drawEllipse(QRectF(4, 1, 10, 10));
      p.drawLine(QPointF(9, 11), QPointF(9, 17));
      break;
    case HelpGlyph::ListSearch:
    case HelpGlyph::FirmSearch:
      p.setPen(QPen(Qt::black, 1));
      if (glyph == HelpGlyph::ListSearch) {
        for (int y = 3; y <= 9; y += 3) p.drawLine(1, y, 8, y);
      } else {
        p.setBrush(QColor(60, 120, 200));
        p.drawRect(1, 2, 7, 7);
      }
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(Qt::black, 2));
      p.drawEllipse(QRectF(7, 5, 7, 7));
      p.drawLine(QPointF(13, 11), QPointF(17, 16));
      break;
    case HelpGlyph::None:
      break;
  }
  return pixmap;
}

QFrame* NewPanel(QWidget* parent, int index) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QStringLiteral("Pan%1").arg(index));
  panel->setGeometry(kPanelBox);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  panel->hide();
  return panel;
}

}  // namespace

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
  setObjectName("Form5");
  setWindowTitle(U("Помощь"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);
  setFixedSize(688, 288);
  move(kFirstLeft, kFirstTop);
  BuildTree();
  BuildPanels();
}

void TForm5::BuildTree() {
  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setGeometry(8, 8, 297, 273);
  Panel1->setFrameShape(QFrame::Panel);
  Panel1->setFrameShadow(QFrame::Raised);

  TreeView1 = new QTreeWidget(Panel1);
  TreeView1->setObjectName("TreeView1");
  TreeView1->setGeometry(8, 8, 281, 257);
  TreeView1->setHeaderHidden(true);
  TreeView1->setIndentation(19);
  TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QFont underlined = TreeView1->font();
  underlined.setUnderline(true);
  TreeView1->setFont(underlined);

  for (const HelpNode& node : HelpNodes()) {
    QTreeWidgetItem* item = node.Parent < 0 ? new QTreeWidgetItem(TreeView1)
                                            : new QTreeWidgetItem(nodes_[static_cast<size_t>(node.Parent)]);
    item->setText(0, U(node.Text));
    nodes_.push_back(item);
  }
  TreeView1->collapseAll();
  TreeView1->setCurrentItem(nullptr);
  TreeView1->installEventFilter(this);
  connect(TreeView1, &QTreeWidget::itemClicked, this, [this] { TreeView1Click(); });
}

void TForm5::BuildPanels() {
  panels_[0] = NewPanel(this, 0);
  for (const HelpTopic& topic : HelpTopics()) {
    QFrame* panel = NewPanel(this, topic.Node);
    panels_[topic.Node] = panel;

    int titleX = 10;
    if (topic.Glyph != HelpGlyph::None) {
      auto* image = new QLabel(panel);
      image->setObjectName(topic.ImageName);
      image->setGeometry(8, 8, 18, 18);
      image->setPixmap(ButtonGlyph(topic.Glyph));
      titleX = 37;
    }
    auto* title = new QLabel(U(topic.Title), panel);
    title->setObjectName(topic.LabelName);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->move(titleX, 13);
    title->adjustSize();

    auto* text = new QPlainTextEdit(panel);
    text->setObjectName(topic.MemoName);
    text->setGeometry(8, 32, 353, 233);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setVerticalScrollBarPolicy(topic.ScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QStringList lines;
    for (const char* line : topic.Lines) lines << U(line);
    text->setPlainText(lines.join('\n'));
    text->installEventFilter(this);
    texts_[topic.Node] = text;
  }
}

QTreeWidgetItem* TForm5::Node(int index) const {
  if (index < 0 || index >= NodeCount()) return nullptr;
  return nodes_[static_cast<size_t>(index)];
}

QFrame* TForm5::Pan(int index) const {
  const auto it = panels_.find(index);
  return it == panels_.end() ? nullptr : it->second;
}

QPlainTextEdit* TForm5::PanText(int index) const {
  const auto it = texts_.find(index);
  return it == texts_.end() ? nullptr : it->second;
}

void TForm5::TreeView1Click() {
  const QList<QTreeWidgetItem*> selected = TreeView1->selectedItems();
  if (selected.isEmpty()) return;
  int index = -1;
  for (int i = 0; i < NodeCount(); ++i)
    if (nodes_[static_cast<size_t>(i)] == selected.first()) index = i;
  for (auto& [number, panel] : panels_) panel->hide();
  if (QFrame* panel = Pan(index)) panel->show();
}

bool TForm5::FormKeyPress(QKeyEvent* event) {
  if (event->key() != Qt::Key_Escape) return false;
  close();
  return true;
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && FormKeyPress(static_cast<QKeyEvent*>(event))) return true;
  return QDialog::eventFilter(watched, event);
}

void TForm5::keyPressEvent(QKeyEvent* event) {
  if (!FormKeyPress(event)) QDialog::keyPressEvent(event);
}
