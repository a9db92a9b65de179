#include "shell/AppIdentity.h"

#include <QCoreApplication>
#include <QGuiApplication>

void SetApplicationIdentity() {
  QCoreApplication::setApplicationName(app_identity::kApplicationName);
  QCoreApplication::setOrganizationName(app_identity::kOrganizationName);
  QGuiApplication::setDesktopFileName(app_identity::kDesktopFileName);
}
