// The map window's mouse, wheel, zoom controls, Ctrl key and hover hint reach
// the map state through the real widgets.
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QLineEdit>
#include <QSlider>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>

#include "shell/widgets/MapArea.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "shell/widgets/SidePanels.h"
#include "support/CityBuilder.h"

namespace {

// A loaded city without data: the view is set up, nothing is drawn.
struct LoadedMap {
  LoadedMap() : windows((WriteAbout(root.Path(), "City", {"Город"}), root.Path())) {
    windows.cityChooser->OnLoadClicked();
  }
  MapWindow& Form() { return *windows.mapWindow; }
  MapCore& Core() { return windows.mapWindow->Core(); }
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
    EXPECT_EQ(m.Core().Interaction.Mode, InteractionMode::StreetSelect) << target->objectName().toStdString();
    SendKey(target, QEvent::KeyRelease, Qt::Key_Control);
    EXPECT_EQ(m.Core().Interaction.Mode, InteractionMode::Normal);
  }
  SendKey(m.Form().ZoomEdit, QEvent::KeyPress, Qt::Key_Shift);
  EXPECT_EQ(m.Core().Interaction.Mode, InteractionMode::Normal);
}

TEST(MapInteraction, DraggingMovesTheViewWithTheMouse) {
  LoadedMap m;
  MapArea* area = m.Form().MapView();
  const int offsetX = m.Core().View.OffsetX;
  QTest::mousePress(area, Qt::RightButton, Qt::NoModifier, QPoint(400, 300));
  EXPECT_EQ(m.Core().Interaction.Mode, InteractionMode::MapDrag);
  QTest::mouseMove(area, QPoint(500, 300));
  EXPECT_EQ(m.Core().View.DragShiftX, -100);
  QTest::mouseRelease(area, Qt::RightButton, Qt::NoModifier, QPoint(500, 300));
  EXPECT_EQ(m.Core().Interaction.Mode, InteractionMode::Normal);
  EXPECT_EQ(m.Core().View.OffsetX, offsetX - 100);
  EXPECT_EQ(m.Core().View.DragShiftX, 0);
}

TEST(MapInteraction, TrackBarAndZoomEditSetTheScale) {
  LoadedMap m;
  m.Form().ZoomSlider->setValue(5);
  EXPECT_FLOAT_EQ(m.Core().View.Scale, 2.5f);
  EXPECT_EQ(m.Form().ZoomEdit->text(), "250%");
  // A typed scale moves the bar to its position, which keeps the typed scale.
  for (auto [typed, scale, position] : {std::tuple{"300", 3.0f, 6}, std::tuple{"1000", 10.0f, 20},
                                        std::tuple{"1,5", 0.5f, 1}, std::tuple{"175 %", 1.75f, 3}}) {
    m.Form().ZoomEdit->setText(typed);
    QTest::keyClick(m.Form().ZoomEdit, Qt::Key_Return);
    EXPECT_FLOAT_EQ(m.Core().View.Scale, scale) << typed;
    EXPECT_EQ(m.Form().ZoomSlider->value(), position) << typed;
  }
  EXPECT_EQ(m.Form().ZoomEdit->text(), "175%");
}

// The zoom field shows the scale in force to a tenth of a percent, whole in
// its box, in a form it reads back as the same scale.
TEST(MapInteraction, ZoomFieldShowsTheScaleInForce) {
  LoadedMap m;
  QLineEdit* field = m.Form().ZoomEdit;
  for (auto [typed, shown] : {std::pair{"100.5", "100,5%"}, std::pair{"75,5 %", "75,5%"},
                              std::pair{"1000.5", "1000,5%"}, std::pair{"250,0", "250%"}}) {
    field->setText(typed);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->text(), U(shown)) << typed;
    EXPECT_LE(field->fontMetrics().horizontalAdvance(field->text()), field->contentsRect().width() - 4) << shown;
    const float scale = m.Core().View.Scale;
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(m.Core().View.Scale, scale) << shown << " read back";
  }
}

TEST(MapInteraction, ZoomTextWithoutDigitsIsReportedAndChangesNothing) {
  LoadedMap m;
  const float scale = m.Core().View.Scale;
  m.Form().ZoomEdit->setText("abc");
  QTest::keyClick(m.Form().ZoomEdit, Qt::Key_Return);
  ASSERT_EQ(m.windows.messages.size(), 1u);
  EXPECT_NE(m.windows.messages[0].find("abc"), std::string::npos);
  EXPECT_FLOAT_EQ(m.Core().View.Scale, scale);
  EXPECT_EQ(m.Form().ZoomEdit->text(), "100%");  // the scale in force again
}

