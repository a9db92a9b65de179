// The map window's mouse, wheel, zoom controls and Ctrl key reach the map state
// through the real widgets.
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "shell/widgets/MapArea.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "shell/widgets/SidePanels.h"

namespace {

// A loaded city without data: the view is set up, nothing is drawn.
struct LoadedMap {
  LoadedMap() : windows((WriteAbout(root.Path(), "City", {"Город"}), root.Path())) {
    windows.form1->LoadClick();
  }
  TForm2& Form() { return *windows.form2; }
  MapCore& Core() { return windows.form2->Core(); }
  TempDir root;
  ShellWindows windows;
};

void SendKey(QWidget* target, QEvent::Type type, int key) {
  QKeyEvent event(type, key, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

void Wheel(QWidget* target, QPoint at, int delta) {
  QWheelEvent event(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

}  // namespace

TEST(MapInteraction, CtrlActsWhereverTheFocusIs) {
  LoadedMap m;
  for (QWidget* target : std::initializer_list<QWidget*>{m.Form().ZoomEdit, m.Form().PanelSearch->SearchListView,
                                                         m.Form().MapView()}) {
    SendKey(target, QEvent::KeyPress, Qt::Key_Control);
    EXPECT_EQ(m.Core().Interaction.Mode, "StreetSelect") << target->objectName().toStdString();
    SendKey(target, QEvent::KeyRelease, Qt::Key_Control);
    EXPECT_EQ(m.Core().Interaction.Mode, "Normal");
  }
  SendKey(m.Form().ZoomEdit, QEvent::KeyPress, Qt::Key_Shift);
  EXPECT_EQ(m.Core().Interaction.Mode, "Normal");
}

TEST(MapInteraction, DraggingMovesTheViewWithTheMouse) {
  LoadedMap m;
  MapArea* area = m.Form().MapView();
  const int offsetX = m.Core().View.OffsetX;
  QTest::mousePress(area, Qt::RightButton, Qt::NoModifier, QPoint(400, 300));
  EXPECT_EQ(m.Core().Interaction.Mode, "MapDrag");
  QTest::mouseMove(area, QPoint(500, 300));
  EXPECT_EQ(m.Core().View.DragShiftX, -100);
  QTest::mouseRelease(area, Qt::RightButton, Qt::NoModifier, QPoint(500, 300));
  EXPECT_EQ(m.Core().Interaction.Mode, "Normal");
  EXPECT_EQ(m.Core().View.OffsetX, offsetX - 100);
  EXPECT_EQ(m.Core().View.DragShiftX, 0);
}

TEST(MapInteraction, TrackBarAndZoomEditSetTheScale) {
  LoadedMap m;
  m.Form().TrackBar1->setValue(5);
  EXPECT_FLOAT_EQ(m.Core().View.Scale, 2.5f);
  EXPECT_EQ(m.Form().ZoomEdit->text(), "250%");
  m.Form().ZoomEdit->setText("1,5");
  QTest::keyClick(m.Form().ZoomEdit, Qt::Key_Return);
  EXPECT_FLOAT_EQ(m.Core().View.Scale, 0.5f);
  EXPECT_EQ(m.Form().ZoomEdit->text(), "50%");
  EXPECT_EQ(m.Form().TrackBar1->value(), 5);  // an entry leaves the track bar alone
  QTest::mouseClick(m.Form().Label3, Qt::LeftButton);  // "Масштаб:" snaps the bar to the scale
  EXPECT_EQ(m.Form().TrackBar1->value(), 1);
}

TEST(MapInteraction, ZoomTextWithoutDigitsIsReportedAndChangesNothing) {
  LoadedMap m;
  const float scale = m.Core().View.Scale;
  m.Form().ZoomEdit->setText("abc");
  QTest::keyClick(m.Form().ZoomEdit, Qt::Key_Return);
  ASSERT_EQ(m.windows.messages.size(), 1u);
  EXPECT_NE(m.windows.messages[0].find("abc"), std::string::npos);
  EXPECT_FLOAT_EQ(m.Core().View.Scale, scale);
  EXPECT_EQ(m.Form().ZoomEdit->text(), "abc");
}

TEST(MapInteraction, WheelZoomsOneTrackBarStepPerNotch) {
  LoadedMap m;
  MapArea* area = m.Form().MapView();
  const float before = m.Core().View.Scale;
  Wheel(area, QPoint(300, 200), 120);
  EXPECT_FLOAT_EQ(m.Core().View.Scale, before + 0.5f);
  EXPECT_EQ(m.Form().TrackBar1->value(), static_cast<int>(2 * m.Core().View.Scale));
  Wheel(area, QPoint(300, 200), -240);
  EXPECT_FLOAT_EQ(m.Core().View.Scale, before - 0.5f);
}
