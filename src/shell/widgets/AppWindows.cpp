#include "shell/widgets/AppWindows.h"

AppWindows::AppWindows(const fs::path& dataRoot) : Form1(dataRoot), Form2(dataRoot) {
  Form1.SetMapWindow(&Form2);
  Form2.SetCityWindow(&Form1);
  Form2.ShowPictureWindow = [this](const std::string& path) { Form3.ShowPicture(path); };
  Form2.ShowAboutWindow = [this] { Form4.exec(); };
  Form2.ShowHelpWindow = [this] { Form5.exec(); };
}