TEST(MapInteraction, WheelZoomsOneTrackBarStepPerNotch) {
  LoadedMap m;
  MapArea* area = m.Form().MapView();
  const float before = m.Core().View.Scale;
  Wheel(area, QPoint(300, 200), 120);
  EXPECT_FLOAT_EQ(m.Core().View.Scale, before + 0.5f);
  EXPECT_EQ(m.Form().ZoomSlider->value(), static_cast<int>(2 * m.Core().View.Scale));
  Wheel(area, QPoint(300, 200), -240);
  EXPECT_FLOAT_EQ(m.Core().View.Scale, before - 0.5f);
}

// A Ctrl release is never lost: not in a control that keeps the key for itself
// (the keyword box, also after Ctrl+A), nor while another window had the
// keyboard (the real state is read again when the window gains or loses it).
TEST(MapInteraction, CtrlHighlightFollowsTheRealKey) {
  LoadedMap m;
  const InteractionMode& mode = m.Core().Interaction.Mode;
  QLineEdit* keyword = m.Form().KeywordBox->lineEdit();
  QTest::keyPress(keyword, Qt::Key_Control);
  EXPECT_EQ(mode, InteractionMode::StreetSelect);
  QTest::keyRelease(keyword, Qt::Key_Control);
  EXPECT_EQ(mode, InteractionMode::Normal);
  QTest::keyPress(keyword, Qt::Key_Control);
  QTest::keyClick(keyword, Qt::Key_A, Qt::ControlModifier);
  QTest::keyRelease(keyword, Qt::Key_Control);
  EXPECT_EQ(mode, InteractionMode::Normal);
  // The offscreen platform reports Ctrl as up: it was let go elsewhere.
  for (QEvent::Type change : {QEvent::WindowActivate, QEvent::WindowDeactivate}) {
    QTest::keyPress(m.Form().MapView(), Qt::Key_Control);
    ASSERT_EQ(mode, InteractionMode::StreetSelect);
    QEvent event(change);
    QApplication::sendEvent(&m.Form(), &event);
    EXPECT_EQ(mode, InteractionMode::Normal) << change;
  }
}

// Only the bare map takes the mouse: presses, drags and wheel turns on the tool
// bar and the side panels neither select, drag nor zoom; a click on the zoom
// panel snaps the track bar to the scale with the left button only.
TEST(MapInteraction, ToolBarAndPanelsKeepTheMouseOffTheMap) {
  LoadedMap m;
  MapWindow& f = m.Form();
  const ViewState before = m.Core().View;
  for (QWidget* target : std::initializer_list<QWidget*>{f.ZoomCaption, f.ZoomPanel, f.ToolBar, f.PanelSearch,
                                                         f.PanelSearch->CountCaption}) {
    const std::string name = target->objectName().toStdString();
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
      QTest::mousePress(target, button, Qt::NoModifier, QPoint(2, 2));
      EXPECT_EQ(m.Core().Interaction.Mode, InteractionMode::Normal) << name;
      QTest::mouseMove(target, QPoint(60, 40));
      QTest::mouseRelease(target, button, Qt::NoModifier, QPoint(60, 40));
      EXPECT_EQ(m.Core().View.OffsetX, before.OffsetX) << name;
    }
    Wheel(target, QPoint(2, 2), 120);
    EXPECT_FLOAT_EQ(m.Core().View.Scale, before.Scale) << name;
  }
  f.ZoomEdit->setText("300");
  QTest::keyClick(f.ZoomEdit, Qt::Key_Return);
  f.ZoomSlider->blockSignals(true);
  f.ZoomSlider->setValue(2);  // as if the bar lagged behind the scale
  f.ZoomSlider->blockSignals(false);
  f.Core().Ui.ZoomSliderPosition = 2;
  QTest::mouseClick(f.ZoomCaption, Qt::RightButton);
  EXPECT_EQ(f.ZoomSlider->value(), 2);
  QTest::mouseClick(f.ZoomCaption, Qt::LeftButton);
  EXPECT_EQ(f.ZoomSlider->value(), 6);
}

