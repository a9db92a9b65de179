#pragma once
// The splitter at a side panel's inner edge: dragging it sideways makes the
// panels of that edge of the window wider or narrower.  The panels stand over
// the map, which shows through between them, so the edge is a handle of its
// own rather than a QSplitter filling the window.
#include <QWidget>

#include <functional>

class PanelEdge : public QWidget {
 public:
  // `width` and `setWidth` read and set the panels' width; `growsRightwards`:
  // the panels stand left of the edge, so a drag to the right widens them.
  PanelEdge(QWidget* parent, const char* name, bool growsRightwards, std::function<int()> width,
            std::function<void(int)> setWidth);

  static constexpr int kThickness = 5;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool growsRightwards_;
  std::function<int()> width_;
  std::function<void(int)> setWidth_;
  bool dragging_ = false;
  int pressX_ = 0;      // global, where the drag began
  int widthAtPress_ = 0;
};
