#include "shell/widgets/AppWindows.h"

#include "shell/widgets/SidePanels.h"

AppWindows::AppWindows(const std::vector<fs::path>& dataRoots, QSettings* settings)
    : Form1(dataRoots), Form2(dataRoots.empty() ? DefaultDataRoot() : dataRoots.front()) {
  Form1.SetMapWindow(&Form2);
  Form2.SetCityWindow(&Form1);
  Form2.ShowPictureWindow = [this](const std::string& path) {
    const QWidget* panel = Form2.InfoPanel;
    Form3.ShowPicture(path, QRect(panel->mapToGlobal(QPoint(0, 0)), panel->size()));
  };
  Form2.ShowAboutWindow = [this] { Form4.exec(); };
  Form2.ShowHelpWindow = [this] { Form5.exec(); };
  Form2.RememberIn(settings);
  Form1.SelectCity(Form2.RememberedCity());
}
