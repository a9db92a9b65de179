#include "shell/AppIdentity.h"

#include <QCoreApplication>
#include <QGuiApplication>

void SetApplicationIdentity() {
  QCoreApplication::setApplicationName(app_identity::kApplicationName);
  QCoreApplication::setOrganizationName(app_identity::kOrganizationName);
  QCoreApplication::setApplicationVersion(app_identity::kVersion);
  QGuiApplication::setDesktopFileName(app_identity::kDesktopFileName);
}
