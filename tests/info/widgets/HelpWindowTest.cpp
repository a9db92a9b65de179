// The help window: the topic tree, its panels and Escape.
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "info/widgets/HelpTopics.h"
#include "info/widgets/HelpWindow.h"
#include "shell/widgets/MapWindow.h"
#include "support/TempDir.h"

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

// The lines of a text as laid out at its present width.
int LaidOutLines(QPlainTextEdit* text) {
  int lines = 0;
  for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
    text->document()->documentLayout()->blockBoundingRect(block);  // lays the block out
    lines += block.layout()->lineCount();
  }
  return lines;
}

class HelpWindow_ : public ::testing::Test {
 protected:
  // A real mouse click on a node, with its ancestors expanded first.
  void ClickNode(int index) {
    QTreeWidgetItem* item = form.Node(index);
    for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
    form.TopicTree->scrollToItem(item);
    const QPoint at = form.TopicTree->visualItemRect(item).center();
    QTest::mouseClick(form.TopicTree->viewport(), Qt::LeftButton, {}, at);
  }
  std::vector<int> VisiblePanels() {
    std::vector<int> shown;
    for (int i = 0; i < form.NodeCount(); ++i)
      if (form.Pan(i) && form.Pan(i)->isVisible()) shown.push_back(i);
    return shown;
  }
  void SetUp() override { form.show(); }
  HelpWindow form;
};

TEST_F(HelpWindow_, TreeHoldsTheTwentyFourTopicsInOrder) {
  ASSERT_EQ(form.NodeCount(), 31);  // the added topics follow the 24
  EXPECT_EQ(form.windowTitle(), U("Помощь"));
  EXPECT_EQ(form.size(), QSize(688, 288));
  EXPECT_EQ(form.TopicTree->topLevelItemCount(), 4);
  EXPECT_EQ(form.Node(0)->text(0), U("Главная панель"));
  EXPECT_EQ(form.Node(0)->childCount(), 6);
  EXPECT_EQ(form.Node(4)->text(0), U("Кнопка \"Отобразить панель поиска по списку\""));
  EXPECT_EQ(form.Node(9)->parent(), form.Node(8));
  EXPECT_EQ(form.Node(14)->text(0), U("Зумировать при выделении"));
  EXPECT_EQ(form.Node(14)->parent(), form.Node(11));
  EXPECT_EQ(form.Node(20)->parent(), form.Node(18));
  EXPECT_EQ(form.Node(22)->parent(), form.Node(10));
  EXPECT_EQ(form.Node(23)->text(0), U("Вопросы/ответы"));
  EXPECT_EQ(form.TopicTree->indentation(), 19);
  EXPECT_TRUE(form.TopicTree->font().underline());
  for (int i = 1; i < form.NodeCount(); ++i) EXPECT_FALSE(form.Node(i)->isExpanded()) << i;
}

// The window opens on its first topic, its group expanded, with the topic's
// text on the right rather than an empty page.
TEST_F(HelpWindow_, OpensOnTheFirstTopic) {
  EXPECT_EQ(form.TopicTree->currentItem(), form.Node(1));
  EXPECT_TRUE(form.Node(0)->isExpanded());
  EXPECT_EQ(VisiblePanels(), std::vector<int>{1});
  EXPECT_TRUE(form.PanText(1)->isVisible());
  EXPECT_FALSE(form.PanText(1)->toPlainText().isEmpty());
}

TEST_F(HelpWindow_, ClickingATopicShowsItsPanelOnly) {
  ClickNode(6);
  EXPECT_EQ(VisiblePanels(), std::vector<int>{6});
  QPlainTextEdit* text = form.PanText(6);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->toPlainText(),
            U("С помощью ползунка задайте нужную величину масштаба.\nНужную величину также можно ввести вручную."));
  EXPECT_EQ(form.Pan(6)->geometry(), QRect(312, 8, 369, 273));
  EXPECT_EQ(text->geometry(), QRect(8, 32, 353, 233));
  EXPECT_TRUE(text->isReadOnly());
  auto* title = form.Pan(6)->findChild<QLabel*>("Label6");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), U("Масштаб"));
  EXPECT_EQ(title->pos(), QPoint(10, 13));
  EXPECT_TRUE(title->font().bold());
}

TEST_F(HelpWindow_, ObjectsButtonAndObjectsMenuShowTheSameTextInDifferentPanels) {
  ClickNode(2);
  EXPECT_EQ(VisiblePanels(), std::vector<int>{2});
  ClickNode(12);
  EXPECT_EQ(VisiblePanels(), std::vector<int>{12});
  EXPECT_EQ(form.PanText(2)->toPlainText(), form.PanText(12)->toPlainText());
  EXPECT_NE(form.Pan(2), form.Pan(12));
  EXPECT_TRUE(form.PanText(2)->toPlainText().startsWith(U("Включает/отключает отображение объектов")));
  // The button topic has its picture in front of the title.
  auto* image = form.Pan(2)->findChild<QLabel*>("Image2");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->geometry(), QRect(8, 8, 18, 18));
  EXPECT_EQ(form.Pan(2)->findChild<QLabel*>("Label2")->pos(), QPoint(37, 13));
  EXPECT_EQ(form.Pan(12)->findChild<QLabel*>("Label8")->text(), U("Объекты - Отобразить"));
}

