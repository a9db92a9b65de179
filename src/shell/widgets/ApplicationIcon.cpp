#include "shell/widgets/ApplicationIcon.h"

#include "shell/AppIdentity.h"

static void InitIconResources() { Q_INIT_RESOURCE(resources); }

namespace {

QIcon BundledIcon() {
  InitIconResources();
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
    icon.addFile(QString(":/tellurin/icons/%1x%1.png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace

QIcon ApplicationIcon() { return QIcon::fromTheme(app_identity::kIconName, BundledIcon()); }
