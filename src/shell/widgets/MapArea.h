#pragma once
// The client area of the map window: the map picture is painted here and the
// mouse over the map is reported in client pixels.  The tool bar and the side
// panels are children laid over it, as the panels of the window lie over the
// map; only the bare map takes the mouse.
#include <QWidget>

#include <functional>

class MapArea : public QWidget {
 public:
  explicit MapArea(QWidget* parent);

  std::function<void(QPainter&)> OnPaint;
  std::function<void(Qt::MouseButton, int x, int y)> OnMouseDown;
  std::function<void(int x, int y)> OnMouseMove;
  std::function<void(Qt::MouseButton, int x, int y)> OnMouseUp;
  std::function<void(int steps, int x, int y)> OnWheel;  // steps > 0: zoom in
  // A double click; false leaves it to be the press it also is.
  std::function<bool(Qt::MouseButton, int x, int y)> OnDoubleClick;
  // A key while the map has the focus; false leaves it to the window.
  std::function<bool(int key, Qt::KeyboardModifiers)> OnKey;
  // The mouse left the bare map: out of the window or onto an overlay.
  std::function<void()> OnMouseLeave;
  // The area took a new size (its overlays already laid out for it).
  std::function<void(QSize before)> OnResize;

  // A child laid over the map (the tool bar, a side panel).  Presses, moves and
  // wheel turns that its controls do not take stay with it instead of passing
  // on to the map, and the mouse entering it leaves the map.
  void AddOverlay(QWidget* overlay);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int wheelRemainder_ = 0;  // eighths of a degree not yet turned into a step
};