// The topics of the keyboard, the whole city, "Что здесь?", the saved and
// printed map, the sorted lists and the city of one's own follow the fixed
// tree in a group of their own.
TEST_F(HelpWindow_, AddedTopicsFollowTheFixedTree) {
  EXPECT_EQ(form.Node(24)->text(0), U("Работа с картой"));
  EXPECT_EQ(form.Node(24)->parent(), nullptr);
  ClickNode(24);
  EXPECT_EQ(VisiblePanels(), std::vector<int>{25});
  const std::pair<const char*, const char*> topics[] = {{"Клавиатура", "Стрелки - сдвинуть карту"},
                                                        {"Весь город", "клавише Home"},
                                                        {"Что здесь?", "\"Копировать координаты\""},
                                                        {"Сохранение и печать", "\"Печать…\""},
                                                        {"Сортировка списков", "\"10а\" после \"10\""},
                                                        {"Свой город", "\"Добавить город из OpenStreetMap…\""}};
  for (int i = 0; i < 6; ++i) {
    const int node = 25 + i;
    EXPECT_EQ(form.Node(node)->parent(), form.Node(24));
    EXPECT_EQ(form.Node(node)->text(0), U(topics[i].first));
    ClickNode(node);
    EXPECT_EQ(VisiblePanels(), std::vector<int>{node});
    EXPECT_EQ(form.Pan(node)->findChild<QLabel*>(QString("Label%1").arg(19 + i))->text(), U(topics[i].first));
    EXPECT_TRUE(form.PanText(node)->toPlainText().contains(U(topics[i].second))) << topics[i].first;
  }
}

// The topic follows the current node, moved by the arrow keys too; a group
// shows its first topic; a larger window widens the texts, which reflow, and
// shows every title, in the tree and over the texts, whole.
TEST_F(HelpWindow_, TopicFollowsTheKeysAGroupShowsItsFirstTopicAndTheWindowGrows) {
  ClickNode(1);
  const std::pair<Qt::Key, int> moves[] = {{Qt::Key_Down, 2}, {Qt::Key_Down, 3}, {Qt::Key_Up, 2}, {Qt::Key_End, 25}};
  for (const auto& [key, node] : moves) {
    QTest::keyClick(form.TopicTree, key);
    EXPECT_EQ(VisiblePanels(), std::vector<int>{node}) << node;
    EXPECT_TRUE(form.PanText(node)->isVisible()) << node;
  }

  const std::pair<int, int> groups[] = {{0, 1},   {7, 9},   {8, 9},   {10, 12},
                                        {11, 12}, {15, 16}, {18, 19}, {24, 25}};
  for (const auto& [group, first] : groups) {
    ClickNode(group);
    EXPECT_EQ(VisiblePanels(), std::vector<int>{first}) << group;
  }

  QPlainTextEdit* text = form.PanText(22);
  ClickNode(22);
  const int linesBefore = LaidOutLines(text);
  form.resize(1100, 600);
  QApplication::processEvents();
  EXPECT_EQ(form.size(), QSize(1100, 600));
  EXPECT_EQ(form.Pan(22)->geometry().right(), 1100 - 8);
  EXPECT_EQ(text->width(), form.Pan(22)->width() - 16);
  EXPECT_GT(text->height(), 233);
  EXPECT_LT(LaidOutLines(text), linesBefore);

  for (const HelpTopic& topic : HelpTopics()) {
    const QLabel* title = form.Pan(topic.Node)->findChild<QLabel*>(topic.LabelName);
    EXPECT_LE(title->x() + QFontMetrics(title->font()).horizontalAdvance(title->text()), title->geometry().right())
        << topic.LabelName;
  }
  form.TopicTree->expandAll();
  QApplication::processEvents();
  const QFontMetrics metrics(form.TopicTree->font());
  for (int i = 0; i < form.NodeCount(); ++i) {
    int depth = 1;
    for (QTreeWidgetItem* p = form.Node(i)->parent(); p; p = p->parent()) ++depth;
    EXPECT_LE(form.TopicTree->indentation() * depth + metrics.horizontalAdvance(form.Node(i)->text(0)),
              form.TopicTree->viewport()->width())
        << form.Node(i)->text(0).toStdString();
  }
}

