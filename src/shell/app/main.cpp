#include <QApplication>
#include <QMessageBox>

#include <exception>

#include "info/widgets/TForm3.h"
#include "info/widgets/TForm4.h"
#include "info/widgets/TForm5.h"
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
    TForm3 form3;
    TForm4 form4;
    TForm5 form5;
    // The picture window stays beside the map; about and help are modal.
    form2.ShowPictureWindow = [&form3](const std::string& path) { form3.ShowPicture(path); };
    form2.ShowAboutWindow = [&form4] { form4.exec(); };
    form2.ShowHelpWindow = [&form5] { form5.exec(); };
    form1.SetMapWindow(&form2);
    form2.SetCityWindow(&form1);
    form1.show();
    return app.exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, "Tellurin", QString::fromUtf8(e.what()));
    return 1;
  }
}
