#include "shell/DataRoots.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <algorithm>

#include "mapdata/CityLocation.h"
#include "mapdata/NativeName.h"
#include "shell/AppIdentity.h"

namespace {

constexpr const char* kSystemCities = "tellurin/Base";  // under a data folder (share/)

fs::path FromQt(const QString& path) { return PathFromQString(path); }

// "/usr/share/tellurin/Base/" and "/usr/share/./tellurin/Base" name one folder.
fs::path Normal(const fs::path& path) {
  fs::path normal = path.lexically_normal();
  if (normal.filename().empty() && normal.has_relative_path()) normal = normal.parent_path();
  return normal;
}

}  // namespace

// AppDataLocation under our own names, so that a caller that has not set them
// yet (a tool, a test) still gets the folder the viewer reads.  Qt forms it per
// platform (~/.local/share/ORG/APP on Linux, %APPDATA%\ORG\APP on Windows);
// the caller's names are put back.
fs::path UserDataRoot() {
  const QString application = QCoreApplication::applicationName();
  const QString organization = QCoreApplication::organizationName();
  QCoreApplication::setApplicationName(app_identity::kApplicationName);
  QCoreApplication::setOrganizationName(app_identity::kOrganizationName);
  const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QCoreApplication::setApplicationName(application);
  QCoreApplication::setOrganizationName(organization);
  return FromQt(appData) / "Base";
}

std::string UserDataRootWords(DesktopSystem system) {
  const std::string organization = app_identity::kOrganizationName, application = app_identity::kApplicationName;
  if (system == DesktopSystem::Windows) return "%APPDATA%\\" + organization + "\\" + application + "\\Base";
  return "~/.local/share/" + organization + "/" + application + "/Base";
}

std::vector<fs::path> SystemDataRoots() {
  std::vector<fs::path> roots;
  const fs::path exeDir = ExecutableDir();
  if (exeDir.filename() == "bin") roots.push_back(exeDir.parent_path() / "share" / kSystemCities);
  const QString userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
    if (dir != userData) roots.push_back(FromQt(dir) / kSystemCities);
  return roots;
}

std::vector<fs::path> OrderDataRoots(const fs::path& besideExecutable, const fs::path& user,
                                     const std::vector<fs::path>& system) {
  std::vector<fs::path> roots;
  const auto add = [&roots](const fs::path& root) {
    const fs::path normal = Normal(root);
    if (std::find(roots.begin(), roots.end(), normal) == roots.end()) roots.push_back(normal);
  };
  add(besideExecutable);
  add(user);
  for (const fs::path& root : system) add(root);
  return roots;
}

std::vector<fs::path> StandardDataRoots() {
  return OrderDataRoots(DefaultDataRoot(), UserDataRoot(), SystemDataRoots());
}