TEST_F(HelpWindow_, QuestionsAndAnswersScroll) {
  ClickNode(23);
  QPlainTextEdit* text = form.PanText(23);
  EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(form.PanText(6)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  const QStringList lines = text->toPlainText().split('\n');
  EXPECT_EQ(lines.filter(QRegularExpression("^" + U("В: "))).size(), 5);
  EXPECT_EQ(lines.filter(QRegularExpression("^" + U("О: "))).size(), 5);
  EXPECT_EQ(lines.filter(QRegularExpression("^$")).size(), 4);
  EXPECT_TRUE(text->toPlainText().contains(U("\"Выделение щелчком\"")));
  EXPECT_TRUE(text->toPlainText().contains(U("\"Отображать найденные объекты\"")));
}

// Every line of every topic, as its text box lays it out, fits the box's width;
// the title fits its panel; the text fits the box's height unless the box
// scrolls; the tree's column is as wide as every topic name it shows.
TEST_F(HelpWindow_, EveryWordOfEveryTopicCanBeRead) {
  for (const HelpTopic& topic : HelpTopics()) {
    ClickNode(topic.Node);
    QPlainTextEdit* text = form.PanText(topic.Node);
    const QFontMetrics metrics(text->font());
    const int room = text->viewport()->width() - 2 * static_cast<int>(text->document()->documentMargin());
    QAbstractTextDocumentLayout* layout = text->document()->documentLayout();
    qreal height = 0;
    for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
      height += layout->blockBoundingRect(block).height();  // lays the block out
      ASSERT_GT(block.layout()->lineCount(), 0) << topic.MemoName;
      for (int i = 0; i < block.layout()->lineCount(); ++i) {
        const QTextLine line = block.layout()->lineAt(i);
        const QString shown = block.text().mid(line.textStart(), line.textLength()).trimmed();
        EXPECT_LE(metrics.horizontalAdvance(shown), room) << topic.MemoName << ": " << shown.toStdString();
      }
    }
    if (!topic.ScrollBar) {
      EXPECT_LE(height, text->viewport()->height()) << topic.MemoName;
    }

    const QLabel* title = form.Pan(topic.Node)->findChild<QLabel*>(topic.LabelName);
    EXPECT_LE(title->x() + QFontMetrics(title->font()).horizontalAdvance(title->text()),
              form.Pan(topic.Node)->contentsRect().right())
        << topic.LabelName;
  }

  form.TopicTree->expandAll();
  const QFontMetrics metrics(form.TopicTree->font());
  for (int i = 0; i < form.NodeCount(); ++i) {
    QTreeWidgetItem* node = form.Node(i);
    form.TopicTree->scrollToItem(node);
    QApplication::processEvents();
    int depth = 0;
    for (QTreeWidgetItem* p = node->parent(); p; p = p->parent()) ++depth;
    const int needed = form.TopicTree->indentation() * (depth + 1) + metrics.horizontalAdvance(node->text(0));
    EXPECT_GE(form.TopicTree->columnWidth(0), needed) << node->text(0).toStdString();
  }
}

// The pictures in front of the button topics are the tool bar's own glyphs.
TEST(HelpWindowPictures, ShowTheGlyphsOfTheToolBarButtons) {
  TempDir root;
  MapWindow map(root.Path());
  HelpWindow form;
  const std::pair<const char*, QToolButton*> pictures[] = {{"Image1", map.LabelsButton},
                                                           {"Image2", map.ObjectsButton},
                                                           {"Image3", map.ListPanelButton},
                                                           {"Image4", map.FirmPanelButton},
                                                           {"Image5", map.WholeCityButton}};
  for (const auto& [name, button] : pictures) {
    const auto* image = form.findChild<QLabel*>(name);
    ASSERT_NE(image, nullptr) << name;
    const QImage shown = image->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(shown.size(), QSize(18, 18)) << name;
    EXPECT_EQ(shown, button->icon().pixmap(18, 18).toImage().convertToFormat(QImage::Format_ARGB32)) << name;
  }
}

// Opens the window modally, runs `act` inside and tells whether it closed.
bool ClosesWhile(HelpWindow& form, const std::function<void()>& act) {
  bool closedByAct = false;
  QTimer::singleShot(0, &form, [&] {
    act();
    closedByAct = !form.isVisible();
    if (!closedByAct) form.close();
  });
  QTimer::singleShot(3000, &form, [&] { form.done(-1); });
  form.exec();
  return closedByAct;
}

TEST(HelpWindowKeys, EscapeClosesFromTheTreeAndFromTheTexts) {
  HelpWindow form;
  EXPECT_TRUE(ClosesWhile(form, [&] { QTest::keyClick(form.TopicTree, Qt::Key_Escape); }));
  EXPECT_TRUE(ClosesWhile(form, [&] { QTest::keyClick(form.PanText(17), Qt::Key_Escape); }));
  EXPECT_TRUE(ClosesWhile(form, [&] { QTest::keyClick(form.PanText(16), Qt::Key_Escape); }));
  EXPECT_TRUE(ClosesWhile(form, [&] { QTest::keyClick(&form, Qt::Key_Escape); }));
  EXPECT_FALSE(ClosesWhile(form, [&] { QTest::keyClick(form.TopicTree, Qt::Key_A); }));
}

TEST(HelpWindowKeys, TheLastTopicStaysForTheNextOpening) {
  HelpWindow form;
  form.show();
  form.Node(0)->setExpanded(true);
  form.TopicTree->setCurrentItem(form.Node(5));
  form.ShowSelectedTopic();
  form.close();
  form.show();
  EXPECT_TRUE(form.Pan(5)->isVisible());
  EXPECT_TRUE(form.Node(0)->isExpanded());
}

}  // namespace
