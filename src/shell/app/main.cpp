#include <QApplication>
#include <QMessageBox>

#include <exception>

#include "shell/widgets/TForm1.h"
#include "shell/widgets/TForm2.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tellurin");
  QApplication::setApplicationDisplayName("Tellurin");
  // The windows end the program themselves (closing the city window or the map
  // window); hiding one to show the other must not.
  QApplication::setQuitOnLastWindowClosed(false);
  try {
    // The windows in their fixed order; the first is the main window.
    TForm1 form1;
    TForm2 form2;
    // TODO(info): create TForm3 (picture), TForm4 (about) and TForm5 (help)
    // here, in this order, once they are on main, and connect them:
    // form2.ShowPictureWindow, form2.ShowAboutWindow, form2.ShowHelpWindow.
    form1.SetMapWindow(&form2);
    form2.SetCityWindow(&form1);
    form1.show();
    return app.exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, "Tellurin", QString::fromUtf8(e.what()));
    return 1;
  }
}
