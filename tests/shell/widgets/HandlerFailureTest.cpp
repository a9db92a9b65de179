// An error raised by the map logic inside a handler of the map window never
// passes through Qt's event loop: it is shown as a message naming the action
// and the error, and the window goes on working.
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <vector>

#include "shell/widgets/HandlerGuard.h"
#include "shell/widgets/MapArea.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "support/CityBuilder.h"

TEST(HandlerFailure, AnErrorIsShownAndTheWindowGoesOn) {
  CityBuilder city("Town");
  city.About("Городок");
  city.Plain("Data/Buildings.txt", {{W("Ленина"), "5", W("Почта"), "4", "450 550 550 550 550 650 450 650"}});
  city.Plain("Data/Texts.txt", {{W("Ленина"), "9", "500 600"}});
  ShellWindows w(city.DataRoot());
  w.cityChooser->OnLoadClicked();
  MapWindow& f = *w.mapWindow;
  MapCore& core = f.Core();
  ASSERT_TRUE(w.messages.empty());

  // Cells that no loader lets through, as a fault elsewhere could leave them.
  // Buildings are drawn from 200% on; labels at every redraw and by Ctrl.
  const std::string points(core.Tables.ListOfBuildings.CellAt(0, building_cell::Points));
  auto spoil = [&](LayerTable& table, int cell, const std::string& value) { table.SetCell(0, cell, value); };
  spoil(core.Tables.ListOfBuildings, building_cell::Points, "450 550 x");

  MapArea* map = f.MapView();
  auto press = [&](QEvent::Type type) {
    QKeyEvent key(type, Qt::Key_Control, Qt::NoModifier);
    QApplication::sendEvent(map, &key);
  };
  struct Route {
    const char* Action;
    std::function<void()> Run;
    const char* Place;
  };
  const std::vector<Route> routes = {
      {"Масштаб", [&] { f.ZoomSlider->setValue(4); }, "ListOfBuildings, строка 0"},
      {"Задайте величину масштаба",
       [&] {
         f.ZoomEdit->setText("300");
         QTest::keyClick(f.ZoomEdit, Qt::Key_Return);
       },
       "ListOfBuildings, строка 0"},
      {"Карта",
       [&] {
         QWheelEvent wheel(QPointF(400, 300), QPointF(map->mapToGlobal(QPoint(400, 300))), QPoint(), QPoint(0, 120),
                           Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
         QApplication::sendEvent(map, &wheel);
       },
       "ListOfBuildings, строка 0"},
      {"Карта",
       [&] {
         QTest::mousePress(map, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
         QTest::mouseMove(map, QPoint(450, 300));
         QTest::mouseRelease(map, Qt::LeftButton, Qt::NoModifier, QPoint(450, 300));
       },
       "ListOfBuildings, строка 0"},
      {"Выделение улиц (Ctrl)",
       [&] {
         spoil(core.Tables.ListOfTexts, label_cell::Size, "x");
         press(QEvent::KeyPress);
       },
       "ListOfTexts, строка 0, столбец «Размер»"},
      {"Выделение улиц (Ctrl)", [&] { press(QEvent::KeyRelease); }, "ListOfTexts, строка 0, столбец «Размер»"},
  };
  for (const Route& r : routes) {
    const size_t before = w.messages.size();
    r.Run();
    ASSERT_EQ(w.messages.size(), before + 1) << r.Action;
    const std::string& message = w.messages.back();
    EXPECT_NE(message.find(std::string("«") + r.Action + "»"), std::string::npos) << message;
    EXPECT_NE(message.find(r.Place), std::string::npos) << message;
  }
  EXPECT_EQ(core.Interaction.Mode, InteractionMode::Normal);  // the drag and the highlight ended

  spoil(core.Tables.ListOfBuildings, building_cell::Points, points);
  spoil(core.Tables.ListOfTexts, label_cell::Size, "9");
  f.ZoomEdit->setText("100");
  QTest::keyClick(f.ZoomEdit, Qt::Key_Return);
  EXPECT_EQ(w.messages.size(), routes.size());
  EXPECT_FLOAT_EQ(core.View.Scale, 1.0f);
  EXPECT_EQ(f.ZoomEdit->text(), "100%");
}

// Whatever a handler throws, the user reads Russian: our own errors as they
// are, the library's English ones marked as internal with their text kept.
TEST(HandlerFailure, TheMessageIsRussianWhateverWasThrown) {
  struct Case {
    std::function<void()> Throw;
    std::string Error;
  };
  const std::vector<Case> cases = {
      {[] { throw std::runtime_error("ListOfBuildings, строка 0: нет точек"); }, "ListOfBuildings, строка 0: нет точек"},
      {[] { throw std::out_of_range("vector::_M_range_check: __n (which is 5) >= this->size() (which is 2)"); },
       "внутренняя ошибка программы (vector::_M_range_check: __n (which is 5) >= this->size() (which is 2))."},
      {[] { throw std::runtime_error(""); }, "внутренняя ошибка программы (без описания)."},
      {[] { throw std::bad_alloc(); }, "не хватает памяти."},
      {[] { throw 42; }, "неизвестная ошибка."},
  };
  for (const Case& c : cases) {
    std::string shown;
    EXPECT_FALSE(RunGuarded(QString::fromUtf8("Печать…"), c.Throw, [&](const std::string& m) { shown = m; }));
    EXPECT_EQ(shown, "Не удалось выполнить действие «Печать…»:\n" + c.Error);
  }
}
