#pragma once
// The picture window: one picture of a firm at its natural size, beside the map
// window's information panel (not modal).  A new picture replaces the old one
// in the same window, which takes the picture's size.
#include <QDialog>
#include <QRect>

#include <functional>
#include <string>

class QLabel;

class FirmPictureWindow : public QDialog {
  Q_OBJECT
 public:
  // Receives the message shown when a picture cannot be loaded (a message box
  // unless replaced, e.g. by tests).
  using MessageSink = std::function<void(const QString&)>;

  explicit FirmPictureWindow(QWidget* parent = nullptr);

  // Loads the picture file into PictureLabel, fits the window to it and shows the
  // window (bringing it to the front).  The first time, the window opens just
  // left of `beside` (the information panel, screen pixels), its top level with
  // the panel's, on that screen; afterwards it stays where the user left it.
  // A file that cannot be read or decoded is reported and the window keeps its
  // previous picture and size.
  bool ShowPicture(const std::string& path, const QRect& beside = QRect());

  void SetMessageSink(MessageSink sink) { messages_ = std::move(sink); }
  QLabel* PictureLabel() const { return picture_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FitToPicture(const QImage& picture);
  void PlaceBeside(const QRect& beside);

  QLabel* picture_;
  MessageSink messages_;
  bool placed_ = false;  // opened once: the user's place is kept from then on
};