// Every redraw writes trunc(Scale × 100) and "%" into the zoom field, even when
// the percentage did not change.
TEST(MapInteraction, EveryRedrawRewritesTheZoomText) {
  LoadedMap m;
  QLineEdit* zoom = m.Form().ZoomEdit;
  zoom->setText("100");
  QTest::keyClick(zoom, Qt::Key_Return);
  EXPECT_EQ(zoom->text(), "100%");
  zoom->setText("25");  // typed, not entered
  MapArea* area = m.Form().MapView();
  QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
  QTest::mouseMove(area, QPoint(420, 300));
  QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, QPoint(420, 300));
  EXPECT_EQ(zoom->text(), "100%");
}

namespace {

// A street and a school at the middle of the first view.
struct HintCity {
  HintCity() : windows((Write(city), city.DataRoot())) { windows.cityChooser->OnLoadClicked(); }
  static int Write(const CityBuilder& c) {
    c.About("Городок");
    c.Plain("Data/Streets.txt", {StreetRecord("Ленина", "300 600 700 600", 2, "3", "улица")});
    c.Plain("Data/Objects.txt", {{W("Школа"), W("Мира"), "2", W("Гимназия"), "500 600", "0"}});
    return 0;
  }
  MapWindow& Form() { return *windows.mapWindow; }
  const InteractionState& Hint() { return windows.mapWindow->Core().Interaction; }
  // The school's window pixel, in the map window's own coordinates.
  QPoint School() {
    const ViewState& v = windows.mapWindow->Core().View;
    const QPoint p(static_cast<int>(500 * v.Scale) - v.OffsetX - v.ScreenWidth / 2,
                   static_cast<int>(600 * v.Scale) - v.OffsetY - v.ScreenHeight / 2);
    return Form().MapView()->mapTo(&Form(), p);
  }
  // Moves the mouse as the window system does (enter and leave included).
  void MoveTo(QPoint inWindow) { QTest::mouseMove(Form().windowHandle(), inWindow); }
  // Whether the window shows a hint's box beside `mouse` (its top row, above
  // the letters), as last painted: a hint stays there until a paint covers it.
  bool HintShownAt(QPoint mouse) {
    const QPoint box = Form().MapView()->mapTo(&Form(), mouse + QPoint(11, 10));
    const QImage shot = Form().screen()->grabWindow(Form().winId(), box.x(), box.y(), 1, 1).toImage();
    return shot.pixelColor(0, 0) == QGuiApplication::palette().toolTipBase().color();
  }
  CityBuilder city;
  ShellWindows windows;
};

}  // namespace

// The hover hint goes when the mouse leaves the map for the tool bar or a side
// panel, and when the view changes by a selection that centres; a redraw that
// keeps the view keeps it.
TEST(MapInteraction, HoverHintStaysOnTheMapAndWithItsView) {
  HintCity c;
  MapWindow& f = c.Form();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));  // so that the mouse reaches it
  struct Case {
    const char* What;
    std::function<void()> Act;
    bool Stays;
  };
  QTableView* results = f.PanelSearch->SearchListView;
  const std::vector<Case> cases = {
      {"onto the tool bar, after a look that found nothing",
       [&] {
         c.MoveTo(c.School() + QPoint(0, 80));
         QTest::qWait(150);
         c.MoveTo(f.ZoomCaption->mapTo(&f, QPoint(3, 3)));
       },
       false},
      {"onto the side panel", [&] { c.MoveTo(f.PanelSearch->CountCaption->mapTo(&f, QPoint(3, 3))); }, false},
      {"a redraw in the same view", [&] { f.MenuItem("N18")->trigger(); }, true},
      {"a click on the street beside the school",
       [&] { QTest::mouseClick(f.windowHandle(), Qt::LeftButton, Qt::NoModifier, c.School() + QPoint(60, 0)); },
       false},
      {"a double-clicked result zooms to 400%",
       [&] {
         const QPoint row = results->visualRect(results->model()->index(0, 0)).center();
         QTest::mouseClick(results->viewport(), Qt::LeftButton, Qt::NoModifier, row);
         QTest::mouseDClick(results->viewport(), Qt::LeftButton, Qt::NoModifier, row);
       },
       false},
  };
  for (const Case& k : cases) {
    c.MoveTo(c.School());
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.Hint().HintVisible; }, 2000)) << k.What;
    const QPoint at(c.Hint().MouseX, c.Hint().MouseY);
    ASSERT_TRUE(c.HintShownAt(at)) << k.What;
    k.Act();
    QTest::qWait(150);  // a look still pending would find the school again
    EXPECT_EQ(c.Hint().HintVisible, k.Stays) << k.What;
    EXPECT_EQ(c.HintShownAt(at), k.Stays) << k.What;
  }
  EXPECT_FLOAT_EQ(f.Core().View.Scale, 4.0f);
}
